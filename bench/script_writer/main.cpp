// Writes N short rows (a product_shop-like row) through TableScriptWriter into a temporary folder
// and prints the throughput. Usage: quarvel-bench-script-writer [rows] [rows-per-statement]
// [statements-per-file] [folder]

#include <sys/resource.h>

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "export/script_values.h"
#include "export/table_script_writer.h"

namespace {

long long Argument(int argc, char** argv, int index, long long fallback) {
  if (argc <= index) return fallback;
  long long value = fallback;
  std::string_view text = argv[index];
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  using quarvel::exporting::ScriptRow;
  using quarvel::exporting::TableScriptWriter;

  const long long rows = Argument(argc, argv, 1, 5'000'000);
  const int rows_per_statement = static_cast<int>(Argument(argc, argv, 2, 1000));
  const int statements_per_file = static_cast<int>(Argument(argc, argv, 3, 1000));
  const fs::path folder =
      argc > 4 ? fs::path(argv[4]) : fs::temp_directory_path() / "quarvel-bench-script-writer";
  fs::remove_all(folder);
  fs::create_directories(folder);

  const auto start = std::chrono::steady_clock::now();
  int files = 0;
  {
    TableScriptWriter writer(folder, "ps_", "product_shop",
                             "`id_product`,`id_shop`,`id_category_default`,`price`,`active`,`date_add`",
                             rows_per_statement, statements_per_file);
    writer.Begin("product_shop");
    ScriptRow row;
    for (long long id = 1; id <= rows; ++id) {
      row.Clear()
          .Integer(id)
          .Integer(1)
          .Integer(id % 5000 + 5)
          .Literal("0.000000")
          .Integer(1)
          .Literal("NOW()");
      writer.AddRow(row.View());
      writer.EndItem();
    }
    writer.Finish();
    files = writer.file_number();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "rows %lld, rows/statement %d, statements/file %d: %d files, %.1f MB in %.2f s = %.1f MB/s, "
      "%.2f M rows/s, peak memory %ld KB\n",
      rows, rows_per_statement, statements_per_file, files, static_cast<double>(bytes) / 1e6, seconds,
      static_cast<double>(bytes) / 1e6 / seconds, static_cast<double>(rows) / 1e6 / seconds, usage.ru_maxrss);
  fs::remove_all(folder);
  return 0;
}
