#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "bench/catalogue_generator/table_inserter.h"
#include "bench/catalogue_generator/text_pools.h"

namespace quarvel::bench {

// Catalogue language ids: English, German, Russian.
inline constexpr std::int64_t kEnglishId = 4;
inline constexpr std::int64_t kGermanId = 1;
inline constexpr std::int64_t kRussianId = 16;

// Writes designations (TOF_DESIGNATIONS, TOF_COUNTRY_DESIGNATIONS) and their texts (TOF_DES_TEXTS).
// Equal texts share one TEX_ID, as in the real catalogue.
class DesignationBook {
 public:
  explicit DesignationBook(SqliteDatabase& db);

  // One DES_ID with a row per language that has a text.
  std::int64_t Add(const Translation& texts);
  // A language-neutral designation (DES_LNG_ID NULL), such as a plain value.
  std::int64_t AddNeutral(std::string_view text);
  // One CDS_ID with a row per language, valid in the given countries.
  std::int64_t AddCountry(const Translation& texts, std::string_view countries);

  const TableInserter& texts() const { return texts_; }
  const TableInserter& designations() const { return designations_; }
  const TableInserter& country_designations() const { return country_designations_; }

 private:
  std::int64_t TextId(std::string_view text);

  TableInserter texts_;
  TableInserter designations_;
  TableInserter country_designations_;
  std::unordered_map<std::string, std::int64_t> text_ids_;
  std::int64_t next_des_id_ = 1;
  std::int64_t next_cds_id_ = 1;
};

}  // namespace quarvel::bench
