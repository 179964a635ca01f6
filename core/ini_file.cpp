#include "core/ini_file.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <unordered_set>

#include "core/atomic_file.h"

namespace quarvel {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string OneLine(std::string_view value) {
  std::string out(value);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

std::string IniFile::IndexKey(std::string_view section, std::string_view key) {
  return Lower(section) + '\n' + Lower(key);
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return IniFile();
  std::ifstream in(path, std::ios::binary);
  if (!in || std::filesystem::is_directory(path, ec))
    throw std::runtime_error("Cannot read file \"" + path.string() + "\"");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read file \"" + path.string() + "\"");
  return Parse(bytes);
}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  std::string section;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    Line line;
    line.text = std::string(raw);
    std::string_view t = Trim(raw);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      line.kind = LineKind::Section;
      section = std::string(Trim(t.substr(1, t.size() - 2)));
      line.section = section;
    } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
      size_t eq = t.find('=');
      if (eq != std::string_view::npos && !Trim(t.substr(0, eq)).empty()) {
        line.kind = LineKind::Key;
        line.section = section;
        line.key = std::string(Trim(t.substr(0, eq)));
        line.value = std::string(Trim(t.substr(eq + 1)));
      }
    }
    ini.lines_.push_back(std::move(line));
  }
  ini.Reindex();
  return ini;
}

void IniFile::Reindex() {
  keys_.clear();
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == LineKind::Key) keys_.try_emplace(IndexKey(lines_[i].section, lines_[i].key), i);
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  auto it = keys_.find(IndexKey(section, key));
  if (it == keys_.end()) return std::nullopt;
  return lines_[it->second].value;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string one_line = OneLine(value);
  auto it = keys_.find(IndexKey(section, key));
  if (it != keys_.end()) {
    Line& line = lines_[it->second];
    if (line.value != one_line) {
      line.value = std::move(one_line);
      line.changed = true;
    }
    return;
  }
  Line line;
  line.kind = LineKind::Key;
  line.key = std::string(key);
  line.value = std::move(one_line);
  line.changed = true;

  // After the last key of the section's first occurrence, or right after its header; comments and
  // blank lines before the next header belong to that next section.
  std::string wanted = Lower(section);
  std::optional<size_t> insert_at;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (l.kind == LineKind::Section) {
      if (insert_at) break;
      if (l.section.size() == wanted.size() && Lower(l.section) == wanted) {
        insert_at = i + 1;
        line.section = l.section;
      }
    } else if (insert_at && l.kind == LineKind::Key) {
      insert_at = i + 1;
    }
  }
  std::string index_key = IndexKey(section, key);
  if (insert_at) {
    for (auto& [k, at] : keys_)
      if (at >= *insert_at) ++at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*insert_at), std::move(line));
    keys_.emplace(std::move(index_key), *insert_at);
  } else {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(Line{});
    Line header;
    header.kind = LineKind::Section;
    header.section = std::string(section);
    header.text = "[" + header.section + "]";
    lines_.push_back(std::move(header));
    line.section = std::string(section);
    lines_.push_back(std::move(line));
    keys_.emplace(std::move(index_key), lines_.size() - 1);
  }
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> out;
  std::unordered_set<std::string> seen;
  std::string wanted = Lower(section);
  for (const Line& line : lines_)
    if (line.kind == LineKind::Key && Lower(line.section) == wanted && seen.insert(Lower(line.key)).second)
      out.push_back(line.key);
  return out;
}

std::string IniFile::Serialize() const {
  std::string out(kBom);
  for (const Line& line : lines_) {
    if (line.kind == LineKind::Key && line.changed)
      out += line.key + "=" + line.value;
    else
      out += line.text;
    out += "\r\n";
  }
  return out;
}

void IniFile::Save(const std::filesystem::path& path) const { WriteFileAtomically(path, Serialize()); }

}  // namespace quarvel
