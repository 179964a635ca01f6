#include "core/options.h"

#include <gtest/gtest.h>

#include "core/setting_values.h"

namespace quarvel {
namespace {

TEST(OptionsTest, DefaultsAndFileTextOfEachKind) {
  Options options;
  EXPECT_EQ(options.Integer(OptionId::ConToTD_Lang), 4);
  EXPECT_EQ(options.Integer(OptionId::ConToTD_Reg), 250);
  EXPECT_EQ(options.Text(OptionId::ConToTD_Login), "tecdoc");
  EXPECT_TRUE(options.Boolean(OptionId::PreparationData_Cat_trans_manuf));
  EXPECT_FALSE(options.Boolean(OptionId::PreparationData_ImagesExportFromWeb));
  EXPECT_EQ(options.FileText(OptionId::ExportData_Val_NestedData), "1000");

  options.SetFromFileText(OptionId::ConToTD_Lang, "x7");  // not an integer: default
  EXPECT_EQ(options.Integer(OptionId::ConToTD_Lang), 4);
  options.SetFromFileText(OptionId::PreparationData_Cat_trans_manuf, "0");
  EXPECT_EQ(options.FileText(OptionId::PreparationData_Cat_trans_manuf), "0");
  options.SetFromFileText(OptionId::PreparationData_Cat_trans_manuf, "-3");  // any non-zero is true
  EXPECT_TRUE(options.Boolean(OptionId::PreparationData_Cat_trans_manuf));
  options.SetFromFileText(OptionId::WorkWithStore_ListOfLinkImgToCat, "a###  ###b###c");
  EXPECT_EQ(options.Items(OptionId::WorkWithStore_ListOfLinkImgToCat), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(options.FileText(OptionId::WorkWithStore_ListOfLinkImgToCat), "a###b###");
}

TEST(OptionsTest, KeysAreFoundWithoutRegardToCase) {
  const OptionSpec* entry = FindOptionSpec("contotd", "LANG");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->id, OptionId::ConToTD_Lang);
  EXPECT_EQ(FindOptionSpec("ConToTD", "Nope"), nullptr);
  // The same key name in two sections stays two options.
  EXPECT_NE(FindOptionSpec("ConToTD", "Server")->id, FindOptionSpec("ConToPresta", "Server")->id);
}

TEST(SettingValuesTest, BracketedIdListsMatchWholeIds) {
  std::string list = FormatIdList({12, 123});
  EXPECT_EQ(list, "[12][123]");
  EXPECT_TRUE(IdListContains(list, 12));
  EXPECT_TRUE(IdListContains(list, 123));
  EXPECT_FALSE(IdListContains(list, 1));
  EXPECT_FALSE(IdListContains(list, 23));
  EXPECT_FALSE(IdListContains("", 1));
}

TEST(SettingValuesTest, ParseIntegerAcceptsOnlyWholeNumbers) {
  struct Case {
    const char* text;
    std::optional<int> value;
  } cases[] = {{"7", 7}, {" -12 ", -12}, {"+3", 3}, {"", std::nullopt}, {"1.5", std::nullopt},
               {"abc", std::nullopt}, {"99999999999", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace quarvel
