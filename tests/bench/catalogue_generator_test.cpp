#include "bench/catalogue_generator/catalogue_generator.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/catalogue_generator/sqlite_database.h"
#include "tests/support/temp_folder.h"

namespace quarvel::bench {
namespace {

std::filesystem::path SchemaPath() {
  const char* fixtures = std::getenv("QUARVEL_TEST_FIXTURES");
  const std::filesystem::path folder = fixtures && *fixtures
                                           ? std::filesystem::path(fixtures)
                                           : std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests/fixtures";
  return folder / "catalogue_schema.sql";
}

GeneratorOptions SmallRun(const std::filesystem::path& out, std::uint64_t seed) {
  GeneratorOptions options;
  options.out = out;
  options.schema = SchemaPath();
  options.articles = 200;
  options.types = 37;
  options.links_per_article = 7;
  options.seed = seed;
  return options;
}

TEST(CatalogueGenerator, WritesTheRowsItsParametersImplyWithEveryLinkResolved) {
  test::TempFolder folder;
  const GeneratorOptions options = SmallRun(folder / "catalogue.sqlite", 42);
  const GenerationReport report = GenerateCatalogue(options);
  EXPECT_FALSE(std::filesystem::exists(folder / "catalogue.sqlite.partial"));

  SqliteDatabase db(options.out);
  {
    SqliteStatement check = db.Prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.ColumnText(0), "ok");
  }

  // Every table of the schema is filled, and the report tells the truth about it.
  SqliteStatement tables = db.Prepare(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name");
  int table_count = 0;
  while (tables.Step()) {
    const std::string table = tables.ColumnText(0);
    ++table_count;
    const std::int64_t rows = db.QueryInteger("SELECT COUNT(*) FROM " + table);
    EXPECT_GT(rows, 0) << table;
    EXPECT_EQ(report.rows.count(table) ? report.rows.at(table) : -1, rows) << table;
  }
  EXPECT_EQ(table_count, static_cast<int>(report.rows.size()));
  // Indexes held back during the load exist at the end.
  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM sqlite_master WHERE name = 'IX_LAT_TYP_ID'"), 1);

  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM TOF_ARTICLES"), 200);
  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM TOF_TYPES"), 37);
  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM TOF_LINK_LA_TYP"), 200 * 7);
  // Each article applies to exactly seven distinct types.
  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM (SELECT LA_ART_ID FROM TOF_LINK_LA_TYP "
                            "JOIN TOF_LINK_ART ON LAT_LA_ID = LA_ID GROUP BY LA_ART_ID "
                            "HAVING COUNT(DISTINCT LAT_TYP_ID) = 7)"),
            200);

