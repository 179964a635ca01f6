#include "platform/catalogue/catalogue_sql_rewriter.h"

#include <cctype>
#include <cstddef>
#include <vector>

namespace quarvel::platform {
namespace {

enum class TokenKind { kSpace, kWord, kNumber, kQuoted, kComment, kPunct };

struct Token {
  TokenKind kind;
  std::string_view text;
};

bool IsWordStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalpha(u) || c == '_' || u >= 0x80;
}

bool IsWordChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || c == '$' || c == '#' || u >= 0x80;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Splits SQL into tokens. Literals follow standard SQL: a quote inside is doubled, a backslash is an
// ordinary character (Transbase's rule, which the catalogue's SQL is written in).
std::vector<Token> Tokenize(std::string_view sql) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  const std::size_t n = sql.size();
  while (i < n) {
    const std::size_t start = i;
    const char c = sql[i];
    TokenKind kind = TokenKind::kPunct;
    if (IsSpace(c)) {
      while (i < n && IsSpace(sql[i])) ++i;
      kind = TokenKind::kSpace;
    } else if (c == '\'' || c == '"' || c == '`') {
      ++i;
      while (i < n) {
        if (sql[i] == c) {
          if (i + 1 < n && sql[i + 1] == c) {
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
      kind = TokenKind::kQuoted;
    } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      while (i < n && sql[i] != '\n') ++i;
      kind = TokenKind::kComment;
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      const std::size_t end = sql.find("*/", i + 2);
      i = end == std::string_view::npos ? n : end + 2;
      kind = TokenKind::kComment;
    } else if (IsWordStart(c)) {
      while (i < n && IsWordChar(sql[i])) ++i;
      kind = TokenKind::kWord;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      while (i < n && (std::isdigit(static_cast<unsigned char>(sql[i])) || sql[i] == '.')) ++i;
      kind = TokenKind::kNumber;
    } else {
      ++i;
    }
    tokens.push_back({kind, sql.substr(start, i - start)});
  }
  return tokens;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

class Rewriter {
 public:
  Rewriter(std::string_view sql, CatalogueDialect dialect) : dialect_(dialect), tokens_(Tokenize(sql)) {
    out_.reserve(sql.size() + sql.size() / 8);
    MatchParentheses();
  }

  std::string Run() {
    std::size_t i = 0;
    while (i < tokens_.size()) {
      if (std::size_t next = TryCast(i); next != i) {
        i = next;
      } else if (std::size_t next2 = TrySubrange(i); next2 != i) {
        i = next2;
      } else {
        HandleCompoundParenthesis(i);
        Emit(i);
        ++i;
      }
    }
    return std::move(out_);
  }

 private:
  bool IsWord(std::size_t i, std::string_view word) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::kWord && EqualsNoCase(tokens_[i].text, word);
  }
  bool IsPunct(std::size_t i, char c) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::kPunct && tokens_[i].text[0] == c;
  }
  bool IsCode(std::size_t i) const {
    return tokens_[i].kind != TokenKind::kSpace && tokens_[i].kind != TokenKind::kComment;
  }
  // Index of the next token that is not blank or a comment (tokens_.size() when none).
  std::size_t SkipForward(std::size_t i) const {
    while (i < tokens_.size() && !IsCode(i)) ++i;
    return i;
  }
  // Index of the previous code token before i, or npos.
  std::size_t SkipBack(std::size_t i) const {
    while (i > 0) {
      --i;
      if (IsCode(i)) return i;
    }
    return std::string_view::npos;
  }

  void Emit(std::size_t i) {
    out_pos_.resize(i + 1, out_.size());
    out_pos_[i] = out_.size();
    if (replaced_.size() > i && replaced_[i] != nullptr) {
      out_ += replaced_[i];
    } else {
      out_ += tokens_[i].text;
    }
  }

  void MatchParentheses() {
    match_.assign(tokens_.size(), std::string_view::npos);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
      if (IsPunct(i, '(')) {
        open.push_back(i);
      } else if (IsPunct(i, ')') && !open.empty()) {
        match_[open.back()] = i;
        match_[i] = open.back();
        open.pop_back();
      }
    }
  }

  // AS VARCHAR(*) -> AS TEXT / AS CHAR. Only casts use this form.
  std::size_t TryCast(std::size_t i) {
    if (dialect_ == CatalogueDialect::kTransbase || !IsWord(i, "AS")) return i;
    const std::size_t type = SkipForward(i + 1);
    if (!IsWord(type, "VARCHAR")) return i;
    const std::size_t open = SkipForward(type + 1);
    if (!IsPunct(open, '(')) return i;
    const std::size_t star = SkipForward(open + 1);
    if (!IsPunct(star, '*')) return i;
    const std::size_t close = SkipForward(star + 1);
    if (!IsPunct(close, ')')) return i;
    out_pos_.resize(i + 1, out_.size());
    out_pos_[i] = out_.size();
    out_ += dialect_ == CatalogueDialect::kSqlite ? "AS TEXT" : "AS CHAR";
    return close + 1;
  }

