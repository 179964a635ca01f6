#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quarvel::test {

// A small HTTP server on 127.0.0.1 (tests/support/http_test_server.py), started by the constructor on
// a free port and stopped by the destructor. It answers the paths the test sets up with Serve() and
// 404 for all others, and remembers the requests it got. Throws std::runtime_error when it cannot be
// started.
class HttpTestServer {
 public:
  struct Reply {
    int status = 200;
    bool gzip = false;       // body sent gzip-compressed with "Content-Encoding: gzip"
    int chunk_delay_ms = 0;  // pause before each piece of the body
    int chunks = 1;          // the body is sent in this many pieces
    bool cut_short = false;  // Content-Length promises more than is sent, then the connection closes
    std::string location;    // sent as a "Location" header (for redirects)
  };

  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  // "http://127.0.0.1:PORT/"
  std::string BaseUrl() const;
  int Port() const { return port_; }

  // From now on a GET of `path` (e.g. "/a/b.jpg") is answered with `body` as `reply` says.
  void Serve(const std::string& path, const std::string& body, Reply reply);
  void Serve(const std::string& path, const std::string& body) { Serve(path, body, Reply{}); }

  // The header lines ("Name: value") of the last request for `path`; empty when none came.
  std::vector<std::string> RequestHeaders(const std::string& path) const;
  int RequestCount(const std::string& path) const;

 private:
  // One control request over a fresh connection; returns the body of a 200 answer, throws otherwise.
  std::string Control(const std::string& method, const std::string& target,
                      const std::vector<std::string>& headers, const std::string& body) const;

  void Stop();

  TempFolder folder_;
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace quarvel::test
