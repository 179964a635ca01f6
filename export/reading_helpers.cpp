#include "export/reading_helpers.h"

#include <charconv>
#include <fstream>
#include <stdexcept>

#include "core/case_mapping.h"
#include "core/text.h"
#include "export/catalogue_tables.h"

namespace quarvel::exporting {

std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t offset = 0;
  for (std::size_t n = 0; n < count && offset < text.size(); ++n) offset = DecodeUtf8At(text, offset).next;
  return std::string(text.substr(0, offset));
}

bool HasPlaceholder(std::string_view text, std::string_view placeholder) {
  if (placeholder.empty()) return false;
  // Replacing by a text the placeholder cannot contain tells whether it occurs anywhere.
  return ReplaceAllIgnoreCase(text, placeholder, "\x01") != text;
}

std::optional<std::int64_t> ParseId(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::string SafeIdList(std::string_view list) {
  std::string out;
  while (!list.empty()) {
    std::size_t comma = list.find(',');
    std::optional<std::int64_t> id = ParseId(list.substr(0, comma));
    if (id) {
      if (!out.empty()) out += ',';
      out += std::to_string(*id);
    }
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return out;
}

std::string JoinIds(std::span<const std::int64_t> ids) {
  std::string list;
  for (std::int64_t id : ids) {
    if (!list.empty()) list += ',';
    list += std::to_string(id);
  }
  return list;
}

std::string JoinSqlLines(std::initializer_list<std::string> lines) {
  std::string sql;
  for (const std::string& line : lines) {
    if (!sql.empty()) sql += "\r\n";
    sql += line;
  }
  return sql;
}

std::string CountryTest(std::string_view column, int country_id) {
  return std::string(column) + " SUBRANGE(" + std::to_string(country_id) + " CAST INTEGER) =1";
}

std::int64_t ReadMaxId(platform::CatalogueConnection& catalogue, const std::string& sql) {
  platform::CatalogueCursor cursor = catalogue.Query(sql);
  if (cursor.AtEnd() || cursor.ColumnCount() < 1) return 0;
  std::optional<std::int64_t> value = ParseId(cursor.Text(0));
  return value && *value > 0 ? *value : 0;
}

double ReadDecimal(std::string_view text) {
  std::string number = Trim(text);
  for (char& c : number)
    if (c == ',') c = '.';
  std::string_view view = number;
  if (!view.empty() && view.front() == '+') view.remove_prefix(1);
  if (view.empty()) return 0;
  double value = 0;
  auto [end, ec] = std::from_chars(view.data(), view.data() + view.size(), value);
  if (ec != std::errc() || end != view.data() + view.size()) return 0;
  return value;
}

std::unordered_set<std::int64_t> ReadIdFile(const std::filesystem::path& path, std::int64_t max_id) {
  std::unordered_set<std::int64_t> ids;
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return ids;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  bool first = true;
  // A lone CR ends a line as well: split on CR and LF, empty pieces are skipped anyway.
  while (std::getline(in, line)) {
    std::string_view rest = line;
    if (first && rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
    first = false;
    while (true) {
      std::size_t cr = rest.find('\r');
      std::optional<std::int64_t> id = ParseId(rest.substr(0, cr));
      if (id && *id >= 1 && *id <= max_id) ids.insert(*id);
      if (cr == std::string_view::npos) break;
      rest.remove_prefix(cr + 1);
    }
  }
  return ids;
}

CatalogueTables& Tables(ExportRun& run) {
  if (run.tables == nullptr) throw std::logic_error("The export run has no catalogue tables.");
  return *run.tables;
}

}  // namespace quarvel::exporting
