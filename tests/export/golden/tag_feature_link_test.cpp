// Tags, features and the link tables: the id order the catalogue's batches give, the rows that must
// never be written, and whole exports loaded into real stores of both generations.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "export/catalogue_tables.h"
#include "export/link_table_writer.h"
#include "export/tag_feature_writer.h"
#include "tests/export/golden/existing_store.h"
#include "tests/export/golden/golden_run.h"
#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using exporting::CatalogueTables;
using exporting::ExportLanguage;
using exporting::StoreColumns;
using Row = std::vector<std::string>;

// The value lists of every INSERT into `table` in the files table.1.sql, table.2.sql, ... in order;
// text values as written (quoted, escaped).
std::vector<Row> InsertedRows(const std::map<std::string, std::string>& files, const std::string& table) {
  std::vector<Row> rows;
  const std::string start = "INSERT INTO `ps_" + table + "` (";
  for (int n = 1;; ++n) {
    auto file = files.find(table + "." + std::to_string(n) + ".sql");
    if (file == files.end()) break;
    const std::string& text = file->second;
    for (std::size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1)) {
      bool quoted = false, in_row = false;
      Row row;
      std::string value;
      for (std::size_t i = text.find(") VALUES ", at) + 9; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
          value += c;
          if (c == '\\') {
            value += text[++i];
          } else if (c == '\'') {
            quoted = false;
          }
        } else if (c == ';') {
          break;
        } else if (!in_row) {
          in_row = c == '(';
        } else if (c == '\'') {
          quoted = true;
          value += c;
        } else if (c == ',' || c == ')') {
          row.push_back(value);
          value.clear();
          if (c == ')') {
            rows.push_back(row);
            row.clear();
            in_row = false;
          }
        } else {
          value += c;
        }
      }
    }
  }
  return rows;
}

std::vector<std::int64_t> Column(const std::vector<Row>& rows, std::size_t column) {
  std::vector<std::int64_t> values;
  for (const Row& row : rows) values.push_back(std::stoll(row.at(column)));
  return values;
}

// Ascending ids cut into batches; inside a batch the catalogue sorts them as text.
std::vector<std::int64_t> CatalogueOrder(std::int64_t first, std::int64_t last, std::size_t batch) {
  std::vector<std::int64_t> order;
  for (std::int64_t start = first; start <= last; start += static_cast<std::int64_t>(batch)) {
    std::vector<std::int64_t> ids;
    for (std::int64_t id = start; id <= std::min(last, start + static_cast<std::int64_t>(batch) - 1); ++id)
      ids.push_back(id);
    std::sort(ids.begin(), ids.end(),
              [](std::int64_t a, std::int64_t b) { return std::to_string(a) < std::to_string(b); });
    order.insert(order.end(), ids.begin(), ids.end());
  }
  return order;
}

// Articles first .. last, valid in country 250, each with one OE number "N" + id of brand 13 and one
// value of criterion 9; the fixture's own numbers and criteria values are removed.
std::string ArticlesSql(std::int64_t first, std::int64_t last) {
  std::string sql =
      "DELETE FROM TOF_ART_LOOKUP;\nDELETE FROM TOF_ARTICLE_CRITERIA;\n"
      "DELETE FROM TOF_ARTICLES WHERE ART_ID BETWEEN " +
      std::to_string(first) + " AND " + std::to_string(last) + ";\n";
  for (std::int64_t id = first; id <= last; ++id) {
    const std::string t = std::to_string(id);
    sql +=
        "INSERT INTO TOF_ARTICLES (ART_ID, ART_ARTICLE_NR, ART_SUP_ID, ART_CTM) VALUES (" + t +
        ", 'A', 9, ',250,');\n"
        "INSERT INTO TOF_ART_LOOKUP (ARL_ART_ID, ARL_SEARCH_NUMBER, ARL_KIND, ARL_BRA_ID, ARL_CTM) VALUES (" +
        t + ", 'N" + t + "', '3', 13, ',250,');\n" +
        "INSERT INTO TOF_ARTICLE_CRITERIA (ACR_ART_ID, ACR_CRI_ID, ACR_VALUE, ACR_SORT, ACR_CTM) VALUES (" +
        t + ", 9, 'v" + t + "', 1, ',250,');\n";
  }
  return sql;
}

