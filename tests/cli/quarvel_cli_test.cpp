#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/program_runner.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using Result = test::ProgramResult;

Result RunCli(const test::TempFolder& dir, const std::vector<std::string>& args) {
  return test::RunProgram(QUARVEL_CLI_PATH, args, dir.path());
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(QuarvelCliTest, SettingsPrintsEveryOptionWithPasswordsMasked) {
  test::TempFolder dir;
  std::string file = (dir / "shop.ini").string();
  test::WriteFileBytes(file,
                       "[ConToTD]\r\nPass=secret\r\nLang=16\r\n[ConToPresta]\r\nPass=\r\n"
                       "[FormEditNames]\r\nCheckList=[4][5]\r\n");

  // The global option works before and after the subcommand.
  for (const auto& args : {std::vector<std::string>{"--settings", file, "settings"},
                           std::vector<std::string>{"settings", "--settings=" + file}}) {
    Result r = RunCli(dir, args);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Settings file: " + file + "\n", 0), 0u) << r.out;
    EXPECT_TRUE(HasLine(r.out, "[ConToTD] Pass = ********")) << r.out;
    EXPECT_TRUE(HasLine(r.out, "[ConToPresta] Pass = ")) << r.out;
    EXPECT_TRUE(HasLine(r.out, "[ConToTD] Lang = 16"));
    EXPECT_TRUE(HasLine(r.out, "[ConToTD] Reg = 250"));
    EXPECT_TRUE(HasLine(r.out, "[FormEditNames] CheckList = [4][5]"));
    EXPECT_TRUE(HasLine(r.out, "[ExcelExportImport_UpdateDataProductFeature] value = 0"));
    EXPECT_EQ(r.out.find("secret"), std::string::npos);
    // First and last option in table order, nothing else but the header.
    EXPECT_NE(r.out.find("Settings file: " + file + "\n[ConToTD] Server = localhost\n"), std::string::npos);
    const std::string last = "\n[ExcelExportImport_UpdateDataProductFeature] value = 0\n";
    ASSERT_GT(r.out.size(), last.size());
    EXPECT_EQ(r.out.substr(r.out.size() - last.size()), last);
  }
  // Showing the settings changes nothing.
  EXPECT_EQ(test::ReadFileBytes(file),
            "[ConToTD]\r\nPass=secret\r\nLang=16\r\n[ConToPresta]\r\nPass=\r\n[FormEditNames]\r\nCheckList=["
            "4][5]\r\n");
}

TEST(QuarvelCliTest, HelpListsSubcommandsAndMistakesExitWithTwo) {
  test::TempFolder dir;
  Result help = RunCli(dir, {"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("\n  settings  "), std::string::npos) << help.out;

  const std::vector<std::vector<std::string>> mistakes = {{"frobnicate"},
                                                          {"--frobnicate", "settings"},
                                                          {"settings", "extra"},
                                                          {"--settings"},
                                                          {},
                                                          {"--yes", "--no", "settings"}};
  for (const auto& args : mistakes) {
    SCOPED_TRACE(args.empty() ? "(nothing)" : args.front());
    Result r = RunCli(dir, args);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
  }
}

}  // namespace
}  // namespace quarvel
