#include "export/selection_lists.h"

#include <initializer_list>

#include "core/setting_values.h"
#include "core/settings.h"

namespace quarvel::exporting {

namespace {

using Id = OptionId;

std::string JoinLines(std::initializer_list<std::string> lines) {
  std::string sql;
  for (const std::string& line : lines) {
    if (!sql.empty()) sql += "\r\n";
    sql += line;
  }
  return sql;
}

std::string CountryTest(const std::string& column, int country_id) {
  return column + " SUBRANGE(" + std::to_string(country_id) + " CAST INTEGER) =1";
}

// Fills `list` from a query: one entry per row with the text `make_text` builds and the id column.
template <typename MakeText>
void FillFromQuery(Session& session, CheckList& list, const std::string& sql, const char* id_column,
                   MakeText make_text) {
  for (platform::CatalogueCursor c = session.catalogue.Query(sql); !c.AtEnd(); c.Next())
    list.entries.push_back({make_text(c), c.Text(id_column), false});
}

}  // namespace

int ModelsFromYear(const Options& options) {
  std::optional<int> year = ParseInteger(options.Text(Id::ExportData_From_Year_for_models));
  return year && *year > 0 ? *year : 1990;
}

std::string ModelYearCondition(int year) {
  std::string y = std::to_string(year) + "01";
  return " AND ((MOD_PCON_START >= " + y + ") or ((MOD_PCON_START <= " + y +
         ") and ((MOD_PCON_END is null) or (MOD_PCON_END >= " + y + "))))";
}

std::string CarBrandListSql(int country_id) {
  return JoinLines({"SELECT DISTINCT CAST(MFA_ID AS VARCHAR(*)) AS MFA_ID, MFA_BRAND FROM TOF_MANUFACTURERS",
                    "WHERE ((" + CountryTest("MFA_CV_CTM", country_id) + ") OR (" +
                        CountryTest("MFA_PC_CTM", country_id) + "))",
                    "ORDER BY MFA_BRAND"});
}

std::string CarModelListSql(int language_id, int country_id, const std::string& year_condition) {
  std::string sql = JoinLines(
      {"SELECT DISTINCT CAST(MOD_ID AS VARCHAR(*)) AS MOD_ID, (MFA_BRAND) AS MFA_BRAND, (TEX_TEXT) AS MODEL, "
       "CAST(MOD_PCON_START as varchar(*)) as FromYear, CAST(MOD_PCON_END as varchar(*)) as ToYear FROM TOF_MODELS",
       "    JOIN TOF_MANUFACTURERS ON (MFA_ID=MOD_MFA_ID)", "    JOIN TOF_COUNTRY_DESIGNATIONS ON (CDS_ID=MOD_CDS_ID)",
       "    JOIN TOF_DES_TEXTS ON (TEX_ID=CDS_TEX_ID)",
       "WHERE ((" + CountryTest("MOD_CV_CTM", country_id) + ") OR (" + CountryTest("MOD_PC_CTM", country_id) + "))",
       " AND ((" + CountryTest("MFA_CV_CTM", country_id) + ") OR (" + CountryTest("MFA_PC_CTM", country_id) + "))",
       " AND (CDS_LNG_ID = " + std::to_string(language_id) + ")"});
  if (!year_condition.empty()) sql += "\r\n" + year_condition;
  return sql + "\r\nORDER BY MFA_BRAND, MODEL";
}

std::string PartBrandListSql() {
  return JoinLines({"SELECT DISTINCT TOF_SUPPLIERS.SUP_BRAND as BRAND, CAST(TOF_SUPPLIERS.SUP_ID AS VARCHAR(*)) AS "
                    "SUPID FROM TOF_SUPPLIERS",
                    "order BY BRAND"});
}

std::string TradeGroupListSql(int language_id) {
  std::string l = std::to_string(language_id);
  return JoinLines(
      {"SELECT DISTINCT ", "        CAST(TOF_SEARCH_TREE.STR_ID AS VARCHAR(*)) as strid, ",
       "        (SELECT TOF_DES_TEXTS1.TEX_TEXT FROM TOF_DES_TEXTS TOF_DES_TEXTS1 JOIN TOF_DESIGNATIONS "
       "TOF_DESIGNATIONS1 ON ((TOF_DES_TEXTS1.TEX_ID=TOF_DESIGNATIONS1.DES_TEX_ID) AND "
       "((TOF_DESIGNATIONS1.DES_LNG_ID=" + l + ")) AND (TOF_DESIGNATIONS1.DES_ID = (SELECT TOF_SEARCH_TREE1.STR_DES_ID "
       "FROM TOF_SEARCH_TREE TOF_SEARCH_TREE1 WHERE (TOF_SEARCH_TREE1.STR_ID=TOF_SEARCH_TREE.STR_ID_PARENT))))) as "
       "namecat,",
       "        (SELECT TOF_DES_TEXTS2.TEX_TEXT FROM TOF_DES_TEXTS TOF_DES_TEXTS2 JOIN TOF_DESIGNATIONS "
       "TOF_DESIGNATIONS2 ON ((TOF_DES_TEXTS2.TEX_ID=TOF_DESIGNATIONS2.DES_TEX_ID) AND "
       "((TOF_DESIGNATIONS2.DES_LNG_ID=" + l + ")) AND (TOF_DESIGNATIONS2.DES_ID = TOF_SEARCH_TREE.STR_DES_ID))) as "
       "text",
       "FROM  TOF_SEARCH_TREE", "where (TOF_SEARCH_TREE.STR_LEVEL = 2)", "order BY namecat, text"});
}

std::string PartGroupListSql(int language_id) {
  return JoinLines({"SELECT DISTINCT ", "        CAST(TOF_GENERIC_ARTICLES.GA_ID AS VARCHAR(*)) as gaid, ",
                    "        (SELECT (TOF_DES_TEXTS7.TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS7 JOIN TOF_DESIGNATIONS "
                    "TOF_DESIGNATIONS7 ON ((TOF_DES_TEXTS7.TEX_ID=TOF_DESIGNATIONS7.DES_TEX_ID) AND "
                    "(TOF_DESIGNATIONS7.DES_LNG_ID = " +
                        std::to_string(language_id) +
                        ") AND (TOF_DESIGNATIONS7.DES_ID=TOF_GENERIC_ARTICLES.GA_DES_ID))) as namegaid",
                    "FROM  TOF_GENERIC_ARTICLES", "ORDER BY namegaid, gaid"});
}

void RefreshCarList(Session& session) {
  const Options& o = session.options;
  RefreshSelectionList(session, SelectionList::Cars, [&](CheckList& list) {
    if (o.Boolean(Id::ExportData_ForCars_groupsByBrands)) {
      FillFromQuery(session, list, CarBrandListSql(session.CatalogueCountryId()), "MFA_ID",
                    [](const platform::CatalogueCursor& c) { return c.Text("MFA_BRAND"); });
    } else {
      std::string year = o.Boolean(Id::ExportData_Models_Only_from_year) ? ModelYearCondition(ModelsFromYear(o)) : "";
      FillFromQuery(session, list, CarModelListSql(session.CatalogueLanguageId(), session.CatalogueCountryId(), year),
                    "MOD_ID", [](const platform::CatalogueCursor& c) {
                      return "[" + c.Text("MFA_BRAND") + "] " + c.Text("MODEL") + " [" + c.Text("FromYear") + " - " +
                             c.Text("ToYear") + "]";
                    });
    }
  });
}

void RefreshPartBrandList(Session& session) {
  RefreshSelectionList(session, SelectionList::PartBrands, [&](CheckList& list) {
    FillFromQuery(session, list, PartBrandListSql(), "SUPID",
                  [](const platform::CatalogueCursor& c) { return c.Text("BRAND"); });
  });
}

void RefreshTradeGroupList(Session& session) {
  RefreshSelectionList(session, SelectionList::TradeGroups, [&](CheckList& list) {
    FillFromQuery(session, list, TradeGroupListSql(session.CatalogueLanguageId()), "strid",
                  [](const platform::CatalogueCursor& c) { return "[" + c.Text("namecat") + "] " + c.Text("text"); });
  });
}

void RefreshPartGroupList(Session& session) {
  RefreshSelectionList(session, SelectionList::PartGroups, [&](CheckList& list) {
    FillFromQuery(session, list, PartGroupListSql(session.CatalogueLanguageId()), "gaid",
                  [](const platform::CatalogueCursor& c) { return c.Text("namegaid"); });
  });
}

void RefreshSelectionLists(Session& session) {
  RefreshCarList(session);
  RefreshPartBrandList(session);
  RefreshTradeGroupList(session);
  RefreshPartGroupList(session);
}

}  // namespace quarvel::exporting
