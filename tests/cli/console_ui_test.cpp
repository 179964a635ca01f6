#include "cli/console_ui.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quarvel::cli {
namespace {

TEST(ConsoleUiTest, QuestionsAreAnsweredByFlagTerminalOrNo) {
  const struct {
    const char* name;
    Answers answers;
    bool terminal;
    const char* typed;
    bool expected;
  } cases[] = {
      {"--yes", Answers::Yes, false, "", true},
      {"--no beats a terminal", Answers::No, true, "y\n", false},
      {"terminal, y", Answers::Ask, true, "  yes\n", true},
      {"terminal, enter", Answers::Ask, true, "\n", false},
      {"terminal, end of input", Answers::Ask, true, "", false},
      {"no terminal never waits", Answers::Ask, false, "y\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::istringstream in(c.typed);
    std::ostringstream out, err;
    ConsoleUi ui(c.answers, in, out, err, c.terminal, false);
    EXPECT_EQ(ui.Ask("Delete ?"), c.expected);
    EXPECT_EQ(out.str().rfind("Delete ?", 0), 0u);
    EXPECT_EQ(err.str(), "");
  }
}

TEST(ConsoleUiTest, ProgressBarOnlyOnATerminalAndEndedBeforeMessages) {
  std::istringstream in;
  std::ostringstream out, err;
  {
    ConsoleUi piped(Answers::Ask, in, out, err, false, false);
    piped.Progress("Wait [1] ...", 50);
    piped.Inform("Data are updated !");
    piped.Error("failed");
  }
  EXPECT_EQ(out.str(), "Data are updated !\n");
  EXPECT_EQ(err.str(), "failed\n");

  std::ostringstream out2, err2;
  {
    ConsoleUi tty(Answers::Ask, in, out2, err2, false, true);
    tty.Progress("Export", 50);
    tty.Progress("Done", -1);
    tty.Error("failed");
  }
  EXPECT_EQ(err2.str(),
            "\rExport [###############...............] 50%\rDone" + std::string(43 - 4, ' ') + "\nfailed\n");
}

}  // namespace
}  // namespace quarvel::cli
