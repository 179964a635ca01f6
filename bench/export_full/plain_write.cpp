#include "bench/export_full/plain_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string>

namespace quarvel::bench {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& file) {
  throw std::runtime_error(what + " " + file.string() + ": " + std::strerror(errno));
}

void WriteFile(const std::filesystem::path& file, std::uintmax_t size, const std::string& chunk) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Fail("cannot create", file);
  std::uintmax_t left = size;
  while (left > 0) {
    const std::size_t want = left < kChunk ? static_cast<std::size_t>(left) : kChunk;
    const ssize_t written = ::write(fd, chunk.data(), want);
    if (written < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      Fail("cannot write", file);
    }
    left -= static_cast<std::uintmax_t>(written);
  }
  if (::fsync(fd) != 0) {
    ::close(fd);
    Fail("cannot sync", file);
  }
  if (::close(fd) != 0) Fail("cannot close", file);
}

}  // namespace

PlainWriteReport WriteFilesOfSizes(const std::filesystem::path& folder,
                                   const std::vector<std::uintmax_t>& sizes) {
  std::filesystem::create_directories(folder);
  // Text-like bytes; the content does not matter to the file system.
  std::string chunk(kChunk, 'x');
  for (std::size_t i = 79; i < chunk.size(); i += 80) chunk[i] = '\n';

  PlainWriteReport report;
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    WriteFile(folder / ("plain_" + std::to_string(i) + ".sql"), sizes[i], chunk);
    report.bytes += static_cast<std::int64_t>(sizes[i]);
  }
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return report;
}

}  // namespace quarvel::bench
