// The catalogue's own queries, built line for line as the operations build them (lines joined by
// carriage returns), run against the SQLite fixture: proof that the dialect layer carries every
// construct they use.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/catalogue/catalogue_connection.h"
#include "tests/support/catalogue_fixture.h"

namespace quarvel::platform {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\r';
    text += line;
  }
  return text;
}

// The designation subquery naming a row of `table` through its `column`, in language `lang`.
std::string Designation(int lang, const std::string& table_column, const std::string& alias) {
  return " (SELECT TOF_DES_TEXTS.TEX_TEXT FROM TOF_DES_TEXTS JOIN TOF_DESIGNATIONS ON "
         "(TOF_DES_TEXTS.TEX_ID=TOF_DESIGNATIONS.DES_TEX_ID) WHERE (TOF_DESIGNATIONS.DES_LNG_ID = " +
         std::to_string(lang) + ") AND (TOF_DESIGNATIONS.DES_ID=" + table_column + ")) as " + alias;
}

class CatalogueQueriesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fixture_ = std::make_unique<test::CatalogueFixture>(); }
  static void TearDownTestSuite() { fixture_.reset(); }
  void SetUp() override {
    const auto& s = fixture_->settings();
    connection_.Connect(s.driver, s.database, s.login, s.password);
  }

  // Every row as its columns joined by '|'.
  std::vector<std::string> Rows(const std::string& sql) {
    std::vector<std::string> rows;
    for (auto cursor = connection_.Query(sql); !cursor.AtEnd(); cursor.Next()) {
      std::string row;
      for (int c = 0; c < cursor.ColumnCount(); ++c) row += (c ? "|" : "") + cursor.Text(c);
      rows.push_back(row);
    }
    return rows;
  }

  static std::unique_ptr<test::CatalogueFixture> fixture_;
  CatalogueConnection connection_;
};

std::unique_ptr<test::CatalogueFixture> CatalogueQueriesTest::fixture_;

TEST_F(CatalogueQueriesTest, LanguageAndRegionNames) {
  for (const auto& [lang, language, region] :
       {std::tuple{4, "English", "France"}, std::tuple{16, "Английский", "Франция"}}) {
    EXPECT_EQ(Rows(Lines({"SELECT DISTINCT ", Designation(lang, "TOF_LANGUAGES.LNG_DES_ID", "LangName"),
                          " FROM TOF_LANGUAGES", " WHERE (LNG_ID = 4)"})),
              std::vector<std::string>{language});
    EXPECT_EQ(Rows(Lines({"SELECT DISTINCT ", Designation(lang, "TOF_COUNTRIES.COU_DES_ID", "CountreName"),
                          " FROM TOF_COUNTRIES", " WHERE (COU_ID = 250)"})),
              std::vector<std::string>{region});
  }
}

TEST_F(CatalogueQueriesTest, AdditionalLanguages) {
  auto cursor = connection_.Query(
      Lines({"SELECT DISTINCT ", " CAST(LNG_ID AS VARCHAR(*)) as LNG_ID, ", " LNG_ISO2 as ISOCODE, ",
             Designation(4, "TOF_LANGUAGES.LNG_DES_ID", "NAME"), " FROM TOF_LANGUAGES"}));
  std::vector<std::string> entries;
  for (; !cursor.AtEnd(); cursor.Next()) {
    entries.push_back(cursor.Text("NAME") + " > iso:[" + cursor.Text("ISOCODE") + "]/" +
                      cursor.Text("LNG_ID"));
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"English > iso:[en]/4", "German > iso:[de]/1",
                                               "Russian > iso:[ru]/16"}));
}

TEST_F(CatalogueQueriesTest, LanguageListIsSortedByName) {
  EXPECT_EQ(Rows(Lines({"SELECT DISTINCT ", " CAST(LNG_ID AS VARCHAR(*)) as LNGID, ",
                        Designation(1, "TOF_LANGUAGES.LNG_DES_ID", "LNGNAME"), " FROM TOF_LANGUAGES",
                        " ORDER BY LNGNAME"})),
            (std::vector<std::string>{"1|Deutsch", "4|Englisch", "16|Russisch"}));
}

