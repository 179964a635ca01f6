// quarvel-bench-export-full: a full export ("Clean store", ALL DATA, no images) of a large generated
// catalogue through the real ODBC path into a private store, with the wall time per stage, MB
// written, peak memory, and the same reads and writes done plainly for comparison.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/catalogue_generator/catalogue_generator.h"
#include "bench/export_full/plain_read.h"
#include "bench/export_full/plain_write.h"
#include "bench/export_full/statement_recorder.h"
#include "bench/support/bench_support.h"
#include "core/session.h"
#include "core/store_connection_ops.h"
#include "export/export_run.h"

namespace {

namespace fs = std::filesystem;
using namespace quarvel;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsage =
    "usage: quarvel-bench-export-full [--catalogue FILE | --articles N --types N --links-per-article N]\n"
    "                                 --store-port P [--database D] [--out DIR] [--driver PATH]\n"
    "  --catalogue FILE        export this SQLite catalogue instead of generating one\n"
    "  --articles N            generated articles (default 200000)\n"
    "  --types N               generated vehicle types (default 20000)\n"
    "  --links-per-article N   applicability links per article (default 25)\n"
    "  --seed N                generator seed (default 1)\n"
    "  --store-port P          TCP port of the MariaDB server on 127.0.0.1 (user root, no password)\n"
    "  --database D            store database, prefix ps_ (default tmpl_ps16)\n"
    "  --out DIR               keep the catalogue and the exported scripts in DIR/bench-export-full\n"
    "  --driver PATH           SQLite ODBC driver (default: the Debian package's)\n";

constexpr double kMb = 1e6;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Arguments {
  fs::path catalogue;
  fs::path out;
  std::string driver = bench::DefaultSqliteOdbcDriver();
  std::string database = "tmpl_ps16";
  int store_port = 0;
  bench::GeneratorOptions generator;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  args.generator = bench::LargeCatalogueOptions(QUARVEL_DEFAULT_CATALOGUE_SCHEMA);
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--help") return false;
    if (i + 1 >= argc) throw std::runtime_error("missing value after " + std::string(word));
    const std::string value = argv[++i];
    if (word == "--catalogue") {
      args.catalogue = value;
    } else if (word == "--out") {
      args.out = value;
    } else if (word == "--driver") {
      args.driver = value;
    } else if (word == "--database") {
      args.database = value;
    } else if (word == "--store-port") {
      args.store_port = std::stoi(value);
    } else if (!bench::TakeGeneratorOption(word, value, "--links-per-article", args.generator)) {
      throw std::runtime_error("unknown option " + std::string(word));
    }
  }
  if (args.store_port <= 0) throw std::runtime_error("--store-port is required");
  return true;
}

// Questions are answered No, as a user who lets the run go on would; errors are shown at once.
class BenchUi : public Ui {
 public:
  void Inform(const std::string&) override {}
  void Error(const std::string& text) override {
    std::fprintf(stderr, "error: %s\n", text.c_str());
    ++errors;
  }
  bool Ask(const std::string& question) override {
    std::fprintf(stderr, "question answered No: %s\n", question.c_str());
    return false;
  }
  int errors = 0;
};

// Generates in a child process, so the generator's memory does not count in this process's peak.
void GenerateInChild(const bench::GeneratorOptions& options) {
  std::printf("Generating %lld articles, %lld types, %lld links per article ...\n",
              static_cast<long long>(options.articles), static_cast<long long>(options.types),
              static_cast<long long>(options.links_per_article));
  std::fflush(stdout);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("cannot start the generator process");
  if (child == 0) {
    int status = 0;
    try {
      const bench::GenerationReport report = bench::GenerateCatalogue(options);
      std::printf("  catalogue %.1f MB\n", static_cast<double>(report.file_bytes) / kMb);
    } catch (const std::exception& failure) {
      std::fprintf(stderr, "generation failed: %s\n", failure.what());
      status = 1;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(status);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("generating the catalogue failed");
  std::printf("generation: %.1f s\n", Since(start));
}

// The exported files' sizes, largest first (order does not matter for the comparison).
std::vector<std::uintmax_t> FileSizes(const fs::path& folder) {
  std::vector<std::uintmax_t> sizes;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) sizes.push_back(entry.file_size());
  std::sort(sizes.rbegin(), sizes.rend());
  return sizes;
}

struct TimedLine {
  double at;  // seconds since the start of the export
  std::string text;
};

void PrintStages(const std::vector<TimedLine>& lines, double total) {
  std::printf("%10s  %s\n", "seconds", "stage (time until the next timed log line)");
  if (!lines.empty() && lines.front().at >= 0.005)
    std::printf("%10.2f  (before the first log line)\n", lines.front().at);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double end = i + 1 < lines.size() ? lines[i + 1].at : total;
    std::printf("%10.2f  %s\n", end - lines[i].at, lines[i].text.c_str());
  }
}

