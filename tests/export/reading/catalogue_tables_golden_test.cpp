// The whole catalogue slice of a run on the fixture catalogue, compared with reviewed dumps.
#include <gtest/gtest.h>

#include "export/catalogue_tables_dump.h"
#include "tests/export/reading/reading_fixture.h"
#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using exporting::ExportLanguage;
using Id = OptionId;

// Dimensions from the catalogue and a criteria text that names two criteria (one in lower case)
// and one the fixture does not have.
void UseCriteriaOptions(Options& options) {
  options.SetBoolean(Id::PreparationData_Pro_critery_by_default, false);
  options.SetText(Id::PreparationData_Pro_Height_td, "Height [mm]");
  options.SetText(Id::PreparationData_Pro_Width_td, "Ø [mm]");
  options.SetText(Id::PreparationData_Pro_val_ADDCRITERY, "{Height [mm]} / {thread size} {Fitting Position}");
}

std::string Snapshot(test::ReadingRun& reading) {
  std::string out = exporting::DumpCatalogueTables(reading.tables());
  out += "next_category=" + std::to_string(reading.run().next_category) + "\n[log]\n";
  for (const std::string& line : reading.log()) out += line + "\n";
  return out;
}

TEST(CatalogueTablesGoldenTest, CleanStore) {
  test::ReadingRun reading;
  UseCriteriaOptions(reading.options());
  reading.ReadAll();
  test::ExpectMatchesExpectedFile(Snapshot(reading), "clean_store.txt");
  EXPECT_GT(reading.stop_checks(), 0);
}

TEST(CatalogueTablesGoldenTest, CleanStoreWithAdditionalLanguages) {
  test::ReadingRun reading;
  UseCriteriaOptions(reading.options());
  // German and Russian as the run frame matches them to store languages 2 and 3.
  reading.run().languages = {ExportLanguage{2, 1, "de"}, ExportLanguage{3, 16, "ru"}};
  reading.ReadAll();
  test::ExpectMatchesExpectedFile(Snapshot(reading), "clean_store_languages.txt");
}

// A store that already holds an export: the vehicle and trade-group roots, a linked AUDI type (9)
// under its model and brand categories, two trade categories that match generic articles 9
// (by the assembly name) and 10 (by the short name), a linked article, brand and two features.
constexpr const char* kExistingStore = R"sql(
INSERT INTO ps_category (id_category, id_parent, id_shop_default, level_depth, nleft, nright, active, date_add, date_upd, position, is_root_category) VALUES
 (3, 2, 1, 2, 0, 0, 1, NOW(), NOW(), 0, 0), (4, 2, 1, 2, 0, 0, 1, NOW(), NOW(), 0, 0),
 (20, 4, 1, 3, 0, 0, 1, NOW(), NOW(), 0, 0), (21, 20, 1, 4, 0, 0, 1, NOW(), NOW(), 0, 0),
 (22, 4, 1, 3, 0, 0, 1, NOW(), NOW(), 0, 0), (23, 22, 1, 4, 0, 0, 1, NOW(), NOW(), 0, 0),
 (30, 3, 1, 3, 0, 0, 1, NOW(), NOW(), 0, 0), (31, 30, 1, 4, 0, 0, 1, NOW(), NOW(), 0, 0),
 (32, 31, 1, 5, 0, 0, 1, NOW(), NOW(), 0, 0);
INSERT INTO ps_category_lang (id_category, id_shop, id_lang, name, description, link_rewrite, meta_title, meta_keywords, meta_description) VALUES
 (3, 1, 1, 'CATALOG CARS', '', 'c', '', '', ''), (4, 1, 1, 'TRADE GROUPS', '', 't', '', '', ''),
 (20, 1, 1, 'Engine', '', 'e', '', '', ''), (21, 1, 1, 'Oil Filter', '', 'o', '', '', ''),
 (22, 1, 1, 'Filter', '', 'f', '', '', ''), (23, 1, 1, 'Air Filter', '', 'a', '', '', ''),
 (30, 1, 1, 'AUDI', '', 'audi', '', '', ''), (31, 1, 1, 'A4', '', 'a4', '', '', ''),
 (32, 1, 1, '1.8 TFSI', '', 'tfsi', '', '', '');
INSERT INTO ps_LinkTypPrestaWithTecDoc (id_category, typ_id) VALUES (32, 9);
INSERT INTO ps_product (id_product) VALUES (6), (7);
INSERT INTO ps_LinkArtPrestaWithTecDoc (id_product, art_id) VALUES (7, 10);
INSERT INTO ps_LinkManufacturersPrestaWithTecDoc (id_manufacturer, bra_id) VALUES (3, 9);
INSERT INTO ps_feature (id_feature) VALUES (1), (2);
INSERT INTO ps_feature_lang (id_feature, id_lang, name) VALUES (1, 1, 'Height [mm]'), (2, 1, 'Thread Size'), (2, 2, 'Gewindemaß');
)sql";

class AdditionTablesGoldenTest : public test::StoreFixture {};

TEST_F(AdditionTablesGoldenTest, AdditionToTheExistingData) {
  store().ExecuteMulti(kExistingStore);
  test::ReadingRun reading;
  UseCriteriaOptions(reading.options());
  Session& session = reading.session();
  session.store.Connect(params());
  session.options.SetText(Id::ConToPresta_Prefix, "ps_");
  session.store_defaults.default_lang_id = 1;
  session.store_defaults.default_shop_id = 1;
  reading.run().params.clean_store = false;
  reading.ReadAll();

  const exporting::StoreState& state = reading.run().store_state;
  EXPECT_EQ(state.highest_category_id, 32);
  EXPECT_TRUE(state.has_root_category && state.has_vehicle_root && state.has_parts_root);
  EXPECT_EQ(state.highest_product_id, 7);
  ASSERT_EQ(state.trade_categories.size(), 2u);
  EXPECT_EQ(state.linked_type_parents.at(9).model_category, 31);
  EXPECT_EQ(state.linked_type_parents.at(9).brand_category, 30);
  test::ExpectMatchesExpectedFile(Snapshot(reading), "addition.txt");
}

}  // namespace
}  // namespace quarvel
