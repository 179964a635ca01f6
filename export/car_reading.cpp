// The vehicle table (`DataOfCars`), the vehicle category ids and the engine lists.
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/text.h"
#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"
#include "export/selection_lists.h"

namespace quarvel::exporting {

namespace {

constexpr std::size_t kModelLength = 130;
constexpr std::size_t kBodyTypeLength = 50;
constexpr std::size_t kEngineTypeLength = 130;

// Which text fields the templates will use: a field is read only when its placeholder occurs in
// its title template or in the category description.
struct CarFields {
  bool model, year_model, body_type, engine_type, year_type, eng_cc, eng_kw, eng_ps, eng_list;

  explicit CarFields(const ExportRun& run) {
    const std::string& model_title = run.session.options.Text(OptionId::PreparationData_Cat_title_model);
    const std::string& type_title = run.session.options.Text(OptionId::PreparationData_Cat_title_type);
    const std::string& description = run.params.category_description;
    auto in = [&](const std::string& title, std::string_view placeholder) {
      return HasPlaceholder(title, placeholder) || HasPlaceholder(description, placeholder);
    };
    model = in(model_title, "{MODEL}");
    year_model = in(model_title, "{STARTANDENDYEARMODEL}");
    body_type = in(model_title, "{BODYTYPE}");
    engine_type = in(type_title, "{ENGINETYPE}");
    year_type = in(type_title, "{STARTANDENDYEARTYPE}");
    eng_cc = in(type_title, "{ENGCC}");
    eng_kw = in(type_title, "{ENGKW}");
    eng_ps = in(type_title, "{ENGPS}");
    eng_list = in(type_title, "{ENGLIST}");
  }
};

std::string DesignationMin(int alias, int language_id, const std::string& key_column) {
  std::string a = std::to_string(alias);
  return "(SELECT min(TOF_DES_TEXTS" + a + ".TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS" + a +
         " JOIN TOF_DESIGNATIONS TOF_DESIGNATIONS" + a + " ON ((TOF_DES_TEXTS" + a +
         ".TEX_ID=TOF_DESIGNATIONS" + a + ".DES_TEX_ID) AND (TOF_DESIGNATIONS" + a +
         ".DES_LNG_ID = " + std::to_string(language_id) + ") AND (TOF_DESIGNATIONS" + a +
         ".DES_ID=TOF_TYPES." + key_column + ")))";
}

std::string CountryDesignationMin(int alias, int language_id, int country_id, const std::string& key) {
  std::string a = std::to_string(alias);
  return " (SELECT min(TOF_DES_TEXTS" + a + ".TEX_TEXT) FROM TOF_DES_TEXTS TOF_DES_TEXTS" + a +
         " JOIN TOF_COUNTRY_DESIGNATIONS TOF_COUNTRY_DESIGNATIONS" + a + " ON ((TOF_DES_TEXTS" + a +
         ".TEX_ID=TOF_COUNTRY_DESIGNATIONS" + a + ".CDS_TEX_ID) AND (TOF_COUNTRY_DESIGNATIONS" + a +
         ".CDS_LNG_ID = " + std::to_string(language_id) + ") AND (TOF_COUNTRY_DESIGNATIONS" + a +
         ".CDS_ID=" + key + ") AND (" + CountryTest("TOF_COUNTRY_DESIGNATIONS" + a + ".CDS_CTM", country_id) +
         ")))";
}

// The vehicle statement; `full` adds the year and number columns of the main language.
std::string CarSql(const ExportRun& run, int language_id, bool full) {
  const int r = run.CountryId();
  const Options& options = run.session.options;
  std::string sql = JoinSqlLines(
      {"SELECT DISTINCT ", " CAST(TOF_MANUFACTURERS.MFA_ID AS VARCHAR(*)) AS MFAID, ",
       " CAST(TOF_MODELS.MOD_ID AS VARCHAR(*)) AS MODID, ",
       " CAST(TOF_TYPES.TYP_ID AS VARCHAR(*)) AS TTC_TYP_ID, ", " TOF_MANUFACTURERS.MFA_BRAND AS MARKAAUTO, ",
       CountryDesignationMin(1, language_id, r, "TOF_MODELS.MOD_CDS_ID") + " AS MODELAUTO, ",
       CountryDesignationMin(2, language_id, r, "TOF_TYPES.TYP_CDS_ID") + " AS OBEMAUTO, ", " CASE",
       "    WHEN " + DesignationMin(3, language_id, "TYP_KV_BODY_DES_ID") + " IS NULL  ",
       "    THEN " + DesignationMin(4, language_id, "TYP_KV_MODEL_DES_ID") + "  ",
       "    ELSE " + DesignationMin(5, language_id, "TYP_KV_BODY_DES_ID") + "  "});
  if (full) {
    sql += "\r\n" + JoinSqlLines({" END AS TIPKUZOV,",
                                  " CAST(TOF_MODELS.MOD_PCON_START as varchar(*)) AS MODVIDROKU, ",
                                  " CAST(TOF_MODELS.MOD_PCON_END as varchar(*)) AS MODDOROKU, ",
                                  " CAST(TOF_TYPES.TYP_PCON_START as varchar(*)) AS TYPVIDROKU, ",
                                  " CAST(TOF_TYPES.TYP_PCON_END as varchar(*)) AS TYPDOROKU, ",
                                  " CAST(TOF_TYPES.TYP_KW_FROM as varchar(*)) AS KW, ",
                                  " CAST(TOF_TYPES.TYP_HP_FROM as varchar(*)) AS LS, ",
                                  " CAST(TOF_TYPES.TYP_CCM as varchar(*)) AS KUBSM "});
  } else {
    sql += "\r\n END AS TIPKUZOV";
  }
  sql +=
      "\r\n" +
      JoinSqlLines(
          {"FROM TOF_MANUFACTURERS JOIN (TOF_MODELS JOIN TOF_TYPES ON "
           "(TOF_TYPES.TYP_MOD_ID=TOF_MODELS.MOD_ID)) ON (TOF_MODELS.MOD_MFA_ID=TOF_MANUFACTURERS.MFA_ID) ",
           "WHERE (" + CountryTest("TOF_TYPES.TYP_CTM", r) + ") ",
           " AND (((TOF_MODELS.MOD_PC=1) AND (" + CountryTest("TOF_MODELS.MOD_PC_CTM", r) + "))",
           "    OR ((TOF_MODELS.MOD_CV=1) AND (" + CountryTest("TOF_MODELS.MOD_CV_CTM", r) + ")))",
           " AND (((TOF_MANUFACTURERS.MFA_PC_MFC=1) AND (" + CountryTest("TOF_MANUFACTURERS.MFA_PC_CTM", r) +
               "))",
           "    OR ((TOF_MANUFACTURERS.MFA_CV_MFC=1) AND (" + CountryTest("TOF_MANUFACTURERS.MFA_CV_CTM", r) +
               ")))"});
  if (options.Boolean(OptionId::ExportData_Only_selected_brand_of_cars)) {
    bool brand_mode = options.Boolean(OptionId::ExportData_ForCars_groupsByBrands);
    std::string ids = SafeIdList(brand_mode ? run.params.car_brand_ids : run.params.car_model_ids);
    if (!ids.empty())
      sql += brand_mode ? "\r\n  AND (TOF_MANUFACTURERS.MFA_ID IN (" + ids + "))"
                        : "\r\n  AND (TOF_MODELS.MOD_ID IN (" + ids + "))";
  }
  if (options.Boolean(OptionId::ExportData_Models_Only_from_year))
    sql += "\r\n" + ModelYearCondition(ModelsFromYear(options));
  return sql + "\r\nORDER BY TTC_TYP_ID";
}

std::string YearsText(const std::string& start, const std::string& end) {
  return Trim(YearMonthText(start)) + "-" + Trim(YearMonthText(end));
}

// Store categories of models and brands that linked types already have ("Addition to the
// existing data"), keyed by catalogue model and brand id.
struct StoreParents {
  std::unordered_map<std::int64_t, LinkedTypeParents> models;
  std::unordered_map<std::int64_t, std::int64_t> brands;
};

void ReadMainLanguage(ExportRun& run, const CarFields& fields, const std::unordered_set<std::int64_t>& wanted,
                      StoreParents& parents) {
  IdTable<Car>& cars = Tables(run).cars;
  const bool addition = !run.params.clean_store;
  const std::size_t variants = run.AdditionalLanguagesActive() ? run.languages.size() + 1 : 0;
  platform::CatalogueCursor c = run.session.catalogue.Query(CarSql(run, run.LanguageId(), true));
  const int c_mfa = c.ColumnIndex("MFAID"), c_mod = c.ColumnIndex("MODID"),
            c_typ = c.ColumnIndex("TTC_TYP_ID"), c_make = c.ColumnIndex("MARKAAUTO");
  const int c_model = c.ColumnIndex("MODELAUTO"), c_engine = c.ColumnIndex("OBEMAUTO"),
            c_body = c.ColumnIndex("TIPKUZOV");
  const int c_mod_from = c.ColumnIndex("MODVIDROKU"), c_mod_to = c.ColumnIndex("MODDOROKU"),
            c_typ_from = c.ColumnIndex("TYPVIDROKU"), c_typ_to = c.ColumnIndex("TYPDOROKU");
  const int c_kw = c.ColumnIndex("KW"), c_ps = c.ColumnIndex("LS"), c_cc = c.ColumnIndex("KUBSM");
  for (; !c.AtEnd(); c.Next()) {
    std::optional<std::int64_t> id = ParseId(c.Text(c_typ));
    if (id && cars.InRange(*id)) {
      Car& car = cars.Get(*id);
      car.id_manufacturer = ParseId(c.Text(c_mfa)).value_or(0);
      car.make = c.Text(c_make);
      car.id_model = ParseId(c.Text(c_mod)).value_or(0);
      bool linked = false;
      if (addition) {
        auto link = run.store_state.linked_types.find(*id);
        linked = link != run.store_state.linked_types.end() && link->second >= 1;
        auto above = run.store_state.linked_type_parents.find(*id);
        if (linked && above != run.store_state.linked_type_parents.end()) {
          if (above->second.model_category > 0) parents.models.try_emplace(car.id_model, above->second);
          if (above->second.brand_category > 0)
            parents.brands.try_emplace(car.id_manufacturer, above->second.brand_category);
        }
      }
      car.activ = !linked && (wanted.empty() || wanted.count(*id) > 0);
      // Inactive types get no categories and no texts.
      if (car.activ) {
        if (fields.model) car.texts.model = FirstCharacters(c.Text(c_model), kModelLength);
        if (fields.year_model) car.start_and_end_year_model = YearsText(c.Text(c_mod_from), c.Text(c_mod_to));
        if (fields.body_type) car.texts.body_type = FirstCharacters(c.Text(c_body), kBodyTypeLength);
        if (fields.engine_type) car.texts.engine_type = FirstCharacters(c.Text(c_engine), kEngineTypeLength);
        if (fields.year_type) car.start_and_end_year_type = YearsText(c.Text(c_typ_from), c.Text(c_typ_to));
        if (fields.eng_cc) car.eng_cc = c.Text(c_cc);
        if (fields.eng_kw) car.eng_kw = c.Text(c_kw);
        if (fields.eng_ps) car.eng_ps = c.Text(c_ps);
        car.languages.assign(variants, {});
      }
    }
    CheckStop(run);
  }
  cars.Sort();
}

void ReadLanguage(ExportRun& run, const CarFields& fields, std::size_t n) {
  IdTable<Car>& cars = Tables(run).cars;
  const ExportLanguage& language = run.languages[n - 1];
  platform::CatalogueCursor c = run.session.catalogue.Query(CarSql(run, language.catalogue_lang_id, false));
  const int c_typ = c.ColumnIndex("TTC_TYP_ID"), c_model = c.ColumnIndex("MODELAUTO"),
            c_engine = c.ColumnIndex("OBEMAUTO"), c_body = c.ColumnIndex("TIPKUZOV");
  for (; !c.AtEnd(); c.Next()) {
    std::optional<std::int64_t> id = ParseId(c.Text(c_typ));
    Car* car = id ? cars.Find(*id) : nullptr;
    if (car != nullptr && car->activ) {
      CarTexts& texts = car->languages[n];
      if (fields.model) texts.model = FirstCharacters(c.Text(c_model), kModelLength);
      if (fields.body_type) texts.body_type = FirstCharacters(c.Text(c_body), kBodyTypeLength);
      if (fields.engine_type) texts.engine_type = FirstCharacters(c.Text(c_engine), kEngineTypeLength);
    }
    CheckStop(run);
  }
  LogTimed(run, "] Creating data of cars for [" + language.iso + "] is OK");
}

// Brand, model and type categories in ascending type id: brands and models get the id of their
// first type. Brands and models are looked up apart, so a brand and a model with the same
// catalogue id never share a category.
void AllocateCarCategories(ExportRun& run, const StoreParents& parents) {
  std::unordered_map<std::int64_t, std::int64_t> brands, models;
  for (Car& car : Tables(run).cars.records()) {
    if (!car.activ) continue;
    auto store_model = parents.models.find(car.id_model);
    auto store_brand = parents.brands.find(car.id_manufacturer);
    if (store_model != parents.models.end() && store_model->second.brand_category > 0) {
      car.cat_man = store_model->second.brand_category;
      car.cat_man_in_store = true;
    } else if (store_brand != parents.brands.end()) {
      car.cat_man = store_brand->second;
      car.cat_man_in_store = true;
    } else {
      auto [it, added] = brands.try_emplace(car.id_manufacturer, 0);
      if (added) it->second = ++run.next_category;
      car.cat_man = it->second;
    }
    if (store_model != parents.models.end()) {
      car.cat_model = store_model->second.model_category;
      car.cat_model_in_store = true;
    } else {
      auto [it, added] = models.try_emplace(car.id_model, 0);
      if (added) it->second = ++run.next_category;
      car.cat_model = it->second;
    }
    car.cat_type = ++run.next_category;
  }
}

void ReadEngineLists(ExportRun& run) {
  IdTable<Car>& cars = Tables(run).cars;
  const int r = run.CountryId();
  std::string sql =
      JoinSqlLines({"SELECT DISTINCT ", "     CAST(TOF_LINK_TYP_ENG.LTE_TYP_ID AS VARCHAR(*)) AS TYPID,  ",
                    "     TOF_ENGINES.ENG_CODE AS CODE  ", "FROM TOF_ENGINES",
                    "     JOIN TOF_LINK_TYP_ENG ON (TOF_ENGINES.ENG_ID=TOF_LINK_TYP_ENG.LTE_ENG_ID)", "WHERE",
                    "     (" + CountryTest("TOF_ENGINES.ENG_CTM", r) + ")",
                    "     AND (" + CountryTest("TOF_LINK_TYP_ENG.LTE_CTM", r) + ")", "ORDER BY TYPID, CODE"});
  platform::CatalogueCursor c = run.session.catalogue.Query(sql);
  const int c_typ = c.ColumnIndex("TYPID"), c_code = c.ColumnIndex("CODE");
  for (; !c.AtEnd(); c.Next()) {
    std::optional<std::int64_t> id = ParseId(c.Text(c_typ));
    Car* car = id ? cars.Find(*id) : nullptr;
    if (car != nullptr && car->activ) {
      if (!car->eng_list.empty()) car->eng_list += ", ";
      car->eng_list += c.Text(c_code);
    }
    CheckStop(run);
  }
}

}  // namespace

void ReadCars(ExportRun& run) {
  IdTable<Car>& cars = Tables(run).cars;
  const Options& options = run.session.options;
  LogTimed(run, "] Create table of cars  ... wait");
  cars.Reset(ReadMaxId(run.session.catalogue,
                       JoinSqlLines({"SELECT CAST(MAX(TYP_ID) AS VARCHAR(*)) AS MAXTYPID FROM TOF_TYPES",
                                     "WHERE (" + CountryTest("TOF_TYPES.TYP_CTM", run.CountryId()) + ")"})));

  // A file that names no usable type switches its filter off for this run.
  std::unordered_set<std::int64_t> wanted;
  if (options.Boolean(OptionId::ExportData_Only_for_values_of_cars_from_file))
    wanted = ReadIdFile(options.Text(OptionId::ExportData_Path_to_data_with_typid), cars.max_id());

  const CarFields fields(run);
  StoreParents parents;
  ReadMainLanguage(run, fields, wanted, parents);
  for (std::size_t n = 1; run.AdditionalLanguagesActive() && n <= run.languages.size(); ++n)
    ReadLanguage(run, fields, n);

  LogTimed(run, "] Start sorting table of cars  ... wait");
  AllocateCarCategories(run, parents);

  if (fields.eng_list) {
    LogTimed(run, "] Get list engine for cars  ... wait");
    ReadEngineLists(run);
  }
  LogTimed(run, "] Table of cars  is OK.");
  LogLine(run, kExportSeparator);
}

}  // namespace quarvel::exporting
