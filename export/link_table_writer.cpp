#include "export/link_table_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"
#include "export/table_script_writer.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

struct LinkTable {
  std::string_view name;
  std::string_view store_column;
  std::string_view catalogue_column;
  std::string_view key_name;  // the manufacturers' index is named sup_id although it covers bra_id
};

constexpr LinkTable kTypes{"LinkTypPrestaWithTecDoc", "id_category", "typ_id", "typ_id"};
constexpr LinkTable kArticles{"LinkArtPrestaWithTecDoc", "id_product", "art_id", "art_id"};
constexpr LinkTable kSuppliers{"LinkSuppliersPrestaWithTecDoc", "id_supplier", "sup_id", "sup_id"};
constexpr LinkTable kManufacturers{"LinkManufacturersPrestaWithTecDoc", "id_manufacturer", "bra_id",
                                   "sup_id"};
constexpr LinkTable kAll[] = {kTypes, kArticles, kSuppliers, kManufacturers};

std::string Quoted(std::string_view name) { return "`" + std::string(name) + "`"; }

// Writes one link table from (store id, catalogue id) pairs taken by `each`.
template <typename Each>
void WriteLinks(ExportRun& run, const LinkTable& table, Each each) {
  TableScriptWriter writer(run.params, table.name,
                           Quoted(table.store_column) + "," + Quoted(table.catalogue_column));
  writer.Begin(table.name, LinkTableHeader(run.params.table_prefix, table.name));
  LogLine(run, progress::TableLine(table.name));
  std::string row;
  each([&](std::int64_t store_id, std::int64_t catalogue_id) {
    // The store has no row 0, and a second 0 would break the table's primary key.
    if (store_id < 1) return;
    row = std::to_string(store_id) + "," + std::to_string(catalogue_id);
    writer.AddRow(row);
    writer.EndItem();
  });
  writer.Finish();
}

bool Listed(const std::vector<std::string_view>& tables, const LinkTable& table) {
  return std::find(tables.begin(), tables.end(), table.name) != tables.end();
}

}  // namespace

std::string LinkTableHeader(std::string_view prefix, std::string_view table) {
  for (const LinkTable& link : kAll) {
    if (link.name != table) continue;
    return "CREATE TABLE IF NOT EXISTS `" + std::string(prefix) + std::string(link.name) + "` (" +
           Quoted(link.store_column) + " int(10) NOT NULL, " + Quoted(link.catalogue_column) +
           " int(10) NOT NULL, PRIMARY KEY (" + Quoted(link.store_column) + "), KEY " +
           Quoted(link.key_name) + " (" + Quoted(link.catalogue_column) + "));";
  }
  return {};
}

void WriteLinkTables(ExportRun& run, const StoreColumns&) {
  const std::vector<std::string_view> tables = LinkTablesToWrite(run.params);
  CatalogueTables& data = Tables(run);

  if (Listed(tables, kTypes)) {
    LogTimed(run, std::string(progress::kLinksStart));
    data.cars.Sort();
    WriteLinks(run, kTypes, [&](auto add) {
      for (const Car& car : data.cars.records())
        if (car.activ) add(car.cat_type, car.id);
    });
  }
  if (Listed(tables, kArticles)) {
    data.parts.Sort();
    WriteLinks(run, kArticles, [&](auto add) {
      for (const Part& part : data.parts.records())
        if (part.activ) add(part.cat_artid, part.id);
    });
  }
  data.manufacturers.Sort();
  if (Listed(tables, kSuppliers)) {
    WriteLinks(run, kSuppliers, [&](auto add) {
      for (const Manufacturer& brand : data.manufacturers.records())
        if (brand.activ && brand.sup) add(brand.cat_manufacturer, brand.id);
    });
  }
  if (Listed(tables, kManufacturers)) {
    WriteLinks(run, kManufacturers, [&](auto add) {
      for (const Manufacturer& brand : data.manufacturers.records())
        if (brand.activ) add(brand.cat_manufacturer, brand.id);
    });
  }
}

}  // namespace quarvel::exporting