// The catalogue slice of the direct tests: active articles first .. last as products id + 10000,
// brand 13 as manufacturer 7, criterion 9 as feature 3.
void FillTables(CatalogueTables& tables, std::int64_t first, std::int64_t last) {
  tables.parts.Reset(10000);
  for (std::int64_t id = first; id <= last; ++id) {
    exporting::Part& part = tables.parts.Get(id);
    part.activ = true;
    part.cat_artid = id + 10000;
  }
  tables.manufacturers.Reset(100);
  tables.manufacturers.Get(13).cat_manufacturer = 7;
  tables.criteria.Reset(100);
  exporting::Criterion& criterion = tables.criteria.Get(9);
  criterion.activ = true;
  criterion.cat_criid = 3;
  criterion.name = "Height [mm]";
}

// Tag ids follow the cross-reference queries of 100 articles, value ids the criteria queries of 10,
// each sorting its articles as text: 250 articles (ids 95 to 344, two and three digits) tell those
// sizes from any other.
TEST(TagFeatureWriterTest, BatchesDecideTheIdOrder) {
  test::WritingRun writing(ArticlesSql(95, 344));
  FillTables(*writing.run().tables, 95, 344);
  exporting::WriteTagsAndFeatures(writing.run(), StoreColumns{});
  const auto files = writing.Files();

  std::vector<std::int64_t> tag_products, value_products;
  for (std::int64_t id : CatalogueOrder(95, 344, 100)) tag_products.push_back(id + 10000);
  for (std::int64_t id : CatalogueOrder(95, 344, 10)) value_products.push_back(id + 10000);

  const std::vector<Row> product_tags = InsertedRows(files, "product_tag");
  EXPECT_EQ(Column(product_tags, 0), tag_products);
  std::vector<std::int64_t> ids(250);
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = static_cast<std::int64_t>(i) + 1;
  EXPECT_EQ(Column(product_tags, 1), ids);

  const std::vector<Row> feature_products = InsertedRows(files, "feature_product");
  EXPECT_EQ(Column(feature_products, 1), value_products);
  EXPECT_EQ(Column(feature_products, 2), ids);
  // Each value belongs to its product: the second batch member as text is article 101.
  const std::vector<Row> value_langs = InsertedRows(files, "feature_value_lang");
  ASSERT_EQ(value_langs.size(), 250u);
  EXPECT_EQ(value_langs[1], (Row{"2", "1", "'v101'"}));
  // The tag rows carry the brand's manufacturer and the number.
  const std::vector<Row> tags = InsertedRows(files, "tag");
  ASSERT_EQ(tags.size(), 250u);
  EXPECT_EQ(tags[0], (Row{"1", "1", "7", "'N100'"}));
}

// A part or criterion without a store id (the store has no product or feature 0) gives no tag, no
// value and no link row, and takes no id: the next row gets the id it would have had.
TEST(TagFeatureWriterTest, NoRowNamesStoreIdZero) {
  test::WritingRun writing(
      ArticlesSql(1, 3) +
      "INSERT INTO TOF_ARTICLE_CRITERIA (ACR_ART_ID, ACR_CRI_ID, ACR_VALUE, ACR_SORT, ACR_CTM) "
      "VALUES (3, 10, 'x', 2, ',250,');\n");
  CatalogueTables& tables = *writing.run().tables;
  FillTables(tables, 1, 3);
  tables.parts.Get(2).cat_artid = 0;
  exporting::Criterion& unmatched = tables.criteria.Get(10);  // "Addition": no store feature of that name
  unmatched.activ = true;
  unmatched.cat_criid = 0;
  tables.cars.Reset(100);
  exporting::Car& car = tables.cars.Get(5);
  car.activ = true;  // a type that got no category
  writing.run().params.clean_store = false;

  exporting::WriteTagsAndFeatures(writing.run(), StoreColumns{});
  exporting::WriteLinkTables(writing.run(), StoreColumns{});
  const auto files = writing.Files();

  EXPECT_EQ(InsertedRows(files, "product_tag"), (std::vector<Row>{{"10001", "1"}, {"10003", "2"}}));
  EXPECT_EQ(InsertedRows(files, "feature_product"),
            (std::vector<Row>{{"3", "10001", "1"}, {"3", "10003", "2"}}));
  EXPECT_EQ(InsertedRows(files, "feature_value").size(), 2u);
  EXPECT_EQ(InsertedRows(files, "LinkArtPrestaWithTecDoc"),
            (std::vector<Row>{{"10001", "1"}, {"10003", "3"}}));
  EXPECT_TRUE(InsertedRows(files, "LinkTypPrestaWithTecDoc").empty());
  // "Addition": neither feature tables nor supplier and manufacturer links.
  for (const char* absent :
       {"feature.1.sql", "feature_lang.1.sql", "feature_shop.1.sql", "LinkSuppliersPrestaWithTecDoc.1.sql",
        "LinkManufacturersPrestaWithTecDoc.1.sql"})
    EXPECT_EQ(files.count(absent), 0u) << absent;
}

