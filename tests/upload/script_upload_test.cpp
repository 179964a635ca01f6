#include "upload/script_upload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/scripted_ui.h"
#include "tests/support/statement_killer.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using namespace std::chrono_literals;

const std::string kSep = "\r/* " + std::string(96, '-') + " */\r";
const std::string kHalted =
    "/* NOW\tAFTER THE ERROR OCCURRED (OR ABORTED) IMPORTING DATA HAS BEEN DISCONTINUED */\r";

class UploadTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    if (IsSkipped()) return;
    session.settings_file = settings_folder / "quarvel.ini";
    session.store.Connect(params());
    session.options.SetText(OptionId::ImportData_Path_to_data, folder.path().string());
    runner.date_time = [] { return std::string("NOW"); };
  }

  void Write(const std::string& name, const std::string& text) { test::WriteFileBytes(folder / name, text); }
  std::string Path(const std::string& name) const { return (folder.path() / name).string(); }
  std::string Start(const std::string& name) const {
    return "/* NOW\tSTART IMPORT FILE [" + Path(name) + "] */\r";
  }
  std::vector<bool> Checks() const {
    std::vector<bool> checks;
    for (const auto& entry : runner.scripts().entries) checks.push_back(entry.checked);
    return checks;
  }
  std::string Rows(const std::string& table) {
    std::string rows;
    for (auto cursor = store().Query("SELECT id FROM " + table + " ORDER BY id"); !cursor.AtEnd();
         cursor.Next())
      rows += (rows.empty() ? "" : ",") + cursor.Text(0);
    return rows;
  }
  // Three files; the second fails at its second of three statements.
  void WriteThreeFiles() {
    Write("a.sql",
          "\xEF\xBB\xBF"
          "CREATE TABLE r (id INT PRIMARY KEY);\nINSERT INTO r VALUES (1);\n");
    Write("b.sql",
          "INSERT INTO r VALUES (2);\nINSERT INTO missing_table VALUES (1);\nINSERT INTO r VALUES (3);\n");
    Write("c.sql", "INSERT INTO r VALUES (4);\nINSERT INTO r VALUES (4);\nINSERT INTO r VALUES (5);\n");
    ASSERT_TRUE(runner.UpdateScriptList(ui));
    runner.scripts().SetAllChecked(true);
  }

  test::TempFolder folder;
  test::TempFolder settings_folder;
  Session session;
  UploadRunner runner{session};
  test::ScriptedUi ui;
};

TEST_F(UploadTest, ListsSqlFilesInNameOrderIgnoringCaseAndUnchecked) {
  Write("b.sql", "");
  Write("A.SQL", "");
  Write("c.sql", "");
  Write("a_1.sql", "");
  Write("notes.txt", "");
  Write("sql", "");
  std::filesystem::create_directory(folder / "dir.sql");
  ASSERT_TRUE(runner.UpdateScriptList(ui));
  std::vector<std::string> names;
  for (const auto& entry : runner.scripts().entries) {
    names.push_back(entry.text);
    EXPECT_FALSE(entry.checked);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A.SQL", "a_1.sql", "b.sql", "c.sql"}));

  // Check | Uncheck takes the selected entry's check, inverted, for all.
  runner.set_selected(2);
  runner.ToggleScriptChecks();
  EXPECT_EQ(Checks(), (std::vector<bool>{true, true, true, true}));
  runner.scripts().entries[0].checked = false;
  runner.set_selected(-1);
  runner.ToggleScriptChecks();
  EXPECT_EQ(Checks(), (std::vector<bool>{true, true, true, true}));

  // Updating again forgets the checks.
  ASSERT_TRUE(runner.UpdateScriptList(ui));
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, false, false}));
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(UploadTest, PreconditionsReportAndRunNothing) {
  // A folder that does not exist, or no folder, empties the list.
  for (std::string text : {std::string(), std::string("   "), (folder / "nowhere").string()}) {
    Write("a.sql", "");
    session.options.SetText(OptionId::ImportData_Path_to_data, folder.path().string());
    ASSERT_TRUE(runner.UpdateScriptList(ui));
    session.options.SetText(OptionId::ImportData_Path_to_data, text);
    ui.errors.clear();
    EXPECT_FALSE(runner.UpdateScriptList(ui));
    EXPECT_TRUE(runner.scripts().entries.empty());
    EXPECT_EQ(ui.errors, std::vector<std::string>{"The path to the output folder is empty or wrong !"})
        << text;
  }

  struct Case {
    std::string folder_text;
    bool connected;
    std::string error;
  };
  test::TempFolder empty;
  for (const Case& c : {Case{empty.path().string(), true, "List of files to import empty !"},
                        Case{" ", true, "The path to the output folder is empty !"},
                        Case{empty.path().string(), false, "Not connected to PrestaShop !"}}) {
    session.options.SetText(OptionId::ImportData_Path_to_data, empty.path().string());
    runner.UpdateScriptList(ui);
    session.options.SetText(OptionId::ImportData_Path_to_data, c.folder_text);
    if (!c.connected) session.store.Close();
    ui.errors.clear();
    UploadRunSummary summary = runner.StartImport(ui);
    EXPECT_FALSE(summary.started);
    EXPECT_EQ(ui.errors, std::vector<std::string>{c.error});
    EXPECT_TRUE(ui.informed.empty());
    EXPECT_TRUE(runner.log().empty());
  }
}

