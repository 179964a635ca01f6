#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/store/store_cursor.h"
#include "platform/store/store_error.h"
#include "platform/store/store_link.h"

namespace quarvel::platform {

enum class QueryMode { kBuffered, kStreaming };

// The connection to the store's MySQL/MariaDB database over Connector/C.
//
// Session: sql_mode empty (as PrestaShop's own database layer sets it) and utf8mb4 on the
// connection, set by init commands so that every reconnect restores them. Connect time-out 10 s,
// read and write time-out 7200 s, so long uploads run as single statements.
//
// Lost connection: when the connection drops during a statement, the connection is made again.
// A read (SELECT, SHOW, DESCRIBE, EXPLAIN, WITH ... SELECT) outside a transaction is then run
// once more and its result returned as if nothing happened. Anything else throws a StoreError
// with connection_lost() set: it may or may not have been applied, and is never applied twice.
//
// Streaming: Connector/C reads one unbuffered result per connection at a time. While a streaming
// cursor still has rows to read, every other statement on the connection throws a StoreError
// (kind kStoreUsageError) instead of breaking the stream; read the stream to its end or Close()
// it first, or open the inner query buffered before the outer one. This keeps a stream's memory
// promise: nothing is ever buffered behind the caller's back.
//
// Every failure throws StoreError; server errors have the kind "MySQL error <code>".
class StoreConnection {
 public:
  StoreConnection();
  ~StoreConnection();
  StoreConnection(const StoreConnection&) = delete;
  StoreConnection& operator=(const StoreConnection&) = delete;

  // Closes, then connects. Throws StoreError on failure, leaving the connection closed.
  void Connect(const StoreConnectionParams& params);
  bool IsOpen() const;
  // Closes the connection; cursors still open keep their buffered rows, streams end.
  void Close();

  // Runs one statement that returns no rows (rows it does return are discarded); returns the
  // number of affected rows.
  std::uint64_t Execute(std::string_view sql);

  // Runs a text of several statements separated by ";" in one round trip. The server stops at the
  // first failing statement; the StoreError then tells which (statement_index(), 1-based, and
  // statement()). Rows returned by any statement are discarded. Returns the affected rows summed.
  // No DELIMITER handling: compound statements belong to the script runner.
  std::uint64_t ExecuteMulti(std::string_view text);

  // Runs a statement that returns rows. The cursor stands on the first row.
  StoreCursor Query(std::string_view sql, QueryMode mode = QueryMode::kBuffered);

  // The server's id of the current connection (changes when the connection is made again).
  unsigned long ServerThreadId() const;
  const StoreConnectionParams& params() const { return link_->params(); }

 private:
  template <typename Attempt>
  auto RunStatement(std::string_view sql, Attempt attempt) -> decltype(attempt());
  void RequireIdle() const;
  [[noreturn]] void ReportLost(const StoreError& error, bool reconnected,
                               const std::string& reconnect_failure);

  std::shared_ptr<StoreLink> link_;
};

}  // namespace quarvel::platform
