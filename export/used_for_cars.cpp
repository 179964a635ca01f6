#include "export/used_for_cars.h"

#include <algorithm>
#include <set>

#include "export/reading_helpers.h"
#include "export/text_templates.h"

namespace quarvel::exporting {

namespace {

std::string Statement(int country_id, const std::string& id_column, const std::string& article_test,
                      const std::string& order) {
  std::string sql =
      JoinSqlLines({"SELECT DISTINCT " + id_column + "cast(LAT_TYP_ID as varchar(*)) as TYPID",
                    "FROM  TOF_LINK_ART", "   JOIN  TOF_LINK_LA_TYP  ON (LA_ID = LAT_LA_ID)",
                    "WHERE " + article_test, "  and (" + CountryTest("LA_CTM", country_id) + ")",
                    "  and (" + CountryTest("LAT_CTM", country_id) + ")"});
  if (!order.empty()) sql += "\r\n" + order;
  return sql;
}

}  // namespace

std::string UsedForCarsSql(int country_id, std::int64_t article_id) {
  return Statement(country_id, "", "LA_ART_ID = " + std::to_string(article_id), "");
}

std::string UsedForCarsBatchSql(int country_id, std::span<const std::int64_t> article_ids) {
  return Statement(country_id, "LA_ART_ID as ARTID, ", "LA_ART_ID IN (" + JoinIds(article_ids) + ")",
                   "ORDER BY ARTID");
}

std::vector<std::int64_t> ReadUsedForCarsTypes(platform::CatalogueConnection& catalogue, int country_id,
                                               std::int64_t article_id) {
  std::vector<std::int64_t> types;
  for (auto row = catalogue.Query(UsedForCarsSql(country_id, article_id)); !row.AtEnd(); row.Next())
    types.push_back(row.Integer("TYPID"));
  return types;
}

std::string UsedForCarsText(std::span<const std::int64_t> type_ids, const CatalogueTables& tables,
                            std::string_view model_title_template, std::string_view type_title_template,
                            UsedForCarsForm form) {
  // Sorted and free of duplicates: two links of one type, or two types that read alike, give one line.
  std::set<std::string> entries;
  for (std::int64_t type_id : type_ids) {
    if (!tables.cars.IsActive(type_id)) continue;
    const Car& car = tables.cars.At(type_id);
    const std::string& brand = car.make;
    const std::string model = ExpandModelTitle(model_title_template, tables, type_id, 0);
    const std::string type = ExpandTypeTitle(type_title_template, tables, type_id, 0);
    if (form == UsedForCarsForm::kList)
      entries.insert(brand + " " + model + " " + type);
    else
      entries.insert("<td>" + brand + "</td><td>" + model + "</td><td>" + type + "</td>");
  }
  std::string text;
  for (const std::string& entry : entries) {
    if (form == UsedForCarsForm::kList)
      text += entry + "<br>";
    else
      text += "<tr>" + entry + "</tr>";
  }
  return text;
}

std::string UsedForCars(platform::CatalogueConnection& catalogue, int country_id,
                        const CatalogueTables& tables, std::string_view model_title_template,
                        std::string_view type_title_template, std::int64_t article_id, UsedForCarsForm form) {
  std::vector<std::int64_t> types = ReadUsedForCarsTypes(catalogue, country_id, article_id);
  return UsedForCarsText(types, tables, model_title_template, type_title_template, form);
}

void UsedForCarsBatch::Load(platform::CatalogueConnection& catalogue, int country_id,
                            std::span<const std::int64_t> article_ids) {
  loaded_.clear();
  for (std::int64_t id : article_ids) loaded_.try_emplace(id);
  for (std::size_t start = 0; start < article_ids.size(); start += kIdsPerStatement) {
    auto slice = article_ids.subspan(start, std::min(kIdsPerStatement, article_ids.size() - start));
    auto row = catalogue.Query(UsedForCarsBatchSql(country_id, slice));
    const int id_column = row.ColumnIndex("ARTID");
    const int type_column = row.ColumnIndex("TYPID");
    for (; !row.AtEnd(); row.Next()) {
      auto it = loaded_.find(row.Integer(id_column));
      if (it != loaded_.end()) it->second.push_back(row.Integer(type_column));
    }
  }
}

const std::vector<std::int64_t>& UsedForCarsBatch::Types(std::int64_t article_id) const {
  static const std::vector<std::int64_t> kNone;
  auto it = loaded_.find(article_id);
  return it == loaded_.end() ? kNone : it->second;
}

}  // namespace quarvel::exporting
