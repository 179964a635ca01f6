// The written scripts loaded into real stores of both generations: every statement runs, every
// category hangs under a category that exists, and the texts arrive as the catalogue holds them.
#include <gtest/gtest.h>

#include "core/text.h"
#include "export/catalogue_tables.h"
#include "tests/export/golden/existing_store.h"
#include "tests/export/golden/golden_run.h"
#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using exporting::ExportLanguage;
using exporting::StoreColumns;

constexpr char kOrphans[] =
    "SELECT count(*) FROM ps_category c LEFT JOIN ps_category p ON p.id_category = c.id_parent "
    "WHERE c.id_parent <> 0 AND p.id_category IS NULL";

std::string Count(platform::StoreConnection& store, const std::string& sql) {
  return test::QueryText(store, sql);
}

std::string CategoryName(platform::StoreConnection& store, std::int64_t id, int lang,
                         const char* column = "name") {
  return test::QueryText(store, std::string("SELECT ") + column +
                                    " FROM ps_category_lang WHERE id_category = " + std::to_string(id) +
                                    " AND id_lang = " + std::to_string(lang));
}

// Writes a clean-store export with the store's learnt columns, cleans the store and loads it.
void ExportCleanAndLoad(test::WritingRun& writing, platform::StoreConnection& store,
                        const std::string& database) {
  writing.Write(StoreColumns::Learn(store, "ps_", StoreColumns::ExportedTables()));
  EXPECT_EQ(test::CleanStore(store, database), std::vector<std::string>{});
  EXPECT_EQ(test::LoadScripts(store, writing.export_folder()), std::vector<std::string>{});
  EXPECT_EQ(Count(store, kOrphans), "0");
}

// The texts that break careless writers, checked in the loaded store.
void ExpectTextsIntact(test::WritingRun& writing, platform::StoreConnection& store) {
  const exporting::CatalogueTables& tables = *writing.run().tables;
  const std::string oneil = std::to_string(tables.manufacturers.At(11).cat_manufacturer);
  const std::string trail = std::to_string(tables.manufacturers.At(12).cat_manufacturer);
  EXPECT_EQ(test::QueryText(store, "SELECT name FROM ps_supplier WHERE id_supplier = " + oneil), "O'NEIL");
  EXPECT_EQ(test::QueryText(store, "SELECT name FROM ps_manufacturer WHERE id_manufacturer = " + trail),
            "TRAIL\\");

  EXPECT_EQ(CategoryName(store, 3, 1), test::kVehicleGroupName);
  EXPECT_EQ(CategoryName(store, 3, 1, "link_rewrite"), MakeLinkRewrite(test::kVehicleGroupName));

  // The 130-character name is cut to 128 characters, its quote kept.
  const std::int64_t brake_pads = tables.trade_groups.At(100).cat2;
  const std::string long_name = test::LongArticleName();
  EXPECT_EQ(CategoryName(store, brake_pads, 1), long_name.substr(0, long_name.size() - 2));
  EXPECT_EQ(CategoryName(store, brake_pads, 1, "link_rewrite"), MakeLinkRewrite(long_name).substr(0, 128));

  // The CITROËN type: model link from the brand and the model with quotes and a backslash; the
  // description arrives exactly as the template was written, around the inserted values.
  const exporting::Car& citroen = tables.cars.At(100);
  EXPECT_EQ(CategoryName(store, citroen.cat_model, 1, "link_rewrite"),
            MakeLinkRewrite("CITROËN C4 Picasso 'Grand' \\ Пикассо"));
  const std::string description = CategoryName(store, citroen.cat_type, 1, "description");
  EXPECT_TRUE(description.starts_with("<p>\"C4 Picasso 'Grand' \\ Пикассо\" O'Neil \\ back</p>\r\n"))
      << description;
  EXPECT_NE(description.find("Тип : 1.6 HDi\r\n"), std::string::npos) << description;
}

class StoreLoadTest : public test::StoreFixture {};
class StoreLoad9Test : public test::StoreFixture9 {};

// Against a 1.6 store the learnt columns leave the output as the reviewed folder has it.
TEST_F(StoreLoadTest, CleanStoreRotatingFiles) {
  test::WritingRun writing(test::SpecialTextsSql());
  writing.SetLimits(3, 2);
  writing.UseSpecialTexts();
  ExportCleanAndLoad(writing, store(), database());
  test::ExpectMatchesGolden(writing.Files(), "clean_rotating");
  ExpectTextsIntact(writing, store());
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_supplier"), "5");
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_manufacturer_shop"), "6");
}

TEST_F(StoreLoadTest, CleanStoreWithAdditionalLanguages) {
  store().Execute(
      "INSERT INTO ps_lang (id_lang, name, active, iso_code, language_code, date_format_lite, "
      "date_format_full) "
      "VALUES (3, 'Русский', 1, 'ru', 'ru-ru', 'd.m.Y', 'd.m.Y H:i:s')");
  test::WritingRun writing(test::SpecialTextsSql());
  writing.SetLimits(1, 1000);
  writing.UseSpecialTexts();
  writing.run().languages = {ExportLanguage{2, 1, "de"}, ExportLanguage{3, 16, "ru"}};
  ExportCleanAndLoad(writing, store(), database());
  test::ExpectMatchesGolden(writing.Files(), "clean_languages");
  ExpectTextsIntact(writing, store());

  const exporting::CatalogueTables& tables = *writing.run().tables;
  EXPECT_EQ(CategoryName(store(), tables.trade_groups.At(9).cat2, 3), "Масляный фильтр");
  EXPECT_EQ(CategoryName(store(), tables.trade_groups.At(9).cat2, 2), "Ölfilter");
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_supplier_lang"), "15");
  // Every category has a row in each of the three languages.
  EXPECT_EQ(Count(store(),
                  "SELECT count(*) FROM ps_category c WHERE (SELECT count(*) FROM ps_category_lang l "
                  "WHERE l.id_category = c.id_category) <> 3"),
            "0");
}

TEST_F(StoreLoadTest, AdditionToTheExistingData) {
  store().ExecuteMulti(test::kExistingStore);
  test::WritingRun writing;
  writing.UseAdditionInto(params());
  writing.Write(StoreColumns::Learn(store(), "ps_", StoreColumns::ExportedTables()));
  test::ExpectMatchesGolden(writing.Files(), "addition");
  // Loaded on top of the store's own rows, without cleaning.
  EXPECT_EQ(test::LoadScripts(store(), writing.export_folder()), std::vector<std::string>{});
  EXPECT_EQ(Count(store(), kOrphans), "0");
  // The new A4 type hangs under the store's own A4 model.
  EXPECT_EQ(Count(store(), "SELECT id_parent FROM ps_category WHERE id_category = " +
                               std::to_string(writing.run().tables->cars.At(1000).cat_type)),
            "31");
}

// PrestaShop 9 has other columns in some tables; the same export, learnt against it, loads.
TEST_F(StoreLoad9Test, CleanStoreRotatingFiles) {
  test::WritingRun writing(test::SpecialTextsSql());
  writing.SetLimits(3, 2);
  writing.UseSpecialTexts();
  ExportCleanAndLoad(writing, store(), database());
  ExpectTextsIntact(writing, store());
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_category_shop"),
            Count(store(), "SELECT count(*) FROM ps_category"));
}

}  // namespace
}  // namespace quarvel
