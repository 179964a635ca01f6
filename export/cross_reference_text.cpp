#include "export/cross_reference_text.h"

#include <algorithm>

#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

std::string Statement(int country_id, const std::string& id_column, const std::string& article_test,
                      const std::string& order) {
  return JoinSqlLines(
      {"SELECT DISTINCT",
       id_column + "       (SELECT MIN(BRA_BRAND) FROM TOF_BRANDS WHERE BRA_ID=ARL_BRA_ID) AS BRAND,",
       "       ARL_SEARCH_NUMBER AS CODE", "FROM TOF_ART_LOOKUP",
       "WHERE (" + CountryTest("ARL_CTM", country_id) + ")",
       "     AND " + article_test + " AND (ARL_KIND IN ('3','4'))", order});
}

}  // namespace

std::string CrossReferenceSql(int country_id, std::int64_t article_id) {
  return Statement(country_id, "", "(ARL_ART_ID = " + std::to_string(article_id) + ")",
                   "ORDER BY BRAND, CODE");
}

std::string CrossReferenceBatchSql(int country_id, std::span<const std::int64_t> article_ids) {
  return Statement(country_id, "       ARL_ART_ID AS ARTID,\r\n",
                   "(ARL_ART_ID IN (" + JoinIds(article_ids) + "))", "ORDER BY ARTID, BRAND, CODE");
}

std::string CrossReferenceTextOf(const std::vector<CrossReference>& rows) {
  std::string text;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i == 0) {
      text = rows[i].brand + " " + rows[i].code;
    } else if (rows[i].brand == rows[i - 1].brand) {
      text += ", " + rows[i].code;
    } else {
      text += "<br>" + rows[i].brand + " " + rows[i].code;
    }
  }
  return text;
}

std::string CrossReferenceText(platform::CatalogueConnection& catalogue, int country_id,
                               std::int64_t article_id) {
  std::vector<CrossReference> rows;
  for (auto row = catalogue.Query(CrossReferenceSql(country_id, article_id)); !row.AtEnd(); row.Next())
    rows.push_back({row.Text("BRAND"), row.Text("CODE")});
  return CrossReferenceTextOf(rows);
}

void CrossReferenceBatch::Load(platform::CatalogueConnection& catalogue, int country_id,
                               std::span<const std::int64_t> article_ids) {
  loaded_.clear();
  for (std::int64_t id : article_ids) loaded_.try_emplace(id);
  std::unordered_map<std::int64_t, std::vector<CrossReference>> rows;
  for (std::size_t start = 0; start < article_ids.size(); start += kIdsPerStatement) {
    auto slice = article_ids.subspan(start, std::min(kIdsPerStatement, article_ids.size() - start));
    auto row = catalogue.Query(CrossReferenceBatchSql(country_id, slice));
    const int id_column = row.ColumnIndex("ARTID");
    const int brand_column = row.ColumnIndex("BRAND");
    const int code_column = row.ColumnIndex("CODE");
    for (; !row.AtEnd(); row.Next())
      rows[row.Integer(id_column)].push_back({row.Text(brand_column), row.Text(code_column)});
  }
  for (auto& [id, article_rows] : rows) {
    auto it = loaded_.find(id);
    if (it != loaded_.end()) it->second = CrossReferenceTextOf(article_rows);
  }
}

const std::string& CrossReferenceBatch::Text(std::int64_t article_id) const {
  static const std::string kNone;
  auto it = loaded_.find(article_id);
  return it == loaded_.end() ? kNone : it->second;
}

}  // namespace quarvel::exporting
