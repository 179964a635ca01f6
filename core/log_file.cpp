#include "core/log_file.h"

#include <ctime>

#include "core/atomic_file.h"

namespace quarvel {

void WriteLogFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::string bytes = "\xEF\xBB\xBF";
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  WriteFileAtomically(path, bytes);
}

std::string LogTimeStamp() {
  std::time_t now = std::time(nullptr);
  // Operations run on the one user-interface thread, so the shared buffer of localtime is safe.
  std::tm local = *std::localtime(&now);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "[%d.%m.%Y %H:%M:%S]", &local);
  return buffer;
}

}  // namespace quarvel
