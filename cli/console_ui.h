#pragma once

#include <iosfwd>
#include <string>

#include "cli/command_line.h"
#include "core/ui.h"

namespace quarvel::cli {

// The Ui of quarvel-cli: messages to stdout, errors to stderr, questions answered by --yes/--no or,
// when standard input is a terminal, by the user; otherwise No, so a scheduled run never waits.
// Progress is a one-line bar on stderr, shown only when stderr is a terminal.
class ConsoleUi : public Ui {
 public:
  ConsoleUi(Answers answers, std::istream& in, std::ostream& out, std::ostream& err, bool input_is_terminal,
            bool error_is_terminal);
  // On the process's standard streams.
  explicit ConsoleUi(Answers answers);
  ~ConsoleUi() override;

  void Inform(const std::string& text) override;
  void Error(const std::string& text) override;
  bool Ask(const std::string& question) override;
  void Progress(const std::string& caption, int percent = -1) override;

 private:
  void EndProgressLine();

  Answers answers_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool input_is_terminal_;
  bool error_is_terminal_;
  size_t progress_width_ = 0;  // characters of the bar line on screen, 0 when none
};

}  // namespace quarvel::cli
