#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarvel::exporting {

struct ExportParameters;

// The writing stages of an export, in the order they run.
enum class WritingStage {
  kSuppliersAndManufacturers,
  kCategories,
  kCategoryLinks,
  kProducts,  // products with their tags and features
  kImages,
  kLinkTables,
};

// The stages the run's mode and table choice call for, in running order. `images_configured`:
// the images folder and the image converter path are both set.
std::vector<WritingStage> WritingStagesToRun(const ExportParameters& params, bool images_configured);

// The link tables written, in writing order; each has its own condition.
std::vector<std::string_view> LinkTablesToWrite(const ExportParameters& params);

// Progress lines of the writing stages. Texts beginning with "] " go through the run's timed log.
namespace progress {

inline constexpr std::string_view kSuppliersStart =
    "] Creating data files of suppliers and manufacturers ...";
inline constexpr std::string_view kSuppliersTable = "... table [suppliers]";
inline constexpr std::string_view kManufacturersTable = "... table [manufacturers]";
inline constexpr std::string_view kSuppliersDone = "] Data files of manufacturers and suppliers is OK";
inline constexpr std::string_view kStageEnd = "---";

inline constexpr std::string_view kCategoriesStart = "] Data files of categories ...";
inline constexpr std::string_view kCategoryLinksAddition =
    "... table [category_product.additional] ... need wait";
inline constexpr std::string_view kCategoriesDone = "] Data files of categories is OK";

inline constexpr std::string_view kProductsStart = "] Data files of products ...";
inline constexpr std::string_view kTagTables = "... table [product_tag] and [tag] ";
inline constexpr std::string_view kFeatureTables = "... table [feature], [feature_lang] and [feature_shop] ";
inline constexpr std::string_view kFeatureValueTables =
    "... table [feature_value], [feature_value_lang] and [feature_product] ";
inline constexpr std::string_view kProductsDone = "] Data files of products is OK";

inline constexpr std::string_view kLinksStart = "] Data files of links PrestaShop to TecDoc";

// "... table [" + table + "] ", the line logged as a table's files are started.
std::string TableLine(std::string_view table);

// The line of the category links in the categories stage: the plain table line in "Clean store"
// mode, the "need wait" line of the slow copy pass in "Addition" mode.
std::string CategoryLinksLine(bool clean_store);

// Replaces the last line while the copy pass of an "Addition" run works through the parts.
std::string CategoryLinksPercentLine(int percent);

}  // namespace progress

}  // namespace quarvel::exporting
