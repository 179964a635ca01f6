#include "platform/catalogue/catalogue_cursor.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "platform/catalogue/catalogue_error.h"
#include "platform/catalogue/odbc_link.h"

namespace quarvel::platform {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool IsBinaryType(SQLSMALLINT type) {
  return type == SQL_BINARY || type == SQL_VARBINARY || type == SQL_LONGVARBINARY;
}

const std::string kEmpty;

}  // namespace

CatalogueCursor::CatalogueCursor(std::shared_ptr<odbc::Link> link, void* statement, std::string sql)
    : link_(std::move(link)), statement_(statement), sql_(std::move(sql)) {
  ++link_->open_cursors;
  SQLSMALLINT count = 0;
  if (!odbc::Succeeded(SQLNumResultCols(statement_, &count))) {
    CatalogueError error = odbc::DiagnosticError(SQL_HANDLE_STMT, statement_, "\nSQL: " + sql_);
    Release();
    throw error;
  }
  for (SQLSMALLINT column = 1; column <= count; ++column) {
    SQLCHAR name[256] = {0};
    SQLSMALLINT name_length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeCol(statement_, column, name, sizeof name, &name_length, &type, &size, &digits, &nullable);
    names_.emplace_back(reinterpret_cast<const char*>(name));
    binary_.push_back(IsBinaryType(type));
  }
  row_.resize(names_.size());
  at_end_ = false;
  Fetch();
}

CatalogueCursor::CatalogueCursor(CatalogueCursor&& other) noexcept
    : link_(std::move(other.link_)),
      statement_(std::exchange(other.statement_, nullptr)),
      sql_(std::move(other.sql_)),
      names_(std::move(other.names_)),
      binary_(std::move(other.binary_)),
      row_(std::move(other.row_)),
      at_end_(std::exchange(other.at_end_, true)) {}

CatalogueCursor& CatalogueCursor::operator=(CatalogueCursor&& other) noexcept {
  if (this != &other) {
    Release();
    link_ = std::move(other.link_);
    statement_ = std::exchange(other.statement_, nullptr);
    sql_ = std::move(other.sql_);
    names_ = std::move(other.names_);
    binary_ = std::move(other.binary_);
    row_ = std::move(other.row_);
    at_end_ = std::exchange(other.at_end_, true);
  }
  return *this;
}

CatalogueCursor::~CatalogueCursor() { Release(); }

void CatalogueCursor::Close() {
  Release();
  at_end_ = true;
}

void CatalogueCursor::Release() {
  if (statement_ != nullptr) {
    SQLFreeHandle(SQL_HANDLE_STMT, statement_);
    statement_ = nullptr;
  }
  if (link_) {
    --link_->open_cursors;
    link_.reset();
  }
}

void CatalogueCursor::Next() {
  if (at_end_) return;
  Fetch();
}

void CatalogueCursor::Fetch() {
  const SQLRETURN rc = SQLFetch(statement_);
  if (rc == SQL_NO_DATA) {
    at_end_ = true;
    for (auto& value : row_) value.reset();
    // Past the last row the statement is of no further use; releasing it frees the link for others.
    Release();
    return;
  }
  if (!odbc::Succeeded(rc)) {
    CatalogueError error = odbc::DiagnosticError(SQL_HANDLE_STMT, statement_, "\nSQL: " + sql_);
    at_end_ = true;
    Release();
    throw error;
  }
  for (int column = 0; column < ColumnCount(); ++column) ReadColumn(column);
}

// Reads one value whole, piece by piece: long texts and pictures exceed any fixed buffer.
void CatalogueCursor::ReadColumn(int column) {
  const bool binary = binary_[column];
  const SQLSMALLINT target = binary ? SQL_C_BINARY : SQL_C_CHAR;
  const SQLLEN terminator = binary ? 0 : 1;
  std::string value;
  char buffer[8192];
  while (true) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement_, static_cast<SQLUSMALLINT>(column + 1), target, buffer,
                                    sizeof buffer, &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!odbc::Succeeded(rc)) {
      throw odbc::DiagnosticError(SQL_HANDLE_STMT, statement_,
                                  "\nColumn: " + names_[column] + "\nSQL: " + sql_);
    }
    if (indicator == SQL_NULL_DATA) {
      row_[column].reset();
      return;
    }
    const SQLLEN capacity = static_cast<SQLLEN>(sizeof buffer) - terminator;
    const SQLLEN piece = (indicator == SQL_NO_TOTAL || indicator > capacity) ? capacity : indicator;
    value.append(buffer, static_cast<std::size_t>(piece));
    if (rc == SQL_SUCCESS) break;  // SQL_SUCCESS_WITH_INFO: truncated, more to come
    if (indicator != SQL_NO_TOTAL && indicator <= capacity) break;
  }
  row_[column] = std::move(value);
}

const std::string& CatalogueCursor::ColumnName(int column) const {
  if (column < 0 || column >= ColumnCount()) {
    throw CatalogueError("Column error", "the result has no column " + std::to_string(column));
  }
  return names_[column];
}

int CatalogueCursor::ColumnIndex(std::string_view name) const {
  for (int column = 0; column < ColumnCount(); ++column) {
    if (EqualsNoCase(names_[column], name)) return column;
  }
  throw CatalogueError("Column error", "the result has no column " + std::string(name) + "\nSQL: " + sql_);
}

const std::optional<std::string>& CatalogueCursor::Value(int column) const {
  ColumnName(column);  // range check
  return row_[column];
}

bool CatalogueCursor::IsNull(int column) const { return !Value(column).has_value(); }

const std::string& CatalogueCursor::Text(int column) const {
  const auto& value = Value(column);
  return value ? *value : kEmpty;
}

std::int64_t CatalogueCursor::Integer(int column) const {
  const auto& value = Value(column);
  if (!value) return 0;
  std::string_view text = *value;
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw CatalogueError("Conversion error",
                         "'" + *value + "' of column " + names_[column] + " is not a whole number");
  }
  return number;
}

}  // namespace quarvel::platform
