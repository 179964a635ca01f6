// The cases of the product and product-category stages that the golden folders do not show: the
// product tables without the category tables, the PARTS tree switched off, long article numbers,
// vehicle-type batches, and the copy statements of an Addition run.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/export/golden/golden_run.h"

namespace quarvel {
namespace {

std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  std::istringstream in(file.substr(3));  // after the byte-order mark
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// "SELECTED TABLES" with the product tables only: no category_product file, and each product's own
// link line follows its product as soon as the product is handled, while its row may still wait
// in the statement buffer. Every link names a category the run can rely on.
TEST(ProductWriterTest, ProductsWithoutCategoryTablesCarryTheirOwnLinks) {
  test::WritingRun writing;
  writing.SetLimits(2, 1000);
  exporting::ExportParameters& params = writing.run().params;
  params.all_data = false;
  params.tables_of_products = true;
  params.tables_of_categories = false;
  params.images_and_logos = false;
  writing.Write();
  std::map<std::string, std::string> files = writing.Files();
  EXPECT_EQ(files.count("category_product.1.sql"), 0u);
  EXPECT_EQ(files.count("category.1.sql"), 0u);

  const std::vector<std::string> lines = Lines(files["product.1.sql"]);
  ASSERT_EQ(lines.size(), 6u);
  const exporting::CatalogueTables& tables = *writing.run().tables;
  auto link = [&](std::int64_t article) {
    const exporting::Part& part = tables.parts.At(article);
    const exporting::TradeGroup& group = tables.trade_groups.At(part.ga_id);
    // An article without a generic article falls back to Home.
    const std::int64_t category = group.activ ? group.cat2 : 2;
    return " INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (" +
           std::to_string(category) + "," + std::to_string(part.cat_artid) + ",0);\r";
  };
  // Articles 9 and 10 fill the first statement; 10 closed it, so its line follows it.
  EXPECT_EQ(lines[0], link(9));
  EXPECT_TRUE(lines[1].starts_with("INSERT INTO `ps_product` (")) << lines[1];
  EXPECT_NE(lines[1].find("VALUES (1,"), std::string::npos);
  EXPECT_NE(lines[1].find(",(2,"), std::string::npos);
  EXPECT_EQ(lines[2], link(10));
  EXPECT_EQ(lines[3], link(101));
  EXPECT_NE(lines[3].find("VALUES (2,3,0)"), std::string::npos);
  EXPECT_TRUE(lines[4].starts_with("INSERT INTO `ps_product` (")) << lines[4];
  EXPECT_EQ(lines[5], link(102));
}

// With the PARTS tree off, the generic-article categories are allocated but not written: no
// product names one as its default category, and no link row points into one.
TEST(ProductWriterTest, PartsTreeOffGivesNoDefaultCategoryThatIsNotWritten) {
  test::WritingRun writing;
  writing.options().SetBoolean(OptionId::PreparationData_CreateCatTreeForPARTS, false);
  writing.Write();
  std::map<std::string, std::string> files = writing.Files();
  const exporting::CatalogueTables& tables = *writing.run().tables;
  for (const exporting::TradeGroup& group : tables.trade_groups.records()) {
    if (!group.activ) continue;
    const std::string id = std::to_string(group.cat2);
    EXPECT_EQ(files["category.1.sql"].find("(" + id + ","), std::string::npos) << id;
    EXPECT_EQ(files["category_product.1.sql"].find("(" + id + ","), std::string::npos) << id;
  }
  EXPECT_EQ(Count(files["product.1.sql"], ",1,1,2,1,0,0,0,'"), 1u);  // brand 1, Home
  EXPECT_EQ(Count(files["product_shop.1.sql"], ",1,2,0,0,0,"), 4u);
  // The vehicle links stay.
  EXPECT_EQ(Count(files["category_product.1.sql"], "),("), 3u);
}

// Texts cut to their columns: a quote or backslash at the cut never leaves a lone backslash; the
// availability texts and the names keep their escapes.
TEST(ProductWriterTest, CutsKeepEscapesWhole) {
  struct Case {
    std::string number;     // the article number of article 9
    std::string reference;  // as written in the product row
  };
  const Case cases[] = {
      {std::string(31, 'A') + "'BCD", "'" + std::string(31, 'A') + "\\''"},
      {std::string(31, 'A') + "\\BCD", "'" + std::string(31, 'A') + "\\\\'"},
      {std::string(40, 'A'), "'" + std::string(32, 'A') + "'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    std::string quoted;
    for (char ch : c.number) quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
    test::WritingRun writing("UPDATE TOF_ARTICLES SET ART_ARTICLE_NR = '" + quoted + "' WHERE ART_ID = 9;");
    writing.Write();
    const std::string product = writing.Files()["product.1.sql"];
    EXPECT_NE(product.find(",0.00," + c.reference + ",0,0,0,0,2,"), std::string::npos) << product;
  }
}

// 25 active vehicle types, read ten at a time: the last, partial batch is linked too, and every
// type that fits article 9 puts its product into that type's oil-filter category.
TEST(ProductWriterTest, VehicleLinksOfEveryBatch) {
  test::WritingRun writing(test::ExtraTypesSql(2000, 20));
  writing.Write();
  const exporting::CatalogueTables& tables = *writing.run().tables;
  const std::string links = writing.Files()["category_product.1.sql"];
  const std::string product = std::to_string(tables.parts.At(9).cat_artid);
  std::vector<std::int64_t> fitting = {9, 10};
  for (std::int64_t id = 2000; id < 2020; ++id) fitting.push_back(id);
  for (std::int64_t type : fitting) {
    const exporting::Car& car = tables.cars.At(type);
    ASSERT_EQ(car.ga.size(), 1u) << type;
    EXPECT_NE(links.find("(" + std::to_string(car.ga[0].cat_num2) + "," + product + ",0)"), std::string::npos)
        << type;
  }
  // Those 22 and the PARTS-tree row.
  EXPECT_EQ(Count(links, "," + product + ",0)"), 23u);
}

}  // namespace
}  // namespace quarvel
