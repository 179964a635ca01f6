#include "app/upload_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/connected_program_fixture.h"
#include "upload/clean_installation_command.h"
#include "upload/script_upload.h"

namespace quarvel::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<bool> Checks(const QListWidget* list) {
  std::vector<bool> checks;
  for (int i = 0; i < list->count(); ++i) checks.push_back(list->item(i)->checkState() == Qt::Checked);
  return checks;
}

// What the page lets the user reach at one moment.
struct Reachable {
  bool navigation = false;     // the left panel
  bool list_commands = false;  // the folder, the list, its two commands, START and the clean installation
  bool stop = false;
  bool open_log = false;
  bool operator==(const Reachable&) const = default;
};

class UploadPageTest : public ConnectedProgramTest {
 protected:
  void SetUp() override {
    ConnectedProgramTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    std::filesystem::create_directory(scripts_);
    Open(MainWindow::kUploadPage);
  }
  UploadPage& page() { return *window().Upload(); }
  Reachable Now() {
    Reachable now;
    now.navigation = window().Command("Export data")->isEnabled() && window().Command("Tables")->isEnabled();
    now.list_commands = page().FolderRow()->isEnabled() && page().Scripts()->isEnabled() &&
                        page().UpdateButton()->isEnabled() && page().ToggleButton()->isEnabled() &&
                        page().StartButton()->isEnabled() && page().CleanButton()->isEnabled();
    now.stop = page().StopButton()->isEnabled();
    now.open_log = page().OpenLogButton()->isEnabled();
    return now;
  }
  // Rows of a store query's first column.
  std::vector<std::string> StoreRows(const std::string& sql) {
    std::vector<std::string> rows;
    platform::StoreConnection store;
    store.Connect(store_->params());
    platform::StoreCursor cursor = store.Query(sql);
    for (; !cursor.AtEnd(); cursor.Next()) rows.push_back(cursor.Text(0));
    return rows;
  }

  std::filesystem::path scripts_ = folder_ / "scripts";
};

const Reachable kIdle{true, true, true, true};
const Reachable kRunning{false, false, true, true};

TEST_F(UploadPageTest, FolderAndListCommands) {
  // "<<" offers the export folder as typed on the export page.
  Type(OptionId::ExportData_Path_to_data, scripts_);
  ui_.answers = {false, true};
  Press(page().UseExportFolderButton());
  EXPECT_EQ(page().FolderRow()->Edit()->text(), "");
  Press(page().UseExportFolderButton());
  EXPECT_EQ(page().FolderRow()->Edit()->text().toStdString(), scripts_.string());
  EXPECT_THAT(ui_.questions,
              Contains("Set the path to the folder identical to the path the folder to export [" +
                       scripts_.string() + "] ?"));

  Press(page().FolderRow()->HelpButton());
  EXPECT_THAT(ui_.informed, ElementsAre(kUploadFolderHelp));

  // Only script files, sorted without regard to case, all unchecked.
  for (const char* name : {"b.sql", "A.sql", "notes.txt"}) WriteFileBytes(scripts_ / name, "SELECT 1;\n");
  std::filesystem::create_directory(scripts_ / "folder.sql");
  Press(page().UpdateButton());
  EXPECT_THAT(Rows(page().Scripts()), ElementsAre("A.sql", "b.sql"));
  EXPECT_THAT(Checks(page().Scripts()), ElementsAre(false, false));

  // "Check | Uncheck" inverts the selected entry's check (the first's when none is selected) for all.
  Press(page().ToggleButton());
  EXPECT_THAT(Checks(page().Scripts()), ElementsAre(true, true));
  page().Scripts()->item(0)->setCheckState(Qt::Unchecked);  // a user's click
  page().Scripts()->setCurrentRow(1);
  Press(page().ToggleButton());
  EXPECT_THAT(Checks(page().Scripts()), ElementsAre(false, false));
  page().Scripts()->item(1)->setCheckState(Qt::Checked);
  EXPECT_TRUE(page().Runner().scripts().entries[1].checked);

  // A folder that is not there empties the list.
  Type(OptionId::ImportData_Path_to_data, folder_ / "missing");
  Press(page().UpdateButton());
  EXPECT_THAT(ui_.errors, ElementsAre("The path to the output folder is empty or wrong !"));
  EXPECT_EQ(page().Scripts()->count(), 0);
  EXPECT_EQ(Now(), kIdle);
}

