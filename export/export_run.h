#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/session.h"
#include "core/ui.h"
#include "export/export_context.h"
#include "export/export_log.h"
#include "export/picture_services.h"
#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

inline constexpr char kStopExportData[] = "StopExportData";
inline constexpr char kStopExportQuestion[] =
    "Stop the import of data (all first imported data will be saved) ";
inline constexpr char kEndOfExportLine[] =
    "======================= END OF THE EXPORT PROCESS =======================";

// How a StartExport ended.
enum class ExportResult {
  kIgnored,     // a run was already in progress
  kNotStarted,  // a precondition failed; nothing was changed
  kCompleted,
  kStopped,  // the user stopped it
  kFailed,
};

// The export page's run: "  START EXPORT", "  STOP EXPORT" and "  OPEN LOG-FILE", with the state the
// page keeps between them (the busy flag, the stop request and the log list).
class ExportRunner {
 public:
  explicit ExportRunner(Session& session);
  ~ExportRunner();
  ExportRunner(const ExportRunner&) = delete;
  ExportRunner& operator=(const ExportRunner&) = delete;

  // Runs the whole export on the calling thread; returns at once while a run is in progress.
  ExportResult StartExport(Ui& ui);
  // Asks the run in progress to stop; it asks the user at its next check. Nothing happens when idle.
  void StopExport();
  // Saves the log as Log_ExportData.txt beside the settings file and opens it.
  void OpenExportLog(Ui& ui);

  bool IsRunning() const { return running_; }
  bool StopRequested() const { return stop_requested_; }
  const std::vector<std::string>& LogLines() const { return log_.Lines(); }

  // The second catalogue connection of a run, for reading picture data; open only while a run is in
  // progress and only when it could be opened.
  platform::CatalogueConnection& PictureCatalogue() { return pictures_; }
  // The picture stage's outside services; the web storage account is kept here between runs.
  PictureServices& Pictures() { return picture_services_; }

  // Hooks of the window: navigation and the export tabs are disabled while running; the log list
  // follows the log; a failed read of the image types sends the user to the store connection page.
  std::function<void(bool running)> on_running_changed;
  std::function<void(const std::string& line)> on_log_line;
  std::function<void()> on_log_cleared;
  std::function<void()> show_store_page;

 private:
  struct Ending;
  ExportResult Run(ExportRun& run);
  void CheckStop(Ui& ui);
  void SetRunning(bool running);
  void OpenPictureCatalogue();

  Session& session_;
  ExportLog log_;
  bool running_ = false;
  bool stop_requested_ = false;
  platform::CatalogueConnection pictures_;
  PictureServices picture_services_ = PictureServices::Native();
  // The in-memory catalogue slice; it holds data only while a run is in progress.
  std::unique_ptr<CatalogueTables> tables_;
};

}  // namespace quarvel::exporting
