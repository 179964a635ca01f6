#include "export/store_columns.h"

#include <cassert>
#include <charconv>

#include "core/text.h"

namespace quarvel::exporting {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

StoreColumns StoreColumns::Learn(platform::StoreConnection& store, std::string_view prefix,
                                 const std::vector<std::string>& tables) {
  StoreColumns learnt;
  if (tables.empty()) return learnt;
  std::string names;
  std::unordered_map<std::string, std::string> bare_by_full;  // lower-case full name -> bare name
  for (const std::string& table : tables) {
    std::string full = std::string(prefix) + table;
    if (!names.empty()) names += ',';
    names += '\'' + EscapeSql(full) + '\'';
    bare_by_full.emplace(Lower(full), table);
  }
  // One round trip for all tables; the names come back as the server stores them.
  std::unordered_map<std::string, std::vector<std::string>> columns;
  for (platform::StoreCursor c = store.Query(
           "SELECT TABLE_NAME, COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
           "AND TABLE_NAME IN (" +
           names + ") ORDER BY TABLE_NAME, ORDINAL_POSITION");
       !c.AtEnd(); c.Next()) {
    auto bare = bare_by_full.find(Lower(c.Text(0)));
    if (bare != bare_by_full.end()) columns[bare->second].push_back(c.Text(1));
  }
  for (const auto& [table, list] : columns) learnt.AddTable(table, list);
  return learnt;
}

const std::vector<std::string>& StoreColumns::ExportedTables() {
  static const std::vector<std::string> tables = {
      "supplier",           "supplier_lang",   "supplier_shop",  "manufacturer",  "manufacturer_lang",
      "manufacturer_shop",  "category",        "category_group", "category_lang", "category_shop",
      "category_product",   "product",         "product_lang",   "product_shop",  "tag",
      "product_tag",        "feature",         "feature_lang",   "feature_shop",  "feature_value",
      "feature_value_lang", "feature_product", "image",          "image_lang",    "image_shop"};
  return tables;
}

void StoreColumns::AddTable(std::string_view table, const std::vector<std::string>& columns) {
  std::unordered_set<std::string>& set = tables_[Lower(table)];
  for (const std::string& column : columns) set.insert(Lower(column));
}

bool StoreColumns::Knows(std::string_view table) const { return tables_.count(Lower(table)) != 0; }

bool StoreColumns::Has(std::string_view table, std::string_view column) const {
  auto it = tables_.find(Lower(table));
  return it == tables_.end() || it->second.count(Lower(column)) != 0;
}

TableColumns::TableColumns(const StoreColumns& store, std::string_view table,
                           std::initializer_list<std::string_view> columns) {
  keep_.reserve(columns.size());
  for (std::string_view column : columns) {
    const bool keep = store.Has(table, column);
    keep_.push_back(keep);
    keeps_all_ = keeps_all_ && keep;
    if (!keep) continue;
    if (!list_.empty()) list_ += ',';
    list_.append("`").append(column).append("`");
  }
}

bool TableRow::Take() {
  assert(column_ < columns_.size());
  const bool keep = columns_.Keeps(column_++);
  if (keep && written_) text_ += ',';
  written_ = written_ || keep;
  return keep;
}

TableRow& TableRow::Integer(std::int64_t value) {
  if (Take()) {
    char digits[24];
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  }
  return *this;
}

TableRow& TableRow::Text(std::string_view raw) {
  if (Take()) text_.append("'").append(EscapeSql(raw)).append("'");
  return *this;
}

TableRow& TableRow::Quoted(std::string_view safe_text) {
  if (Take()) text_.append("'").append(safe_text).append("'");
  return *this;
}

TableRow& TableRow::Literal(std::string_view sql) {
  if (Take()) text_.append(sql);
  return *this;
}

}  // namespace quarvel::exporting
