// Which articles an export takes, their trade categories, product ids and dimensions.
#include <gtest/gtest.h>

#include "tests/export/reading/reading_fixture.h"

namespace quarvel {
namespace {

using Id = OptionId;

// Generic article 11 shares its short name with 9 and 10 ("Filter") and its assembly name with
// 100 ("Brake"); article 103 belongs to it.
constexpr const char* kSharedNames = R"sql(
  INSERT INTO TOF_GENERIC_ARTICLES (GA_ID, GA_DES_ID, GA_DES_ID_STANDARD, GA_DES_ID_ASSEMBLY) VALUES (11, 403, 410, 412);
  INSERT INTO TOF_ARTICLES (ART_ID, ART_ARTICLE_NR, ART_SUP_ID, ART_DES_ID, ART_COMPLETE_DES_ID, ART_CTM)
    VALUES (103, 'BR-1', 9, NULL, 403, ',250,');
  INSERT INTO TOF_LINK_ART_GA (LAG_ART_ID, LAG_GA_ID) VALUES (103, 11);
)sql";

void ReadPartsOnly(test::ReadingRun& reading) {
  exporting::ReadTradeGroups(reading.run());
  exporting::ReadParts(reading.run());
  exporting::AllocateProductIds(reading.run());
}

TEST(PartReadingTest, TradeCategoriesShareTheirParentByTheChosenName) {
  for (bool by_assembly : {true, false}) {
    SCOPED_TRACE(by_assembly);
    test::ReadingRun reading(kSharedNames);
    reading.options().SetBoolean(Id::PreparationData_Pro_CategoryForTradeGroup, by_assembly);
    ReadPartsOnly(reading);
    const auto& groups = reading.tables().trade_groups;
    for (std::int64_t ga : {9, 11, 100}) ASSERT_TRUE(groups.IsActive(ga)) << ga;
    // Generic article 10 has only an article that is not valid in France.
    EXPECT_FALSE(groups.IsActive(10));
    EXPECT_EQ(groups.At(11).cat1 == groups.At(9).cat1, !by_assembly);
    EXPECT_EQ(groups.At(11).cat1 == groups.At(100).cat1, by_assembly);
    // Articles are met in the text order of their ids (10, 100, 101, 102, 103, 9): generic
    // article 9 (through article 10) takes the first two ids.
    EXPECT_EQ(groups.At(9).cat1, 5);
    EXPECT_EQ(groups.At(9).cat2, 6);
  }
}

TEST(PartReadingTest, ArticleFileChoosesTheProductsAndUselessLinesAreSkipped) {
  test::ReadingRun reading;
  test::WriteFileBytes(reading.folder() / "articles.txt", "102\n0\n-9\n9\n1001\nx\n");
  reading.options().SetBoolean(Id::ExportData_Only_for_values_of_parts_from_file, true);
  reading.options().SetText(Id::ExportData_Path_to_data_with_artid,
                            (reading.folder() / "articles.txt").string());
  ReadPartsOnly(reading);
  const auto& parts = reading.tables().parts;
  EXPECT_EQ(parts.At(9).cat_artid, 1);
  EXPECT_EQ(parts.At(102).cat_artid, 2);
  EXPECT_EQ(parts.At(102).trade_number, "TR\\7");  // raw: writers escape
  for (std::int64_t id : {10, 100, 101}) {
    EXPECT_FALSE(parts.IsActive(id)) << id;
    EXPECT_EQ(parts.At(id).cat_artid, 0) << id;
  }
}

TEST(PartReadingTest, DefaultDimensionsAcceptADecimalCommaAndUnreadableOnesGiveZero) {
  test::ReadingRun reading;
  reading.options().SetText(Id::PreparationData_Pro_Width_default, "12,5");
  reading.options().SetText(Id::PreparationData_Pro_Height_default, " 3.25 ");
  reading.options().SetText(Id::PreparationData_Pro_Depth_default, "abc");
  reading.options().SetText(Id::PreparationData_Pro_Weight_default, "");
  ReadPartsOnly(reading);
  const exporting::Part& part = reading.tables().parts.At(9);
  EXPECT_DOUBLE_EQ(part.cri[0], 12.5);
  EXPECT_DOUBLE_EQ(part.cri[1], 3.25);
  EXPECT_DOUBLE_EQ(part.cri[2], 0);
  EXPECT_DOUBLE_EQ(part.cri[3], 0);
}

TEST(PartReadingTest, ArticleWithoutGenericArticleTakesNoTradeCategory) {
  test::ReadingRun reading;
  ReadPartsOnly(reading);
  const auto& parts = reading.tables().parts;
  ASSERT_TRUE(parts.IsActive(101));
  EXPECT_EQ(parts.At(101).ga_id, 0);
  // Generic articles 9 and 100 ("Engine", "Brake"): two parents and two own categories, no id
  // spent on the article without one.
  EXPECT_EQ(reading.run().next_category, 4 + 2 + 2);
}

TEST(PartReadingTest, StopRequestEndsTheStage) {
  test::ReadingRun reading;
  exporting::ReadTradeGroups(reading.run());
  int checks = 0;
  reading.run().check_stop = [&] {
    if (++checks == 3) throw exporting::ExportStopped("StopExportData");
  };
  EXPECT_THROW(exporting::ReadParts(reading.run()), exporting::ExportStopped);
  EXPECT_EQ(checks, 3);
}

}  // namespace
}  // namespace quarvel
