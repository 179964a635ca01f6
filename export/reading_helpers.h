#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

#include "export/export_context.h"
#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

// Small pieces the reading stages share.

// The first `count` characters (UTF-8 code points; a byte that starts no valid sequence counts
// as one), never a partial sequence.
std::string FirstCharacters(std::string_view text, std::size_t count);

// True when `placeholder` occurs in `text`, compared as the template expansion compares (Unicode
// simple case folding), so a field is read exactly when its placeholder will be replaced.
bool HasPlaceholder(std::string_view text, std::string_view placeholder);

// A whole decimal number, blanks and control characters around it allowed; nothing otherwise.
std::optional<std::int64_t> ParseId(std::string_view text);

// A comma-separated id list rebuilt from the items that are whole numbers, so nothing but
// numbers reaches an IN (...) list; empty when no item is a number.
std::string SafeIdList(std::string_view list);

// Ids joined by commas, for an IN (...) list of a batched statement.
std::string JoinIds(std::span<const std::int64_t> ids);

// Catalogue statement lines joined by line breaks.
std::string JoinSqlLines(std::initializer_list<std::string> lines);

// "col SUBRANGE(country CAST INTEGER) =1".
std::string CountryTest(std::string_view column, int country_id);

// The value of a "SELECT CAST(MAX(..) AS VARCHAR(*)) ..." statement: 0 when it returns no row or
// no number. A failing statement throws like any catalogue error.
std::int64_t ReadMaxId(platform::CatalogueConnection& catalogue, const std::string& sql);

// A number written with "." or "," as decimal separator; 0 when the trimmed text is not one.
double ReadDecimal(std::string_view text);

// The ids listed in an id file (one per line) that lie in 1 .. max_id. Empty when the file is
// missing, unreadable or lists no such id: the caller then does not filter.
std::unordered_set<std::int64_t> ReadIdFile(const std::filesystem::path& path, std::int64_t max_id);

// Runs the run's stop check when one is wired.
inline void CheckStop(ExportRun& run) {
  if (run.check_stop) run.check_stop();
}
inline void LogTimed(ExportRun& run, const std::string& text) {
  if (run.log_timed) run.log_timed(text);
}
inline void LogLine(ExportRun& run, const std::string& text) {
  if (run.log_line) run.log_line(text);
}

// The run's catalogue tables; throws std::logic_error when the run has none.
CatalogueTables& Tables(ExportRun& run);

}  // namespace quarvel::exporting
