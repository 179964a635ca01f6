#pragma once

namespace quarvel::platform {

enum class ConsoleStream { Input, Output, Error };

// Whether the standard stream is attached to a terminal (and not to a pipe or a file).
bool IsTerminal(ConsoleStream stream);

}  // namespace quarvel::platform
