#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/catalogue_tables.h"
#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

// `UsedForCars`: the vehicles an article fits, as lines ("brand model type<br>") or table rows
// ("<tr><td>brand</td><td>model</td><td>type</td></tr>"), sorted, without duplicates, only for
// types the run exports. Raw text.

enum class UsedForCarsForm { kList, kTable };

// The statement of one article's vehicle types (column TYPID).
std::string UsedForCarsSql(int country_id, std::int64_t article_id);
// The same for several articles with the article id as column ARTID, ordered by it.
std::string UsedForCarsBatchSql(int country_id, std::span<const std::int64_t> article_ids);

// The vehicle types of one article through its own statement, in row order.
std::vector<std::int64_t> ReadUsedForCarsTypes(platform::CatalogueConnection& catalogue, int country_id,
                                               std::int64_t article_id);

// The list built from an article's types: each type active in `tables.cars` gives brand, expanded
// model title and expanded type title (main language, as the templates give them).
std::string UsedForCarsText(std::span<const std::int64_t> type_ids, const CatalogueTables& tables,
                            std::string_view model_title_template, std::string_view type_title_template,
                            UsedForCarsForm form);

// One article's text through its own statement.
std::string UsedForCars(platform::CatalogueConnection& catalogue, int country_id,
                        const CatalogueTables& tables, std::string_view model_title_template,
                        std::string_view type_title_template, std::int64_t article_id, UsedForCarsForm form);

// The vehicle types of many articles, read in statements of up to kIdsPerStatement ids.
class UsedForCarsBatch {
 public:
  static constexpr std::size_t kIdsPerStatement = 500;

  // Replaces the held types by those of these articles.
  void Load(platform::CatalogueConnection& catalogue, int country_id,
            std::span<const std::int64_t> article_ids);
  bool Holds(std::int64_t article_id) const { return loaded_.contains(article_id); }
  // The types of an article of the last Load, in row order.
  const std::vector<std::int64_t>& Types(std::int64_t article_id) const;

 private:
  std::unordered_map<std::int64_t, std::vector<std::int64_t>> loaded_;
};

}  // namespace quarvel::exporting
