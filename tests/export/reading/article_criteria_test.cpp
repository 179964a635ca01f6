// The criteria text of an article, and the batched reading of criteria rows.
#include "export/article_criteria.h"

#include <gtest/gtest.h>

#include "tests/export/reading/reading_fixture.h"

namespace quarvel {
namespace {

using exporting::ArticleCriteriaSettings;
using exporting::BuildArticleCriteria;
using exporting::CriteriaRow;

TEST(ArticleCriteriaTest, TextReplacesNamedCriteriaAndDropsTheOtherPlaceholders) {
  struct Case {
    const char* name;
    std::string text_template;
    std::vector<CriteriaRow> rows;
    std::string expected;
  };
  const Case cases[] = {
      {"missing criterion removed, blank trimmed",
       "{Fitting Position} {Length}",
       {{"Fitting Position", "Front Axle"}},
       "Front Axle"},
      {"no criteria", " x {A} y ", {}, "x  y"},
      {"case is ignored", "{fitting POSITION}!", {{"Fitting Position", "Rear"}}, "Rear!"},
      {"every occurrence", "{A}/{a}", {{"A", "1"}}, "1/1"},
      {"stray braces stay", "} {A} {", {{"A", "1"}}, "} 1 {"},
      {"an unclosed brace stops the removal", "{B} {x", {}, "{x"},
      {"a value holding braces loses them", "{A}", {{"A", "v{x}w"}}, "vw"},
      {"template without placeholders", "plain", {{"A", "1"}}, "plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ArticleCriteriaSettings settings;
    settings.text_template = c.text_template;
    auto values = BuildArticleCriteria(c.rows, settings);
    EXPECT_EQ(values.add_critery, c.expected);
    EXPECT_EQ(values.count, c.rows.size());
  }
}

TEST(ArticleCriteriaTest, DimensionsTakeTheFirstRowOfTheirCriterionWithADecimalPoint) {
  ArticleCriteriaSettings settings;
  settings.dimension_criteria = {"W", "H", "", "Kg"};
  std::vector<CriteriaRow> rows = {{"", "nameless"}, {"H", "7,5"}, {"H", "9"}, {"W", "abc"}};
  EXPECT_EQ(BuildArticleCriteria(rows, settings).dimensions[1], std::nullopt);  // "by default": none

  settings.dimensions_from_catalogue = true;
  auto values = BuildArticleCriteria(rows, settings);
  EXPECT_EQ(values.dimensions[0], "abc");
  EXPECT_EQ(values.dimensions[1], "7.5");
  EXPECT_EQ(values.dimensions[2], std::nullopt);  // an empty choice matches no nameless criterion
  EXPECT_EQ(values.dimensions[3], std::nullopt);
}

// More criteria rows: a repeated row, a criterion without a name, several values of one
// criterion, and many articles so the batch spans more than one statement.
std::string ManyCriteriaSql() {
  std::string sql = R"sql(
    INSERT INTO TOF_ARTICLE_CRITERIA (ACR_ART_ID, ACR_CRI_ID, ACR_VALUE, ACR_KV_DES_ID, ACR_SORT, ACR_CTM) VALUES
      (9, 9, '76', NULL, 4, ',250,'), (9, 999, 'orphan', NULL, 5, ',250,'), (9, 100, 'M 18 X 1.5', NULL, 6, ',250,'),
      (102, 11, NULL, 440, 1, ',1,250,'), (102, 9, 'O''Brien\', NULL, 2, ',250,');
  )sql";
  for (int id = 2000; id < 2600; id += 1)
    sql +=
        "INSERT INTO TOF_ARTICLE_CRITERIA (ACR_ART_ID, ACR_CRI_ID, ACR_VALUE, ACR_KV_DES_ID, ACR_SORT, "
        "ACR_CTM) "
        "VALUES (" +
        std::to_string(id) + ", " + std::to_string(9 + id % 3) + ", '" + std::to_string(id % 7) +
        "', NULL, 1, ',250,');\n";
  return sql;
}

TEST(ArticleCriteriaTest, BatchedReadingGivesEveryArticleTheRowsOfItsOwnStatement) {
  test::ReadingRun reading(ManyCriteriaSql());
  auto& catalogue = reading.session().catalogue;
  std::vector<std::int64_t> ids = {9, 10, 100, 101, 102, 1000, 5};
  for (std::int64_t id = 2000; id < 2600; id += 3) ids.push_back(id);
  for (int country : {250, 1}) {
    for (int language : {4, 1}) {
      SCOPED_TRACE(std::to_string(country) + "/" + std::to_string(language));
      exporting::ArticleCriteriaBatch batch(catalogue, country, language);
      batch.Load(ids);
      std::size_t with_rows = 0;
      for (std::int64_t id : ids) {
        std::vector<CriteriaRow> own = exporting::ReadArticleCriteriaRows(catalogue, country, language, id);
        EXPECT_EQ(batch.Rows(id), own) << id;
        if (!own.empty()) ++with_rows;
      }
      EXPECT_GE(with_rows, 3u);
    }
  }
  // Article 9 in English for France: the nameless criterion first, the repeated row once.
  std::vector<CriteriaRow> rows = exporting::ReadArticleCriteriaRows(catalogue, 250, 4, 9);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (CriteriaRow{"", "orphan"}));
  EXPECT_EQ(rows[1], (CriteriaRow{"Height [mm]", "76"}));
}

}  // namespace
}  // namespace quarvel