TEST_F(CatalogueQueriesTest, RegionListHasGroupsThenCountriesEachSortedByName) {
  const std::string head = Lines({"SELECT DISTINCT ", " CAST(COU_ID AS VARCHAR(*)) as T1, ",
                                  Designation(4, "TOF_COUNTRIES.COU_DES_ID", "T2"), " FROM TOF_COUNTRIES"});
  EXPECT_EQ(Rows(head + "\r WHERE (COU_CURRENCY_CODE IS NULL) ORDER BY T2"),
            (std::vector<std::string>{"300|Europe", "301|World"}));
  EXPECT_EQ(Rows(head + "\r WHERE (TOF_COUNTRIES.COU_CURRENCY_CODE IS NOT NULL) ORDER BY T2"),
            (std::vector<std::string>{"9|Austria", "10|Belgium", "250|France", "1|Germany"}));
}

TEST_F(CatalogueQueriesTest, CarBrandsOfTheCountry) {
  const auto brands = [&](int r) {
    const std::string R = std::to_string(r);
    return Rows(
        Lines({"SELECT DISTINCT CAST(MFA_ID AS VARCHAR(*)) AS MFA_ID, MFA_BRAND FROM TOF_MANUFACTURERS",
               "WHERE ((MFA_CV_CTM SUBRANGE(" + R + " CAST INTEGER) =1) OR (MFA_PC_CTM SUBRANGE(" + R +
                   " CAST INTEGER) =1))",
               "ORDER BY MFA_BRAND"}));
  };
  EXPECT_EQ(brands(250), (std::vector<std::string>{"9|AUDI", "10|BMW", "100|CITROËN", "11|DAF"}));
  EXPECT_EQ(brands(1), (std::vector<std::string>{"9|AUDI", "10|BMW", "100|CITROËN", "11|DAF", "99|ZAZ"}));
}

TEST_F(CatalogueQueriesTest, TradeGroupsWithCorrelatedNestedSubqueries) {
  const std::string L = "4";
  EXPECT_EQ(
      Rows(Lines(
          {"SELECT DISTINCT ", "        CAST(TOF_SEARCH_TREE.STR_ID AS VARCHAR(*)) as strid, ",
           "        (SELECT TOF_DES_TEXTS1.TEX_TEXT FROM TOF_DES_TEXTS TOF_DES_TEXTS1 JOIN TOF_DESIGNATIONS "
           "TOF_DESIGNATIONS1 ON ((TOF_DES_TEXTS1.TEX_ID=TOF_DESIGNATIONS1.DES_TEX_ID) AND "
           "((TOF_DESIGNATIONS1.DES_LNG_ID=" +
               L +
               ")) AND (TOF_DESIGNATIONS1.DES_ID = (SELECT "
               "TOF_SEARCH_TREE1.STR_DES_ID FROM TOF_SEARCH_TREE TOF_SEARCH_TREE1 WHERE "
               "(TOF_SEARCH_TREE1.STR_ID=TOF_SEARCH_TREE.STR_ID_PARENT))))) as namecat,",
           "        (SELECT TOF_DES_TEXTS2.TEX_TEXT FROM TOF_DES_TEXTS TOF_DES_TEXTS2 JOIN TOF_DESIGNATIONS "
           "TOF_DESIGNATIONS2 ON ((TOF_DES_TEXTS2.TEX_ID=TOF_DESIGNATIONS2.DES_TEX_ID) AND "
           "((TOF_DESIGNATIONS2.DES_LNG_ID=" +
               L +
               ")) AND (TOF_DESIGNATIONS2.DES_ID = TOF_SEARCH_TREE.STR_DES_ID))) "
               "as text",
           "FROM  TOF_SEARCH_TREE", "where (TOF_SEARCH_TREE.STR_LEVEL = 2)", "order BY namecat, text"})),
      (std::vector<std::string>{"10011|Brake System|Brake Pad Set", "10003|Filters|Air Filter",
                                "10002|Filters|Oil Filter"}));
}

