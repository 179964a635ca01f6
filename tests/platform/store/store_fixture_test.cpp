#include "tests/support/store_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/support/mariadb_test_server.h"

namespace quarvel::test {
namespace {

std::int64_t CountIn(platform::StoreConnection& store, const std::string& sql) {
  return store.Query(sql).Int64(0);
}

// What every store test relies on: the shop's tables and rows, this system's own tables, and the
// charsets of the generation.
TEST_F(StoreFixture, FreshDatabaseIsAPrestaShop16StoreWithThisSystemsTables) {
  EXPECT_EQ(
      CountIn(store(), "SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()"),
      CountIn(store(), "SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = 'tmpl_ps16'"));
  EXPECT_EQ(store().Query("SELECT value FROM ps_configuration WHERE name = 'PS_IMAGE_QUALITY'").Text(0),
            "jpg");
  EXPECT_EQ(CountIn(store(), "SELECT COUNT(*) FROM ps_lang"), 2);
  for (const char* table :
       {"ps_LinkTypPrestaWithTecDoc", "ps_LinkArtPrestaWithTecDoc", "ps_LinkSuppliersPrestaWithTecDoc",
        "ps_LinkManufacturersPrestaWithTecDoc", "ps_image_from_tarlund", "ps_TermOfUseFromTecDoc"}) {
    EXPECT_EQ(CountIn(store(), std::string("SELECT COUNT(*) FROM ") + table), 0) << table;
  }
  // Keys come along with the tables.
  EXPECT_EQ(store()
                .Query("SELECT GROUP_CONCAT(COLUMN_NAME ORDER BY ORDINAL_POSITION) FROM "
                       "information_schema.KEY_COLUMN_USAGE "
                       "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'ps_feature_product' AND "
                       "CONSTRAINT_NAME = 'PRIMARY'")
                .Text(0),
            "id_feature,id_product");
  EXPECT_EQ(
      store()
          .Query("SELECT CHARACTER_SET_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
                 "AND TABLE_NAME = 'ps_product_lang' AND COLUMN_NAME = 'name'")
          .Text(0),
      "utf8mb3");
}

TEST_F(StoreFixture9, FreshDatabaseIsAPrestaShop9Store) {
  EXPECT_EQ(store().Query("SELECT value FROM ps_configuration WHERE name = 'PS_IMAGE_QUALITY'").Text(0),
            "png");
  EXPECT_EQ(
      store()
          .Query("SELECT CHARACTER_SET_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
                 "AND TABLE_NAME = 'ps_product_lang' AND COLUMN_NAME = 'name'")
          .Text(0),
      "utf8mb4");
  EXPECT_EQ(CountIn(store(), "SELECT COUNT(*) FROM ps_TermOfUseFromTecDoc"), 0);
}

// Databases are separate and go away with their owner; changes never reach the template.
TEST(FreshStoreDatabaseTest, IsIsolatedAndDroppedAtTheEnd) {
  if (!MariadbServerPort()) GTEST_SKIP() << NoMariadbServerMessage();
  platform::StoreConnection admin;
  admin.Connect(MariadbRootParams());
  std::string first_name;
  {
    auto start = std::chrono::steady_clock::now();
    FreshStoreDatabase first;
    auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    RecordProperty("fresh_database_ms", static_cast<int>(elapsed.count()));
    FreshStoreDatabase second;
    first_name = first.name();
    ASSERT_NE(first.name(), second.name());
    platform::StoreConnection store;
    store.Connect(first.params());
    store.Execute("DELETE FROM ps_lang");
    store.Execute("INSERT INTO ps_LinkArtPrestaWithTecDoc VALUES (1, 2)");
    EXPECT_EQ(CountIn(admin, "SELECT COUNT(*) FROM `" + second.name() + "`.ps_lang"), 2);
    EXPECT_EQ(CountIn(admin, "SELECT COUNT(*) FROM tmpl_ps16.ps_lang"), 2);
    EXPECT_EQ(CountIn(admin, "SELECT COUNT(*) FROM tmpl_ps16.ps_LinkArtPrestaWithTecDoc"), 0);
  }
  EXPECT_EQ(CountIn(admin, "SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = '" +
                               first_name + "'"),
            0);
}

}  // namespace
}  // namespace quarvel::test
