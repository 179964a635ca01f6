#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct st_mysql_res;

namespace quarvel::platform {

class StoreLink;

// The rows of one store query, walked from the first: the cursor stands on the first row when
// it is returned (AtEnd() at once for an empty result); Next() moves on. Columns are read by
// position or by name (case-insensitive) as text, integer or decimal; NULL reads as empty text
// or zero, IsNull() tells it apart.
//
// A buffered cursor holds the whole result and knows its row count. A streaming cursor reads
// the rows from the server as it goes: it has no row count, and while it has rows left the
// connection refuses other statements (see StoreConnection::Query).
class StoreCursor {
 public:
  StoreCursor() = default;
  ~StoreCursor();
  StoreCursor(StoreCursor&& other) noexcept;
  StoreCursor& operator=(StoreCursor&& other) noexcept;
  StoreCursor(const StoreCursor&) = delete;
  StoreCursor& operator=(const StoreCursor&) = delete;

  bool AtEnd() const { return row_ == nullptr; }
  void Next();
  // Frees the result; a streaming cursor gives its connection free for other statements.
  void Close();

  bool IsStreaming() const { return streaming_; }
  // Number of rows of a buffered result; throws for a streaming one.
  std::uint64_t RowCount() const;

  std::size_t ColumnCount() const { return names_.size(); }
  const std::string& ColumnName(std::size_t index) const;
  // Position of a column by name, case-insensitive; throws when the result has no such column.
  std::size_t ColumnIndex(std::string_view name) const;
  bool HasColumn(std::string_view name) const;

  bool IsNull(std::size_t column) const;
  bool IsNull(std::string_view name) const { return IsNull(ColumnIndex(name)); }
  std::string Text(std::size_t column) const;
  std::string Text(std::string_view name) const { return Text(ColumnIndex(name)); }
  // Integer value; NULL is 0; text that is not a whole number throws.
  std::int64_t Int64(std::size_t column) const;
  std::int64_t Int64(std::string_view name) const { return Int64(ColumnIndex(name)); }
  // Decimal value, always with "." as separator whatever the process locale; NULL is 0.
  double Decimal(std::size_t column) const;
  double Decimal(std::string_view name) const { return Decimal(ColumnIndex(name)); }

 private:
  friend class StoreConnection;
  StoreCursor(std::shared_ptr<StoreLink> link, st_mysql_res* result, bool streaming, std::uint64_t stream_id);
  // Reads the next row; returns the client library's error code (0 when the row or the end came).
  unsigned Fetch();
  void Release();
  std::string_view Cell(std::size_t column) const;

  std::shared_ptr<StoreLink> link_;
  st_mysql_res* result_ = nullptr;
  bool streaming_ = false;
  std::uint64_t stream_id_ = 0;
  char** row_ = nullptr;
  unsigned long* lengths_ = nullptr;
  std::vector<std::string> names_;
  std::unordered_map<std::string, std::size_t> index_by_name_;
};

}  // namespace quarvel::platform
