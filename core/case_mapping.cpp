#include "core/case_mapping.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>

namespace quarvel {
namespace {

template <typename Map>
std::string MapEachCodePoint(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {  // ASCII dominates catalogue texts; skip the decoder for it
      out += static_cast<char>(map(byte));
      ++i;
      continue;
    }
    const Utf8Unit unit = DecodeUtf8At(text, i);
    if (unit.valid) {
      AppendUtf8(out, static_cast<char32_t>(map(static_cast<UChar32>(unit.value))));
    } else {
      out.append(text.substr(i, unit.next - i));
    }
    i = unit.next;
  }
  return out;
}

}  // namespace

Utf8Unit DecodeUtf8At(std::string_view text, std::size_t offset) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int64_t>(text.size());
  auto i = static_cast<std::int64_t>(offset);
  UChar32 c = 0;
  U8_NEXT(bytes, i, length, c);
  if (c < 0) {
    // Advance by one byte only, so text and pattern split invalid input into the same units.
    return {kInvalidByteBase + bytes[offset], offset + 1, false};
  }
  return {static_cast<char32_t>(c), static_cast<std::size_t>(i), true};
}

char32_t FoldCase(char32_t value) {
  if (value >= kInvalidByteBase) return value;
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(value), U_FOLD_CASE_DEFAULT));
}

char32_t LowerCaseCodePoint(char32_t code_point) {
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(code_point)));
}

std::size_t EncodeUtf8(char32_t code_point, char bytes[4]) {
  std::uint8_t buffer[U8_MAX_LENGTH];
  std::int32_t length = 0;
  U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(code_point));
  std::memcpy(bytes, buffer, static_cast<std::size_t>(length));
  return static_cast<std::size_t>(length);
}

void AppendUtf8(std::string& out, char32_t code_point) {
  char bytes[4];
  out.append(bytes, EncodeUtf8(code_point, bytes));
}

std::string UpperCase(std::string_view text) {
  return MapEachCodePoint(text, [](UChar32 c) { return u_toupper(c); });
}

std::string LowerCase(std::string_view text) {
  return MapEachCodePoint(text, [](UChar32 c) { return u_tolower(c); });
}

}  // namespace quarvel
