#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "app/preparation_page.h"
#include "tests/app/program_fixture.h"

namespace quarvel::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

class MainWindowTest : public ProgramTest {
 protected:
  void Open(const char* command) {
    QPushButton* button = window().Command(command);
    ASSERT_NE(button, nullptr) << command;
    QTest::mouseClick(button, Qt::LeftButton);
    // The page lays out its controls once shown; a click needs them at their places.
    QCoreApplication::processEvents();
  }
  // Check boxes and radio buttons spread over their row react only on their indicator and text.
  static void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  void Retype(OptionId id, const QString& text) {
    QLineEdit* edit = Control<QLineEdit>(id);
    edit->clear();
    QTest::keyClicks(edit, text);
  }
};

constexpr char kSettings[] =
    "[ConToPresta]\r\nServer=old-host\r\nMystery=42\r\n"
    "[WorkWithStore]\r\nFTP_checkEvery=7\r\n"
    "[Custom]\r\nFoo=bar\r\n";

TEST_F(MainWindowTest, ClosingWritesWhatTheControlsHoldAndKeepsUnknownKeys) {
  Start(kSettings);
  window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));

  Open("Setting connect to PrestaShop");
  Retype(OptionId::ConToPresta_Server, "new-host");
  Retype(OptionId::ConToPresta_Port, "33o6");  // stored as typed

  Open("Preparation of data for export");
  Click(Control<QCheckBox>(OptionId::PreparationData_Cat_trans_manuf));

  Open("Export data");
  auto* clean_or_add = Control<ChoiceGroup>(OptionId::ExportData_ExportOnCleanSystem);
  ASSERT_EQ(clean_or_add->Button(0)->text(), "Clean store");
  ASSERT_TRUE(clean_or_add->Button(0)->isChecked());  // the default 1 selects the first choice
  Click(clean_or_add->Button(1));

  Open("Working with store");
  Retype(OptionId::WorkWithStore_ValueForInc, "every");  // not a number: the key's default

  QListWidget* tables = program().cleaning_list().List();
  ASSERT_EQ(tables->count(), 31);
  tables->item(2)->setCheckState(Qt::Checked);

  EXPECT_TRUE(window().close());
  EXPECT_FALSE(window().isVisible());

  std::string text = SettingsText();
  EXPECT_THAT(text, HasSubstr("Server=new-host\r\n"));
  EXPECT_THAT(text, HasSubstr("Port=33o6\r\n"));
  EXPECT_THAT(text, HasSubstr("Cat_trans_manuf=0\r\n"));
  EXPECT_THAT(text, HasSubstr("Cat_trans_model=1\r\n"));
  EXPECT_THAT(text, HasSubstr("ExportOnCleanSystem=0\r\n"));
  EXPECT_THAT(text, HasSubstr("ValueForInc=1\r\n"));
  EXPECT_THAT(text, HasSubstr("ListOfTablesForCleaning=[2]\r\n"));
  // No period was selected for the stored 7, so it stays.
  EXPECT_THAT(text, HasSubstr("FTP_checkEvery=7\r\n"));
  EXPECT_THAT(text, HasSubstr("Mystery=42\r\n"));
  EXPECT_THAT(text, HasSubstr("[Custom]\r\nFoo=bar\r\n"));
}

TEST_F(MainWindowTest, ClosingIsRefusedWhileTheFtpCheckRuns) {
  Start(kSettings);
  window().show();
  std::string before = SettingsText();
  program().session().ftp_check_running = true;
  Retype(OptionId::ConToPresta_Server, "new-host");

  EXPECT_FALSE(window().close());

  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(SettingsText(), before);
  EXPECT_THAT(ui_.informed, Contains("Fisrt need stop process check ftp servers !"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "List_FTP-Servers.ini"));
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenAsksBeforeClosing) {
  Start(kSettings);
  window().show();
  // A folder where the file should be: the save fails.
  std::filesystem::remove(SettingsFile());
  std::filesystem::create_directory(SettingsFile());

  ui_.answers = {false};
  EXPECT_FALSE(window().close());
  EXPECT_TRUE(window().isVisible());
  ASSERT_EQ(ui_.questions.size(), 1u);
  EXPECT_THAT(ui_.questions[0], HasSubstr("The settings could not be saved"));

  ui_.answers = {true};
  EXPECT_TRUE(window().close());
}

