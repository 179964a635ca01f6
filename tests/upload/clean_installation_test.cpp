#include "upload/clean_installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/tables_for_cleaning.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using test::StoreGeneration;

constexpr const char* kOwnTables[] = {"LinkManufacturersPrestaWithTecDoc", "image_from_tarlund",
                                      "LinkTypPrestaWithTecDoc",           "LinkArtPrestaWithTecDoc",
                                      "LinkSuppliersPrestaWithTecDoc",     "TermOfUseFromTecDoc"};

class CleanInstallationTest : public test::StoreFixture,
                              public ::testing::WithParamInterface<StoreGeneration> {
 protected:
  StoreGeneration Generation() const override { return GetParam(); }
  bool Is16() const { return GetParam() == StoreGeneration::kPrestaShop16; }

  CheckList Tables(bool all_checked) {
    CheckList list;
    FillCleaningTables(list, "");
    list.SetAllChecked(all_checked);
    return list;
  }

  CleanInstallationResult Run(const CheckList& tables) {
    log.clear();
    return CleanInstallation(store(), "ps_", database(), tables, log, ui);
  }

  // Column 0 of every row, joined by the separator.
  std::string Values(const std::string& sql, const std::string& separator = ",") {
    std::string values;
    bool first = true;
    for (auto cursor = store().Query(sql); !cursor.AtEnd(); cursor.Next()) {
      if (!first) values += separator;
      values += cursor.Text(0);
      first = false;
    }
    return values;
  }

  // "name(columns)" of every index, "!" after the name of a unique one, by name.
  std::string Keys(const std::string& table) {
    return Values(
        "SELECT CONCAT(INDEX_NAME, IF(NON_UNIQUE = 0, '!', ''), '(', GROUP_CONCAT(COLUMN_NAME ORDER BY "
        "SEQ_IN_INDEX), ')') FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = DATABASE() AND "
        "TABLE_NAME = '" +
            table + "' GROUP BY INDEX_NAME, NON_UNIQUE ORDER BY INDEX_NAME",
        " ");
  }

  std::string Columns(const std::string& table) {
    return Values(
        "SELECT CONCAT(COLUMN_NAME, ' ', COLUMN_TYPE, ' ', IS_NULLABLE) FROM information_schema.COLUMNS "
        "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = '" +
        table + "' ORDER BY ORDINAL_POSITION");
  }

  std::string UniqueKeyColumns(const std::string& table) {
    return Values(
        "SELECT GROUP_CONCAT(k.column_name SEPARATOR ' - ') FROM information_schema.table_constraints t JOIN "
        "information_schema.key_column_usage k USING(constraint_name,table_schema,table_name) WHERE "
        "t.constraint_type = 'UNIQUE' AND t.table_schema = DATABASE() AND t.table_name = '" +
        table + "'");
  }

  // One more row in every table of the list that exists, so that emptying shows.
  void FillEveryTable() {
    for (auto table : TablesForCleaning()) {
      std::string name = "ps_" + std::string(table);
      if (Values("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND "
                 "TABLE_NAME = '" +
                 name + "'") == "1") {
        store().Execute("INSERT IGNORE INTO `" + name + "` () VALUES ()");
      }
    }
  }

  std::map<std::string, std::string> RowCounts() {
    std::map<std::string, std::string> counts;
    for (auto table : TablesForCleaning()) {
      std::string name = "ps_" + std::string(table);
      counts[name] = Values("SELECT COUNT(*) FROM `" + name + "`");
    }
    return counts;
  }

  // The structure an upload needs, the same for both generations.
  void ExpectReadyForUpload() {
    struct Own {
      const char* table;
      const char* columns;
      const char* keys;
    };
    const Own own[] = {
        {"ps_LinkManufacturersPrestaWithTecDoc", "id_manufacturer int(10) NO,bra_id int(10) NO",
         "PRIMARY!(id_manufacturer) sup_id(bra_id)"},
        {"ps_image_from_tarlund",
         "id_image int(10) NO,sup_id int(10) NO,art_id int(10) NO,prefixs varchar(3) YES,ext varchar(6) YES",
         "art_id(art_id) PRIMARY!(id_image)"},
        {"ps_LinkTypPrestaWithTecDoc", "id_category int(10) NO,typ_id int(10) NO",
         "PRIMARY!(id_category) typ_id(typ_id)"},
        {"ps_LinkArtPrestaWithTecDoc", "id_product int(10) NO,art_id int(10) NO",
         "art_id(art_id) PRIMARY!(id_product)"},
        {"ps_LinkSuppliersPrestaWithTecDoc", "id_supplier int(10) NO,sup_id int(10) NO",
         "PRIMARY!(id_supplier) sup_id(sup_id)"},
        {"ps_TermOfUseFromTecDoc",
         "id_category int(10) NO,id_product int(10) NO,id_lang int(10) NO,id_feature int(10) YES,value "
         "varchar(255) YES",
         "idcat_idprod(id_category,id_product) id_feature(id_feature) id_product(id_product)"},
    };
    for (const auto& table : own) {
      EXPECT_EQ(Columns(table.table), table.columns) << table.table;
      EXPECT_EQ(Keys(table.table), table.keys) << table.table;
    }
    EXPECT_EQ(
        Values("SELECT CONCAT(COLUMN_TYPE, ' ', IS_NULLABLE) FROM information_schema.COLUMNS WHERE "
               "TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'ps_tag' AND COLUMN_NAME = 'id_manufacturer'"),
        "int(10) YES");
    EXPECT_EQ(Keys("ps_tag"), "id_lang(id_lang) PRIMARY!(id_tag,id_lang) tag_name(name)");
    EXPECT_NE(Keys("ps_product_lang").find("link_rewrite(link_rewrite)"), std::string::npos);
    EXPECT_NE(Keys("ps_feature_product").find("PRIMARY!(id_feature,id_product,id_feature_value)"),
              std::string::npos);
    EXPECT_EQ(Keys("ps_image"),
              "idx_product_image!(id_image,id_product,cover) image_product(id_product) "
              "PRIMARY!(id_image)");
    EXPECT_EQ(Keys("ps_image_shop"), "id_product(id_product) id_shop(id_shop) PRIMARY!(id_image,id_shop)");
  }

  std::vector<std::string> FirstRunStructureLog() {
    std::vector<std::string> entries = {
        "Was added new field \"id_manufacturer\" to table \"ps_tag\" ... OK",
        "Was added new INDEX \"link_rewrite\" to table \"ps_product_lang\" ... OK"};
    if (Is16()) {
      entries.push_back("Wait, changing the index structure of the table \"feature_product\" ...");
      entries.push_back("Was changed structure PRYMARY KEY to table \"ps_feature_product\" ... OK");
    }
    entries.insert(
        entries.end(),
        {"Wait, changing the index structure of the table \"tag\" ...",
         "Was changed structure PRYMARY KEY to table \"ps_tag\" ... OK",
         "Wait, deleting UNIQUE INDEX \"id_product_cover\" to table \"image\" ...",
         "Was delete UNIQUE INDEX \"idx_product_cover\" to table \"ps_image\" ... OK",
         "Wait, deleting all UNIQUE INDEX(s) to table \"image_shop\" and adding new INDEX \"id_product\" ...",
         "Was delete all UNIQUE INDEX(s) and added new INDEX \"id_product\" to table \"ps_image_shop\" ... "
         "OK"});
    return entries;
  }

  static std::vector<std::string> TruncateLog() {
    std::vector<std::string> entries;
    for (auto table : TablesForCleaning())
      entries.push_back("Truncate table [ps_" + std::string(table) + "] is ok.");
    return entries;
  }

  std::vector<std::string> log;
  test::ScriptedUi ui;
};

