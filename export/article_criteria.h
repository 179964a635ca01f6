#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/options.h"
#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

// One criterion of an article as the catalogue gives it: CRINAME and CRIVALUE.
struct CriteriaRow {
  std::string name;
  std::string value;
  bool operator==(const CriteriaRow&) const = default;
};

// What `ArticleCriteria` takes from the settings.
struct ArticleCriteriaSettings {
  std::string text_template;               // Pro_val_ADDCRITERY, as typed
  bool dimensions_from_catalogue = false;  // "from TecDoc (select compliance for these values)"
  std::array<std::string, 4>
      dimension_criteria;  // the criterion names chosen for width, height, depth, weight

  static ArticleCriteriaSettings FromOptions(const Options& options);
};

// The criteria of one article: its ADDCRITERY text, Cri1 .. Cri4 and CriCount.
struct ArticleCriteriaValues {
  std::string add_critery;
  // The first value of each dimension's criterion, "," replaced by "."; empty when none.
  std::array<std::optional<std::string>, 4> dimensions;
  std::size_t count = 0;
  bool operator==(const ArticleCriteriaValues&) const = default;
};

// `ArticleCriteria` from the article's rows in statement order: each "{" + name + "}" of the
// template is replaced (ignoring case) by its value, then every remaining "{...}" is removed (a
// "}" with no "{" before it stays) and the result trimmed.
ArticleCriteriaValues BuildArticleCriteria(const std::vector<CriteriaRow>& rows,
                                           const ArticleCriteriaSettings& settings);

// The statement of one article's criteria, ordered by CRINAME, CRIVALUE.
std::string ArticleCriteriaSql(int country_id, int language_id, std::int64_t article_id);
// The same for several articles at once, with the article id as column ARTID, ordered by the
// article id, then CRINAME, CRIVALUE: each article gets exactly the rows of its own statement.
std::string ArticleCriteriaBatchSql(int country_id, int language_id,
                                    std::span<const std::int64_t> article_ids);

// The rows of one article's own statement.
std::vector<CriteriaRow> ReadArticleCriteriaRows(platform::CatalogueConnection& catalogue, int country_id,
                                                 int language_id, std::int64_t article_id);

// Criteria rows of many articles read in statements of up to kArticlesPerStatement ids, so an
// export of many articles does not pay one round trip per article.
class ArticleCriteriaBatch {
 public:
  static constexpr std::size_t kArticlesPerStatement = 500;

  ArticleCriteriaBatch(platform::CatalogueConnection& catalogue, int country_id, int language_id)
      : catalogue_(catalogue), country_id_(country_id), language_id_(language_id) {}

  // Replaces the held rows by those of these articles (any number; read in slices).
  void Load(std::span<const std::int64_t> article_ids);
  // The rows of an article of the last Load, in statement order; empty when it has none.
  const std::vector<CriteriaRow>& Rows(std::int64_t article_id) const;

 private:
  platform::CatalogueConnection& catalogue_;
  int country_id_;
  int language_id_;
  std::unordered_map<std::int64_t, std::vector<CriteriaRow>> rows_;
};

}  // namespace quarvel::exporting
