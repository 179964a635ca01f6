#include "bench/export_full/plain_read.h"

#include <chrono>
#include <stdexcept>

#include "platform/catalogue/catalogue_sql_rewriter.h"

namespace quarvel::bench {

PlainReadReport ReadRows(platform::CatalogueConnection& catalogue, const std::vector<std::string>& statements,
                         const std::vector<std::int64_t>& rows) {
  if (rows.size() != statements.size()) throw std::runtime_error("a row count for every statement is needed");
  PlainReadReport report;
  // The recorded texts were already rewritten for the backend; a second rewrite must leave them as
  // they are, or the replay would not be the same work.
  for (const std::string& sql : statements)
    if (platform::RewriteCatalogueSql(sql, catalogue.dialect()) != sql) ++report.rewritten;

  const auto start = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < statements.size(); ++i) {
    platform::CatalogueCursor cursor = catalogue.Query(statements[i]);
    const int columns = cursor.ColumnCount();
    // The first row was fetched with the query, as in the export.
    for (std::int64_t row = 0; row < rows[i] && !cursor.AtEnd(); ++row, cursor.Next()) {
      for (int column = 0; column < columns; ++column) {
        report.bytes += static_cast<std::int64_t>(cursor.Text(column).size());
        ++report.cells;
      }
      ++report.rows;
    }
    ++report.statements;
  }
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return report;
}

}  // namespace quarvel::bench
