#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace quarvel::bench {

struct PlainWriteReport {
  std::int64_t bytes = 0;
  double seconds = 0;
};

// Writes one file of each given size into `folder` in 64 KB chunks and syncs each at its end: the
// file output of an export without producing its text. The files are removed afterwards.
PlainWriteReport WriteFilesOfSizes(const std::filesystem::path& folder,
                                   const std::vector<std::uintmax_t>& sizes);

}  // namespace quarvel::bench
