#include "bench/support/bench_support.h"

#include <sys/resource.h>

#include <filesystem>

namespace quarvel::bench {

double PeakResidentMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string DefaultSqliteOdbcDriver() {
  for (const char* path :
       {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so",
        "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so", "/usr/lib/odbc/libsqlite3odbc.so"})
    if (std::filesystem::exists(path)) return path;
  return "libsqlite3odbc.so";
}

GeneratorOptions LargeCatalogueOptions(std::filesystem::path schema) {
  GeneratorOptions options;
  options.articles = 200000;
  options.types = 20000;
  options.links_per_article = 25;
  options.schema = std::move(schema);
  return options;
}

bool TakeGeneratorOption(std::string_view word, const std::string& value, std::string_view links_flag,
                         GeneratorOptions& options) {
  if (word == "--articles") {
    options.articles = std::stoll(value);
  } else if (word == "--types") {
    options.types = std::stoll(value);
  } else if (word == links_flag) {
    options.links_per_article = std::stoll(value);
  } else if (word == "--seed") {
    options.seed = std::stoull(value);
  } else {
    return false;
  }
  return true;
}

}  // namespace quarvel::bench
