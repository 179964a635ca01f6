#include "platform/shell/start_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "tests/support/program_runner.h"
#include "tests/support/temp_folder.h"

namespace quarvel::platform {
namespace {

using test::ReadFileBytes;
using test::ShellQuote;
using test::TempFolder;
using test::WriteFileBytes;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Waits until `path` exists with a complete last line, or the deadline passes.
bool WaitForLine(const std::filesystem::path& path,
                 std::chrono::seconds deadline = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (std::chrono::steady_clock::now() < end) {
    if (std::filesystem::exists(path)) {
      const std::string text = ReadFileBytes(path);
      if (!text.empty() && text.back() == '\n') return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(StartScriptTest, RunsTheScriptDetachedWithItsOutputInTheLog) {
  TempFolder temp;
  // Blanks, quotes and "$" in the path must reach the shell as they are.
  const auto folder = temp / "convert it's $HOME \"now\"";
  std::filesystem::create_directory(folder);
  const auto script = folder / "convertimage.1.sh";
  const auto pid_file = folder / "pid";
  const auto marker = folder / "done";
  WriteFileBytes(script, "echo $$ > " + ShellQuote(pid_file.string()) +
                             "\n"
                             "sleep 1\n"
                             "echo converted\n"
                             "echo complaint >&2\n"
                             "read line && echo \"read: $line\"\n"
                             "echo ok > " +
                             ShellQuote(marker.string()) + "\n");
  WriteFileBytes(folder / "convertimage.1.sh.log", "earlier run\n");

  StartScript(script);
  EXPECT_FALSE(std::filesystem::exists(marker)) << "the call waited for the script";

  // The child between us and the script is already reaped, and the script is not our child.
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);

  ASSERT_TRUE(WaitForLine(pid_file));
  const std::string pid_text = ReadFileBytes(pid_file);
  pid_t script_pid = 0;
  std::from_chars(pid_text.data(), pid_text.data() + pid_text.size(), script_pid);
  ASSERT_GT(script_pid, 0);
  const pid_t script_session = getsid(script_pid);
  if (script_session > 0) {  // the script may be gone already on a very slow machine
    EXPECT_NE(script_session, getsid(0));
    EXPECT_EQ(script_session, getpgid(script_pid));
  }

  ASSERT_TRUE(WaitForLine(marker));
  // The marker is the last thing the script writes; the log is complete by then.
  const std::string log = ReadFileBytes(folder / "convertimage.1.sh.log");
  EXPECT_THAT(log, StartsWith("earlier run\n"));
  EXPECT_THAT(log, HasSubstr("converted\n"));
  EXPECT_THAT(log, HasSubstr("complaint\n"));
  EXPECT_THAT(log, ::testing::Not(HasSubstr("read:")));  // standard input is empty
}

TEST(StartScriptTest, ARelativeNameIsNotTakenForAnOption) {
  TempFolder temp;
  const auto script = temp / "-x.sh";
  WriteFileBytes(script, "echo ran > " + ShellQuote((temp / "ran").string()) + "\n");
  const auto old_folder = std::filesystem::current_path();
  std::filesystem::current_path(temp.path());
  StartScript("-x.sh");
  std::filesystem::current_path(old_folder);
  EXPECT_TRUE(WaitForLine(temp / "ran"));
}

TEST(StartScriptTest, ThrowsWhenThereIsNothingToStart) {
  TempFolder temp;
  std::filesystem::create_directory(temp / "folder.sh");
  for (const auto& path : {temp / "missing.sh", temp / "folder.sh", temp / "no-folder" / "x.sh"}) {
    SCOPED_TRACE(path.string());
    EXPECT_THROW(StartScript(path), std::runtime_error);
    std::filesystem::path log = path;
    log += ".log";
    EXPECT_FALSE(std::filesystem::exists(log));
  }
}

}  // namespace
}  // namespace quarvel::platform