  // col SUBRANGE(n CAST INTEGER) [=1|=0|<>1|<>0] -> INSTR(col, ',n,') > 0 / = 0.
  std::size_t TrySubrange(std::size_t i) {
    if (dialect_ == CatalogueDialect::kTransbase || !IsWord(i, "SUBRANGE")) return i;
    const std::size_t open = SkipForward(i + 1);
    if (!IsPunct(open, '(')) return i;
    const std::size_t number = SkipForward(open + 1);
    if (number >= tokens_.size() || tokens_[number].kind != TokenKind::kNumber ||
        tokens_[number].text.find('.') != std::string_view::npos) {
      return i;
    }
    const std::size_t cast = SkipForward(number + 1);
    if (!IsWord(cast, "CAST")) return i;
    const std::size_t integer = SkipForward(cast + 1);
    if (!IsWord(integer, "INTEGER")) return i;
    const std::size_t close = SkipForward(integer + 1);
    if (!IsPunct(close, ')')) return i;

    // The operand: an identifier chain (a, t.a, "t"."a") right before SUBRANGE, already emitted.
    std::size_t first = SkipBack(i);
    if (first == std::string_view::npos || !IsOperandPart(first)) return i;
    while (true) {
      const std::size_t dot = first > 0 ? first - 1 : std::string_view::npos;
      if (dot == std::string_view::npos || !IsPunct(dot, '.') || dot == 0 || !IsOperandPart(dot - 1)) break;
      first = dot - 1;
    }
    std::string operand;
    for (std::size_t k = first; k < i; ++k) {
      if (IsCode(k)) operand += tokens_[k].text;
    }
    if (first >= out_pos_.size()) return i;
    out_.resize(out_pos_[first]);

    // Optional comparison with 0 or 1.
    std::size_t next = close + 1;
    int present = -1;  // 1: "is valid for n", 0: "is not", -1: no comparison understood
    std::size_t op = SkipForward(close + 1);
    std::size_t value = tokens_.size();
    bool negate = false;
    if (IsPunct(op, '=')) {
      value = SkipForward(op + 1);
    } else if ((IsPunct(op, '<') && IsPunct(op + 1, '>')) || (IsPunct(op, '!') && IsPunct(op + 1, '='))) {
      value = SkipForward(op + 2);
      negate = true;
    }
    if (value < tokens_.size() && tokens_[value].kind == TokenKind::kNumber &&
        (tokens_[value].text == "1" || tokens_[value].text == "0")) {
      present = (tokens_[value].text == "1") != negate ? 1 : 0;
      next = value + 1;
    }

    const std::string test = "INSTR(" + operand + ", '," + std::string(tokens_[number].text) + ",')";
    if (present == 1) {
      out_ += test + " > 0";
    } else if (present == 0) {
      out_ += test + " = 0";
    } else {
      out_ += "(" + test + " > 0)";
    }
    return next;
  }

  bool IsOperandPart(std::size_t k) const {
    if (tokens_[k].kind == TokenKind::kWord) return true;
    return tokens_[k].kind == TokenKind::kQuoted && tokens_[k].text[0] != '\'';
  }

  bool IsCompoundWord(std::size_t k) const {
    return IsWord(k, "UNION") || IsWord(k, "INTERSECT") || IsWord(k, "EXCEPT");
  }

  // For SQLite, drops the parentheses around a compound member "(SELECT ...)" that stands beside
  // UNION/INTERSECT/EXCEPT, by marking the two parenthesis tokens for replacement before they are
  // emitted. A member that carries its own ORDER BY or LIMIT keeps them inside a derived table.
  void HandleCompoundParenthesis(std::size_t i) {
    if (dialect_ != CatalogueDialect::kSqlite || !IsPunct(i, '(') || match_[i] == std::string_view::npos) {
      return;
    }
    if (!IsWord(SkipForward(i + 1), "SELECT")) return;
    const std::size_t close = match_[i];
    std::size_t before = SkipBack(i);
    if (before != std::string_view::npos && (IsWord(before, "ALL") || IsWord(before, "DISTINCT"))) {
      const std::size_t word = SkipBack(before);
      if (word == std::string_view::npos || !IsCompoundWord(word)) return;
      before = word;
    }
    const bool after_compound = before != std::string_view::npos && IsCompoundWord(before);
    const bool at_member_start =
        before == std::string_view::npos || after_compound || IsPunct(before, '(') || IsPunct(before, ';');
    if (!at_member_start) return;
    const bool before_compound = IsCompoundWord(SkipForward(close + 1));
    if (!after_compound && !before_compound) return;

    bool own_order = false;
    int depth = 0;
    for (std::size_t k = i + 1; k < close; ++k) {
      if (IsPunct(k, '(')) ++depth;
      if (IsPunct(k, ')')) --depth;
      if (depth == 0 && (IsWord(k, "ORDER") || IsWord(k, "LIMIT"))) {
        own_order = true;
        break;
      }
    }
    replaced_.resize(tokens_.size(), nullptr);
    if (own_order) {
      replaced_[i] = "SELECT * FROM (";
    } else {
      replaced_[i] = " ";
      replaced_[close] = " ";
    }
  }

  CatalogueDialect dialect_;
  std::vector<Token> tokens_;
  std::vector<std::size_t> match_;
  std::vector<std::size_t> out_pos_;  // output offset of each emitted token
  std::vector<const char*> replaced_;
  std::string out_;
};

}  // namespace

std::string RewriteCatalogueSql(std::string_view sql, CatalogueDialect dialect) {
  if (dialect == CatalogueDialect::kTransbase) return std::string(sql);
  return Rewriter(sql, dialect).Run();
}

}  // namespace quarvel::platform
