#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

// `CrossReferenceText`: the cross-reference numbers of an article, "BRAND CODE, CODE<br>BRAND
// CODE". Raw text.

// One row of the statement: BRAND and CODE.
struct CrossReference {
  std::string brand;
  std::string code;
  bool operator==(const CrossReference&) const = default;
};

// The statement of one article, ordered by BRAND, CODE.
std::string CrossReferenceSql(int country_id, std::int64_t article_id);
// The same for several articles with the article id as column ARTID, ordered by it first: each
// article gets exactly the rows of its own statement, in the same order.
std::string CrossReferenceBatchSql(int country_id, std::span<const std::int64_t> article_ids);

// The text of an article's rows in statement order; empty for none.
std::string CrossReferenceTextOf(const std::vector<CrossReference>& rows);

// One article's text through its own statement.
std::string CrossReferenceText(platform::CatalogueConnection& catalogue, int country_id,
                               std::int64_t article_id);

// The texts of many articles, read in statements of up to kIdsPerStatement ids.
class CrossReferenceBatch {
 public:
  static constexpr std::size_t kIdsPerStatement = 500;

  // Replaces the held texts by those of these articles.
  void Load(platform::CatalogueConnection& catalogue, int country_id,
            std::span<const std::int64_t> article_ids);
  bool Holds(std::int64_t article_id) const { return loaded_.contains(article_id); }
  // The text of an article of the last Load (empty when it has no cross references).
  const std::string& Text(std::int64_t article_id) const;

 private:
  std::unordered_map<std::int64_t, std::string> loaded_;
};

}  // namespace quarvel::exporting
