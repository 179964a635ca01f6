#include "export/export_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/catalogue_connection_ops.h"
#include "core/store_connection_ops.h"
#include "export/export_parameters.h"
#include "export/selection_lists.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

using Id = OptionId;

const std::string kHeading = "--------------------- START PROCESS OF CREATING DATA  ------------------------";
const std::string kTradeCategoriesQuestion =
    "Stop creating data, since you do not have existing categories which could be linked by products ??? ";

// A Ui whose pump presses "STOP EXPORT" when it is reached for the given times, as a window's event
// processing would deliver the press.
class StoppingUi : public test::ScriptedUi {
 public:
  void Pump() override {
    ScriptedUi::Pump();
    if (runner != nullptr && std::find(stop_at.begin(), stop_at.end(), pumps) != stop_at.end())
      runner->StopExport();
  }
  ExportRunner* runner = nullptr;
  std::vector<long> stop_at;
};

// The log without its time stamps: a timed line keeps its stage text from "] " on.
std::vector<std::string> Stripped(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    size_t stage = line.find("] ");
    out.push_back(line.starts_with("[") && stage != std::string::npos ? line.substr(stage) : line);
  }
  return out;
}

// True when `wanted` appears in `lines` in this order (other lines may stand between).
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
  auto at = lines.begin();
  for (const std::string& w : wanted) {
    at = std::find(at, lines.end(), w);
    if (at == lines.end()) return false;
    ++at;
  }
  return true;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class ExportRunTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    test::StoreFixture::SetUp();
    if (IsSkipped()) return;
    test::UseEmptyOdbcConfiguration();
    session_.settings_file = folder_ / "Quarvel.ini";
    session_.refresh_selection_lists = RefreshSelectionLists;
    Options& o = session_.options;
    test::SetCatalogueOptions(o, catalogue_.settings());
    test::SetStoreOptions(o, params());
    std::filesystem::create_directory(folder_ / "out");
    o.SetText(Id::ExportData_Path_to_data, (folder_ / "out").string());

    runner_ = std::make_unique<ExportRunner>(session_);
    runner_->on_running_changed = [this](bool running) { running_changes_.push_back(running); };
    ui_.runner = runner_.get();
  }
  void Connect() {
    TestCatalogueConnection(session_, ui_);
    ASSERT_TRUE(session_.catalogue.IsOpen()) << session_.catalogue_state.status;
    TestStoreConnection(session_, ui_);
    ASSERT_TRUE(session_.store.IsOpen()) << session_.store_state.status;
  }
  std::vector<std::string> Log() const { return Stripped(runner_->LogLines()); }
  // The run ended through its end block and can be started again.
  void ExpectEnded() {
    ASSERT_FALSE(runner_->LogLines().empty());
    EXPECT_EQ(runner_->LogLines().back(), kEndOfExportLine);
    EXPECT_FALSE(runner_->IsRunning());
    EXPECT_FALSE(runner_->StopRequested());
    EXPECT_EQ(running_changes_, (std::vector<bool>{true, false}));
    EXPECT_FALSE(runner_->PictureCatalogue().IsOpen());
  }

  test::TempFolder folder_;
  test::CatalogueFixture catalogue_;
  Session session_;
  StoppingUi ui_;
  std::unique_ptr<ExportRunner> runner_;
  std::vector<bool> running_changes_;
};

TEST_F(ExportRunTest, PreconditionsStopBeforeAnythingChanges) {
  struct Case {
    std::string name;
    bool catalogue;
    bool store;
    std::string folder;  // relative to the test folder; "-" for none
    std::string message;
    std::vector<std::string> log;
  };
  // Each case starts with the log line of the one before: the log is emptied first.
  const Case cases[] = {
      {"no folder",
       true,
       true,
       "-",
       "Not specified a folder to export sql-scripts !!!",
       {"] Error : not specified a folder to export sql-scripts"}},
      {"no catalogue", false, true, "out", "Not connect to TecDoc !", {}},
      {"missing folder",
       true,
       true,
       "gone",
       "Not specified a folder to export sql-scripts !!!",
       {"] Error : not specified a folder to export sql-scripts"}},
      {"no store", true, false, "out", "Not connect to PrestaShop !", {}},
  };
  Connect();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.catalogue) session_.catalogue.Close();
    if (!c.store) session_.store.Close();
    session_.options.SetText(Id::ExportData_Path_to_data,
                             c.folder == "-" ? "" : (folder_ / c.folder).string());
    ui_.errors.clear();

    EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kNotStarted);
    EXPECT_EQ(ui_.errors, std::vector<std::string>{c.message});
    EXPECT_EQ(Log(), c.log);
    EXPECT_FALSE(runner_->IsRunning());
    EXPECT_TRUE(running_changes_.empty());
    EXPECT_FALSE(runner_->PictureCatalogue().IsOpen());
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "out"));
    if (!c.catalogue || !c.store) Connect();
  }
}