int Run(const Arguments& args) {
  const bool keep = !args.out.empty();
  const fs::path root =
      keep ? args.out / "bench-export-full"
           : fs::temp_directory_path() / ("quarvel-bench-export-full-" + std::to_string(::getpid()));
  // The folder's name makes it this program's own: an older one is replaced.
  fs::remove_all(root);
  fs::create_directories(root / "export");
  // No data source or driver of the machine takes part.
  setenv("ODBCSYSINI", root.c_str(), 1);
  setenv("ODBCINI", (root / "odbc.ini").c_str(), 1);

  fs::path catalogue = args.catalogue;
  if (catalogue.empty()) {
    bench::GeneratorOptions options = args.generator;
    options.out = root / "catalogue.sqlite";
    GenerateInChild(options);
    catalogue = options.out;
  }
  catalogue = fs::absolute(catalogue);

  Session session;
  session.settings_file = root / "Quarvel.ini";
  Options& o = session.options;
  o.SetText(OptionId::ConToTD_Driver, args.driver);
  o.SetText(OptionId::ConToTD_Database, "file:" + catalogue.string() + "?mode=ro");
  o.SetText(OptionId::ConToTD_Login, "");
  o.SetText(OptionId::ConToTD_Pass, "");
  // The generated catalogue's language and country.
  o.SetInteger(OptionId::ConToTD_Lang, 4);
  o.SetInteger(OptionId::ConToTD_Reg, 250);
  o.SetText(OptionId::ConToPresta_Server, "127.0.0.1");
  o.SetText(OptionId::ConToPresta_Port, std::to_string(args.store_port));
  o.SetText(OptionId::ConToPresta_Database, args.database);
  o.SetText(OptionId::ConToPresta_User, "root");
  o.SetText(OptionId::ConToPresta_Pass, "");
  o.SetText(OptionId::ConToPresta_Prefix, "ps_");
  o.SetText(OptionId::ExportData_Path_to_data, (root / "export").string());
  o.SetBoolean(OptionId::ExportData_ExportOnCleanSystem, true);
  o.SetBoolean(OptionId::ExportData_ExportAllData, true);
  o.SetBoolean(OptionId::ExportData_AddAdditionalLanguages, false);
  // No pictures: no images folder, no image tables, nothing taken from the catalogue's images.
  o.SetBoolean(OptionId::ExportData_Only_images_and_logos, false);
  o.SetText(OptionId::ExportData_Path_to_images, "");

  BenchUi ui;
  session.catalogue.Connect(args.driver, o.Text(OptionId::ConToTD_Database), "", "");
  TestStoreConnection(session, ui);
  if (!session.store.IsOpen()) throw std::runtime_error("store: " + session.store_state.status);

  exporting::ExportRunner runner(session);
  std::vector<TimedLine> timed;
  auto export_start = Clock::now();
  runner.on_log_line = [&](const std::string& line) {
    if (line.starts_with("[") && line.find("] ") != std::string::npos)
      timed.push_back({Since(export_start), line});
  };

  const fs::path record_file = root / "statements.rec";
  long statement_count = 0;
  std::vector<std::int64_t> fetched_rows;
  exporting::ExportResult result;
  double export_seconds = 0;
  {
    bench::StatementRecorder recorder(record_file);
    recorder.Start();
    export_start = Clock::now();
    result = runner.StartExport(ui);
    export_seconds = Since(export_start);
    recorder.Stop();
    statement_count = recorder.count();
    fetched_rows = recorder.fetched_rows();
  }
  const double export_peak_mb = bench::PeakResidentMb();
  if (result != exporting::ExportResult::kCompleted || ui.errors > 0) {
    for (const std::string& line : runner.LogLines()) std::fprintf(stderr, "%s\n", line.c_str());
    throw std::runtime_error("the export did not complete");
  }

  const std::vector<std::uintmax_t> sizes = FileSizes(root / "export");
  std::uintmax_t written = 0;
  for (std::uintmax_t size : sizes) written += size;

  std::printf("\nexport: %.2f s, %zu files, %.1f MB written, %.1f MB/s, peak resident memory %.1f MB\n",
              export_seconds, sizes.size(), static_cast<double>(written) / kMb,
              export_seconds > 0 ? static_cast<double>(written) / kMb / export_seconds : 0.0, export_peak_mb);
  PrintStages(timed, export_seconds);
  std::fflush(stdout);

  // The same reads and writes, done plainly.
  const std::vector<std::string> statements = bench::StatementRecorder::ReadAll(record_file);
  fs::remove(record_file);
  std::int64_t export_rows = 0;
  for (std::int64_t rows : fetched_rows) export_rows += rows;
  const bench::PlainReadReport read = bench::ReadRows(session.catalogue, statements, fetched_rows);
  std::printf(
      "\nplain read: %ld statements (%ld recorded, %ld changed by a second rewrite), %lld rows (the export "
      "fetched %lld), %lld values, %.1f MB of text in %.2f s\n",
      read.statements, statement_count, read.rewritten, static_cast<long long>(read.rows),
      static_cast<long long>(export_rows), static_cast<long long>(read.cells),
      static_cast<double>(read.bytes) / kMb, read.seconds);
  std::fflush(stdout);
  const bench::PlainWriteReport write = bench::WriteFilesOfSizes(root / "plain-write", sizes);
  std::printf("plain write: %zu files, %.1f MB in 64 KB chunks with fsync in %.2f s (%.1f MB/s)\n",
              sizes.size(), static_cast<double>(write.bytes) / kMb, write.seconds,
              write.seconds > 0 ? static_cast<double>(write.bytes) / kMb / write.seconds : 0.0);
  const double plain = read.seconds + write.seconds;
  std::printf("\nexport / (plain read + plain write) = %.2f / (%.2f + %.2f) = %.2f\n", export_seconds,
              read.seconds, write.seconds, plain > 0 ? export_seconds / plain : 0.0);
  std::printf("peak resident memory at the end %.1f MB\n", bench::PeakResidentMb());

  session.store.Close();
  session.catalogue.Close();
  if (keep) {
    std::printf("kept: %s\n", root.c_str());
  } else {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
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
    std::fprintf(stderr, "quarvel-bench-export-full: %s\n", error.what());
    return 1;
  }
}
