#pragma once

#include <stdexcept>
#include <string>

namespace quarvel::platform {

// A failure of the store connection. Status texts show it as kind() + " : " + message(); what() is
// that same text, plus the failing statement of a multi-statement text.
class StoreError : public std::runtime_error {
 public:
  // code: the server's or client library's error number, 0 for failures of our own.
  StoreError(std::string kind, std::string message, unsigned code = 0);

  const std::string& kind() const { return kind_; }
  const std::string& message() const { return message_; }
  unsigned code() const { return code_; }

  // True when the connection dropped during a statement that was not run again: it may or may not
  // have been applied.
  bool connection_lost() const { return connection_lost_; }
  void set_connection_lost(bool lost) { connection_lost_ = lost; }

  // For a failure inside a multi-statement text: the failing statement (1-based) and its text.
  int statement_index() const { return statement_index_; }
  const std::string& statement() const { return statement_; }
  StoreError WithStatement(int index, std::string statement) const;

 private:
  std::string kind_;
  std::string message_;
  unsigned code_ = 0;
  bool connection_lost_ = false;
  int statement_index_ = 0;
  std::string statement_;
};

// The kind of a failure reported by the server or Connector/C: "MySQL error " + code.
std::string MysqlErrorKind(unsigned code);

// Kinds of the failures that are not the server's.
inline constexpr char kStoreUsageError[] = "Store usage error";
inline constexpr char kStoreConversionError[] = "Store conversion error";

}  // namespace quarvel::platform
