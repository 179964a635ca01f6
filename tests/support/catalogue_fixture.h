#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/options.h"
#include "tests/support/temp_folder.h"

namespace quarvel::test {

// The four catalogue connection settings ("DRIVER", "DATABASE", "LOGIN", "PASSWORD").
struct CatalogueSettings {
  std::string driver;
  std::string database;
  std::string login;
  std::string password;
};

// A SQLite catalogue file in a temporary folder, reached through the SQLite ODBC driver without
// any system ODBC configuration. Built from tests/fixtures/catalogue_schema.sql, then (unless
// kSchemaOnly) tests/fixtures/catalogue_data.sql, then the extra SQL given.
class CatalogueFixture {
 public:
  enum class Contents { kStandardData, kSchemaOnly };

  explicit CatalogueFixture(std::string_view extra_sql = {}, Contents contents = Contents::kStandardData);

  const std::filesystem::path& database_path() const { return database_path_; }
  // Driver = the SQLite ODBC driver library, database = the file opened read-only.
  const CatalogueSettings& settings() const { return settings_; }

 private:
  TempFolder folder_;
  std::filesystem::path database_path_;
  CatalogueSettings settings_;
};

// Path of the SQLite ODBC driver library (QUARVEL_SQLITE_ODBC_DRIVER overrides the search).
std::filesystem::path SqliteOdbcDriverPath();

// Points ODBCSYSINI/ODBCINI at an empty folder of this process, so no data source or driver of the
// machine takes part. Idempotent.
void UseEmptyOdbcConfiguration();

// The catalogue connection settings "DRIVER" and "DATABASE" of a fixture catalogue.
void SetCatalogueOptions(Options& options, const CatalogueSettings& catalogue);

// Creates (or extends) a SQLite database file by running the SQL texts in order; throws on error.
void RunSqliteScript(const std::filesystem::path& database, std::string_view sql);

// The fixture file of tests/fixtures with the given name, read whole.
std::string ReadCatalogueFixtureFile(const std::string& name);

}  // namespace quarvel::test
