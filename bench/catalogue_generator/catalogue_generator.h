#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "bench/catalogue_generator/generator_options.h"

namespace quarvel::bench {

struct GenerationReport {
  std::map<std::string, std::int64_t> rows;  // by table name
  std::int64_t file_bytes = 0;
  double seconds = 0;
};

// Writes a synthetic catalogue into options.out. The file appears only when complete: it is
// written under a temporary name beside it and renamed at the end, replacing an older one.
// Throws GeneratorError on failure.
GenerationReport GenerateCatalogue(const GeneratorOptions& options);

}  // namespace quarvel::bench
