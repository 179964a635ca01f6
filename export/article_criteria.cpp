#include "export/article_criteria.h"

#include "core/text.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

// The statement up to its article condition, and its language lines and order.
std::string CriteriaHead(const std::string& extra_column) {
  return JoinSqlLines(
      {"SELECT  DISTINCT ", extra_column + "    TOF_DES_TEXTS.TEX_TEXT AS CRINAME, ", "  CASE ",
       "    WHEN TOF_DES_TEXTS2.TEX_TEXT IS NULL", "    THEN ACR_VALUE", "    ELSE TOF_DES_TEXTS2.TEX_TEXT",
       "  END AS CRIVALUE ", "        FROM ", "    TOF_ARTICLE_CRITERIA ",
       "    LEFT JOIN TOF_DESIGNATIONS  TOF_DESIGNATIONS2 ON TOF_DESIGNATIONS2.DES_ID = ACR_KV_DES_ID ",
       "    LEFT JOIN TOF_DES_TEXTS  TOF_DES_TEXTS2 ON TOF_DES_TEXTS2.TEX_ID = TOF_DESIGNATIONS2.DES_TEX_ID ",
       "    LEFT JOIN TOF_CRITERIA ON CRI_ID = ACR_CRI_ID ",
       "    LEFT JOIN TOF_DESIGNATIONS ON TOF_DESIGNATIONS.DES_ID = CRI_DES_ID ",
       "    LEFT JOIN TOF_DES_TEXTS ON TOF_DES_TEXTS.TEX_ID = TOF_DESIGNATIONS.DES_TEX_ID "});
}

std::string CriteriaTail(int language_id, const std::string& order) {
  std::string l = std::to_string(language_id);
  return JoinSqlLines(
      {"    \tAND  (TOF_DESIGNATIONS.DES_LNG_ID IS NULL OR TOF_DESIGNATIONS.DES_LNG_ID = " + l + ") ",
       "    \tAND  (TOF_DESIGNATIONS2.DES_LNG_ID IS NULL OR TOF_DESIGNATIONS2.DES_LNG_ID = " + l + ") ",
       order});
}

std::string CountryLine(int country_id) {
  return "WHERE (" + CountryTest("TOF_ARTICLE_CRITERIA.ACR_CTM", country_id) + ")";
}

// Removes every "{", the text up to the next "}" and that "}"; a "{" without a later "}" ends it.
void RemovePlaceholders(std::string& text) {
  std::size_t open = text.find('{');
  while (open != std::string::npos) {
    std::size_t close = text.find('}', open + 1);
    if (close == std::string::npos) break;
    text.erase(open, close - open + 1);
    open = text.find('{', open);
  }
}

}  // namespace

ArticleCriteriaSettings ArticleCriteriaSettings::FromOptions(const Options& options) {
  ArticleCriteriaSettings settings;
  settings.text_template = options.Text(OptionId::PreparationData_Pro_val_ADDCRITERY);
  settings.dimensions_from_catalogue = !options.Boolean(OptionId::PreparationData_Pro_critery_by_default);
  settings.dimension_criteria = {options.Text(OptionId::PreparationData_Pro_Width_td),
                                 options.Text(OptionId::PreparationData_Pro_Height_td),
                                 options.Text(OptionId::PreparationData_Pro_Depth_td),
                                 options.Text(OptionId::PreparationData_Pro_Weight_td)};
  return settings;
}

ArticleCriteriaValues BuildArticleCriteria(const std::vector<CriteriaRow>& rows,
                                           const ArticleCriteriaSettings& settings) {
  ArticleCriteriaValues values;
  std::string text = settings.text_template;
  for (const CriteriaRow& row : rows) {
    if (settings.dimensions_from_catalogue) {
      for (std::size_t d = 0; d < 4; ++d) {
        // An empty choice means no criterion was chosen for the dimension.
        const std::string& chosen = settings.dimension_criteria[d];
        if (!values.dimensions[d] && !chosen.empty() && chosen == row.name) {
          std::string value = row.value;
          for (char& c : value)
            if (c == ',') c = '.';
          values.dimensions[d] = std::move(value);
        }
      }
    }
    text = ReplaceAllIgnoreCase(text, "{" + row.name + "}", row.value);
    ++values.count;
  }
  RemovePlaceholders(text);
  values.add_critery = Trim(text);
  return values;
}

std::string ArticleCriteriaSql(int country_id, int language_id, std::int64_t article_id) {
  return JoinSqlLines({CriteriaHead(""), CountryLine(country_id),
                       "      AND  (TOF_ARTICLE_CRITERIA.ACR_ART_ID = " + std::to_string(article_id) + ")  ",
                       CriteriaTail(language_id, "ORDER BY CRINAME, CRIVALUE    ")});
}

std::string ArticleCriteriaBatchSql(int country_id, int language_id,
                                    std::span<const std::int64_t> article_ids) {
  std::string ids;
  for (std::int64_t id : article_ids) {
    if (!ids.empty()) ids += ',';
    ids += std::to_string(id);
  }
  if (ids.empty()) ids = "0";
  return JoinSqlLines({CriteriaHead("    TOF_ARTICLE_CRITERIA.ACR_ART_ID AS ARTID, \r\n"),
                       CountryLine(country_id),
                       "      AND  (TOF_ARTICLE_CRITERIA.ACR_ART_ID IN (" + ids + "))  ",
                       CriteriaTail(language_id, "ORDER BY ARTID, CRINAME, CRIVALUE    ")});
}

std::vector<CriteriaRow> ReadArticleCriteriaRows(platform::CatalogueConnection& catalogue, int country_id,
                                                 int language_id, std::int64_t article_id) {
  std::vector<CriteriaRow> rows;
  platform::CatalogueCursor c = catalogue.Query(ArticleCriteriaSql(country_id, language_id, article_id));
  const int name = c.ColumnIndex("CRINAME"), value = c.ColumnIndex("CRIVALUE");
  for (; !c.AtEnd(); c.Next()) rows.push_back({c.Text(name), c.Text(value)});
  return rows;
}

void ArticleCriteriaBatch::Load(std::span<const std::int64_t> article_ids) {
  rows_.clear();
  for (std::size_t start = 0; start < article_ids.size(); start += kArticlesPerStatement) {
    auto slice = article_ids.subspan(start, std::min(kArticlesPerStatement, article_ids.size() - start));
    platform::CatalogueCursor c = catalogue_.Query(ArticleCriteriaBatchSql(country_id_, language_id_, slice));
    const int article = c.ColumnIndex("ARTID"), name = c.ColumnIndex("CRINAME"),
              value = c.ColumnIndex("CRIVALUE");
    for (; !c.AtEnd(); c.Next()) rows_[c.Integer(article)].push_back({c.Text(name), c.Text(value)});
  }
}

const std::vector<CriteriaRow>& ArticleCriteriaBatch::Rows(std::int64_t article_id) const {
  static const std::vector<CriteriaRow> kNone;
  auto it = rows_.find(article_id);
  return it == rows_.end() ? kNone : it->second;
}

}  // namespace quarvel::exporting