TEST_F(MainWindowTest, CommandsSwitchPagesAndOpenTheirWindows) {
  Start();
  window().show();
  const std::pair<const char*, MainWindow::Page> pages[] = {
      {"Working with store", MainWindow::kStoreToolsPage},
      {"Setting connect to TecDoc", MainWindow::kCataloguePage},
      {"Setting connect to PrestaShop", MainWindow::kStorePage},
      {"Preparation of data for export", MainWindow::kPreparationPage},
      {"Export data", MainWindow::kExportPage},
      {"Upload data into the store", MainWindow::kUploadPage},
  };
  for (const auto& [caption, page] : pages) {
    Open(caption);
    EXPECT_EQ(window().Pages()->currentIndex(), page) << caption;
  }

  EXPECT_FALSE(program().cleaning_list().isVisible());
  Open("Tables");
  EXPECT_TRUE(program().cleaning_list().isVisible());
  EXPECT_EQ(window().Pages()->currentIndex(), MainWindow::kUploadPage);

  Open("SETTING");
  EXPECT_THAT(ui_.opened_urls, Contains(std::string(kStoreSettingsHelpUrl)));
}

TEST_F(MainWindowTest, ClickingAStatusTextShowsItWhole) {
  Start();
  window().show();
  const QString long_text =
      "Setting for TecDoc : Error connecting to TecDoc [OdbcError : " + QString(400, 'x') + "]";
  window().Status()->SetCatalogueStatus(long_text);
  StatusText* text = window().Status()->CatalogueText();
  ASSERT_NE(text->text(), long_text);  // too long for the bar: shown cut

  QTest::mouseClick(text, Qt::LeftButton);
  ASSERT_EQ(ui_.informed.size(), 1u);
  EXPECT_EQ(ui_.informed[0], long_text.toStdString());

  // An empty status has nothing to show.
  QTest::mouseClick(window().Status()->StoreText(), Qt::LeftButton);
  EXPECT_EQ(ui_.informed.size(), 1u);
}

TEST_F(MainWindowTest, ImageSourceDecidesWhichPathBoxesShow) {
  Start("[PreparationData]\r\nImages_from_tecdoc=0\r\n");
  QWidget* page = window().PageWidget(MainWindow::kPreparationPage);
  QWidget* temp = program().binder().WidgetOf(OptionId::PreparationData_Img_path_to_temp_images);
  QWidget* images = program().binder().WidgetOf(OptionId::PreparationData_Img_path_to_images);
  QWidget* logos = program().binder().WidgetOf(OptionId::PreparationData_Img_path_to_logos);
  auto shown = [&] {
    return std::tuple(temp->isVisibleTo(page), images->isVisibleTo(page), logos->isVisibleTo(page));
  };

  EXPECT_EQ(shown(), std::tuple(false, true, true));  // as loaded: local pictures
  auto* source = Control<ChoiceGroup>(OptionId::PreparationData_Images_from_tecdoc);
  Click(source->Button(0));
  EXPECT_EQ(shown(), std::tuple(true, false, false));
  Click(source->Button(1));
  EXPECT_EQ(shown(), std::tuple(false, true, true));
}

TEST_F(MainWindowTest, CheckingAnAdditionalLanguageSavesAtOnceAndNamesItInTheOption) {
  Start("[ConToTD]\r\nListAdditionalLanguages=[1]\r\n");
  CheckList& languages = program().session().lists.additional_languages;
  languages.entries = {{"English > iso:[en]", "4", false}, {"German > iso:[de]", "1", true}};
  program().binder().Load(program().session());
  // Filling the list is not a user's check: nothing is saved yet.
  EXPECT_THAT(SettingsText(), HasSubstr("ListAdditionalLanguages=[1]"));

  auto* list = Control<QListWidget>(OptionId::ConToTD_ListAdditionalLanguages);
  list->item(0)->setCheckState(Qt::Checked);

  EXPECT_THAT(SettingsText(), HasSubstr("ListAdditionalLanguages=[4][1]\r\n"));
  EXPECT_EQ(Control<QCheckBox>(OptionId::ExportData_AddAdditionalLanguages)->text(),
            "Exporting data for additional languages : en de ");
}

TEST_F(MainWindowTest, ConnectionHooksRunAfterLoadingAndBeforeClosing) {
  WriteFileBytes(SettingsFile(), "[ConToTD]\r\nLang=16\r\n");
  int lang_seen = 0;
  bool disconnected = false;
  StartupHooks hooks;
  hooks.connect_databases = [&](Session& session, MainWindow&, Ui&) {
    lang_seen = session.options.Integer(OptionId::ConToTD_Lang);
    session.store_state = {true, "Setting for PrestaShop : ID_shop = 1 [Shop] | "};
  };
  hooks.disconnect = [&](Session&) { disconnected = true; };
  program_ = std::make_unique<Program>(SettingsFile(), &ui_, hooks);

  EXPECT_EQ(lang_seen, 16);
  EXPECT_TRUE(window().Status()->StoreConnected());
  EXPECT_FALSE(window().Status()->CatalogueConnected());
  EXPECT_EQ(window().Status()->StoreText()->FullText(), "Setting for PrestaShop : ID_shop = 1 [Shop] | ");

  window().show();
  EXPECT_TRUE(window().close());
  EXPECT_TRUE(disconnected);
}

}  // namespace
}  // namespace quarvel::test
