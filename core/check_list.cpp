#include "core/check_list.h"

#include "core/setting_values.h"

namespace quarvel {

std::string CheckList::CheckedIdList() const {
  std::string out;
  for (const CheckListEntry& e : entries)
    if (e.checked) out += "[" + e.id + "]";
  return out;
}

void CheckList::CheckFromIdList(std::string_view id_list) {
  for (CheckListEntry& e : entries) e.checked = IdListContains(id_list, e.id);
}

void CheckList::SetAllChecked(bool checked) {
  for (CheckListEntry& e : entries) e.checked = checked;
}

void CheckList::ToggleAll(int selected) {
  if (entries.empty()) return;
  size_t index = selected >= 0 && static_cast<size_t>(selected) < entries.size() ? static_cast<size_t>(selected) : 0;
  SetAllChecked(!entries[index].checked);
}

}  // namespace quarvel
