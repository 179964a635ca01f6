#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/store/store_connection.h"

namespace quarvel::exporting {

// The columns the store's tables have, learnt once per run, so that one script serves every store
// generation: a column the store lacks (1.6 has some that 9 dropped, and the other way round) is
// left out of the statements instead of failing the whole upload.
//
// A table the export did not learn (no store connection, or the store has no such table yet, like
// this system's own tables created by a file's header line) keeps every column.
class StoreColumns {
 public:
  // Knows no table: every column counts as present.
  StoreColumns() = default;

  // Reads information_schema.COLUMNS of the connection's current database for `prefix` + each bare
  // table name. Throws what the store connection throws.
  static StoreColumns Learn(platform::StoreConnection& store, std::string_view prefix,
                            const std::vector<std::string>& tables);

  // The bare names of every store table the export writes.
  static const std::vector<std::string>& ExportedTables();

  // Records a table's columns (bare table name); used by Learn and by tests.
  void AddTable(std::string_view table, const std::vector<std::string>& columns);

  bool Knows(std::string_view table) const;
  // True when the store has the column, or when the table was not learnt. Names compare without
  // regard to ASCII case, as MySQL compares column names.
  bool Has(std::string_view table, std::string_view column) const;

 private:
  std::unordered_map<std::string, std::unordered_set<std::string>> tables_;  // lower-case names
};

// The column list of one table as the store takes it: the full list a writer knows, with the columns
// the store lacks dropped. Decided once per table when the writer starts; rows are then built with
// TableRow, which skips the dropped columns' values, so no row pays for a lookup.
class TableColumns {
 public:
  TableColumns(const StoreColumns& store, std::string_view table,
               std::initializer_list<std::string_view> columns);

  // "`a`,`b`,..." of the kept columns, for TableScriptWriter.
  const std::string& List() const { return list_; }
  std::size_t size() const { return keep_.size(); }
  bool Keeps(std::size_t column) const { return keep_[column]; }
  bool KeepsAll() const { return keeps_all_; }

 private:
  std::vector<bool> keep_;
  std::string list_;
  bool keeps_all_ = true;
};

// One row's values text for a TableColumns, given in the table's full column order: the value of a
// dropped column is not written. Reuse one TableRow per table and Clear() it for each row.
class TableRow {
 public:
  explicit TableRow(const TableColumns& columns) : columns_(columns) {}

  TableRow& Clear() {
    text_.clear();
    column_ = 0;
    written_ = false;
    return *this;
  }
  TableRow& Integer(std::int64_t value);
  TableRow& Text(std::string_view raw);          // escaped and quoted
  TableRow& Quoted(std::string_view safe_text);  // quoted as it stands
  TableRow& Literal(std::string_view sql);       // as it stands: NOW(), 0.000000

  // The values text; every column of the table must have been given a value.
  std::string_view View() const { return text_; }

 private:
  // Moves to the next column; false when the store does not have this one.
  bool Take();

  const TableColumns& columns_;
  std::size_t column_ = 0;
  bool written_ = false;
  std::string text_;
};

}  // namespace quarvel::exporting
