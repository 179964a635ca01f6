#include "export/export_help.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_ui.h"
#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

TEST(ExportHelpTest, HelpFilesAreWrittenLineByLineAndOpened) {
  test::TempFolder folder;
  test::ScriptedUi ui;
  ShowHelpFile(LocalLogosHelp(), folder.path(), ui);
  EXPECT_EQ(test::ReadFileBytes(folder / "ImagesLogosLocate.txt"),
            "\xEF\xBB\xBFPath to folder where will locate logo-pictures to "
            "manufacturers\r\n--------------------\r\n"
            "- image name must match the ID brand\r\n--------------------\r\n");
  EXPECT_EQ(ui.opened_files, std::vector<std::string>{(folder / "ImagesLogosLocate.txt").string()});

  // The temporary pictures share the file name of the local pictures, with their own text.
  EXPECT_EQ(TemporaryPicturesHelp().file_name, LocalPicturesHelp().file_name);
  EXPECT_NE(TemporaryPicturesHelp().lines, LocalPicturesHelp().lines);

  // A folder that cannot take the file is reported, and nothing is opened.
  ShowHelpFile(LocalPicturesHelp(), folder / "missing", ui);
  EXPECT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.opened_files.size(), 1u);
}

TEST(ExportHelpTest, ConverterHelpOpensTheWebSiteOnlyOnYes) {
  test::ScriptedUi ui;
  ui.answers = {false, true};
  ShowConverterHelp(ui);
  EXPECT_TRUE(ui.opened_urls.empty());
  ShowConverterHelp(ui);
  EXPECT_EQ(ui.opened_urls, std::vector<std::string>{ConverterWebSite()});
  ASSERT_EQ(ui.questions.size(), 2u);
  // On this system the converter scripts call ImageMagick, and the help sends the user there.
  EXPECT_EQ(ui.questions[0],
            "To be able to edit the images, you need to install ImageMagick (package imagemagick) and give "
            "the path of its program convert (usually /usr/bin/convert) !!!\r"
            "--------------------------------\rGo to the website of ImageMagick, for edit pictures ?");
  EXPECT_EQ(ConverterWebSite(), "https://imagemagick.org/");
  EXPECT_EQ(ConverterPickerFolder(), std::filesystem::path("/usr/bin"));
}

}  // namespace
}  // namespace quarvel::exporting
