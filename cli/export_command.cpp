#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "cli/interrupt.h"
#include "cli/subcommand.h"
#include "core/catalogue_connection_ops.h"
#include "core/settings.h"
#include "core/store_connection_ops.h"
#include "export/export_run.h"
#include "export/selection_lists.h"
#include "platform/console.h"

namespace quarvel::cli {

namespace {

// The console of one export run: log lines on stdout as they come, a status line on stderr when it
// is a terminal, and Ctrl-C taken as a confirmed stop whatever --no says.
class ExportConsole : public Ui {
 public:
  ExportConsole(Ui& inner, std::ostream& out, std::ostream& err, bool status_line,
                exporting::ExportRunner& runner)
      : inner_(inner), out_(out), err_(err), status_line_(status_line), runner_(runner) {}
  ~ExportConsole() override { ClearStatus(); }

  void Inform(const std::string& text) override {
    ClearStatus();
    inner_.Inform(text);
  }
  void Error(const std::string& text) override {
    ClearStatus();
    inner_.Error(text);
  }
  bool Ask(const std::string& question) override {
    ClearStatus();
    if (interrupted_ && question == exporting::kStopExportQuestion) {
      out_ << question << " yes (interrupted)\n";
      out_.flush();
      return true;
    }
    return inner_.Ask(question);
  }
  void Pump() override {
    inner_.Pump();
    if (InterruptAsStop::Pressed() && !interrupted_) {
      interrupted_ = true;
      runner_.StopExport();
    }
  }
  void Progress(const std::string& caption, int percent) override {
    status_ = percent >= 0 ? caption + " [" + std::to_string(percent) + "%]" : caption;
    DrawStatus();
  }
  void OpenFile(const std::string& path) override { inner_.OpenFile(path); }
  void OpenUrl(const std::string& url) override { inner_.OpenUrl(url); }

  void LogLine(const std::string& line) {
    ClearStatus();
    out_ << line << '\n';
    out_.flush();
    // A timed line names the stage now running.
    if (auto stage = line.find("] "); line.starts_with("[") && stage != std::string::npos)
      status_ = "Export :" + line.substr(stage + 1);
    DrawStatus();
  }

 private:
  static constexpr size_t kStatusWidth = 79;

  void ClearStatus() {
    if (shown_width_ == 0) return;
    err_ << '\r' << std::string(shown_width_, ' ') << '\r';
    err_.flush();
    shown_width_ = 0;
  }
  void DrawStatus() {
    if (!status_line_ || status_.empty()) return;
    ClearStatus();
    std::string shown = status_.substr(0, kStatusWidth);
    err_ << '\r' << shown;
    err_.flush();
    shown_width_ = std::max<size_t>(shown.size(), 1);
  }

  Ui& inner_;
  std::ostream& out_;
  std::ostream& err_;
  bool status_line_;
  exporting::ExportRunner& runner_;
  bool interrupted_ = false;
  std::string status_;
  size_t shown_width_ = 0;
};

// "--folder PATH" or "--folder=PATH"; false after reporting anything else.
bool ParseExportArguments(const CommandContext& context, std::optional<std::string>& folder) {
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size()) {
      folder = args[++i];
    } else if (args[i].starts_with("--folder=")) {
      folder = args[i].substr(9);
    } else {
      context.err << "quarvel-cli export: unexpected argument '" << args[i]
                  << "' (usage: export [--folder PATH])\n";
      return false;
    }
  }
  return true;
}

int RunExport(CommandContext& context) {
  std::optional<std::string> folder;
  if (!ParseExportArguments(context, folder)) return kExitUsage;
  Session& session = context.session;
  LoadSettings(session);
  session.refresh_selection_lists = exporting::RefreshSelectionLists;
  // For this run only: nothing saves the export folder.
  if (folder) session.options.SetText(OptionId::ExportData_Path_to_data, *folder);

  DiscoverCatalogue(session, context.ui);
  if (!session.catalogue_state.connected) context.err << session.catalogue_state.status << '\n';
  TestStoreConnection(session, context.ui);
  if (!session.store_state.connected) context.err << session.store_state.status << '\n';

  exporting::ExportRunner runner(session);
  ExportConsole console(context.ui, context.out, context.err,
                        platform::IsTerminal(platform::ConsoleStream::Error), runner);
  runner.on_log_line = [&console](const std::string& line) { console.LogLine(line); };

  exporting::ExportResult result;
  {
    InterruptAsStop interrupt;
    result = runner.StartExport(console);
  }

  session.store.Close();
  session.catalogue.Close();
  return result == exporting::ExportResult::kCompleted ? kExitOk : kExitFailure;
}

[[maybe_unused]] const bool kRegistered = RegisterSubcommand(
    {"export",
     "Export the catalogue as the settings say into script files ([--folder PATH] for this run only)",
     RunExport});

}  // namespace

}  // namespace quarvel::cli
