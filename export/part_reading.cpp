// The parts table (`DataOfParts`) with the trade-group categories, and the product ids.
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "export/article_criteria.h"
#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

constexpr std::size_t kTradeNumberLength = 130;
constexpr std::size_t kEanLength = 13;
constexpr std::size_t kNameLength = 130;

std::string NameSubquery(int language_id, const std::string& column, const std::string& tail) {
  return "  (SELECT MIN(TOF_DES_TEXTS1.TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS1 JOIN TOF_DESIGNATIONS "
         "TOF_DESIGNATIONS1 ON ((TOF_DES_TEXTS1.TEX_ID=TOF_DESIGNATIONS1.DES_TEX_ID) AND "
         "((TOF_DESIGNATIONS1.DES_LNG_ID=" +
         std::to_string(language_id) + ")) AND (TOF_DESIGNATIONS1.DES_ID = TOF_ARTICLES." + column +
         "))) AS " + tail;
}

// The joins and conditions of the parts statement, from FROM to ORDER BY.
std::string PartsFilter(const ExportRun& run) {
  const int r = run.CountryId();
  const Options& options = run.session.options;
  auto selection = [&](OptionId only, const std::string& list) {
    return options.Boolean(only) ? SafeIdList(list) : std::string();
  };
  const std::string brands =
      selection(OptionId::ExportData_Only_selected_brand_of_parts, run.params.part_brand_ids);
  const std::string trade =
      selection(OptionId::ExportData_Only_selected_trade_groups, run.params.trade_group_ids);
  const std::string groups =
      selection(OptionId::ExportData_Only_selected_groups_of_parts, run.params.part_group_ids);
  std::string sql = "FROM TOF_ARTICLES";
  if (!trade.empty())
    sql +=
        "\r\n" +
        JoinSqlLines({"      JOIN TOF_LINK_ART ON (TOF_ARTICLES.ART_ID=TOF_LINK_ART.LA_ART_ID)",
                      "      JOIN TOF_LINK_GA_STR ON (TOF_LINK_GA_STR.LGS_GA_ID=TOF_LINK_ART.LA_GA_ID)",
                      "      JOIN TOF_SEARCH_TREE ON (TOF_SEARCH_TREE.STR_ID=TOF_LINK_GA_STR.LGS_STR_ID)"});
  if (!groups.empty())
    sql += "\r\n      JOIN TOF_LINK_ART_GA ON (TOF_ARTICLES.ART_ID=TOF_LINK_ART_GA.LAG_ART_ID)";
  sql += "\r\nWHERE (" + CountryTest("TOF_ARTICLES.ART_CTM", r) + ")";
  if (!brands.empty()) sql += "\r\n  AND  (TOF_ARTICLES.ART_SUP_ID  IN  (" + brands + "))";
  if (!trade.empty())
    sql += "\r\n AND (" + CountryTest("TOF_LINK_ART.LA_CTM", r) + ")\r\n AND (TOF_SEARCH_TREE.STR_ID  IN (" +
           trade + "))";
  if (!groups.empty()) sql += "\r\n AND (TOF_LINK_ART_GA.LAG_GA_ID IN (" + groups + "))";
  return sql + "\r\nORDER BY ARTID";
}

std::string PartsSql(const ExportRun& run) {
  const std::string r = std::to_string(run.CountryId());
  return JoinSqlLines(
      {"SELECT DISTINCT  ", "  CAST(TOF_ARTICLES.ART_ID AS VARCHAR(*)) AS ARTID, ",
       "  TOF_ARTICLES.ART_ARTICLE_NR AS TRADENUMBER, ",
       NameSubquery(run.LanguageId(), "ART_COMPLETE_DES_ID", "NAME, "),
       NameSubquery(run.LanguageId(), "ART_DES_ID", "ADDITIONALNAME, "),
       "  (SELECT MIN(TOF_ART_LOOKUP2.ARL_SEARCH_NUMBER) FROM TOF_ART_LOOKUP TOF_ART_LOOKUP2 WHERE "
       "((TOF_ART_LOOKUP2.ARL_ART_ID=TOF_ARTICLES.ART_ID) AND (TOF_ART_LOOKUP2.ARL_KIND='5') AND (" +
           CountryTest("TOF_ART_LOOKUP2.ARL_CTM", run.CountryId()) + ")))  AS EAN, ",
       "  (SELECT TOF_SUPPLIERS4.SUP_BRAND FROM TOF_SUPPLIERS TOF_SUPPLIERS4 WHERE (TOF_SUPPLIERS4.SUP_ID = "
       "TOF_ARTICLES.ART_SUP_ID)) AS BRAND, ",
       "  CAST(TOF_ARTICLES.ART_SUP_ID AS VARCHAR(*)) AS BRANDID, ",
       "  CAST((SELECT MIN(LAG_GA_ID) FROM TOF_LINK_ART_GA WHERE LAG_ART_ID=TOF_ARTICLES.ART_ID) AS "
       "VARCHAR(*)) AS "
       "GAID ",
       PartsFilter(run)});
}

