#pragma once

#include <string>
#include <string_view>

#include "platform/catalogue/catalogue_dialect.h"

namespace quarvel::platform {

// Rewrites catalogue SQL written for Transbase into the given backend's dialect:
//  - CAST(x AS VARCHAR(*))            -> CAST(x AS TEXT) (SQLite) / CAST(x AS CHAR) (MySQL), still text;
//  - col SUBRANGE(n CAST INTEGER) =1  -> INSTR(col, ',n,') > 0  (=0 -> = 0; no comparison -> 0/1 value),
//    for country fields held as comma-framed id lists;
//  - (SELECT ...) UNION (SELECT ...)  -> bare compound members for SQLite, which rejects parentheses
//    around them (a member with its own ORDER BY/LIMIT becomes SELECT * FROM (...)).
// String literals, quoted identifiers and comments pass through untouched. Transbase gets the text
// unchanged. One pass over the tokens; text that does not match a pattern is left as it is.
std::string RewriteCatalogueSql(std::string_view sql, CatalogueDialect dialect);

}  // namespace quarvel::platform
