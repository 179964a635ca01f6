#pragma once

#include <string_view>

namespace quarvel::platform {

// The database behind the catalogue's ODBC driver. Catalogue SQL is written for Transbase; the other
// backends get it rewritten (see RewriteCatalogueSql).
enum class CatalogueDialect { kTransbase, kSqlite, kMySql };

// Maps the driver's DBMS name (SQLGetInfo SQL_DBMS_NAME) to a dialect. Anything not recognised is
// treated as Transbase, so the text reaches it unchanged.
CatalogueDialect DialectFromDbmsName(std::string_view dbms_name);

}  // namespace quarvel::platform
