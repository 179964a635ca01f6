#include "export/export_run.h"

#include <exception>
#include <filesystem>

#include "core/error_text.h"
#include "core/log_file.h"
#include "core/store_connection_ops.h"
#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "export/category_tree_writer.h"
#include "export/export_parameters.h"
#include "export/image_writer.h"
#include "export/link_table_writer.h"
#include "export/product_category_writer.h"
#include "export/product_writer.h"
#include "export/store_columns.h"
#include "export/store_image_types.h"
#include "export/supplier_manufacturer_writer.h"
#include "export/tag_feature_writer.h"

namespace quarvel::exporting {

namespace {

// A writing stage; `columns` are the store's columns, learnt once for the run.
using ExportStage = void (*)(ExportRun&, const StoreColumns& columns);

const std::string kStars(72, '*');

// The writing phase, in the order the store's tables build on each other: suppliers and manufacturers,
// categories, product-category links, products, tags and features, images, link tables. Each writer
// decides from the run's mode and scope whether it has anything to write.
const std::vector<ExportStage>& Writers() {
  static const std::vector<ExportStage> writers = {
      WriteSuppliersAndManufacturers,
      WriteCategoryTree,
      WriteProductCategoryLinks,
      // Closes the categories stage, whose product-category links come right before this.
      [](ExportRun& run, const StoreColumns&) { LogCategoriesDone(run); },
      WriteProducts,
      WriteTagsAndFeatures,
      // Closes the products stage after its tags and features.
      [](ExportRun& run, const StoreColumns&) { LogProductsDone(run); },
      WriteImages,
      WriteLinkTables,
  };
  return writers;
}

}  // namespace

ExportRunner::ExportRunner(Session& session)
    : session_(session), tables_(std::make_unique<CatalogueTables>()) {
  log_.on_line = [this](const std::string& line) {
    if (on_log_line) on_log_line(line);
  };
  log_.on_cleared = [this] {
    if (on_log_cleared) on_log_cleared();
  };
}

ExportRunner::~ExportRunner() = default;

void ExportRunner::StopExport() {
  if (running_) stop_requested_ = true;
}

void ExportRunner::SetRunning(bool running) {
  running_ = running;
  if (on_running_changed) on_running_changed(running);
}

void ExportRunner::CheckStop(Ui& ui) {
  ui.Pump();
  if (!stop_requested_) return;
  if (ui.Ask(kStopExportQuestion)) throw ExportStopped(kStopExportData);
  stop_requested_ = false;
}

void ExportRunner::OpenPictureCatalogue() {
  const Options& o = session_.options;
  try {
    pictures_.Connect(o.Text(OptionId::ConToTD_Driver), o.Text(OptionId::ConToTD_Database),
                      o.Text(OptionId::ConToTD_Login), o.Text(OptionId::ConToTD_Pass));
  } catch (const std::exception&) {
    // The run goes on: the picture stage reports what it cannot read.
    pictures_.Close();
  }
}

ExportResult ExportRunner::StartExport(Ui& ui) {
  if (running_) return ExportResult::kIgnored;
  log_.Clear();
  if (!session_.catalogue.IsOpen()) {
    ui.Error("Not connect to TecDoc !");
    return ExportResult::kNotStarted;
  }
  if (!session_.store.IsOpen()) {
    ui.Error("Not connect to PrestaShop !");
    return ExportResult::kNotStarted;
  }
  OpenPictureCatalogue();
  if (!ExportFolderExists(session_.options.Text(OptionId::ExportData_Path_to_data))) {
    pictures_.Close();
    log_.Timed("] Error : not specified a folder to export sql-scripts");
    ui.Error("Not specified a folder to export sql-scripts !!!");
    return ExportResult::kNotStarted;
  }

  ExportRun run{.session = session_,
                .ui = ui,
                .params = {},
                .languages = {},
                .store_state = {},
                .image_types = {},
                .tables = tables_.get(),
                .pictures = &picture_services_,
                .next_category = 4,
                .log_timed =
                    [this, &ui](const std::string& text) {
                      log_.Timed(text);
                      ui.Pump();
                    },
                .log_line = [this](const std::string& text) { log_.Line(text); },
                .check_stop = [this, &ui] { CheckStop(ui); },
                .stop_requested = [this] { return stop_requested_; }};
  picture_services_.catalogue = &pictures_;

  tables_->Clear();
  stop_requested_ = false;
  SetRunning(true);

  ExportResult result = ExportResult::kCompleted;
  std::string error;
  try {
    result = Run(run);
  } catch (const ExportStopped& stopped) {
    error = stopped.what();
    result = error == kStopExportData ? ExportResult::kStopped : ExportResult::kFailed;
  } catch (const std::exception& failure) {
    error = ErrorText(failure);
    result = ExportResult::kFailed;
  }

  // The end of every run, however it ended.
  log_.Line(kEndOfExportLine);
  stop_requested_ = false;
  SetRunning(false);
  tables_->Clear();
  run.store_state = StoreState{};
  run.image_types.clear();
  run.languages.clear();
  pictures_.Close();
  if (!error.empty()) ui.Error(error);
  return result;
}

ExportResult ExportRunner::Run(ExportRun& run) {
  run.params = ReadExportParameters(session_);
  const ExportParameters& params = run.params;
  const std::string& prefix = params.table_prefix;
  const int main_lang = session_.store_defaults.default_lang_id;

  if (params.clean_store && session_.options.Boolean(OptionId::ExportData_AddAdditionalLanguages)) {
    try {
      run.languages = MatchExportLanguages(AdditionalLanguageList(session_.lists.additional_languages),
                                           session_.store, prefix, main_lang);
    } catch (const std::exception& failure) {
      run.log_line(kStars);
      run.log_line(ErrorText(failure));
      run.log_line(kStars);
      throw ExportStopped("StopExportData as was error !!!");
    }
  }

  run.log_timed("] Loading of parameters for export  ... wait");
  BuildSelectionIdLists(session_, run.params);

  run.log_timed("] Loading tables in memory  ... wait");
  run.log_line(kExportSeparator);
  try {
    run.image_types = ReadStoreImageTypes(session_.store, prefix);
  } catch (const std::exception&) {
    tables_->Clear();
    // The store is not what the export needs: send the user to its page with a fresh test.
    if (show_store_page) show_store_page();
    TestStoreConnection(session_, run.ui);
    return ExportResult::kFailed;
  }

  if (!params.clean_store) {
    ReadStoreState(run);
    if (run.store_state.trade_categories.empty() &&
        run.ui.Ask("Stop creating data, since you do not have existing categories which could be linked by "
                   "products ??? ")) {
      throw ExportStopped(kStopExportData);
    }
  }

  ReadTradeGroups(run);
  if (params.ScopeHasCategories()) ReadCars(run);
  if (params.ScopeHasProductsOrImages()) {
    ReadParts(run);
    AllocateProductIds(run);
  }
  if (params.ScopeHasProductsAndCategories()) UpdateVehicleCategories(run);
  ReadManufacturers(run);
  ReadCriteria(run);

  run.log_line(kExportSeparator);
  run.log_line("   ");
  run.log_line("--------------------- START PROCESS OF CREATING DATA  ------------------------");
  // One script serves the store it was written for: columns the store lacks are left out.
  const StoreColumns columns =
      session_.store.IsOpen() ? StoreColumns::Learn(session_.store, prefix, StoreColumns::ExportedTables())
                              : StoreColumns{};
  for (ExportStage writer : Writers()) writer(run, columns);
  return ExportResult::kCompleted;
}

void ExportRunner::OpenExportLog(Ui& ui) {
  std::filesystem::path path = session_.Folder() / kExportLogFileName;
  try {
    WriteLogFile(path, log_.Lines());
  } catch (const std::exception& failure) {
    ui.Error(ErrorMessage(failure));
    return;
  }
  ui.OpenFile(path.string());
}

}  // namespace quarvel::exporting
