#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel::platform {

namespace odbc {
class Link;
}

// One open result of a catalogue query, positioned on its current row. Values are read whole when a
// row is fetched, so columns may be read in any order and any number of times. Columns are found by
// name without regard to letter case, or by position from 0. Text is UTF-8 as the driver delivers it;
// binary columns arrive byte for byte.
class CatalogueCursor {
 public:
  CatalogueCursor(CatalogueCursor&& other) noexcept;
  CatalogueCursor& operator=(CatalogueCursor&& other) noexcept;
  CatalogueCursor(const CatalogueCursor&) = delete;
  CatalogueCursor& operator=(const CatalogueCursor&) = delete;
  ~CatalogueCursor();

  bool AtEnd() const { return at_end_; }
  // Moves to the next row; past the last one AtEnd() turns true and the statement is released.
  void Next();
  void Close();

  int ColumnCount() const { return static_cast<int>(names_.size()); }
  const std::string& ColumnName(int column) const;
  // Position of the named column; throws CatalogueError when the result has no such column.
  int ColumnIndex(std::string_view name) const;

  bool IsNull(int column) const;
  bool IsNull(std::string_view name) const { return IsNull(ColumnIndex(name)); }
  // The value as text; NULL reads as empty text.
  const std::string& Text(int column) const;
  const std::string& Text(std::string_view name) const { return Text(ColumnIndex(name)); }
  // The value as a whole number; NULL reads as 0; text that is not a whole number throws CatalogueError.
  std::int64_t Integer(int column) const;
  std::int64_t Integer(std::string_view name) const { return Integer(ColumnIndex(name)); }

 private:
  friend class CatalogueConnection;
  CatalogueCursor(std::shared_ptr<odbc::Link> link, void* statement, std::string sql);

  void Fetch();
  void ReadColumn(int column);
  void Release();
  const std::optional<std::string>& Value(int column) const;

  std::shared_ptr<odbc::Link> link_;
  void* statement_ = nullptr;  // SQLHSTMT
  std::string sql_;
  std::vector<std::string> names_;
  std::vector<bool> binary_;
  std::vector<std::optional<std::string>> row_;
  bool at_end_ = true;
};

}  // namespace quarvel::platform
