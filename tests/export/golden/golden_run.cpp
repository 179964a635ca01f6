#include "tests/export/golden/golden_run.h"

#include "export/export_parameters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "core/tables_for_cleaning.h"
#include "export/category_tree_writer.h"
#include "export/link_table_writer.h"
#include "export/product_category_writer.h"
#include "export/product_writer.h"
#include "export/supplier_manufacturer_writer.h"
#include "export/tag_feature_writer.h"
#include "platform/script_runner/script_runner.h"
#include "tests/support/scripted_ui.h"
#include "upload/clean_installation.h"

namespace quarvel::test {

namespace {

std::filesystem::path GoldenFolder(const std::string& name) {
  return std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests/export/golden/expected" / name;
}

}  // namespace

std::string LongArticleName() {
  std::string name = "Brake Pad Set ";  // 14 characters
  for (int i = 0; i < 113; ++i) name += "Ж";
  return name + "'zz";  // the quote is character 128
}

std::string SpecialTextsSql() {
  std::string long_name;  // as an SQL literal: quotes doubled
  for (char c : LongArticleName()) long_name += c == '\'' ? std::string("''") : std::string(1, c);
  return "UPDATE TOF_DES_TEXTS SET TEX_TEXT = 'C4 Picasso ''Grand'' \\ Пикассо' WHERE TEX_ID = 83;\n"
         "UPDATE TOF_DES_TEXTS SET TEX_TEXT = '" +
         long_name + "' WHERE TEX_ID = 40;\n";
}

WritingRun::WritingRun(std::string_view extra_catalogue_sql, CatalogueFixture::Contents contents)
    : reading_(extra_catalogue_sql, contents) {
  SetLimits(1000, 1000);
  // The product settings as a run reads them from the settings file; the backorder text carries a
  // quote and a backslash.
  exporting::ExportParameters& params = run().params;
  params.condition = options().Text(OptionId::PreparationData_Pro_contition);
  params.visibility = options().Text(OptionId::PreparationData_Pro_visibility);
  params.in_stock_text = options().Text(OptionId::PreparationData_In_stock);
  params.backorder_text = kBackorderText;
}

void WritingRun::SetLimits(int rows_per_statement, int statements_per_file) {
  exporting::ExportParameters& params = run().params;
  params.export_folder = export_.path();
  params.table_prefix = "ps_";
  params.rows_per_statement = rows_per_statement;
  params.statements_per_file = statements_per_file;
  Session& session = reading_.session();
  session.options.SetText(OptionId::ConToPresta_Prefix, "ps_");
  session.store_defaults.default_lang_id = 1;
  session.store_defaults.default_shop_id = 1;
}

void WritingRun::UseSpecialTexts() {
  options().SetText(OptionId::PreparationData_CatNameVehicle, kVehicleGroupName);
  const std::filesystem::path description = templates_ / "category description.html";
  WriteFileBytes(description, std::string("\xEF\xBB\xBF") + kDescriptionTemplate);
  options().SetText(OptionId::PreparationData_Cat_path_to_file_desc, description.string());
  run().params.category_description = exporting::ReadDescriptionText(description.string());

  const std::filesystem::path product = templates_ / "product description.html";
  WriteFileBytes(product, std::string("\xEF\xBB\xBF") + kProductDescriptionTemplate);
  options().SetText(OptionId::PreparationData_Pro_path_to_file_desc, product.string());
  run().params.product_description = exporting::ReadDescriptionText(product.string());
  run().params.short_description = kShortDescriptionTemplate;
}

void WritingRun::UseAdditionInto(const platform::StoreConnectionParams& store) {
  reading_.session().store.Connect(store);
  run().params.clean_store = false;
}

void WritingRun::Write(const exporting::StoreColumns& columns) {
  reading_.ReadAll();
  exporting::WriteSuppliersAndManufacturers(run(), columns);
  exporting::WriteCategoryTree(run(), columns);
  exporting::WriteProductCategoryLinks(run(), columns);
  exporting::LogCategoriesDone(run());
  exporting::WriteProducts(run(), columns);
  exporting::WriteTagsAndFeatures(run(), columns);
  exporting::LogProductsDone(run());
  exporting::WriteLinkTables(run(), columns);
}

std::map<std::string, std::string> WritingRun::Files() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(export_.path()))
    files[entry.path().filename().string()] = ReadFileBytes(entry.path());
  return files;
}

void ExpectMatchesGolden(const std::map<std::string, std::string>& files, const std::string& name) {
  const std::filesystem::path folder = GoldenFolder(name);
  const char* update = std::getenv("QUARVEL_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const auto& [file, bytes] : files) WriteFileBytes(folder / file, bytes);
    return;
  }
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  std::set<std::string> expected_names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    expected_names.insert(file);
    auto actual = files.find(file);
    if (actual == files.end()) {
      ADD_FAILURE() << "missing file " << file;
      continue;
    }
    EXPECT_EQ(actual->second, ReadFileBytes(entry.path())) << "differs from " << entry.path();
  }
  for (const auto& [file, bytes] : files)
    EXPECT_TRUE(expected_names.count(file)) << "unexpected file " << file;
}

std::vector<std::string> LoadScripts(platform::StoreConnection& store, const std::filesystem::path& folder) {
  std::set<std::filesystem::path> scripts;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".sql") scripts.insert(entry.path());
  }
  std::vector<std::string> failures;
  platform::ScriptRunner runner(store);
  platform::ScriptCallbacks callbacks;
  callbacks.error = [&](std::string_view statement, const platform::StoreError& error) {
    failures.push_back(std::string(error.what()) + " in: " + std::string(statement.substr(0, 300)));
    return platform::ScriptErrorAction::kContinue;
  };
  for (const std::filesystem::path& script : scripts) runner.RunFile(script, callbacks);
  return failures;
}

std::vector<std::string> CleanStore(platform::StoreConnection& store, const std::string& database) {
  CheckList tables;
  FillCleaningTables(tables, "");
  tables.SetAllChecked(true);
  std::vector<std::string> log;
  ScriptedUi ui;
  CleanInstallationResult result = CleanInstallation(store, "ps_", database, tables, log, ui);
  return result.ok() ? std::vector<std::string>{} : log;
}

std::string QueryText(platform::StoreConnection& store, const std::string& sql) {
  platform::StoreCursor cursor = store.Query(sql);
  return cursor.AtEnd() ? "<none>" : cursor.Text(0);
}

}  // namespace quarvel::test
