#include "bench/catalogue_generator/schema_script.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace quarvel::bench {
namespace {

// Skips blanks, "-- ..." line comments and "/* ... */" block comments.
std::size_t SkipBlanksAndComments(const std::string& text, std::size_t at) {
  while (at < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[at]))) {
      ++at;
    } else if (text.compare(at, 2, "--") == 0) {
      std::size_t end = text.find('\n', at);
      at = end == std::string::npos ? text.size() : end + 1;
    } else if (text.compare(at, 2, "/*") == 0) {
      std::size_t end = text.find("*/", at + 2);
      at = end == std::string::npos ? text.size() : end + 2;
    } else {
      break;
    }
  }
  return at;
}

// The next word from `at` in upper case; `at` moves past it and the blanks after it.
std::string NextWord(const std::string& text, std::size_t& at) {
  at = SkipBlanksAndComments(text, at);
  std::string word;
  while (at < text.size() && (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_')) {
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
    ++at;
  }
  return word;
}

}  // namespace

bool IsCreateIndex(const std::string& statement) {
  std::size_t at = 0;
  if (NextWord(statement, at) != "CREATE") return false;
  std::string word = NextWord(statement, at);
  if (word == "UNIQUE") word = NextWord(statement, at);
  return word == "INDEX";
}

SchemaScript SchemaScript::Read(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw GeneratorError("Cannot read the catalogue schema \"" + path.string() + "\"");
  std::ostringstream text;
  text << file.rdbuf();
  return SchemaScript(text.str());
}

void SchemaScript::CreateTables(SqliteDatabase& db) {
  indexes_.clear();
  // SQLite itself finds where each statement ends (quotes, comments, semicolons in literals).
  const char* rest = text_.c_str();
  int executed = 0;
  while (*rest != '\0') {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db.handle(), rest, -1, &raw, &tail) != SQLITE_OK) {
      std::string message = sqlite3_errmsg(db.handle());
      throw GeneratorError("Catalogue schema: " + message + " near \"" + std::string(rest).substr(0, 200) +
                           "\"");
    }
    std::string statement(rest, static_cast<std::size_t>(tail - rest));
    rest = tail;
    if (raw == nullptr) continue;  // only blanks or comments
    SqliteStatement prepared(db, raw);
    if (IsCreateIndex(statement)) {
      indexes_.push_back(statement);
      continue;
    }
    while (prepared.Step()) {
    }
    ++executed;
  }
  if (executed == 0) throw GeneratorError("The catalogue schema creates no tables");
}

void SchemaScript::CreateIndexes(SqliteDatabase& db) {
  for (const std::string& statement : indexes_) db.Execute(statement);
}

}  // namespace quarvel::bench
