#include "core/text.h"

#include <array>
#include <cassert>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "core/case_mapping.h"
#include "platform/registry.h"

namespace quarvel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsAsciiLetterOrDigit(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The bytes a URL name keeps as they are (besides the space, which becomes "-").
bool IsUrlSafe(unsigned char c) { return IsAsciiLetterOrDigit(c) || std::strchr("!'()*-._~", c) != nullptr; }

void AppendUrlEncodedByte(std::string& out, unsigned char c) {
  if (c != 0 && IsUrlSafe(c)) {
    out += static_cast<char>(c);
  } else if (c == ' ') {
    out += '-';
  } else {
    out += '%';
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 0x0F];
  }
}

// Characters that the URL name turns into hyphens before hyphen runs are shortened.
constexpr std::array<bool, 128> kLinkPunctuation = [] {
  std::array<bool, 128> table{};
  for (const char* p = ";,./?:@=+$#%!~*\"'()&^\\{}"; *p != '\0'; ++p)
    table[static_cast<unsigned char>(*p)] = true;
  return table;
}();

// Length of a run of n hyphens after replacing "-----", "----", "---" and "--" by "-", one
// non-overlapping replace-all each, in that order.
std::size_t CollapsedHyphenRun(std::size_t n) {
  for (std::size_t k : {5, 4, 3, 2}) n = n / k + n % k;
  return n;
}

std::string_view TrimView(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
  std::string out;
  if (pattern.empty()) return std::string(text);
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, from)) {
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + pattern.size();
  }
  out.append(text.substr(from));
  return out;
}

// The first `count` characters (code points) of text, from character `first` (0-based); shorter when
// the text ends first.
std::string_view CharacterRange(std::string_view text, std::size_t first, std::size_t count) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i < first && begin < text.size(); ++i) begin = DecodeUtf8At(text, begin).next;
  std::size_t end = begin;
  for (std::size_t i = 0; i < count && end < text.size(); ++i) end = DecodeUtf8At(text, end).next;
  return text.substr(begin, end - begin);
}

}  // namespace

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string ReplaceAllInOrder(std::string_view text, const std::vector<std::string_view>& patterns,
                              const std::vector<std::string_view>& replacements) {
  assert(patterns.size() == replacements.size() && "pattern and replacement lists differ in length");
  std::string out(text);
  for (std::size_t i = 0; i < patterns.size() && i < replacements.size(); ++i) {
    out = ReplaceAll(out, patterns[i], replacements[i]);
  }
  return out;
}

std::string EscapeSql(std::string_view text) {
  // One pass gives what the seven ordered replace-all passes give: the backslash goes first there so
  // no escape is doubled, and none of the later passes matches a character an earlier one produced.
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 8);
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\'':
        out += "\\'";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\0':
        out += "\\0";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\x1A':
        out += "\\Z";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement) {
  if (pattern.empty() || text.empty()) return std::string(text);

  // Folded pattern, its failure table and a ring of the byte offsets where the last m text units
  // began, in one buffer. Simple folding maps one unit to one, so every match spans m units and the
  // first match to end is the leftmost one: a KMP scan that restarts after each match gives the
  // non-overlapping left-to-right replacements in linear time.
  std::size_t m = 0;
  for (std::size_t i = 0; i < pattern.size(); i = DecodeUtf8At(pattern, i).next) ++m;
  std::vector<std::size_t> buffer(3 * m);
  std::size_t* folded = buffer.data();
  std::size_t* failure = folded + m;
  std::size_t* starts = failure + m;
  for (std::size_t i = 0, j = 0; i < pattern.size(); ++j) {
    const Utf8Unit unit = DecodeUtf8At(pattern, i);
    folded[j] = FoldCase(unit.value);
    i = unit.next;
  }
  failure[0] = 0;
  for (std::size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && folded[i] != folded[k]) k = failure[k - 1];
    if (folded[i] == folded[k]) ++k;
    failure[i] = k;
  }

  std::string out;
  std::size_t copied = 0;  // text before this offset is already in `out`
  std::size_t matched = 0;
  std::size_t unit_index = 0;
  for (std::size_t i = 0; i < text.size(); ++unit_index) {
    const auto byte = static_cast<unsigned char>(text[i]);
    char32_t value;
    std::size_t next;
    if (byte < 0x80) {
      value = static_cast<char32_t>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
      next = i + 1;
    } else {
      const Utf8Unit unit = DecodeUtf8At(text, i);
      value = FoldCase(unit.value);
      next = unit.next;
    }
    starts[unit_index % m] = i;
    while (matched > 0 && value != folded[matched]) matched = failure[matched - 1];
    if (value == folded[matched]) ++matched;
    if (matched == m) {
      const std::size_t match_start = starts[(unit_index + 1) % m];
      if (out.empty()) out.reserve(text.size() + replacement.size());
      out.append(text.substr(copied, match_start - copied));
      out.append(replacement);
      copied = next;
      matched = 0;
    }
    i = next;
  }
  if (copied == 0) return std::string(text);
  out.append(text.substr(copied));
  return out;
}

