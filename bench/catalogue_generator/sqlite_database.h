#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quarvel::bench {

// Any failure of the generator: bad arguments, an unreadable schema, a SQLite error.
class GeneratorError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SqliteStatement;

// One open SQLite file, closed on destruction.
class SqliteDatabase {
 public:
  explicit SqliteDatabase(const std::filesystem::path& path);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Runs one or more statements that return no rows of interest.
  void Execute(const std::string& sql);
  SqliteStatement Prepare(std::string_view sql);
  // First column of the first row as an integer (0 when there is no row).
  std::int64_t QueryInteger(const std::string& sql);

  sqlite3* handle() const { return db_; }
  [[noreturn]] void Fail(std::string_view what) const;

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement; values are bound by 1-based position.
class SqliteStatement {
 public:
  SqliteStatement(SqliteDatabase& db, sqlite3_stmt* statement) : db_(&db), statement_(statement) {}
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&&) = delete;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  void Bind(int index, std::int64_t value);
  void Bind(int index, std::string_view text);
  void BindBlob(int index, std::string_view bytes);
  void BindNull(int index);
  // Steps once; true while a row is available.
  bool Step();
  void Reset();
  std::int64_t ColumnInteger(int index) const { return sqlite3_column_int64(statement_, index); }
  std::string ColumnText(int index) const;
  int ParameterCount() const { return sqlite3_bind_parameter_count(statement_); }

 private:
  void Check(int rc, std::string_view what);

  SqliteDatabase* db_;
  sqlite3_stmt* statement_;
};

}  // namespace quarvel::bench