TEST_F(UploadTest, ErrorStopHaltsTheRunWithTheFailedFileStillChecked) {
  session.options.SetBoolean(OptionId::ImportData_GetPause, true);
  WriteThreeFiles();
  runner.log().push_back("earlier entry");

  UploadRunSummary summary = runner.StartImport(ui);

  const std::vector<std::string> expected = {
      "earlier entry",
      kSep,
      Start("a.sql"),
      kSep,
      Start("b.sql"),
      "/* NOW\tTable '" + database() +
          ".missing_table' doesn't exist */\r\rINSERT INTO missing_table VALUES (1);\r\r",
      kSep,
      kHalted};
  EXPECT_EQ(runner.log(), expected);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(Rows("r"), "1,2");
  EXPECT_TRUE(summary.halted);
  EXPECT_EQ(summary.failed_statements, 1);
  EXPECT_EQ(ui.informed, std::vector<std::string>{"The process of importing sql-scripts is finished !"});
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(runner.state(), ImportState::kIdle);
  EXPECT_EQ(runner.status_line(), "Import file :");
  EXPECT_EQ(runner.progress(), 0);
  EXPECT_EQ(runner.selected(), 1);
}

TEST_F(UploadTest, WithoutErrorStopEveryFailureIsLoggedAndTheRunGoesToTheEnd) {
  session.options.SetBoolean(OptionId::ImportData_GetPause, false);
  WriteThreeFiles();
  // A trailing separator gives the same paths.
  session.options.SetText(OptionId::ImportData_Path_to_data, folder.path().string() + "/ ");

  std::vector<std::string> shown;
  runner.changed = [&] { shown.push_back(runner.status_line() + " " + std::to_string(runner.progress())); };
  UploadRunSummary summary = runner.StartImport(ui);
  runner.changed = nullptr;

  const std::vector<std::string> expected = {
      kSep,
      Start("a.sql"),
      kSep,
      Start("b.sql"),
      "/* NOW\tTable '" + database() +
          ".missing_table' doesn't exist */\r\rINSERT INTO missing_table VALUES (1);\r\r",
      kSep,
      Start("c.sql"),
      "/* NOW\tDuplicate entry '4' for key 'PRIMARY' */\r\rINSERT INTO r VALUES (4);\r\r"};
  EXPECT_EQ(runner.log(), expected);
  EXPECT_EQ(Rows("r"), "1,2,3,4,5");
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(summary.failed_statements, 2);
  EXPECT_FALSE(summary.halted);
  EXPECT_EQ(ui.informed, std::vector<std::string>{"The process of importing sql-scripts is finished !"});

  // Each file starts at 0 and reaches 100 under its own status line; the run ends idle.
  for (const char* name : {"a.sql", "b.sql", "c.sql"}) {
    for (const char* percent : {" 0", " 100"}) {
      EXPECT_NE(std::find(shown.begin(), shown.end(), "Import file : " + Path(name) + percent), shown.end())
          << name << percent << ::testing::PrintToString(shown);
    }
  }
  EXPECT_EQ(shown.back(), "Import file : 0");

  // Everything ran, so a second run runs nothing but still finishes.
  ui.informed.clear();
  summary = runner.StartImport(ui);
  EXPECT_EQ(summary.files_run, 0);
  EXPECT_EQ(runner.log().size(), expected.size());
  EXPECT_EQ(ui.informed, std::vector<std::string>{"The process of importing sql-scripts is finished !"});
}

