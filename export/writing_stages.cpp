#include "export/writing_stages.h"

#include "export/export_context.h"

namespace quarvel::exporting {

std::vector<WritingStage> WritingStagesToRun(const ExportParameters& params, bool images_configured) {
  const bool products = params.all_data || params.tables_of_products;
  const bool categories = params.ScopeHasCategories();
  const bool images = params.all_data || params.images_and_logos;

  std::vector<WritingStage> stages;
  if (products && params.clean_store) stages.push_back(WritingStage::kSuppliersAndManufacturers);
  if (categories) stages.push_back(WritingStage::kCategories);
  if (params.ScopeHasProductsAndCategories()) stages.push_back(WritingStage::kCategoryLinks);
  if (products) stages.push_back(WritingStage::kProducts);
  if (images && images_configured) stages.push_back(WritingStage::kImages);
  if (!LinkTablesToWrite(params).empty()) stages.push_back(WritingStage::kLinkTables);
  return stages;
}

std::vector<std::string_view> LinkTablesToWrite(const ExportParameters& params) {
  std::vector<std::string_view> tables;
  if (params.ScopeHasCategories()) tables.push_back("LinkTypPrestaWithTecDoc");
  if (params.all_data || params.tables_of_products) tables.push_back("LinkArtPrestaWithTecDoc");
  if (params.clean_store) {
    tables.push_back("LinkSuppliersPrestaWithTecDoc");
    tables.push_back("LinkManufacturersPrestaWithTecDoc");
  }
  return tables;
}

namespace progress {

std::string TableLine(std::string_view table) {
  std::string line = "... table [";
  line.append(table).append("] ");
  return line;
}

std::string CategoryLinksLine(bool clean_store) {
  return clean_store ? TableLine("category_product") : std::string(kCategoryLinksAddition);
}

std::string CategoryLinksPercentLine(int percent) {
  return "... table [category_product] :: " + std::to_string(percent) + "%";
}

}  // namespace progress

}  // namespace quarvel::exporting
