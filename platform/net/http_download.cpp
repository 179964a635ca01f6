#include "platform/net/http_download.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>

#include "platform/file_sync.h"

namespace quarvel::platform {
namespace {

constexpr long kMaxRedirects = 5;
constexpr std::chrono::milliseconds kLongestConnectWait{std::chrono::minutes(5)};

// curl_global_init is not thread-safe and must run once before any handle exists.
CURLcode InitCurlOnce() {
  static std::once_flag once;
  static CURLcode result = CURLE_OK;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
  return result;
}

std::string Trim(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

// The value of a header line when its name is `name` (case-insensitive), else nothing.
std::optional<std::string> HeaderValue(const std::string& line, std::string_view name) {
  auto colon = line.find(':');
  if (colon == std::string::npos) return std::nullopt;
  std::string line_name = Trim(std::string_view(line).substr(0, colon));
  if (!std::equal(line_name.begin(), line_name.end(), name.begin(), name.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
      })) {
    return std::nullopt;
  }
  return Trim(std::string_view(line).substr(colon + 1));
}

// A name beside the target that no other download picks at the same time.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
  static std::mutex mutex;
  static std::mt19937_64 generator{std::random_device{}()};
  std::uint64_t number;
  {
    std::lock_guard lock(mutex);
    number = generator();
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string suffix = ".part";
  for (int i = 0; i < 12; ++i, number >>= 4) suffix += kDigits[number & 0xF];
  std::filesystem::path name = target;
  name += suffix;
  return name;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// What the callbacks share with the code that runs the transfer.
struct Transfer {
  CURL* handle = nullptr;
  std::FILE* file = nullptr;
  const std::function<bool()>* keep_going = nullptr;
  std::uint64_t bytes_written = 0;
  bool status_checked = false;
  long refused_status = 0;              // set when the status says the body is not the file
  int write_errno = 0;                  // set when the temporary file could not take the body
  std::exception_ptr keep_going_error;  // may not pass through the library's C frames
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (!transfer.status_checked) {
    // The first body bytes come after the final response's headers, so the status is known here.
    transfer.status_checked = true;
    long status = 0;
    curl_easy_getinfo(transfer.handle, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200 && status != 202) {
      transfer.refused_status = status;
      return CURL_WRITEFUNC_ERROR;
    }
  }
  if (bytes == 0) return 0;
  if (std::fwrite(data, 1, bytes, transfer.file) != bytes) {
    transfer.write_errno = errno != 0 ? errno : EIO;
    return CURL_WRITEFUNC_ERROR;
  }
  transfer.bytes_written += bytes;
  return bytes;
}

int ReportProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<Transfer*>(user);
  if (transfer.keep_going == nullptr || !*transfer.keep_going) return 0;
  try {
    return (*transfer.keep_going)() ? 0 : 1;
  } catch (...) {
    transfer.keep_going_error = std::current_exception();
    return 1;
  }
}

HttpDownloadResult Failure(HttpDownloadOutcome outcome, std::string message, long status = 0) {
  HttpDownloadResult result;
  result.outcome = outcome;
  result.status = status;
  result.message = std::move(message);
  return result;
}

HttpDownloadResult FileFailure(const std::string& what, int error) {
  HttpDownloadResult result =
      Failure(HttpDownloadOutcome::kOtherError, what + ": " + std::generic_category().message(error));
  result.error_kind = "FileError";
  return result;
}

HttpDownloadResult CurlFailure(CURLcode code, const char* detail, long status) {
  std::string message = curl_easy_strerror(code);
  if (detail != nullptr && *detail != '\0') message += std::string(" (") + detail + ")";
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      return Failure(HttpDownloadOutcome::kTimedOut, message, status);
    case CURLE_ABORTED_BY_CALLBACK:
      return Failure(HttpDownloadOutcome::kStopped, message, status);
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_FAILED_INIT:
      return Failure(HttpDownloadOutcome::kNoConnection, message, status);
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_BAD_CONTENT_ENCODING:
      return Failure(HttpDownloadOutcome::kReadFailed, message, status);
    default: {
      HttpDownloadResult result = Failure(HttpDownloadOutcome::kOtherError, message, status);
      result.error_kind = "HttpError";
      return result;
    }
  }
}

struct CurlHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

HttpDownloadResult Download(const HttpDownloadRequest& request, const std::filesystem::path& temporary,
                            std::FILE* file) {
  if (CURLcode init = InitCurlOnce(); init != CURLE_OK) {
    return Failure(HttpDownloadOutcome::kNoConnection, curl_easy_strerror(init));
  }
  std::unique_ptr<CURL, CurlHandleDeleter> handle(curl_easy_init());
  if (!handle) return Failure(HttpDownloadOutcome::kNoConnection, "The HTTP library could not be started");
  CURL* curl = handle.get();

  std::unique_ptr<curl_slist, HeaderListDeleter> headers;
  std::optional<std::string> accept_encoding;
  for (const std::string& line : request.headers) {
    if (auto encodings = HeaderValue(line, "Accept-Encoding")) {
      // Handed to the library so it also decodes what it asked for.
      accept_encoding = *encodings;
      continue;
    }
    // A line end of the caller's would end the header block early.
    const std::string bare = line.substr(0, line.find_first_of("\r\n"));
    curl_slist* longer = curl_slist_append(headers.get(), bare.c_str());
    if (longer == nullptr) return Failure(HttpDownloadOutcome::kOtherError, "Out of memory");
    headers.release();
    headers.reset(longer);
  }

  Transfer transfer;
  transfer.handle = curl;
  transfer.file = file;
  transfer.keep_going = &request.keep_going;
  char error_detail[CURL_ERROR_SIZE] = {};

  // A limit of zero would mean "no limit" to the library; the caller asked for the opposite.
  const long limit_ms =
      static_cast<long>(std::max<std::chrono::milliseconds::rep>(request.time_limit.count(), 1));
  const long connect_ms = std::min<long>(limit_ms, static_cast<long>(kLongestConnectWait.count()));

  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error_detail);
  // Picture storages are plain web servers; a URL from catalogue data must not reach local files.
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
  if (!request.user_agent.empty()) curl_easy_setopt(curl, CURLOPT_USERAGENT, request.user_agent.c_str());
  if (headers) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
  if (accept_encoding) curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, accept_encoding->c_str());
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limit_ms);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, connect_ms);
  // Timeouts through signals are unsafe in a program with threads.
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ReportProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);

  const CURLcode code = curl_easy_perform(curl);
  if (transfer.keep_going_error) std::rethrow_exception(transfer.keep_going_error);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);

  if (transfer.refused_status != 0) {
    return Failure(HttpDownloadOutcome::kBadStatus, "HTTP status " + std::to_string(transfer.refused_status),
                   transfer.refused_status);
  }
  if (transfer.write_errno != 0)
    return FileFailure("Cannot write " + temporary.string(), transfer.write_errno);
  if (code != CURLE_OK) return CurlFailure(code, error_detail, status);
  // A body-less answer never reaches the write callback, so its status is checked here.
  if (status != 200 && !(status == 202 && transfer.bytes_written > 0)) {
    return Failure(HttpDownloadOutcome::kBadStatus, "HTTP status " + std::to_string(status), status);
  }

  if (std::fflush(file) != 0) return FileFailure("Cannot write " + temporary.string(), errno);
  try {
    SyncFileToDisk(file);
  } catch (const std::system_error& e) {
    return FileFailure("Cannot write " + temporary.string(), e.code().value());
  }
  HttpDownloadResult result;
  result.outcome = HttpDownloadOutcome::kSaved;
  result.status = status;
  return result;
}

}  // namespace

