#include "export/product_category_writer.h"

#include <algorithm>
#include <vector>

#include "core/text.h"
#include "export/reading_helpers.h"
#include "export/table_script_writer.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

constexpr std::string_view kTable = "category_product";
constexpr std::string_view kAdditionalStem = "category_product.additional";

// A text literal of the catalogue's SQL: standard quoting, a quote doubled, a backslash plain. An
// article number such as ON-1'2 must reach the catalogue as it is stored there.
std::string CatalogueLiteral(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

// The writer of category_product with the store's columns.
class LinkTable {
 public:
  LinkTable(ExportRun& run, const StoreColumns& columns)
      : columns_(columns, kTable, {"id_category", "id_product", "position"}),
        writer_(run.params, kTable, columns_.List()),
        row_(columns_) {
    writer_.Begin(kTable);
  }

  void Add(std::int64_t category, std::int64_t product) {
    writer_.AddRow(row_.Clear().Integer(category).Integer(product).Integer(0).View());
    writer_.EndItem();
  }
  void Finish() { writer_.Finish(); }

 private:
  TableColumns columns_;
  TableScriptWriter writer_;
  TableRow row_;
};

// Rows of the PARTS tree: each exported product in its generic article's category.
void WritePartsTreeLinks(ExportRun& run, LinkTable& table) {
  const CatalogueTables& tables = *run.tables;
  for (const Part& part : tables.parts.records()) {
    if (!part.activ) continue;
    const TradeGroup& group = tables.trade_groups.At(part.ga_id);
    if (!group.activ || group.cat2 <= 0) continue;
    table.Add(group.cat2, part.cat_artid);
    run.check_stop();
  }
}

// Rows of the VEHICLE tree: a part goes into the category of its generic article under every type
// it fits. `addition`: parts that are store products already count too.
void WriteVehicleLinks(ExportRun& run, LinkTable& table, bool addition) {
  const CatalogueTables& tables = *run.tables;
  std::vector<std::int64_t> batch;
  auto run_batch = [&] {
    platform::CatalogueCursor c = run.session.catalogue.Query(VehicleLinksSql(run.CountryId(), batch));
    const int c_typ = c.ColumnIndex("TYPID"), c_art = c.ColumnIndex("ARTID");
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> typ_id = ParseId(c.Text(c_typ));
      std::optional<std::int64_t> art_id = ParseId(c.Text(c_art));
      const Part* part = art_id ? tables.parts.Find(*art_id) : nullptr;
      const Car* car = typ_id ? tables.cars.Find(*typ_id) : nullptr;
      // A part without a product id (left out by the article file, or not linked in the store)
      // has no product to place: a row for product 0 would point at nothing.
      const bool counts =
          part != nullptr && part->cat_artid >= 1 && (addition ? part->ga_id >= 1 : part->activ);
      if (counts && car != nullptr) {
        for (const CarTradeGroup& entry : car->ga) {
          if (entry.id_ga == part->ga_id) table.Add(entry.cat_num2, part->cat_artid);
        }
      }
      run.check_stop();
    }
    batch.clear();
  };
  for (const Car& car : tables.cars.records()) {
    if (!car.activ) continue;
    batch.push_back(car.id);
    if (batch.size() == kLinkTypesPerBatch) run_batch();
  }
  if (!batch.empty()) run_batch();
}

// The store product ids of an article's equivalents, in ARTID order, at most kMaxEquivalents.
std::vector<std::int64_t> EquivalentProducts(ExportRun& run, const Part& part) {
  const auto& linked = run.store_state.linked_articles;
  std::vector<std::int64_t> products;
  platform::CatalogueCursor c = run.session.catalogue.Query(EquivalentsSql(run.CountryId(), part));
  const int c_art = c.ColumnIndex("ARTID");
  for (; !c.AtEnd() && products.size() < kMaxEquivalents; c.Next()) {
    std::optional<std::int64_t> art_id = ParseId(c.Text(c_art));
    if (!art_id) continue;
    auto link = linked.find(*art_id);
    if (link != linked.end() && link->second >= 1) products.push_back(link->second);
  }
  return products;
}

// category_product.additional.1.sql: one copy statement per new product with equivalents in the
// store, as lines of their own outside the writer's statement counting (one file, no rotation).
void WriteCopyStatements(ExportRun& run) {
  TableScriptWriter file(run.params, kTable, "");
  file.Begin(kAdditionalStem);
  const std::int64_t first_new_category = run.store_state.highest_category_id + 1;
  const std::vector<Part>& parts = run.tables->parts.records();
  const std::size_t step = std::max<std::size_t>(parts.size() / 10, 1);
  std::size_t counted = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Part& part = parts[i];
    if (part.activ && part.cat_artid >= 1) {
      const std::vector<std::int64_t> products = EquivalentProducts(run, part);
      if (!products.empty())
        file.WriteLine(
            CopyPlacementStatement(run.params.table_prefix, part.cat_artid, products, first_new_category));
      run.check_stop();
    }
    if (++counted >= step) {
      counted = 0;
      const int percent = static_cast<int>((i + 1) * 100 / parts.size());
      run.ui.Progress(progress::CategoryLinksPercentLine(percent), percent);
    }
  }
  file.Finish();
}

}  // namespace

