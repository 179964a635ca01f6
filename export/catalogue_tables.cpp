#include "export/catalogue_tables.h"

namespace quarvel::exporting {

void CatalogueTables::Clear() {
  // Fresh tables, so the memory of a large run is given back at once.
  trade_groups = {};
  cars = {};
  parts = {};
  manufacturers = {};
  criteria = {};
}

}  // namespace quarvel::exporting
