#include <ostream>

#include "cli/subcommand.h"
#include "core/settings.h"

namespace quarvel::cli {

namespace {

bool IsPassword(OptionId id) { return id == OptionId::ConToTD_Pass || id == OptionId::ConToPresta_Pass; }

int RunSettings(CommandContext& context) {
  if (!RejectArguments(context, "settings")) return kExitUsage;
  Session& session = context.session;
  LoadSettings(session);
  LoadEditingWindowSettings(session);
  // Read when the editing window fills its lists; shown here as the file holds them.
  ReadOptionsFromFile(session, {OptionId::FormEditNames_CheckList, OptionId::FormEditNames_CheckListBrands,
                                OptionId::FormEditNames_ListIDCriteriesForFilters});

  context.out << "Settings file: " << session.settings_file.string() << '\n';
  for (const OptionSpec& entry : AllOptionSpecs()) {
    std::string value = session.options.FileText(entry.id);
    if (IsPassword(entry.id) && !value.empty()) value = "********";
    context.out << '[' << entry.section << "] " << entry.key << " = " << value << '\n';
  }
  return kExitOk;
}

[[maybe_unused]] const bool kRegistered = RegisterSubcommand(
    {"settings", "Print every option of the settings file in use (passwords masked)", RunSettings});

}  // namespace

}  // namespace quarvel::cli
