#include "cli/subcommand.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace quarvel::cli {

namespace {
// A function-local registry: subcommand files register during static initialisation, in any order.
std::vector<std::unique_ptr<Subcommand>>& Registry() {
  static std::vector<std::unique_ptr<Subcommand>> registry;
  return registry;
}
}  // namespace

bool RegisterSubcommand(Subcommand command) {
  Registry().push_back(std::make_unique<Subcommand>(std::move(command)));
  return true;
}

std::vector<const Subcommand*> AllSubcommands() {
  std::vector<const Subcommand*> out;
  for (const auto& c : Registry()) out.push_back(c.get());
  std::sort(out.begin(), out.end(),
            [](const Subcommand* a, const Subcommand* b) { return a->name < b->name; });
  return out;
}

const Subcommand* FindSubcommand(std::string_view name) {
  for (const auto& c : Registry())
    if (c->name == name) return c.get();
  return nullptr;
}

bool RejectArguments(const CommandContext& context, std::string_view command) {
  if (context.args.empty()) return true;
  context.err << "quarvel-cli " << command << ": unexpected argument '" << context.args.front() << "'\n";
  return false;
}

}  // namespace quarvel::cli
