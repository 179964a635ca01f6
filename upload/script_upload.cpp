#include "upload/script_upload.h"

#include <algorithm>
#include <ctime>
#include <exception>
#include <system_error>

#include "core/case_mapping.h"
#include "core/error_text.h"
#include "core/log_file.h"
#include "core/text.h"
#include "platform/script_runner/script_runner.h"

namespace quarvel {
namespace {

constexpr char kCr = '\r';
constexpr char kNotConnected[] = "Not connected to PrestaShop !";
constexpr char kFolderEmpty[] = "The path to the output folder is empty !";
constexpr char kFolderEmptyOrWrong[] = "The path to the output folder is empty or wrong !";
constexpr char kListEmpty[] = "List of files to import empty !";

// Ends the run of a file when the user confirms "Abort the import file ?".
class AbortImportFile : public std::exception {
 public:
  const char* what() const noexcept override { return "AbortImportFile"; }
};

bool HasSqlExtension(const std::string& name) {
  if (name.size() < 4) return false;
  return LowerCase(std::string_view(name).substr(name.size() - 4)) == ".sql";
}

std::string LocalDateTime() {
  std::time_t now = std::time(nullptr);
  // Operations run on the one user-interface thread, so the shared buffer of localtime is safe.
  std::tm local = *std::localtime(&now);
  char buffer[64];
  // The user's short date and long time, as the process locale gives them.
  if (std::strftime(buffer, sizeof buffer, "%x %X", &local) == 0) return {};
  return buffer;
}

}  // namespace

std::string UploadFolderWithSeparator(const std::string& folder_text) {
  std::string folder = Trim(folder_text);
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder;
}

UploadRunner::UploadRunner(Session& session) : session_(session) {}

std::string UploadRunner::Now() const { return date_time ? date_time() : LocalDateTime(); }

void UploadRunner::Notify() {
  if (changed) changed();
}

void UploadRunner::ShowProgress(Ui& ui) {
  ui.Progress(status_line_, progress_);
  Notify();
}

std::string UploadRunner::SeparatorEntry() {
  return std::string(1, kCr) + "/* " + std::string(96, '-') + " */" + kCr;
}

std::string UploadRunner::FileStartEntry(const std::string& path) const {
  return "/* " + Now() + "\tSTART IMPORT FILE [" + path + "] */" + kCr;
}

std::string UploadRunner::StatementErrorEntry(const std::string& message,
                                              const std::string& statement) const {
  return "/* " + Now() + '\t' + Trim(message) + " */" + kCr + kCr + Trim(statement) + ";" + kCr + kCr;
}

std::string UploadRunner::RunHaltedEntry() const {
  return "/* " + Now() + "\tAFTER THE ERROR OCCURRED (OR ABORTED) IMPORTING DATA HAS BEEN DISCONTINUED */" +
         kCr;
}

bool UploadRunner::UpdateScriptList(Ui& ui) {
  // The run walks the list while it lets window events run; it must not change under it.
  if (state_ != ImportState::kIdle) return false;
  scripts_.entries.clear();
  selected_ = -1;
  Notify();
  const std::string folder = Trim(session_.options.Text(OptionId::ImportData_Path_to_data));
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
    ui.Error(kFolderEmptyOrWrong);
    return false;
  }

  std::vector<std::string> names;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    // A folder cannot be run, whatever it is called.
    std::error_code type_error;
    if (it->is_directory(type_error)) continue;
    std::string name = it->path().filename().string();
    if (HasSqlExtension(name)) names.push_back(std::move(name));
  }
  if (error) {
    ui.Error(kFolderEmptyOrWrong);
    return false;
  }

  // Case is ignored for the order; names equal but for case keep a fixed order among themselves.
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) keyed.emplace_back(LowerCase(name), std::move(name));
  std::sort(keyed.begin(), keyed.end());
  for (auto& [key, name] : keyed) scripts_.entries.push_back({name, name, false});
  scripts_.filled = true;
  Notify();
  return true;
}

void UploadRunner::ToggleScriptChecks() {
  scripts_.ToggleAll(selected_);
  Notify();
}

void UploadRunner::UseExportFolder(Ui& ui) {
  const std::string& export_folder = session_.options.Text(OptionId::ExportData_Path_to_data);
  if (!ui.Ask("Set the path to the folder identical to the path the folder to export [" + export_folder +
              "] ?"))
    return;
  session_.options.SetText(OptionId::ImportData_Path_to_data, export_folder);
  Notify();
}

void UploadRunner::StopImport() {
  if (state_ == ImportState::kRunning) stop_requested_ = true;
}

