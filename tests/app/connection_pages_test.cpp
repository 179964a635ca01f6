#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/catalogue_page.h"
#include "app/export_page.h"
#include "app/program.h"
#include "app/store_page.h"
#include "core/ini_file.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/mariadb_test_server.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel::test {
namespace {

using ::testing::Contains;
using ::testing::StartsWith;

std::vector<std::string> Rows(const QListWidget* list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text().toStdString());
  return rows;
}

std::vector<bool> Checks(const QListWidget* list) {
  std::vector<bool> checks;
  for (int i = 0; i < list->count(); ++i) checks.push_back(list->item(i)->checkState() == Qt::Checked);
  return checks;
}

// The real program with its own start-up hooks, on a settings file pointing at the SQLite catalogue
// fixture and a fresh store database of the MariaDB test server.
class ConnectionPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MariadbServerPort()) GTEST_SKIP() << NoMariadbServerMessage();
    UseEmptyOdbcConfiguration();
    store_ = std::make_unique<FreshStoreDatabase>();
  }

  std::string Settings(const std::string& driver, const std::string& extra = {}) const {
    platform::StoreConnectionParams p = store_->params();
    return "[ConToTD]\r\nDriver=" + driver + "\r\nDatabase=" + catalogue_.settings().database +
           "\r\nListAdditionalLanguages=[16]\r\n"
           "[ConToPresta]\r\nServer=" +
           p.host + "\r\nPort=" + std::to_string(p.port) + "\r\nDatabase=" + p.database +
           "\r\nPrefix=ps_\r\nUser=" + p.user + "\r\nPass=" + p.password + "\r\n" + extra;
  }
  void Start(const std::string& settings) {
    WriteFileBytes(folder_ / "Quarvel.ini", settings);
    program_ = std::make_unique<Program>(folder_ / "Quarvel.ini", &ui_, DatabaseHooks());
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
  }
  void StartConnected() { Start(Settings(catalogue_.settings().driver)); }

  MainWindow& window() { return program_->main_window(); }
  Session& session() { return program_->session(); }
  CataloguePage& catalogue_page() { return *window().Catalogue(); }
  StorePage& store_page() { return *window().Store(); }
  ExportPage& export_page() { return *window().Export(); }
  void Open(MainWindow::Page page) {
    window().Pages()->setCurrentIndex(page);
    QCoreApplication::processEvents();
  }
  // Radio buttons and check boxes spread over their row react only on their indicator and text.
  static void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  void Retype(OptionId id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(program_->binder().WidgetOf(id));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  // Opens a choice box and takes the entry with this text, as a user's click would.
  static void ChooseEntry(QComboBox* box, const QString& text) {
    box->showPopup();
    int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->hidePopup();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  CatalogueFixture catalogue_;
  std::unique_ptr<FreshStoreDatabase> store_;
  TempFolder folder_;
  ScriptedUi ui_;
  std::unique_ptr<Program> program_;
};

TEST_F(ConnectionPagesTest, StartUpConnectsBothAndFillsWhatDependsOnThem) {
  StartConnected();
  ConnectionStatusBar* status = window().Status();
  EXPECT_TRUE(status->CatalogueConnected());
  EXPECT_TRUE(status->StoreConnected());
  EXPECT_EQ(status->CatalogueText()->FullText(),
            "Setting for TecDoc : Language export [English] | Region export [France]");
  EXPECT_THAT(status->StoreText()->FullText().toStdString(),
              StartsWith("Setting for PrestaShop : ID_shop = 1 ["));
  EXPECT_TRUE(status->StoreText()->FullText().endsWith("] | IMG_type = jpg"));
  EXPECT_TRUE(ui_.errors.empty()) << ui_.errors.front();

  // Each box shows one name until it is opened.
  EXPECT_EQ(catalogue_page().LanguageBox()->count(), 1);
  EXPECT_EQ(catalogue_page().LanguageBox()->currentText(), "English");
  EXPECT_EQ(catalogue_page().RegionBox()->currentText(), "France");

  // The additional languages with the saved check, named in the export option's caption.
  QListWidget* languages = catalogue_page().AdditionalLanguages();
  ASSERT_EQ(languages->count(), 3);
  EXPECT_THAT(Rows(languages), Contains("Russian > iso:[ru]"));
  for (int i = 0; i < languages->count(); ++i)
    EXPECT_EQ(languages->item(i)->checkState() == Qt::Checked, languages->item(i)->text().endsWith("[ru]"));
  auto* option =
      qobject_cast<QCheckBox*>(program_->binder().WidgetOf(OptionId::ExportData_AddAdditionalLanguages));
  EXPECT_EQ(option->text(), "Exporting data for additional languages : ru ");

  // The four selection lists show what the session holds.
  const std::pair<ExportPage::Selection, CheckList SettingsLists::*> lists[] = {
      {ExportPage::kCars, &SettingsLists::cars},
      {ExportPage::kPartBrands, &SettingsLists::part_brands},
      {ExportPage::kTradeGroups, &SettingsLists::trade_groups},
      {ExportPage::kPartGroups, &SettingsLists::part_groups},
  };
  for (const auto& [which, list] : lists) {
    const CheckList& entries = session().lists.*list;
    ASSERT_FALSE(entries.entries.empty()) << which;
    std::vector<std::string> texts;
    for (const CheckListEntry& e : entries.entries) texts.push_back(e.text);
    EXPECT_EQ(Rows(export_page().List(which)), texts) << which;
  }

  // The structure test writes the log panel again.
  Open(MainWindow::kStorePage);
  QListWidget* log = store_page().Log();
  EXPECT_GT(log->count(), 0);  // from the start-up test
  session().store_log.clear();
  window().ShowConnectionStates();
  ASSERT_EQ(log->count(), 0);
  QTest::mouseClick(store_page().StructureButton(), Qt::LeftButton);
  std::vector<std::string> rows = Rows(log);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(), "CHECKING AVAILABILITY OF TABLES");
  EXPECT_THAT(rows, Contains("Table [ps_category] is Ok. 2 rows."));
  EXPECT_THAT(rows, Contains("IMG_type = jpg"));
  EXPECT_TRUE(window().Status()->StoreConnected());

  QTest::mouseClick(store_page().OpenLogButton(), Qt::LeftButton);
  EXPECT_THAT(ui_.opened_files, Contains((folder_ / "Log_ConnectToPrestaShop.txt").string()));
}

