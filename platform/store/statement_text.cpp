#include "platform/store/statement_text.h"

#include <cctype>
#include <cstddef>

namespace quarvel::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// A walk over SQL text that knows quotes and comments, so that keywords and semicolons inside
// them are never taken for the statement's own.
class SqlScanner {
 public:
  enum class Token { kEnd, kWord, kQuoted, kOpen, kClose, kSemicolon, kExecutableComment, kOther };

  explicit SqlScanner(std::string_view text) : text_(text) {}

  // Skips blanks and plain comments; returns the next token and its text.
  Token NextToken() {
    SkipBlanksAndComments();
    token_start_ = pos_;
    if (pos_ >= text_.size()) return Token::kEnd;
    char c = text_[pos_];
    if (IsExecutableCommentAt(pos_)) {
      SkipBlockComment();
      return Token::kExecutableComment;
    }
    if (c == '\'' || c == '"' || c == '`') {
      SkipQuoted(c);
      return Token::kQuoted;
    }
    if (IsWordChar(c)) {
      while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
      return Token::kWord;
    }
    ++pos_;
    if (c == '(') return Token::kOpen;
    if (c == ')') return Token::kClose;
    if (c == ';') return Token::kSemicolon;
    return Token::kOther;
  }

  std::string_view TokenText() const { return text_.substr(token_start_, pos_ - token_start_); }
  std::size_t TokenStart() const { return token_start_; }
  std::size_t Position() const { return pos_; }

 private:
  void SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (IsBlank(c)) {
        ++pos_;
      } else if (c == '#') {
        SkipLine();
      } else if (c == '-' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '-' &&
                 (pos_ + 2 == text_.size() || IsBlank(text_[pos_ + 2]))) {
        SkipLine();
      } else if (text_.substr(pos_, 2) == "/*" && !IsExecutableCommentAt(pos_)) {
        SkipBlockComment();
      } else {
        return;
      }
    }
  }

  // "/*!" and "/*M!" comments hold code that the server runs.
  bool IsExecutableCommentAt(std::size_t pos) const {
    auto rest = text_.substr(pos);
    return rest.substr(0, 3) == "/*!" || rest.substr(0, 4) == "/*M!";
  }

  void SkipLine() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
  }

  void SkipBlockComment() {
    std::size_t end = text_.find("*/", pos_ + 2);
    pos_ = end == std::string_view::npos ? text_.size() : end + 2;
  }

  // Quotes close at the same character; a doubled quote stays inside, and in strings (not in
  // back-quoted names) a backslash escapes the next character.
  void SkipQuoted(char quote) {
    ++pos_;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\\' && quote != '`') {
        pos_ += 2;
      } else if (c == quote) {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
          pos_ += 2;
        } else {
          ++pos_;
          return;
        }
      } else {
        ++pos_;
      }
    }
    if (pos_ > text_.size()) pos_ = text_.size();
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t token_start_ = 0;
};

bool SameWord(std::string_view word, std::string_view upper) {
  if (word.size() != upper.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(word[i])) != upper[i]) return false;
  }
  return true;
}

// After WITH the common table expressions come first; the statement is a read when the first
// data-changing or selecting keyword outside parentheses is SELECT.
bool WithIsRead(SqlScanner& scanner) {
  int depth = 0;
  for (;;) {
    auto token = scanner.NextToken();
    switch (token) {
      case SqlScanner::Token::kEnd:
      case SqlScanner::Token::kSemicolon:
      case SqlScanner::Token::kExecutableComment:
        return false;
      case SqlScanner::Token::kOpen:
        ++depth;
        break;
      case SqlScanner::Token::kClose:
        --depth;
        break;
      case SqlScanner::Token::kWord:
        if (depth == 0) {
          auto word = scanner.TokenText();
          if (SameWord(word, "SELECT")) return true;
          if (SameWord(word, "INSERT") || SameWord(word, "UPDATE") || SameWord(word, "DELETE") ||
              SameWord(word, "REPLACE")) {
            return false;
          }
        }
        break;
      default:
        break;
    }
  }
}

}  // namespace

bool IsReadStatement(std::string_view sql) {
  SqlScanner scanner(sql);
  auto token = scanner.NextToken();
  while (token == SqlScanner::Token::kOpen) token = scanner.NextToken();
  if (token != SqlScanner::Token::kWord) return false;
  auto word = scanner.TokenText();
  if (SameWord(word, "SELECT") || SameWord(word, "SHOW") || SameWord(word, "DESCRIBE") ||
      SameWord(word, "DESC")) {
    return true;
  }
  if (SameWord(word, "EXPLAIN")) {
    // EXPLAIN ANALYZE runs the statement it explains.
    return !(scanner.NextToken() == SqlScanner::Token::kWord && SameWord(scanner.TokenText(), "ANALYZE"));
  }
  if (SameWord(word, "WITH")) return WithIsRead(scanner);
  return false;
}

std::vector<std::string> SplitStatements(std::string_view text) {
  std::vector<std::string> statements;
  SqlScanner scanner(text);
  std::size_t start = 0;
  bool has_content = false;
  auto finish = [&](std::size_t end) {
    if (has_content) {
      std::string_view piece = text.substr(start, end - start);
      while (!piece.empty() && IsBlank(piece.front())) piece.remove_prefix(1);
      while (!piece.empty() && IsBlank(piece.back())) piece.remove_suffix(1);
      statements.emplace_back(piece);
    }
    has_content = false;
  };
  for (;;) {
    auto token = scanner.NextToken();
    if (token == SqlScanner::Token::kEnd) {
      finish(text.size());
      break;
    }
    if (token == SqlScanner::Token::kSemicolon) {
      finish(scanner.TokenStart());
      start = scanner.Position();
      continue;
    }
    if (!has_content) start = scanner.TokenStart();
    has_content = true;
  }
  return statements;
}

}  // namespace quarvel::platform
