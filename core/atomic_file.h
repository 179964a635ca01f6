#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

namespace quarvel {

// A file the user relies on (settings, downloaded stock files, the program itself), replaced so
// that a crash or a full disk never leaves half a file: the content goes to a temporary file in the
// target's folder, is flushed and synced, renamed over the target, and the folder is synced.
//
// On any failure the temporary file is removed, the target keeps its old content, and a
// std::runtime_error naming the target is thrown. Destroying an uncommitted file discards it.
class AtomicFile {
 public:
  explicit AtomicFile(std::filesystem::path target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // May be called any number of times, so large files can be streamed.
  void Write(std::string_view bytes);
  // Makes the written content the target's. Nothing may be written afterwards.
  void Commit();

  const std::filesystem::path& target() const { return target_; }

 private:
  [[noreturn]] void Fail(std::string_view what);
  void Discard() noexcept;

  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::FILE* file_ = nullptr;
  std::uintmax_t bytes_written_ = 0;
  bool done_ = false;
};

// Replaces the file's content with `bytes` through AtomicFile.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The steps of a replacement, as seen by a fault hook.
enum class AtomicFileStep { Create, Write, Sync, Rename, SyncFolder };

// For tests: while an instance lives, `hook` runs before every step of every AtomicFile (before
// each chunk of at most 4096 bytes for Write, with the bytes written so far). Throwing from it makes
// the step fail as a failing disk would.
class ScopedAtomicFileFault {
 public:
  using Hook = std::function<void(AtomicFileStep step, std::uintmax_t bytes_written)>;
  explicit ScopedAtomicFileFault(Hook hook);
  ~ScopedAtomicFileFault();
  ScopedAtomicFileFault(const ScopedAtomicFileFault&) = delete;
  ScopedAtomicFileFault& operator=(const ScopedAtomicFileFault&) = delete;

 private:
  Hook previous_;
};

}  // namespace quarvel
