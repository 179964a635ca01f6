#include "export/supplier_manufacturer_writer.h"

#include <algorithm>
#include <string_view>

#include "export/catalogue_tables.h"
#include "export/script_values.h"
#include "export/table_script_writer.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

// The store's supplier and manufacturer names are varchar(64). The cut is made on the raw name,
// before escaping, so a quote or backslash can never be split from its escape.
constexpr std::size_t kNameLength = 64;

// One brand table family (supplier or manufacturer) with its three writers.
class BrandTables {
 public:
  BrandTables(ExportRun& run, const StoreColumns& columns, std::string_view table, std::string_view id_column,
              std::string_view date_value)
      : run_(run),
        main_(columns, table, {id_column, "name", "date_add", "date_upd", "active"}),
        lang_(columns, Lang(table), {id_column, "id_lang"}),
        shop_(columns, Shop(table), {id_column, "id_shop"}),
        main_writer_(run.params, table, main_.List()),
        lang_writer_(run.params, Lang(table), lang_.List()),
        shop_writer_(run.params, Shop(table), shop_.List()),
        main_row_(main_),
        lang_row_(lang_),
        shop_row_(shop_),
        date_value_(date_value) {
    main_writer_.Begin(table);
    lang_writer_.Begin(Lang(table));
    shop_writer_.Begin(Shop(table));
  }

  void Add(const Manufacturer& brand) {
    const std::int64_t id = brand.cat_manufacturer;
    const Session& session = run_.session;
    main_writer_.AddRow(main_row_.Clear()
                            .Integer(id)
                            .Text(FirstCharacters(brand.name, kNameLength))
                            .Literal(date_value_)
                            .Literal(date_value_)
                            .Integer(1)
                            .View());
    lang_writer_.AddRow(lang_row_.Clear().Integer(id).Integer(session.store_defaults.default_lang_id).View());
    if (run_.params.clean_store) {
      for (const ExportLanguage& language : run_.languages)
        lang_writer_.AddRow(lang_row_.Clear().Integer(id).Integer(language.store_lang_id).View());
    }
    shop_writer_.AddRow(shop_row_.Clear().Integer(id).Integer(session.store_defaults.default_shop_id).View());
    main_writer_.EndItem();
    lang_writer_.EndItem();
    shop_writer_.EndItem();
  }

  void Finish() {
    main_writer_.Finish();
    lang_writer_.Finish();
    shop_writer_.Finish();
  }

 private:
  static std::string Lang(std::string_view table) { return std::string(table) + "_lang"; }
  static std::string Shop(std::string_view table) { return std::string(table) + "_shop"; }

  ExportRun& run_;
  TableColumns main_, lang_, shop_;
  TableScriptWriter main_writer_, lang_writer_, shop_writer_;
  TableRow main_row_, lang_row_, shop_row_;
  std::string_view date_value_;
};

}  // namespace

void WriteSuppliersAndManufacturers(ExportRun& run, const StoreColumns& columns) {
  const std::vector<WritingStage> stages = WritingStagesToRun(run.params, false);
  if (std::find(stages.begin(), stages.end(), WritingStage::kSuppliersAndManufacturers) == stages.end())
    return;

  IdTable<Manufacturer>& brands = run.tables->manufacturers;
  brands.Sort();

  run.log_timed(std::string(progress::kSuppliersStart));
  run.log_line(std::string(progress::kSuppliersTable));
  {
    BrandTables suppliers(run, columns, "supplier", "id_supplier", "'0000-00-00 00:00:00'");
    for (const Manufacturer& brand : brands.records()) {
      if (!brand.activ || !brand.sup) continue;
      suppliers.Add(brand);
      run.check_stop();
    }
    suppliers.Finish();
  }

  run.log_line(std::string(progress::kManufacturersTable));
  {
    BrandTables manufacturers(run, columns, "manufacturer", "id_manufacturer", "NOW()");
    for (const Manufacturer& brand : brands.records()) {
      if (!brand.activ) continue;
      manufacturers.Add(brand);
      run.check_stop();
    }
    manufacturers.Finish();
  }

  run.log_timed(std::string(progress::kSuppliersDone));
  run.log_line(std::string(progress::kStageEnd));
}

}  // namespace quarvel::exporting
