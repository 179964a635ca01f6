#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "bench/catalogue_generator/sqlite_database.h"

namespace quarvel::bench {

// The catalogue's DDL, read from the same file the small test catalogue is built from, so a
// generated catalogue has exactly the fixture's shape. Index statements are held back: building
// an index once over the finished table is much faster than keeping it up to date row by row.
class SchemaScript {
 public:
  static SchemaScript Read(const std::filesystem::path& path);
  explicit SchemaScript(std::string text) : text_(std::move(text)) {}

  // Runs every statement except CREATE [UNIQUE] INDEX, which it keeps for CreateIndexes.
  void CreateTables(SqliteDatabase& db);
  void CreateIndexes(SqliteDatabase& db);
  const std::vector<std::string>& deferred_indexes() const { return indexes_; }

 private:
  std::string text_;
  std::vector<std::string> indexes_;
};

// True when the statement (after blanks and comments) begins CREATE INDEX or CREATE UNIQUE INDEX.
bool IsCreateIndex(const std::string& statement);

}  // namespace quarvel::bench