TEST_F(CatalogueQueriesTest, VehicleStatementWithNestedJoinAndCase) {
  const std::string L = "4", R = "250";
  const auto cds = [&](int n, const std::string& column, const std::string& alias) {
    const std::string a = std::to_string(n);
    return " (SELECT min(TOF_DES_TEXTS" + a + ".TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS" + a +
           " JOIN TOF_COUNTRY_DESIGNATIONS TOF_COUNTRY_DESIGNATIONS" + a + " ON ((TOF_DES_TEXTS" + a +
           ".TEX_ID=TOF_COUNTRY_DESIGNATIONS" + a + ".CDS_TEX_ID) AND (TOF_COUNTRY_DESIGNATIONS" + a +
           ".CDS_LNG_ID = " + L + ") AND (TOF_COUNTRY_DESIGNATIONS" + a + ".CDS_ID=" + column +
           ") AND (TOF_COUNTRY_DESIGNATIONS" + a + ".CDS_CTM SUBRANGE(" + R + " CAST INTEGER) =1))) AS " +
           alias + ", ";
  };
  const auto des = [&](int n, const std::string& column) {
    const std::string a = std::to_string(n);
    return "(SELECT min(TOF_DES_TEXTS" + a + ".TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS" + a +
           " JOIN TOF_DESIGNATIONS TOF_DESIGNATIONS" + a + " ON ((TOF_DES_TEXTS" + a +
           ".TEX_ID=TOF_DESIGNATIONS" + a + ".DES_TEX_ID) AND (TOF_DESIGNATIONS" + a + ".DES_LNG_ID = " + L +
           ") AND (TOF_DESIGNATIONS" + a + ".DES_ID=" + column + ")))";
  };
  const std::string sql = Lines(
      {"SELECT DISTINCT ",
       " CAST(TOF_MANUFACTURERS.MFA_ID AS VARCHAR(*)) AS MFAID, ",
       " CAST(TOF_MODELS.MOD_ID AS VARCHAR(*)) AS MODID, ",
       " CAST(TOF_TYPES.TYP_ID AS VARCHAR(*)) AS TTC_TYP_ID, ",
       " TOF_MANUFACTURERS.MFA_BRAND AS MARKAAUTO, ",
       cds(1, "TOF_MODELS.MOD_CDS_ID", "MODELAUTO"),
       cds(2, "TOF_TYPES.TYP_CDS_ID", "OBEMAUTO"),
       " CASE",
       "    WHEN " + des(3, "TOF_TYPES.TYP_KV_BODY_DES_ID") + " IS NULL  ",
       "    THEN " + des(4, "TOF_TYPES.TYP_KV_MODEL_DES_ID") + "  ",
       "    ELSE " + des(5, "TOF_TYPES.TYP_KV_BODY_DES_ID") + "  ",
       " END AS TIPKUZOV,",
       " CAST(TOF_MODELS.MOD_PCON_START as varchar(*)) AS MODVIDROKU, ",
       " CAST(TOF_MODELS.MOD_PCON_END as varchar(*)) AS MODDOROKU, ",
       " CAST(TOF_TYPES.TYP_PCON_START as varchar(*)) AS TYPVIDROKU, ",
       " CAST(TOF_TYPES.TYP_PCON_END as varchar(*)) AS TYPDOROKU, ",
       " CAST(TOF_TYPES.TYP_KW_FROM as varchar(*)) AS KW, ",
       " CAST(TOF_TYPES.TYP_HP_FROM as varchar(*)) AS LS, ",
       " CAST(TOF_TYPES.TYP_CCM as varchar(*)) AS KUBSM ",
       "FROM TOF_MANUFACTURERS JOIN (TOF_MODELS JOIN TOF_TYPES ON (TOF_TYPES.TYP_MOD_ID=TOF_MODELS.MOD_ID)) "
       "ON "
       "(TOF_MODELS.MOD_MFA_ID=TOF_MANUFACTURERS.MFA_ID) ",
       "WHERE (TOF_TYPES.TYP_CTM SUBRANGE(" + R + " CAST INTEGER) =1) ",
       " AND (((TOF_MODELS.MOD_PC=1) AND (TOF_MODELS.MOD_PC_CTM SUBRANGE(" + R + " CAST INTEGER) =1))",
       "    OR ((TOF_MODELS.MOD_CV=1) AND (TOF_MODELS.MOD_CV_CTM SUBRANGE(" + R + " CAST INTEGER) =1)))",
       " AND (((TOF_MANUFACTURERS.MFA_PC_MFC=1) AND (TOF_MANUFACTURERS.MFA_PC_CTM SUBRANGE(" + R +
           " CAST INTEGER) =1))",
       "    OR ((TOF_MANUFACTURERS.MFA_CV_MFC=1) AND (TOF_MANUFACTURERS.MFA_CV_CTM SUBRANGE(" + R +
           " CAST INTEGER) =1)))",
       "ORDER BY TTC_TYP_ID"});
  // Text order of the type ids; the country-1 name of type 9 and the country-1 type 101 stay out; a
  // missing body type falls back to the model key value; NULL years read as empty text.
  EXPECT_EQ(Rows(sql),
            (std::vector<std::string>{
                "10|10|10|BMW|3 (E90)|320 d|Estate|200501||200509|201112|120|163|1995",
                "100|100|100|CITROËN|C4 Picasso I|1.6 HDi|Saloon|200610|201308|200610|201308|80|109|1560",
                "9|9|1000|AUDI|A4 (8K2, B8)|2.0 TDI|Estate|200711|201512|200711|201512|105|143|1968",
                "9|9|9|AUDI|A4 (8K2, B8)|1.8 TFSI|Saloon|200711|201512|200711|201201|88|120|1798"}));
}

