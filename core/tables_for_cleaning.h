#pragma once

#include <array>
#include <string_view>

#include "core/check_list.h"

namespace quarvel {

inline constexpr std::size_t kTablesForCleaningCount = 31;

// The store tables a clean installation may empty, in the order they are emptied. The position
// in this list is the id the settings file stores for a checked table.
const std::array<std::string_view, kTablesForCleaningCount>& TablesForCleaning();

// Refills the list with one entry per table (text the bare table name, id its position) and checks
// the entries whose "[" + position + "]" occurs in the stored value.
void FillCleaningTables(CheckList& list, std::string_view stored_checks);

}  // namespace quarvel
