#pragma once

#include <string>
#include <vector>

#include "export/export_context.h"
#include "platform/store/store_connection.h"

namespace quarvel::exporting {

// The store's product image types in name order, read in both modes. Throws what the store
// connection throws.
std::string StoreImageTypesSql(const std::string& prefix);
std::vector<StoreImageType> ReadStoreImageTypes(platform::StoreConnection& store, const std::string& prefix);

}  // namespace quarvel::exporting