TEST_F(CatalogueQueriesTest, EquivalentsUnionOfParenthesisedMembers) {
  const auto equivalents = [&](const std::string& number, const std::string& search, int bra, int art) {
    const std::string R = "250";
    return Rows(
        Lines({"(SELECT DISTINCT", "       CAST(ARL_ART_ID AS VARCHAR(*)) AS ARTID ", "FROM TOF_ART_LOOKUP",
               "WHERE (ARL_SEARCH_NUMBER = '" + search + "') AND (ARL_BRA_ID = " + std::to_string(bra) +
                   ") AND (ARL_KIND = '4') AND (ARL_DISPLAY_NR = '" + number + "')",
               "     AND (ARL_CTM SUBRANGE(" + R + " CAST INTEGER) =1))", "   UNION   ", "(SELECT DISTINCT",
               "       CAST(ART_ID AS VARCHAR(*)) AS ARTID ", "FROM TOF_ARTICLES",
               "   JOIN TOF_ART_LOOKUP ON (ART_ARTICLE_NR = ARL_DISPLAY_NR) AND (ART_SUP_ID = ARL_BRA_ID)",
               "WHERE (ARL_ART_ID = " + std::to_string(art) + ") AND (ARL_KIND = '4') ",
               "     AND (ARL_CTM SUBRANGE(" + R + " CAST INTEGER) =1)",
               "     AND (ART_CTM SUBRANGE(" + R + " CAST INTEGER) =1))", "ORDER BY ARTID"}));
  };
  EXPECT_EQ(equivalents("0 451 103 316", "0451103316", 9, 9), (std::vector<std::string>{"10"}));
  EXPECT_EQ(equivalents("22540", "22540", 10, 10), (std::vector<std::string>{"9"}));
}

TEST_F(CatalogueQueriesTest, TagQueryWithCaseAndLeftJoin) {
  const std::string R = "250";
  EXPECT_EQ(
      Rows(Lines(
          {"SELECT DISTINCT", "       CAST(ARL_ART_ID AS VARCHAR(*)) AS ARTID,", "       case",
           "         when (ARL_KIND='1') OR (ARL_KIND='2') ",
           "         then (SELECT MIN(SUP_BRAND) FROM TOF_SUPPLIERS WHERE SUP_ID = TOF_ARTICLES.ART_SUP_ID) ",
           "         else (SELECT MIN(BRA_BRAND) FROM TOF_BRANDS WHERE BRA_ID=ARL_BRA_ID) ",
           "       end AS BRAND,", "       case", "         when (ARL_KIND='1') OR (ARL_KIND='2') ",
           "         then CAST(TOF_ARTICLES.ART_SUP_ID AS VARCHAR(*)) ",
           "         else CAST(ARL_BRA_ID AS VARCHAR(*)) ", "       end AS BRANDID,",
           "       TRIM(ARL_SEARCH_NUMBER) AS CODE", "FROM TOF_ART_LOOKUP",
           "     LEFT JOIN TOF_ARTICLES ON TOF_ARTICLES.ART_ID = TOF_ART_LOOKUP.ARL_ART_ID",
           "WHERE (ARL_CTM SUBRANGE(" + R + " CAST INTEGER) =1)",
           "     AND (ARL_ART_ID IN (9,10,101)) AND (ARL_KIND IN ('1','3','4'))",
           "     AND (ART_CTM SUBRANGE(" + R + " CAST INTEGER) =1)", "ORDER BY ARTID, BRAND, CODE"})),
      (std::vector<std::string>{"10|BOSCH|9|0451103316", "10|VAG|13|06J115403", "101|O'NEIL|11|ON12",
                                "9|BOSCH|9|0451103316", "9|FEBI BILSTEIN|10|22540", "9|VAG|13|06J115403Q"}));
}

