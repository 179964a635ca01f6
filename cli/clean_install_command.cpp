#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/subcommand.h"
#include "core/settings.h"
#include "core/store_connection_ops.h"
#include "core/tables_for_cleaning.h"
#include "core/text.h"
#include "upload/clean_installation_command.h"
#include "upload/script_upload.h"

namespace quarvel::cli {

namespace {

// "--tables 0,2,17" or "--tables category,product" (positions and names may be mixed): exactly these
// tables are emptied. False after reporting an entry that names no table of the list.
bool CheckTables(const CommandContext& context, const std::string& text, CheckList& tables) {
  const auto& names = TablesForCleaning();
  FillCleaningTables(tables, "");
  std::string::size_type start = 0;
  while (start <= text.size()) {
    auto comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string item = Trim(std::string_view(text).substr(start, comma - start));
    start = comma + 1;
    if (item.empty()) continue;
    std::optional<std::size_t> position;
    std::size_t number = 0;
    auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), number);
    if (ec == std::errc() && end == item.data() + item.size()) {
      if (number < names.size()) position = number;
    } else {
      for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == item) position = i;
    }
    if (!position) {
      context.err << "quarvel-cli clean-install: '" << item
                  << "' is not a table of the list for cleaning (0 to " << names.size() - 1
                  << " or a name such as category)\n";
      return false;
    }
    tables.entries[*position].checked = true;
  }
  return true;
}

int RunCleanInstall(CommandContext& context) {
  std::optional<std::string> tables_text;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--tables" && i + 1 < args.size()) {
      tables_text = args[++i];
    } else if (args[i].starts_with("--tables=")) {
      tables_text = args[i].substr(9);
    } else {
      context.err << "quarvel-cli clean-install: unexpected argument '" << args[i]
                  << "' (usage: clean-install [--tables 0,2,17 | --tables category,product])\n";
      return kExitUsage;
    }
  }

  Session& session = context.session;
  LoadSettings(session);
  // For this run only: the saved checks stay as they are.
  if (tables_text && !CheckTables(context, *tables_text, session.lists.cleaning_tables)) return kExitUsage;

  TestStoreConnection(session, context.ui);
  if (!session.store_state.connected) {
    context.err << session.store_state.status << '\n';
    return kExitFailure;
  }

  UploadRunner page(session);
  std::optional<CleanInstallationResult> result = RunCleanInstallation(session, page.log(), context.ui);
  session.store.Close();
  if (!result) {
    context.err << "quarvel-cli clean-install: not confirmed, nothing was changed (--yes confirms)\n";
    return kExitFailure;
  }
  for (const std::string& entry : page.log()) context.out << entry << '\n';
  std::filesystem::path log_file = page.OpenUploadLog(context.ui);
  if (!log_file.empty()) context.out << "Log: " << log_file.string() << '\n';
  // A second run fails to add the tag column and the product_lang index again, by design; what
  // makes an upload go wrong is a lost connection or a table that was not emptied.
  bool truncate_failed = false;
  for (const std::string& entry : page.log())
    if (entry.starts_with("Truncate table [") && entry.find("] is error : [") != std::string::npos)
      truncate_failed = true;
  return !result->connection_failure && !truncate_failed && !log_file.empty() ? kExitOk : kExitFailure;
}

[[maybe_unused]] const bool kRegistered = RegisterSubcommand(
    {"clean-install",
     "Prepare the store for an upload and empty the tables for cleaning ([--tables 0,2,17 | "
     "--tables category,product]; --yes confirms)",
     RunCleanInstall});

}  // namespace

}  // namespace quarvel::cli
