#pragma once

#include <cstdint>

#include "export/catalogue_tables.h"
#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// The category every product of a run falls back to when its generic article gives it none that
// exists: Home, 2 in a "Clean store" run, the store's own Home (or the one the run creates) in an
// "Addition to the existing data" run.
std::int64_t FallbackCategory(ExportRun& run);

// The default category of a product: its generic article's category of the PARTS tree when that
// category is written by the run (or is the store's own, in an "Addition" run), otherwise
// `fallback`. A product never names a category that does not exist.
std::int64_t DefaultCategory(const ExportRun& run, const Part& part, std::int64_t fallback);

// The third writing stage, first half: every exported article becomes a store product, written as
// the tables product, product_lang and product_shop, each in its own pass over the parts. With
// "SELECTED TABLES" and the category tables not selected the product file also carries a one-row
// category link per product. Runs when the scope holds the product tables. Logs the stage's start
// and table lines; LogProductsDone closes the stage after the tags and features.
// Throws ExportStopped when the user stops, std::runtime_error on a file error, and what the
// catalogue connection throws while the description texts are read.
void WriteProducts(ExportRun& run, const StoreColumns& columns);

// "] Data files of products is OK" and "---" when the products stage ran.
void LogProductsDone(ExportRun& run);

}  // namespace quarvel::exporting
