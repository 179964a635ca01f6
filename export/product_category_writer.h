#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "export/catalogue_tables.h"
#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// Vehicle types per applicability statement of the vehicle links. The statement orders its rows by
// the type and article ids as text within one batch, so the batch size shapes the file's row order.
inline constexpr std::size_t kLinkTypesPerBatch = 10;

// Equivalent store products whose category placement one new product copies, at most.
inline constexpr std::size_t kMaxEquivalents = 50;

// The last step of the categories stage: the table category_product, which puts every product into
// its generic-article category of the PARTS tree and into the generic-article categories under each
// vehicle type it fits. In an "Addition to the existing data" run it first writes
// category_product.additional.1.sql, whose statements give each new product the store categories of
// its equivalents that are store products already; the vehicle links then also take the parts that
// are store products already. Runs when the scope holds both the product and the category tables.
// Throws ExportStopped when the user stops, std::runtime_error on a file error, and what the
// catalogue connection throws.
void WriteProductCategoryLinks(ExportRun& run, const StoreColumns& columns);

// The applicability statement of one batch of vehicle type ids: (TYPID, ARTID) rows.
std::string VehicleLinksSql(int country_id, std::span<const std::int64_t> type_ids);

// The statement finding the equivalents of an article (ARTID rows): articles listing its number and
// brand among their comparable numbers, and articles whose number and supplier it lists among its own.
std::string EquivalentsSql(int country_id, const Part& part);

// The copy statement of one new product: the categories below `first_new_category` that any of
// `equivalent_products` is in, with their positions. A pair the store has already is skipped, so
// one duplicate never costs the product every other copied category.
std::string CopyPlacementStatement(std::string_view prefix, std::int64_t product_id,
                                   std::span<const std::int64_t> equivalent_products,
                                   std::int64_t first_new_category);

}  // namespace quarvel::exporting