TEST_F(ExportRunTest, CleanRunLogsItsStagesInOrderAndEnds) {
  Connect();
  std::vector<std::string> shown;
  runner_->on_log_line = [&](const std::string& line) { shown.push_back(line); };
  // A press of "START EXPORT" while the run is in progress is ignored.
  ExportResult nested = ExportResult::kCompleted;
  runner_->on_running_changed = [&](bool running) {
    running_changes_.push_back(running);
    if (running) nested = runner_->StartExport(ui_);
  };

  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_EQ(nested, ExportResult::kIgnored);
  EXPECT_TRUE(ui_.errors.empty()) << ui_.errors.front();
  EXPECT_TRUE(ui_.questions.empty());
  ExpectEnded();
  EXPECT_EQ(shown, runner_->LogLines());

  std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "] Loading of parameters for export  ... wait");
  EXPECT_EQ(log[1], "] Loading tables in memory  ... wait");
  EXPECT_EQ(log[2], std::string(67, '-'));
  EXPECT_TRUE(InOrder(log, {"] Create table of trade groups  ... wait", "] Create table of cars  ... wait",
                            "] Create table of parts  ... wait", "] Start sorting table of parts  ... wait",
                            "] Updating categories  ... wait", "] Create table of manufacturers  ... wait",
                            "] Create table of criteries  ... wait", std::string(67, '-'), "   ", kHeading,
                            kEndOfExportLine}))
      << Joined(log);
  // A timed line is "[" + date and time + the stage text.
  EXPECT_TRUE(runner_->LogLines()[0].starts_with("[")) << runner_->LogLines()[0];
  EXPECT_GT(runner_->LogLines()[0].find("] "), 10u) << runner_->LogLines()[0];

  runner_->OpenExportLog(ui_);
  ASSERT_EQ(ui_.opened_files.size(), 1u);
  EXPECT_EQ(ui_.opened_files[0], (folder_ / kExportLogFileName).string());
  std::string file = test::ReadFileBytes(folder_ / kExportLogFileName);
  EXPECT_TRUE(file.starts_with("\xEF\xBB\xBF" + runner_->LogLines()[0] + "\r\n")) << file;
  EXPECT_TRUE(file.ends_with("\r\n" + std::string(kEndOfExportLine) + "\r\n"));
}

TEST_F(ExportRunTest, SelectedTablesSkipTheStagesTheyDoNotNeed) {
  Connect();
  session_.options.SetBoolean(Id::ExportData_ExportAllData, false);
  session_.options.SetBoolean(Id::ExportData_Only_tables_of_products, false);
  session_.options.SetBoolean(Id::ExportData_Only_tables_of_categories, true);
  session_.options.SetBoolean(Id::ExportData_Only_images_and_logos, false);

  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  std::vector<std::string> log = Log();
  EXPECT_TRUE(
      InOrder(log, {"] Create table of trade groups  ... wait", "] Create table of cars  ... wait",
                    "] Create table of manufacturers  ... wait", "] Create table of criteries  ... wait"}))
      << Joined(log);
  for (const char* skipped : {"] Create table of parts  ... wait", "] Start sorting table of parts  ... wait",
                              "] Updating categories  ... wait"})
    EXPECT_EQ(std::count(log.begin(), log.end(), skipped), 0) << skipped;
}

