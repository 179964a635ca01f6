#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "bench/catalogue_generator/designation_book.h"
#include "bench/catalogue_generator/generator_options.h"
#include "bench/catalogue_generator/random_source.h"
#include "bench/catalogue_generator/sqlite_database.h"

namespace quarvel::bench {

// Country fields list the countries a row is valid for, each between commas. Most rows are valid
// everywhere; a few only in Germany (1, so a country-250 export must skip them) or only in 250.
inline constexpr std::string_view kEverywhere = ",1,62,199,249,250,251,252,";
inline constexpr std::string_view kGermanyOnly = ",1,";
inline constexpr std::string_view kUkraineOnly = ",250,";
inline constexpr std::string_view kNowhere = ",";

// A picture of a supplier that articles may link to.
struct SupplierPicture {
  std::int64_t graphic_id;
};

// What one generation run shares between its steps: the file, the random source, the designation
// writer, the ids earlier steps produced, and the row count of every table.
struct GenerationContext {
  GenerationContext(SqliteDatabase& database, const GeneratorOptions& run_options)
      : db(database), options(run_options), random(run_options.seed), designations(database) {}

  // Mostly kEverywhere; about 1 row in 25 restricted.
  std::string_view CountryField() {
    std::int64_t roll = random.Below(100);
    if (roll < 96) return kEverywhere;
    if (roll < 98) return kGermanyOnly;
    if (roll < 99) return kUkraineOnly;
    return kNowhere;
  }
  void Count(const TableInserter& inserter) { rows[inserter.table()] += inserter.rows(); }

  SqliteDatabase& db;
  const GeneratorOptions& options;
  RandomSource random;
  DesignationBook designations;
  std::map<std::string, std::int64_t> rows;

  std::vector<std::int64_t> type_ids;
  std::vector<std::int64_t> manufacturer_ids;
  std::vector<std::string> manufacturer_names;  // parallel to manufacturer_ids
  std::vector<std::int64_t> generic_article_ids;
  std::vector<std::int64_t> generic_article_des_ids;  // parallel to generic_article_ids
  std::vector<std::int64_t> supplier_ids;
  std::vector<std::vector<SupplierPicture>> supplier_pictures;  // parallel to supplier_ids
  std::vector<std::int64_t> oe_brand_ids;
  std::vector<std::int64_t> criterion_ids;
  std::vector<std::int64_t> key_value_des_ids;
  std::vector<std::int64_t> remark_des_ids;
  std::vector<std::int64_t> text_module_ids;
};

}  // namespace quarvel::bench
