#include "core/tables_for_cleaning.h"

#include <string>

namespace quarvel {

const std::array<std::string_view, kTablesForCleaningCount>& TablesForCleaning() {
  static constexpr std::array<std::string_view, kTablesForCleaningCount> kTables = {
      "category",
      "category_group",
      "category_lang",
      "category_product",
      "category_shop",
      "feature",
      "feature_lang",
      "feature_product",
      "feature_shop",
      "feature_value",
      "feature_value_lang",
      "image",
      "image_lang",
      "image_shop",
      "manufacturer",
      "manufacturer_lang",
      "manufacturer_shop",
      "product",
      "product_lang",
      "product_shop",
      "product_tag",
      "supplier",
      "supplier_lang",
      "supplier_shop",
      "tag",
      "LinkTypPrestaWithTecDoc",
      "LinkArtPrestaWithTecDoc",
      "LinkManufacturersPrestaWithTecDoc",
      "LinkSuppliersPrestaWithTecDoc",
      "TermOfUseFromTecDoc",
      "image_from_tarlund",
  };
  return kTables;
}

void FillCleaningTables(CheckList& list, std::string_view stored_checks) {
  list.entries.clear();
  const auto& tables = TablesForCleaning();
  for (std::size_t i = 0; i < tables.size(); ++i)
    list.entries.push_back(CheckListEntry{std::string(tables[i]), std::to_string(i), false});
  list.CheckFromIdList(stored_checks);
  list.filled = true;
}

}  // namespace quarvel
