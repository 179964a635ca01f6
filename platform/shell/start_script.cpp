#include "platform/shell/start_script.h"

#include <stdexcept>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <shellapi.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quarvel::platform {

#ifdef _WIN32

void StartScript(const std::filesystem::path& script) {
  HINSTANCE result = ShellExecuteW(nullptr, L"open", script.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  const auto code = reinterpret_cast<INT_PTR>(result);
  if (code <= 32) {
    throw std::runtime_error("Cannot start " + script.string() + " (shell error " + std::to_string(code) +
                             ")");
  }
}

#else

namespace {

[[noreturn]] void Fail(const std::filesystem::path& script, int error) {
  throw std::runtime_error("Cannot start " + script.string() + ": " + std::generic_category().message(error));
}

// Tells the waiting parent why the child could not go on, then ends the child. Only async-signal-safe
// calls here: the parent may have other threads.
[[noreturn]] void ReportAndExit(int report_fd, int error) {
  [[maybe_unused]] ssize_t written = write(report_fd, &error, sizeof error);
  _exit(127);
}

// Runs in the grandchild: becomes `/bin/sh script`.
[[noreturn]] void ExecScript(const char* script, int report_fd) {
  // A program that ignores SIGPIPE or blocks signals would pass that on to the script.
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGPIPE, SIG_DFL);
#ifdef CLOSE_RANGE_CLOEXEC
  // The script may run long after this program; it must not hold its sockets and files open.
  close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
#endif
  char shell_name[] = "sh";
  char* const argv[] = {shell_name, const_cast<char*>(script), nullptr};
  execv("/bin/sh", argv);
  ReportAndExit(report_fd, errno);
}

// Runs in the child: a session of its own, the standard streams redirected, then the grandchild that
// runs the script. The child ends at once so the script is adopted by the system and never becomes a
// zombie of this program.
[[noreturn]] void StartDetached(const char* script, const char* log, int report_fd) {
  if (setsid() < 0) ReportAndExit(report_fd, errno);
  int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (in < 0) ReportAndExit(report_fd, errno);
  int out = open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (out < 0) ReportAndExit(report_fd, errno);
  if (dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(out, STDERR_FILENO) < 0) {
    ReportAndExit(report_fd, errno);
  }
  pid_t grandchild = fork();
  if (grandchild < 0) ReportAndExit(report_fd, errno);
  if (grandchild == 0) ExecScript(script, report_fd);
  _exit(0);
}

}  // namespace

void StartScript(const std::filesystem::path& script) {
  // Absolute, so a name beginning with "-" is never read as an option of the shell.
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(script, error);
  if (error) Fail(script, error.value());
  if (!std::filesystem::is_regular_file(path, error)) {
    Fail(script, error ? error.value() : (std::filesystem::exists(path) ? EISDIR : ENOENT));
  }
  if (access(path.c_str(), R_OK) != 0) Fail(script, errno);

  // Everything the children need is made before fork: after it, only async-signal-safe calls.
  const std::string script_text = path.string();
  const std::string log_text = script_text + ".log";

  // The close-on-exec pipe stays silent when the shell starts; otherwise it carries the errno.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) Fail(script, errno);
  pid_t child = fork();
  if (child < 0) {
    int fork_error = errno;
    close(report[0]);
    close(report[1]);
    Fail(script, fork_error);
  }
  if (child == 0) {
    close(report[0]);
    StartDetached(script_text.c_str(), log_text.c_str(), report[1]);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int child_error = 0;
  ssize_t got;
  // Ends when the grandchild's exec closes the last write end, or with its report.
  while ((got = read(report[0], &child_error, sizeof child_error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof child_error)) Fail(script, child_error);
  if (got != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail(script, EIO);
}

#endif

}  // namespace quarvel::platform