std::string PartNamesSql(const ExportRun& run, int language_id) {
  return JoinSqlLines({"SELECT DISTINCT  ", "  CAST(TOF_ARTICLES.ART_ID AS VARCHAR(*)) AS ARTID, ",
                       NameSubquery(language_id, "ART_DES_ID", "ADDITIONALNAME "), PartsFilter(run)});
}

// The trade-group categories of a "Clean store" run: each generic article met gets a parent
// category, shared by name, and a category of its own.
class TradeCategoryAllocator {
 public:
  TradeCategoryAllocator(ExportRun& run, IdTable<TradeGroup>& groups)
      : run_(run),
        groups_(groups),
        by_assembly_(run.session.options.Boolean(OptionId::PreparationData_Pro_CategoryForTradeGroup)) {}

  void Place(std::int64_t ga_id) {
    TradeGroup* group = groups_.Find(ga_id);
    // An article without a known generic article has no trade category to go into.
    if (group == nullptr || group->activ) return;
    const std::string& parent = by_assembly_ ? group->names.assembly : group->names.short_name;
    auto [it, added] = parents_.try_emplace(parent, 0);
    if (added) it->second = ++run_.next_category;
    group->cat1 = it->second;
    group->cat2 = ++run_.next_category;
    group->activ = true;
  }

 private:
  ExportRun& run_;
  IdTable<TradeGroup>& groups_;
  bool by_assembly_;
  std::unordered_map<std::string, std::int64_t> parents_;
};

// "Addition to the existing data": generic articles go into the store's existing trade
// categories matched to them when the trade groups were read; none is created.
class StoreTradeCategoryFinder {
 public:
  explicit StoreTradeCategoryFinder(const std::vector<StoreTradeCategory>& pairs) {
    for (const StoreTradeCategory& pair : pairs)
      if (pair.ga_id != 0) first_.try_emplace(pair.ga_id, &pair);
  }
  void Place(IdTable<TradeGroup>& groups, std::int64_t ga_id) const {
    TradeGroup* group = groups.Find(ga_id);
    auto it = first_.find(ga_id);
    if (group == nullptr || it == first_.end()) return;
    group->cat1 = it->second->id1;
    group->cat2 = it->second->id2;
    group->activ = true;
  }

 private:
  std::unordered_map<std::int64_t, const StoreTradeCategory*> first_;
};

void ReadLinkedArticles(ExportRun& run, IdTable<Part>& parts) {
  const auto& linked = run.store_state.linked_articles;
  std::string sql = JoinSqlLines(
      {"SELECT DISTINCT  ", "    CAST(TOF_ARTICLES.ART_ID AS VARCHAR(*)) AS ARTID, ",
       "    CAST((SELECT MIN(LAG_GA_ID) FROM TOF_LINK_ART_GA WHERE LAG_ART_ID=TOF_ARTICLES.ART_ID) AS "
       "VARCHAR(*)) AS "
       "GAID ",
       "FROM TOF_ARTICLES", "WHERE (" + CountryTest("TOF_ARTICLES.ART_CTM", run.CountryId()) + ")",
       "ORDER BY ARTID"});
  platform::CatalogueCursor c = run.session.catalogue.Query(sql);
  const int c_art = c.ColumnIndex("ARTID"), c_ga = c.ColumnIndex("GAID");
  for (; !c.AtEnd(); c.Next()) {
    std::optional<std::int64_t> id = ParseId(c.Text(c_art));
    if (id && parts.InRange(*id)) {
      auto link = linked.find(*id);
      if (link != linked.end()) {
        Part& part = parts.Get(*id);
        part.ga_id = ParseId(c.Text(c_ga)).value_or(0);
        part.cat_artid = link->second;
        part.activ = false;
      }
    }
    CheckStop(run);
  }
}

}  // namespace

