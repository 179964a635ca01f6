#include "core/text.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/case_mapping.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

// ---- Literal references: the helpers as pass-by-pass definitions, slow on purpose. ----

std::string NaiveReplaceAll(std::string text, const std::string& pattern, const std::string& replacement) {
  if (pattern.empty()) return text;
  std::string out;
  std::size_t from = 0, at;
  while ((at = text.find(pattern, from)) != std::string::npos) {
    out += text.substr(from, at - from) + replacement;
    from = at + pattern.size();
  }
  return out + text.substr(from);
}

std::string NaiveEscapeSql(std::string text) {
  const std::vector<std::pair<std::string, std::string>> passes = {
      {"\\", "\\\\"}, {"'", "\\'"},  {"\"", "\\\""}, {std::string(1, '\0'), "\\0"},
      {"\n", "\\n"},  {"\r", "\\r"}, {"\x1A", "\\Z"}};
  for (const auto& [pattern, replacement] : passes) text = NaiveReplaceAll(text, pattern, replacement);
  return text;
}

struct CodePointAt {
  UChar32 value;
  std::size_t offset;
};

// Valid UTF-8 only; the generators below produce nothing else.
std::vector<CodePointAt> Decode(const std::string& text) {
  std::vector<CodePointAt> out;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  int32_t i = 0, length = static_cast<int32_t>(text.size());
  while (i < length) {
    const auto offset = static_cast<std::size_t>(i);
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    out.push_back({c, offset});
  }
  return out;
}

// Tries every start position in turn, comparing folded code points.
std::string NaiveReplaceAllIgnoreCase(const std::string& text, const std::string& pattern,
                                      const std::string& replacement) {
  if (pattern.empty()) return text;
  const std::vector<CodePointAt> t = Decode(text), p = Decode(pattern);
  std::string out;
  std::size_t pos = 0;
  auto offset = [&](std::size_t k) { return k < t.size() ? t[k].offset : text.size(); };
  while (pos < t.size()) {
    bool match = pos + p.size() <= t.size();
    for (std::size_t k = 0; match && k < p.size(); ++k) {
      match =
          u_foldCase(t[pos + k].value, U_FOLD_CASE_DEFAULT) == u_foldCase(p[k].value, U_FOLD_CASE_DEFAULT);
    }
    if (match) {
      out += replacement;
      pos += p.size();
    } else {
      out += text.substr(offset(pos), offset(pos + 1) - offset(pos));
      ++pos;
    }
  }
  return out;
}

