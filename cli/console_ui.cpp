#include "cli/console_ui.h"

#include <algorithm>
#include <iostream>

#include "platform/console.h"

namespace quarvel::cli {

namespace {
constexpr int kBarCells = 30;
}

ConsoleUi::ConsoleUi(Answers answers, std::istream& in, std::ostream& out, std::ostream& err,
                     bool input_is_terminal, bool error_is_terminal)
    : answers_(answers),
      in_(in),
      out_(out),
      err_(err),
      input_is_terminal_(input_is_terminal),
      error_is_terminal_(error_is_terminal) {}

ConsoleUi::ConsoleUi(Answers answers)
    : ConsoleUi(answers, std::cin, std::cout, std::cerr, platform::IsTerminal(platform::ConsoleStream::Input),
                platform::IsTerminal(platform::ConsoleStream::Error)) {}

ConsoleUi::~ConsoleUi() { EndProgressLine(); }

void ConsoleUi::EndProgressLine() {
  if (progress_width_ == 0) return;
  err_ << '\n';
  err_.flush();
  progress_width_ = 0;
}

void ConsoleUi::Inform(const std::string& text) {
  EndProgressLine();
  out_ << text << '\n';
  out_.flush();
}

void ConsoleUi::Error(const std::string& text) {
  EndProgressLine();
  err_ << text << '\n';
  err_.flush();
}

bool ConsoleUi::Ask(const std::string& question) {
  EndProgressLine();
  out_ << question;
  if (answers_ != Answers::Ask) {
    bool yes = answers_ == Answers::Yes;
    out_ << (yes ? " yes" : " no") << '\n';
    out_.flush();
    return yes;
  }
  if (!input_is_terminal_) {
    out_ << " no (no terminal to ask; use --yes)" << '\n';
    out_.flush();
    return false;
  }
  out_ << " [y/N] ";
  out_.flush();
  std::string reply;
  if (!std::getline(in_, reply)) return false;
  reply.erase(0, reply.find_first_not_of(" \t"));
  return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

void ConsoleUi::Progress(const std::string& caption, int percent) {
  if (!error_is_terminal_) return;
  std::string line = caption;
  if (percent >= 0) {
    int p = std::clamp(percent, 0, 100);
    int cells = p * kBarCells / 100;
    line += " [" + std::string(static_cast<size_t>(cells), '#') +
            std::string(static_cast<size_t>(kBarCells - cells), '.') + "] " + std::to_string(p) + "%";
  }
  // Blank out what is left of a longer previous line.
  size_t width = line.size();
  if (width < progress_width_) line += std::string(progress_width_ - width, ' ');
  err_ << '\r' << line;
  err_.flush();
  progress_width_ = std::max(width, size_t{1});
}

}  // namespace quarvel::cli
