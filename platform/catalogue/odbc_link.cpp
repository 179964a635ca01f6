#include "platform/catalogue/odbc_link.h"

#include <utility>
#include <vector>

namespace quarvel::platform::odbc {

Environment::Environment() {
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_))) {
    throw CatalogueError("ODBC error",
                         "cannot allocate an ODBC environment (is the driver manager installed?)");
  }
  SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
}

Environment::~Environment() { SQLFreeHandle(SQL_HANDLE_ENV, env_); }

Link::Link(std::shared_ptr<Environment> env, const std::string& connection_string, int login_timeout_seconds)
    : env_(std::move(env)) {
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env_->handle(), &dbc_))) {
    throw DiagnosticError(SQL_HANDLE_ENV, env_->handle());
  }
  const auto timeout = reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(login_timeout_seconds));
  // Not every driver honours these; a refusal is not a reason to fail the connect.
  SQLSetConnectAttr(dbc_, SQL_ATTR_LOGIN_TIMEOUT, timeout, 0);
  SQLSetConnectAttr(dbc_, SQL_ATTR_CONNECTION_TIMEOUT, timeout, 0);
  std::vector<SQLCHAR> text(connection_string.begin(), connection_string.end());
  text.push_back(0);
  SQLCHAR completed[1024];
  SQLSMALLINT completed_length = 0;
  const SQLRETURN rc = SQLDriverConnect(dbc_, nullptr, text.data(), SQL_NTS, completed, sizeof completed,
                                        &completed_length, SQL_DRIVER_NOPROMPT);
  if (!Succeeded(rc)) {
    CatalogueError error = DiagnosticError(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    throw error;
  }
  connected_ = true;
}

Link::~Link() {
  if (connected_) SQLDisconnect(dbc_);
  SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
}

std::string Link::InfoText(SQLUSMALLINT info_type) const {
  SQLCHAR buffer[256] = {0};
  SQLSMALLINT length = 0;
  if (!Succeeded(SQLGetInfo(dbc_, info_type, buffer, sizeof buffer, &length))) return {};
  return reinterpret_cast<const char*>(buffer);
}

CatalogueError DiagnosticError(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view suffix) {
  std::string state;
  std::string message;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR sql_state[6] = {0};
    SQLINTEGER native = 0;
    SQLCHAR text[SQL_MAX_MESSAGE_LENGTH + 1] = {0};
    SQLSMALLINT length = 0;
    const SQLRETURN rc =
        SQLGetDiagRec(handle_type, handle, record, sql_state, &native, text, sizeof text, &length);
    if (!Succeeded(rc)) break;
    if (state.empty()) state = reinterpret_cast<const char*>(sql_state);
    if (!message.empty()) message += ' ';
    message += reinterpret_cast<const char*>(text);
  }
  if (message.empty()) message = "the ODBC driver reported a failure without details";
  message += suffix;
  return CatalogueError(state.empty() ? "ODBC error" : "ODBC error [" + state + "]", message);
}

}  // namespace quarvel::platform::odbc
