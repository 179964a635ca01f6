#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quarvel::platform {

// One HTTP GET whose body goes to a file.
struct HttpDownloadRequest {
  std::string url;
  // Extra request headers, "Name: value" without a line end. An "Accept-Encoding" header is handed to
  // the HTTP library as the encodings it accepts, so a compressed body is decoded before it is saved.
  std::vector<std::string> headers;
  std::string user_agent;
  // The whole download (connecting, waiting and receiving) must end within this time.
  std::chrono::milliseconds time_limit{std::chrono::seconds(180)};
  // Asked now and then while the download waits or receives; false ends it (kStopped). May let window
  // events run.
  std::function<bool()> keep_going;
};

enum class HttpDownloadOutcome {
  kSaved,         // status 200, or 202 with a body: the decoded body is the file
  kBadStatus,     // any other status, or 202 with an empty body; `status` holds the code
  kTimedOut,      // the time limit passed
  kStopped,       // keep_going answered false
  kReadFailed,    // the connection broke while the body was received
  kNoConnection,  // the HTTP library could not be started, or no connection to the server or proxy
  kOtherError,    // anything else: `error_kind` and `message` say what
};

struct HttpDownloadResult {
  HttpDownloadOutcome outcome = HttpDownloadOutcome::kOtherError;
  long status = 0;         // the HTTP status, when one arrived
  std::string error_kind;  // kOtherError: a short class name of the failure
  std::string message;     // a readable description of any failure
};

// Downloads `request.url` into `target`. The body is received into a temporary file beside the target,
// which replaces the target only when the download succeeded: a failed, stopped or timed-out download
// leaves no partial file, and an existing target stays as it was. The system's proxy settings (the
// usual proxy environment variables) apply. Never throws for network or file failures; they come back
// as the outcome.
HttpDownloadResult DownloadToFile(const HttpDownloadRequest& request, const std::filesystem::path& target);

}  // namespace quarvel::platform
