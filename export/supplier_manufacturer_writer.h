#pragma once

#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// The first writing stage: every catalogue brand the slice uses becomes a store manufacturer, and
// every such brand that is also a catalogue supplier a store supplier with the same id (tables
// supplier, supplier_lang, supplier_shop, manufacturer, manufacturer_lang, manufacturer_shop).
// Writes only in a "Clean store" run whose scope holds the product tables; otherwise nothing, not
// even a log line. Throws ExportStopped when the user stops, std::runtime_error on a file error.
void WriteSuppliersAndManufacturers(ExportRun& run, const StoreColumns& columns);

}  // namespace quarvel::exporting
