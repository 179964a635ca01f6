// The cases of the supplier, manufacturer and category stages that the golden folders do not show:
// empty slices, the tree options, the top categories of an Addition run, a stop in mid-stage.
#include <gtest/gtest.h>

#include "export/category_tree_writer.h"
#include "export/supplier_manufacturer_writer.h"
#include "tests/export/golden/golden_run.h"
#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using exporting::StoreColumns;
using exporting::TopCategories;

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kCategoryStart[] =
    "INSERT INTO `ps_category` (`id_category`,`id_parent`,`id_shop_default`,`level_depth`,`nleft`,`nright`,"
    "`active`,`date_add`,`date_upd`,`position`,`is_root_category`) VALUES ";
constexpr char kFixedGroups[] =
    "INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES "
    "(1,0),(2,0),(2,1),(2,2),(2,3),(3,1),(3,2),(3,3),(4,1),(4,2),(4,3);\r\n";

std::string Row(int id, int parent, int root = 0) {
  return "(" + std::to_string(id) + "," + std::to_string(parent) + ",1,0,0,0,1,NOW(),NOW(),0," +
         std::to_string(root) + ")";
}

// A catalogue without data: the six brand files hold their byte-order mark only, the category
// files the top categories only.
TEST(WritingEdgeTest, EmptySliceLeavesBrandFilesEmptyAndTheTopCategories) {
  test::WritingRun writing({}, test::CatalogueFixture::Contents::kSchemaOnly);
  writing.Write();
  std::map<std::string, std::string> files = writing.Files();
  for (const char* table : {"supplier", "supplier_lang", "supplier_shop", "manufacturer", "manufacturer_lang",
                            "manufacturer_shop"})
    EXPECT_EQ(files[std::string(table) + ".1.sql"], kBom) << table;
  EXPECT_EQ(files["category.1.sql"], kBom + (kCategoryStart + Row(1, 0) + "," + Row(2, 1, 1) + "," +
                                             Row(3, 2) + "," + Row(4, 2) + ";\r\n"));
  EXPECT_EQ(files["category_group.1.sql"], kBom + std::string(kFixedGroups));
  EXPECT_EQ(files["category_shop.1.sql"],
            kBom + std::string("INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES "
                               "(1,1,0),(2,1,0),(3,1,0),(4,1,0);\r\n"));
  // No product, so the product tables and their category links hold nothing.
  for (const char* table : {"category_product", "product", "product_lang", "product_shop"})
    EXPECT_EQ(files[std::string(table) + ".1.sql"], kBom) << table;
  EXPECT_EQ(files.size(), 26u);
}

// The tree options decide which groups exist; the fixed customer-group line never changes.
TEST(WritingEdgeTest, TreeOptions) {
  struct Case {
    bool vehicle, parts;
    std::string top;  // the top rows of the category table
    bool vehicle_rows, parts_rows;
  };
  const Case cases[] = {
      {false, true, Row(1, 0) + "," + Row(2, 1, 1) + "," + Row(4, 2), false, true},
      {true, false, Row(1, 0) + "," + Row(2, 1, 1) + "," + Row(3, 2), true, false},
      {false, false, Row(1, 0) + "," + Row(2, 1, 1), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.vehicle) + std::to_string(c.parts));
    test::WritingRun writing;
    writing.options().SetBoolean(OptionId::PreparationData_CreateCatTreeForVEHICLE, c.vehicle);
    writing.options().SetBoolean(OptionId::PreparationData_CreateCatTreeForPARTS, c.parts);
    writing.Write();
    std::map<std::string, std::string> files = writing.Files();
    const std::string& category = files["category.1.sql"];
    EXPECT_TRUE(category.starts_with(kBom + (kCategoryStart + c.top) + (c.vehicle || c.parts ? "," : ";")))
        << category;
    EXPECT_EQ(category.find(",3,1,0,0,0,1,") != std::string::npos, c.vehicle_rows) << "brand under group 3";
    EXPECT_EQ(category.find(",4,1,0,0,0,1,") != std::string::npos, c.parts_rows) << "trade group under 4";
    EXPECT_TRUE(files["category_group.1.sql"].starts_with(kBom + std::string(kFixedGroups)));
    EXPECT_EQ(files["category_lang.1.sql"].find("(3,1,1,'CATALOG CARS'") != std::string::npos, c.vehicle);
    EXPECT_EQ(files["category_shop.1.sql"].find("(3,1,0)") != std::string::npos, c.vehicle);
  }
}