// Which link tables a run writes: each has its own condition.
TEST(LinkTableWriterTest, EachTableUnderItsOwnCondition) {
  struct Case {
    bool clean_store;
    bool all_data;
    bool products;
    bool categories;
    bool images;
    std::set<std::string> written;
  };
  const Case cases[] = {
      {true,
       true,
       false,
       false,
       false,
       {"LinkTypPrestaWithTecDoc", "LinkArtPrestaWithTecDoc", "LinkSuppliersPrestaWithTecDoc",
        "LinkManufacturersPrestaWithTecDoc"}},
      {false, true, false, false, false, {"LinkTypPrestaWithTecDoc", "LinkArtPrestaWithTecDoc"}},
      {true,
       false,
       false,
       false,
       true,
       {"LinkSuppliersPrestaWithTecDoc", "LinkManufacturersPrestaWithTecDoc"}},
      {false, false, false, false, true, {}},
      {false, false, true, false, false, {"LinkArtPrestaWithTecDoc"}},
      {false, false, false, true, false, {"LinkTypPrestaWithTecDoc"}},
  };
  for (const Case& c : cases) {
    test::WritingRun writing;
    exporting::ExportParameters& params = writing.run().params;
    params.clean_store = c.clean_store;
    params.all_data = c.all_data;
    params.tables_of_products = c.products;
    params.tables_of_categories = c.categories;
    params.images_and_logos = c.images;
    FillTables(*writing.run().tables, 1, 1);
    writing.run().tables->cars.Reset(10);
    exporting::WriteLinkTables(writing.run(), StoreColumns{});
    std::set<std::string> written;
    for (const auto& [name, bytes] : writing.Files()) written.insert(name.substr(0, name.find('.')));
    EXPECT_EQ(written, c.written) << "clean " << c.clean_store << " all " << c.all_data << " images "
                                  << c.images;

    // The heading only with the vehicle-type links; then a line per table, in writing order.
    std::vector<std::string> log;
    if (c.written.count("LinkTypPrestaWithTecDoc"))
      log.push_back("[time] Data files of links PrestaShop to TecDoc");
    for (const char* table : {"LinkTypPrestaWithTecDoc", "LinkArtPrestaWithTecDoc",
                              "LinkSuppliersPrestaWithTecDoc", "LinkManufacturersPrestaWithTecDoc"})
      if (c.written.count(table)) log.push_back(std::string("... table [") + table + "] ");
    EXPECT_EQ(writing.reading().log(), log);
  }
}

