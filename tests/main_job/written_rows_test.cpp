#include "tests/main_job/written_rows.h"

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

using Counts = std::map<std::string, long>;

// The end-to-end comparison trusts these counts, so the reader must not be fooled by what the
// export puts inside values.
TEST(WrittenRowsTest, CountsRowsPerTableWhateverTheValuesHold) {
  struct Case {
    std::string name;
    std::string script;
    Counts expected;
  };
  const Case cases[] = {
      {"rows across statements and files of one table",
       "\xEF\xBB\xBFINSERT INTO `ps_a` (`x`,`y`) VALUES (1,NOW()),(2,NOW());\r\n"
       "INSERT INTO `ps_a` (`x`,`y`) VALUES (3,NOW());\r\nINSERT INTO `ps_b` (`x`) VALUES (1);\r\n",
       {{"ps_a", 3}, {"ps_b", 1}}},
      {"separators inside strings",
       "INSERT INTO `ps_a` (`n`) VALUES ('a;b'),('(c),(d)'),('it\\'s; (x)'),('say \"\"hi\"\";'),"
       "('x'';(y)');\r\n",
       {{"ps_a", 5}}},
      {"a backslash before the closing quote",
       "INSERT INTO `ps_a` (`n`) VALUES ('ends with \\\\'),('next');",
       {{"ps_a", 2}}},
      {"procedure header and table creation are no rows",
       "drop procedure if exists foo; delimiter $$ create procedure foo () begin alter table `ps_tag` "
       "add `id_manufacturer` int(10) default null; end$$ delimiter ; call foo(); drop procedure foo;\r\n"
       "CREATE TABLE IF NOT EXISTS `ps_L` (`id` int(10) NOT NULL, PRIMARY KEY (`id`));\r\n"
       "INSERT INTO `ps_tag` (`id_tag`,`name`) VALUES (1,'a'),(2,'b');\r\n",
       {{"ps_tag", 2}}},
      {"no final semicolon", "INSERT INTO `ps_a` (`x`) VALUES (1),(2)\r\n", {{"ps_a", 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WrittenRows rows;
    CountWrittenRows(c.script, rows);
    EXPECT_EQ(rows.per_table, c.expected);
    EXPECT_TRUE(rows.unrecognised.empty()) << rows.unrecognised.front();
  }
}

TEST(WrittenRowsTest, StatementsItCannotCountAreReported) {
  WrittenRows rows;
  CountWrittenRows(
      "INSERT IGNORE INTO `ps_a` (`x`) SELECT 1;\r\nUPDATE `ps_a` SET x = 2;\r\n"
      "INSERT INTO `ps_a` (`x`) SELECT x FROM ps_b;\r\nINSERT INTO `ps_a` (`x`) VALUES (1) junk;\r\n"
      "INSERT INTO `ps_a` (`x`) VALUES (1);\r\n",
      rows);
  EXPECT_EQ(rows.per_table, (Counts{{"ps_a", 1}}));
  ASSERT_EQ(rows.unrecognised.size(), 4u);
  EXPECT_EQ(rows.unrecognised[1], "UPDATE `ps_a` SET x = 2");
}

}  // namespace
}  // namespace quarvel::test
