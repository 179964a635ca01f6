#include "platform/console.h"

#ifdef _WIN32
#include <io.h>
#define QUARVEL_ISATTY _isatty
#else
#include <unistd.h>
#define QUARVEL_ISATTY isatty
#endif

namespace quarvel::platform {

bool IsTerminal(ConsoleStream stream) {
  int fd = stream == ConsoleStream::Input ? 0 : stream == ConsoleStream::Output ? 1 : 2;
  return QUARVEL_ISATTY(fd) != 0;
}

}  // namespace quarvel::platform
