#pragma once

#include <filesystem>

namespace quarvel::platform {

// The base folder where programs keep a user's configuration: $XDG_CONFIG_HOME (when absolute) or
// ~/.config; %APPDATA% on Windows. Empty when the environment names none.
std::filesystem::path UserConfigurationBase();

// The folder of the running executable; `argv0` is the fallback where the system cannot tell.
std::filesystem::path ExecutableFolder(const char* argv0);

}  // namespace quarvel::platform
