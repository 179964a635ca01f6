#pragma once

#include "export/export_context.h"

namespace quarvel::exporting {

// The reading stages of an export run, in the order the run calls them. Each logs its own lines,
// calls run.check_stop() after every catalogue row and throws on a catalogue or store error.

// The store category counter at the start of the catalogue reading (the last id given): 4 in a
// "Clean store" run, so the first new category is 5; in addition mode the store's highest category
// id plus one for each fixed root (Root, the vehicle root, the trade-group root) the store lacks,
// or 4 when the store has no categories.
std::int64_t InitialCategoryCounter(bool clean_store, const StoreState& state);

// "Addition to the existing data": the store's highest ids, links and existing trade categories.
void ReadStoreState(ExportRun& run);

// "] Create table of trade groups  ... wait" (always). Sets the category counter to its
// start value.
void ReadTradeGroups(ExportRun& run);
// "] Create table of cars  ... wait", the vehicle category ids and the engine list (when the scope
// includes categories).
void ReadCars(ExportRun& run);
// "] Create table of parts  ... wait" (scope includes products or images).
void ReadParts(ExportRun& run);
// "] Start sorting table of parts  ... wait": product ids, criteria texts and dimensions (same condition).
void AllocateProductIds(ExportRun& run);
// "] Updating categories  ... wait": the trade-group sub-trees under vehicle types (scope includes
// products and categories).
void UpdateVehicleCategories(ExportRun& run);
// "] Create table of manufacturers  ... wait" (always).
void ReadManufacturers(ExportRun& run);
// "] Create table of criteries  ... wait" (always).
void ReadCriteria(ExportRun& run);

}  // namespace quarvel::exporting
