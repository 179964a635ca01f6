#include "export/reading_helpers.h"

#include <gtest/gtest.h>

namespace quarvel::exporting {
namespace {

TEST(ReadingHelpersTest, FirstCharactersCountsCodePointsAndNeverSplitsOne) {
  struct Case {
    std::string text;
    std::size_t count;
    std::string expected;
  };
  const Case cases[] = {
      {"abcdef", 3, "abc"},
      {"Ölfilter", 2, "Öl"},
      {"Масляный", 3, "Мас"},
      {"a\xF0\x9F\x94\xA7"
       "b",
       2, "a\xF0\x9F\x94\xA7"},
      {"a\xFF\xFE"
       "b",
       2, "a\xFF"},         // a stray byte counts as one character
      {"\xD0", 1, "\xD0"},  // a cut-off sequence stays a unit of its own
      {"short", 130, "short"},
      {"abc", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstCharacters(c.text, c.count), c.expected) << c.text;
}

TEST(ReadingHelpersTest, SafeIdListKeepsOnlyWholeNumbers) {
  EXPECT_EQ(SafeIdList("9, 10 ,100"), "9,10,100");
  EXPECT_EQ(SafeIdList("9) OR (1=1,12"), "12");
  EXPECT_EQ(SafeIdList(""), "");
  EXPECT_EQ(SafeIdList(",,x"), "");
}

TEST(ReadingHelpersTest, ReadDecimalAcceptsPointOrCommaAndGivesZeroOtherwise) {
  EXPECT_DOUBLE_EQ(ReadDecimal("12,5"), 12.5);
  EXPECT_DOUBLE_EQ(ReadDecimal(" 0.75 "), 0.75);
  EXPECT_DOUBLE_EQ(ReadDecimal("-3"), -3);
  EXPECT_DOUBLE_EQ(ReadDecimal("76 mm"), 0);
  EXPECT_DOUBLE_EQ(ReadDecimal("1,2,3"), 0);
  EXPECT_DOUBLE_EQ(ReadDecimal(""), 0);
}

}  // namespace
}  // namespace quarvel::exporting
