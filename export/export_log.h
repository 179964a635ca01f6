#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quarvel::exporting {

inline constexpr char kExportLogFileName[] = "Log_ExportData.txt";

// "[" + local date and time + text; the text of a stage begins with "] ".
std::string TimedLogLine(const std::string& text);

// The log list of the export page. The window follows it through the two hooks.
class ExportLog {
 public:
  void Clear();
  void Timed(const std::string& text) { Line(TimedLogLine(text)); }
  void Line(const std::string& text);
  const std::vector<std::string>& Lines() const { return lines_; }

  std::function<void(const std::string&)> on_line;
  std::function<void()> on_cleared;

 private:
  std::vector<std::string> lines_;
};

}  // namespace quarvel::exporting
