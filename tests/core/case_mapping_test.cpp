#include "core/case_mapping.h"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <string>

namespace quarvel {
namespace {

TEST(CaseMappingTest, MapsEachCodePointToOne) {
  struct Case {
    std::string text, upper, lower;
  } cases[] = {
      {"", "", ""},
      {"straße ёж", "STRAßE ЁЖ", "straße ёж"},  // ß has no one-character upper case
      {"Фильтр Масляный", "ФИЛЬТР МАСЛЯНЫЙ", "фильтр масляный"},
      {"Crème Brûlée 12-x", "CRÈME BRÛLÉE 12-X", "crème brûlée 12-x"},
      {"İstanbul ıi", "İSTANBUL II", "istanbul ıi"},  // root locale: no Turkish dotted/dotless rules
      {"ǅ", "Ǆ", "ǆ"},
      {"𐐨𐐀", "𐐀𐐀", "𐐨𐐨"},  // four-byte letters (Deseret)
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpperCase(c.text), c.upper) << c.text;
    EXPECT_EQ(LowerCase(c.text), c.lower) << c.text;
  }
}

TEST(CaseMappingTest, PassesInvalidBytesThroughUnchanged) {
  struct Case {
    std::string text, upper;
  } cases[] = {
      {"a\xFFz", "A\xFFZ"},
      {"ж\xD0", "Ж\xD0"},                            // lone lead byte at the end
      {"\xD0z", "\xD0Z"},                            // lead byte followed by ASCII
      {"\x80\x80ё", "\x80\x80Ё"},                    // continuation bytes without a lead
      {"\xED\xA0\x80q", "\xED\xA0\x80Q"},            // encoded surrogate
      {"\xC0\xAFq", "\xC0\xAFQ"},                    // overlong "/"
      {"ж\xF4\x90\x80\x80ж", "Ж\xF4\x90\x80\x80Ж"},  // beyond U+10FFFF
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpperCase(c.text), c.upper) << testing::PrintToString(c.text);
    EXPECT_EQ(LowerCase(c.upper), LowerCase(c.text)) << testing::PrintToString(c.text);
  }
}

TEST(CaseMappingTest, IgnoresTheDefaultLocale) {
  const std::string previous = uloc_getDefault();
  UErrorCode status = U_ZERO_ERROR;
  uloc_setDefault("tr_TR", &status);
  const std::string upper = UpperCase("i"), lower = LowerCase("I");
  uloc_setDefault(previous.c_str(), &status);
  EXPECT_EQ(upper, "I");
  EXPECT_EQ(lower, "i");
}

}  // namespace
}  // namespace quarvel
