#include "platform/file_sync.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quarvel::platform {

#ifdef _WIN32
void SyncFileToDisk(std::FILE* file) {
  if (_commit(_fileno(file)) != 0) throw std::system_error(errno, std::generic_category(), "sync");
}

void SyncFolderToDisk(const std::filesystem::path&) {}
#else
void SyncFileToDisk(std::FILE* file) {
  if (fsync(fileno(file)) != 0) throw std::system_error(errno, std::generic_category(), "fsync");
}

void SyncFolderToDisk(const std::filesystem::path& folder) {
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "open folder " + folder.string());
  int rc = fsync(fd);
  int err = errno;
  close(fd);
  // Some file systems cannot sync a folder at all; the rename is then as durable as it gets.
  if (rc != 0 && err != EINVAL && err != EROFS)
    throw std::system_error(err, std::generic_category(), "fsync folder " + folder.string());
}
#endif

}  // namespace quarvel::platform
