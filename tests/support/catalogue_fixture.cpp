#include "tests/support/catalogue_fixture.h"

#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <system_error>

namespace quarvel::test {
namespace {

std::filesystem::path FixturesFolder() {
  if (const char* folder = std::getenv("QUARVEL_TEST_FIXTURES"); folder != nullptr && *folder != '\0') {
    return folder;
  }
  return std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests" / "fixtures";
}

}  // namespace

std::filesystem::path SqliteOdbcDriverPath() {
  if (const char* path = std::getenv("QUARVEL_SQLITE_ODBC_DRIVER"); path != nullptr && *path != '\0') {
    return path;
  }
  const std::filesystem::path usual = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
  if (std::filesystem::exists(usual)) return usual;
  // Other architectures and distributions keep it in <libdir>/<triplet>/odbc or <libdir>/odbc.
  for (const char* root : {"/usr/lib", "/usr/lib64", "/usr/local/lib"}) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(root) / "odbc" / "libsqlite3odbc.so")) {
      return std::filesystem::path(root) / "odbc" / "libsqlite3odbc.so";
    }
    for (const auto& entry : std::filesystem::directory_iterator(root, ec)) {
      const auto candidate = entry.path() / "odbc" / "libsqlite3odbc.so";
      if (std::filesystem::exists(candidate, ec)) return candidate;
    }
  }
  throw std::runtime_error(
      "the SQLite ODBC driver (libsqlite3odbc.so, package libsqliteodbc) is not installed");
}

void UseEmptyOdbcConfiguration() {
  static const TempFolder folder;
  static const bool done = [] {
    setenv("ODBCSYSINI", folder.path().c_str(), 1);
    setenv("ODBCINI", (folder.path() / "odbc.ini").c_str(), 1);
    return true;
  }();
  (void)done;
}

void SetCatalogueOptions(Options& options, const CatalogueSettings& catalogue) {
  options.SetText(OptionId::ConToTD_Driver, catalogue.driver);
  options.SetText(OptionId::ConToTD_Database, catalogue.database);
}

void RunSqliteScript(const std::filesystem::path& database, std::string_view sql) {
  sqlite3* raw = nullptr;
  if (sqlite3_open(database.c_str(), &raw) != SQLITE_OK) {
    const std::string message = raw != nullptr ? sqlite3_errmsg(raw) : "out of memory";
    sqlite3_close(raw);
    throw std::runtime_error("cannot open " + database.string() + ": " + message);
  }
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
  char* error = nullptr;
  // A throw-away test file needs no journal or syncing; this keeps building a fixture fast.
  const std::string text = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;\n" + std::string(sql);
  if (sqlite3_exec(db.get(), text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error != nullptr ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error("SQL error in " + database.string() + ": " + message);
  }
}

std::string ReadCatalogueFixtureFile(const std::string& name) {
  return ReadFileBytes(FixturesFolder() / name);
}

CatalogueFixture::CatalogueFixture(std::string_view extra_sql, Contents contents)
    : database_path_(folder_ / "catalogue.sqlite") {
  UseEmptyOdbcConfiguration();
  RunSqliteScript(database_path_, ReadCatalogueFixtureFile("catalogue_schema.sql"));
  if (contents == Contents::kStandardData) {
    RunSqliteScript(database_path_, ReadCatalogueFixtureFile("catalogue_data.sql"));
  }
  if (!extra_sql.empty()) RunSqliteScript(database_path_, extra_sql);
  settings_.driver = SqliteOdbcDriverPath().string();
  // The driver opens URI file names; mode=ro makes the catalogue read-only, as the real one is.
  settings_.database = "file:" + database_path_.string() + "?mode=ro";
}

}  // namespace quarvel::test
