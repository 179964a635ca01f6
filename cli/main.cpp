#include <algorithm>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console_ui.h"
#include "cli/subcommand.h"
#include "core/settings.h"
#include "platform/system_folders.h"

namespace {

using namespace quarvel::cli;

void PrintUsage(std::ostream& out) {
  out << "Usage: quarvel-cli [--settings PATH] [--yes | --no] <subcommand> [arguments]\n"
         "\n"
         "Options (before or after the subcommand):\n"
         "  --settings PATH  use this settings file instead of Quarvel.ini in the program's folder\n"
         "  --yes, --no      answer every question with Yes or No\n"
         "  --help           show this help\n"
         "\n"
         "Subcommands:\n";
  size_t width = 0;
  for (const Subcommand* c : AllSubcommands()) width = std::max(width, c->name.size());
  for (const Subcommand* c : AllSubcommands())
    out << "  " << c->name << std::string(width - c->name.size() + 2, ' ') << c->help << '\n';
}

int Run(int argc, char** argv) {
  CommandLine line;
  try {
    line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::cerr << "quarvel-cli: " << e.what() << "\nTry 'quarvel-cli --help'.\n";
    return kExitUsage;
  }
  if (line.command.empty()) {
    PrintUsage(line.help ? std::cout : std::cerr);
    return line.help ? kExitOk : kExitUsage;
  }
  const Subcommand* command = FindSubcommand(line.command);
  if (command == nullptr) {
    std::cerr << "quarvel-cli: unknown subcommand '" << line.command << "'\nTry 'quarvel-cli --help'.\n";
    return kExitUsage;
  }
  if (line.help) {
    std::cout << "quarvel-cli " << command->name << ": " << command->help << '\n';
    return kExitOk;
  }

  quarvel::Session session;
  session.settings_file = quarvel::ResolveSettingsFile(
      quarvel::platform::ExecutableFolder(argc > 0 ? argv[0] : nullptr), line.settings);
  ConsoleUi ui(line.answers);
  CommandContext context{session, ui, line.args, std::cout, std::cerr};
  return command->run(context);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "quarvel-cli: " << e.what() << '\n';
    return kExitFailure;
  }
}
