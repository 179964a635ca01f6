#pragma once

#include <filesystem>

namespace quarvel::platform {

// Starts a converter script and returns at once; the script runs on beside the program, which never
// waits for it. Windows: the shell's "open" verb in a normal window, no parameters, no working folder.
// Elsewhere: `/bin/sh script` in a session of its own, standard input from /dev/null, standard output
// and errors appended to the script's path + ".log". Throws std::runtime_error when it cannot be
// started.
void StartScript(const std::filesystem::path& script);

}  // namespace quarvel::platform
