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

// Every product of the export (ids from `first_product`) is whole in the loaded store: its shop row,
// one language row per store language, a default category that exists, and a link into that
// category unless it fell back to Home; no link names a missing category or product.
void ExpectProductsWhole(platform::StoreConnection& store, std::int64_t first_product, int languages) {
  const std::string ours = " p.id_product >= " + std::to_string(first_product);
  EXPECT_NE(Count(store, "SELECT count(*) FROM ps_product p WHERE" + ours), "0");
  EXPECT_EQ(
      Count(store, "SELECT count(*) FROM ps_product p WHERE" + ours +
                       " AND NOT EXISTS (SELECT 1 FROM ps_product_shop s WHERE s.id_product = p.id_product "
                       "AND s.id_shop = 1 AND s.id_category_default = p.id_category_default)"),
      "0");
  EXPECT_EQ(
      Count(store, "SELECT count(*) FROM ps_product p WHERE" + ours +
                       " AND (SELECT count(*) FROM ps_product_lang l WHERE l.id_product = p.id_product) <> " +
                       std::to_string(languages)),
      "0");
  EXPECT_EQ(Count(store,
                  "SELECT count(*) FROM ps_product p LEFT JOIN ps_category c ON c.id_category = "
                  "p.id_category_default WHERE c.id_category IS NULL AND" +
                      ours),
            "0");
  EXPECT_EQ(
      Count(store, "SELECT count(*) FROM ps_product p WHERE" + ours +
                       " AND p.id_category_default <> 2 AND NOT EXISTS (SELECT 1 FROM ps_category_product cp "
                       "WHERE cp.id_product = p.id_product AND cp.id_category = p.id_category_default)"),
      "0");
  EXPECT_EQ(Count(store,
                  "SELECT count(*) FROM ps_category_product cp LEFT JOIN ps_category c ON c.id_category "
                  "= cp.id_category LEFT JOIN ps_product p ON p.id_product = cp.id_product "
                  "WHERE c.id_category IS NULL OR p.id_product IS NULL"),
            "0");
}

// The product texts of the special-texts runs, as the catalogue and the settings hold them.
void ExpectProductTextsIntact(test::WritingRun& writing, platform::StoreConnection& store) {
  const exporting::CatalogueTables& tables = *writing.run().tables;
  auto text = [&](std::int64_t article, const std::string& column,
                  const std::string& table = "ps_product_lang") {
    return test::QueryText(store, "SELECT " + column + " FROM " + table + " WHERE id_product = " +
                                      std::to_string(tables.parts.At(article).cat_artid) +
                                      (table == "ps_product" ? "" : " AND id_lang = 1"));
  };
  EXPECT_EQ(text(101, "name"), "O'NEIL ON-1'2 - Pad set, O'Brien type , ");
  EXPECT_EQ(text(102, "reference", "ps_product"), "TR\\7");
  EXPECT_EQ(text(102, "available_later"), test::kBackorderText);
  EXPECT_EQ(text(9, "available_now"), "In Stock");
  EXPECT_EQ(text(9, "`condition`", "ps_product"), "new");
  EXPECT_EQ(text(9, "description_short"), "Oil Filter Filter \"Long Life\" insert \"short\"");
  // The name is cut by the store, the link by the export.
  EXPECT_EQ(text(102, "CHAR_LENGTH(name)"), "128");
  const std::string description = text(9, "description");
  EXPECT_TRUE(description.starts_with("<p>'BOSCH' \\ 0 451 103 316</p>\r\n<b>")) << description;
  EXPECT_NE(description.find("FEBI BILSTEIN 22540"), std::string::npos) << description;
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
  ExpectProductsWhole(store(), 1, 1);
  ExpectProductTextsIntact(writing, store());
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_product"), "4");
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_category_product"), "7");
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
  ExpectProductsWhole(store(), 1, 3);
  ExpectProductTextsIntact(writing, store());

  const exporting::CatalogueTables& tables = *writing.run().tables;
  EXPECT_EQ(test::QueryText(store(), "SELECT name FROM ps_product_lang WHERE id_lang = 3 AND id_product = " +
                                         std::to_string(tables.parts.At(9).cat_artid)),
            "BOSCH 0 451 103 316 - Масляный фильтр , ");
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
  ExpectProductsWhole(store(), 8, 1);
  // The new product of article 9 takes the store categories of its equivalent, product 7, the
  // store's largest category included; product 7 itself gains the new vehicle type's link.
  const exporting::CatalogueTables& tables = *writing.run().tables;
  const std::string product9 = std::to_string(tables.parts.At(9).cat_artid);
  EXPECT_EQ(Count(store(),
                  "SELECT GROUP_CONCAT(id_category, ':', position ORDER BY id_category) FROM "
                  "ps_category_product WHERE id_category <= 32 AND id_product = " +
                      product9),
            "21:3,32:0");
  EXPECT_EQ(
      Count(store(), "SELECT count(*) FROM ps_category_product WHERE id_product = 7 AND id_category = " +
                         std::to_string(tables.cars.At(100).ga.at(0).cat_num2)),
      "1");
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_category_product WHERE id_product = 0"), "0");
}

