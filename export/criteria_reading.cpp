// The criteria table (`DataCriteries`): every catalogue criterion and its store feature.
#include <string>
#include <unordered_map>

#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

constexpr std::size_t kNameLength = 128;

std::string CriteriaSql(int language_id) {
  return JoinSqlLines({"SELECT DISTINCT", "    CAST(TOF_CRITERIA.CRI_ID AS VARCHAR(*)) AS CRIID, ",
                       "    TOF_DES_TEXTS.TEX_TEXT AS NAMECRITERIA ", "FROM TOF_CRITERIA",
                       "    JOIN TOF_DESIGNATIONS ON (TOF_DESIGNATIONS.DES_ID = CRI_DES_ID)",
                       "    JOIN TOF_DES_TEXTS ON (TOF_DES_TEXTS.TEX_ID = TOF_DESIGNATIONS.DES_TEX_ID)",
                       "WHERE  (TOF_DESIGNATIONS.DES_LNG_ID IS NULL OR TOF_DESIGNATIONS.DES_LNG_ID = " +
                           std::to_string(language_id) + ") ",
                       "ORDER BY CRIID, NAMECRITERIA"});
}

}  // namespace

void ReadCriteria(ExportRun& run) {
  IdTable<Criterion>& criteria = Tables(run).criteria;
  const bool addition = !run.params.clean_store;
  LogTimed(run, "] Create table of criteries  ... wait");
  criteria.Reset(ReadMaxId(run.session.catalogue,
                           "SELECT CAST(MAX(CRI_ID) AS VARCHAR(*)) AS MAXCRIID FROM TOF_CRITERIA"));

  // Store features by name, the first of equal names counting.
  std::unordered_map<std::string, std::int64_t> features;
  if (addition)
    for (const auto& [id, name] : run.store_state.features) features.try_emplace(name, id);

  const std::size_t variants = run.AdditionalLanguagesActive() ? run.languages.size() + 1 : 0;
  {
    platform::CatalogueCursor c = run.session.catalogue.Query(CriteriaSql(run.LanguageId()));
    const int c_id = c.ColumnIndex("CRIID"), c_name = c.ColumnIndex("NAMECRITERIA");
    std::int64_t next = 0;
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> id = ParseId(c.Text(c_id));
      if (id && criteria.InRange(*id)) {
        Criterion& criterion = criteria.Get(*id);
        criterion.name = FirstCharacters(c.Text(c_name), kNameLength);
        if (addition) {
          auto feature = features.find(criterion.name);
          criterion.cat_criid = feature == features.end() ? 0 : feature->second;
        } else {
          // A criterion with two names takes an id for each and keeps the last.
          criterion.cat_criid = ++next;
        }
        criterion.activ = true;
        criterion.languages.assign(variants, {});
      }
      CheckStop(run);
    }
  }
  criteria.Sort();

  for (std::size_t n = 1; n < variants; ++n) {
    const ExportLanguage& language = run.languages[n - 1];
    platform::CatalogueCursor c = run.session.catalogue.Query(CriteriaSql(language.catalogue_lang_id));
    const int c_id = c.ColumnIndex("CRIID"), c_name = c.ColumnIndex("NAMECRITERIA");
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> id = ParseId(c.Text(c_id));
      Criterion* criterion = id ? criteria.Find(*id) : nullptr;
      if (criterion != nullptr && criterion->activ)
        criterion->languages[n] = FirstCharacters(c.Text(c_name), kNameLength);
      CheckStop(run);
    }
    LogTimed(run, "] Creating data of criteries for [" + language.iso + "] is OK");
  }
  LogTimed(run, "] Table of criteries is OK");
  LogLine(run, kExportSeparator);
}

}  // namespace quarvel::exporting
