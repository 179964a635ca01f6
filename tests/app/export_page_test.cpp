#include "app/export_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "export/export_log.h"
#include "export/export_run.h"
#include "tests/app/connected_program_fixture.h"

namespace quarvel::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// What the window lets the user reach at one moment of a run.
struct Reachable {
  bool navigation = false;  // every command of the left panel
  bool tabs = false;
  bool start = false;
  bool stop = false;
  bool open_log = false;
  bool operator==(const Reachable&) const = default;
};

class ExportPageTest : public ConnectedProgramTest {
 protected:
  void SetUp() override {
    ConnectedProgramTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    std::filesystem::create_directory(out_);
    Open(MainWindow::kExportPage);
  }
  ExportPage& page() { return *window().Export(); }
  Reachable Now() {
    Reachable now;
    now.navigation = true;
    for (const char* caption : {"Setting connect to TecDoc", "Setting connect to PrestaShop", "Export data",
                                "Upload data into the store", "Tables", "SETTING"})
      now.navigation = now.navigation && window().Command(caption)->isEnabled();
    now.tabs = page().Tabs()->isEnabled();
    now.start = page().StartButton()->isEnabled();
    now.stop = page().StopButton()->isEnabled();
    now.open_log = page().OpenLogButton()->isEnabled();
    return now;
  }
  void TypeExportFolder(const std::filesystem::path& path) { Type(OptionId::ExportData_Path_to_data, path); }
  long EndLines() const {
    std::vector<std::string> rows = Rows(program_->main_window().Export()->Log());
    return std::count(rows.begin(), rows.end(), exporting::kEndOfExportLine);
  }

  std::filesystem::path out_ = folder_ / "out";
};

const Reachable kIdle{true, true, true, true, true};
const Reachable kRunning{false, false, false, true, true};

TEST_F(ExportPageTest, StartExportRunsToTheEndWithTheWindowLockedMeanwhile) {
  // Without an export folder nothing starts; the log list shows why.
  TypeExportFolder(folder_ / "missing");
  Press(page().StartButton());
  EXPECT_THAT(ui_.errors, ElementsAre("Not specified a folder to export sql-scripts !!!"));
  ASSERT_EQ(page().Log()->count(), 1);
  EXPECT_TRUE(
      page().Log()->item(0)->text().endsWith("] Error : not specified a folder to export sql-scripts"));
  EXPECT_EQ(Now(), kIdle);
  ui_.errors.clear();

  std::vector<Reachable> during;
  std::vector<std::vector<std::string>> shown;
  ui_.on_pump = [&] {
    during.push_back(Now());
    shown.push_back(Rows(page().Log()));
    // A second press of START during the run reaches nothing.
    Press(page().StartButton());
  };
  TypeExportFolder(out_);
  Press(page().StartButton());
  ui_.on_pump = nullptr;

  EXPECT_TRUE(ui_.errors.empty()) << ui_.errors.front();
  ASSERT_FALSE(during.empty());
  for (const Reachable& r : during) EXPECT_EQ(r, kRunning);
  EXPECT_EQ(Now(), kIdle);

  // The list followed the log line by line: the failed start's line went when the run emptied it.
  const std::vector<std::string>& log = page().Runner().LogLines();
  for (const std::vector<std::string>& rows : shown)
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), log.begin(), log.begin() + rows.size()));
  EXPECT_EQ(Rows(page().Log()), log);
  EXPECT_TRUE(log.front().ends_with("] Loading of parameters for export  ... wait")) << log.front();
  EXPECT_EQ(log.back(), exporting::kEndOfExportLine);
  EXPECT_EQ(EndLines(), 1);
  EXPECT_THAT(Rows(page().Log()),
              Contains("--------------------- START PROCESS OF CREATING DATA  ------------------------"));
  // The list shows its end.
  QScrollBar* scroll = page().Log()->verticalScrollBar();
  EXPECT_EQ(scroll->value(), scroll->maximum());
  EXPECT_FALSE(std::filesystem::is_empty(out_));

  Press(page().OpenLogButton());
  const std::filesystem::path file = folder_ / exporting::kExportLogFileName;
  EXPECT_THAT(ui_.opened_files, ElementsAre(file.string()));
  EXPECT_TRUE(ReadFileBytes(file).starts_with("\xEF\xBB\xBF" + log.front() + "\r\n"));

  // The export can be run again; the list starts afresh.
  Press(page().StartButton());
  EXPECT_EQ(Rows(page().Log()), page().Runner().LogLines());
  EXPECT_EQ(EndLines(), 1);
}

TEST_F(ExportPageTest, StoppingTheRunAsksAndEndsItThroughTheEndBlock) {
  TypeExportFolder(out_);
  const struct {
    const char* name;
    std::function<void()> stop;
  } ways[] = {
      {"STOP EXPORT", [this] { Press(page().StopButton()); }},
      // Closing the window while the run is on its call stack asks the run to stop instead.
      {"closing the window", [this] { EXPECT_FALSE(window().close()); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ui_.questions.clear();
    ui_.errors.clear();
    ui_.answers = {true};
    bool stopped = false;
    ui_.on_pump = [&] {
      if (!stopped) way.stop();
      stopped = true;
    };
    Press(page().StartButton());
    ui_.on_pump = nullptr;

    EXPECT_THAT(ui_.questions, ElementsAre(exporting::kStopExportQuestion));
    EXPECT_THAT(ui_.errors, ElementsAre(exporting::kStopExportData));
    ASSERT_GT(page().Log()->count(), 0);
    EXPECT_EQ(page().Log()->item(page().Log()->count() - 1)->text(), exporting::kEndOfExportLine);
    EXPECT_THAT(Rows(page().Log()),
                ::testing::Not(Contains("--------------------- START PROCESS OF CREATING DATA  "
                                        "------------------------")));
    EXPECT_EQ(Now(), kIdle);
    EXPECT_TRUE(window().isVisible());
  }
  // Idle, STOP EXPORT does nothing: the next run is not asked about a stop.
  Press(page().StopButton());
  ui_.questions.clear();
  Press(page().StartButton());
  EXPECT_TRUE(ui_.questions.empty());
  EXPECT_EQ(page().Log()->item(page().Log()->count() - 1)->text(), exporting::kEndOfExportLine);
}

TEST_F(ExportPageTest, AStoreWithoutImageTypesSendsTheUserToItsPage) {
  platform::StoreConnection store;
  store.Connect(store_->params());
  store.Execute("DROP TABLE ps_image_type");
  TypeExportFolder(out_);
  Press(page().StartButton());
  EXPECT_EQ(window().Pages()->currentIndex(), MainWindow::kStorePage);
  EXPECT_EQ(page().Log()->item(page().Log()->count() - 1)->text(), exporting::kEndOfExportLine);
  EXPECT_EQ(Now(), kIdle);
}

}  // namespace
}  // namespace quarvel::test