TEST(LinkTableWriterTest, HeaderLines) {
  EXPECT_EQ(
      exporting::LinkTableHeader("ps_", "LinkTypPrestaWithTecDoc"),
      "CREATE TABLE IF NOT EXISTS `ps_LinkTypPrestaWithTecDoc` (`id_category` int(10) NOT NULL, `typ_id` "
      "int(10) NOT NULL, PRIMARY KEY (`id_category`), KEY `typ_id` (`typ_id`));");
  EXPECT_EQ(exporting::LinkTableHeader("", "LinkArtPrestaWithTecDoc"),
            "CREATE TABLE IF NOT EXISTS `LinkArtPrestaWithTecDoc` (`id_product` int(10) NOT NULL, `art_id` "
            "int(10) NOT NULL, PRIMARY KEY (`id_product`), KEY `art_id` (`art_id`));");
  EXPECT_EQ(exporting::LinkTableHeader("ps_", "LinkSuppliersPrestaWithTecDoc"),
            "CREATE TABLE IF NOT EXISTS `ps_LinkSuppliersPrestaWithTecDoc` (`id_supplier` int(10) NOT NULL, "
            "`sup_id` int(10) NOT NULL, PRIMARY KEY (`id_supplier`), KEY `sup_id` (`sup_id`));");
  // The manufacturers' index keeps its name sup_id although it covers bra_id.
  EXPECT_EQ(
      exporting::LinkTableHeader("ps_", "LinkManufacturersPrestaWithTecDoc"),
      "CREATE TABLE IF NOT EXISTS `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer` int(10) NOT "
      "NULL, `bra_id` int(10) NOT NULL, PRIMARY KEY (`id_manufacturer`), KEY `sup_id` (`bra_id`));");
}

// ------------------------------------------------------------------------------ loaded into stores

std::string Count(platform::StoreConnection& store, const std::string& sql) {
  return test::QueryText(store, sql);
}

// Every reference of the written rows, as "SELECT count(*)" of the rows that point at nothing.
const char* const kDanglingReferences[] = {
    "FROM ps_LinkArtPrestaWithTecDoc l LEFT JOIN ps_product p USING (id_product) WHERE p.id_product IS NULL",
    "FROM ps_LinkTypPrestaWithTecDoc l LEFT JOIN ps_category c USING (id_category) WHERE c.id_category IS "
    "NULL",
    "FROM ps_LinkSuppliersPrestaWithTecDoc l LEFT JOIN ps_supplier s USING (id_supplier) "
    "WHERE s.id_supplier IS NULL",
    "FROM ps_LinkManufacturersPrestaWithTecDoc l LEFT JOIN ps_manufacturer m USING (id_manufacturer) "
    "WHERE m.id_manufacturer IS NULL",
    "FROM ps_product_tag pt LEFT JOIN ps_product p USING (id_product) WHERE p.id_product IS NULL",
    "FROM ps_product_tag pt LEFT JOIN ps_tag t USING (id_tag) WHERE t.id_tag IS NULL",
    "FROM ps_tag t LEFT JOIN ps_manufacturer m USING (id_manufacturer) "
    "WHERE t.id_manufacturer <> 0 AND m.id_manufacturer IS NULL",
    "FROM ps_feature_product fp LEFT JOIN ps_product p USING (id_product) WHERE p.id_product IS NULL",
    "FROM ps_feature_product fp LEFT JOIN ps_feature f USING (id_feature) WHERE f.id_feature IS NULL",
    "FROM ps_feature_product fp LEFT JOIN ps_feature_value v USING (id_feature_value) "
    "WHERE v.id_feature_value IS NULL OR v.id_feature <> fp.id_feature",
    "FROM ps_feature_value v LEFT JOIN ps_feature f USING (id_feature) WHERE f.id_feature IS NULL",
    "FROM ps_feature_value_lang vl LEFT JOIN ps_feature_value v USING (id_feature_value) "
    "WHERE v.id_feature_value IS NULL",
    "FROM ps_feature_lang fl LEFT JOIN ps_feature f USING (id_feature) WHERE f.id_feature IS NULL",
    "FROM ps_feature_shop fs LEFT JOIN ps_feature f USING (id_feature) WHERE f.id_feature IS NULL",
};

void ExpectReferencesHold(platform::StoreConnection& store) {
  for (const char* from : kDanglingReferences)
    EXPECT_EQ(Count(store, std::string("SELECT count(*) ") + from), "0") << from;
  // Ids the export gives are unique: one tag id per number (with a row per language), one feature
  // value per product and criterion.
  EXPECT_EQ(Count(store,
                  "SELECT count(*) FROM (SELECT id_tag, id_lang FROM ps_tag GROUP BY id_tag, id_lang "
                  "HAVING count(*) > 1) d"),
            "0");
  EXPECT_EQ(Count(store, "SELECT count(DISTINCT id_feature_value) - count(*) FROM ps_feature_product"), "0");
  EXPECT_EQ(Count(store, "SELECT count(DISTINCT id_tag) - count(*) FROM ps_product_tag"), "0");
}

