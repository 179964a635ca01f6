#include "platform/store/statement_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarvel::platform {
namespace {

// Only what is safe to run twice may be recognised as a read: a false "read" would apply a write
// twice after a lost connection.
TEST(IsReadStatementTest, RecognisesReadsByTheirFirstKeyword) {
  struct Case {
    const char* sql;
    bool read;
  };
  const Case cases[] = {
      {"SELECT 1", true},
      {"  \n\tselect * from ps_product", true},
      {"-- note\nSELECT 1", true},
      {"# note\nSELECT 1", true},
      {"/* note */ SELECT 1", true},
      {"(SELECT 1) UNION (SELECT 2)", true},
      {"SHOW TABLES", true},
      {"DESCRIBE ps_product", true},
      {"desc ps_product", true},
      {"EXPLAIN SELECT 1", true},
      {"EXPLAIN ANALYZE SELECT 1", false},
      {"WITH a AS (SELECT 1 AS x) SELECT * FROM a", true},
      {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5) SELECT i FROM n", true},
      {"WITH a AS (SELECT 1 AS id) UPDATE ps_product p JOIN a ON p.id_product = a.id SET p.active = 0",
       false},
      {"WITH a AS (SELECT 1) DELETE FROM ps_product", false},
      {"INSERT INTO t SELECT * FROM u", false},
      {"UPDATE t SET a = 'SELECT'", false},
      {"REPLACE INTO t VALUES (1)", false},
      {"DELETE FROM t", false},
      {"CALL p()", false},
      {"START TRANSACTION", false},
      {"SELECTED_VALUES", false},
      {"/*!40101 SET NAMES utf8 */; SELECT 1", false},
      {"-- SELECT\nDELETE FROM t", false},
      {"/* SELECT */ UPDATE t SET a = 1", false},
      {"--SELECT 1", false},  // "--" without a blank is no comment in MySQL
      {"", false},
      {"   ", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsReadStatement(c.sql), c.read) << c.sql;
  }
}

TEST(SplitStatementsTest, SplitsAtSemicolonsOutsideQuotesAndComments) {
  struct Case {
    std::string text;
    std::vector<std::string> statements;
  };
  const Case cases[] = {
      {"SELECT 1; SELECT 2", {"SELECT 1", "SELECT 2"}},
      {"SELECT 1;\n\nSELECT 2;\n", {"SELECT 1", "SELECT 2"}},
      {"INSERT INTO t VALUES ('a;b'); SELECT 2", {"INSERT INTO t VALUES ('a;b')", "SELECT 2"}},
      {"INSERT INTO t VALUES ('it''s;'), (\"x;\\\";\"); DO 1",
       {"INSERT INTO t VALUES ('it''s;'), (\"x;\\\";\")", "DO 1"}},
      {"INSERT INTO t VALUES ('back\\\\'); DO 2", {"INSERT INTO t VALUES ('back\\\\')", "DO 2"}},
      {"SELECT `a;b` FROM t; DO 1", {"SELECT `a;b` FROM t", "DO 1"}},
      {"-- first; still comment\nDO 1; /* ; */ DO 2", {"DO 1", "DO 2"}},
      {"# only a comment;\n", {}},
      {"DO 1; -- trailing", {"DO 1"}},
      {";;", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitStatements(c.text), c.statements) << c.text;
  }
}

}  // namespace
}  // namespace quarvel::platform
