#include "bench/catalogue_generator/catalogue_generator.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "bench/catalogue_generator/catalogue_steps.h"
#include "bench/catalogue_generator/schema_script.h"

namespace quarvel::bench {
namespace {

void Remove(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

void Generate(const GeneratorOptions& options, SchemaScript& schema, const std::filesystem::path& path,
              GenerationReport& report) {
  SqliteDatabase db(path);
  // A half-written file is thrown away anyway, so safety costs nothing but time here.
  db.Execute(
      "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA temp_store=MEMORY;"
      "PRAGMA cache_size=-262144; PRAGMA locking_mode=EXCLUSIVE;");
  db.Execute("BEGIN");
  schema.CreateTables(db);
  {
    GenerationContext context(db, options);
    WriteReferenceData(context);
    WriteVehicles(context);
    WriteSuppliers(context);
    WriteArticles(context);
    context.Count(context.designations.texts());
    context.Count(context.designations.designations());
    context.Count(context.designations.country_designations());
    report.rows = context.rows;
  }
  schema.CreateIndexes(db);
  db.Execute("COMMIT");
  db.Execute("ANALYZE");
}

}  // namespace

GenerationReport GenerateCatalogue(const GeneratorOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  SchemaScript schema = SchemaScript::Read(options.schema);
  std::filesystem::path partial = options.out;
  partial += ".partial";
  Remove(partial);
  GenerationReport report;
  try {
    Generate(options, schema, partial, report);
  } catch (...) {
    Remove(partial);
    throw;
  }
  std::error_code error;
  std::filesystem::rename(partial, options.out, error);
  if (error) {
    Remove(partial);
    throw GeneratorError("Cannot move the catalogue into place as \"" + options.out.string() +
                         "\": " + error.message());
  }
  report.file_bytes = static_cast<std::int64_t>(std::filesystem::file_size(options.out));
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return report;
}

}  // namespace quarvel::bench
