#include "core/setting_values.h"

#include <charconv>

namespace quarvel {

std::optional<int> ParseInteger(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  text = text.substr(b, e - b);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatIdList(const std::vector<long long>& ids) {
  std::string out;
  for (long long id : ids) {
    out += '[';
    out += std::to_string(id);
    out += ']';
  }
  return out;
}

bool IdListContains(std::string_view list, std::string_view id_text) {
  std::string needle;
  needle.reserve(id_text.size() + 2);
  needle += '[';
  needle += id_text;
  needle += ']';
  return list.find(needle) != std::string_view::npos;
}

bool IdListContains(std::string_view list, long long id) { return IdListContains(list, std::to_string(id)); }

std::string JoinItemList(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) {
    out += item;
    out += "###";
  }
  return out;
}

std::vector<std::string> SplitItemList(std::string_view text) {
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t pos = text.find("###"); pos != std::string_view::npos; pos = text.find("###", start)) {
    std::string_view piece = text.substr(start, pos - start);
    if (piece.find_first_not_of(' ') != std::string_view::npos) items.emplace_back(piece);
    start = pos + 3;
  }
  return items;
}

}  // namespace quarvel
