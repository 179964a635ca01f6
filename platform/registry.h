#pragma once

#include <string>

namespace quarvel::platform {

// Reads a text value below HKEY_LOCAL_MACHINE. Elsewhere than on Windows there is no registry,
// so every lookup answers empty text, as a missing value does on Windows.
std::string ReadMachineRegistryText(const std::string& key, const std::string& value_name);

}  // namespace quarvel::platform
