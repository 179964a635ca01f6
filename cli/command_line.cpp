#include "cli/command_line.h"

#include <stdexcept>

namespace quarvel::cli {

CommandLine ParseCommandLine(const std::vector<std::string>& argv) {
  CommandLine line;
  bool yes = false, no = false, only_arguments = false;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (only_arguments) {
      line.args.push_back(a);
    } else if (a == "--") {
      only_arguments = true;
    } else if (a == "--settings") {
      if (i + 1 >= argv.size() || argv[i + 1].empty()) throw std::invalid_argument("--settings needs a path");
      line.settings = argv[++i];
    } else if (a.rfind("--settings=", 0) == 0) {
      if (a.size() == 11) throw std::invalid_argument("--settings needs a path");
      line.settings = a.substr(11);
    } else if (a == "--yes" || a == "-y") {
      yes = true;
    } else if (a == "--no") {
      no = true;
    } else if (a == "--help" || a == "-h") {
      line.help = true;
    } else if (line.command.empty()) {
      if (!a.empty() && a[0] == '-') throw std::invalid_argument("unknown option '" + a + "'");
      line.command = a;
    } else {
      // Options after the subcommand that are not global belong to it.
      line.args.push_back(a);
    }
  }
  if (yes && no) throw std::invalid_argument("--yes and --no exclude each other");
  line.answers = yes ? Answers::Yes : no ? Answers::No : Answers::Ask;
  return line;
}

}  // namespace quarvel::cli