TEST_F(ExportRunTest, StopAnsweredNoGoesOnAndYesEndsTheRun) {
  Connect();
  // No: the run goes on, and a second press asks again.
  ui_.pumps = 0;
  ui_.stop_at = {4, 8};
  ui_.answers = {false, false};
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_EQ(ui_.questions, (std::vector<std::string>{kStopExportQuestion, kStopExportQuestion}));
  EXPECT_TRUE(ui_.errors.empty());
  ExpectEnded();

  // Yes: the run ends with its stop shown, and the end line is still the last.
  running_changes_.clear();
  ui_.questions.clear();
  ui_.pumps = 0;
  ui_.stop_at = {4};
  ui_.answers = {true};
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kStopped);
  EXPECT_EQ(ui_.questions, std::vector<std::string>{kStopExportQuestion});
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"StopExportData"});
  ExpectEnded();
  std::vector<std::string> stopped_log = Log();
  EXPECT_EQ(std::count(stopped_log.begin(), stopped_log.end(), kHeading), 0);

  // And it can be started again.
  running_changes_.clear();
  ui_.errors.clear();
  ui_.stop_at.clear();
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_TRUE(ui_.errors.empty());
  ExpectEnded();

  // A stop pressed while no run is in progress is not kept for the next one.
  runner_->StopExport();
  EXPECT_FALSE(runner_->StopRequested());
}

TEST_F(ExportRunTest, PictureCatalogueIsOpenWhileRunningAndItsFailureIsNoError) {
  Connect();
  std::vector<bool> open_while_running;
  runner_->on_running_changed = [&](bool running) {
    running_changes_.push_back(running);
    if (running) open_while_running.push_back(runner_->PictureCatalogue().IsOpen());
  };
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  ExpectEnded();

  // A driver that cannot be loaded now: the catalogue stays connected, the pictures cannot be read.
  running_changes_.clear();
  session_.options.SetText(Id::ConToTD_Driver, "/nowhere/libnothing.so");
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_TRUE(ui_.errors.empty());
  ExpectEnded();
  EXPECT_EQ(open_while_running, (std::vector<bool>{true, false}));
}

// Pictures out of the catalogue through the run's second connection, ahead of the link tables;
// each finished converter script is started by the runner's own services.
TEST_F(ExportRunTest, PictureStageRunsBeforeTheLinkTablesAndStartsItsScripts) {
  Connect();
  Options& o = session_.options;
  for (const char* folder : {"images", "temp"}) std::filesystem::create_directory(folder_ / folder);
  test::WriteFileBytes(folder_ / "convert", "");
  o.SetText(Id::ExportData_Path_to_images, (folder_ / "images").string());
  o.SetBoolean(Id::PreparationData_Images_from_tecdoc, true);
  o.SetText(Id::PreparationData_Img_path_to_temp_images, (folder_ / "temp").string());
  o.SetText(Id::PreparationData_Img_path_to_irfanviewe, (folder_ / "convert").string());
  o.SetBoolean(Id::PreparationData_SchemeObtainLinkToImageFromPrestashop, true);
  std::vector<std::string> started;
  runner_->Pictures().start_script = [&](const std::filesystem::path& script) {
    started.push_back(std::filesystem::relative(script, folder_ / "images").generic_string());
  };

  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_TRUE(ui_.errors.empty());
  ExpectEnded();
  EXPECT_TRUE(
      InOrder(Log(), {"] Data files of products is OK", "] Data files of images ...", "... table [image] ",
                      "] Data files of images is OK", "] Data files of links PrestaShop to TecDoc"}))
      << Joined(Log());
  // Article 9's two pictures came out of the catalogue; the brand logo too.
  EXPECT_TRUE(std::filesystem::exists(folder_ / "temp" / "9" / "9.PNG"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "temp" / "9" / "9.1.PNG"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "temp" / "9.jpg"));
  EXPECT_EQ(started, (std::vector<std::string>{"p/convertimage.1.sh", "m/convertimage.sh"}));
  EXPECT_NE(test::ReadFileBytes(folder_ / "out" / "image.1.sql").find("VALUES (1,"), std::string::npos);
}

TEST_F(ExportRunTest, AdditionalLanguagesMatchTheStoreByIsoCode) {
  Connect();
  // The store has en (main, 1) and de (2); the catalogue de (1), en (4) and ru (16).
  struct Case {
    std::string list;
    std::vector<ExportLanguage> expected;
  };
  const Case cases[] = {
      {"[de]<#de>1</#de>[ru]<#ru>16</#ru>", {{2, 1, "de"}}},
      {"[ru]<#ru>16</#ru>", {}},
      // The main language is never an additional one.
      {"[en]<#en>4</#en>", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<ExportLanguage> got = MatchExportLanguages(c.list, session_.store, "ps_", 1);
    ASSERT_EQ(got.size(), c.expected.size()) << c.list;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].store_lang_id, c.expected[i].store_lang_id);
      EXPECT_EQ(got[i].catalogue_lang_id, c.expected[i].catalogue_lang_id);
      EXPECT_EQ(got[i].iso, c.expected[i].iso);
    }
  }

  // A run with only unmatched languages checked goes on in the main language.
  session_.options.SetBoolean(Id::ExportData_AddAdditionalLanguages, true);
  for (CheckListEntry& e : session_.lists.additional_languages.entries) e.checked = e.id == "16";
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_TRUE(ui_.errors.empty());
  ExpectEnded();
}

