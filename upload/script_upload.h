#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/check_list.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// The upload log is saved under this name in the folder of the settings file.
inline constexpr const char* kUploadLogFileName = "Log_UploadData.txt";

inline constexpr const char* kImportFileCaption = "Import file :";
inline constexpr const char* kStopImportQuestion = "Stop the import of data ?";
inline constexpr const char* kAbortImportFileQuestion = "Abort the import file ?";
inline constexpr const char* kImportFinishedMessage = "The process of importing sql-scripts is finished !";
inline constexpr const char* kUploadFolderHelp = "Path to the folder where the files were exported ...";

enum class ImportState {
  kIdle,     // no run
  kRunning,  // a run is in progress
  kHalted,   // ended by an error stop or an abort, winding down
};

// What one StartImport did, for the command line and the tests.
struct UploadRunSummary {
  bool started = false;          // got past the preconditions
  int files_run = 0;             // files handed to the script runner
  int files_failed = 0;          // files that ended with a failure (left checked)
  int failed_statements = 0;     // statement errors logged
  bool halted = false;           // ended by an error stop or an abort
  bool stopped_by_user = false;  // "Stop the import of data ?" answered Yes

  bool ok() const { return files_failed == 0 && failed_statements == 0 && !halted; }
};

// The upload page: the list of script files of the upload folder, the run that sends the checked
// ones to the store, and the upload log it shares with the clean installation.
//
// The upload folder (ImportData/Path_to_data) and the error switch (ImportData/GetPause) are read
// from the session's options when they are used, so the page's boxes only have to keep the options
// up to date.
class UploadRunner {
 public:
  explicit UploadRunner(Session& session);

  // The script list: text (and id) is the file name, sorted by name without regard to case.
  const CheckList& scripts() const { return scripts_; }
  CheckList& scripts() { return scripts_; }
  // The selected entry, -1 for none. The run selects each file it has run.
  int selected() const { return selected_; }
  void set_selected(int index) { selected_ = index; }

  ImportState state() const { return state_; }
  bool stop_requested() const { return stop_requested_; }
  // "Import file :" when idle, else "Import file : " + the path of the file being run.
  const std::string& status_line() const { return status_line_; }
  // 0 to 100: how much of the current file was processed.
  int progress() const { return progress_; }

  // The upload log, shown on the page; entries may hold bare CRs. The clean installation clears
  // it and writes into it.
  const std::vector<std::string>& log() const { return log_; }
  std::vector<std::string>& log() { return log_; }

  // Called whenever the list, the log, the state, the status line or the progress changed, so the
  // page can repaint them (Ui::Progress also gets the status line and the percentage).
  std::function<void()> changed;
  // The DATETIME of the log entries; the local short date and long time unless a test sets it.
  std::function<std::string()> date_time;

  // "  Update list ...": refills the list from the upload folder, every file unchecked. False
  // (and an error shown) when the folder is empty or does not exist; false, silently, during a run.
  bool UpdateScriptList(Ui& ui);
  // "Check | Uncheck": the selected (or first) entry's check inverted and given to every entry.
  void ToggleScriptChecks();
  // Asks whether to take the export folder for the upload folder; Yes copies it into the options.
  void UseExportFolder(Ui& ui);

  // "  START IMPORT": runs the checked files in list order. A file run to its end is unchecked;
  // one that failed or was aborted stays checked. Ignored while a run is in progress.
  UploadRunSummary StartImport(Ui& ui);
  // "  STOP IMPORT": asks the running upload to stop; the run asks "Abort the import file ?" at its
  // next progress report, or "Stop the import of data ?" after the file.
  void StopImport();
  // "  OPEN LOG-FILE": writes the log to Log_UploadData.txt beside the settings and opens it.
  // Returns the path written; an error is shown when it cannot be written.
  std::filesystem::path OpenUploadLog(Ui& ui);

  // The log entries as the upload writes them (CR is a bare carriage return).
  static std::string SeparatorEntry();
  std::string FileStartEntry(const std::string& path) const;
  std::string StatementErrorEntry(const std::string& message, const std::string& statement) const;
  std::string RunHaltedEntry() const;

 private:
  void Notify();
  void ShowProgress(Ui& ui);
  std::string Now() const;

  Session& session_;
  CheckList scripts_;
  int selected_ = -1;
  ImportState state_ = ImportState::kIdle;
  bool stop_requested_ = false;
  std::string status_line_ = kImportFileCaption;
  int progress_ = 0;
  std::vector<std::string> log_;
};

// The upload folder text as the upload uses it: trimmed, with a path separator at the end.
std::string UploadFolderWithSeparator(const std::string& folder_text);

}  // namespace quarvel
