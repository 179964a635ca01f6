#include <algorithm>
#include <optional>
#include <string>

#include "bench/catalogue_generator/catalogue_steps.h"
#include "bench/catalogue_generator/concat.h"
#include "bench/catalogue_generator/text_pools.h"

namespace quarvel::bench {
namespace {

constexpr std::int64_t kTypesPerModel = 5;

constexpr std::int64_t kValves[] = {8, 12, 16, 24};
constexpr std::string_view kGenerations[] = {"I", "II", "III", "IV", "V", "VI"};
constexpr std::string_view kEngineCodes[] = {"CAYC",       "K7M 710", "BKC",       "M54 B25",
                                             "Z16XER",     "1NZ-FE",  "ВАЗ-21067", "D4FB",
                                             "OM 651.913", "F9Q 800", "CJZA",      "G4FC"};
constexpr std::string_view kTypeNames[] = {"1.4",    "1.6 16V",     "1.8 T",        "2.0 TDI", "1.9 D",
                                           "2.5 V6", "1.2 \"Eco\"", "3.0 d xDrive", "1.5 dCi", "1.6 ГБО"};

// yyyymm from a year and a month.
std::int64_t YearMonth(std::int64_t year, std::int64_t month) { return year * 100 + month; }

void WriteManufacturers(GenerationContext& context, std::int64_t count) {
  TableInserter makers(context.db, "TOF_MANUFACTURERS",
                       {"MFA_ID", "MFA_BRAND", "MFA_PC_MFC", "MFA_CV_MFC", "MFA_PC_CTM", "MFA_CV_CTM"});
  const auto names = CarMakerNames();
  for (std::int64_t i = 0; i < count; ++i) {
    // Ids cross 9/10 and 99/100, where text order and number order part.
    std::int64_t id = 2 + 5 * i;
    std::string name(names[static_cast<std::size_t>(i) % names.size()]);
    if (i >= static_cast<std::int64_t>(names.size()))
      name = Concat(name, " ", std::to_string(i / names.size() + 1));
    bool commercial = i % 4 == 3;
    const std::string_view countries = context.CountryField();
    makers.Insert(id, name, 1, commercial ? 1 : 0, countries, commercial ? kEverywhere : kNowhere);
    context.manufacturer_ids.push_back(id);
    context.manufacturer_names.push_back(name);
  }
  context.Count(makers);
}

}  // namespace

void WriteVehicles(GenerationContext& context) {
  const std::int64_t type_count = context.options.types;
  const std::int64_t model_count = (type_count + kTypesPerModel - 1) / kTypesPerModel;
  const std::int64_t maker_count =
      std::clamp<std::int64_t>(model_count / 3, 1, static_cast<std::int64_t>(CarMakerNames().size()) * 4);
  WriteManufacturers(context, maker_count);

  TableInserter models(context.db, "TOF_MODELS",
                       {"MOD_ID", "MOD_MFA_ID", "MOD_CDS_ID", "MOD_PCON_START", "MOD_PCON_END", "MOD_PC",
                        "MOD_CV", "MOD_PC_CTM", "MOD_CV_CTM"});
  TableInserter types(context.db, "TOF_TYPES",
                      {"TYP_ID", "TYP_MOD_ID", "TYP_CDS_ID", "TYP_CTM", "TYP_PCON_START", "TYP_PCON_END",
                       "TYP_CCM", "TYP_KW_FROM", "TYP_HP_FROM", "TYP_CYLINDERS", "TYP_DOORS", "TYP_TANK",
                       "TYP_VALVES", "TYP_MAX_WEIGHT", "TYP_KV_BODY_DES_ID", "TYP_KV_MODEL_DES_ID",
                       "TYP_KV_FUEL_DES_ID", "TYP_KV_DRIVE_DES_ID", "TYP_KV_ENGINE_DES_ID"});

  std::vector<std::int64_t> body_des_ids;
  for (const Translation& body : BodyStyles()) body_des_ids.push_back(context.designations.Add(body));
  std::vector<std::int64_t> fuel_des_ids;
  for (const Translation& fuel : FuelKinds()) fuel_des_ids.push_back(context.designations.Add(fuel));
  std::vector<std::int64_t> drive_des_ids;
  for (const Translation& drive : DriveKinds()) drive_des_ids.push_back(context.designations.Add(drive));
  const std::int64_t engine_kind_des_id =
      context.designations.Add({"Petrol Engine", "Ottomotor", "Бензиновый двигатель"});

  RandomSource& random = context.random;
  const auto families = ModelFamilyNames();
  std::int64_t type_index = 0;
  for (std::int64_t m = 0; m < model_count; ++m) {
    const std::int64_t model_id = 100 + 3 * m;
    const std::int64_t maker_id = context.manufacturer_ids[static_cast<std::size_t>(m % maker_count)];
    std::string model_name(families[static_cast<std::size_t>(m) % families.size()]);
    model_name = Concat(model_name, " ", random.Pick(kGenerations), " (", std::to_string(m % 97 + 1), "J)");
    const std::int64_t model_cds =
        context.designations.AddCountry({model_name, model_name, model_name}, context.CountryField());
    const std::int64_t start_year = random.Between(1985, 2018);
    const std::int64_t model_start = YearMonth(start_year, random.Between(1, 12));
    std::optional<std::int64_t> model_end;
    if (random.Percent(75)) {
      const std::int64_t end_year = start_year + random.Between(3, 12);
      model_end = YearMonth(end_year, random.Between(1, 12));
    }
    const bool commercial = m % 10 == 9;
    const std::string_view model_countries = context.CountryField();
    models.Insert(model_id, maker_id, model_cds, model_start, model_end, commercial ? 0 : 1,
                  commercial ? 1 : 0, commercial ? kNowhere : model_countries,
                  commercial ? model_countries : kNowhere);

    for (std::int64_t t = 0; t < kTypesPerModel && type_index < type_count; ++t, ++type_index) {
      // Spaced ids, strictly increasing.
      const std::int64_t type_id = 1000 + 4 * type_index + type_index % 3;
      std::string type_name(random.Pick(kTypeNames));
      const std::int64_t type_cds = context.designations.AddCountry(
          {type_name, type_name, type_name}, random.Percent(97) ? kEverywhere : kGermanyOnly);
      const std::int64_t type_start = std::max(model_start, YearMonth(start_year + t, random.Between(1, 12)));
      std::optional<std::int64_t> type_end;
      if (random.Percent(80)) type_end = type_start + 100 * random.Between(1, 8);
      // Each value drawn in its own statement: argument evaluation order is unspecified, and the
      // same seed must give the same file whatever the compiler.
      const std::int64_t kw = random.Between(40, 220);
      std::optional<std::int64_t> body;
      if (random.Percent(85)) body = body_des_ids[static_cast<std::size_t>(random.Below(6))];
      const std::string_view type_countries = context.CountryField();
      std::int64_t ccm = random.Between(9, 30) * 100;
      ccm += random.Below(100);
      const std::int64_t cylinders = random.Between(3, 8);
      const std::int64_t doors = random.Between(2, 5);
      const std::int64_t tank = random.Between(40, 90);
      const std::int64_t valves = random.Pick(kValves);
      const std::int64_t weight = random.Between(1200, 3500);
      const std::int64_t fuel = fuel_des_ids[static_cast<std::size_t>(random.Below(4))];
      const std::int64_t drive = drive_des_ids[static_cast<std::size_t>(random.Below(3))];
      // A type without a body style shows its model key value instead.
      types.Insert(type_id, model_id, type_cds, type_countries, type_start, type_end, ccm, kw,
                   (kw * 136 + 50) / 100, cylinders, doors, tank, valves, weight, body,
                   body_des_ids[static_cast<std::size_t>(m % 6)], fuel, drive, engine_kind_des_id);
      context.type_ids.push_back(type_id);
    }
  }
  context.Count(models);
  context.Count(types);

  // A shared pool of engines; each type has one, some two.
  TableInserter engines(context.db, "TOF_ENGINES", {"ENG_ID", "ENG_CODE", "ENG_CTM"});
  TableInserter type_engines(context.db, "TOF_LINK_TYP_ENG", {"LTE_TYP_ID", "LTE_ENG_ID", "LTE_CTM"});
  const std::int64_t engine_count = std::max<std::int64_t>(12, type_count / 3);
  for (std::int64_t e = 0; e < engine_count; ++e) {
    std::string code(kEngineCodes[static_cast<std::size_t>(e) % std::size(kEngineCodes)]);
    if (e >= static_cast<std::int64_t>(std::size(kEngineCodes))) code = Concat(code, "-", std::to_string(e));
    const std::string_view countries = context.CountryField();
    engines.Insert(10000 + e, code, countries);
  }
  for (std::int64_t type_id : context.type_ids) {
    const std::int64_t first = random.Below(engine_count);
    const std::string_view countries = context.CountryField();
    type_engines.Insert(type_id, 10000 + first, countries);
    if (random.Percent(20)) {
      const std::string_view second_countries = context.CountryField();
      type_engines.Insert(type_id, 10000 + (first + 1) % engine_count, second_countries);
    }
  }
  context.Count(engines);
  context.Count(type_engines);
}

}  // namespace quarvel::bench