TEST_F(ConnectionPagesTest, ChoosingALanguageRenamesEverythingAndIsSaved) {
  StartConnected();
  Open(MainWindow::kCataloguePage);
  PopupComboBox* box = catalogue_page().LanguageBox();

  box->showPopup();
  EXPECT_EQ(box->count(), 3);  // opened: every catalogue language, named in the current one
  EXPECT_EQ(box->currentText(), "English");
  box->hidePopup();

  ChooseEntry(box, "German");
  EXPECT_EQ(session().CatalogueLanguageId(), 1);
  EXPECT_EQ(box->count(), 1);
  EXPECT_EQ(box->currentText(), "Deutsch");
  EXPECT_EQ(catalogue_page().RegionBox()->currentText(), "Frankreich");
  EXPECT_EQ(window().Status()->CatalogueText()->FullText(),
            "Setting for TecDoc : Language export [Deutsch] | Region export [Frankreich]");
  EXPECT_THAT(Rows(export_page().List(ExportPage::kTradeGroups)), Contains("[Filter] Ölfilter"));
  EXPECT_TRUE(window().Status()->CatalogueConnected());

  // The region box lists the country groups first.
  QComboBox* regions = catalogue_page().RegionBox();
  regions->showPopup();
  EXPECT_EQ(regions->itemText(0).left(18), "[GroupCounties] : ");
  EXPECT_EQ(regions->currentText(), "[Countries] : Frankreich");
  regions->hidePopup();

  QTest::mouseClick(catalogue_page().SaveButton(), Qt::LeftButton);
  EXPECT_EQ(IniFile::Load(folder_ / "Quarvel.ini").Get("ConToTD", "Lang"), "1");
}

TEST_F(ConnectionPagesTest, CarListFollowsItsModeAtOnceAndKeepsEachModesChecks) {
  StartConnected();
  Open(MainWindow::kExportPage);
  export_page().Tabs()->setCurrentIndex(1);
  QCoreApplication::processEvents();
  QListWidget* cars = export_page().List(ExportPage::kCars);
  ASSERT_GT(cars->count(), 1);
  const std::vector<std::string> brands = Rows(cars);
  cars->item(1)->setCheckState(Qt::Checked);  // a user's check

  auto* mode =
      qobject_cast<ChoiceGroup*>(program_->binder().WidgetOf(OptionId::ExportData_ForCars_groupsByBrands));
  Click(mode->Button(1));  // "Groups by model of cars"
  ASSERT_GT(cars->count(), 0);
  for (const std::string& row : Rows(cars)) EXPECT_THAT(row, StartsWith("["));
  EXPECT_EQ(session().lists.car_list_mode, 2);
  EXPECT_THAT(Checks(cars), ::testing::Each(false));
  const int models = cars->count();

  // The year option refills at once too: of the fixture's three models one ended before 2014.
  qobject_cast<QLineEdit*>(program_->binder().WidgetOf(OptionId::ExportData_From_Year_for_models))
      ->setText("2014");
  auto* year =
      qobject_cast<QCheckBox*>(program_->binder().WidgetOf(OptionId::ExportData_Models_Only_from_year));
  year->click();
  EXPECT_EQ(cars->count(), models - 1);
  year->click();
  ASSERT_EQ(cars->count(), models);
  cars->item(0)->setCheckState(Qt::Checked);

  Click(mode->Button(0));
  EXPECT_EQ(Rows(cars), brands);
  std::vector<bool> expected(brands.size(), false);
  expected[1] = true;
  EXPECT_EQ(Checks(cars), expected);
  IniFile file = IniFile::Load(folder_ / "Quarvel.ini");
  EXPECT_EQ(file.Get("ExportData", "CheckListCars_GroupsByBrand"),
            "[" + session().lists.cars.entries[1].id + "]");
  EXPECT_NE(file.Get("ExportData", "CheckListCars_GroupsByModel").value_or(""), "");

  // "Check / uncheck all" inverts the selected entry's check for all; "Update list" keeps the checks.
  cars->setCurrentRow(1);
  QTest::mouseClick(export_page().ToggleButton(ExportPage::kCars), Qt::LeftButton);
  EXPECT_THAT(Checks(cars), ::testing::Each(false));
  QTest::mouseClick(export_page().ToggleButton(ExportPage::kCars), Qt::LeftButton);
  EXPECT_THAT(Checks(cars), ::testing::Each(true));
  QTest::mouseClick(export_page().UpdateButton(ExportPage::kCars), Qt::LeftButton);
  EXPECT_THAT(Checks(cars), ::testing::Each(true));
  EXPECT_TRUE(ui_.informed.empty());
}

