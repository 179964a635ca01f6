// The manufacturers table (`DataManufacturers`): every catalogue brand and its store manufacturer.
#include <string>

#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {
constexpr std::size_t kNameLength = 70;
}  // namespace

void ReadManufacturers(ExportRun& run) {
  IdTable<Manufacturer>& manufacturers = Tables(run).manufacturers;
  const bool addition = !run.params.clean_store;
  LogTimed(run, "] Create table of manufacturers  ... wait");
  manufacturers.Reset(
      ReadMaxId(run.session.catalogue, "SELECT CAST(MAX(BRA_ID) AS VARCHAR(*)) AS MAXBRAID FROM TOF_BRANDS"));

  std::string sql =
      JoinSqlLines({"SELECT DISTINCT  ", "  TOF_BRANDS.BRA_MFC_CODE AS SHORTNAME, ",
                    "  TOF_BRANDS.BRA_BRAND AS NAME, ", "  CAST(TOF_BRANDS.BRA_ID AS VARCHAR(*)) AS BRAID, ",
                    "  CAST(TOF_SUPPLIERS.SUP_ID AS VARCHAR(*)) AS SUPID ",
                    "FROM TOF_BRANDS LEFT JOIN TOF_SUPPLIERS ON (TOF_BRANDS.BRA_ID=TOF_SUPPLIERS.SUP_ID)",
                    "ORDER BY TOF_BRANDS.BRA_ID"});
  platform::CatalogueCursor c = run.session.catalogue.Query(sql);
  const int c_name = c.ColumnIndex("NAME"), c_bra = c.ColumnIndex("BRAID"), c_sup = c.ColumnIndex("SUPID");
  std::int64_t next = 0;
  for (; !c.AtEnd(); c.Next()) {
    std::optional<std::int64_t> id = ParseId(c.Text(c_bra));
    if (id && manufacturers.InRange(*id)) {
      Manufacturer& brand = manufacturers.Get(*id);
      // The name is kept for every brand, linked or not: part and car names use it.
      brand.name = FirstCharacters(c.Text(c_name), kNameLength);
      std::optional<std::int64_t> sup = ParseId(c.Text(c_sup));
      brand.sup = sup && *sup >= 1;
      if (addition) {
        auto link = run.store_state.linked_brands.find(*id);
        brand.activ = link != run.store_state.linked_brands.end();
        brand.cat_manufacturer = brand.activ ? link->second : 0;
      } else {
        brand.cat_manufacturer = ++next;
        brand.activ = true;
      }
    }
    CheckStop(run);
  }
  manufacturers.Sort();
  LogTimed(run, "] Table of manufacturers is OK");
  LogLine(run, kExportSeparator);
}

}  // namespace quarvel::exporting
