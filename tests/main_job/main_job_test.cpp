#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/catalogue_connection_ops.h"
#include "core/store_connection_ops.h"
#include "core/tables_for_cleaning.h"
#include "export/export_run.h"
#include "tests/main_job/written_rows.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"
#include "upload/clean_installation_command.h"
#include "upload/script_upload.h"

namespace quarvel {
namespace {

using Id = OptionId;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The whole main job as a shop runs it from the window: export the catalogue in "Clean store"
// mode, clean the store with every table checked, upload every script with "During error do stop
// import" on. The store must then hold exactly the rows the scripts carry, on top of what the
// clean installation left.
class MainJobTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    test::StoreFixture::SetUp();
    if (IsSkipped()) return;
    test::UseEmptyOdbcConfiguration();
    session_.settings_file = folder_ / "Quarvel.ini";
    Options& o = session_.options;
    test::SetCatalogueOptions(o, catalogue_.settings());
    test::SetStoreOptions(o, params());
    std::filesystem::create_directory(folder_ / "out");
    o.SetText(Id::ExportData_Path_to_data, (folder_ / "out").string());
    o.SetBoolean(Id::ExportData_ExportOnCleanSystem, true);
    o.SetBoolean(Id::ExportData_ExportAllData, true);
    o.SetText(Id::ImportData_Path_to_data, (folder_ / "out").string());
    o.SetBoolean(Id::ImportData_GetPause, true);
  }

  long Count(const std::string& table) {
    return static_cast<long>(store().Query("SELECT COUNT(*) FROM `" + table + "`").Int64(0));
  }
  bool TableExists(const std::string& table) {
    return store()
               .Query(
                   "SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
                   "AND TABLE_NAME = '" +
                   table + "'")
               .Int64(0) > 0;
  }

  void RunMainJob() {
    TestCatalogueConnection(session_, ui_);
    ASSERT_TRUE(session_.catalogue.IsOpen()) << session_.catalogue_state.status;
    TestStoreConnection(session_, ui_);
    ASSERT_TRUE(session_.store.IsOpen()) << session_.store_state.status;

    // Export.
    exporting::ExportRunner exporter(session_);
    ASSERT_EQ(exporter.StartExport(ui_), exporting::ExportResult::kCompleted) << Joined(exporter.LogLines());
    EXPECT_TRUE(ui_.errors.empty()) << Joined(ui_.errors);
    EXPECT_TRUE(ui_.questions.empty()) << Joined(ui_.questions);
    const test::WrittenRows written = test::CountFolderRows(folder_ / "out");
    ASSERT_TRUE(written.unrecognised.empty()) << Joined(written.unrecognised);
    // A run that wrote nothing would pass every comparison below.
    for (const char* table : {"ps_category", "ps_category_lang", "ps_product", "ps_product_lang",
                              "ps_category_product", "ps_manufacturer", "ps_tag", "ps_feature_value"})
      EXPECT_GT(written.per_table.count(table) ? written.per_table.at(table) : 0, 0) << table;

    // Clean installation, every table checked.
    std::string every_table;
    for (size_t i = 0; i < kTablesForCleaningCount; ++i) every_table += "[" + std::to_string(i) + "]";
    FillCleaningTables(session_.lists.cleaning_tables, every_table);
    std::vector<std::string> upload_log;
    ui_.answers = {true};
    std::optional<CleanInstallationResult> cleaned = RunCleanInstallation(session_, upload_log, ui_);
    ASSERT_TRUE(cleaned);
    ASSERT_TRUE(cleaned->ok()) << Joined(upload_log);
    for (std::string_view bare : TablesForCleaning()) {
      const std::string table = "ps_" + std::string(bare);
      if (TableExists(table)) {
        EXPECT_EQ(Count(table), 0) << table;
      }
    }
    std::map<std::string, long> before;
    for (const auto& [table, rows] : written.per_table) {
      ASSERT_TRUE(TableExists(table)) << table;
      before[table] = Count(table);
    }

    // Upload of every script, in list order.
    UploadRunner uploader(session_);
    ASSERT_TRUE(uploader.UpdateScriptList(ui_));
    uploader.scripts().SetAllChecked(true);
    const UploadRunSummary summary = uploader.StartImport(ui_);
    EXPECT_TRUE(summary.started);
    EXPECT_EQ(summary.failed_statements, 0) << Joined(uploader.log());
    EXPECT_EQ(summary.files_failed, 0);
    EXPECT_FALSE(summary.halted);
    EXPECT_EQ(summary.files_run, static_cast<int>(uploader.scripts().entries.size()));
    for (const CheckListEntry& entry : uploader.scripts().entries)
      EXPECT_FALSE(entry.checked) << entry.text << " did not run to its end";
    EXPECT_TRUE(ui_.errors.empty()) << Joined(ui_.errors);

    for (const auto& [table, rows] : written.per_table)
      EXPECT_EQ(Count(table), before[table] + rows) << table;
  }

  test::TempFolder folder_;
  test::CatalogueFixture catalogue_;
  Session session_;
  test::ScriptedUi ui_;
};

class MainJobTest9 : public MainJobTest {
 protected:
  test::StoreGeneration Generation() const override { return test::StoreGeneration::kPrestaShop9; }
};

TEST_F(MainJobTest, ExportCleanInstallationAndUploadFillAPrestaShop16Store) { RunMainJob(); }

TEST_F(MainJobTest9, ExportCleanInstallationAndUploadFillAPrestaShop9Store) { RunMainJob(); }

}  // namespace
}  // namespace quarvel
