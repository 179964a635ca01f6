#include "platform/script_runner/statement_splitter.h"

#include <cctype>

namespace quarvel::platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kDelimiterCommand = "delimiter";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool IsLineBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

StatementSplitter::StatementSplitter(std::string_view script) : script_(script) {
  if (script_.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
}

bool StatementSplitter::Next(ScriptStatement& statement) {
  for (;;) {
    SkipBlanksAndComments();
    if (pos_ >= script_.size()) return false;
    if (AtDelimiterCommand()) {
      ReadDelimiterCommand();
      continue;
    }
    std::size_t start = pos_;
    // End of the last character that belongs to the statement: blanks and comments in front of the
    // terminator stay out, so that statements can be joined by terminators again.
    std::size_t last = pos_;
    while (pos_ < script_.size() && !AtTerminator()) {
      char c = script_[pos_];
      if (IsBlank(c)) {
        ++pos_;
      } else if (AtComment()) {
        SkipComment();
      } else if (c == '\'' || c == '"' || c == '`') {
        SkipQuoted(c);
        last = pos_;
      } else if (c == '/' && pos_ + 1 < script_.size() && script_[pos_ + 1] == '*') {
        SkipBlockComment();  // an executable comment: code for the server
        last = pos_;
      } else {
        ++pos_;
        last = pos_;
      }
    }
    if (pos_ < script_.size()) pos_ += terminator_.size();
    if (last == start) continue;  // an empty statement such as the second ";" of ";;"
    statement.text = script_.substr(start, last - start);
    statement.end = pos_;
    return true;
  }
}

void StatementSplitter::SkipBlanksAndComments() {
  while (pos_ < script_.size()) {
    if (IsBlank(script_[pos_])) {
      ++pos_;
    } else if (!AtTerminator() && AtComment()) {
      SkipComment();
    } else {
      return;
    }
  }
}

bool StatementSplitter::AtDelimiterCommand() const {
  if (script_.size() - pos_ <= kDelimiterCommand.size()) return false;
  for (std::size_t i = 0; i < kDelimiterCommand.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(script_[pos_ + i])) != kDelimiterCommand[i]) return false;
  }
  return IsLineBlank(script_[pos_ + kDelimiterCommand.size()]);
}

// The new terminator is the word after the command on the same line; a command without one keeps
// the terminator in use.
void StatementSplitter::ReadDelimiterCommand() {
  pos_ += kDelimiterCommand.size();
  while (pos_ < script_.size() && IsLineBlank(script_[pos_])) ++pos_;
  std::size_t start = pos_;
  while (pos_ < script_.size() && !IsBlank(script_[pos_])) ++pos_;
  if (pos_ > start) terminator_.assign(script_.substr(start, pos_ - start));
}

bool StatementSplitter::AtComment() const {
  char c = script_[pos_];
  std::size_t rest = script_.size() - pos_;
  if (c == '#') return true;
  if (c == '-') {
    // "--" starts a comment only when a blank or control character (or the end) follows.
    return rest >= 2 && script_[pos_ + 1] == '-' &&
           (rest == 2 || static_cast<unsigned char>(script_[pos_ + 2]) <= ' ');
  }
  if (c == '/' && rest >= 2 && script_[pos_ + 1] == '*') {
    std::string_view head = script_.substr(pos_, 4);
    return head.substr(0, 3) != "/*!" && head != "/*M!";
  }
  return false;
}

void StatementSplitter::SkipComment() {
  if (script_[pos_] == '/') {
    SkipBlockComment();
    return;
  }
  std::size_t end = script_.find('\n', pos_);
  pos_ = end == std::string_view::npos ? script_.size() : end + 1;
}

void StatementSplitter::SkipBlockComment() {
  std::size_t end = script_.find("*/", pos_ + 2);
  pos_ = end == std::string_view::npos ? script_.size() : end + 2;
}

// A quote closes at the same character; a doubled quote stays inside, and in strings (not in
// back-quoted names) a backslash takes the next character with it.
void StatementSplitter::SkipQuoted(char quote) {
  ++pos_;
  while (pos_ < script_.size()) {
    char c = script_[pos_];
    if (c == '\\' && quote != '`') {
      pos_ += 2;
    } else if (c == quote) {
      ++pos_;
      if (pos_ >= script_.size() || script_[pos_] != quote) return;
      ++pos_;
    } else {
      ++pos_;
    }
  }
  if (pos_ > script_.size()) pos_ = script_.size();
}

bool StatementSplitter::AtTerminator() const {
  return script_[pos_] == terminator_[0] && script_.compare(pos_, terminator_.size(), terminator_) == 0;
}

std::vector<ScriptStatement> SplitScript(std::string_view script) {
  std::vector<ScriptStatement> statements;
  StatementSplitter splitter(script);
  ScriptStatement statement;
  while (splitter.Next(statement)) statements.push_back(statement);
  if (!statements.empty()) statements.back().end = script.size();
  return statements;
}

}  // namespace quarvel::platform
