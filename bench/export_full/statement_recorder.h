#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace quarvel::bench {

// Records the text of every catalogue statement sent to the ODBC driver while it is active, so the
// benchmark can later read exactly the rows the export read. The texts go to a file rather than
// memory, so the export's peak memory stays its own.
//
// It also counts the rows fetched from each statement: the export stops early on some cursors, and a
// plain read of every row of those would be more work than the export did.
//
// The hooks are the linker's --wrap=SQLExecDirect and --wrap=SQLFetch on this program: every call of
// the export's catalogue layer passes through them; the driver itself is not affected.
class StatementRecorder {
 public:
  explicit StatementRecorder(const std::filesystem::path& file);
  ~StatementRecorder();
  StatementRecorder(const StatementRecorder&) = delete;
  StatementRecorder& operator=(const StatementRecorder&) = delete;

  // Only one recorder is active at a time; Stop() also happens on destruction.
  void Start();
  void Stop();
  long count() const { return count_; }

  void Record(void* statement, const char* text, std::size_t length);
  void CountFetch(void* statement);

  // Rows fetched per recorded statement, in recording order.
  const std::vector<std::int64_t>& fetched_rows() const { return fetched_rows_; }

  // The statements of a record file in the order they were sent.
  static std::vector<std::string> ReadAll(const std::filesystem::path& file);

 private:
  std::FILE* file_ = nullptr;
  long count_ = 0;
  std::vector<std::int64_t> fetched_rows_;
  // The statement handle's latest recorded text: handles are reused after they are freed.
  std::unordered_map<void*, std::size_t> by_handle_;
};

}  // namespace quarvel::bench
