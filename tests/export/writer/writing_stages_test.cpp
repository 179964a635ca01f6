#include "export/writing_stages.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "export/export_context.h"

namespace quarvel::exporting {
namespace {

using S = WritingStage;

// The table choice of a run: "ALL DATA" or any mix of the three table options.
enum Tables { kNone = 0, kAll = 1, kProducts = 2, kCategories = 4, kImages = 8 };

struct ScopeCase {
  const char* name;
  int tables;
  bool clean_store;
  bool images_configured;
  std::vector<WritingStage> stages;
  std::vector<std::string_view> link_tables;
};

TEST(WritingStages, StagesAndLinkTablesOfEachMode) {
  // clang-format off
  const std::vector<ScopeCase> cases = {
      {"all data, clean", kAll, true, true,
       {S::kSuppliersAndManufacturers, S::kCategories, S::kCategoryLinks, S::kProducts, S::kImages,
        S::kLinkTables},
       {"LinkTypPrestaWithTecDoc", "LinkArtPrestaWithTecDoc", "LinkSuppliersPrestaWithTecDoc",
        "LinkManufacturersPrestaWithTecDoc"}},
      {"all data, addition, images not configured", kAll, false, false,
       {S::kCategories, S::kCategoryLinks, S::kProducts, S::kLinkTables},
       {"LinkTypPrestaWithTecDoc", "LinkArtPrestaWithTecDoc"}},
      {"products, clean", kProducts, true, true,
       {S::kSuppliersAndManufacturers, S::kProducts, S::kLinkTables},
       {"LinkArtPrestaWithTecDoc", "LinkSuppliersPrestaWithTecDoc", "LinkManufacturersPrestaWithTecDoc"}},
      {"categories, addition", kCategories, false, true,
       {S::kCategories, S::kLinkTables},
       {"LinkTypPrestaWithTecDoc"}},
      {"products and categories, addition", kProducts | kCategories, false, true,
       {S::kCategories, S::kCategoryLinks, S::kProducts, S::kLinkTables},
       {"LinkTypPrestaWithTecDoc", "LinkArtPrestaWithTecDoc"}},
      {"images, addition", kImages, false, true, {S::kImages}, {}},
      {"images, clean, not configured", kImages, true, false,
       {S::kLinkTables},
       {"LinkSuppliersPrestaWithTecDoc", "LinkManufacturersPrestaWithTecDoc"}},
      {"nothing, addition", kNone, false, true, {}, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    ExportParameters params;
    params.all_data = (c.tables & kAll) != 0;
    params.tables_of_products = (c.tables & kProducts) != 0;
    params.tables_of_categories = (c.tables & kCategories) != 0;
    params.images_and_logos = (c.tables & kImages) != 0;
    params.clean_store = c.clean_store;
    EXPECT_EQ(WritingStagesToRun(params, c.images_configured), c.stages) << c.name;
    EXPECT_EQ(LinkTablesToWrite(params), c.link_tables) << c.name;
  }
}

TEST(WritingStages, BuiltProgressLines) {
  EXPECT_EQ(progress::TableLine("category_lang"), "... table [category_lang] ");
  EXPECT_EQ(progress::CategoryLinksLine(true), "... table [category_product] ");
  EXPECT_EQ(progress::CategoryLinksLine(false), "... table [category_product.additional] ... need wait");
  EXPECT_EQ(progress::CategoryLinksPercentLine(40), "... table [category_product] :: 40%");
}

}  // namespace
}  // namespace quarvel::exporting
