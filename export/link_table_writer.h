#pragma once

#include <string>
#include <string_view>

#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// "CREATE TABLE IF NOT EXISTS ..." of one of this system's link tables, the line at the top of each
// of its files: the scripts create the tables they fill.
std::string LinkTableHeader(std::string_view prefix, std::string_view table);

// The last writing stage: the tables that map store ids to the catalogue ids they were made from
// (vehicle-type categories, products, suppliers, manufacturers), each under its own condition
// (LinkTablesToWrite). A row whose store id is 0 (the store has no such row) is left out. No stop
// check: the stage is short and its tables are what later runs need to find the rows just written.
// Throws std::runtime_error on a file error.
void WriteLinkTables(ExportRun& run, const StoreColumns& columns);

}  // namespace quarvel::exporting
