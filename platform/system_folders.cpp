#include "platform/system_folders.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace quarvel::platform {

namespace {
std::filesystem::path EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return {};
  return std::filesystem::path(value);
}

std::filesystem::path FolderOfArgv0(const char* argv0) {
  if (argv0 == nullptr || *argv0 == '\0') return std::filesystem::current_path();
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(argv0, ec);
  return ec ? std::filesystem::current_path() : p.parent_path();
}
}  // namespace

#ifdef _WIN32
std::filesystem::path UserConfigurationBase() { return EnvironmentPath("APPDATA"); }

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return FolderOfArgv0(argv0);
    if (n < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), n)).parent_path();
    buffer.resize(buffer.size() * 2);
  }
}
#else
std::filesystem::path UserConfigurationBase() {
  std::filesystem::path xdg = EnvironmentPath("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is invalid and must be ignored.
  if (!xdg.empty() && xdg.is_absolute()) return xdg;
  std::filesystem::path home = EnvironmentPath("HOME");
  if (home.empty()) return {};
  return home / ".config";
}

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && !exe.empty()) return exe.parent_path();
  return FolderOfArgv0(argv0);
}
#endif

}  // namespace quarvel::platform