// The fixture catalogue with a criterion of three values (given out of order), a number of 40
// characters whose 32nd is a quote, and a padded value.
constexpr char kTagAndValueSql[] =
    "INSERT INTO TOF_ARTICLE_CRITERIA (ACR_ART_ID, ACR_CRI_ID, ACR_VALUE, ACR_KV_DES_ID, ACR_SORT, ACR_CTM) "
    "VALUES (9, 100, 'M 16', NULL, 2, ',250,'), (9, 100, '  M 18 ', NULL, 1, ',250,');\n"
    "INSERT INTO TOF_ART_LOOKUP (ARL_ART_ID, ARL_SEARCH_NUMBER, ARL_KIND, ARL_BRA_ID, ARL_DISPLAY_NR, "
    "ARL_SORT, "
    "ARL_CTM) VALUES (9, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ01234''56789', '4', 12, 'x', 1, ',250,');\n";

std::string FeatureValue(platform::StoreConnection& store, const CatalogueTables& tables,
                         std::int64_t article, std::int64_t criterion, int lang) {
  return test::QueryText(
      store,
      "SELECT vl.value FROM ps_feature_product fp JOIN ps_feature_value_lang vl USING (id_feature_value) "
      "WHERE fp.id_product = " +
          std::to_string(tables.parts.At(article).cat_artid) +
          " AND fp.id_feature = " + std::to_string(tables.criteria.At(criterion).cat_criid) +
          " AND vl.id_lang = " + std::to_string(lang));
}

class TagFeatureLoadTest : public test::StoreFixture {};
class TagFeatureLoad9Test : public test::StoreFixture9 {};

void AddRussian(platform::StoreConnection& store) {
  store.Execute(
      "INSERT INTO ps_lang (id_lang, name, active, iso_code, language_code, date_format_lite, "
      "date_format_full) VALUES (3, 'Русский', 1, 'ru', 'ru-ru', 'd.m.Y', 'd.m.Y H:i:s')");
}