TEST_F(UploadTest, UncheckedAndVanishedFilesAreSkippedSilently) {
  Write("a.sql", "CREATE TABLE r (id INT PRIMARY KEY);\n");
  Write("b.sql", "INSERT INTO r VALUES (1);\n");
  Write("c.sql", "INSERT INTO r VALUES (2);\n");
  ASSERT_TRUE(runner.UpdateScriptList(ui));
  runner.scripts().entries[0].checked = true;
  runner.scripts().entries[1].checked = true;
  std::filesystem::remove(folder / "b.sql");
  // Updating the list while the run walks it is refused.
  int refused = 0;
  runner.changed = [&] {
    if (runner.state() == ImportState::kRunning && !runner.UpdateScriptList(ui)) ++refused;
  };

  UploadRunSummary summary = runner.StartImport(ui);
  runner.changed = nullptr;
  EXPECT_GT(refused, 0);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(summary.files_run, 1);
  EXPECT_EQ(runner.log(), (std::vector<std::string>{kSep, Start("a.sql")}));
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(Rows("r"), "");
}

// Stop presses: inside a file (answered by "Abort the import file ?") and after a file's last
// progress report (answered by "Stop the import of data ?").
TEST_F(UploadTest, StopPressesAreAnsweredInsideAFileOrBetweenFiles) {
  // SET statements go alone, so a file reports its progress statement by statement.
  const std::string first =
      "CREATE TABLE r (id INT PRIMARY KEY);\nINSERT INTO r VALUES (1);\nSET @a = 1;\n"
      "INSERT INTO r VALUES (2);\n";
  struct Case {
    std::string name;
    bool inside_file;
    bool answer;
    std::vector<std::string> questions;
    std::string rows;
    std::vector<bool> checks;
    bool halted;
  };
  const std::string abort_q = "Abort the import file ?";
  const std::string stop_q = "Stop the import of data ?";
  for (const Case& c : {Case{"abort yes", true, true, {abort_q}, "", {true, true}, true},
                        Case{"abort no", true, false, {abort_q}, "1,2,3", {false, false}, false},
                        Case{"stop yes", false, true, {stop_q}, "1,2", {false, true}, false},
                        Case{"stop no", false, false, {stop_q}, "1,2,3", {false, false}, false}}) {
    SCOPED_TRACE(c.name);
    store().Execute("DROP TABLE IF EXISTS r");
    runner.log().clear();
    Write("a.sql", first);
    Write("b.sql", "INSERT INTO r VALUES (3);\n");
    ASSERT_TRUE(runner.UpdateScriptList(ui));
    runner.scripts().SetAllChecked(true);
    test::ScriptedUi answering;
    answering.answers = {c.answer};
    bool pressed = false;
    runner.changed = [&] {
      if (pressed) return;
      bool press = c.inside_file ? runner.progress() > 0 && runner.progress() < 100 : runner.selected() == 0;
      if (!press) return;
      pressed = true;
      runner.StopImport();
    };
    UploadRunSummary summary = runner.StartImport(answering);
    runner.changed = nullptr;

    EXPECT_TRUE(pressed);
    EXPECT_EQ(answering.questions, c.questions);
    EXPECT_EQ(Rows("r"), c.rows);
    EXPECT_EQ(Checks(), c.checks);
    EXPECT_EQ(summary.halted, c.halted);
    EXPECT_EQ(runner.log().back() == kHalted, c.halted);
    EXPECT_FALSE(runner.stop_requested());
    EXPECT_EQ(answering.informed,
              std::vector<std::string>{"The process of importing sql-scripts is finished !"});
  }
  // A press while idle is ignored.
  runner.StopImport();
  EXPECT_FALSE(runner.stop_requested());
}

