#include "platform/store/store_error.h"

#include <utility>

namespace quarvel::platform {

StoreError::StoreError(std::string kind, std::string message, unsigned code)
    : std::runtime_error(kind + " : " + message),
      kind_(std::move(kind)),
      message_(std::move(message)),
      code_(code) {}

StoreError StoreError::WithStatement(int index, std::string statement) const {
  std::string what =
      kind_ + " : " + message_ + " (statement " + std::to_string(index) + ": " + statement + ")";
  StoreError copy(*this);
  static_cast<std::runtime_error&>(copy) = std::runtime_error(what);
  copy.statement_index_ = index;
  copy.statement_ = std::move(statement);
  return copy;
}

std::string MysqlErrorKind(unsigned code) { return "MySQL error " + std::to_string(code); }

}  // namespace quarvel::platform
