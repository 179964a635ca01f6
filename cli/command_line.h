#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quarvel::cli {

enum class Answers { Ask, Yes, No };

// The command line split into global options, the subcommand and the subcommand's own arguments.
// Global options may stand before or after the subcommand.
struct CommandLine {
  std::optional<std::filesystem::path> settings;
  Answers answers = Answers::Ask;
  bool help = false;
  std::string command;
  std::vector<std::string> args;
};

// Throws std::invalid_argument with a message for the user on a malformed command line: an
// unknown option before the subcommand, --settings without a path, --yes together with --no.
CommandLine ParseCommandLine(const std::vector<std::string>& argv);

}  // namespace quarvel::cli
