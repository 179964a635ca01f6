#include "bench/catalogue_generator/designation_book.h"

#include <optional>

namespace quarvel::bench {

DesignationBook::DesignationBook(SqliteDatabase& db)
    : texts_(db, "TOF_DES_TEXTS", {"TEX_ID", "TEX_TEXT"}),
      designations_(db, "TOF_DESIGNATIONS", {"DES_ID", "DES_LNG_ID", "DES_TEX_ID"}),
      country_designations_(db, "TOF_COUNTRY_DESIGNATIONS",
                            {"CDS_ID", "CDS_LNG_ID", "CDS_TEX_ID", "CDS_CTM"}) {}

std::int64_t DesignationBook::TextId(std::string_view text) {
  auto [it, added] =
      text_ids_.try_emplace(std::string(text), static_cast<std::int64_t>(text_ids_.size()) + 1);
  if (added) texts_.Insert(it->second, text);
  return it->second;
}

std::int64_t DesignationBook::Add(const Translation& texts) {
  std::int64_t id = next_des_id_++;
  const std::pair<std::int64_t, std::string_view> rows[] = {
      {kEnglishId, texts.english}, {kGermanId, texts.german}, {kRussianId, texts.russian}};
  for (const auto& [language, text] : rows) {
    if (!text.empty()) designations_.Insert(id, language, TextId(text));
  }
  return id;
}

std::int64_t DesignationBook::AddNeutral(std::string_view text) {
  std::int64_t id = next_des_id_++;
  designations_.Insert(id, std::nullopt, TextId(text));
  return id;
}

std::int64_t DesignationBook::AddCountry(const Translation& texts, std::string_view countries) {
  std::int64_t id = next_cds_id_++;
  const std::pair<std::int64_t, std::string_view> rows[] = {
      {kEnglishId, texts.english}, {kGermanId, texts.german}, {kRussianId, texts.russian}};
  for (const auto& [language, text] : rows) {
    if (!text.empty()) country_designations_.Insert(id, language, TextId(text), countries);
  }
  return id;
}

}  // namespace quarvel::bench
