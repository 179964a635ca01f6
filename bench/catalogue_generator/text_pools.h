#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace quarvel::bench {

// One designation in the catalogue languages; an empty text means the catalogue has none in that
// language (real catalogues lack translations, and exports must cope).
struct Translation {
  std::string_view english;
  std::string_view german;
  std::string_view russian;
};

// Names of trade groups (search tree), generic articles, their qualifiers, criteria, body styles
// and other key values. Some contain quotes and backslashes on purpose: every text reaches SQL
// scripts and files the export writes.
std::span<const Translation> TreeRootNames();
std::span<const Translation> TreeNodeNames();
std::span<const Translation> GenericArticleNames();
std::span<const Translation> PositionQualifiers();
std::span<const Translation> CriterionNames();
std::span<const Translation> CriterionKeyValues();
std::span<const Translation> BodyStyles();
std::span<const Translation> FuelKinds();
std::span<const Translation> DriveKinds();
std::span<const Translation> ArticleRemarks();
std::span<const Translation> InfoTexts();

// Car makers (some Cyrillic, one with an apostrophe), model families and part makers.
std::span<const std::string_view> CarMakerNames();
std::span<const std::string_view> ModelFamilyNames();
std::span<const std::string_view> PartMakerNames();

}  // namespace quarvel::bench
