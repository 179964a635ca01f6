// Leaving out the columns a store generation lacks, decided once per table.
#include "export/store_columns.h"

#include <gtest/gtest.h>

#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using exporting::StoreColumns;
using exporting::TableColumns;
using exporting::TableRow;

TEST(StoreColumnsTest, DropsTheValuesOfAbsentColumnsWhereverTheyStand) {
  struct Case {
    std::vector<std::string> store_columns;  // the server's case may differ from the writer's
    const char* list;
    const char* row;
  };
  const Case cases[] = {
      {{"a", "B", "c", "d"}, "`a`,`b`,`c`,`d`", "1,'x',NOW(),'it\\'s'"},
      {{"B", "d"}, "`b`,`d`", "'x','it\\'s'"},
      {{"a", "c"}, "`a`,`c`", "1,NOW()"},
      {{"d"}, "`d`", "'it\\'s'"},
  };
  for (const Case& c : cases) {
    StoreColumns store;
    store.AddTable("t", c.store_columns);
    TableColumns columns(store, "t", {"a", "b", "c", "d"});
    TableRow row(columns);
    // The row is reused: the second row must not carry anything of the first.
    row.Clear().Integer(7).Quoted("y").Literal("0").Text("z");
    row.Clear().Integer(1).Quoted("x").Literal("NOW()").Text("it's");
    EXPECT_EQ(columns.List(), c.list) << c.list;
    EXPECT_EQ(row.View(), c.row) << c.list;
  }
}

TEST(StoreColumnsTest, TablesNotLearntKeepEveryColumn) {
  StoreColumns none;
  TableColumns columns(none, "LinkTypPrestaWithTecDoc", {"id_category", "typ_id"});
  EXPECT_TRUE(columns.KeepsAll());
  EXPECT_EQ(columns.List(), "`id_category`,`typ_id`");

  StoreColumns store;
  store.AddTable("category", {"id_category"});
  EXPECT_TRUE(store.Has("product", "anything"));
  EXPECT_FALSE(store.Has("category", "id_parent"));
  EXPECT_TRUE(store.Has("CATEGORY", "ID_Category"));
}

// The two store generations differ in columns the export writes: 1.6 has product's
// id_product_redirected and the _lang tables' meta_keywords, 9 has neither but has category's
// redirect_type. Tables the store lacks are not learnt.
class StoreColumnsLearnTest : public test::StoreFixture {};
class StoreColumnsLearn9Test : public test::StoreFixture9 {};

TEST_F(StoreColumnsLearnTest, PrestaShop16) {
  StoreColumns columns =
      StoreColumns::Learn(store(), "ps_", {"product", "category_lang", "category", "nosuch"});
  EXPECT_TRUE(columns.Knows("product"));
  EXPECT_TRUE(columns.Has("product", "id_product_redirected"));
  EXPECT_TRUE(columns.Has("category_lang", "meta_keywords"));
  EXPECT_FALSE(columns.Has("category", "redirect_type"));
  EXPECT_FALSE(columns.Knows("nosuch"));
  // A prefix that names no table learns nothing: every column is kept.
  EXPECT_FALSE(StoreColumns::Learn(store(), "xx_", {"product"}).Knows("product"));
}

TEST_F(StoreColumnsLearn9Test, PrestaShop9) {
  StoreColumns columns = StoreColumns::Learn(store(), "ps_", StoreColumns::ExportedTables());
  for (const std::string& table : StoreColumns::ExportedTables()) EXPECT_TRUE(columns.Knows(table)) << table;
  EXPECT_FALSE(columns.Has("product", "id_product_redirected"));
  EXPECT_FALSE(columns.Has("category_lang", "meta_keywords"));
  EXPECT_TRUE(columns.Has("category", "redirect_type"));
  EXPECT_TRUE(columns.Has("category_lang", "link_rewrite"));
}

}  // namespace
}  // namespace quarvel
