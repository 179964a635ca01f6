#include "bench/catalogue_generator/sqlite_database.h"

namespace quarvel::bench {

SqliteDatabase::SqliteDatabase(const std::filesystem::path& path) {
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw GeneratorError("Cannot create \"" + path.string() + "\": " + message);
  }
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

void SqliteDatabase::Fail(std::string_view what) const {
  throw GeneratorError(std::string(what) + ": " + sqlite3_errmsg(db_));
}

void SqliteDatabase::Execute(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    throw GeneratorError("SQL failed: " + text + "\n" + sql);
  }
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
    Fail("Cannot prepare \"" + std::string(sql) + "\"");
  }
  return SqliteStatement(*this, statement);
}

std::int64_t SqliteDatabase::QueryInteger(const std::string& sql) {
  SqliteStatement statement = Prepare(sql);
  return statement.Step() ? statement.ColumnInteger(0) : 0;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), statement_(other.statement_) {
  other.statement_ = nullptr;
}

void SqliteStatement::Check(int rc, std::string_view what) {
  if (rc != SQLITE_OK) db_->Fail(std::string(what) + " in \"" + sqlite3_sql(statement_) + "\"");
}

void SqliteStatement::Bind(int index, std::int64_t value) {
  Check(sqlite3_bind_int64(statement_, index, value), "Cannot bind an integer");
}

void SqliteStatement::Bind(int index, std::string_view text) {
  Check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8),
        "Cannot bind a text");
}

void SqliteStatement::BindBlob(int index, std::string_view bytes) {
  Check(sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT),
        "Cannot bind a blob");
}

void SqliteStatement::BindNull(int index) { Check(sqlite3_bind_null(statement_, index), "Cannot bind NULL"); }

bool SqliteStatement::Step() {
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  db_->Fail(std::string("Statement failed: \"") + sqlite3_sql(statement_) + "\"");
}

void SqliteStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::string SqliteStatement::ColumnText(int index) const {
  const unsigned char* text = sqlite3_column_text(statement_, index);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(statement_, index)))
              : std::string();
}

}  // namespace quarvel::bench