TEST_F(UploadTest, LostConnectionIsLoggedAsAFailureAndNothingRunsTwice) {
  for (bool stop_on_error : {true, false}) {
    SCOPED_TRACE(stop_on_error ? "error stop on" : "error stop off");
    session.options.SetBoolean(OptionId::ImportData_GetPause, stop_on_error);
    store().Execute("DROP TABLE IF EXISTS r");
    store().Execute("DROP TABLE IF EXISTS held");
    store().Execute("CREATE TABLE r (id INT PRIMARY KEY) ENGINE=InnoDB");
    store().Execute("CREATE TABLE held (id INT PRIMARY KEY, v INT) ENGINE=InnoDB");
    store().Execute("INSERT INTO held VALUES (1, 0)");
    runner.log().clear();
    Write("a.sql",
          "INSERT INTO r VALUES (1);\nSET @a = 1;\nUPDATE held SET v = v + 1 WHERE id = 1;\n"
          "SET @b = 1;\nINSERT INTO r VALUES (2);\n");
    Write("b.sql", "INSERT INTO r VALUES (3);\n");
    ASSERT_TRUE(runner.UpdateScriptList(ui));
    runner.scripts().SetAllChecked(true);

    platform::StoreConnection holder;
    holder.Connect(params());
    holder.Execute("START TRANSACTION");
    holder.Query("SELECT v FROM held WHERE id = 1 FOR UPDATE");
    UploadRunSummary summary;
    {
      test::StatementKiller killer(params(), "UPDATE held");
      summary = runner.StartImport(ui);
      ASSERT_TRUE(killer.Join());
    }
    holder.Execute("ROLLBACK");

    // The killed statement was not applied, is not run again, and the rest of its file did not
    // run; the failure is in the log right after the file's start.
    EXPECT_EQ(Rows("held") + ":" + store().Query("SELECT v FROM held").Text(0), "1:0");
    ASSERT_GE(runner.log().size(), 3u);
    const std::string& failure = runner.log()[2];
    EXPECT_EQ(failure.rfind("/* NOW\t", 0), 0u) << failure;
    EXPECT_NE(failure.find("may or may not have been applied"), std::string::npos) << failure;
    EXPECT_EQ(Checks()[0], true);
    EXPECT_EQ(summary.files_failed, 1);
    EXPECT_FALSE(summary.ok());
    // A failure of the run, not of a statement: the run goes on with the next file on the new
    // connection, whatever the error switch says.
    EXPECT_EQ(Rows("r"), "1,3");
    EXPECT_EQ(Checks()[1], false);
    EXPECT_EQ(runner.log().back(), Start("b.sql"));
  }
}

TEST_F(UploadTest, OpenUploadLogWritesTheEntriesWithBomAndCrLf) {
  runner.log() = {"first\rline", "second"};
  std::filesystem::path written = runner.OpenUploadLog(ui);
  EXPECT_EQ(written, settings_folder / "Log_UploadData.txt");
  EXPECT_EQ(test::ReadFileBytes(written),
            "\xEF\xBB\xBF"
            "first\rline\r\nsecond\r\n");
  EXPECT_EQ(ui.opened_files, std::vector<std::string>{written.string()});

  runner.log() = {"only"};
  runner.OpenUploadLog(ui);
  EXPECT_EQ(test::ReadFileBytes(written),
            "\xEF\xBB\xBF"
            "only\r\n");
}

TEST_F(UploadTest, UseExportFolderCopiesItOnlyOnYes) {
  session.options.SetText(OptionId::ExportData_Path_to_data, "/exports/");
  session.options.SetText(OptionId::ImportData_Path_to_data, "/before/");
  ui.answers = {false, true};
  runner.UseExportFolder(ui);
  EXPECT_EQ(session.options.Text(OptionId::ImportData_Path_to_data), "/before/");
  runner.UseExportFolder(ui);
  EXPECT_EQ(session.options.Text(OptionId::ImportData_Path_to_data), "/exports/");
  EXPECT_EQ(ui.questions.front(),
            "Set the path to the folder identical to the path the folder to export [/exports/] ?");
}

}  // namespace
}  // namespace quarvel
