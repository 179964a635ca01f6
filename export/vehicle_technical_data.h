#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>

#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

// `VehicleTechnicalData`: the technical lines of a vehicle type ("Engine type => ...<br>" and so
// on), always in the catalogue's main language. The text is raw; whoever puts it into SQL escapes
// it.

// The statement of one type.
std::string VehicleTechnicalDataSql(int country_id, int language_id, std::int64_t type_id);
// The same for several types, the type id added as the last column TYPID and ordered by it first,
// so each type gets exactly the rows of its own statement.
std::string VehicleTechnicalDataBatchSql(int country_id, int language_id,
                                         std::span<const std::int64_t> type_ids);
// The text of a row of either statement (the columns are read by position).
std::string TechnicalDataFromRow(const platform::CatalogueCursor& row);

// One type's text through its own statement; empty when the type has no row.
std::string VehicleTechnicalData(platform::CatalogueConnection& catalogue, int country_id, int language_id,
                                 std::int64_t type_id);

// The texts of many types, read in statements of up to kIdsPerStatement ids.
class VehicleTechnicalDataBatch {
 public:
  static constexpr std::size_t kIdsPerStatement = 500;

  // Replaces the held texts by those of these types.
  void Load(platform::CatalogueConnection& catalogue, int country_id, int language_id,
            std::span<const std::int64_t> type_ids);
  // True when the last Load covered the type.
  bool Holds(std::int64_t type_id) const { return loaded_.contains(type_id); }
  // The text of a type of the last Load (empty for a type without a row).
  const std::string& Text(std::int64_t type_id) const;

 private:
  std::unordered_map<std::int64_t, std::string> loaded_;
};

}  // namespace quarvel::exporting
