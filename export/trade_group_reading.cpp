// The trade-group table (`DataOfGaID`): the names of every generic article of the catalogue.
#include <limits>
#include <string>
#include <unordered_map>

#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

constexpr std::size_t kNameLength = 130;

std::string NameSubquery(int alias, int language_id, const std::string& column, const std::string& tail) {
  std::string a = std::to_string(alias);
  return "  (SELECT (TOF_DES_TEXTS" + a + ".TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS" + a +
         " JOIN TOF_DESIGNATIONS TOF_DESIGNATIONS" + a + " ON ((TOF_DES_TEXTS" + a +
         ".TEX_ID=TOF_DESIGNATIONS" + a + ".DES_TEX_ID) AND (TOF_DESIGNATIONS" + a +
         ".DES_LNG_ID = " + std::to_string(language_id) + ") AND (TOF_DESIGNATIONS" + a +
         ".DES_ID=TOF_GENERIC_ARTICLES." + column + "))) AS " + tail;
}

std::string TradeGroupSql(int language_id) {
  return JoinSqlLines({"SELECT DISTINCT ", "  CAST(TOF_GENERIC_ARTICLES.GA_ID AS VARCHAR(*)) AS GAID, ",
                       NameSubquery(7, language_id, "GA_DES_ID", "NAME, "),
                       NameSubquery(8, language_id, "GA_DES_ID_STANDARD", "SHORTNAME, "),
                       NameSubquery(9, language_id, "GA_DES_ID_ASSEMBLY", "ASSEMBNAME "),
                       "FROM TOF_GENERIC_ARTICLES ", "ORDER BY TOF_GENERIC_ARTICLES.GA_ID "});
}

struct Columns {
  int id, name, short_name, assembly;
  explicit Columns(const platform::CatalogueCursor& c)
      : id(c.ColumnIndex("GAID")),
        name(c.ColumnIndex("NAME")),
        short_name(c.ColumnIndex("SHORTNAME")),
        assembly(c.ColumnIndex("ASSEMBNAME")) {}
};

TradeGroupNames ReadNames(const platform::CatalogueCursor& c, const Columns& col) {
  return {FirstCharacters(c.Text(col.name), kNameLength),
          FirstCharacters(c.Text(col.short_name), kNameLength),
          FirstCharacters(c.Text(col.assembly), kNameLength)};
}

std::string PairKey(const std::string& child, const std::string& parent) {
  std::string key = child;
  key += '\0';
  key += parent;
  return key;
}

// The existing trade categories of the store by (child name, parent name): the first pair in list
// order for each, as a search through the list from its start finds them.
class StorePairFinder {
 public:
  explicit StorePairFinder(const std::vector<StoreTradeCategory>& pairs) {
    for (std::size_t i = 0; i < pairs.size(); ++i)
      first_.try_emplace(PairKey(pairs[i].name2, pairs[i].name1), i);
  }
  // The first pair whose child is `name` and whose parent is `short_name` or `assembly`.
  std::size_t Find(const TradeGroupNames& names) const {
    return std::min(Lookup(PairKey(names.name, names.short_name)),
                    Lookup(PairKey(names.name, names.assembly)));
  }
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

 private:
  std::size_t Lookup(const std::string& key) const {
    auto it = first_.find(key);
    return it == first_.end() ? kNone : it->second;
  }
  std::unordered_map<std::string, std::size_t> first_;
};

}  // namespace

void ReadTradeGroups(ExportRun& run) {
  CatalogueTables& tables = Tables(run);
  auto& catalogue = run.session.catalogue;
  run.next_category = InitialCategoryCounter(run.params.clean_store, run.store_state);
  LogTimed(run, "] Create table of trade groups  ... wait");

  IdTable<TradeGroup>& groups = tables.trade_groups;
  groups.Reset(
      ReadMaxId(catalogue, "SELECT CAST(MAX(GA_ID) AS VARCHAR(*)) AS MAXGAID FROM TOF_GENERIC_ARTICLES"));
  const std::size_t variants = run.AdditionalLanguagesActive() ? run.languages.size() + 1 : 0;
  std::vector<StoreTradeCategory>& pairs = run.store_state.trade_categories;
  const bool match_store = !run.params.clean_store && !pairs.empty();
  StorePairFinder finder(pairs);

  {
    platform::CatalogueCursor c = catalogue.Query(TradeGroupSql(run.LanguageId()));
    const Columns col(c);
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> id = ParseId(c.Text(col.id));
      if (id && groups.InRange(*id)) {
        TradeGroup& group = groups.Get(*id);
        group.names = ReadNames(c, col);
        group.activ = false;
        if (match_store) {
          std::size_t pair = finder.Find(group.names);
          if (pair != StorePairFinder::kNone) pairs[pair].ga_id = *id;
        }
        group.languages.assign(variants, {});
      }
      CheckStop(run);
    }
  }
  groups.Sort();

  LogTimed(run, "] Table of trade groups for main language is OK");
  for (std::size_t n = 1; n < variants; ++n) {
    const ExportLanguage& language = run.languages[n - 1];
    platform::CatalogueCursor c = catalogue.Query(TradeGroupSql(language.catalogue_lang_id));
    const Columns col(c);
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> id = ParseId(c.Text(col.id));
      if (id) {
        if (TradeGroup* group = groups.Find(*id)) group->languages[n] = ReadNames(c, col);
      }
      CheckStop(run);
    }
    LogTimed(run, "] Table of trade groups for [" + language.iso + "] is OK");
  }
  LogTimed(run, "] Table of trade groups is OK");
  LogLine(run, kExportSeparator);
}

}  // namespace quarvel::exporting
