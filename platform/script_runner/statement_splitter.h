#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel::platform {

// One statement of a script: its text without the terminator and without the blanks and comments
// around it, and the byte position in the script just behind its terminator.
struct ScriptStatement {
  std::string_view text;
  std::size_t end = 0;
};

// Splits the text of a .sql script into statements as the MySQL command-line client reads it:
// - a statement ends at the current terminator (";" at first) outside quotes and comments;
// - '...' and "..." may hold backslash escapes and doubled quotes, `...` doubled back-quotes;
// - "-- " (two dashes and a blank), "#" up to the line end and "/* */" are comments; "/*! */" and
//   "/*M! */" hold code the server runs and stay in the statement;
// - "delimiter" followed by a blank at the start of a statement switches the terminator to the word
//   that follows. Unlike the client, the rest of the line is read on, so a line such as
//   "drop procedure if exists foo; delimiter $$ create procedure foo () begin ... end$$ delimiter ;"
//   splits into its statements, stored-procedure body included.
// A byte-order mark at the start is skipped; positions still count it. The last statement may lack
// its terminator. The texts are views into the script given.
class StatementSplitter {
 public:
  explicit StatementSplitter(std::string_view script);

  // The next statement; false at the end of the script.
  bool Next(ScriptStatement& statement);

 private:
  void SkipBlanksAndComments();
  bool AtDelimiterCommand() const;
  void ReadDelimiterCommand();
  bool AtComment() const;
  void SkipComment();
  void SkipQuoted(char quote);
  void SkipBlockComment();
  bool AtTerminator() const;

  std::string_view script_;
  std::size_t pos_ = 0;
  std::string terminator_ = ";";
};

// Every statement of the script. The last one's end is the script's size, so that a file read to
// its end counts as complete even when blanks or comments follow its last statement.
std::vector<ScriptStatement> SplitScript(std::string_view script);

}  // namespace quarvel::platform
