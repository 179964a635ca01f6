#include "platform/script_runner/script_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel::platform {
namespace {

std::filesystem::path ScriptFixture(const std::string& name) {
  const char* folder = std::getenv("QUARVEL_TEST_FIXTURES");
  std::filesystem::path base = folder != nullptr && *folder != '\0'
                                   ? std::filesystem::path(folder)
                                   : std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests" / "fixtures";
  return base / "scripts" / name;
}

// What the callbacks saw during a run.
struct Recorder {
  ScriptErrorAction answer = ScriptErrorAction::kContinue;
  std::vector<int> percents;
  std::vector<std::string> errors;  // statement text + " => " + error kind

  ScriptCallbacks Callbacks() {
    ScriptCallbacks callbacks;
    callbacks.progress = [this](int percent) { percents.push_back(percent); };
    callbacks.error = [this](std::string_view statement, const StoreError& error) {
      errors.push_back(std::string(statement) + " => " + error.kind());
      return answer;
    };
    return callbacks;
  }
};

// Column 0 of every row, joined by ",".
std::string Values(StoreConnection& store, const std::string& sql) {
  std::string values;
  for (auto cursor = store.Query(sql); !cursor.AtEnd(); cursor.Next()) {
    if (!values.empty()) values += ',';
    values += cursor.Text(0);
  }
  return values;
}

void ExpectRisingTo100(const std::vector<int>& percents) {
  ASSERT_FALSE(percents.empty());
  for (std::size_t i = 1; i < percents.size(); ++i) EXPECT_LE(percents[i - 1], percents[i]) << i;
  EXPECT_EQ(percents.back(), 100);
}

class ScriptRunnerTest : public test::StoreFixture {};

TEST_F(ScriptRunnerTest, RunsADelimiterBlockThatCreatesAndCallsAProcedure) {
  Recorder recorder;
  ScriptRunner runner(store());
  auto summary = runner.RunFile(ScriptFixture("procedure.sql"), recorder.Callbacks());

  EXPECT_TRUE(recorder.errors.empty()) << recorder.errors.front();
  EXPECT_EQ(summary.succeeded, 6u);
  EXPECT_FALSE(summary.stopped);
  EXPECT_EQ(Values(store(), "SELECT id FROM script_counter ORDER BY id"), "1,2,3,4,5,100");
  EXPECT_EQ(Values(store(), "SELECT note FROM script_counter WHERE id = 3"), "row; with a semicolon");
  EXPECT_EQ(
      Values(store(), "SELECT COUNT(*) FROM information_schema.ROUTINES WHERE ROUTINE_SCHEMA = DATABASE()"),
      "0");
  ExpectRisingTo100(recorder.percents);
}

// The export's tag files begin with a header that switches the delimiter in mid-line; each file
// must run on its own, also when the column is there already. Stores run both generations.
void RunTagFileTwice(StoreConnection& store) {
  ScriptRunner runner(store);
  Recorder first;
  runner.RunFile(ScriptFixture("tag.1.sql"), first.Callbacks());
  EXPECT_TRUE(first.errors.empty()) << first.errors.front();
  EXPECT_EQ(
      Values(store, "SELECT CONCAT(id_tag, ':', id_manufacturer, ':', name) FROM ps_tag ORDER BY id_tag"),
      "1:7:OC 90,2:7:Filter; oil 'A',3:8:-- not a comment");
  EXPECT_EQ(Values(store, "SELECT COUNT(*) FROM ps_product_tag"), "3");

  // Again: the header passes (duplicate column ignored by the procedure), only the rows collide.
  Recorder second;
  runner.RunFile(ScriptFixture("tag.1.sql"), second.Callbacks());
  ASSERT_EQ(second.errors.size(), 2u);
  EXPECT_TRUE(second.errors[0].starts_with("INSERT INTO `ps_tag`")) << second.errors[0];
  EXPECT_TRUE(second.errors[0].ends_with("=> MySQL error 1062")) << second.errors[0];
  EXPECT_TRUE(second.errors[1].starts_with("INSERT INTO `ps_product_tag`")) << second.errors[1];
}

TEST_F(ScriptRunnerTest, RunsTheTagFileHeaderOnPrestaShop16) { RunTagFileTwice(store()); }

class ScriptRunner9Test : public test::StoreFixture9 {};

TEST_F(ScriptRunner9Test, RunsTheTagFileHeaderOnPrestaShop9) { RunTagFileTwice(store()); }

// Batches of statements must look exactly like statements sent one by one.
class ScriptRunnerBatchTest : public test::StoreFixture, public ::testing::WithParamInterface<std::size_t> {
 protected:
  ScriptRunner Runner() {
    ScriptRunner runner(store());
    runner.set_batch_bytes(GetParam());
    return runner;
  }
};

TEST_P(ScriptRunnerBatchTest, ContinuesAfterAFailingStatementWhenTold) {
  Recorder recorder;
  auto summary = Runner().RunFile(ScriptFixture("failing.sql"), recorder.Callbacks());

  EXPECT_EQ(recorder.errors,
            (std::vector<std::string>{"INSERT INTO script_rows VALUES (2) => MySQL error 1062",
                                      "INSERT INTO no_such_table VALUES (1) => MySQL error 1146"}));
  EXPECT_EQ(Values(store(), "SELECT id FROM script_rows ORDER BY id"), "1,2,4,13");
  EXPECT_EQ(summary.succeeded, 6u);
  EXPECT_EQ(summary.failed, 2u);
  EXPECT_FALSE(summary.stopped);
  ExpectRisingTo100(recorder.percents);
}

TEST_P(ScriptRunnerBatchTest, StopsAtAFailingStatementWhenTold) {
  Recorder recorder;
  recorder.answer = ScriptErrorAction::kStop;
  auto summary = Runner().RunFile(ScriptFixture("failing.sql"), recorder.Callbacks());

  EXPECT_EQ(recorder.errors,
            (std::vector<std::string>{"INSERT INTO script_rows VALUES (2) => MySQL error 1062"}));
  EXPECT_EQ(Values(store(), "SELECT id FROM script_rows ORDER BY id"), "1,2");
  EXPECT_TRUE(summary.stopped);
  EXPECT_EQ(summary.failed, 1u);
  ASSERT_FALSE(recorder.percents.empty());
  EXPECT_LT(recorder.percents.back(), 100);
}

TEST_P(ScriptRunnerBatchTest, ReportsRisingProgressOverALargeFile) {
  test::TempFolder folder;
  std::string script =
      "\xEF\xBB\xBF"
      "CREATE TABLE big (id INT PRIMARY KEY, v TEXT);\r\n";
  const std::string filler(8000, 'x');
  for (int i = 0; i < 400; ++i)
    script += "INSERT INTO big VALUES (" + std::to_string(i) + ", '" + filler + "');\r\n";
  test::WriteFileBytes(folder / "big.sql", script);

  Recorder recorder;
  auto summary = Runner().RunFile(folder / "big.sql", recorder.Callbacks());

  EXPECT_EQ(summary.succeeded, 401u);
  EXPECT_EQ(Values(store(), "SELECT COUNT(*) FROM big"), "400");
  EXPECT_GE(recorder.percents.size(), 3u);
  EXPECT_LT(recorder.percents.front(), 50);
  ExpectRisingTo100(recorder.percents);
}

INSTANTIATE_TEST_SUITE_P(OneByOneAndBatched, ScriptRunnerBatchTest,
                         ::testing::Values(std::size_t{0}, ScriptRunner::kDefaultBatchBytes),
                         [](const auto& info) { return info.param == 0 ? "OneByOne" : "Batched"; });

// Sending it would make the server drop the connection, which would pass for a lost connection.
TEST_F(ScriptRunnerTest, ReportsAStatementLongerThanTheServerAcceptsWithoutSendingIt) {
  const auto packet = static_cast<std::size_t>(store().Query("SELECT @@max_allowed_packet").Int64(0));
  const auto thread = store().ServerThreadId();
  std::string huge = "INSERT INTO small VALUES ('" + std::string(packet, 'y') + "')";
  std::string script =
      "CREATE TABLE small (v LONGTEXT);\n" + huge + ";\nINSERT INTO small VALUES ('after');\n";

  std::vector<std::string> messages;
  ScriptCallbacks callbacks;
  callbacks.error = [&](std::string_view statement, const StoreError& error) {
    EXPECT_EQ(statement.size(), huge.size());
    messages.push_back(error.kind() + " : " + error.message());
    return ScriptErrorAction::kContinue;
  };
  ScriptRunner runner(store());
  auto summary = runner.RunScript(script, callbacks);

  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].starts_with(std::string(kStatementTooLong) + " : ")) << messages[0];
  EXPECT_NE(messages[0].find("max_allowed_packet = " + std::to_string(packet)), std::string::npos)
      << messages[0];
  EXPECT_EQ(summary.succeeded, 2u);
  EXPECT_EQ(Values(store(), "SELECT v FROM small"), "after");
  EXPECT_EQ(store().ServerThreadId(), thread);
}

