// The trade-group sub-trees under the vehicle types, from the catalogue's applicability data.
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

// Active types are queried 21 at a time (20 collected, then the next active one joins).
constexpr std::size_t kTypesPerBatch = 21;

std::string ApplicabilitySql(int country_id, const std::vector<std::int64_t>& type_ids) {
  std::string ids;
  for (std::int64_t id : type_ids) {
    if (!ids.empty()) ids += ',';
    ids += std::to_string(id);
  }
  if (ids.empty()) ids = "0";
  return JoinSqlLines(
      {"SELECT DISTINCT ", "  CAST(LAT_TYP_ID AS VARCHAR(*)) AS TYPID, ",
       "  CAST(LA_ART_ID AS VARCHAR(*)) AS ARTID ",
       "FROM  TOF_LINK_LA_TYP JOIN TOF_LINK_ART ON (LAT_LA_ID = LA_ID)",
       "WHERE (" + CountryTest("LA_CTM", country_id) + ") AND (" + CountryTest("LAT_CTM", country_id) + ")",
       "  AND (LAT_TYP_ID IN (" + ids + ")) ", "ORDER BY TYPID, ARTID"});
}

class SubTreeBuilder {
 public:
  explicit SubTreeBuilder(ExportRun& run)
      : run_(run),
        tables_(Tables(run)),
        clean_(run.params.clean_store),
        by_assembly_(run.session.options.Boolean(OptionId::PreparationData_Pro_CategoryForTradeGroup)),
        only_with_parts_(
            run.session.options.Boolean(OptionId::PreparationData_CreateCatTreeForVEHICLE_OnlyForCars)) {}

  // Reads the applicability of a batch of types and places their trade groups in row order (the
  // text order of the type and article ids), which decides the category ids.
  void RunBatch(const std::vector<std::int64_t>& type_ids) {
    const std::unordered_set<std::int64_t> in_batch(type_ids.begin(), type_ids.end());
    std::unordered_map<std::int64_t, TypeState> states;
    platform::CatalogueCursor c = run_.session.catalogue.Query(ApplicabilitySql(run_.CountryId(), type_ids));
    const int c_typ = c.ColumnIndex("TYPID"), c_art = c.ColumnIndex("ARTID");
    for (; !c.AtEnd(); c.Next()) {
      std::optional<std::int64_t> typ_id = ParseId(c.Text(c_typ));
      std::optional<std::int64_t> art_id = ParseId(c.Text(c_art));
      Car* car = typ_id && in_batch.count(*typ_id) > 0 ? tables_.cars.Find(*typ_id) : nullptr;
      const Part* part = art_id ? tables_.parts.Find(*art_id) : nullptr;
      const TradeGroup* group = part != nullptr ? tables_.trade_groups.Find(part->ga_id) : nullptr;
      if (car != nullptr && car->activ && group != nullptr && Qualifies(*part))
        Place(*car, *group, states[car->id]);
      CheckStop(run_);
    }
    for (std::int64_t id : type_ids) {
      Car* car = tables_.cars.Find(id);
      if (car == nullptr) continue;
      if (states.count(id) == 0) {
        car->ga.clear();
        // A type none of whose selected parts fits gets no categories at all.
        if (only_with_parts_) car->activ = false;
      }
    }
  }

 private:
  struct TypeState {
    std::unordered_set<std::int64_t> placed;
    std::unordered_map<std::string, std::int64_t> parents;  // parent name -> cat_num1
  };

  bool Qualifies(const Part& part) const { return clean_ ? part.activ : part.cat_artid >= 1; }

  // A generic article appears once under a type; parent categories are shared within the type.
  void Place(Car& car, const TradeGroup& group, TypeState& state) {
    if (state.placed.empty()) car.ga.clear();
    if (!state.placed.insert(group.id).second) return;
    CarTradeGroup entry;
    entry.id_ga = group.id;
    const std::string& parent = by_assembly_ ? group.names.assembly : group.names.short_name;
    auto [it, added] = state.parents.try_emplace(parent, 0);
    if (added) it->second = ++run_.next_category;
    entry.cat_num1 = it->second;
    entry.cat_num2 = ++run_.next_category;
    car.ga.push_back(entry);
  }

  ExportRun& run_;
  CatalogueTables& tables_;
  bool clean_;
  bool by_assembly_;
  bool only_with_parts_;
};

}  // namespace

void UpdateVehicleCategories(ExportRun& run) {
  IdTable<Car>& cars = Tables(run).cars;
  LogTimed(run, "] Updating categories  ... wait");
  cars.Sort();
  Tables(run).parts.Sort();
  SubTreeBuilder builder(run);

  // Walking the type ids 1 .. highest: a batch is queried when it reaches 21 types, and the
  // highest type id closes the last one whether that type is active or not. When the 21st type
  // of a batch is the highest id, that one query is the last; a batch that is empty when the
  // highest id closes it queries the single id 0.
  const std::int64_t highest = cars.max_id();
  std::vector<std::int64_t> batch;
  bool closed_at_highest = false;
  for (std::size_t i = 0; i < cars.records().size(); ++i) {
    const Car& car = cars.records()[i];
    if (!car.activ) continue;
    batch.push_back(car.id);
    if (batch.size() == kTypesPerBatch) {
      closed_at_highest = car.id == highest;
      builder.RunBatch(batch);
      batch.clear();
    }
  }
  if (highest >= 1 && !closed_at_highest) builder.RunBatch(batch);

  LogTimed(run, "] Table of parts is OK");
  LogLine(run, kExportSeparator);
}

}  // namespace quarvel::exporting
