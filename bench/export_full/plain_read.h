#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::bench {

struct PlainReadReport {
  long statements = 0;
  std::int64_t rows = 0;
  std::int64_t cells = 0;
  std::int64_t bytes = 0;  // of the values read as text
  long rewritten = 0;      // statements the backend rewrite still changed (0 when replayed exactly)
  double seconds = 0;
};

// Runs each statement on the connection and walks as many rows as the export fetched from it
// (`rows[i]` for statement i), reading every column as text: the catalogue reading of an export
// without anything done with the values.
PlainReadReport ReadRows(platform::CatalogueConnection& catalogue, const std::vector<std::string>& statements,
                         const std::vector<std::int64_t>& rows);

}  // namespace quarvel::bench
