#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarvel {

// An INI file held whole in memory and written back whole, changing only the keys that were set.
//
// Reading takes UTF-8 with or without a byte-order mark and CR LF or LF line ends. Section and
// key names match without regard to ASCII case; blanks around names and values are ignored.
// Comments and lines that are not understood stay where they were; of duplicate keys the first
// counts, for reading and for writing. Writing gives UTF-8 with a byte-order mark and CR LF; a new
// key goes after the last key of its section, a new section to the end of the file.
class IniFile {
 public:
  IniFile() = default;

  // A missing file gives an empty one; a file that exists but cannot be read throws
  // std::runtime_error naming it, so that a later save cannot silently replace it.
  static IniFile Load(const std::filesystem::path& path);
  static IniFile Parse(std::string_view bytes);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const { return Get(section, key).has_value(); }
  // Line breaks inside a value would start new lines of the file; they are stored as blanks.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // The key names of a section, as spelled in the file, in file order, each once.
  std::vector<std::string> Keys(std::string_view section) const;

  std::string Serialize() const;
  // Writes through AtomicFile: on failure the file on disk stays as it was and the error propagates.
  void Save(const std::filesystem::path& path) const;

 private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    LineKind kind = LineKind::Other;
    std::string text;     // the line as read (Other, Section, unchanged Key)
    std::string section;  // Section: its name; Key: the name of the section it is in
    std::string key;
    std::string value;
    bool changed = false;
  };

  void Reindex();
  static std::string IndexKey(std::string_view section, std::string_view key);

  std::vector<Line> lines_;
  // First line of each key, by lowered section and key.
  std::unordered_map<std::string, std::size_t> keys_;
};

}  // namespace quarvel
