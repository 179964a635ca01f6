#include "tests/export/reading/reading_fixture.h"

#include <cstdlib>
#include <fstream>

namespace quarvel::test {

ReadingRun::ReadingRun(std::string_view extra_sql, CatalogueFixture::Contents contents)
    : catalogue_(extra_sql, contents) {
  UseEmptyOdbcConfiguration();
  session_.settings_file = folder_ / "Quarvel.ini";
  session_.catalogue.Connect(catalogue_.settings().driver, catalogue_.settings().database, "", "");
  // Only the references need a value; the run's other members keep their defaults whatever the
  // run grows.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
  run_.reset(new exporting::ExportRun{.session = session_, .ui = ui_});
#pragma GCC diagnostic pop
  run_->tables = &tables_;
  run_->log_timed = [this](const std::string& text) { log_.push_back("[time" + text); };
  run_->log_line = [this](const std::string& text) { log_.push_back(text); };
  run_->check_stop = [this] { ++stop_checks_; };
}

void ReadingRun::ReadAll() {
  exporting::ExportRun& run = *run_;
  if (!run.params.clean_store) exporting::ReadStoreState(run);
  exporting::ReadTradeGroups(run);
  if (run.params.ScopeHasCategories()) exporting::ReadCars(run);
  if (run.params.ScopeHasProductsOrImages()) {
    exporting::ReadParts(run);
    exporting::AllocateProductIds(run);
  }
  if (run.params.ScopeHasProductsAndCategories()) exporting::UpdateVehicleCategories(run);
  exporting::ReadManufacturers(run);
  exporting::ReadCriteria(run);
}

void ExpectMatchesExpectedFile(const std::string& actual, const std::string& name) {
  std::filesystem::path path =
      std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests/export/reading/expected" / name;
  const char* update = std::getenv("QUARVEL_UPDATE_EXPECTED");
  if (update != nullptr && std::string(update) == "1") {
    WriteFileBytes(path, actual);
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  EXPECT_EQ(actual, ReadFileBytes(path)) << "differs from " << path;
}

std::string ExtraTypesSql(std::int64_t first, std::int64_t count) {
  std::string sql;
  for (std::int64_t id = first; id < first + count; ++id) {
    std::string t = std::to_string(id);
    sql += "INSERT INTO TOF_TYPES (TYP_ID, TYP_MOD_ID, TYP_CDS_ID, TYP_CTM) VALUES (" + t +
           ", 9, 514, ',250,');\n";
    sql += "INSERT INTO TOF_LINK_LA_TYP (LAT_LA_ID, LAT_TYP_ID, LAT_CTM) VALUES (1, " + t + ", ',250,');\n";
  }
  return sql;
}

}  // namespace quarvel::test