TEST_F(CatalogueQueriesTest, CriteriaBatchWithTabIndentedLines) {
  EXPECT_EQ(
      Rows(Lines(
          {"SELECT  DISTINCT ", "  CAST(ACR_ART_ID AS VARCHAR(*)) as ARTID, ",
           "  CAST(ACR_CRI_ID AS VARCHAR(*)) as CRIID, ", "  CASE ",
           "    WHEN TOF_DES_TEXTS2.TEX_TEXT IS NULL", "    THEN ACR_VALUE",
           "    ELSE TOF_DES_TEXTS2.TEX_TEXT", "  END AS CRIVALUE ", "        FROM ",
           "    TOF_ARTICLE_CRITERIA ",
           "    LEFT JOIN TOF_DESIGNATIONS  TOF_DESIGNATIONS2 ON TOF_DESIGNATIONS2.DES_ID = ACR_KV_DES_ID ",
           "    LEFT JOIN TOF_DES_TEXTS  TOF_DES_TEXTS2 ON TOF_DES_TEXTS2.TEX_ID = "
           "TOF_DESIGNATIONS2.DES_TEX_ID ",
           "WHERE (TOF_ARTICLE_CRITERIA.ACR_ART_ID IN (9,10))  ",
           "    \tAND (TOF_DESIGNATIONS2.DES_LNG_ID IS NULL OR TOF_DESIGNATIONS2.DES_LNG_ID = 16) ",
           "ORDER BY ARTID, CRIID, ACR_SORT "})),
      (std::vector<std::string>{"10|11|Передняя ось", "10|9|80", "9|10|93", "9|100|M 20 X 1.5", "9|9|76"}));
}

TEST_F(CatalogueQueriesTest, PicturesOfAnArticle) {
  const std::string R = "250";
  EXPECT_EQ(
      Rows(Lines(
          {"SELECT DISTINCT  ", "    CAST(TOF_GRAPHICS.GRA_TAB_NR AS VARCHAR(*))  AS  NUMBERTABLE, ",
           "    CAST(TOF_GRAPHICS.GRA_GRD_ID AS VARCHAR(*))  AS  GRD_ID, ",
           "    TOF_DOC_TYPES.DOC_EXTENSION  AS  EXT, ", "    TOF_GRAPHICS.GRA_ID  AS  GRAID, ",
           "    CAST(TOF_GRAPHICS.GRA_LNG_ID AS VARCHAR(*))  AS  LNGID ",
           "FROM  TOF_GRAPHICS  JOIN  TOF_LINK_GRA_ART  ON (TOF_GRAPHICS.GRA_ID=TOF_LINK_GRA_ART.LGA_GRA_ID)",
           "      JOIN TOF_DOC_TYPES ON (TOF_DOC_TYPES.DOC_TYPE=TOF_GRAPHICS.GRA_DOC_TYPE)",
           "WHERE (TOF_LINK_GRA_ART.LGA_CTM SUBRANGE(" + R + " CAST INTEGER) =1)",
           "      AND (TOF_LINK_GRA_ART.LGA_ART_ID=9)", "      AND (TOF_GRAPHICS.GRA_SUP_ID=9)",
           "      AND (UPPER(TOF_DOC_TYPES.DOC_EXTENSION)<>'PDF')",
           "      and (TOF_DOC_TYPES.DOC_EXTENSION IS NOT NULL)", "ORDER BY GRD_ID"})),
      (std::vector<std::string>{"1|100|PNG|1000103|4", "0|9|JPG|1000101|255"}));
}

TEST_F(CatalogueQueriesTest, PictureParameters) {
  const std::string sql = Lines({"SELECT  PAR_NAME,\tPAR_VALUE  FROM  TOF_PARAMETERS",
                                 "WHERE ((PAR_NAME='GRAPHIC_PASSWORD') OR (PAR_NAME='GRAPHIC_URL') or "
                                 "(PAR_NAME='GRAPHIC_USER'))"});
  std::vector<std::string> rows = Rows(sql);
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::string>{"GRAPHIC_PASSWORD|se'cr\\et",
                                            "GRAPHIC_URL|http://127.0.0.1/tecdoc/pictures",
                                            "GRAPHIC_USER|pictures"}));
}

}  // namespace
}  // namespace quarvel::platform