TEST_F(UploadPageTest, StartImportRunsTheCheckedFilesAndFollowsTheErrorSwitch) {
  WriteFileBytes(scripts_ / "1_create.sql", "CREATE TABLE t1 (id INT);\nINSERT INTO t1 VALUES (1);\n");
  WriteFileBytes(scripts_ / "2_fails.sql",
                 "INSERT INTO t1 VALUES (2);\nINSERT INTO nowhere VALUES (1);\nINSERT INTO t1 VALUES (3);\n");
  WriteFileBytes(scripts_ / "3_later.sql", "INSERT INTO t1 VALUES (4);\n");
  Type(OptionId::ImportData_Path_to_data, scripts_);
  Press(page().UpdateButton());
  Press(page().ToggleButton());
  auto* error_stop = qobject_cast<QCheckBox*>(program_->binder().WidgetOf(OptionId::ImportData_GetPause));
  ASSERT_TRUE(error_stop->isChecked());

  std::vector<Reachable> during;
  std::vector<QString> statuses;
  ui_.on_pump = [&] {
    during.push_back(Now());
    statuses.push_back(page().Status()->text());
  };
  Press(page().StartButton());

  // The first failing statement halts the run: the file stays checked, the one after it too.
  EXPECT_THAT(Checks(page().Scripts()), ElementsAre(false, true, true));
  EXPECT_THAT(StoreRows("SELECT id FROM t1 ORDER BY id"), ElementsAre("1", "2"));
  std::vector<std::string> log = Rows(page().Log());
  EXPECT_THAT(log, Contains(HasSubstr("START IMPORT FILE [" + (scripts_ / "2_fails.sql").string() + "]")));
  EXPECT_THAT(log, Contains("INSERT INTO nowhere VALUES (1);"));
  EXPECT_THAT(log.back(),
              HasSubstr("AFTER THE ERROR OCCURRED (OR ABORTED) IMPORTING DATA HAS BEEN DISCONTINUED"));
  EXPECT_THAT(ui_.informed, ElementsAre(kImportFinishedMessage));
  ASSERT_FALSE(during.empty());
  for (const Reachable& r : during) EXPECT_EQ(r, kRunning);
  EXPECT_THAT(statuses,
              Contains("Import file : " + QString::fromStdString((scripts_ / "1_create.sql").string())));
  EXPECT_EQ(Now(), kIdle);
  EXPECT_EQ(page().Status()->text(), "Import file :");
  EXPECT_EQ(page().Progress()->value(), 0);

  // Without the switch the failing statement is only logged and the run reaches the last file.
  QTest::mouseClick(error_stop, Qt::LeftButton, {}, QPoint(6, error_stop->height() / 2));
  ASSERT_FALSE(error_stop->isChecked());
  const int rows_before = page().Log()->count();
  ui_.on_pump = nullptr;
  Press(page().StartButton());
  EXPECT_THAT(Checks(page().Scripts()), ElementsAre(false, false, false));
  EXPECT_THAT(StoreRows("SELECT id FROM t1 ORDER BY id"), ElementsAre("1", "2", "2", "3", "4"));
  EXPECT_GT(page().Log()->count(), rows_before);  // the log grows; the earlier run's rows stay
  EXPECT_EQ(Rows(page().Log())[0], log[0]);

  Press(page().OpenLogButton());
  EXPECT_THAT(ui_.opened_files, ElementsAre((folder_ / kUploadLogFileName).string()));
}

TEST_F(UploadPageTest, StopImportDuringAFileAsksToAbortIt) {
  WriteFileBytes(scripts_ / "1.sql", "CREATE TABLE t2 (id INT);\nINSERT INTO t2 VALUES (1);\n");
  WriteFileBytes(scripts_ / "2.sql", "INSERT INTO t2 VALUES (2);\n");
  Type(OptionId::ImportData_Path_to_data, scripts_);
  Press(page().UpdateButton());
  Press(page().ToggleButton());
  ui_.answers = {true};
  bool pressed = false;
  ui_.on_pump = [&] {
    if (!pressed) Press(page().StopButton());
    pressed = true;
  };
  Press(page().StartButton());
  EXPECT_THAT(ui_.questions, ElementsAre(kAbortImportFileQuestion));
  EXPECT_THAT(Checks(page().Scripts()), ElementsAre(true, true));
  EXPECT_THAT(Rows(page().Log()).back(), HasSubstr("AFTER THE ERROR OCCURRED (OR ABORTED)"));
  EXPECT_THAT(ui_.informed, ElementsAre(kImportFinishedMessage));
  EXPECT_EQ(Now(), kIdle);
}

TEST_F(UploadPageTest, CleanInstallationRewritesTheLogAndOffersItsHelp) {
  Press(page().CleanInformationButton());
  EXPECT_THAT(ui_.informed, ElementsAre(CleanInstallationInformation()));
  emit page().HostingLink()->linkActivated(QStringLiteral("help"));
  EXPECT_THAT(ui_.opened_urls, ElementsAre(HostingHelpUrl()));
  Press(page().TablesButton());
  EXPECT_TRUE(program_->cleaning_list().isVisible());

  // An earlier upload's log goes; the clean installation writes its own.
  page().Runner().log().push_back("earlier entry");
  ui_.answers = {false, true};
  Press(page().CleanButton());
  EXPECT_THAT(ui_.questions, ElementsAre(kCleanInstallationQuestion));
  std::vector<Reachable> during;
  ui_.on_pump = [&] { during.push_back(Now()); };
  Press(page().CleanButton());
  ui_.on_pump = nullptr;
  ASSERT_FALSE(during.empty());
  for (const Reachable& r : during) EXPECT_EQ(r, kRunning);
  std::vector<std::string> log = Rows(page().Log());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), kCleanInstallationHeading);
  EXPECT_THAT(log, ::testing::Not(Contains("earlier entry")));
  EXPECT_TRUE(ui_.errors.empty()) << ui_.errors.front();
  EXPECT_TRUE(StoreRows("SHOW TABLES LIKE 'ps_LinkArtPrestaWithTecDoc'").size() == 1);
  EXPECT_EQ(Now(), kIdle);
}

}  // namespace
}  // namespace quarvel::test