TEST_F(ConnectionPagesTest, FailuresTurnTheIndicatorsRedAndSayWhy) {
  Start(Settings(""));
  EXPECT_FALSE(window().Status()->CatalogueConnected());
  EXPECT_THAT(window().Status()->CatalogueText()->FullText().toStdString(),
              StartsWith("Setting for TecDoc : Error connecting to TecDoc ["));
  EXPECT_TRUE(window().Status()->StoreConnected());
  auto* driver = qobject_cast<QLineEdit*>(program_->binder().WidgetOf(OptionId::ConToTD_Driver));
  EXPECT_EQ(driver->text(), "");
  EXPECT_EQ(export_page().List(ExportPage::kPartBrands)->count(), 0);
  EXPECT_EQ(catalogue_page().LanguageBox()->currentText(), "4");  // no name without a catalogue

  QTest::mouseClick(export_page().UpdateButton(ExportPage::kPartBrands), Qt::LeftButton);
  EXPECT_THAT(ui_.informed, Contains("Not connect to TecDoc !"));

  // Typed in afterwards, the catalogue connects from the page.
  Open(MainWindow::kCataloguePage);
  Retype(OptionId::ConToTD_Driver, QString::fromStdString(catalogue_.settings().driver));
  QTest::mouseClick(catalogue_page().TestButton(), Qt::LeftButton);
  EXPECT_TRUE(window().Status()->CatalogueConnected())
      << window().Status()->CatalogueText()->FullText().toStdString();
  EXPECT_GT(export_page().List(ExportPage::kPartBrands)->count(), 0);

  // A port that is no number is corrected in its box; a prefix with a typing error leaves the
  // error blocks in the log, one row per part, and the store disconnected.
  Open(MainWindow::kStorePage);
  Retype(OptionId::ConToPresta_Port, "33o6");
  Retype(OptionId::ConToPresta_Server, "127.0.0.1");
  QTest::mouseClick(store_page().TestButton(), Qt::LeftButton);
  auto* port = qobject_cast<QLineEdit*>(program_->binder().WidgetOf(OptionId::ConToPresta_Port));
  EXPECT_EQ(port->text(), "3306");
  EXPECT_FALSE(window().Status()->StoreConnected());
  EXPECT_THAT(window().Status()->StoreText()->FullText().toStdString(),
              StartsWith("Setting for PrestaShop : Error connecting to PrestaShop ["));

  Retype(OptionId::ConToPresta_Port, QString::number(store_->params().port));
  Retype(OptionId::ConToPresta_Prefix, "pz_");
  QTest::mouseClick(store_page().TestButton(), Qt::LeftButton);
  EXPECT_FALSE(window().Status()->StoreConnected());
  std::vector<std::string> rows = Rows(store_page().Log());
  EXPECT_THAT(rows, Contains(std::string(24, '-')));
  for (const std::string& row : rows) EXPECT_EQ(row.find('\r'), std::string::npos);
  EXPECT_EQ(window().Status()->StoreText()->FullText(),
            "Setting for PrestaShop : errors that should be corrected are specified in log-file (on page "
            "\"Setting connect to PrestaShop\")");
  EXPECT_TRUE(ui_.errors.empty()) << ui_.errors.front();

  QTest::mouseClick(catalogue_page().HelpButton(), Qt::LeftButton);
  EXPECT_THAT(ui_.informed.back(), StartsWith("If the file of data source \"tof.dsn\" is not found :"));
}

}  // namespace
}  // namespace quarvel::test
