#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "export/export_context.h"
#include "export/store_columns.h"

namespace quarvel::exporting {

// Articles per cross-reference query and per criteria query. Each query sorts its rows by the
// article id as text, and tag and value ids are given in that order, so the batch sizes shape the
// output and must not change.
inline constexpr std::size_t kTagArticlesPerQuery = 100;
inline constexpr std::size_t kCriteriaArticlesPerQuery = 10;

// The line at the top of every tag file: adds the store tag's id_manufacturer column through a
// throw-away procedure that ignores "duplicate column" (1060), so each tag file runs on its own
// whether or not the column is already there.
std::string TagFileHeader(std::string_view prefix);

// The cross references (own, trade, OE and comparable numbers) of a batch of articles valid in the
// country: ARTID, BRAND, BRANDID, CODE, ordered by ARTID, BRAND, CODE.
std::string CrossReferenceTagSql(int country_id, std::span<const std::int64_t> article_ids);

// The criteria values of a batch of articles in the catalogue language (plain values and key
// values of that language): ARTID, CRIID, CRIVALUE, ordered by ARTID, CRIID, ACR_SORT.
std::string FeatureValueSql(int language_id, std::span<const std::int64_t> article_ids);

// The key values of the same articles translated into one more catalogue language, in the same
// order; plain values have no translation and give no row.
std::string FeatureValueLanguageSql(int language_id, std::span<const std::int64_t> article_ids);

// The products stage's second half: the exported products' cross-reference numbers as store tags
// (tag, product_tag), the catalogue criteria as store features (feature, feature_lang,
// feature_shop; "Clean store" only) and each product's criteria values (feature_value,
// feature_value_lang, feature_product). Runs when the scope holds the product tables; the products
// stage's "is OK" line follows it (LogProductsDone). A row that would name product 0 or feature 0 (a
// criterion the store has no feature for) is left out. Throws ExportStopped when the user stops,
// platform::CatalogueError on a catalogue error, std::runtime_error on a file error.
void WriteTagsAndFeatures(ExportRun& run, const StoreColumns& columns);

}  // namespace quarvel::exporting
