#include "platform/store/store_cursor.h"

#include <mysql.h>

#include <cctype>
#include <charconv>
#include <system_error>
#include <utility>

#include "platform/store/store_error.h"
#include "platform/store/store_link.h"

namespace quarvel::platform {
namespace {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

[[noreturn]] void ThrowConversion(std::string_view text, const char* what) {
  throw StoreError(kStoreConversionError, "\"" + std::string(text) + "\" is not " + what);
}

}  // namespace

StoreCursor::StoreCursor(std::shared_ptr<StoreLink> link, st_mysql_res* result, bool streaming,
                         std::uint64_t stream_id)
    : link_(std::move(link)), result_(result), streaming_(streaming), stream_id_(stream_id) {
  if (result_ == nullptr) return;
  unsigned count = mysql_num_fields(result_);
  MYSQL_FIELD* fields = mysql_fetch_fields(result_);
  names_.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    names_.emplace_back(fields[i].name, fields[i].name_length);
    index_by_name_.emplace(LowerAscii(names_.back()), i);  // the first of equal names wins
  }
}

StoreCursor::~StoreCursor() { Release(); }

StoreCursor::StoreCursor(StoreCursor&& other) noexcept { *this = std::move(other); }

StoreCursor& StoreCursor::operator=(StoreCursor&& other) noexcept {
  if (this != &other) {
    Release();
    link_ = std::move(other.link_);
    result_ = std::exchange(other.result_, nullptr);
    streaming_ = other.streaming_;
    stream_id_ = other.stream_id_;
    row_ = std::exchange(other.row_, nullptr);
    lengths_ = std::exchange(other.lengths_, nullptr);
    names_ = std::move(other.names_);
    index_by_name_ = std::move(other.index_by_name_);
  }
  return *this;
}

void StoreCursor::Release() {
  row_ = nullptr;
  lengths_ = nullptr;
  if (result_ != nullptr) {
    if (streaming_) {
      // The link owns an unbuffered result; when it has dropped it already (closed, reconnected),
      // there is nothing left to free here.
      link_->EndStream(stream_id_);
    } else {
      mysql_free_result(result_);
    }
    result_ = nullptr;
  }
}

void StoreCursor::Close() { Release(); }

unsigned StoreCursor::Fetch() {
  if (result_ == nullptr) {
    row_ = nullptr;
    return 0;
  }
  if (streaming_ && !link_->StreamActive(stream_id_)) {
    result_ = nullptr;
    row_ = nullptr;
    throw StoreError(kStoreUsageError, "The store connection was closed while the rows of a query were read");
  }
  row_ = mysql_fetch_row(result_);
  if (row_ != nullptr) {
    lengths_ = mysql_fetch_lengths(result_);
    return 0;
  }
  lengths_ = nullptr;
  if (!streaming_) return 0;
  unsigned code = mysql_errno(link_->mysql());
  if (code == 0) {
    // All rows read: the connection is free again; the names stay readable.
    Release();
  }
  return code;
}

void StoreCursor::Next() {
  if (row_ == nullptr) return;
  unsigned code = Fetch();
  if (code == 0) return;
  StoreError error = link_->LastError();
  Release();
  if (IsLostConnectionCode(code)) {
    // Rows were handed out already, so the query cannot be run again here; make the connection
    // usable for what comes next and report.
    std::string message = error.message() + " (the connection was lost while the rows were read)";
    try {
      link_->Reopen();
    } catch (const StoreError& reconnect) {
      message += "; reconnecting failed: " + reconnect.message();
    }
    StoreError lost(error.kind(), message, error.code());
    lost.set_connection_lost(true);
    throw lost;
  }
  throw error;
}

std::uint64_t StoreCursor::RowCount() const {
  if (streaming_) throw StoreError(kStoreUsageError, "A streaming query has no row count; open it buffered");
  return result_ == nullptr ? 0 : mysql_num_rows(result_);
}

const std::string& StoreCursor::ColumnName(std::size_t index) const {
  if (index >= names_.size()) {
    throw StoreError(kStoreUsageError, "Column " + std::to_string(index) + " is not in the result");
  }
  return names_[index];
}

bool StoreCursor::HasColumn(std::string_view name) const {
  return index_by_name_.find(LowerAscii(name)) != index_by_name_.end();
}

std::size_t StoreCursor::ColumnIndex(std::string_view name) const {
  auto found = index_by_name_.find(LowerAscii(name));
  if (found == index_by_name_.end()) {
    throw StoreError(kStoreUsageError, "Column [" + std::string(name) + "] is not in the result");
  }
  return found->second;
}

bool StoreCursor::IsNull(std::size_t column) const {
  if (row_ == nullptr) throw StoreError(kStoreUsageError, "The query has no current row");
  ColumnName(column);
  return row_[column] == nullptr;
}

std::string_view StoreCursor::Cell(std::size_t column) const {
  if (IsNull(column)) return {};
  return std::string_view(row_[column], lengths_[column]);
}

std::string StoreCursor::Text(std::size_t column) const { return std::string(Cell(column)); }

std::int64_t StoreCursor::Int64(std::size_t column) const {
  std::string_view text = TrimBlanks(Cell(column));
  if (IsNull(column)) return 0;
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    ThrowConversion(text, "an integer");
  }
  return value;
}

double StoreCursor::Decimal(std::size_t column) const {
  std::string_view text = TrimBlanks(Cell(column));
  if (IsNull(column)) return 0;
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    ThrowConversion(text, "a decimal number");
  }
  return value;
}

}  // namespace quarvel::platform
