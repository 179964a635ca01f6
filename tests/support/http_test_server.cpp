#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace quarvel::test {
namespace {

constexpr auto kStartDeadline = std::chrono::seconds(10);

std::string PercentEncode(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

std::string ServerLog(const std::filesystem::path& folder) { return ReadFileBytes(folder / "server.log"); }

class Socket {
 public:
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

HttpTestServer::HttpTestServer() {
  // The loopback server is reached directly, whatever proxy the machine running the tests names.
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  const std::filesystem::path script =
      std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests/support/http_test_server.py";
  const std::string port_file = (folder_.path() / "port").string();
  const std::string log_file = (folder_.path() / "server.log").string();

  // Output goes to a file: a child holding the test runner's pipes would keep it waiting.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log_file.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  std::string python = "/usr/bin/python3";
  std::string script_text = script.string();
  std::string port_text = port_file;
  char* argv[] = {python.data(), script_text.data(), port_text.data(), nullptr};
  int spawned = posix_spawn(&pid_, python.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    throw std::runtime_error("Cannot start the HTTP test server: " + std::string(std::strerror(spawned)));
  }

  const auto deadline = std::chrono::steady_clock::now() + kStartDeadline;
  while (port_ == 0) {
    std::ifstream in(port_file);
    std::string text;
    if (in && std::getline(in, text)) {
      std::from_chars(text.data(), text.data() + text.size(), port_);
      if (port_ > 0) break;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      throw std::runtime_error("The HTTP test server ended at start: " + ServerLog(folder_.path()));
    }
    if (std::chrono::steady_clock::now() > deadline) {
      Stop();
      throw std::runtime_error("The HTTP test server gave no port: " + ServerLog(folder_.path()));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

HttpTestServer::~HttpTestServer() { Stop(); }

void HttpTestServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

std::string HttpTestServer::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

void HttpTestServer::Serve(const std::string& path, const std::string& body, Reply reply) {
  Control("POST", "/__control/serve",
          {"X-Path: " + PercentEncode(path), "X-Status: " + std::to_string(reply.status),
           std::string("X-Gzip: ") + (reply.gzip ? "1" : "0"),
           "X-Chunk-Delay-Ms: " + std::to_string(reply.chunk_delay_ms),
           "X-Chunks: " + std::to_string(reply.chunks),
           std::string("X-Cut-Short: ") + (reply.cut_short ? "1" : "0"),
           "X-Location: " + PercentEncode(reply.location)},
          body);
}

std::vector<std::string> HttpTestServer::RequestHeaders(const std::string& path) const {
  const std::string text = Control("GET", "/__control/headers?p=" + PercentEncode(path), {}, {});
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

int HttpTestServer::RequestCount(const std::string& path) const {
  const std::string text = Control("GET", "/__control/count?p=" + PercentEncode(path), {}, {});
  int count = -1;
  std::from_chars(text.data(), text.data() + text.size(), count);
  return count;
}

std::string HttpTestServer::Control(const std::string& method, const std::string& target,
                                    const std::vector<std::string>& headers, const std::string& body) const {
  Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (socket.fd() < 0) throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port_));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("Cannot reach the HTTP test server: " + std::string(std::strerror(errno)));
  }
  std::string request = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
  for (const std::string& line : headers) request += line + "\r\n";
  request += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  for (std::size_t sent = 0; sent < request.size();) {
    ssize_t n = send(socket.fd(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("Cannot send to the HTTP test server");
    sent += static_cast<std::size_t>(n);
  }
  std::string answer;
  char buffer[4096];
  for (;;) {
    ssize_t n = recv(socket.fd(), buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error("Cannot read from the HTTP test server");
    if (n == 0) break;
    answer.append(buffer, static_cast<std::size_t>(n));
  }
  const std::size_t header_end = answer.find("\r\n\r\n");
  if (answer.rfind("HTTP/1.1 200 ", 0) != 0 || header_end == std::string::npos) {
    throw std::runtime_error("The HTTP test server refused " + target + ": " + answer);
  }
  return answer.substr(header_end + 4);
}

}  // namespace quarvel::test
