// quarvel-cli upload and clean-install, run as a user runs them, against the test server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/program_runner.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using Result = test::ProgramResult;

class UploadCliTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    if (IsSkipped()) return;
    std::filesystem::create_directory(scripts);
    const platform::StoreConnectionParams p = params();
    test::WriteFileBytes(settings, "[ConToPresta]\r\nServer=" + p.host +
                                       "\r\nPort=" + std::to_string(p.port) + "\r\nDatabase=" + p.database +
                                       "\r\nPrefix=ps_\r\nUser=" + p.user + "\r\nPass=" + p.password +
                                       "\r\n[ImportData]\r\nPath_to_data=" + scripts.string() +
                                       "\r\nGetPause=1\r\n");
    store().Execute("CREATE TABLE r (id INT PRIMARY KEY)");
    test::WriteFileBytes(scripts / "a.sql", "INSERT INTO r VALUES (1);\n");
    test::WriteFileBytes(scripts / "b.sql", "INSERT INTO r VALUES (2);\n");
  }

  Result Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", settings.string()});
    return test::RunProgram(QUARVEL_CLI_PATH, args, dir.path());
  }

  std::string Rows(const std::string& table) {
    std::string rows;
    for (auto cursor = store().Query("SELECT id FROM " + table + " ORDER BY id"); !cursor.AtEnd();
         cursor.Next())
      rows += (rows.empty() ? "" : ",") + cursor.Text(0);
    return rows;
  }
  std::string Log() { return test::ReadFileBytes(dir / "Log_UploadData.txt"); }

  test::TempFolder dir;
  std::filesystem::path settings = dir / "quarvel.ini";
  std::filesystem::path scripts = dir / "scripts";
};

TEST_F(UploadCliTest, UploadRunsTheFolderAndWritesTheLog) {
  Result r = Run({"upload"});
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
  EXPECT_EQ(Rows("r"), "1,2");
  const std::string log = Log();
  EXPECT_EQ(log.rfind("\xEF\xBB\xBF\r/* ---", 0), 0u) << log;
  EXPECT_NE(log.find("START IMPORT FILE [" + (scripts / "b.sql").string() + "] */\r\r\n"), std::string::npos)
      << log;
  EXPECT_NE(r.out.find("The process of importing sql-scripts is finished !"), std::string::npos) << r.out;
}

TEST_F(UploadCliTest, UploadFailuresAndChoicesGiveTheirExitCodes) {
  test::WriteFileBytes(scripts / "a.sql",
                       "INSERT INTO missing_table VALUES (1);\nINSERT INTO r VALUES (1);\n");
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string rows;
    bool failure_logged = false;
  };
  for (const Case& c : {
           Case{{"upload"}, 1, "", true},  // the settings' error switch stops the run
           Case{{"upload", "--continue-on-error"}, 1, "1,2", true},
           Case{{"upload", "--files", "b.sql"}, 0, "2"},
           Case{{"upload", scripts.string(), "--files=b.sql,nosuch.sql"}, 1, ""},
           Case{{"upload", "--stop-on-error", "--continue-on-error"}, 2, ""},
           Case{{"upload", "--files"}, 2, ""},
           Case{{"upload", (dir / "nowhere").string()}, 1, ""},
       }) {
    store().Execute("DELETE FROM r");
    std::filesystem::remove(dir / "Log_UploadData.txt");
    Result r = Run(c.args);
    SCOPED_TRACE(::testing::PrintToString(c.args) + "\n" + r.out + r.err);
    EXPECT_EQ(r.exit_code, c.exit_code);
    EXPECT_EQ(Rows("r"), c.rows);
    // A run that failed a statement says so in its log file.
    if (c.failure_logged) {
      EXPECT_NE(Log().find("missing_table' doesn't exist */"), std::string::npos);
    }
  }
}

TEST_F(UploadCliTest, CleanInstallNeedsYesAndEmptiesTheNamedTables) {
  auto count = [&](const std::string& table) {
    return store().Query("SELECT COUNT(*) FROM " + table).Int64(0);
  };
  const auto products = count("ps_product");
  ASSERT_GT(count("ps_category"), 0);

  Result no = Run({"clean-install", "--tables", "category"});
  EXPECT_EQ(no.exit_code, 1) << no.out << no.err;
  EXPECT_GT(count("ps_category"), 0);

  Result bad = Run({"clean-install", "--tables", "category,31"});
  EXPECT_EQ(bad.exit_code, 2) << bad.err;

  Result yes = Run({"--yes", "clean-install", "--tables", "0,tag"});
  EXPECT_EQ(yes.exit_code, 0) << yes.out << yes.err;
  EXPECT_EQ(count("ps_category"), 0);
  EXPECT_EQ(count("ps_tag"), 0);
  EXPECT_EQ(count("ps_product"), products);
  EXPECT_NE(Log().find("Truncate table [ps_tag] is ok.\r\n"), std::string::npos);

  // A second run fails to add what the first added, and still succeeds; the saved checks are
  // untouched by --tables.
  Result again = Run({"--yes", "clean-install"});
  EXPECT_EQ(again.exit_code, 0) << again.out << again.err;
  EXPECT_EQ(test::ReadFileBytes(settings).find("ListOfTablesForCleaning=[0]"), std::string::npos);
}

}  // namespace
}  // namespace quarvel
