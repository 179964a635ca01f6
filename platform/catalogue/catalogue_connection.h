#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/catalogue/catalogue_cursor.h"
#include "platform/catalogue/catalogue_dialect.h"
#include "platform/catalogue/catalogue_error.h"

namespace quarvel::platform {

namespace odbc {
class Environment;
class Link;
}  // namespace odbc

// The read-only connection to the TecDoc catalogue through an ODBC driver manager.
//
// Queries are written in the catalogue's own (Transbase) dialect; after connecting, the backend is
// asked for its name and the SQL is rewritten for SQLite or MySQL/MariaDB (RewriteCatalogueSql).
//
// Several cursors may be open at once. The SQLite ODBC driver streams rows only in its StepAPI mode,
// and then serves one active statement per connection; so for SQLite the connection streams and opens
// further connections to the same database, one per cursor that is open at the same time (the file is
// opened read-only, which makes the extra connections cheap and consistent). Other drivers run every
// cursor on the one connection.
class CatalogueConnection {
 public:
  static constexpr int kLoginTimeoutSeconds = 30;

  CatalogueConnection();
  ~CatalogueConnection();
  CatalogueConnection(const CatalogueConnection&) = delete;
  CatalogueConnection& operator=(const CatalogueConnection&) = delete;

  // `driver` names an ODBC data source ("DSN=name", or a bare name registered as a data source), a
  // registered driver ("{name}" or a bare name) or a driver library (a path, or a name ending in
  // .so/.dll). Never prompts. Throws CatalogueError; the connection is then closed.
  void Connect(const std::string& driver, const std::string& database, const std::string& login,
               const std::string& password);
  bool IsOpen() const { return !links_.empty(); }
  // Closes the connection. Cursors still open keep their own statement until they are closed.
  void Close();

  CatalogueDialect dialect() const { return dialect_; }
  const std::string& dbms_name() const { return dbms_name_; }

  // Runs a query (after rewriting it for the backend) and returns a cursor on its first row.
  // Throws CatalogueError with the driver's message and the SQL text as sent.
  CatalogueCursor Query(std::string_view sql);

 private:
  std::shared_ptr<odbc::Link> FreeLink();
  bool IsDataSourceName(const std::string& name) const;

  std::shared_ptr<odbc::Environment> env_;
  std::string connection_string_;
  std::vector<std::shared_ptr<odbc::Link>> links_;
  bool one_statement_per_link_ = false;
  CatalogueDialect dialect_ = CatalogueDialect::kTransbase;
  std::string dbms_name_;
};

}  // namespace quarvel::platform