// An abort raised by the progress callback ends the file at once and reaches the caller.
TEST_F(ScriptRunnerTest, AFailureOfTheProgressCallbackEndsTheFile) {
  struct Abort {};
  int reports = 0;
  ScriptCallbacks callbacks;
  callbacks.progress = [&](int) {
    if (++reports == 2) throw Abort{};
  };
  ScriptRunner runner(store());
  runner.set_batch_bytes(0);
  EXPECT_THROW(runner.RunFile(ScriptFixture("failing.sql"), callbacks), Abort);
  EXPECT_EQ(Values(store(), "SELECT id FROM script_rows"), "1");
}

// Failures that are not a statement's must not pass for one: the page keeps such a file checked.
TEST_F(ScriptRunnerTest, FailuresOfTheRunAreThrownNotReportedAsStatements) {
  Recorder recorder;
  ScriptRunner runner(store());
  EXPECT_THROW(runner.RunFile(ScriptFixture("no_such_file.sql"), recorder.Callbacks()),
               std::filesystem::filesystem_error);
  store().Close();
  EXPECT_THROW(runner.RunFile(ScriptFixture("failing.sql"), recorder.Callbacks()), StoreError);
  EXPECT_TRUE(recorder.errors.empty());
}

}  // namespace
}  // namespace quarvel::platform