void ReadParts(ExportRun& run) {
  CatalogueTables& tables = Tables(run);
  IdTable<Part>& parts = tables.parts;
  const Options& options = run.session.options;
  const bool addition = !run.params.clean_store;
  LogTimed(run, "] Create table of parts  ... wait");
  parts.Reset(
      ReadMaxId(run.session.catalogue,
                JoinSqlLines({"SELECT CAST(MAX(ART_ID) AS VARCHAR(*)) AS MAXARTID FROM TOF_ARTICLES",
                              "WHERE (" + CountryTest("TOF_ARTICLES.ART_CTM", run.CountryId()) + ")"})));
  std::unordered_set<std::int64_t> wanted;
  if (options.Boolean(OptionId::ExportData_Only_for_values_of_parts_from_file))
    wanted = ReadIdFile(options.Text(OptionId::ExportData_Path_to_data_with_artid), parts.max_id());

  const std::size_t variants = run.AdditionalLanguagesActive() ? run.languages.size() + 1 : 0;
  TradeCategoryAllocator allocator(run, tables.trade_groups);
  StoreTradeCategoryFinder store_categories(run.store_state.trade_categories);
  {
    platform::CatalogueCursor c = run.session.catalogue.Query(PartsSql(run));
    const int c_art = c.ColumnIndex("ARTID"), c_number = c.ColumnIndex("TRADENUMBER"),
              c_name = c.ColumnIndex("ADDITIONALNAME"), c_ean = c.ColumnIndex("EAN"),
              c_brand = c.ColumnIndex("BRANDID"), c_ga = c.ColumnIndex("GAID");
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> id = ParseId(c.Text(c_art));
      const bool linked = addition && id && run.store_state.linked_articles.count(*id) > 0;
      if (id && parts.InRange(*id) && !linked) {
        Part& part = parts.Get(*id);
        part.id_bra = ParseId(c.Text(c_brand)).value_or(0);
        part.ga_id = ParseId(c.Text(c_ga)).value_or(0);
        if (addition)
          store_categories.Place(tables.trade_groups, part.ga_id);
        else
          allocator.Place(part.ga_id);
        part.activ = wanted.empty() || wanted.count(*id) > 0;
        // Articles left out by the article file are never written: their texts are not kept.
        if (part.activ) {
          part.trade_number = FirstCharacters(c.Text(c_number), kTradeNumberLength);
          part.ean = FirstCharacters(c.Text(c_ean), kEanLength);
          part.texts.name_of_part = FirstCharacters(c.Text(c_name), kNameLength);
          part.languages.assign(variants, {});
        }
      }
      CheckStop(run);
    }
  }
  if (addition) ReadLinkedArticles(run, parts);
  parts.Sort();

  for (std::size_t n = 1; n < variants; ++n) {
    const ExportLanguage& language = run.languages[n - 1];
    platform::CatalogueCursor c = run.session.catalogue.Query(PartNamesSql(run, language.catalogue_lang_id));
    const int c_art = c.ColumnIndex("ARTID"), c_name = c.ColumnIndex("ADDITIONALNAME");
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> id = ParseId(c.Text(c_art));
      Part* part = id ? parts.Find(*id) : nullptr;
      if (part != nullptr && part->activ)
        part->languages[n].name_of_part = FirstCharacters(c.Text(c_name), kNameLength);
      CheckStop(run);
    }
    LogTimed(run, "] Creating data of parts for [" + language.iso + "] is OK");
  }
}

void AllocateProductIds(ExportRun& run) {
  IdTable<Part>& parts = Tables(run).parts;
  const Options& options = run.session.options;
  LogTimed(run, "] Start sorting table of parts  ... wait");
  parts.Sort();

  const ArticleCriteriaSettings settings = ArticleCriteriaSettings::FromOptions(options);
  const bool by_default = !settings.dimensions_from_catalogue;
  const bool need_criteria =
      settings.dimensions_from_catalogue ||
      HasPlaceholder(options.Text(OptionId::PreparationData_Pro_title_name_part), "{ADDCRITERY}") ||
      HasPlaceholder(run.params.product_description, "{ADDCRITERY}") ||
      HasPlaceholder(run.params.short_description, "{ADDCRITERY}");
  double defaults[4] = {0, 0, 0, 0};
  if (by_default) {
    const OptionId keys[4] = {
        OptionId::PreparationData_Pro_Width_default, OptionId::PreparationData_Pro_Height_default,
        OptionId::PreparationData_Pro_Depth_default, OptionId::PreparationData_Pro_Weight_default};
    for (int d = 0; d < 4; ++d) defaults[d] = ReadDecimal(options.Text(keys[d]));
  }

  std::int64_t product = run.params.clean_store ? 0 : run.store_state.highest_product_id;
  ArticleCriteriaBatch batch(run.session.catalogue, run.CountryId(), run.LanguageId());
  std::vector<Part>& records = parts.records();
  std::vector<std::int64_t> slice_ids;
  for (std::size_t start = 0; start < records.size();) {
    // Criteria are read for a slice of active articles at a time.
    std::size_t end = start;
    slice_ids.clear();
    while (end < records.size() && slice_ids.size() < ArticleCriteriaBatch::kArticlesPerStatement) {
      if (records[end].activ) slice_ids.push_back(records[end].id);
      ++end;
    }
    if (need_criteria) batch.Load(slice_ids);
    for (std::size_t i = start; i < end; ++i) {
      Part& part = records[i];
      if (!part.activ) continue;
      part.cat_artid = ++product;
      if (need_criteria) {
        ArticleCriteriaValues values = BuildArticleCriteria(batch.Rows(part.id), settings);
        part.texts.add_critery = std::move(values.add_critery);
        if (!by_default)
          for (int d = 0; d < 4; ++d)
            part.cri[d] = values.dimensions[d] ? ReadDecimal(*values.dimensions[d]) : 0;
      }
      if (by_default)
        for (int d = 0; d < 4; ++d) part.cri[d] = defaults[d];
      CheckStop(run);
    }
    start = end;
  }
}

}  // namespace quarvel::exporting
