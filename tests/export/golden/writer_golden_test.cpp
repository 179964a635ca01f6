// Whole export folders of the supplier, manufacturer and category stages on the fixture catalogue,
// compared byte for byte with reviewed copies in expected/.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/export/golden/existing_store.h"
#include "tests/export/golden/golden_run.h"
#include "tests/support/store_fixture.h"

namespace quarvel {
namespace {

using exporting::ExportLanguage;

// Three rows per statement and two statements per file: statements and files rotate in every
// larger table; names with quotes, backslashes and Cyrillic letters, a name cut at 128 characters.
TEST(WriterGoldenTest, CleanStoreRotatingFiles) {
  test::WritingRun writing(test::SpecialTextsSql());
  writing.SetLimits(3, 2);
  writing.UseSpecialTexts();
  writing.Write();
  test::ExpectMatchesGolden(writing.Files(), "clean_rotating");

  const std::vector<std::string>& log = writing.reading().log();
  // From the start of the writing phase through the products stage.
  auto start =
      std::find(log.begin(), log.end(), "[time] Creating data files of suppliers and manufacturers ...");
  auto end = std::find(start, log.end(), "[time] Data files of products is OK");
  ASSERT_NE(end, log.end());
  const std::vector<std::string> stage_log(start, end + 2);
  EXPECT_EQ(stage_log, (std::vector<std::string>{
                           "[time] Creating data files of suppliers and manufacturers ...",
                           "... table [suppliers]",
                           "... table [manufacturers]",
                           "[time] Data files of manufacturers and suppliers is OK",
                           "---",
                           "[time] Data files of categories ...",
                           "... table [category] ",
                           "... table [category_group] ",
                           "... table [category_lang] ",
                           "... table [category_shop] ",
                           "... table [category_product] ",
                           "[time] Data files of categories is OK",
                           "---",
                           "[time] Data files of products ...",
                           "... table [product] ",
                           "... table [product_lang] ",
                           "... table [product_shop] ",
                           "... table [product_tag] and [tag] ",
                           "... table [feature], [feature_lang] and [feature_shop] ",
                           "... table [feature_value], [feature_value_lang] and [feature_product] ",
                           "[time] Data files of products is OK",
                           "---",
                       }));
}

// German and Russian as additional languages (store languages 2 and 3), one row per statement:
// every item's language rows stay together in one statement.
TEST(WriterGoldenTest, CleanStoreWithAdditionalLanguages) {
  test::WritingRun writing(test::SpecialTextsSql());
  writing.SetLimits(1, 1000);
  writing.UseSpecialTexts();
  writing.run().languages = {ExportLanguage{2, 1, "de"}, ExportLanguage{3, 16, "ru"}};
  writing.Write();
  test::ExpectMatchesGolden(writing.Files(), "clean_languages");
}

class AdditionScriptsGoldenTest : public test::StoreFixture {};

// Into a store that has the groups and a linked type: no supplier or manufacturer files, no top
// rows, only the types not yet linked, below the store's own brand and model where it has them.
TEST_F(AdditionScriptsGoldenTest, AdditionToTheExistingData) {
  store().ExecuteMulti(test::kExistingStore);
  test::WritingRun writing;
  writing.UseAdditionInto(params());
  writing.Write();
  test::ExpectMatchesGolden(writing.Files(), "addition");
}

// Into a store that holds only Root and Home: the two groups are created after Home, as 3 and 4,
// and the brands hang under the new VEHICLE group.
TEST_F(AdditionScriptsGoldenTest, AdditionCreatesTheGroups) {
  test::WritingRun writing;
  writing.UseAdditionInto(params());
  writing.Write();
  test::ExpectMatchesGolden(writing.Files(), "addition_new_groups");
}

}  // namespace
}  // namespace quarvel