// A whole clean-store export with German and Russian, rotating files, loaded after the clean
// installation: every statement runs and every row points at a row that exists.
void LoadCleanExportWithLanguages(platform::StoreConnection& store, const std::string& database) {
  test::WritingRun writing(kTagAndValueSql);
  writing.SetLimits(2, 2);
  writing.run().languages = {ExportLanguage{2, 1, "de"}, ExportLanguage{3, 16, "ru"}};
  writing.Write(StoreColumns::Learn(store, "ps_", StoreColumns::ExportedTables()));
  EXPECT_EQ(test::CleanStore(store, database), std::vector<std::string>{});
  EXPECT_EQ(test::LoadScripts(store, writing.export_folder()), std::vector<std::string>{});
  ExpectReferencesHold(store);

  const CatalogueTables& tables = *writing.run().tables;
  // Values of one criterion joined in their catalogue order, trimmed.
  EXPECT_EQ(FeatureValue(store, tables, 9, 100, 1), "M 18 | M 16 | M 20 X 1.5");
  // A key value in each language; a plain value has no translation and keeps the main text.
  EXPECT_EQ(FeatureValue(store, tables, 10, 11, 1), "Front Axle");
  EXPECT_EQ(FeatureValue(store, tables, 10, 11, 2), "Vorderachse");
  EXPECT_EQ(FeatureValue(store, tables, 10, 11, 3), "Передняя ось");
  EXPECT_EQ(FeatureValue(store, tables, 9, 100, 3), "M 18 | M 16 | M 20 X 1.5");
  EXPECT_EQ(Count(store, "SELECT name FROM ps_feature_lang WHERE id_lang = 2 AND id_feature = " +
                             std::to_string(tables.criteria.At(9).cat_criid)),
            "Höhe [mm]");

  // Every tag in the three languages under one id, the long number cut to 32 characters.
  EXPECT_EQ(Count(store,
                  "SELECT count(*) FROM (SELECT id_tag FROM ps_tag GROUP BY id_tag "
                  "HAVING count(DISTINCT id_lang) <> 3 OR count(DISTINCT name) <> 1) d"),
            "0");
  EXPECT_EQ(Count(store, "SELECT name FROM ps_tag WHERE name LIKE 'ABC%' AND id_lang = 3"),
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234'");
  EXPECT_EQ(Count(store, "SELECT count(*) FROM ps_tag WHERE id_lang = 1"),
            Count(store, "SELECT count(*) FROM ps_product_tag"));
  EXPECT_NE(Count(store, "SELECT count(*) FROM ps_product_tag"), "0");
  EXPECT_EQ(Count(store, "SELECT count(*) FROM ps_LinkArtPrestaWithTecDoc"),
            Count(store, "SELECT count(*) FROM ps_product"));
}

TEST_F(TagFeatureLoadTest, CleanStoreExportWithLanguages) {
  AddRussian(store());
  LoadCleanExportWithLanguages(store(), database());
}

TEST_F(TagFeatureLoad9Test, CleanStoreExportWithLanguages) {
  AddRussian(store());
  LoadCleanExportWithLanguages(store(), database());
}

// "Addition": tag and value ids continue after the store's, criteria without a store feature give
// no values, and the tag file adds id_manufacturer to a store that never had the clean installation.
TEST_F(TagFeatureLoadTest, AdditionContinuesTheStoreIds) {
  store().ExecuteMulti(test::kExistingStore);
  store().ExecuteMulti(
      "INSERT INTO ps_tag (id_tag, id_lang, name) VALUES (40, 1, 'OLD');\n"
      "INSERT INTO ps_manufacturer (id_manufacturer, name, date_add, date_upd, active) "
      "VALUES (3, 'BOSCH', NOW(), NOW(), 1);\n"
      "INSERT INTO ps_feature_value (id_feature_value, id_feature) VALUES (70, 1);\n");
  EXPECT_EQ(Count(store(),
                  "SELECT count(*) FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
                  "AND TABLE_NAME = 'ps_tag' AND COLUMN_NAME = 'id_manufacturer'"),
            "0");
  test::WritingRun writing;
  writing.UseAdditionInto(params());
  writing.Write(StoreColumns::Learn(store(), "ps_", StoreColumns::ExportedTables()));
  EXPECT_EQ(test::LoadScripts(store(), writing.export_folder()), std::vector<std::string>{});

  EXPECT_EQ(Count(store(), "SELECT min(id_tag) FROM ps_tag WHERE id_tag > 40"), "41");
  EXPECT_EQ(Count(store(), "SELECT min(id_feature_value) FROM ps_feature_value WHERE id_feature_value > 70"),
            "71");
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_feature_value WHERE id_feature NOT IN (1, 2)"), "0");
  EXPECT_EQ(Count(store(), "SELECT count(*) FROM ps_feature"), "2");
  EXPECT_NE(Count(store(), "SELECT count(*) FROM ps_tag WHERE id_manufacturer IS NOT NULL"), "0");
  for (const char* from : kDanglingReferences) {
    // The store's own rows of the fixture are not a full export: check what this run wrote.
    if (std::string(from).find("ps_Link") != std::string::npos) continue;
    EXPECT_EQ(Count(store(), std::string("SELECT count(*) ") + from), "0") << from;
  }
}

// The tag file's header runs on its own, also where the column is already there.
TEST_F(TagFeatureLoadTest, TagHeaderRunsTwice) {
  test::TempFolder folder;
  test::WriteFileBytes(folder / "tag.1.sql",
                       std::string("\xEF\xBB\xBF") + exporting::TagFileHeader("ps_") + "\r\n");
  EXPECT_EQ(test::LoadScripts(store(), folder.path()), std::vector<std::string>{});
  EXPECT_EQ(test::LoadScripts(store(), folder.path()), std::vector<std::string>{});
  EXPECT_EQ(Count(store(),
                  "SELECT count(*) FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
                  "AND TABLE_NAME = 'ps_tag' AND COLUMN_NAME = 'id_manufacturer'"),
            "1");
  EXPECT_EQ(
      Count(store(), "SELECT count(*) FROM information_schema.ROUTINES WHERE ROUTINE_SCHEMA = DATABASE()"),
      "0");
}

}  // namespace
}  // namespace quarvel