std::string NaiveMakeLinkRewrite(const std::string& text) {
  std::string s = LowerCase(text);
  for (const char* c : {";", ",", ".", "/",  "?", ":", "@", "=", "+", "$",  "#", "%",
                        "!", "~", "*", "\"", "'", "(", ")", "&", "^", "\\", "{", "}"}) {
    s = NaiveReplaceAll(s, c, "-");
  }
  for (const char* run : {"-----", "----", "---", "--"}) {
    if (s.find(run) != std::string::npos) s = NaiveReplaceAll(s, run, "-");
  }
  std::string out;
  for (unsigned char c : s) {
    if (std::isalnum(c) && c < 0x80) {
      out += static_cast<char>(c);
    } else if (std::string_view("!'()*-._~").find(static_cast<char>(c)) != std::string_view::npos) {
      out += static_cast<char>(c);
    } else if (c == ' ') {
      out += '-';
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string RandomText(std::mt19937& random, const std::vector<std::string>& alphabet,
                       std::size_t max_length) {
  std::uniform_int_distribution<std::size_t> length(0, max_length), pick(0, alphabet.size() - 1);
  std::string out;
  for (std::size_t n = length(random); n > 0; --n) out += alphabet[pick(random)];
  return out;
}

// ---- Tests ----

TEST(EscapeSqlTest, EscapesEveryCharacterOfAStringLiteral) {
  struct Case {
    std::string text, escaped;
  } cases[] = {
      {"", ""},
      {"plain ASCII", "plain ASCII"},
      {"\\'", "\\\\\\'"},  // backslash + quote: four characters, the quote still escaped
      {"O'Reilly \"Pro\"", "O\\'Reilly \\\"Pro\\\""},
      {std::string("a\0b", 3), "a\\0b"},
      {"line\r\nnext\x1A", "line\\r\\nnext\\Z"},
      {"Фильтр 'масляный'", "Фильтр \\'масляный\\'"},
      {"\\n", "\\\\n"},  // an escape already written by hand is not taken for one
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeSql(c.text), c.escaped) << c.text;
}

TEST(EscapeSqlTest, OnePassEqualsTheSevenOrderedPasses) {
  std::mt19937 random(20240611);
  const std::vector<std::string> alphabet = {"a",  "Z",  "0",    "n", "\\", "'", "\"", std::string(1, '\0'),
                                             "\n", "\r", "\x1A", "ж", " "};
  for (int i = 0; i < 5000; ++i) {
    const std::string text = RandomText(random, alphabet, 20);
    ASSERT_EQ(EscapeSql(text), NaiveEscapeSql(text)) << testing::PrintToString(text);
  }
}

TEST(ReplaceAllInOrderTest, AppliesPassesInListOrder) {
  // The second pass sees what the first produced.
  EXPECT_EQ(ReplaceAllInOrder("abc", {"a", "xb"}, {"x", "Y"}), "Yc");
  EXPECT_EQ(ReplaceAllInOrder("aaa", {"aa"}, {"a"}), "aa");  // non-overlapping, left to right
  EXPECT_EQ(ReplaceAllInOrder("abc", {"", "b"}, {"X", "B"}), "aBc");
  EXPECT_EQ(ReplaceAllInOrder("", {"a"}, {"b"}), "");
}

TEST(ReplaceAllInOrderDeathTest, ListsOfUnequalLengthStop) {
#ifdef NDEBUG
  GTEST_SKIP() << "assertions are compiled out";
#else
  EXPECT_DEATH(ReplaceAllInOrder("abc", {"a", "b"}, {"x"}), "");
#endif
}

TEST(ReplaceAllIgnoreCaseTest, ReplacesWithoutRegardToCase) {
  struct Case {
    std::string text, pattern, replacement, result;
  } cases[] = {
      {"{NAME} and {name}", "{Name}", "Oil", "Oil and Oil"},
      {"", "{x}", "y", ""},
      {"text", "", "y", "text"},
      {"aaaa", "AA", "b", "bb"},
      {"aaa", "aa", "b", "ba"},  // left to right, no overlap
      {"xAbAbAc", "abac", "-", "xAb-"},
      {"ФИЛЬТР масляный", "фильтр", "Filter", "Filter масляный"},
      {"Ёлка ёлка", "ЁЛКА", "x", "x x"},
      {"CRÈME crème", "crème", "c", "c c"},
      {"Maße", "MASSE", "x", "Maße"},  // simple folding: ß is not "ss"
      {"\xE2\x84\xAA"
       "elvin",
       "kelvin", "K", "K"},  // KELVIN SIGN folds to k; byte lengths differ
      {"ab\xFF"
       "cd\xFF",
       "\xFF"
       "C",
       "-", "ab-d\xFF"},                   // a stray byte matches only itself
      {"{a}", "{A}", "{A}{a}", "{A}{a}"},  // the replacement is not searched again
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceAllIgnoreCase(c.text, c.pattern, c.replacement), c.result)
        << c.text << " / " << c.pattern;
  }
}

TEST(ReplaceAllIgnoreCaseTest, EqualsNaiveScanOverGeneratedTexts) {
  std::mt19937 random(7);
  // Few distinct letters in both cases so that partial matches and restarts are frequent.
  const std::vector<std::string> alphabet = {"a", "A", "b", "B", "ж", "Ж", "é", "É", "\xE2\x84\xAA",
                                             "k", "-"};
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomText(random, alphabet, 24);
    std::string pattern = RandomText(random, alphabet, 5);
    const std::string replacement = RandomText(random, {"x", "Ж", ""}, 2);
    ASSERT_EQ(ReplaceAllIgnoreCase(text, pattern, replacement),
              NaiveReplaceAllIgnoreCase(text, pattern, replacement))
        << "text " << text << " pattern " << pattern << " replacement " << replacement;
  }
}

TEST(TagValueTest, ReadsTheFirstValueBetweenTheTags) {
  struct Case {
    std::string text, open, close, value;
  } cases[] = {
      {"<a>1</a><a>2</a>", "<a>", "</a>", "1"},
      {"<ps_id_lang#3>7</ps_id_lang#3>", "<ps_id_lang#3>", "</ps_id_lang#3>", "7"},
      {"<a>1", "<a>", "</a>", ""},          // closing tag missing
      {"1</a>", "<a>", "</a>", ""},         // opening tag missing
      {"</a><a>1</a>", "<a>", "</a>", ""},  // a close before the open ends the search
      {"<a></a>", "<a>", "</a>", ""},
      {"", "<a>", "</a>", ""},
      {"<b>x</b><a>Фильтр</a>", "<a>", "</a>", "Фильтр"},
      {"Name > iso:[de]", "[", "]", "de"},
  };
  for (const Case& c : cases) EXPECT_EQ(TagValue(c.text, c.open, c.close), c.value) << c.text;
}

TEST(MakeLinkRewriteTest, BuildsTheStoreUrlName) {
  struct Case {
    std::string text, link;
  } cases[] = {
      {"", ""},
      {"Filter, Air (Front)", "filter--air--front-"},
      {"A - B", "a---b"},
      {"a---------b", "a-b"},                      // nine: 5 -> 1 leaves 5, 4 -> 1 leaves 2, then 1
      {"a" + std::string(39, '-') + "b", "a--b"},  // 39 -> 11 -> 5 -> 3 -> 2: the shortest run left at two
      {"x..y", "x-y"},
      {"-lead trail-", "-lead-trail-"},
      {"Ж", "%D0%B6"},  // the lower-case letter's UTF-8 bytes
      {"Масло", "%D0%BC%D0%B0%D1%81%D0%BB%D0%BE"},
      {"Émile_Zola~", "%C3%A9mile_zola-"},
      {"a\tb<c>", "a%09b%3Cc%3E"},
      {"\xE2\x84\xAA-\xE2\x84\xAA", "k-k"},  // KELVIN SIGN lower-cases into ASCII
      {"bad\xFF"
       "byte",
       "bad%FFbyte"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeLinkRewrite(c.text), c.link) << c.text;
}

TEST(MakeLinkRewriteTest, EqualsThePassByPassDefinitionOverGeneratedTexts) {
  std::mt19937 random(42);
  const std::vector<std::string> alphabet = {"-",
                                             "-",
                                             "-",
                                             " ",
                                             ";",
                                             ",",
                                             ".",
                                             "/",
                                             "?",
                                             ":",
                                             "@",
                                             "=",
                                             "+",
                                             "$",
                                             "#",
                                             "%",
                                             "!",
                                             "~",
                                             "*",
                                             "\"",
                                             "'",
                                             "(",
                                             ")",
                                             "&",
                                             "^",
                                             "\\",
                                             "{",
                                             "}",
                                             "A",
                                             "z",
                                             "7",
                                             "_",
                                             "Ж",
                                             "ё",
                                             "É",
                                             "ß",
                                             "\xE2\x84\xAA",
                                             "<",
                                             "\t"};
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomText(random, alphabet, 40);
    ASSERT_EQ(MakeLinkRewrite(text), NaiveMakeLinkRewrite(text)) << testing::PrintToString(text);
  }
  // Long hyphen runs of every length up to 200, alone and between letters.
  for (std::size_t n = 1; n <= 200; ++n) {
    const std::string text = "a" + std::string(n, '-') + "b " + std::string(n, ',');
    ASSERT_EQ(MakeLinkRewrite(text), NaiveMakeLinkRewrite(text)) << n;
  }
}

TEST(UrlEncodeUtf8Test, EncodesBytesWithoutOtherChanges) {
  struct Case {
    std::string text, encoded;
  } cases[] = {
      {"", ""},
      {"Stock File.csv", "Stock-File.csv"},
      {"a/b?c=d&e", "a%2Fb%3Fc%3Dd%26e"},
      {"!'()*-._~", "!'()*-._~"},
      {"Склад", "%D0%A1%D0%BA%D0%BB%D0%B0%D0%B4"},  // no lower-casing
      {std::string("\0", 1), "%00"},
      {"a--b", "a--b"},  // no hyphen shortening
  };
  for (const Case& c : cases) EXPECT_EQ(UrlEncodeUtf8(c.text), c.encoded) << c.text;
}

TEST(SearchNumberTest, KeepsOnlyLettersAndDigitsInUpperCase) {
  struct Case {
    std::string number, search;
  } cases[] = {
      {"AB-12 34/x", "AB1234X"}, {" 0 986 452 041 ", "0986452041"}, {"", ""}, {"-./ ", ""},
      {"ОС 90", "90"},  // Cyrillic letters are not letters here
      {"w712/75\t", "W71275"},
  };
  for (const Case& c : cases) EXPECT_EQ(SearchNumber(c.number), c.search) << c.number;
}

TEST(TagTextTest, ReplacesOtherCharactersByBlanks) {
  struct Case {
    std::string text, tag;
  } cases[] = {
      {"  W 712/75  ", "W 712 75"}, {"A-B.C", "A B C"}, {"", ""},
      {"\t-x-\r\n", " x "},  // trimmed first, then the hyphens become blanks: the length stays
      {"ОС-90", "   90"},    // one blank per character, not per byte
  };
  for (const Case& c : cases) EXPECT_EQ(TagText(c.text), c.tag) << c.text;
}

TEST(LocalDecimalTest, UsesTheInjectedSeparator) {
  const RegionalSettings point{'.', ','}, comma{',', ';'};
  struct Case {
    std::string number;
    const RegionalSettings& regional;
    std::string local;
  } cases[] = {
      {"12.50", comma, "12,50"}, {"12,50", point, "12.50"}, {"12.50", point, "12.50"},
      {"12,50", comma, "12,50"}, {"", comma, ""},           {"1.000.5", comma, "1,000,5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocalDecimal(c.number, c.regional), c.local) << c.number << " " << c.regional.decimal_separator;
  }
}

TEST(YearMonthTextTest, TurnsCatalogueDatesIntoMonthAndYear) {
  struct Case {
    std::string date, text;
  } cases[] = {
      {"199503", "03/1995"}, {"", ""},
      {"   ", ""},           {"1995", "/1995"},
      {"20011", "1/2001"},   {"2001123", "12/2001"},
      {"ёёёёЖЖ", "ЖЖ/ёёёё"},  // counted in characters, never cutting a UTF-8 sequence
  };
  for (const Case& c : cases) EXPECT_EQ(YearMonthText(c.date), c.text) << c.date;
}

TEST(CountFileLinesTest, CountsLinesLikeALineReader) {
  test::TempFolder folder;
  struct Case {
    std::string bytes;
    std::int64_t lines;
  } cases[] = {
      {"", 0},
      {"a", 1},
      {"a\nb", 2},
      {"a\nb\n", 2},
      {"a\r\nb\r\n", 2},
      {"\n\n", 2},
      {"\r\n\r\n\r\n", 3},
      {"a\rb\r", 2},
      {"\xEF\xBB\xBF"
       "ж\r\nё",
       2},
      {std::string(65535, 'x') + "\r\ny", 2},  // CR LF split between two reads of the file
  };
  for (const Case& c : cases) {
    const auto path = folder / "stock.csv";
    test::WriteFileBytes(path, c.bytes);
    EXPECT_EQ(CountFileLines(path), c.lines) << testing::PrintToString(c.bytes.substr(0, 20));
  }
}

TEST(CountFileLinesTest, NamesTheFileItCannotRead) {
  test::TempFolder folder;
  for (const auto& path : {folder / "missing.txt", folder.path()}) {
    try {
      CountFileLines(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace quarvel