std::string VehicleLinksSql(int country_id, std::span<const std::int64_t> type_ids) {
  const std::string r = std::to_string(country_id);
  return "\rSELECT DISTINCT "
         "\r       cast(LAT_TYP_ID as varchar(*)) as TYPID,"
         "\r       cast(LA_ART_ID as varchar(*)) as ARTID"
         "\rFROM  TOF_LINK_ART INNER JOIN TOF_LINK_LA_TYP on (LAT_LA_ID=LA_ID)"
         "\rWHERE (LA_CTM SUBRANGE(" +
         r +
         " CAST INTEGER) =1)"
         "\r      and (LAT_CTM SUBRANGE(" +
         r +
         " CAST INTEGER) =1)"
         "\r      and LAT_TYP_ID IN (" +
         JoinIds(type_ids) +
         ")"
         "\rORDER BY TYPID, ARTID";
}

std::string EquivalentsSql(int country_id, const Part& part) {
  const std::string r = std::to_string(country_id);
  return JoinSqlLines(
      {"(SELECT DISTINCT", "       CAST(ARL_ART_ID AS VARCHAR(*)) AS ARTID ", "FROM TOF_ART_LOOKUP",
       "WHERE (ARL_SEARCH_NUMBER = " + CatalogueLiteral(SearchNumber(part.trade_number)) +
           ") AND (ARL_BRA_ID = " + std::to_string(part.id_bra) +
           ") AND (ARL_KIND = '4') AND (ARL_DISPLAY_NR = " + CatalogueLiteral(part.trade_number) + ")",
       "     AND (ARL_CTM SUBRANGE(" + r + " CAST INTEGER) =1))", "   UNION   ", "(SELECT DISTINCT",
       "       CAST(ART_ID AS VARCHAR(*)) AS ARTID ", "FROM TOF_ARTICLES",
       "   JOIN TOF_ART_LOOKUP ON (ART_ARTICLE_NR = ARL_DISPLAY_NR) AND (ART_SUP_ID = ARL_BRA_ID)",
       "WHERE (ARL_ART_ID = " + std::to_string(part.id) + ") AND (ARL_KIND = '4') ",
       "     AND (ARL_CTM SUBRANGE(" + r + " CAST INTEGER) =1)",
       "     AND (ART_CTM SUBRANGE(" + r + " CAST INTEGER) =1))", "ORDER BY ARTID"});
}

std::string CopyPlacementStatement(std::string_view prefix, std::int64_t product_id,
                                   std::span<const std::int64_t> equivalent_products,
                                   std::int64_t first_new_category) {
  const std::string p(prefix);
  // IGNORE: the product may sit in a category already (a script loaded twice), and two equivalents
  // in one category at different positions give that pair twice.
  return "INSERT IGNORE INTO `" + p +
         "category_product` (`id_category`,`id_product`,`position`) SELECT DISTINCT " + "cp.id_category," +
         std::to_string(product_id) + ",cp.position FROM " + p +
         "category_product AS cp WHERE cp.id_product IN (" + JoinIds(equivalent_products) +
         ") AND cp.id_category < " + std::to_string(first_new_category) + ";";
}

void WriteProductCategoryLinks(ExportRun& run, const StoreColumns& columns) {
  if (!run.params.ScopeHasProductsAndCategories()) return;
  CatalogueTables& tables = *run.tables;
  tables.parts.Sort();
  tables.cars.Sort();
  tables.trade_groups.Sort();
  const Options& o = run.session.options;
  const bool vehicle_tree = o.Boolean(OptionId::PreparationData_CreateCatTreeForVEHICLE);

  run.log_line(progress::CategoryLinksLine(run.params.clean_store));
  if (run.params.clean_store) {
    LinkTable table(run, columns);
    if (o.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS)) WritePartsTreeLinks(run, table);
    if (vehicle_tree) WriteVehicleLinks(run, table, false);
    table.Finish();
    return;
  }
  WriteCopyStatements(run);
  run.log_line(progress::TableLine(kTable));
  LinkTable table(run, columns);
  if (vehicle_tree) WriteVehicleLinks(run, table, true);
  table.Finish();
}

}  // namespace quarvel::exporting
