#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

// Reads a whole decimal integer, optional sign, blanks around it allowed; nullopt otherwise
// (also on overflow), as the settings file's integer and boolean keys are read.
std::optional<int> ParseInteger(std::string_view text);

// Bracketed id lists: "[5][117][2003]".
std::string FormatIdList(const std::vector<long long>& ids);
// True when "[" + id + "]" occurs in the stored value (so [12][123] holds 12 and 123, not 1 or 23).
bool IdListContains(std::string_view list, long long id);
bool IdListContains(std::string_view list, std::string_view id_text);

// Item lists with ### terminators: every line followed by "###".
std::string JoinItemList(const std::vector<std::string>& items);
// Cut at each "###"; pieces that are blank after trimming spaces are skipped, others kept as they
// stand; text after the last "###" is ignored.
std::vector<std::string> SplitItemList(std::string_view text);

}  // namespace quarvel
