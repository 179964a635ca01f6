#include "export/script_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/text.h"

namespace quarvel::exporting {

namespace {

void AppendInteger(std::string& out, std::int64_t value) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void AppendDecimal(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += '0';
    return;
  }
  char digits[40];
  auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
  out.append(digits, result.ptr);
}

// Length of the UTF-8 sequence that starts with `lead`; a stray continuation byte counts as one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string SqlInteger(std::int64_t value) {
  std::string out;
  AppendInteger(out, value);
  return out;
}

std::string SqlDecimal(double value) {
  std::string out;
  AppendDecimal(out, value);
  return out;
}

std::string SqlText(std::string_view raw) { return SqlQuoted(EscapeSql(raw)); }

std::string SqlQuoted(std::string_view safe_text) {
  std::string out;
  out.reserve(safe_text.size() + 2);
  out += '\'';
  out += safe_text;
  out += '\'';
  return out;
}

std::string_view FirstCharacters(std::string_view text, std::size_t max_chars) {
  std::size_t pos = 0;
  for (std::size_t count = 0; pos < text.size() && count < max_chars; ++count) {
    pos += SequenceLength(static_cast<unsigned char>(text[pos]));
  }
  return text.substr(0, std::min(pos, text.size()));
}

std::string_view FirstEscapedCharacters(std::string_view escaped, std::size_t max_chars) {
  std::size_t pos = 0;
  std::size_t count = 0;
  while (pos < escaped.size() && count < max_chars) {
    if (escaped[pos] == '\\' && pos + 1 < escaped.size()) {
      // EscapeSql only escapes ASCII characters, so a pair is always two bytes.
      if (count + 2 > max_chars) break;
      pos += 2;
      count += 2;
    } else {
      pos += SequenceLength(static_cast<unsigned char>(escaped[pos]));
      ++count;
    }
  }
  return escaped.substr(0, std::min(pos, escaped.size()));
}

ScriptRow& ScriptRow::Integer(std::int64_t value) {
  Separate();
  AppendInteger(text_, value);
  return *this;
}

ScriptRow& ScriptRow::Decimal(double value) {
  Separate();
  AppendDecimal(text_, value);
  return *this;
}

ScriptRow& ScriptRow::Text(std::string_view raw) {
  Separate();
  text_ += '\'';
  text_ += EscapeSql(raw);
  text_ += '\'';
  return *this;
}

ScriptRow& ScriptRow::Quoted(std::string_view safe_text) {
  Separate();
  text_ += '\'';
  text_ += safe_text;
  text_ += '\'';
  return *this;
}

ScriptRow& ScriptRow::Literal(std::string_view sql) {
  Separate();
  text_ += sql;
  return *this;
}

}  // namespace quarvel::exporting