  struct Orphans {
    const char* what;
    const char* sql;
  };
  const Orphans orphan_checks[] = {
      {"LAT_TYP_ID",
       "SELECT COUNT(*) FROM TOF_LINK_LA_TYP WHERE LAT_TYP_ID NOT IN (SELECT TYP_ID FROM TOF_TYPES)"},
      {"LAT_LA_ID",
       "SELECT COUNT(*) FROM TOF_LINK_LA_TYP WHERE LAT_LA_ID NOT IN (SELECT LA_ID FROM TOF_LINK_ART)"},
      {"LA_ART_ID",
       "SELECT COUNT(*) FROM TOF_LINK_ART WHERE LA_ART_ID NOT IN (SELECT ART_ID FROM TOF_ARTICLES)"},
      {"LA_GA_ID in the article's groups",
       "SELECT COUNT(*) FROM TOF_LINK_ART WHERE NOT EXISTS "
       "(SELECT 1 FROM TOF_LINK_ART_GA WHERE LAG_ART_ID = LA_ART_ID AND LAG_GA_ID = LA_GA_ID)"},
      {"LAG_GA_ID",
       "SELECT COUNT(*) FROM TOF_LINK_ART_GA WHERE LAG_GA_ID NOT IN (SELECT GA_ID FROM "
       "TOF_GENERIC_ARTICLES)"},
      {"LGS_STR_ID",
       "SELECT COUNT(*) FROM TOF_LINK_GA_STR WHERE LGS_STR_ID NOT IN (SELECT STR_ID FROM TOF_SEARCH_TREE)"},
      {"STR_ID_PARENT",
       "SELECT COUNT(*) FROM TOF_SEARCH_TREE WHERE STR_ID_PARENT IS NOT NULL "
       "AND STR_ID_PARENT NOT IN (SELECT STR_ID FROM TOF_SEARCH_TREE)"},
      {"ART_SUP_ID",
       "SELECT COUNT(*) FROM TOF_ARTICLES WHERE ART_SUP_ID NOT IN (SELECT SUP_ID FROM TOF_SUPPLIERS)"},
      {"ARL_ART_ID",
       "SELECT COUNT(*) FROM TOF_ART_LOOKUP WHERE ARL_ART_ID NOT IN (SELECT ART_ID FROM TOF_ARTICLES)"},
      {"ARL_BRA_ID",
       "SELECT COUNT(*) FROM TOF_ART_LOOKUP WHERE ARL_BRA_ID NOT IN (SELECT BRA_ID FROM TOF_BRANDS)"},
      {"ACR_CRI_ID",
       "SELECT COUNT(*) FROM TOF_ARTICLE_CRITERIA WHERE ACR_CRI_ID NOT IN (SELECT CRI_ID FROM TOF_CRITERIA)"},
      {"ACR_KV_DES_ID",
       "SELECT COUNT(*) FROM TOF_ARTICLE_CRITERIA WHERE ACR_KV_DES_ID IS NOT NULL "
       "AND ACR_KV_DES_ID NOT IN (SELECT DES_ID FROM TOF_DESIGNATIONS)"},
      {"LAC_LA_ID",
       "SELECT COUNT(*) FROM TOF_LA_CRITERIA WHERE LAC_LA_ID NOT IN (SELECT LA_ID FROM TOF_LINK_ART)"},
      {"PRI_ART_ID",
       "SELECT COUNT(*) FROM TOF_PRICES WHERE PRI_ART_ID NOT IN (SELECT ART_ID FROM TOF_ARTICLES)"},
      {"AIN_TMO_ID",
       "SELECT COUNT(*) FROM TOF_ARTICLE_INFO WHERE AIN_TMO_ID NOT IN (SELECT TMO_ID FROM TOF_TEXT_MODULES)"},
      {"TMO_TMT_ID",
       "SELECT COUNT(*) FROM TOF_TEXT_MODULES WHERE TMO_TMT_ID NOT IN (SELECT TMT_ID FROM "
       "TOF_TEXT_MODULE_TEXTS)"},
      {"LGA_GRA_ID",
       "SELECT COUNT(*) FROM TOF_LINK_GRA_ART WHERE LGA_GRA_ID NOT IN (SELECT GRA_ID FROM TOF_GRAPHICS)"},
      {"GRA_GRD_ID in its numbered table",
       "SELECT COUNT(*) FROM TOF_GRAPHICS WHERE NOT ((GRA_TAB_NR = 0 AND GRA_GRD_ID IN (SELECT GRD_ID FROM "
       "TOF_GRA_DATA_0)) "
       "OR (GRA_TAB_NR = 1 AND GRA_GRD_ID IN (SELECT GRD_ID FROM TOF_GRA_DATA_1)))"},
      {"GRA_DOC_TYPE",
       "SELECT COUNT(*) FROM TOF_GRAPHICS WHERE GRA_DOC_TYPE NOT IN (SELECT DOC_TYPE FROM TOF_DOC_TYPES)"},
      {"TYP_MOD_ID",
       "SELECT COUNT(*) FROM TOF_TYPES WHERE TYP_MOD_ID NOT IN (SELECT MOD_ID FROM TOF_MODELS)"},
      {"MOD_MFA_ID",
       "SELECT COUNT(*) FROM TOF_MODELS WHERE MOD_MFA_ID NOT IN (SELECT MFA_ID FROM TOF_MANUFACTURERS)"},
      {"TYP_CDS_ID",
       "SELECT COUNT(*) FROM TOF_TYPES WHERE TYP_CDS_ID NOT IN (SELECT CDS_ID FROM "
       "TOF_COUNTRY_DESIGNATIONS)"},
      {"LTE_ENG_ID",
       "SELECT COUNT(*) FROM TOF_LINK_TYP_ENG WHERE LTE_ENG_ID NOT IN (SELECT ENG_ID FROM TOF_ENGINES)"},
      {"LTE_TYP_ID",
       "SELECT COUNT(*) FROM TOF_LINK_TYP_ENG WHERE LTE_TYP_ID NOT IN (SELECT TYP_ID FROM TOF_TYPES)"},
      {"DES_TEX_ID",
       "SELECT COUNT(*) FROM TOF_DESIGNATIONS WHERE DES_TEX_ID NOT IN (SELECT TEX_ID FROM TOF_DES_TEXTS)"},
      {"CDS_TEX_ID",
       "SELECT COUNT(*) FROM TOF_COUNTRY_DESIGNATIONS WHERE CDS_TEX_ID NOT IN (SELECT TEX_ID FROM "
       "TOF_DES_TEXTS)"},
      {"article name in English",
       "SELECT COUNT(*) FROM TOF_ARTICLES WHERE NOT EXISTS (SELECT 1 FROM TOF_DESIGNATIONS "
       "WHERE DES_ID = ART_COMPLETE_DES_ID AND DES_LNG_ID = 4)"},
  };
  for (const Orphans& check : orphan_checks) EXPECT_EQ(db.QueryInteger(check.sql), 0) << check.what;

