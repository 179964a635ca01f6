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

}  // namespace quarvel
