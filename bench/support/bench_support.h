#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "bench/catalogue_generator/catalogue_generator.h"

namespace quarvel::bench {

// Peak resident memory of this process so far.
double PeakResidentMb();

// The SQLite ODBC driver library of the Debian package, or its bare name for the driver manager.
std::string DefaultSqliteOdbcDriver();

// The generated catalogue of the export benchmarks: 200,000 articles, 20,000 types, 25 links.
GeneratorOptions LargeCatalogueOptions(std::filesystem::path schema);

// Takes a generator option of the command line ("--articles", "--types", `links_flag`, "--seed")
// into `options`; false when `word` is none of them.
bool TakeGeneratorOption(std::string_view word, const std::string& value, std::string_view links_flag,
                         GeneratorOptions& options);

}  // namespace quarvel::bench
