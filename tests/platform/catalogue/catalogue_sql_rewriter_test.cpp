#include "platform/catalogue/catalogue_sql_rewriter.h"

#include <gtest/gtest.h>

#include <string>

namespace quarvel::platform {
namespace {

struct RewriteCase {
  const char* name;
  const char* input;
  const char* sqlite;
  const char* mysql;
};

class RewriteTest : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, RewritesForEachBackendAndLeavesTransbaseAlone) {
  const RewriteCase& c = GetParam();
  EXPECT_EQ(RewriteCatalogueSql(c.input, CatalogueDialect::kSqlite), c.sqlite);
  EXPECT_EQ(RewriteCatalogueSql(c.input, CatalogueDialect::kMySql), c.mysql);
  EXPECT_EQ(RewriteCatalogueSql(c.input, CatalogueDialect::kTransbase), c.input);
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, RewriteTest,
    ::testing::Values(
        RewriteCase{"CastUpper", "SELECT CAST(MFA_ID AS VARCHAR(*)) AS MFA_ID FROM T",
                    "SELECT CAST(MFA_ID AS TEXT) AS MFA_ID FROM T",
                    "SELECT CAST(MFA_ID AS CHAR) AS MFA_ID FROM T"},
        RewriteCase{"CastLowerSpaced", "cast( TYP_CCM  as  varchar ( * ) ) as KUBSM",
                    "cast( TYP_CCM  AS TEXT ) as KUBSM", "cast( TYP_CCM  AS CHAR ) as KUBSM"},
        RewriteCase{"CastOfSubqueryAcrossLines",
                    "CAST((SELECT MIN(LAG_GA_ID) FROM X WHERE A=B) AS VARCHAR(*))\r AS GAID",
                    "CAST((SELECT MIN(LAG_GA_ID) FROM X WHERE A=B) AS TEXT)\r AS GAID",
                    "CAST((SELECT MIN(LAG_GA_ID) FROM X WHERE A=B) AS CHAR)\r AS GAID"},
        RewriteCase{"SubrangeEqualsOne", "WHERE (MFA_CV_CTM SUBRANGE(250 CAST INTEGER) =1)",
                    "WHERE (INSTR(MFA_CV_CTM, ',250,') > 0)", "WHERE (INSTR(MFA_CV_CTM, ',250,') > 0)"},
        RewriteCase{"SubrangeQualifiedAnyCase", "AND (TOF_TYPES.TYP_CTM subrange( 1 cast integer )= 1 )",
                    "AND (INSTR(TOF_TYPES.TYP_CTM, ',1,') > 0 )",
                    "AND (INSTR(TOF_TYPES.TYP_CTM, ',1,') > 0 )"},
        RewriteCase{"SubrangeEqualsZero", "t.C SUBRANGE(9 CAST INTEGER) = 0 AND x",
                    "INSTR(t.C, ',9,') = 0 AND x", "INSTR(t.C, ',9,') = 0 AND x"},
        RewriteCase{"SubrangeNotEqualsOne", "C SUBRANGE(9 CAST INTEGER)<>1", "INSTR(C, ',9,') = 0",
                    "INSTR(C, ',9,') = 0"},
        RewriteCase{"SubrangeAsValue", "SELECT C SUBRANGE(9 CAST INTEGER) AS V",
                    "SELECT (INSTR(C, ',9,') > 0) AS V", "SELECT (INSTR(C, ',9,') > 0) AS V"},
        RewriteCase{
            "LiteralsUntouched",
            "SELECT 'CAST(X AS VARCHAR(*))', 'C SUBRANGE(1 CAST INTEGER) =1' FROM T WHERE N = 'it''s'",
            "SELECT 'CAST(X AS VARCHAR(*))', 'C SUBRANGE(1 CAST INTEGER) =1' FROM T WHERE N = 'it''s'",
            "SELECT 'CAST(X AS VARCHAR(*))', 'C SUBRANGE(1 CAST INTEGER) =1' FROM T WHERE N = 'it''s'"},
        // A backslash does not end or escape a literal; the text after it is still code.
        RewriteCase{"BackslashBeforeQuote", "WHERE N = 'C:\\' AND CAST(A AS VARCHAR(*)) = 'x'",
                    "WHERE N = 'C:\\' AND CAST(A AS TEXT) = 'x'",
                    "WHERE N = 'C:\\' AND CAST(A AS CHAR) = 'x'"},
        RewriteCase{"CommentsUntouched", "-- CAST(A AS VARCHAR(*))\rSELECT 1 /* SUBRANGE(1 CAST INTEGER) */",
                    "-- CAST(A AS VARCHAR(*))\rSELECT 1 /* SUBRANGE(1 CAST INTEGER) */",
                    "-- CAST(A AS VARCHAR(*))\rSELECT 1 /* SUBRANGE(1 CAST INTEGER) */"},
        RewriteCase{"OtherVarcharLengthsKept", "CAST(A AS VARCHAR(20))", "CAST(A AS VARCHAR(20))",
                    "CAST(A AS VARCHAR(20))"},
        RewriteCase{"WordsContainingKeywordsKept", "SELECT XSUBRANGE, AS_VARCHAR FROM T",
                    "SELECT XSUBRANGE, AS_VARCHAR FROM T", "SELECT XSUBRANGE, AS_VARCHAR FROM T"},
        RewriteCase{"ParenthesisedUnionMembers",
                    "(SELECT DISTINCT A AS X FROM T\r WHERE (B = 1))\r   UNION   \r(SELECT DISTINCT C FROM "
                    "U)\rORDER BY X",
                    " SELECT DISTINCT A AS X FROM T\r WHERE (B = 1) \r   UNION   \r SELECT DISTINCT C FROM U "
                    "\rORDER BY X",
                    "(SELECT DISTINCT A AS X FROM T\r WHERE (B = 1))\r   UNION   \r(SELECT DISTINCT C FROM "
                    "U)\rORDER BY X"},
        RewriteCase{"UnionMemberWithOwnOrder",
                    "(SELECT A FROM T ORDER BY A LIMIT 1) UNION ALL (SELECT B FROM U)",
                    "SELECT * FROM (SELECT A FROM T ORDER BY A LIMIT 1) UNION ALL  SELECT B FROM U ",
                    "(SELECT A FROM T ORDER BY A LIMIT 1) UNION ALL (SELECT B FROM U)"},
        // Subqueries and derived tables beside a UNION are not compound members.
        RewriteCase{"DerivedTableKept",
                    "SELECT * FROM (SELECT 1 AS A) UNION SELECT A FROM T WHERE A IN (SELECT 2)",
                    "SELECT * FROM (SELECT 1 AS A) UNION SELECT A FROM T WHERE A IN (SELECT 2)",
                    "SELECT * FROM (SELECT 1 AS A) UNION SELECT A FROM T WHERE A IN (SELECT 2)"},
        RewriteCase{"Empty", "", "", ""}),
    [](const ::testing::TestParamInfo<RewriteCase>& info) { return std::string(info.param.name); });

TEST(RewriteCatalogueSqlTest, CyrillicAndOtherBytesPassThrough) {
  const std::string sql = "SELECT 'Масляный фильтр', Ölwert FROM T WHERE C SUBRANGE(16 CAST INTEGER) =1";
  EXPECT_EQ(RewriteCatalogueSql(sql, CatalogueDialect::kSqlite),
            "SELECT 'Масляный фильтр', Ölwert FROM T WHERE INSTR(C, ',16,') > 0");
}

TEST(RewriteCatalogueSqlTest, UnterminatedLiteralIsLeftAlone) {
  const std::string sql = "SELECT CAST(A AS VARCHAR(*)), 'open CAST(B AS VARCHAR(*))";
  EXPECT_EQ(RewriteCatalogueSql(sql, CatalogueDialect::kSqlite),
            "SELECT CAST(A AS TEXT), 'open CAST(B AS VARCHAR(*))");
}

TEST(RewriteCatalogueSqlTest, MalformedSubrangeIsLeftForTheBackendToReport) {
  for (const char* sql :
       {"C SUBRANGE(X CAST INTEGER) =1", "SUBRANGE(1 CAST INTEGER) =1", "C SUBRANGE(1.5 CAST INTEGER)",
        "C SUBRANGE(1 CAST TEXT) =1", "C SUBRANGE(1 CAST INTEGER"}) {
    EXPECT_EQ(RewriteCatalogueSql(sql, CatalogueDialect::kSqlite), sql) << sql;
  }
}

TEST(RewriteCatalogueSqlTest, LongTextIsRewrittenInOnePass) {
  std::string sql = "SELECT 1 FROM T WHERE 1=1";
  std::string expected = sql;
  for (int i = 0; i < 20000; ++i) {
    sql += " AND (C SUBRANGE(250 CAST INTEGER) =1)";
    expected += " AND (INSTR(C, ',250,') > 0)";
  }
  EXPECT_EQ(RewriteCatalogueSql(sql, CatalogueDialect::kMySql), expected);
}

TEST(DialectFromDbmsNameTest, RecognisesBackends) {
  EXPECT_EQ(DialectFromDbmsName("SQLite"), CatalogueDialect::kSqlite);
  EXPECT_EQ(DialectFromDbmsName("MySQL"), CatalogueDialect::kMySql);
  EXPECT_EQ(DialectFromDbmsName("MariaDB"), CatalogueDialect::kMySql);
  EXPECT_EQ(DialectFromDbmsName("Transbase"), CatalogueDialect::kTransbase);
  EXPECT_EQ(DialectFromDbmsName(""), CatalogueDialect::kTransbase);
}

}  // namespace
}  // namespace quarvel::platform
