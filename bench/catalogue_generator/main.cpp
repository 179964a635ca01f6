// quarvel-catalogue-generator: writes a large synthetic TecDoc-shaped catalogue for benchmarks and
// the demo.
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "bench/catalogue_generator/catalogue_generator.h"
#include "bench/catalogue_generator/sqlite_database.h"

int main(int argc, char** argv) {
  using namespace quarvel::bench;
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  std::optional<GeneratorOptions> options;
  try {
    options = ParseGeneratorArguments(words, QUARVEL_DEFAULT_CATALOGUE_SCHEMA);
  } catch (const GeneratorError& error) {
    std::fprintf(stderr, "quarvel-catalogue-generator: %s\n\n%s", error.what(), GeneratorUsage().c_str());
    return 2;
  }
  if (!options) {
    std::fputs(GeneratorUsage().c_str(), stdout);
    return 0;
  }
  try {
    const GenerationReport report = GenerateCatalogue(*options);
    for (const auto& [table, rows] : report.rows) {
      std::printf("%-26s %12lld\n", table.c_str(), static_cast<long long>(rows));
    }
    std::printf("Wrote %s: %.1f MB in %.1f s\n", options->out.c_str(),
                static_cast<double>(report.file_bytes) / 1e6, report.seconds);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quarvel-catalogue-generator: %s\n", error.what());
    return 1;
  }
}
