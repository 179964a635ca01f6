#include "export/store_image_types.h"

namespace quarvel::exporting {

std::string StoreImageTypesSql(const std::string& prefix) {
  return "SELECT \n"
         "   name, width, height\n"
         "FROM " +
         prefix +
         "image_type\n"
         "WHERE products = 1 \n"
         "ORDER BY name ";
}

std::vector<StoreImageType> ReadStoreImageTypes(platform::StoreConnection& store, const std::string& prefix) {
  std::vector<StoreImageType> types;
  for (auto row = store.Query(StoreImageTypesSql(prefix)); !row.AtEnd(); row.Next()) {
    types.push_back(
        {row.Text("name"), static_cast<int>(row.Int64("width")), static_cast<int>(row.Int64("height"))});
  }
  return types;
}

}  // namespace quarvel::exporting
