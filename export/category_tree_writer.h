#pragma once

#include <cstdint>

#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// The fixed top of the store's category tree in one run: Root, Home and the two group categories
// ("VEHICLE" and "PARTS", named by the user).
struct TopCategories {
  // "Clean store", or a store without categories: Root 1, Home 2, VEHICLE 3, PARTS 4 are written as
  // the fixed top. Otherwise the top categories are the store's own where it has them, and only the
  // new ones (id above the store's largest category id) are written.
  bool fixed = true;
  std::int64_t home = 2;
  std::int64_t vehicle = 3;  // 0: the store has none and the VEHICLE tree is off
  std::int64_t parts = 4;    // 0: likewise for PARTS
  bool home_new = true;
  bool vehicle_new = true;
  bool parts_new = true;
};

// Decides the top category ids; in an "Addition to the existing data" run into a store that has
// categories it looks up the store's Home (largest root category) and the two groups by their
// names. Throws what the store connection throws.
TopCategories DecideTopCategories(ExportRun& run);

// The second writing stage: the tables category, category_group, category_lang and category_shop,
// one after the other, each walking the tree in the same order (top, the PARTS tree in a "Clean
// store" run, the VEHICLE tree). Runs when the scope holds the category tables. Logs the stage's
// start and table lines; LogCategoriesDone closes the stage after the product-category links.
void WriteCategoryTree(ExportRun& run, const StoreColumns& columns);

// "] Data files of categories is OK" and "---" when the categories stage ran.
void LogCategoriesDone(ExportRun& run);

}  // namespace quarvel::exporting
