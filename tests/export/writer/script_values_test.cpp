#include "export/script_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace quarvel::exporting {
namespace {

TEST(ScriptValues, DecimalsInShortestFormWithPoint) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.0, "0"},
      {100.0, "100"},
      {12.5, "12.5"},
      {-2.25, "-2.25"},
      {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary noise
      {1.0 / 3.0, "0.333333333333333"},
      {1234567.125, "1234567.125"},
      {std::numeric_limits<double>::quiet_NaN(), "0"},
      {std::numeric_limits<double>::infinity(), "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(SqlDecimal(c.value), c.text) << c.value;
}

TEST(ScriptValues, ScalarTexts) {
  EXPECT_EQ(SqlInteger(0), "0");
  EXPECT_EQ(SqlInteger(-9223372036854775807LL - 1), "-9223372036854775808");
  EXPECT_EQ(SqlText("O'Neil \\ Жук"), "'O\\'Neil \\\\ Жук'");
  // Already escaped text is quoted as it stands.
  EXPECT_EQ(SqlQuoted("O\\'Neil"), "'O\\'Neil'");
}

TEST(ScriptValues, RowJoinsValuesAndClearsForReuse) {
  ScriptRow row;
  row.Integer(12).Text("a'b").Quoted("link-name").Literal("NOW()").Decimal(0.5);
  EXPECT_EQ(row.View(), "12,'a\\'b','link-name',NOW(),0.5");
  EXPECT_EQ(row.Clear().Integer(1).View(), "1");
  EXPECT_EQ(row.Clear().Quoted("").View(), "''");
}

TEST(ScriptValues, CutsKeepCharactersAndEscapePairsWhole) {
  const struct {
    const char* text;
    std::size_t max;
    const char* escaped_cut;
  } cases[] = {
      {"abcdef", 3, "abc"},        {"abc", 10, "abc"},       {"", 4, ""},
      {"Жигули", 3, "Жиг"},                                   // characters, not bytes
      {"ab\\'cd", 3, "ab"},                                   // the pair would be halved: dropped whole
      {"ab\\'cd", 4, "ab\\'"},     {"\\\\\\\\x", 3, "\\\\"},  // two escaped backslashes, room for one pair
      {"Ж\\\"к\\\"", 4, "Ж\\\"к"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstEscapedCharacters(c.text, c.max), c.escaped_cut) << c.text << " / " << c.max;
  }
  EXPECT_EQ(FirstCharacters("Жигули", 2), "Жи");
  EXPECT_EQ(FirstCharacters("a\\'b", 2), "a\\");  // raw text: a backslash is a character like any other
  EXPECT_EQ(FirstCharacters("€uro", 1), "€");
}

}  // namespace
}  // namespace quarvel::exporting
