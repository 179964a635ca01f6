#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quarvel {

// Writes a page's log list as a UTF-8 text file with byte-order mark and CR LF line ends,
// replacing the file whole.
void WriteLogFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

// "[" + local date and time + "]" that begins a timed log line.
std::string LogTimeStamp();

}  // namespace quarvel
