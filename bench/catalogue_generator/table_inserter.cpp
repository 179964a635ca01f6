#include "bench/catalogue_generator/table_inserter.h"

namespace quarvel::bench {
namespace {

std::string InsertSql(const std::string& table, std::initializer_list<std::string_view> columns) {
  std::string names;
  std::string places;
  for (std::string_view column : columns) {
    if (!names.empty()) {
      names += ", ";
      places += ", ";
    }
    names += column;
    places += '?';
  }
  return "INSERT INTO " + table + " (" + names + ") VALUES (" + places + ")";
}

}  // namespace

TableInserter::TableInserter(SqliteDatabase& db, std::string table,
                             std::initializer_list<std::string_view> columns)
    : table_(std::move(table)),
      statement_(db.Prepare(InsertSql(table_, columns))),
      parameters_(statement_.ParameterCount()) {}

}  // namespace quarvel::bench