// A stop confirmed during the suppliers keeps the statements written before it and drops the rows
// still pending; nothing of the manufacturers is written.
TEST(WritingEdgeTest, StopKeepsWholeStatements) {
  test::WritingRun writing;
  writing.SetLimits(2, 1000);
  writing.reading().ReadAll();
  int checks = 0;
  writing.run().check_stop = [&] {
    if (++checks == 3) throw exporting::ExportStopped("StopExportData");
  };
  EXPECT_THROW(exporting::WriteSuppliersAndManufacturers(writing.run(), {}), exporting::ExportStopped);
  std::map<std::string, std::string> files = writing.Files();
  EXPECT_EQ(
      files["supplier_shop.1.sql"],
      kBom + std::string("INSERT INTO `ps_supplier_shop` (`id_supplier`,`id_shop`) VALUES (1,1),(2,1);\r\n"));
  EXPECT_EQ(files.count("manufacturer.1.sql"), 0u);
}

// Scope and mode: the brand tables belong to clean-store runs that write products.
TEST(WritingEdgeTest, BrandTablesOnlyInCleanStoreWithProducts) {
  test::WritingRun writing;
  writing.reading().ReadAll();
  writing.run().params.all_data = false;
  writing.run().params.tables_of_products = false;
  exporting::WriteSuppliersAndManufacturers(writing.run(), {});
  EXPECT_TRUE(writing.Files().empty());
  writing.run().params.tables_of_products = true;
  writing.run().params.clean_store = false;
  const std::size_t log_lines = writing.reading().log().size();
  exporting::WriteSuppliersAndManufacturers(writing.run(), {});
  EXPECT_TRUE(writing.Files().empty());
  EXPECT_EQ(writing.reading().log().size(), log_lines);
}

class TopCategoriesTest : public test::StoreFixture {};

// The top of an Addition run: the store's own categories where it has them, new ones after its
// largest id otherwise (Home first, then VEHICLE, then PARTS, each only when needed).
TEST_F(TopCategoriesTest, AdditionFindsOrCreatesTheTop) {
  struct Case {
    const char* name;
    const char* store_sql;
    bool vehicle_tree;
    TopCategories expected;
  };
  const char* groups =
      "INSERT INTO ps_category (id_category, id_parent, id_shop_default, date_add, date_upd) VALUES "
      "(7, 2, 1, NOW(), NOW()), (9, 2, 1, NOW(), NOW());"
      "INSERT INTO ps_category_lang (id_category, id_shop, id_lang, name, link_rewrite) VALUES "
      "(7, 1, 1, 'TRADE GROUPS', 't'), (9, 1, 1, 'CATALOG CARS', 'c'), (9, 1, 2, 'x', 'x');";
  const Case cases[] = {
      {"only Root and Home", "", true, {false, 2, 3, 4, false, true, true}},
      {"groups found by name", groups, true, {false, 2, 9, 7, false, false, false}},
      {"no root category",
       "UPDATE ps_category SET is_root_category = 0;",
       true,
       {false, 3, 4, 5, true, true, true}},
      {"no root, VEHICLE tree off",
       "UPDATE ps_category SET is_root_category = 0;",
       false,
       {false, 3, 0, 4, true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store().Execute("DELETE FROM ps_category WHERE id_category > 2");
    store().Execute("DELETE FROM ps_category_lang WHERE id_category > 2");
    store().Execute("UPDATE ps_category SET is_root_category = (id_category = 2)");
    if (*c.store_sql != '\0') store().ExecuteMulti(c.store_sql);
    test::WritingRun writing;
    writing.UseAdditionInto(params());
    writing.options().SetBoolean(OptionId::PreparationData_CreateCatTreeForVEHICLE, c.vehicle_tree);
    exporting::ReadStoreState(writing.run());
    TopCategories top = exporting::DecideTopCategories(writing.run());
    EXPECT_FALSE(top.fixed);
    EXPECT_EQ(top.home, c.expected.home);
    EXPECT_EQ(top.vehicle, c.expected.vehicle);
    EXPECT_EQ(top.parts, c.expected.parts);
    EXPECT_EQ(top.home_new, c.expected.home_new);
    EXPECT_EQ(top.vehicle_new, c.expected.vehicle_new);
    EXPECT_EQ(top.parts_new, c.expected.parts_new);
  }
}

}  // namespace
}  // namespace quarvel
