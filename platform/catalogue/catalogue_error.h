#pragma once

#include <stdexcept>
#include <string>

namespace quarvel::platform {

// A failure of the catalogue connection: a kind (for ODBC failures "ODBC error [SQLSTATE]") and the
// driver's own message. what() is the message alone, so callers can show "kind : message".
class CatalogueError : public std::runtime_error {
 public:
  CatalogueError(std::string kind, const std::string& message)
      : std::runtime_error(message), kind_(std::move(kind)) {}

  const std::string& kind() const { return kind_; }
  std::string message() const { return what(); }

 private:
  std::string kind_;
};

}  // namespace quarvel::platform
