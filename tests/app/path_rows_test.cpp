#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "app/path_row.h"
#include "export/export_help.h"
#include "tests/app/program_fixture.h"

namespace quarvel::test {
namespace {

using ::testing::ElementsAre;

// The picker and help link beside a key's box.
PathRow* RowOf(Program& program, OptionId id) {
  QWidget* edit = program.binder().WidgetOf(id);
  return edit ? qobject_cast<PathRow*>(edit->parentWidget()) : nullptr;
}

// Records each dialog call and answers it with the next text given.
struct DialogCall {
  bool folder;
  QString title;
  QString start;
};

class PathRowsTest : public ProgramTest {
 protected:
  void SetUp() override {
    Start();
    PathDialogs& dialogs = window().Dialogs();
    dialogs.choose_folder = [this](QWidget*, const QString& title, const QString& start) {
      calls_.push_back({true, title, start});
      return answer_;
    };
    dialogs.choose_file = [this](QWidget*, const QString& title, const QString& start) {
      calls_.push_back({false, title, start});
      return answer_;
    };
  }

  std::vector<DialogCall> calls_;
  QString answer_;
};

TEST_F(PathRowsTest, PickersReplaceTheBoxTextAndCancelKeepsIt) {
  const struct {
    OptionId id;
    bool folder;
  } boxes[] = {
      {OptionId::ExportData_Path_to_data, true},
      {OptionId::ExportData_Path_to_images, true},
      {OptionId::ExportData_Path_to_data_with_artid, false},
      {OptionId::ExportData_Path_to_data_with_typid, false},
      {OptionId::PreparationData_Img_path_to_irfanviewe, false},
      {OptionId::PreparationData_Img_path_to_images, true},
      {OptionId::PreparationData_Img_path_to_logos, true},
      {OptionId::PreparationData_Img_path_to_temp_images, true},
  };
  const std::filesystem::path existing = folder_ / "existing";
  std::filesystem::create_directory(existing);
  for (const auto& box : boxes) {
    SCOPED_TRACE(SpecOf(box.id).key);
    PathRow* row = RowOf(program(), box.id);
    ASSERT_NE(row, nullptr);
    row->Edit()->setText(QString::fromStdString(existing.string()));
    calls_.clear();

    answer_ = QStringLiteral("/chosen/path");
    row->PickerButton()->click();
    EXPECT_EQ(row->Edit()->text(), "/chosen/path");
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].folder, box.folder);
    EXPECT_EQ(calls_[0].title, box.folder ? QString::fromUtf8(exporting::kChooseDirectoryTitle) : QString());

    answer_.clear();  // cancelled
    row->PickerButton()->click();
    EXPECT_EQ(row->Edit()->text(), "/chosen/path");
    EXPECT_EQ(calls_.size(), 2u);

    // The chosen path goes into the session with the next command, and from there into the file.
    program().binder().Store(program().session());
    EXPECT_EQ(program().session().options.Text(box.id), "/chosen/path");
  }
}

TEST_F(PathRowsTest, PickersOpenWhereTheBoxPoints) {
  std::filesystem::create_directory(folder_ / "out");
  const std::string file = (folder_ / "out" / "artid.txt").string();
  WriteFileBytes(file, "1\r\n");
  const struct {
    OptionId id;
    std::string text;
    std::string start;
  } cases[] = {
      {OptionId::ExportData_Path_to_data, (folder_ / "out").string(), (folder_ / "out").string()},
      // A file box opens in the file's folder.
      {OptionId::ExportData_Path_to_data_with_artid, file, (folder_ / "out").string()},
      // An empty box leaves the place to the dialog, not to the process's working folder.
      {OptionId::ExportData_Path_to_data_with_typid, "", ""},
  };
  for (const auto& c : cases) {
    PathRow* row = RowOf(program(), c.id);
    ASSERT_NE(row, nullptr);
    row->Edit()->setText(QString::fromStdString(c.text));
    calls_.clear();
    row->PickerButton()->click();
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(std::filesystem::path(calls_[0].start.toStdString()), std::filesystem::path(c.start));
  }
}

TEST_F(PathRowsTest, HelpLinksShowTheirMessages) {
  const struct {
    OptionId id;
    std::string text;
  } cases[] = {
      {OptionId::ExportData_Path_to_data, exporting::ExportFolderHelpText()},
      {OptionId::ExportData_Path_to_images, exporting::ImagesRootHelpText()},
      {OptionId::ExportData_Path_to_data_with_artid, exporting::ArticleFileHelpText()},
      {OptionId::ExportData_Path_to_data_with_typid, exporting::VehicleTypeFileHelpText()},
  };
  for (const auto& c : cases) {
    ui_.informed.clear();
    RowOf(program(), c.id)->HelpButton()->click();
    EXPECT_THAT(ui_.informed, ElementsAre(c.text)) << SpecOf(c.id).key;
  }
  EXPECT_TRUE(cases[0].text.starts_with("Enter path where the sql-files will be exported ..."));

  // The converter's link asks before it opens the web site.
  PathRow* converter = RowOf(program(), OptionId::PreparationData_Img_path_to_irfanviewe);
  ui_.answers = {false, true};
  converter->HelpButton()->click();
  EXPECT_TRUE(ui_.opened_urls.empty());
  converter->HelpButton()->click();
  EXPECT_THAT(ui_.questions, ElementsAre(exporting::ConverterQuestion(), exporting::ConverterQuestion()));
  EXPECT_THAT(ui_.opened_urls, ElementsAre(exporting::ConverterWebSite()));

  auto* more = window().findChild<QToolButton*>(QStringLiteral("addition_mode_help"));
  ASSERT_NE(more, nullptr);
  more->click();
  EXPECT_EQ(ui_.informed.back(), exporting::AdditionModeHelpText());
}

TEST_F(PathRowsTest, HelpLinksWriteTheirFileBesideTheSettingsAndOpenIt) {
  const struct {
    OptionId id;
    exporting::HelpFile help;
  } cases[] = {
      {OptionId::PreparationData_Img_path_to_images, exporting::LocalPicturesHelp()},
      {OptionId::PreparationData_Img_path_to_logos, exporting::LocalLogosHelp()},
      {OptionId::PreparationData_Img_path_to_temp_images, exporting::TemporaryPicturesHelp()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.help.file_name);
    ui_.opened_files.clear();
    RowOf(program(), c.id)->HelpButton()->click();
    const std::filesystem::path file = folder_ / c.help.file_name;
    EXPECT_THAT(ui_.opened_files, ElementsAre(file.string()));
    std::string expected = "\xEF\xBB\xBF";
    for (const std::string& line : c.help.lines) expected += line + "\r\n";
    EXPECT_EQ(ReadFileBytes(file), expected);
  }
  EXPECT_TRUE(ui_.errors.empty());
}

}  // namespace
}  // namespace quarvel::test
