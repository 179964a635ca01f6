#include "platform/registry.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace quarvel::platform {

#ifdef _WIN32
namespace {
std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}
std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}
}  // namespace

std::string ReadMachineRegistryText(const std::string& key, const std::string& value_name) {
  DWORD size = 0;
  std::wstring wkey = Widen(key), wname = Widen(value_name);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, wkey.c_str(), wname.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return {};
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, wkey.c_str(), wname.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(),
                   &size) != ERROR_SUCCESS)
    return {};
  return Narrow(buffer.data());
}
#else
std::string ReadMachineRegistryText(const std::string&, const std::string&) { return {}; }
#endif

}  // namespace quarvel::platform
