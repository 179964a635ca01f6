#include "core/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/file_sync.h"

namespace quarvel {

namespace {

constexpr std::size_t kChunk = 4096;

ScopedAtomicFileFault::Hook& FaultHook() {
  static ScopedAtomicFileFault::Hook hook;
  return hook;
}

void Step(AtomicFileStep step, std::uintmax_t bytes_written) {
  if (FaultHook()) FaultHook()(step, bytes_written);
}

std::string RandomSuffix() {
  static std::mt19937_64 engine{std::random_device{}()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < 8; ++i) out += kHex[engine() % 16];
  return out;
}

std::string ErrnoText(int err) { return std::generic_category().message(err); }

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
  try {
    // Replace what a link points to, not the link itself.
    std::error_code ec;
    if (std::filesystem::is_symlink(target_, ec)) target_ = std::filesystem::canonical(target_);
    Step(AtomicFileStep::Create, 0);
    std::filesystem::path folder = target_.parent_path();
    int err = 0;
    for (int attempt = 0; attempt < 16 && file_ == nullptr; ++attempt) {
      // Built by appending: GCC 12 at -O3 reports a false -Wrestrict for "." + std::string.
      std::string name = ".";
      name += target_.filename().string();
      name += ".tmp-";
      name += RandomSuffix();
      temp_ = folder / name;
      // "x": fail rather than reuse a file that happens to have the same name.
      file_ = std::fopen(temp_.string().c_str(), "wbx");
      err = errno;
      if (file_ == nullptr && err != EEXIST) break;
    }
    if (file_ == nullptr) {
      temp_.clear();
      throw std::runtime_error("cannot create a temporary file: " + ErrnoText(err));
    }
    // A settings file holds passwords: the new file keeps the permissions the old one had.
    auto status = std::filesystem::status(target_, ec);
    if (!ec && std::filesystem::is_regular_file(status))
      std::filesystem::permissions(temp_, status.permissions(), ec);
  } catch (const std::exception& e) {
    Fail(e.what());
  }
}

AtomicFile::~AtomicFile() {
  if (!done_) Discard();
}

void AtomicFile::Write(std::string_view bytes) {
  if (done_) Fail("the file is already closed");
  try {
    while (!bytes.empty()) {
      Step(AtomicFileStep::Write, bytes_written_);
      std::size_t n = std::min(bytes.size(), kChunk);
      if (std::fwrite(bytes.data(), 1, n, file_) != n)
        throw std::runtime_error("write failed: " + ErrnoText(errno));
      bytes_written_ += n;
      bytes.remove_prefix(n);
    }
  } catch (const std::exception& e) {
    Fail(e.what());
  }
}

void AtomicFile::Commit() {
  if (done_) Fail("the file is already closed");
  try {
    Step(AtomicFileStep::Sync, bytes_written_);
    if (std::fflush(file_) != 0) throw std::runtime_error("write failed: " + ErrnoText(errno));
    platform::SyncFileToDisk(file_);
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) throw std::runtime_error("write failed: " + ErrnoText(errno));
    Step(AtomicFileStep::Rename, bytes_written_);
    std::filesystem::rename(temp_, target_);
  } catch (const std::exception& e) {
    Fail(e.what());
  }
  done_ = true;
  // The content is in place; a failing folder sync only weakens durability after a power cut, but
  // the caller must still learn that the save is not known to be safe.
  try {
    Step(AtomicFileStep::SyncFolder, bytes_written_);
    platform::SyncFolderToDisk(target_.parent_path());
  } catch (const std::exception& e) {
    throw std::runtime_error("Cannot write file \"" + target_.string() + "\": " + e.what());
  }
}

void AtomicFile::Fail(std::string_view what) {
  Discard();
  throw std::runtime_error("Cannot write file \"" + target_.string() + "\": " + std::string(what));
}

void AtomicFile::Discard() noexcept {
  done_ = true;
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temp_, ec);
  }
}

void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  AtomicFile file(target);
  file.Write(bytes);
  file.Commit();
}

ScopedAtomicFileFault::ScopedAtomicFileFault(Hook hook) : previous_(std::move(FaultHook())) {
  FaultHook() = std::move(hook);
}

ScopedAtomicFileFault::~ScopedAtomicFileFault() { FaultHook() = std::move(previous_); }

}  // namespace quarvel