UploadRunSummary UploadRunner::StartImport(Ui& ui) {
  UploadRunSummary summary;
  if (!session_.store.IsOpen()) {
    ui.Error(kNotConnected);
    return summary;
  }
  if (state_ != ImportState::kIdle) return summary;
  if (Trim(session_.options.Text(OptionId::ImportData_Path_to_data)).empty()) {
    ui.Error(kFolderEmpty);
    return summary;
  }
  if (scripts_.entries.empty()) {
    ui.Error(kListEmpty);
    return summary;
  }

  summary.started = true;
  stop_requested_ = false;
  state_ = ImportState::kRunning;
  status_line_ = kImportFileCaption;
  ShowProgress(ui);
  const std::string folder =
      UploadFolderWithSeparator(session_.options.Text(OptionId::ImportData_Path_to_data));
  const bool stop_on_error = session_.options.Boolean(OptionId::ImportData_GetPause);

  platform::ScriptRunner runner(session_.store);
  platform::ScriptCallbacks callbacks;
  callbacks.progress = [&](int percent) {
    progress_ = percent;
    ShowProgress(ui);
    ui.Pump();
    if (!stop_requested_) return;
    if (ui.Ask(kAbortImportFileQuestion)) {
      state_ = ImportState::kHalted;
      throw AbortImportFile();
    }
    stop_requested_ = false;
  };
  callbacks.error = [&](std::string_view statement, const platform::StoreError& error) {
    ++summary.failed_statements;
    log_.push_back(StatementErrorEntry(error.message(), std::string(statement)));
    Notify();
    if (!stop_on_error) return platform::ScriptErrorAction::kContinue;
    state_ = ImportState::kHalted;
    return platform::ScriptErrorAction::kStop;
  };

  // The closing steps run whichever way the loop ends; nothing below lets an exception out of it
  // but one from the Ui itself, and then the page must not stay busy either.
  struct Closing {
    UploadRunner& self;
    Ui& ui;
    ~Closing() {
      self.stop_requested_ = false;
      self.state_ = ImportState::kIdle;
      self.progress_ = 0;
      self.status_line_ = kImportFileCaption;
      try {
        self.ShowProgress(ui);
      } catch (...) {
        // Already leaving with the Ui's own failure; the state above is what matters.
      }
    }
  };
  {
    Closing closing{*this, ui};
    for (std::size_t index = 0; index < scripts_.entries.size(); ++index) {
      if (!scripts_.entries[index].checked) continue;
      const std::string path = folder + scripts_.entries[index].text;
      std::error_code exists_error;
      if (!std::filesystem::is_regular_file(path, exists_error)) continue;

      status_line_ = std::string(kImportFileCaption) + " " + path;
      progress_ = 0;
      ShowProgress(ui);
      log_.push_back(SeparatorEntry());
      log_.push_back(FileStartEntry(path));
      Notify();
      ui.Pump();

      ++summary.files_run;
      bool completed = false;
      try {
        platform::ScriptRunSummary run = runner.RunFile(path, callbacks);
        completed = !run.stopped;
      } catch (const AbortImportFile&) {
        // The halted entry below tells the user.
      } catch (const std::exception& failure) {
        // A failure of the run rather than of a statement (the connection was lost or is gone, the
        // file could not be read). It is logged like a failing statement, so it is never mistaken
        // for a clean run; the statement is named when the failure knows it.
        std::string statement;
        if (auto* store_error = dynamic_cast<const platform::StoreError*>(&failure))
          statement = store_error->statement();
        std::string entry_text = "/* " + Now() + '\t' + Trim(ErrorText(failure)) + " */" + kCr;
        if (!Trim(statement).empty()) entry_text += std::string(1, kCr) + Trim(statement) + ";" + kCr + kCr;
        log_.push_back(std::move(entry_text));
      }
      // A file whose statements failed but were skipped ran to its end: it is done.
      selected_ = static_cast<int>(index);
      if (completed) {
        scripts_.entries[index].checked = false;
      } else {
        ++summary.files_failed;
      }
      Notify();
      ui.Pump();

      if (state_ == ImportState::kHalted) {
        summary.halted = true;
        log_.push_back(SeparatorEntry());
        log_.push_back(RunHaltedEntry());
        Notify();
        break;
      }
      if (stop_requested_) {
        if (ui.Ask(kStopImportQuestion)) {
          summary.stopped_by_user = true;
          break;
        }
        stop_requested_ = false;
      }
    }
  }
  ui.Inform(kImportFinishedMessage);
  return summary;
}

std::filesystem::path UploadRunner::OpenUploadLog(Ui& ui) {
  const std::filesystem::path path = session_.Folder() / kUploadLogFileName;
  try {
    WriteLogFile(path, log_);
  } catch (const std::exception& failure) {
    ui.Error("Can not write the file \"" + path.string() + "\" (Error : [" + ErrorText(failure) + "]) !");
    return {};
  }
  ui.OpenFile(path.string());
  return path;
}

}  // namespace quarvel
