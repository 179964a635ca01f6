#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quarvel {

// Case mapping that does not depend on the machine's LANG: Unicode simple (one code point to one)
// mapping in the root locale, so URL names and upper-cased texts come out the same on every machine.
// Bytes that are not valid UTF-8 are passed through unchanged.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// One step of a UTF-8 walk. A byte that does not start a valid sequence is a unit of its own, with
// a value above the Unicode range (kInvalidByteBase + byte), so it equals only the same byte.
struct Utf8Unit {
  char32_t value;
  std::size_t next;  // offset of the following unit
  bool valid;
};
inline constexpr char32_t kInvalidByteBase = 0x110000;

// `offset` must be less than text.size().
Utf8Unit DecodeUtf8At(std::string_view text, std::size_t offset);

// Unicode simple case folding of one unit; invalid-byte units stay as they are.
char32_t FoldCase(char32_t value);

// Simple lower-case mapping of one valid code point.
char32_t LowerCaseCodePoint(char32_t code_point);

// Writes the UTF-8 form of a valid code point into `bytes` and gives its length (1 to 4).
std::size_t EncodeUtf8(char32_t code_point, char bytes[4]);
void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace quarvel
