#include "tests/main_job/written_rows.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace quarvel::test {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// Walks `text` and calls `visit(position)` for every character outside quoted strings and
// back-quoted names. Inside ' and " a backslash escapes the next character and a doubled quote
// stands for one, as MySQL reads them.
template <typename Visit>
void ForEachUnquoted(std::string_view text, Visit visit) {
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == '\\' && quote != '`') {
        ++i;
      } else if (c == quote) {
        if (i + 1 < text.size() && text[i + 1] == quote) {
          ++i;
        } else {
          quote = 0;
        }
      }
      continue;
    }
    if (c == '\'' || c == '"' || c == '`') {
      quote = c;
      continue;
    }
    if (!visit(i)) return;
  }
}

// Rows of one "INSERT INTO `t` (columns) VALUES (...),(...)" statement; -1 when it is not one.
long InsertedRows(std::string_view statement, std::string& table) {
  constexpr std::string_view kInsert = "INSERT INTO `";
  if (!statement.starts_with(kInsert)) return -1;
  const size_t name_end = statement.find('`', kInsert.size());
  if (name_end == std::string_view::npos) return -1;
  table = std::string(statement.substr(kInsert.size(), name_end - kInsert.size()));

  // The column list ends at the first unquoted ")"; VALUES must follow it.
  std::string_view rest = statement.substr(name_end + 1);
  size_t columns_end = std::string_view::npos;
  ForEachUnquoted(rest, [&](size_t i) {
    if (rest[i] != ')') return true;
    columns_end = i;
    return false;
  });
  if (columns_end == std::string_view::npos) return -1;
  std::string_view values = Trimmed(rest.substr(columns_end + 1));
  if (!StartsWithNoCase(values, "VALUES")) return -1;
  values.remove_prefix(6);

  // A row is a parenthesised group at the top level; NOW() and the like nest inside it.
  long rows = 0;
  int depth = 0;
  bool well_formed = true;
  ForEachUnquoted(values, [&](size_t i) {
    const char c = values[i];
    if (c == '(') {
      if (depth++ == 0) ++rows;
    } else if (c == ')') {
      if (--depth < 0) well_formed = false;
    } else if (depth == 0 && c != ',' && !std::isspace(static_cast<unsigned char>(c))) {
      well_formed = false;
    }
    return well_formed;
  });
  return well_formed && depth == 0 && rows > 0 ? rows : -1;
}

void CountStatement(std::string_view statement, WrittenRows& rows) {
  statement = Trimmed(statement);
  if (statement.empty() || StartsWithNoCase(statement, "CREATE TABLE")) return;
  std::string table;
  const long inserted = InsertedRows(statement, table);
  if (inserted < 0) {
    rows.unrecognised.emplace_back(statement.substr(0, 200));
    return;
  }
  rows.per_table[table] += inserted;
}

}  // namespace

void CountWrittenRows(std::string_view script, WrittenRows& rows) {
  while (script.starts_with(kBom)) script.remove_prefix(kBom.size());
  size_t start = 0;
  while (start < script.size()) {
    // The tag file's procedure header is one line with its own delimiter: not a row statement.
    std::string_view ahead = Trimmed(script.substr(start));
    if (StartsWithNoCase(ahead, "drop procedure")) {
      const size_t header = script.size() - ahead.size();
      const size_t line_end = script.find('\n', header);
      start = line_end == std::string_view::npos ? script.size() : line_end + 1;
      continue;
    }
    std::string_view remaining = script.substr(start);
    size_t end = std::string_view::npos;
    ForEachUnquoted(remaining, [&](size_t i) {
      if (remaining[i] != ';') return true;
      end = i;
      return false;
    });
    if (end == std::string_view::npos) {
      CountStatement(remaining, rows);
      return;
    }
    CountStatement(remaining.substr(0, end), rows);
    start += end + 1;
  }
}

WrittenRows CountFolderRows(const std::filesystem::path& folder) {
  WrittenRows rows;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".sql") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    CountWrittenRows(text.str(), rows);
  }
  return rows;
}

}  // namespace quarvel::test
