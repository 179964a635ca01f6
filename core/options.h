#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

// How a value is held in the settings file.
enum class OptionKind {
  Text,      // stored as it stands
  Integer,   // decimal text; unreadable text gives the default
  Boolean,   // "1"/"0"; any integer other than 0 is true, other text gives the default
  IdList,    // bracketed ids, "[5][117][2003]"
  ItemList,  // lines, each followed by "###"
};

// One enumerator per settings key, named Section_Key after the file's own spelling.
enum class OptionId {
#define X(section, key, kind, def, caption) section##_##key,
#include "core/option_table.inc"
#undef X
  Count
};

struct OptionSpec {
  OptionId id;
  std::string_view section;
  std::string_view key;
  OptionKind kind;
  std::string_view default_text;
  // The caption the user sees. Radio pairs and radio groups list their choices separated by '|',
  // the first choice being the one a true (or 1) value selects.
  std::string_view caption;
};

std::span<const OptionSpec> AllOptionSpecs();
const OptionSpec& SpecOf(OptionId id);
// Finds a key by section and key name without regard to case; nullptr when unknown.
const OptionSpec* FindOptionSpec(std::string_view section, std::string_view key);

// The typed options model: every settings key with its current value, defaults until loaded.
class Options {
 public:
  Options();

  const std::string& Text(OptionId id) const;
  void SetText(OptionId id, std::string value);
  int Integer(OptionId id) const;
  void SetInteger(OptionId id, int value);
  bool Boolean(OptionId id) const;
  void SetBoolean(OptionId id, bool value);
  const std::vector<std::string>& Items(OptionId id) const;
  void SetItems(OptionId id, std::vector<std::string> items);

  // The value as the settings file holds it ("1"/"0", decimal, bracketed list, ### list).
  std::string FileText(OptionId id) const;
  // Sets the value from the settings file's text; text that does not read as the key's kind gives
  // the key's default.
  void SetFromFileText(OptionId id, std::string_view text);
  void ResetToDefault(OptionId id);

 private:
  struct Value {
    std::string text;  // Text and IdList
    int integer = 0;   // Integer
    bool boolean = false;
    std::vector<std::string> items;  // ItemList
  };
  Value& At(OptionId id);
  const Value& At(OptionId id) const;
  std::vector<Value> values_;
};

}  // namespace quarvel