  // Ids in the millions, so code sizing arrays by the highest id is caught.
  EXPECT_GT(db.QueryInteger("SELECT MAX(ART_ID) FROM TOF_ARTICLES"), 1'000'000);
  EXPECT_GT(db.QueryInteger("SELECT MAX(LA_ID) FROM TOF_LINK_ART"), 1'000'000);
  // Languages, country 250 and a country group; country-restricted rows both ways.
  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM TOF_LANGUAGES WHERE LNG_ID IN (1, 4, 16)"), 3);
  EXPECT_EQ(db.QueryInteger(
                "SELECT COUNT(*) FROM TOF_COUNTRIES WHERE COU_ID = 250 AND COU_CURRENCY_CODE IS NOT NULL"),
            1);
  EXPECT_GT(db.QueryInteger("SELECT COUNT(*) FROM TOF_COUNTRIES WHERE COU_CURRENCY_CODE IS NULL"), 0);
  EXPECT_GT(db.QueryInteger("SELECT COUNT(*) FROM TOF_LINK_LA_TYP WHERE INSTR(LAT_CTM, ',250,') = 0"), 0);
  EXPECT_GT(db.QueryInteger("SELECT COUNT(*) FROM TOF_LINK_LA_TYP WHERE LAT_CTM = ',250,'"), 0);
  // Texts that break careless quoting.
  for (const char* pattern : {"%'%", "%\"%", "%\\%", "%Тормоз%"}) {
    SqliteStatement texts = db.Prepare("SELECT COUNT(*) FROM TOF_DES_TEXTS WHERE TEX_TEXT LIKE ?");
    texts.Bind(1, std::string_view(pattern));
    ASSERT_TRUE(texts.Step());
    EXPECT_GT(texts.ColumnInteger(0), 0) << pattern;
  }
  // Search numbers in the catalogue's search form.
  EXPECT_EQ(db.QueryInteger("SELECT COUNT(*) FROM TOF_ART_LOOKUP WHERE ARL_SEARCH_NUMBER GLOB '*[^A-Z0-9]*'"),
            0);
}

TEST(CatalogueGenerator, SameSeedGivesTheSameFileAndAnotherSeedAnotherOne) {
  test::TempFolder folder;
  GenerateCatalogue(SmallRun(folder / "a.sqlite", 7));
  GenerateCatalogue(SmallRun(folder / "b.sqlite", 7));
  GenerateCatalogue(SmallRun(folder / "c.sqlite", 8));
  const std::string a = test::ReadFileBytes(folder / "a.sqlite");
  EXPECT_TRUE(a == test::ReadFileBytes(folder / "b.sqlite"));
  EXPECT_FALSE(a == test::ReadFileBytes(folder / "c.sqlite"));
}

TEST(CatalogueGenerator, AFailedRunKeepsTheOldFileAndLeavesNothingElse) {
  test::TempFolder folder;
  const std::filesystem::path out = folder / "catalogue.sqlite";
  test::WriteFileBytes(out, "old");
  // A schema without a column the generator fills, and a schema that does not exist.
  test::WriteFileBytes(folder / "short.sql",
                       "CREATE TABLE TOF_DES_TEXTS (TEX_ID INTEGER PRIMARY KEY);\n"
                       "CREATE INDEX IX_TEX ON TOF_DES_TEXTS (TEX_ID);\n");
  for (const char* schema : {"short.sql", "missing.sql"}) {
    GeneratorOptions options = SmallRun(out, 1);
    options.schema = folder / schema;
    EXPECT_THROW(GenerateCatalogue(options), GeneratorError) << schema;
    EXPECT_EQ(test::ReadFileBytes(out), "old") << schema;
    EXPECT_FALSE(std::filesystem::exists(folder / "catalogue.sqlite.partial")) << schema;
  }
}

TEST(CatalogueGenerator, ReadsItsArguments) {
  struct Case {
    std::vector<std::string_view> words;
    bool accepted;
  };
  const Case cases[] = {
      {{"--out", "x.sqlite"}, true},
      {{"--out", "x.sqlite", "--articles", "5", "--types", "3", "--links-per-article", "3", "--seed",
        "18446744073709551615", "--schema", "s.sql"},
       true},
      {{}, false},                                 // no --out
      {{"--out"}, false},                          // value missing
      {{"--out", "x", "--articles", "0"}, false},  // nothing to write
      {{"--out", "x", "--articles", "-5"}, false},
      {{"--out", "x", "--articles", "12abc"}, false},
      {{"--out", "x", "--types", ""}, false},
      {{"--out", "x", "--seed", "18446744073709551616"}, false},            // beyond 64 bits
      {{"--out", "x", "--types", "4", "--links-per-article", "5"}, false},  // more links than types
      {{"--out", "x", "--verbose", "1"}, false},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (std::string_view word : c.words) shown += std::string(word) + " ";
    if (c.accepted) {
      EXPECT_NO_THROW(ParseGeneratorArguments(c.words, "default.sql")) << shown;
    } else {
      EXPECT_THROW(ParseGeneratorArguments(c.words, "default.sql"), GeneratorError) << shown;
    }
  }

  const std::vector<std::string_view> full = {"--out", "x.sqlite", "--links-per-article", "0", "--seed", "9"};
  const auto options = ParseGeneratorArguments(full, "default.sql");
  ASSERT_TRUE(options);
  EXPECT_EQ(options->out, "x.sqlite");
  EXPECT_EQ(options->schema, "default.sql");
  EXPECT_EQ(options->articles, 2000);
  EXPECT_EQ(options->types, 300);
  EXPECT_EQ(options->links_per_article, 0);
  EXPECT_EQ(options->seed, 9U);
  const std::vector<std::string_view> help = {"--out", "x", "--help"};
  EXPECT_FALSE(ParseGeneratorArguments(help, "default.sql"));
}

}  // namespace
}  // namespace quarvel::bench