TEST_P(CleanInstallationTest, PreparesAStoreWithoutOwnTablesAndEmptiesEveryCheckedTable) {
  for (const char* table : kOwnTables) store().Execute(std::string("DROP TABLE `ps_") + table + "`");
  FillEveryTable();

  auto result = Run(Tables(true));

  EXPECT_TRUE(result.ok());
  auto expected = FirstRunStructureLog();
  auto truncates = TruncateLog();
  expected.insert(expected.end(), truncates.begin(), truncates.end());
  EXPECT_EQ(log, expected);
  EXPECT_EQ(ui.pumps, Is16() ? 4 : 3);  // once after each "Wait, " entry
  ExpectReadyForUpload();
  for (const auto& [table, count] : RowCounts()) EXPECT_EQ(count, "0") << table;
  // Root and Home go with the category table; a clean-store export writes them again.
  EXPECT_EQ(Values("SELECT COUNT(*) FROM ps_category WHERE id_category IN (1, 2)"), "0");
}

TEST_P(CleanInstallationTest, WithNothingCheckedAdaptsTheStructureAndKeepsEveryRow) {
  FillEveryTable();
  auto before = RowCounts();

  auto result = Run(Tables(false));

  EXPECT_TRUE(result.ok());
  EXPECT_EQ(log, FirstRunStructureLog());
  ExpectReadyForUpload();
  EXPECT_EQ(RowCounts(), before);
  EXPECT_EQ(Values("SELECT id_category FROM ps_category WHERE id_category IN (1, 2) ORDER BY id_category"),
            "1,2");
}

// A store already prepared is left as it is: no failures for the column and index that are there,
// no ALTER TABLE for keys already right.
TEST_P(CleanInstallationTest, RunsAgainOnAPreparedStoreWithoutFailuresOrChanges) {
  ASSERT_TRUE(Run(Tables(true)).ok());
  FillEveryTable();

  auto result = Run(Tables(true));

  EXPECT_TRUE(result.ok()) << (log.empty() ? "" : log.front());
  std::vector<std::string> expected = {
      "Field \"id_manufacturer\" is already in table \"ps_tag\" ... OK",
      "INDEX \"link_rewrite\" is already in table \"ps_product_lang\" ... OK"};
  auto truncates = TruncateLog();
  expected.insert(expected.end(), truncates.begin(), truncates.end());
  EXPECT_EQ(log, expected);
  ExpectReadyForUpload();
  for (const auto& [table, count] : RowCounts()) EXPECT_EQ(count, "0") << table;
}

