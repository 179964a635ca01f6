#include "export/table_script_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/text.h"
#include "export/export_context.h"
#include "export/script_values.h"
#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

const std::string kBom = "\xEF\xBB\xBF";

// A file's expected bytes: the byte-order mark, then every line ended by CR LF.
std::string FileOf(const std::vector<std::string>& lines) {
  std::string bytes = kBom;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

// The statement of the test table `ps_t` (`id`) holding `rows`.
std::string Insert(const std::string& rows) { return "INSERT INTO `ps_t` (`id`) VALUES " + rows + ";"; }

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadFileBytes(entry.path());
  }
  return files;
}

// One call on the writer: a row, the end of an item, or a line of the stage's own.
struct Step {
  enum Kind { kRow, kEnd, kLine } kind;
  std::string text;
};
Step Row(std::string values) { return {Step::kRow, std::move(values)}; }
Step End() { return {Step::kEnd, {}}; }
Step Line(std::string text) { return {Step::kLine, std::move(text)}; }

// `count` items of one row each, ids first..first+count-1.
std::vector<Step> SingleRowItems(int first, int count) {
  std::vector<Step> steps;
  for (int id = first; id < first + count; ++id) {
    steps.push_back(Row(std::to_string(id)));
    steps.push_back(End());
  }
  return steps;
}

struct LayoutCase {
  std::string name;
  int rows_per_statement;
  int statements_per_file;
  std::string header;
  std::vector<Step> steps;
  std::map<std::string, std::string> files;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class TableScriptWriterLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TableScriptWriterLayout, WritesExactlyTheseFiles) {
  const LayoutCase& c = GetParam();
  TempFolder folder;
  {
    TableScriptWriter writer(folder.path(), "ps_", "t", "`id`", c.rows_per_statement, c.statements_per_file);
    writer.Begin("t", c.header);
    for (const auto& step : c.steps) {
      switch (step.kind) {
        case Step::kRow:
          writer.AddRow(step.text);
          break;
        case Step::kEnd:
          writer.EndItem();
          break;
        case Step::kLine:
          writer.WriteLine(step.text);
          break;
      }
    }
    writer.Finish();
  }
  EXPECT_EQ(FilesIn(folder.path()), c.files);
}

const std::string kHeader = "CREATE TABLE IF NOT EXISTS `ps_t` (`id` int(10) NOT NULL);";

INSTANTIATE_TEST_SUITE_P(
    Cases, TableScriptWriterLayout,
    ::testing::Values(
        // Statements close at three rows and files at two statements; Finish puts the short last
        // statement into the file the rotation opened.
        LayoutCase{"RotatesStatementsAndFiles",
                   3,
                   2,
                   "",
                   SingleRowItems(1, 8),
                   {{"t.1.sql", FileOf({Insert("(1),(2),(3)"), Insert("(4),(5),(6)")})},
                    {"t.2.sql", FileOf({Insert("(7),(8)")})}}},
        // Exact multiples: no empty statement, but the file opened by the last rotation stays,
        // holding its header only.
        LayoutCase{"ExactMultiplesLeaveHeaderOnlyFile",
                   3,
                   2,
                   kHeader,
                   SingleRowItems(1, 12),
                   {{"t.1.sql", FileOf({kHeader, Insert("(1),(2),(3)"), Insert("(4),(5),(6)")})},
                    {"t.2.sql", FileOf({kHeader, Insert("(7),(8),(9)"), Insert("(10),(11),(12)")})},
                    {"t.3.sql", FileOf({kHeader})}}},
        LayoutCase{"ExactRowsPerStatementNeedNoFinishStatement",
                   3,
                   10,
                   "",
                   SingleRowItems(1, 3),
                   {{"t.1.sql", FileOf({Insert("(1),(2),(3)")})}}},
        // The count is tested per item, so an item's rows never split across statements.
        LayoutCase{"ItemRowsStayTogether",
                   3,
                   10,
                   "",
                   {Row("1"), Row("2"), End(), Row("3"), Row("4"), End(), Row("5"), End()},
                   {{"t.1.sql", FileOf({Insert("(1),(2),(3),(4)"), Insert("(5)")})}}},
        LayoutCase{"OneRowPerStatementKeepsItemTogether",
                   1,
                   10,
                   "",
                   {Row("1"), Row("2"), End(), Row("3"), End()},
                   {{"t.1.sql", FileOf({Insert("(1),(2)"), Insert("(3)")})}}},
        // Limits below 1 act as 1; an item without rows writes no empty "VALUES ;" statement.
        LayoutCase{"ZeroRowsPerStatement",
                   0,
                   10,
                   "",
                   {Row("1"), End(), End(), Row("2"), Row("3"), End()},
                   {{"t.1.sql", FileOf({Insert("(1)"), Insert("(2),(3)")})}}},
        LayoutCase{"NegativeRowsPerStatement",
                   -4,
                   10,
                   "",
                   SingleRowItems(1, 2),
                   {{"t.1.sql", FileOf({Insert("(1)"), Insert("(2)")})}}},
        LayoutCase{"OneStatementPerFileRepeatsHeader",
                   2,
                   1,
                   kHeader,
                   SingleRowItems(1, 4),
                   {{"t.1.sql", FileOf({kHeader, Insert("(1),(2)")})},
                    {"t.2.sql", FileOf({kHeader, Insert("(3),(4)")})},
                    {"t.3.sql", FileOf({kHeader})}}},
        // Statements per file of 0 act as 1: a rotation never leaves pending rows behind.
        LayoutCase{"ZeroStatementsPerFileKeepsPendingRows",
                   3,
                   0,
                   "",
                   SingleRowItems(1, 4),
                   {{"t.1.sql", FileOf({Insert("(1),(2),(3)")})}, {"t.2.sql", FileOf({Insert("(4)")})}}},
        LayoutCase{"EmptyTable", 3, 2, "", {}, {{"t.1.sql", kBom}}},
        LayoutCase{"EmptyTableWithHeader", 3, 2, kHeader, {}, {{"t.1.sql", FileOf({kHeader})}}},
        // A stage's own line goes into the file at once, ahead of the rows still pending, and
        // counts toward neither limit.
        LayoutCase{"OwnLinesBetweenStatements",
                   2,
                   1,
                   "",
                   {Row("1"), End(), Line(" INSERT INTO `x` VALUES (1);"), Row("2"), End(), Line("-- after")},
                   {{"t.1.sql", FileOf({" INSERT INTO `x` VALUES (1);", Insert("(1),(2)")})},
                    {"t.2.sql", FileOf({"-- after"})}}}),
    [](const auto& info) { return info.param.name; });