std::string TagValue(std::string_view text, std::string_view open, std::string_view close) {
  const std::size_t p = text.find(open);
  const std::size_t q = text.find(close);
  if (p == std::string_view::npos || q == std::string_view::npos) return {};
  const std::size_t begin = p + open.size();
  if (q <= begin) return {};
  return std::string(text.substr(begin, q - begin));
}

std::string MakeLinkRewrite(std::string_view text) {
  // Lower-casing, punctuation to hyphens, shortening of hyphen runs and encoding, fused into one
  // walk: a run of hyphens is only counted and written out, shortened, when it ends.
  std::string out;
  out.reserve(3 * text.size());
  std::size_t hyphens = 0;
  auto end_run = [&] {
    if (hyphens > 0) out.append(CollapsedHyphenRun(hyphens), '-');
    hyphens = 0;
  };
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Unit unit = DecodeUtf8At(text, i);
    // A few letters lower-case into ASCII (KELVIN SIGN to "k"), so the ASCII rules apply after mapping.
    const char32_t lowered = unit.valid ? LowerCaseCodePoint(unit.value) : unit.value;
    if (lowered < 0x80) {
      const auto c = static_cast<unsigned char>(lowered);
      if (c == '-' || kLinkPunctuation[c]) {
        ++hyphens;
      } else {
        end_run();
        AppendUrlEncodedByte(out, c);
      }
    } else {
      end_run();
      if (unit.valid) {
        char bytes[4];
        for (std::size_t k = 0, n = EncodeUtf8(lowered, bytes); k < n; ++k) {
          AppendUrlEncodedByte(out, static_cast<unsigned char>(bytes[k]));
        }
      } else {
        AppendUrlEncodedByte(out, static_cast<unsigned char>(text[i]));
      }
    }
    i = unit.next;
  }
  end_run();
  return out;
}

std::string UrlEncodeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char c : text) AppendUrlEncodedByte(out, static_cast<unsigned char>(c));
  return out;
}

std::string SearchNumber(std::string_view article_number) {
  std::string out;
  out.reserve(article_number.size());
  for (char c : article_number) {
    const auto byte = static_cast<unsigned char>(c);
    if (!IsAsciiLetterOrDigit(byte)) continue;
    out += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte);
  }
  return out;
}

std::string TagText(std::string_view text) {
  const std::string_view trimmed = TrimView(text);
  std::string out;
  out.reserve(trimmed.size());
  for (std::size_t i = 0; i < trimmed.size();) {
    const auto byte = static_cast<unsigned char>(trimmed[i]);
    if (byte < 0x80) {
      out += byte == ' ' || IsAsciiLetterOrDigit(byte) ? static_cast<char>(byte) : ' ';
      ++i;
    } else {
      out += ' ';  // one blank per character, whatever its UTF-8 length
      i = DecodeUtf8At(trimmed, i).next;
    }
  }
  return out;
}

std::string LocalDecimal(std::string_view number_text, const RegionalSettings& regional) {
  std::string out(number_text);
  const char from = regional.decimal_separator == '.' ? ',' : '.';
  for (char& c : out) {
    if (c == from) c = regional.decimal_separator;
  }
  return out;
}

std::string YearMonthText(std::string_view yyyymm) {
  std::string out(CharacterRange(yyyymm, 4, 2));
  out += '/';
  out.append(CharacterRange(yyyymm, 0, 4));
  if (TrimView(out) == "/") return {};
  return out;
}

std::int64_t CountFileLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) throw std::runtime_error("Cannot open the file \"" + path.string() + "\"");
  std::int64_t lines = 0;
  bool line_open = false;  // characters seen since the last line end
  bool after_cr = false;   // a LF right after a CR ends no further line
  std::array<char, 64 * 1024> chunk;
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got; ++i) {
      const char c = chunk[static_cast<std::size_t>(i)];
      if (c == '\n') {
        if (!after_cr) ++lines;
        line_open = false;
        after_cr = false;
      } else if (c == '\r') {
        ++lines;
        line_open = false;
        after_cr = true;
      } else {
        line_open = true;
        after_cr = false;
      }
    }
  }
  if (in.bad()) throw std::runtime_error("Cannot read the file \"" + path.string() + "\"");
  return line_open ? lines + 1 : lines;
}

std::string ProgramFilesFolder() {
  return platform::ReadMachineRegistryText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
}

}  // namespace quarvel
