#include "tests/support/program_runner.h"

#include <sys/wait.h>

#include <cstdio>

#include "tests/support/temp_folder.h"

namespace quarvel::test {

std::string ShellQuote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::filesystem::path& scratch) {
  const std::filesystem::path err_file = scratch / "stderr";
  std::string command = ShellQuote(program);
  for (const std::string& a : args) command += " " + ShellQuote(a);
  command += " </dev/null 2>" + ShellQuote(err_file.string());
  ProgramResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
  int status = pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = ReadFileBytes(err_file);
  return result;
}

}  // namespace quarvel::test
