#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quarvel::test {

// What a program run as a user runs it left behind.
struct ProgramResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Quotes a word for the POSIX shell.
std::string ShellQuote(const std::string& word);

// Runs `program` with `args` (no standard input), capturing standard output and standard error;
// `scratch` is a folder for the captured error stream.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::filesystem::path& scratch);

}  // namespace quarvel::test