TEST_F(ExportRunTest, LanguageMatchingErrorEndsTheRunBetweenAsteriskLines) {
  Connect();
  session_.options.SetBoolean(Id::ExportData_AddAdditionalLanguages, true);
  for (CheckListEntry& e : session_.lists.additional_languages.entries) e.checked = e.id == "1";
  ASSERT_FALSE(AdditionalLanguageList(session_.lists.additional_languages).empty());
  store().Execute("DROP TABLE ps_lang");

  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kFailed);
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"StopExportData as was error !!!"});
  std::vector<std::string> log = Log();
  ASSERT_EQ(log.size(), 4u) << Joined(log);
  EXPECT_EQ(log[0], std::string(72, '*'));
  EXPECT_TRUE(log[1].starts_with("MySQL error 1146 : ")) << log[1];
  EXPECT_EQ(log[2], std::string(72, '*'));
  ExpectEnded();

  // In "Addition to the existing data" mode additional languages do not apply.
  running_changes_.clear();
  ui_.errors.clear();
  session_.options.SetBoolean(Id::ExportData_ExportOnCleanSystem, false);
  ui_.answers = {true};  // ends the run at the trade-category question
  runner_->StartExport(ui_);
  EXPECT_EQ(Log()[0], "] Loading of parameters for export  ... wait");
}

TEST_F(ExportRunTest, AdditionWithoutTradeCategoriesAsksWhetherToStop) {
  Connect();
  session_.options.SetBoolean(Id::ExportData_ExportOnCleanSystem, false);

  // No: the run goes on with nothing to link.
  ui_.answers = {false};
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_EQ(ui_.questions, std::vector<std::string>{kTradeCategoriesQuestion});
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_TRUE(InOrder(Log(), {"] Create table of trade groups  ... wait", kHeading, kEndOfExportLine}));
  ExpectEnded();

  // Yes: the run ends before reading the catalogue.
  running_changes_.clear();
  ui_.questions.clear();
  ui_.answers = {true};
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kStopped);
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"StopExportData"});
  std::vector<std::string> stopped_log = Log();
  EXPECT_EQ(std::count(stopped_log.begin(), stopped_log.end(), "] Create table of trade groups  ... wait"),
            0);
  ExpectEnded();

  // With a trade category pair under category 4 nothing is asked.
  running_changes_.clear();
  ui_.questions.clear();
  ui_.errors.clear();
  store().ExecuteMulti(
      "INSERT INTO ps_category (id_category, id_parent, active, date_add, date_upd) VALUES "
      "(4, 2, 1, NOW(), NOW()), (5, 4, 1, NOW(), NOW()), (6, 5, 1, NOW(), NOW());"
      "INSERT INTO ps_category_lang (id_category, id_shop, id_lang, name, link_rewrite) VALUES "
      "(5, 1, 1, 'Brakes', 'brakes'), (6, 1, 1, 'Brake Pad', 'brake-pad')");
  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kCompleted);
  EXPECT_TRUE(ui_.questions.empty());
  EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(ExportRunTest, UnreadableImageTypesSendTheUserToTheStorePage) {
  Connect();
  int store_pages = 0;
  runner_->show_store_page = [&] { ++store_pages; };
  store().Execute("DROP TABLE ps_image_type");
  session_.store_log.clear();

  EXPECT_EQ(runner_->StartExport(ui_), ExportResult::kFailed);
  EXPECT_EQ(store_pages, 1);
  // The store was tested again: its log is written anew.
  EXPECT_FALSE(session_.store_log.empty());
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_EQ(Log(), (std::vector<std::string>{"] Loading of parameters for export  ... wait",
                                             "] Loading tables in memory  ... wait", std::string(67, '-'),
                                             kEndOfExportLine}));
  ExpectEnded();
}

}  // namespace
}  // namespace quarvel::exporting
