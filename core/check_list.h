#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

// One entry of a check list on a page: the text shown, the id it carries, its check.
struct CheckListEntry {
  std::string text;
  std::string id;
  bool checked = false;
};

// A check list whose checks are kept in the settings file as a bracketed id list.
struct CheckList {
  std::vector<CheckListEntry> entries;
  // Set when the list was filled during this run; lists never filled keep their saved checks.
  bool filled = false;

  // "[id]" of every checked entry, in list order.
  std::string CheckedIdList() const;
  // Checks exactly the entries whose "[id]" occurs in the value.
  void CheckFromIdList(std::string_view id_list);
  void SetAllChecked(bool checked);
  // "Check | uncheck all": the selected entry's check (the first entry's when none is selected,
  // selected < 0) inverted and given to every entry; nothing happens to an empty list.
  void ToggleAll(int selected);
};

}  // namespace quarvel
