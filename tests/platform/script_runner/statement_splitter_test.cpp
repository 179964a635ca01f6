#include "platform/script_runner/statement_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quarvel::platform {
namespace {

std::vector<std::string> Texts(std::string_view script) {
  std::vector<std::string> texts;
  for (const auto& statement : SplitScript(script)) texts.emplace_back(statement.text);
  return texts;
}

TEST(StatementSplitterTest, SplitsAsTheCommandLineClientReads) {
  struct Case {
    const char* name;
    std::string script;
    std::vector<std::string> statements;
  };
  const Case cases[] = {
      {"plain", "SELECT 1; SELECT 2;\nSELECT 3;", {"SELECT 1", "SELECT 2", "SELECT 3"}},
      {"semicolons in quotes",
       "INSERT INTO t VALUES ('a;b', \"c;d\"); SELECT `we;ird` FROM t;",
       {"INSERT INTO t VALUES ('a;b', \"c;d\")", "SELECT `we;ird` FROM t"}},
      {"doubled and escaped quotes",
       "INSERT INTO t VALUES ('it''s;', 'O\\'Neil;', \"say \\\"hi;\\\"\");SELECT 2",
       {"INSERT INTO t VALUES ('it''s;', 'O\\'Neil;', \"say \\\"hi;\\\"\")", "SELECT 2"}},
      {"backslash before the closing quote",
       "INSERT INTO t VALUES ('C:\\\\');SELECT 2;",
       {"INSERT INTO t VALUES ('C:\\\\')", "SELECT 2"}},
      {"no backslash escape in back-quoted names", "SELECT `a\\`; SELECT 2;", {"SELECT `a\\`", "SELECT 2"}},
      {"comments around and inside",
       "-- head; comment\n# hash; comment\n/* block; comment */ SELECT 1 /* in; side */ + 1; -- "
       "tail;\nSELECT 2 # x;\n;",
       {"SELECT 1 /* in; side */ + 1", "SELECT 2"}},
      {"two dashes without a blank are no comment", "SELECT 1--1;SELECT 2;", {"SELECT 1--1", "SELECT 2"}},
      {"executable comments stay",
       "/*!40101 SET NAMES utf8 */;SELECT 1;",
       {"/*!40101 SET NAMES utf8 */", "SELECT 1"}},
      {"empty statements", ";;SELECT 1;;  ;", {"SELECT 1"}},
      {"delimiter lines around a procedure",
       "DROP PROCEDURE IF EXISTS p;\nDELIMITER //\nCREATE PROCEDURE p()\nBEGIN\n  SELECT 1;\n  SELECT "
       "2;\nEND //\n"
       "DELIMITER ;\nCALL p();\n",
       {"DROP PROCEDURE IF EXISTS p", "CREATE PROCEDURE p()\nBEGIN\n  SELECT 1;\n  SELECT 2;\nEND",
        "CALL p()"}},
      {"a delimiter inside quotes or comments does not end the statement",
       "delimiter $$\nSELECT '$$' /* $$ */ + 1 $$\ndelimiter ;\nSELECT 1;",
       {"SELECT '$$' /* $$ */ + 1", "SELECT 1"}},
      {"the word delimiter inside a statement is no command",
       "SELECT 1 AS delimiter ;SELECT 2;",
       {"SELECT 1 AS delimiter", "SELECT 2"}},
      {"tag-file header",
       "drop procedure if exists foo; delimiter $$ create procedure foo () begin declare continue handler "
       "for 1060 "
       "begin end; alter table `ps_tag` add `id_manufacturer` int(10) default null; end$$ delimiter ; call "
       "foo(); "
       "drop procedure foo;",
       {"drop procedure if exists foo",
        "create procedure foo () begin declare continue handler for 1060 begin end; alter table `ps_tag` add "
        "`id_manufacturer` int(10) default null; end",
        "call foo()", "drop procedure foo"}},
      {"byte-order mark and CR LF",
       "\xEF\xBB\xBFSELECT 1;\r\nSELECT\r\n 2;\r\n",
       {"SELECT 1", "SELECT\r\n 2"}},
      {"last statement without terminator",
       "SELECT 1;\nSELECT 2\n-- trailing comment\n",
       {"SELECT 1", "SELECT 2"}},
      {"unterminated quote runs to the end", "SELECT 1; SELECT 'open;", {"SELECT 1", "SELECT 'open;"}},
      {"only comments", "\xEF\xBB\xBF-- nothing\n/* here */\n", {}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Texts(c.script), c.statements) << c.name;
}

// Long lines are the rule: the export writes multi-row INSERTs of any length on one line.
TEST(StatementSplitterTest, KeepsAMultiRowInsertOfAnyLengthWhole) {
  std::string insert = "INSERT INTO `ps_product_lang` (`id_product`,`name`) VALUES ";
  for (int i = 0; i < 20000; ++i) {
    if (i > 0) insert += ',';
    insert += "(" + std::to_string(i) + ",'Disc; \\'" + std::to_string(i) + "\\' -- /* x')";
  }
  std::string script =
      "CREATE TABLE IF NOT EXISTS `x` (`a` int(10) NOT NULL, PRIMARY KEY (`a`));\r\n" + insert + ";\r\n";
  auto statements = Texts(script);
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[1], insert);
}

// Progress is the position behind each statement; the byte-order mark counts, and the last
// statement ends the file even with blanks, comments or a delimiter line behind it.
TEST(StatementSplitterTest, EndsAreFilePositionsAndTheLastReachesTheEnd) {
  const std::string script = "\xEF\xBB\xBFSELECT 1;\r\nSELECT 2;\r\ndelimiter ;\r\n-- done\r\n";
  auto statements = SplitScript(script);
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].end, std::string("\xEF\xBB\xBFSELECT 1;").size());
  EXPECT_EQ(statements[1].end, script.size());
}

TEST(StatementSplitterTest, SplitsTheTagFileFixture) {
  auto script =
      test::ReadFileBytes(std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests/fixtures/scripts/tag.1.sql");
  auto statements = Texts(script);
  ASSERT_EQ(statements.size(), 6u);
  EXPECT_EQ(statements[0], "drop procedure if exists foo");
  EXPECT_TRUE(statements[1].starts_with("create procedure foo () begin declare continue handler for 1060"));
  EXPECT_TRUE(statements[1].ends_with("`id_manufacturer` int(10) default null; end"));
  EXPECT_EQ(statements[2], "call foo()");
  EXPECT_EQ(statements[3], "drop procedure foo");
  EXPECT_TRUE(statements[4].starts_with("INSERT INTO `ps_tag`"));
  EXPECT_TRUE(statements[4].ends_with("(3,1,8,'-- not a comment')"));
  EXPECT_EQ(statements[5],
            "INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (10,1),(10,2),(11,3)");
}

}  // namespace
}  // namespace quarvel::platform