// A second Addition export into the store that holds the first: a new article equivalent to two
// store products that sit in one category at different positions, and new types that the first
// export's product fits. Everything loads; nothing is doubled.
TEST_F(StoreLoadTest, SecondAdditionOnTopOfTheFirst) {
  store().ExecuteMulti(test::kExistingStore);
  {
    test::WritingRun first;
    first.UseAdditionInto(params());
    first.Write(StoreColumns::Learn(store(), "ps_", StoreColumns::ExportedTables()));
    ASSERT_EQ(test::LoadScripts(store(), first.export_folder()), std::vector<std::string>{});
  }
  store().Execute("UPDATE ps_category_product SET position = 5 WHERE id_category = 21 AND id_product = 8");
  const std::string products_before = Count(store(), "SELECT count(*) FROM ps_product");
  const std::string links_of_8 =
      Count(store(), "SELECT count(*) FROM ps_category_product WHERE id_product = 8");

  test::WritingRun second(test::ExtraTypesSql(2000, 3) +
                          "INSERT INTO TOF_ARTICLES (ART_ID, ART_ARTICLE_NR, ART_SUP_ID, ART_DES_ID, "
                          "ART_COMPLETE_DES_ID, ART_CTM) "
                          "VALUES (11, 'NEW-11', 10, NULL, 401, ',250,');\n"
                          "INSERT INTO TOF_LINK_ART_GA (LAG_ART_ID, LAG_GA_ID) VALUES (11, 9);\n"
                          "INSERT INTO TOF_ART_LOOKUP (ARL_ART_ID, ARL_SEARCH_NUMBER, ARL_KIND, ARL_BRA_ID, "
                          "ARL_DISPLAY_NR, ARL_SORT, "
                          "ARL_CTM) VALUES (11, '0451103316', '4', 9, '0 451 103 316', 1, ',250,'), "
                          "(11, '22540', '4', 10, '22540', 1, ',250,');\n");
  second.UseAdditionInto(params());
  second.Write(StoreColumns::Learn(store(), "ps_", StoreColumns::ExportedTables()));
  EXPECT_EQ(test::LoadScripts(store(), second.export_folder()), std::vector<std::string>{});

  // Only article 11 is new.
  EXPECT_EQ(std::stoi(Count(store(), "SELECT count(*) FROM ps_product")), std::stoi(products_before) + 1);
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_LinkArtPrestaWithTecDoc WHERE art_id = 9"), "1");
  const std::string product11 = std::to_string(second.run().tables->parts.At(11).cat_artid);
  ExpectProductsWhole(store(), std::stoi(product11), 1);
  // Its equivalents' category 21 once, whatever their positions there.
  EXPECT_EQ(
      Count(store(),
            "SELECT count(*) FROM ps_category_product WHERE id_category = 21 AND id_product = " + product11),
      "1");
  EXPECT_EQ(
      Count(store(),
            "SELECT count(*) FROM ps_category_product WHERE id_category = 32 AND id_product = " + product11),
      "1");
  // Product 8 of the first export fits the three new types.
  EXPECT_EQ(std::stoi(Count(store(), "SELECT count(*) FROM ps_category_product WHERE id_product = 8")),
            std::stoi(links_of_8) + 3);
}

// PrestaShop 9 has other columns in some tables; the same export, learnt against it, loads.
TEST_F(StoreLoad9Test, CleanStoreRotatingFiles) {
  test::WritingRun writing(test::SpecialTextsSql());
  writing.SetLimits(3, 2);
  writing.UseSpecialTexts();
  ExportCleanAndLoad(writing, store(), database());
  ExpectTextsIntact(writing, store());
  ExpectProductsWhole(store(), 1, 1);
  ExpectProductTextsIntact(writing, store());
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_category_shop"),
            Count(store(), "SELECT count(*) FROM ps_category"));
}

}  // namespace
}  // namespace quarvel