// The server lists the columns of several unique keys in the order it keeps the keys, which
// changes when a key is made again; only the standard pair of keys makes the cover key go.
TEST_P(CleanInstallationTest, DropsTheImageCoverKeyOnlyBesideTheStandardUniqueKey) {
  struct Case {
    const char* name;
    const char* change;
    bool dropped;
  };
  const Case cases[] = {
      {"standard", nullptr, true},
      {"keys in the other order",
       "ALTER TABLE ps_image DROP INDEX id_product_cover;"
       "ALTER TABLE ps_image ADD UNIQUE KEY id_product_cover (id_product, cover)",
       true},
      {"only the cover key", "ALTER TABLE ps_image DROP INDEX idx_product_image", false},
      {"another unique key", "ALTER TABLE ps_image ADD UNIQUE KEY position_key (id_product, position)",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    store().Execute("DROP TABLE ps_image");
    store().Execute("CREATE TABLE ps_image LIKE " + std::string(Is16() ? "tmpl_ps16" : "tmpl_ps9") +
                    ".ps_image");
    if (c.change != nullptr) store().ExecuteMulti(c.change);
    if (std::string(c.name) == "keys in the other order") {
      ASSERT_EQ(UniqueKeyColumns("ps_image"), "id_image - id_product - cover - id_product - cover");
    }

    EXPECT_TRUE(Run(Tables(false)).ok());

    EXPECT_EQ(Keys("ps_image").find("id_product_cover") == std::string::npos, c.dropped) << Keys("ps_image");
  }
}

TEST_P(CleanInstallationTest, LogsEachFailingStatementAsSentAndGoesOn) {
  for (const char* table : {"ps_product_lang", "ps_feature_product", "ps_supplier"})
    store().Execute(std::string("DROP TABLE ") + table);
  auto missing = [&](const std::string& table) {
    return "MySQL error 1146 : Table '" + database() + "." + table + "' doesn't exist";
  };

  auto result = Run(Tables(true));

  EXPECT_FALSE(result.ok());
  EXPECT_FALSE(result.connection_failure);
  EXPECT_EQ(result.failed_statements, 5);  // two ALTER TABLE, three TRUNCATE
  auto has = [&](const std::string& entry) { return std::find(log.begin(), log.end(), entry) != log.end(); };
  EXPECT_TRUE(
      has("For query \"ALTER TABLE `ps_product_lang` ADD INDEX `link_rewrite` (`link_rewrite` ASC);\" was "
          "(Error : [" +
          missing("ps_product_lang") + "]) !"));
  // Without the table there is no key: the step tries, and logs the lines as sent, joined by CR LF.
  EXPECT_TRUE(has("Wait, changing the index structure of the table \"feature_product\" ..."));
  EXPECT_TRUE(
      has("For query \"ALTER TABLE ps_feature_product\r\nDROP PRIMARY KEY,\r\nADD PRIMARY KEY (`id_feature`, "
          "`id_product`, `id_feature_value`);\" was (Error : [" +
          missing("ps_feature_product") + "]) !"));
  EXPECT_TRUE(has("Truncate table [ps_feature_product] is error : [" + missing("ps_feature_product") + "]"));
  EXPECT_TRUE(has("Truncate table [ps_supplier] is error : [" + missing("ps_supplier") + "]"));
  // The steps after the failures ran.
  EXPECT_TRUE(has("Was changed structure PRYMARY KEY to table \"ps_tag\" ... OK"));
  EXPECT_TRUE(has("Truncate table [ps_tag] is ok."));
  EXPECT_EQ(log.back(), "Truncate table [ps_image_from_tarlund] is ok.");
}

TEST_P(CleanInstallationTest, StopsWhenTheConnectionIsGone) {
  store().Close();

  auto result = Run(Tables(true));

  ASSERT_TRUE(result.connection_failure);
  EXPECT_EQ(result.connection_failure->kind(), platform::kStoreUsageError);
  EXPECT_EQ(log, (std::vector<std::string>{std::string(platform::kStoreUsageError) + " : " +
                                           result.connection_failure->message()}));
}

INSTANTIATE_TEST_SUITE_P(BothGenerations, CleanInstallationTest,
                         ::testing::Values(StoreGeneration::kPrestaShop16, StoreGeneration::kPrestaShop9),
                         [](const auto& info) {
                           return info.param == StoreGeneration::kPrestaShop16 ? "PrestaShop16"
                                                                               : "PrestaShop9";
                         });

}  // namespace
}  // namespace quarvel
