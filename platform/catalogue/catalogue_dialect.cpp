#include "platform/catalogue/catalogue_dialect.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace quarvel::platform {

CatalogueDialect DialectFromDbmsName(std::string_view dbms_name) {
  std::string lower(dbms_name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.find("sqlite") != std::string::npos) return CatalogueDialect::kSqlite;
  if (lower.find("mysql") != std::string::npos || lower.find("mariadb") != std::string::npos) {
    return CatalogueDialect::kMySql;
  }
  return CatalogueDialect::kTransbase;
}

}  // namespace quarvel::platform
