#include "platform/store/store_link.h"

#include <errmsg.h>
#include <mysqld_error.h>

#include <mutex>

namespace quarvel::platform {
namespace {

// Generous read and write limits let long uploads and updates run as single statements.
constexpr unsigned kConnectTimeoutSeconds = 10;
constexpr unsigned kReadWriteTimeoutSeconds = 7200;

void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
}

}  // namespace

bool IsLostConnectionCode(unsigned code) {
  return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST || code == CR_SERVER_LOST_EXTENDED ||
         code == ER_CONNECTION_KILLED;
}

StoreLink::~StoreLink() { Close(); }

void StoreLink::Open(const StoreConnectionParams& params) {
  Close();
  InitLibrary();
  params_ = params;
  mysql_init(&mysql_);
  unsigned connect_timeout = kConnectTimeoutSeconds;
  unsigned io_timeout = kReadWriteTimeoutSeconds;
  // TCP always, so that the port is honoured even for "localhost".
  unsigned protocol = MYSQL_PROTOCOL_TCP;
  my_bool no = 0;
  mysql_options(&mysql_, MYSQL_OPT_CONNECT_TIMEOUT, &connect_timeout);
  mysql_options(&mysql_, MYSQL_OPT_READ_TIMEOUT, &io_timeout);
  mysql_options(&mysql_, MYSQL_OPT_WRITE_TIMEOUT, &io_timeout);
  mysql_options(&mysql_, MYSQL_OPT_PROTOCOL, &protocol);
  mysql_options(&mysql_, MYSQL_OPT_RECONNECT, &no);
  // A server must not be able to ask for the client's local files.
  mysql_options(&mysql_, MYSQL_OPT_LOCAL_INFILE, &no);
  mysql_options(&mysql_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  // Init commands run on every connect, so a reconnect restores the session as PrestaShop sets it.
  mysql_options(&mysql_, MYSQL_INIT_COMMAND, "SET SESSION sql_mode=''");
  mysql_options(&mysql_, MYSQL_INIT_COMMAND, "SET NAMES utf8mb4");
  const char* host = params.host.empty() ? "localhost" : params.host.c_str();
  const char* database = params.database.empty() ? nullptr : params.database.c_str();
  if (mysql_real_connect(&mysql_, host, params.user.c_str(), params.password.c_str(), database, params.port,
                         nullptr, CLIENT_MULTI_RESULTS) == nullptr) {
    StoreError error = LastError();
    mysql_close(&mysql_);
    throw error;
  }
  open_ = true;
}

void StoreLink::Reopen() { Open(params_); }

void StoreLink::Close() {
  if (!open_) return;
  DropStream();
  mysql_close(&mysql_);
  open_ = false;
}

StoreError StoreLink::LastError() {
  unsigned code = mysql_errno(&mysql_);
  std::string message = mysql_error(&mysql_);
  if (code == 0) {
    code = CR_UNKNOWN_ERROR;
    message = "Unknown error";
  }
  return StoreError(MysqlErrorKind(code), message, code);
}

std::uint64_t StoreLink::BeginStream(MYSQL_RES* result) {
  stream_ = result;
  stream_id_ = next_stream_id_++;
  return stream_id_;
}

void StoreLink::EndStream(std::uint64_t id) {
  if (!StreamActive(id)) return;
  MYSQL_RES* result = stream_;
  stream_ = nullptr;
  mysql_free_result(result);
  if (open_) DiscardMoreResults();
}

void StoreLink::DiscardMoreResults() {
  while (mysql_more_results(&mysql_)) {
    if (mysql_next_result(&mysql_) != 0) return;
    if (MYSQL_RES* result = mysql_store_result(&mysql_)) mysql_free_result(result);
  }
}

void StoreLink::DropStream() {
  if (stream_ == nullptr) return;
  // Closing: skip reading off the unread rows, the connection is going away anyway.
  stream_->handle = nullptr;
  mysql_free_result(stream_);
  stream_ = nullptr;
}

}  // namespace quarvel::platform
