#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/store/store_connection.h"
#include "platform/store/store_error.h"

namespace quarvel::platform {

// The kind of the failure reported for a statement the server would refuse for its length.
inline constexpr char kStatementTooLong[] = "Statement too long";

enum class ScriptErrorAction { kStop, kContinue };

struct ScriptCallbacks {
  // The percentage of the file processed so far (by bytes, rounded), after each executed
  // statement or batch of statements. An exception thrown here ends the run of the file and
  // leaves RunFile with it; every statement reported so far was applied, none after it.
  std::function<void(int percent)> progress;
  // A statement failed: its text and the error. Stop ends the file, continue goes on with the next
  // statement. Without a callback the file stops at its first failing statement.
  std::function<ScriptErrorAction(std::string_view statement, const StoreError& error)> error;
};

struct ScriptRunSummary {
  bool stopped = false;  // an error callback answered stop
  std::size_t succeeded = 0;
  std::size_t failed = 0;
};

// Runs .sql script files on the store connection, statement after statement in file order
// (splitting as StatementSplitter describes), with progress and error callbacks.
//
// For speed, runs of plain INSERT/REPLACE/UPDATE/DELETE statements go to the server several at a
// time (up to a byte budget) as one multi-statement text; everything else goes alone. What the
// callbacks see is the same as one statement at a time: a failure inside a batch is reported for
// that statement, nothing before it is run again, and after "continue" the statements behind it
// run. Progress comes once per batch.
//
// A statement longer than the server's max_allowed_packet is never sent (the server would drop the
// connection); it is reported through the error callback with kind kStatementTooLong.
//
// Failures that are not a statement's (a lost connection, no connection, an unreadable file) end
// the run with an exception: StoreError, or std::filesystem::filesystem_error for the file.
class ScriptRunner {
 public:
  static constexpr std::size_t kDefaultBatchBytes = 1 << 20;
  static constexpr std::size_t kMaxBatchStatements = 1000;

  explicit ScriptRunner(StoreConnection& store) : store_(store) {}

  // Reads the whole file (UTF-8, a byte-order mark is skipped) and runs it.
  ScriptRunSummary RunFile(const std::filesystem::path& file, const ScriptCallbacks& callbacks);
  // Runs script text as if it were a file's content.
  ScriptRunSummary RunScript(std::string_view script, const ScriptCallbacks& callbacks);

  // The byte budget of one batch; 0 sends every statement alone.
  void set_batch_bytes(std::size_t bytes) { batch_bytes_ = bytes; }

 private:
  // The server's max_allowed_packet, read once per server connection.
  std::size_t MaxAllowedPacket();

  StoreConnection& store_;
  std::size_t batch_bytes_ = kDefaultBatchBytes;
  unsigned long packet_thread_id_ = 0;
  std::size_t max_allowed_packet_ = 0;
};

}  // namespace quarvel::platform
