#include "core/options.h"

#include <array>
#include <cassert>
#include <charconv>

#include "core/setting_values.h"

namespace quarvel {

namespace {

constexpr std::array<OptionSpec, static_cast<size_t>(OptionId::Count)> kSpecs = {{
#define X(section, key, kind, def, caption) \
  {OptionId::section##_##key, #section, #key, OptionKind::kind, def, caption},
#include "core/option_table.inc"
#undef X
}};

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::span<const OptionSpec> AllOptionSpecs() { return kSpecs; }

const OptionSpec& SpecOf(OptionId id) {
  assert(id < OptionId::Count);
  return kSpecs[static_cast<size_t>(id)];
}

const OptionSpec* FindOptionSpec(std::string_view section, std::string_view key) {
  for (const OptionSpec& entry : kSpecs)
    if (EqualsIgnoreAsciiCase(entry.section, section) && EqualsIgnoreAsciiCase(entry.key, key)) return &entry;
  return nullptr;
}

Options::Options() : values_(static_cast<size_t>(OptionId::Count)) {
  for (const OptionSpec& entry : kSpecs) ResetToDefault(entry.id);
}

Options::Value& Options::At(OptionId id) { return values_.at(static_cast<size_t>(id)); }
const Options::Value& Options::At(OptionId id) const { return values_.at(static_cast<size_t>(id)); }

const std::string& Options::Text(OptionId id) const { return At(id).text; }
void Options::SetText(OptionId id, std::string value) { At(id).text = std::move(value); }
int Options::Integer(OptionId id) const { return At(id).integer; }
void Options::SetInteger(OptionId id, int value) { At(id).integer = value; }
bool Options::Boolean(OptionId id) const { return At(id).boolean; }
void Options::SetBoolean(OptionId id, bool value) { At(id).boolean = value; }
const std::vector<std::string>& Options::Items(OptionId id) const { return At(id).items; }
void Options::SetItems(OptionId id, std::vector<std::string> items) { At(id).items = std::move(items); }

std::string Options::FileText(OptionId id) const {
  const Value& v = At(id);
  switch (SpecOf(id).kind) {
    case OptionKind::Text:
    case OptionKind::IdList:
      return v.text;
    case OptionKind::Integer:
      return std::to_string(v.integer);
    case OptionKind::Boolean:
      return v.boolean ? "1" : "0";
    case OptionKind::ItemList:
      return JoinItemList(v.items);
  }
  return {};
}

void Options::SetFromFileText(OptionId id, std::string_view text) {
  const OptionSpec& entry = SpecOf(id);
  Value& v = At(id);
  switch (entry.kind) {
    case OptionKind::Text:
    case OptionKind::IdList:
      v.text = std::string(text);
      return;
    case OptionKind::Integer:
    case OptionKind::Boolean: {
      std::optional<int> n = ParseInteger(text);
      if (!n) {
        ResetToDefault(id);
        return;
      }
      if (entry.kind == OptionKind::Integer)
        v.integer = *n;
      else
        v.boolean = *n != 0;
      return;
    }
    case OptionKind::ItemList:
      v.items = SplitItemList(text);
      return;
  }
}

void Options::ResetToDefault(OptionId id) {
  const OptionSpec& entry = SpecOf(id);
  Value& v = At(id);
  v = Value{};
  switch (entry.kind) {
    case OptionKind::Text:
    case OptionKind::IdList:
      v.text = std::string(entry.default_text);
      break;
    case OptionKind::Integer:
      v.integer = ParseInteger(entry.default_text).value_or(0);
      break;
    case OptionKind::Boolean:
      v.boolean = entry.default_text == "1";
      break;
    case OptionKind::ItemList:
      v.items = SplitItemList(entry.default_text);
      break;
  }
}

}  // namespace quarvel
