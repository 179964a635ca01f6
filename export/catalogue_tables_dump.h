#pragma once

#include <string>

#include "export/catalogue_tables.h"

namespace quarvel::exporting {

// A canonical text of every in-memory table: records in ascending id order with all their ids,
// flags, texts (quoted, control bytes escaped) and language variants, one line per record and
// one indented line per variant or sub-entry. Two runs that read the same slice give the same
// text, whatever order the rows came in.
std::string DumpCatalogueTables(const CatalogueTables& tables);

}  // namespace quarvel::exporting