HttpDownloadResult DownloadToFile(const HttpDownloadRequest& request, const std::filesystem::path& target) {
  const std::filesystem::path temporary = TemporaryNameFor(target);
  // "x": never take over a file that is already there.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(temporary.string().c_str(), "wbx"));
  if (!file) return FileFailure("Cannot create " + temporary.string(), errno);

  HttpDownloadResult result;
  std::error_code ignored;
  try {
    result = Download(request, temporary, file.get());
  } catch (...) {
    // Only the caller's own keep_going or a lack of memory end up here; no partial file stays behind.
    file.reset();
    std::filesystem::remove(temporary, ignored);
    throw;
  }
  const int close_result = std::fclose(file.release());
  const int close_errno = errno;
  if (result.outcome != HttpDownloadOutcome::kSaved) {
    std::filesystem::remove(temporary, ignored);
    return result;
  }
  if (close_result != 0) {
    std::filesystem::remove(temporary, ignored);
    return FileFailure("Cannot write " + temporary.string(), close_errno);
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, target, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    HttpDownloadResult failure = Failure(HttpDownloadOutcome::kOtherError,
                                         "Cannot replace " + target.string() + ": " + renamed.message());
    failure.error_kind = "FileError";
    return failure;
  }
  try {
    SyncFolderToDisk(target.parent_path());
  } catch (const std::system_error&) {
    // The file is complete and in place; only its durability across a power cut is in doubt.
  }
  return result;
}

}  // namespace quarvel::platform