TEST(TableScriptWriter, ValuesReachTheFileEscapedOnce) {
  TempFolder folder;
  ExportParameters params;
  params.export_folder = folder.path();  // no trailing separator
  params.table_prefix = "ps_";
  params.rows_per_statement = 10;
  params.statements_per_file = 10;
  {
    TableScriptWriter writer(params, "supplier", "`id_supplier`,`name`,`date_add`,`date_upd`,`active`");
    writer.Begin("supplier");
    ScriptRow row;
    // A name loaded already escaped keeps its escapes as they are; a raw one is escaped here.
    const std::string stored = EscapeSql("Гараж \"Мастер\"");
    writer.AddRow(row.Clear().Integer(7).Quoted(stored).Literal("NOW()").Literal("NOW()").Integer(1).View());
    writer.AddRow(
        row.Clear().Integer(8).Text("Кузов O'Neil\\").Literal("NOW()").Literal("NOW()").Integer(1).View());
    writer.EndItem();
    writer.Finish();
  }
  EXPECT_EQ(ReadFileBytes(folder / "supplier.1.sql"),
            FileOf({"INSERT INTO `ps_supplier` (`id_supplier`,`name`,`date_add`,`date_upd`,`active`) VALUES "
                    "(7,'Гараж \\\"Мастер\\\"',NOW(),NOW(),1),(8,'Кузов O\\'Neil\\\\',NOW(),NOW(),1);"}));
}

TEST(TableScriptWriter, StemAndNumbering) {
  TempFolder folder;
  WriteFileBytes(folder / "category_product.additional.1.sql", std::string(5000, 'x'));
  {
    TableScriptWriter writer(folder.path(), "", "category_product", "`id_category`,`id_product`,`position`",
                             1, 1);
    writer.Begin("category_product.additional");
    EXPECT_EQ(writer.current_file(), folder / "category_product.additional.1.sql");
    for (int i = 0; i < 10; ++i) {
      writer.AddRow("1,2,0");
      writer.EndItem();
    }
    EXPECT_EQ(writer.current_file(), folder / "category_product.additional.11.sql");
    writer.Finish();
  }
  // An existing file is replaced, not appended to.
  EXPECT_EQ(
      ReadFileBytes(folder / "category_product.additional.1.sql"),
      FileOf({"INSERT INTO `category_product` (`id_category`,`id_product`,`position`) VALUES (1,2,0);"}));
  EXPECT_TRUE(fs::exists(folder / "category_product.additional.10.sql"));
}

// A stop or an error ends the stage without Finish: what was written stays, whole statements only,
// and rows still pending are not written.
TEST(TableScriptWriter, EndWithoutFinishKeepsWholeStatementsOnly) {
  TempFolder folder;
  constexpr int kRows = 30001;  // several flushes of the writer's buffer, one row pending at the end
  std::string expected_lines;
  {
    TableScriptWriter writer(folder.path(), "ps_", "t", "`id`", 2, 1000000);
    writer.Begin("t");
    for (int id = 1; id <= kRows; ++id) {
      writer.AddRow(std::to_string(id));
      writer.EndItem();
      if (id % 2 == 0) {
        expected_lines += Insert("(" + std::to_string(id - 1) + "),(" + std::to_string(id) + ")") + "\r\n";
      }
    }
    writer.WriteLine("-- last line");
    expected_lines += "-- last line\r\n";
  }
  EXPECT_EQ(ReadFileBytes(folder / "t.1.sql"), kBom + expected_lines);
}

TEST(TableScriptWriter, ErrorsNameTheFile) {
  TempFolder folder;
  {
    TableScriptWriter writer(folder / "missing", "", "t", "`id`", 1, 1);
    try {
      writer.Begin("t");
      FAIL() << "no error for a folder that does not exist";
    } catch (const std::runtime_error& e) {
      EXPECT_THAT(e.what(), ::testing::HasSubstr((folder / "missing" / "t.1.sql").string()));
    }
  }

  if (!fs::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full";
  // The second file of the table sits on a full device: the first stays complete.
  fs::create_symlink("/dev/full", folder / "t.2.sql");
  TableScriptWriter writer(folder.path(), "", "t", "`id`", 1, 1);
  writer.Begin("t");
  writer.AddRow("1");
  try {
    writer.EndItem();
    FAIL() << "no error writing to a full device";
  } catch (const std::runtime_error& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr((folder / "t.2.sql").string()));
  }
  EXPECT_EQ(ReadFileBytes(folder / "t.1.sql"), FileOf({"INSERT INTO `t` (`id`) VALUES (1);"}));
}

}  // namespace
}  // namespace quarvel::exporting
