#include "export/export_log.h"

#include "core/log_file.h"

namespace quarvel::exporting {

std::string TimedLogLine(const std::string& text) {
  std::string stamp = LogTimeStamp();
  // The stage text brings the closing bracket of the time stamp itself.
  if (stamp.ends_with(']')) stamp.pop_back();
  return stamp + text;
}

void ExportLog::Clear() {
  lines_.clear();
  if (on_cleared) on_cleared();
}

void ExportLog::Line(const std::string& text) {
  lines_.push_back(text);
  if (on_line) on_line(text);
}

}  // namespace quarvel::exporting
