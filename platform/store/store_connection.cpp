#include "platform/store/store_connection.h"

#include <mysql.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/store/statement_text.h"

namespace quarvel::platform {
namespace {

constexpr unsigned kStatusInTransaction = SERVER_STATUS_IN_TRANS;
constexpr unsigned kStatusAutocommit = SERVER_STATUS_AUTOCOMMIT;

// Switches multi-statement texts on for one call only, so a single statement can never carry a
// second one smuggled in behind a ";".
class MultiStatementsOn {
 public:
  explicit MultiStatementsOn(StoreLink& link) : link_(link) {
    if (mysql_set_server_option(link_.mysql(), MYSQL_OPTION_MULTI_STATEMENTS_ON) != 0)
      throw link_.LastError();
  }
  ~MultiStatementsOn() {
    if (link_.IsOpen()) mysql_set_server_option(link_.mysql(), MYSQL_OPTION_MULTI_STATEMENTS_OFF);
  }
  MultiStatementsOn(const MultiStatementsOn&) = delete;
  MultiStatementsOn& operator=(const MultiStatementsOn&) = delete;

 private:
  StoreLink& link_;
};

}  // namespace

StoreConnection::StoreConnection() : link_(std::make_shared<StoreLink>()) {}

StoreConnection::~StoreConnection() { Close(); }

void StoreConnection::Connect(const StoreConnectionParams& params) { link_->Open(params); }

bool StoreConnection::IsOpen() const { return link_->IsOpen(); }

void StoreConnection::Close() { link_->Close(); }

unsigned long StoreConnection::ServerThreadId() const { return link_->ThreadId(); }

void StoreConnection::RequireIdle() const {
  if (!link_->IsOpen()) throw StoreError(kStoreUsageError, "Not connected to the store");
  if (link_->Streaming()) {
    throw StoreError(kStoreUsageError,
                     "A streaming query is still being read on this connection; read it to the end or close "
                     "it before the next statement");
  }
}

void StoreConnection::ReportLost(const StoreError& error, bool reconnected,
                                 const std::string& reconnect_failure) {
  std::string message = error.message() +
                        " (the connection was lost during the statement; it may or may not "
                        "have been applied";
  message += reconnected ? ")" : "; reconnecting failed: " + reconnect_failure + ")";
  StoreError lost(error.kind(), message, error.code());
  lost.set_connection_lost(true);
  throw lost;
}

// Runs one attempt; after a lost connection reconnects and, for a read outside a transaction,
// runs it once more.
template <typename Attempt>
auto StoreConnection::RunStatement(std::string_view sql, Attempt attempt) -> decltype(attempt()) {
  RequireIdle();
  // The state before the statement tells whether a transaction (and its locks and rows) would be
  // lost with the connection; autocommit off makes every statement part of one.
  unsigned status = link_->ServerStatus();
  bool repeatable =
      IsReadStatement(sql) && (status & kStatusInTransaction) == 0 && (status & kStatusAutocommit) != 0;
  try {
    return attempt();
  } catch (const StoreError& error) {
    if (!IsLostConnectionCode(error.code())) throw;
    try {
      link_->Reopen();
    } catch (const StoreError& reconnect) {
      ReportLost(error, false, reconnect.kind() + " : " + reconnect.message());
    }
    if (!repeatable) ReportLost(error, true, {});
  }
  try {
    return attempt();
  } catch (const StoreError& error) {
    if (!IsLostConnectionCode(error.code())) throw;
    try {
      link_->Reopen();
    } catch (const StoreError& reconnect) {
      ReportLost(error, false, reconnect.kind() + " : " + reconnect.message());
    }
    ReportLost(error, true, {});
  }
}

std::uint64_t StoreConnection::Execute(std::string_view sql) {
  return RunStatement(sql, [&]() -> std::uint64_t {
    MYSQL* mysql = link_->mysql();
    if (mysql_real_query(mysql, sql.data(), sql.size()) != 0) throw link_->LastError();
    std::uint64_t affected = 0;
    if (mysql_field_count(mysql) == 0) {
      affected = mysql_affected_rows(mysql);
    } else {
      MYSQL_RES* result = mysql_store_result(mysql);
      if (result == nullptr) throw link_->LastError();
      mysql_free_result(result);
    }
    link_->DiscardMoreResults();
    return affected;
  });
}

std::uint64_t StoreConnection::ExecuteMulti(std::string_view text) {
  RequireIdle();
  std::uint64_t total = 0;
  int index = 1;
  auto fail = [&](StoreError error) {
    std::vector<std::string> statements = SplitStatements(text);
    std::string statement =
        index <= static_cast<int>(statements.size()) ? statements[index - 1] : std::string();
    if (IsLostConnectionCode(error.code())) {
      std::string failure;
      bool reconnected = true;
      try {
        link_->Reopen();
      } catch (const StoreError& reconnect) {
        reconnected = false;
        failure = reconnect.kind() + " : " + reconnect.message();
      }
      try {
        ReportLost(error, reconnected, failure);
      } catch (const StoreError& lost) {
        throw lost.WithStatement(index, statement);
      }
    }
    throw error.WithStatement(index, statement);
  };
  std::optional<MultiStatementsOn> multi;
  try {
    multi.emplace(*link_);
  } catch (const StoreError& error) {
    // Nothing of the text was sent yet: after a loss, connect again and go on.
    if (!IsLostConnectionCode(error.code())) throw;
    link_->Reopen();
    multi.emplace(*link_);
  }
  MYSQL* mysql = link_->mysql();
  if (mysql_real_query(mysql, text.data(), text.size()) != 0) fail(link_->LastError());
  for (;;) {
    if (mysql_field_count(mysql) == 0) {
      total += mysql_affected_rows(mysql);
    } else {
      MYSQL_RES* result = mysql_store_result(mysql);
      if (result == nullptr) fail(link_->LastError());
      mysql_free_result(result);
    }
    int next = mysql_next_result(mysql);
    if (next < 0) break;
    ++index;
    if (next > 0) fail(link_->LastError());
  }
  return total;
}

StoreCursor StoreConnection::Query(std::string_view sql, QueryMode mode) {
  return RunStatement(sql, [&]() -> StoreCursor {
    MYSQL* mysql = link_->mysql();
    if (mysql_real_query(mysql, sql.data(), sql.size()) != 0) throw link_->LastError();
    if (mysql_field_count(mysql) == 0) {
      link_->DiscardMoreResults();
      return StoreCursor(link_, nullptr, false, 0);
    }
    if (mode == QueryMode::kBuffered) {
      MYSQL_RES* result = mysql_store_result(mysql);
      if (result == nullptr) throw link_->LastError();
      link_->DiscardMoreResults();
      StoreCursor cursor(link_, result, false, 0);
      cursor.Fetch();
      return cursor;
    }
    MYSQL_RES* result = mysql_use_result(mysql);
    if (result == nullptr) throw link_->LastError();
    StoreCursor cursor(link_, result, true, link_->BeginStream(result));
    // The first row is read here: a connection lost before any row reached the caller still
    // allows the read to run again.
    if (cursor.Fetch() != 0) {
      StoreError error = link_->LastError();
      cursor.Close();
      throw error;
    }
    return cursor;
  });
}

}  // namespace quarvel::platform
