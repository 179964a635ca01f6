#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "bench/catalogue_generator/sqlite_database.h"

namespace quarvel::bench {

// Marks a value bound as a BLOB rather than text.
struct Blob {
  std::string_view bytes;
};

// Inserts rows into one table through one prepared statement, naming its columns so a schema that
// lacks one fails at once with the column named, and counts the rows.
class TableInserter {
 public:
  TableInserter(SqliteDatabase& db, std::string table, std::initializer_list<std::string_view> columns);

  template <typename... Values>
  void Insert(const Values&... values) {
    if (static_cast<int>(sizeof...(Values)) != parameters_) {
      throw GeneratorError("Wrong number of values for " + table_);
    }
    int index = 0;
    (BindValue(++index, values), ...);
    statement_.Step();
    statement_.Reset();
    ++rows_;
  }

  const std::string& table() const { return table_; }
  std::int64_t rows() const { return rows_; }

 private:
  template <typename Value>
  void BindValue(int index, const Value& value) {
    if constexpr (std::is_same_v<Value, std::nullopt_t>) {
      statement_.BindNull(index);
    } else if constexpr (std::is_same_v<Value, Blob>) {
      statement_.BindBlob(index, value.bytes);
    } else if constexpr (std::is_same_v<Value, std::optional<std::int64_t>>) {
      if (value) {
        statement_.Bind(index, *value);
      } else {
        statement_.BindNull(index);
      }
    } else if constexpr (std::is_integral_v<Value>) {
      statement_.Bind(index, static_cast<std::int64_t>(value));
    } else {
      statement_.Bind(index, std::string_view(value));
    }
  }

  std::string table_;
  SqliteStatement statement_;
  int parameters_;
  std::int64_t rows_ = 0;
};

}  // namespace quarvel::bench
