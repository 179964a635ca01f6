#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/session.h"
#include "core/ui.h"

namespace quarvel::cli {

// Exit codes of quarvel-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a subcommand runs with: the session on the settings file in use (not yet loaded: each
// subcommand loads what it needs), the console Ui, its own arguments and the output streams.
struct CommandContext {
  Session& session;
  Ui& ui;
  std::vector<std::string> args;
  std::ostream& out;
  std::ostream& err;
};

struct Subcommand {
  std::string name;
  std::string help;  // one line
  std::function<int(CommandContext&)> run;
};

// Each subcommand registers itself from its own file:
//   [[maybe_unused]] const bool kRegistered = RegisterSubcommand({"name", "help", Run});
bool RegisterSubcommand(Subcommand command);
// Sorted by name.
std::vector<const Subcommand*> AllSubcommands();
const Subcommand* FindSubcommand(std::string_view name);

// For subcommands without arguments of their own: reports any argument on `err` and returns false.
bool RejectArguments(const CommandContext& context, std::string_view command);

}  // namespace quarvel::cli
