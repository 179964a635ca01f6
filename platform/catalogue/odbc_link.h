#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/catalogue/catalogue_error.h"

// ODBC handles shared by a catalogue connection and its cursors. A cursor keeps the link (and through
// it the environment) alive, so closing the connection while a cursor is still open never frees a
// handle under the cursor; the link disconnects when its last user lets go.
namespace quarvel::platform::odbc {

class Environment {
 public:
  Environment();
  ~Environment();
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

  SQLHENV handle() const { return env_; }

 private:
  SQLHENV env_ = SQL_NULL_HENV;
};

class Link {
 public:
  // Connects with the connection string; never prompts; login time-out in seconds.
  Link(std::shared_ptr<Environment> env, const std::string& connection_string, int login_timeout_seconds);
  ~Link();
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  SQLHDBC handle() const { return dbc_; }
  std::string InfoText(SQLUSMALLINT info_type) const;

  // Open cursors using this link: with a backend that streams one statement per connection, a link
  // with an open cursor is busy.
  int open_cursors = 0;

 private:
  std::shared_ptr<Environment> env_;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  bool connected_ = false;
};

// The error of a failed call on a handle: kind "ODBC error [SQLSTATE]", message the driver's texts.
// `suffix` is appended to the message (the SQL text of a failed query).
CatalogueError DiagnosticError(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view suffix = {});

inline bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

}  // namespace quarvel::platform::odbc
