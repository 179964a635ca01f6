#include "export/vehicle_technical_data.h"

#include <array>
#include <utility>

#include "core/text.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

// The designation columns of TOF_TYPES in select order, with their aliases.
constexpr std::array<std::pair<const char*, const char*>, 12> kDesignations = {{
    {"TYP_KV_VOLTAGE_DES_ID", "VOLTAZH"},
    {"TYP_KV_ABS_DES_ID", "ABSS"},
    {"TYP_KV_ASR_DES_ID", "ASR"},
    {"TYP_KV_ENGINE_DES_ID", "ENGINE"},
    {"TYP_KV_BRAKE_TYPE_DES_ID", "BRAKE_TYPE"},
    {"TYP_KV_BRAKE_SYST_DES_ID", "BRAKE_SYSTEM"},
    {"TYP_KV_FUEL_DES_ID", "FUEL"},
    {"TYP_KV_CATALYST_DES_ID", "CATALIZATOR"},
    {"TYP_KV_AXLE_DES_ID", "AXLE"},
    {"TYP_KV_DRIVE_DES_ID", "DRIVE"},
    {"TYP_KV_TRANS_DES_ID", "PRIVOD"},
    {"TYP_KV_FUEL_SUPPLY_DES_ID", "FUEL_SYPLE"},
}};

// The lines of the text in output order: label and column position in the select list (0-11 the
// designations above, then cylinders, valves, doors, tank, maximum weight).
constexpr std::array<std::pair<const char*, int>, 17> kLines = {{
    {"Engine type => ", 3},
    {"Number of cylinders => ", 12},
    {"Valves per cylinder => ", 13},
    {"Number of doors => ", 14},
    {"The design of the tank => ", 15},
    {"Voltage => ", 0},
    {"ABS => ", 1},
    {"ASR => ", 2},
    {"Brake type => ", 4},
    {"Braking type => ", 5},
    {"Fuel => ", 6},
    {"Type of catalyst => ", 7},
    {"Capacity => ", 16},
    {"Axis configuration => ", 8},
    {"Drive type => ", 9},
    {"Drive => ", 10},
    {"Refueling => ", 11},
}};

std::string SelectList(int language_id, bool with_type_id) {
  const std::string l = std::to_string(language_id);
  std::string sql = "SELECT DISTINCT \r\n";
  for (std::size_t i = 0; i < kDesignations.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    const std::string texts = "TOF_DES_TEXTS" + n;
    const std::string designations = "TOF_DESIGNATIONS" + n;
    sql += "  (SELECT " + texts + ".TEX_TEXT FROM TOF_DES_TEXTS " + texts + " JOIN TOF_DESIGNATIONS " +
           designations + " ON ((" + texts + ".TEX_ID=" + designations + ".DES_TEX_ID) AND ((" +
           designations + ".DES_LNG_ID=" + l + ")) AND (" + designations + ".DES_ID = TOF_TYPES." +
           kDesignations[i].first + "))) AS " + kDesignations[i].second + ", \r\n";
  }
  sql += JoinSqlLines({"  cast(TYP_CYLINDERS as varchar(*)), ", "  cast(TYP_VALVES as varchar(*)), ",
                       "  cast(TYP_DOORS as varchar(*)), ", "  cast(TYP_TANK as varchar(*)), "});
  sql += "\r\n";
  if (with_type_id)
    sql += "  cast(TYP_MAX_WEIGHT as varchar(*)), \r\n  TOF_TYPES.TYP_ID AS TYPID \r\n";
  else
    sql += "  cast(TYP_MAX_WEIGHT as varchar(*)) \r\n";
  return sql;
}

}  // namespace

std::string VehicleTechnicalDataSql(int country_id, int language_id, std::int64_t type_id) {
  return SelectList(language_id, false) +
         JoinSqlLines({"from TOF_TYPES WHERE (TOF_TYPES.TYP_ID = " + std::to_string(type_id) + ") and (" +
                           CountryTest("TOF_TYPES.TYP_CTM", country_id) + ")",
                       "ORDER BY TOF_TYPES.TYP_ID"});
}

std::string VehicleTechnicalDataBatchSql(int country_id, int language_id,
                                         std::span<const std::int64_t> type_ids) {
  return SelectList(language_id, true) +
         JoinSqlLines({"from TOF_TYPES WHERE (TOF_TYPES.TYP_ID IN (" + JoinIds(type_ids) + ")) and (" +
                           CountryTest("TOF_TYPES.TYP_CTM", country_id) + ")",
                       "ORDER BY TOF_TYPES.TYP_ID"});
}

std::string TechnicalDataFromRow(const platform::CatalogueCursor& row) {
  std::string text;
  for (const auto& [label, column] : kLines) {
    std::string value = Trim(row.Text(column));
    if (value.empty()) continue;
    text += label;
    text += value;
    text += "<br>";
  }
  return text;
}

std::string VehicleTechnicalData(platform::CatalogueConnection& catalogue, int country_id, int language_id,
                                 std::int64_t type_id) {
  platform::CatalogueCursor row = catalogue.Query(VehicleTechnicalDataSql(country_id, language_id, type_id));
  return row.AtEnd() ? std::string() : TechnicalDataFromRow(row);
}

void VehicleTechnicalDataBatch::Load(platform::CatalogueConnection& catalogue, int country_id,
                                     int language_id, std::span<const std::int64_t> type_ids) {
  loaded_.clear();
  for (std::int64_t id : type_ids) loaded_.try_emplace(id);
  for (std::size_t start = 0; start < type_ids.size(); start += kIdsPerStatement) {
    auto slice = type_ids.subspan(start, std::min(kIdsPerStatement, type_ids.size() - start));
    platform::CatalogueCursor row =
        catalogue.Query(VehicleTechnicalDataBatchSql(country_id, language_id, slice));
    const int type_column = row.ColumnIndex("TYPID");
    std::int64_t previous = 0;
    for (; !row.AtEnd(); row.Next()) {
      const std::int64_t id = row.Integer(type_column);
      // Only the first row of a type counts, as with its own statement.
      if (id == previous) continue;
      previous = id;
      auto it = loaded_.find(id);
      if (it != loaded_.end()) it->second = TechnicalDataFromRow(row);
    }
  }
}

const std::string& VehicleTechnicalDataBatch::Text(std::int64_t type_id) const {
  static const std::string kNone;
  auto it = loaded_.find(type_id);
  return it == loaded_.end() ? kNone : it->second;
}

}  // namespace quarvel::exporting
