#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/interrupt.h"
#include "cli/subcommand.h"
#include "core/settings.h"
#include "core/store_connection_ops.h"
#include "core/text.h"
#include "upload/script_upload.h"

namespace quarvel::cli {

namespace {

// The console of one upload: Ctrl-C is taken as a stop press that both questions answer Yes to,
// whatever --no says, so the file that runs ends between two statements and the run ends.
class UploadConsole : public Ui {
 public:
  UploadConsole(Ui& inner, UploadRunner& runner) : inner_(inner), runner_(runner) {}

  void Inform(const std::string& text) override { inner_.Inform(text); }
  void Error(const std::string& text) override { inner_.Error(text); }
  bool Ask(const std::string& question) override {
    if (interrupted_ && (question == kAbortImportFileQuestion || question == kStopImportQuestion))
      return true;
    return inner_.Ask(question);
  }
  void Pump() override {
    inner_.Pump();
    if (InterruptAsStop::Pressed() && !interrupted_) {
      interrupted_ = true;
      runner_.StopImport();
    }
  }
  void Progress(const std::string& caption, int percent) override {
    // The idle caption carries nothing worth a bar.
    if (caption != kImportFileCaption) inner_.Progress(caption, percent);
  }
  void OpenFile(const std::string& path) override { inner_.OpenFile(path); }
  void OpenUrl(const std::string& url) override { inner_.OpenUrl(url); }

 private:
  Ui& inner_;
  UploadRunner& runner_;
  bool interrupted_ = false;
};

struct UploadArguments {
  std::optional<std::string> folder;
  std::optional<std::vector<std::string>> files;
  std::optional<bool> stop_on_error;
};

std::vector<std::string> SplitCommaList(const std::string& text) {
  std::vector<std::string> items;
  std::string::size_type start = 0;
  while (start <= text.size()) {
    auto comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string item = Trim(std::string_view(text).substr(start, comma - start));
    if (!item.empty()) items.push_back(std::move(item));
    start = comma + 1;
  }
  return items;
}

bool ParseUploadArguments(const CommandContext& context, UploadArguments& parsed) {
  const std::vector<std::string>& args = context.args;
  auto usage = [&](const std::string& what) {
    context.err << "quarvel-cli upload: " << what
                << " (usage: upload [FOLDER] [--files a.sql,b.sql] [--stop-on-error|--continue-on-error])\n";
    return false;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--files" || arg.starts_with("--files=")) {
      std::string list;
      if (arg == "--files") {
        if (i + 1 >= args.size()) return usage("--files needs a list of file names");
        list = args[++i];
      } else {
        list = arg.substr(8);
      }
      parsed.files = SplitCommaList(list);
      if (parsed.files->empty()) return usage("--files needs a list of file names");
    } else if (arg == "--stop-on-error" || arg == "--continue-on-error") {
      bool stop = arg == "--stop-on-error";
      if (parsed.stop_on_error && *parsed.stop_on_error != stop)
        return usage("--stop-on-error and --continue-on-error exclude each other");
      parsed.stop_on_error = stop;
    } else if (!arg.starts_with("--") && !parsed.folder) {
      parsed.folder = arg;
    } else {
      return usage("unexpected argument '" + arg + "'");
    }
  }
  return true;
}

void PrintLog(std::ostream& out, const std::vector<std::string>& log) {
  for (const std::string& entry : log) {
    std::string shown = entry;
    for (char& c : shown)
      if (c == '\r') c = '\n';
    out << shown << '\n';
  }
}

int RunUpload(CommandContext& context) {
  UploadArguments arguments;
  if (!ParseUploadArguments(context, arguments)) return kExitUsage;
  Session& session = context.session;
  LoadSettings(session);
  // For this run only: nothing here saves the upload options.
  if (arguments.folder) session.options.SetText(OptionId::ImportData_Path_to_data, *arguments.folder);
  if (arguments.stop_on_error)
    session.options.SetBoolean(OptionId::ImportData_GetPause, *arguments.stop_on_error);

  UploadRunner runner(session);
  if (!runner.UpdateScriptList(context.ui)) return kExitFailure;
  if (arguments.files) {
    std::set<std::string> wanted(arguments.files->begin(), arguments.files->end());
    for (CheckListEntry& entry : runner.scripts().entries) entry.checked = wanted.erase(entry.text) > 0;
    if (!wanted.empty()) {
      for (const std::string& name : wanted)
        context.err << "quarvel-cli upload: no script file '" << name << "' in the upload folder\n";
      return kExitFailure;
    }
  } else {
    runner.scripts().SetAllChecked(true);
  }

  TestStoreConnection(session, context.ui);
  if (!session.store_state.connected) {
    context.err << session.store_state.status << '\n';
    return kExitFailure;
  }

  UploadConsole console(context.ui, runner);
  UploadRunSummary summary;
  {
    InterruptAsStop interrupt;
    summary = runner.StartImport(console);
  }
  session.store.Close();

  PrintLog(context.out, runner.log());
  std::filesystem::path log_file = runner.OpenUploadLog(context.ui);
  if (!log_file.empty()) context.out << "Log: " << log_file.string() << '\n';
  context.out << "Files run: " << summary.files_run << ", failed: " << summary.files_failed
              << ", failed statements: " << summary.failed_statements << '\n';
  bool ok = summary.started && summary.ok() && !summary.stopped_by_user && !log_file.empty();
  return ok ? kExitOk : kExitFailure;
}

[[maybe_unused]] const bool kRegistered = RegisterSubcommand(
    {"upload",
     "Run the script files of the upload folder on the store ([FOLDER] [--files a.sql,b.sql] "
     "[--stop-on-error|--continue-on-error])",
     RunUpload});

}  // namespace

}  // namespace quarvel::cli
