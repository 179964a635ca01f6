// quarvel-bench-export-read: runs the export's catalogue reading stages ("Clean store", all data)
// through the real ODBC path (SQLite ODBC driver) on a generated or given catalogue and prints
// rows per second per stage and the peak resident memory.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/catalogue_generator/catalogue_generator.h"
#include "bench/support/bench_support.h"
#include "core/session.h"
#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"

namespace {

namespace fs = std::filesystem;
using namespace quarvel;

constexpr const char* kUsage =
    "usage: quarvel-bench-export-read [--catalogue FILE] [--articles N] [--types N] [--links N] [--seed N]\n"
    "  --catalogue FILE  read this SQLite catalogue instead of generating one\n"
    "  --articles N      generated articles (default 200000)\n"
    "  --types N         generated vehicle types (default 20000)\n"
    "  --links N         applicability links per article (default 25)\n"
    "  --driver PATH     SQLite ODBC driver (default: the Debian package's)\n";

// Resident memory now (Linux), so the tables' share shows apart from a generator run in the
// same process.
double ResidentMb() {
  std::FILE* file = std::fopen("/proc/self/statm", "r");
  if (file == nullptr) return 0;
  long size = 0, resident = 0;
  int read = std::fscanf(file, "%ld %ld", &size, &resident);
  std::fclose(file);
  return read == 2
             ? static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
             : 0;
}

struct Arguments {
  fs::path catalogue;
  std::string driver = bench::DefaultSqliteOdbcDriver();
  bench::GeneratorOptions generator;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  args.generator = bench::LargeCatalogueOptions(QUARVEL_DEFAULT_CATALOGUE_SCHEMA);
  for (int i = 1; i < argc; ++i) {
    std::string_view word = argv[i];
    if (word == "--help") return false;
    if (i + 1 >= argc) throw std::runtime_error("missing value after " + std::string(word));
    std::string value = argv[++i];
    if (word == "--catalogue") {
      args.catalogue = value;
    } else if (word == "--driver") {
      args.driver = value;
    } else if (!bench::TakeGeneratorOption(word, value, "--links", args.generator)) {
      throw std::runtime_error("unknown option " + std::string(word));
    }
  }
  return true;
}

int Run(const Arguments& args) {
  // No data source or driver of the machine takes part.
  fs::path work = fs::temp_directory_path() / ("quarvel-bench-export-read-" + std::to_string(::getpid()));
  fs::create_directories(work);
  setenv("ODBCSYSINI", work.c_str(), 1);
  setenv("ODBCINI", (work / "odbc.ini").c_str(), 1);

  fs::path catalogue = args.catalogue;
  if (catalogue.empty()) {
    bench::GeneratorOptions options = args.generator;
    options.out = work / "catalogue.sqlite";
    std::printf("Generating %lld articles, %lld types, %lld links per article ...\n",
                static_cast<long long>(options.articles), static_cast<long long>(options.types),
                static_cast<long long>(options.links_per_article));
    std::fflush(stdout);
    bench::GenerationReport report = bench::GenerateCatalogue(options);
    std::printf("  %.1f MB in %.1f s\n", static_cast<double>(report.file_bytes) / 1e6, report.seconds);
    catalogue = options.out;
  }

  Session session;
  session.settings_file = work / "Quarvel.ini";
  session.catalogue.Connect(args.driver, "file:" + catalogue.string() + "?mode=ro", "", "");
  // The generated catalogue's language and country.
  session.options.SetInteger(OptionId::ConToTD_Lang, 4);
  session.options.SetInteger(OptionId::ConToTD_Reg, 250);

  struct NullUi : Ui {
    void Inform(const std::string&) override {}
    void Error(const std::string&) override {}
    bool Ask(const std::string&) override { return false; }
    void Pump() override {}
    void Progress(const std::string&, int) override {}
    void OpenFile(const std::string&) override {}
    void OpenUrl(const std::string&) override {}
  } ui;
  exporting::CatalogueTables tables;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
  exporting::ExportRun run{.session = session, .ui = ui};
#pragma GCC diagnostic pop
  run.tables = &tables;
  long rows = 0;
  run.check_stop = [&rows] { ++rows; };

  struct Stage {
    const char* name;
    std::function<void(exporting::ExportRun&)> run;
    std::function<std::size_t()> records;
  };
  const Stage stages[] = {
      {"trade groups", exporting::ReadTradeGroups, [&] { return tables.trade_groups.size(); }},
      {"cars", exporting::ReadCars, [&] { return tables.cars.size(); }},
      {"parts", exporting::ReadParts, [&] { return tables.parts.size(); }},
      {"product ids + criteria", exporting::AllocateProductIds, [&] { return tables.parts.size(); }},
      {"vehicle categories", exporting::UpdateVehicleCategories, [&] { return tables.cars.size(); }},
      {"manufacturers", exporting::ReadManufacturers, [&] { return tables.manufacturers.size(); }},
      {"criteria", exporting::ReadCriteria, [&] { return tables.criteria.size(); }},
  };
  std::printf("resident memory before reading %.1f MB\n", ResidentMb());
  std::printf("%-24s %12s %10s %14s %10s %8s %12s\n", "stage", "rows", "seconds", "rows/s", "records",
              "RSS MB", "peak RSS MB");
  const auto all_start = std::chrono::steady_clock::now();
  for (const Stage& stage : stages) {
    rows = 0;
    const auto start = std::chrono::steady_clock::now();
    stage.run(run);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-24s %12ld %10.2f %14.0f %10zu %8.1f %12.1f\n", stage.name, rows, seconds,
                seconds > 0 ? static_cast<double>(rows) / seconds : 0.0, stage.records(), ResidentMb(),
                bench::PeakResidentMb());
    std::fflush(stdout);
  }
  const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - all_start).count();
  std::printf("total %.2f s, category counter %lld, peak resident memory %.1f MB\n", total,
              static_cast<long long>(run.next_category), bench::PeakResidentMb());
  session.catalogue.Close();
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  try {
    if (!ParseArguments(argc, argv, args)) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    return Run(args);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quarvel-bench-export-read: %s\n\n%s", error.what(), kUsage);
    return 1;
  }
}
