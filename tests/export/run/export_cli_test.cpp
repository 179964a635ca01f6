#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/store_fixture.h"
#include "tests/support/program_runner.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

const std::string kEndLine = "======================= END OF THE EXPORT PROCESS =======================";

using Result = test::ProgramResult;

Result RunCli(const test::TempFolder& dir, const std::vector<std::string>& args) {
  return test::RunProgram(QUARVEL_CLI_PATH, args, dir.path());
}

class ExportCliTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    test::StoreFixture::SetUp();
    if (IsSkipped()) return;
    test::UseEmptyOdbcConfiguration();  // the child inherits the empty ODBC configuration
    std::filesystem::create_directory(dir_ / "out");
  }
  // A settings file for the fixtures; `store_database` empty leaves the store unreachable.
  std::string WriteSettings(const std::string& store_database, const std::string& export_folder) {
    platform::StoreConnectionParams p = params();
    std::string text = "[ConToTD]\r\nDriver=" + catalogue_.settings().driver +
                       "\r\nDatabase=" + catalogue_.settings().database +
                       "\r\n[ConToPresta]\r\nServer=" + p.host + "\r\nPort=" + std::to_string(p.port) +
                       "\r\nDatabase=" + store_database + "\r\nPrefix=ps_\r\n" +
                       "User=" + (store_database.empty() ? "nobody" : p.user) + "\r\nPass=" + p.password +
                       "\r\n[ExportData]\r\nPath_to_data=" + export_folder + "\r\n";
    std::string file = (dir_ / "Quarvel.ini").string();
    test::WriteFileBytes(file, text);
    return file;
  }

  test::TempFolder dir_;
  test::CatalogueFixture catalogue_;
};

TEST_F(ExportCliTest, ExportRunsFromTheSettingsFileAndEndsWithTheEndLine) {
  std::string settings = WriteSettings(database(), (dir_ / "out").string());
  Result r = RunCli(dir_, {"--settings", settings, "--no", "export"});
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("] Loading of parameters for export  ... wait\n"), std::string::npos) << r.out;
  EXPECT_TRUE(r.out.ends_with(kEndLine + "\n")) << r.out;
  // Not a terminal: no status line.
  EXPECT_EQ(r.err.find('\r'), std::string::npos) << r.err;
}

TEST_F(ExportCliTest, FolderOptionHoldsForThisRunOnly) {
  std::string settings = WriteSettings(database(), (dir_ / "gone").string());
  Result missing = RunCli(dir_, {"--settings", settings, "export"});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("Not specified a folder to export sql-scripts !!!"), std::string::npos)
      << missing.err;

  Result r = RunCli(dir_, {"--settings", settings, "export", "--folder", (dir_ / "out").string()});
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
  EXPECT_EQ(IniFile::Load(settings).Get("ExportData", "Path_to_data"), (dir_ / "gone").string());

  Result bad = RunCli(dir_, {"--settings", settings, "export", "--fast"});
  EXPECT_EQ(bad.exit_code, 2);
}

TEST_F(ExportCliTest, ExportWithoutAStoreFails) {
  std::string settings = WriteSettings("", (dir_ / "out").string());
  Result r = RunCli(dir_, {"--settings", settings, "export"});
  EXPECT_EQ(r.exit_code, 1) << r.out;
  EXPECT_NE(r.err.find("Not connect to PrestaShop !"), std::string::npos) << r.err;
  EXPECT_EQ(r.out.find(kEndLine), std::string::npos);
}

}  // namespace
}  // namespace quarvel
