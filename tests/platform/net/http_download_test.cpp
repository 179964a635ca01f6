#include "platform/net/http_download.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>

#include "tests/support/http_test_server.h"
#include "tests/support/temp_folder.h"

namespace quarvel::platform {
namespace {

using test::HttpTestServer;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;
using ::testing::Contains;
using ::testing::IsEmpty;

using Reply = HttpTestServer::Reply;

Reply Status(int status) {
  Reply reply;
  reply.status = status;
  return reply;
}

Reply Gzipped() {
  Reply reply;
  reply.gzip = true;
  return reply;
}

Reply Slow(int chunk_delay_ms, int chunks) {
  Reply reply;
  reply.chunk_delay_ms = chunk_delay_ms;
  reply.chunks = chunks;
  return reply;
}

Reply CutShort() {
  Reply reply;
  reply.cut_short = true;
  return reply;
}

Reply RedirectTo(const std::string& location) {
  Reply reply = Status(302);
  reply.location = location;
  return reply;
}

const std::string kOldContent = "old picture";

// The names in a folder, sorted: shows a temporary file that stayed behind.
std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string BinaryBody() {
  std::string body;
  for (int i = 0; i < 70000; ++i) body += static_cast<char>((i * 7) % 256);
  body[0] = '\0';
  body[1] = '\xFF';
  return body;
}

class HttpDownloadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The loopback server must be reached directly whatever proxy the machine running the tests has.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    server_ = new HttpTestServer();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  HttpDownloadRequest Request(const std::string& path) const {
    HttpDownloadRequest request;
    request.url = server_->BaseUrl() + path;
    request.time_limit = std::chrono::seconds(10);
    return request;
  }

  static HttpTestServer* server_;
  TempFolder folder_;
};

HttpTestServer* HttpDownloadTest::server_ = nullptr;

TEST_F(HttpDownloadTest, SavesTheBodyByteForByteOverAnExistingFileAndSendsTheHeaders) {
  const std::string body = BinaryBody();
  server_->Serve("/10/100234.jpg", body);
  const auto target = folder_ / "55.jpg";
  WriteFileBytes(target, kOldContent);

  HttpDownloadRequest request = Request("10/100234.jpg");
  request.user_agent = "Mozilla/5.0 (test agent)";
  request.headers = {"Accept: */*", "Accept-Encoding: gzip, deflate", "Connection: Keep-Alive",
                     "Authorization: Basic dXNlcjpwYXNz\r\n"};
  const HttpDownloadResult result = DownloadToFile(request, target);

  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kSaved) << result.message;
  EXPECT_EQ(result.status, 200);
  EXPECT_TRUE(ReadFileBytes(target) == body);
  EXPECT_EQ(FileNames(folder_.path()), std::vector<std::string>{"55.jpg"});
  const auto headers = server_->RequestHeaders("/10/100234.jpg");
  EXPECT_THAT(headers, Contains("Authorization: Basic dXNlcjpwYXNz"));
  EXPECT_THAT(headers, Contains("User-Agent: Mozilla/5.0 (test agent)"));
  EXPECT_THAT(headers, Contains("Accept: */*"));
  EXPECT_THAT(headers, Contains("Accept-Encoding: gzip, deflate"));
  EXPECT_EQ(server_->RequestCount("/10/100234.jpg"), 1);
}

// Every answer that is not a usable body leaves the existing target as it was and no stray file.
TEST_F(HttpDownloadTest, OutcomesOfTheAnswers) {
  struct Case {
    std::string name;
    std::string body;
    Reply reply;
    std::chrono::milliseconds time_limit;
    HttpDownloadOutcome outcome;
    long status;
  };
  const std::chrono::milliseconds kAmple = std::chrono::seconds(10);
  const std::vector<Case> cases = {
      {"accepted with a body", "queued picture", Status(202), kAmple, HttpDownloadOutcome::kSaved, 202},
      {"gzip body is decoded", std::string(300, 'z') + "end", Gzipped(), kAmple, HttpDownloadOutcome::kSaved,
       200},
      {"empty 200 body is an empty file", "", Reply(), kAmple, HttpDownloadOutcome::kSaved, 200},
      {"not found", "no such picture", Status(404), kAmple, HttpDownloadOutcome::kBadStatus, 404},
      {"accepted without a body", "", Status(202), kAmple, HttpDownloadOutcome::kBadStatus, 202},
      {"server error without a body", "", Status(500), kAmple, HttpDownloadOutcome::kBadStatus, 500},
      {"no content", "", Status(204), kAmple, HttpDownloadOutcome::kBadStatus, 204},
      {"body cut short", std::string(3000, 'c'), CutShort(), kAmple, HttpDownloadOutcome::kReadFailed, 200},
      {"slow body past the time limit", std::string(100, 's'), Slow(200, 10), std::chrono::milliseconds(300),
       HttpDownloadOutcome::kTimedOut, 200},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    const std::string path = "/case" + std::to_string(i) + ".jpg";
    server_->Serve(path, c.body, c.reply);
    TempFolder folder;
    const auto target = folder / "pic.jpg";
    WriteFileBytes(target, kOldContent);

    HttpDownloadRequest request = Request(path.substr(1));
    request.headers = {"Accept-Encoding: gzip, deflate"};
    request.time_limit = c.time_limit;
    const auto started = std::chrono::steady_clock::now();
    const HttpDownloadResult result = DownloadToFile(request, target);
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_EQ(result.outcome, c.outcome) << result.message;
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(ReadFileBytes(target), c.outcome == HttpDownloadOutcome::kSaved ? c.body : kOldContent);
    EXPECT_EQ(FileNames(folder.path()), std::vector<std::string>{"pic.jpg"});
    EXPECT_LT(took, std::chrono::milliseconds(1500));
    if (c.outcome != HttpDownloadOutcome::kSaved) {
      EXPECT_FALSE(result.message.empty());
    }
  }
}

TEST_F(HttpDownloadTest, NoFileAppearsWhenThereWasNone) {
  server_->Serve("/missing-before.jpg", "gone", Status(404));
  const auto target = folder_ / "pic.jpg";
  const HttpDownloadResult result = DownloadToFile(Request("missing-before.jpg"), target);
  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kBadStatus);
  EXPECT_THAT(FileNames(folder_.path()), IsEmpty());
}

TEST_F(HttpDownloadTest, KeepGoingFalseStopsTheDownloadPromptly) {
  server_->Serve("/slow.jpg", std::string(1000, 'x'), Slow(300, 20));
  const auto target = folder_ / "pic.jpg";
  WriteFileBytes(target, kOldContent);
  int asked = 0;
  const auto started = std::chrono::steady_clock::now();
  HttpDownloadRequest request = Request("slow.jpg");
  request.keep_going = [&] { return ++asked < 3; };
  const HttpDownloadResult result = DownloadToFile(request, target);

  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kStopped) << result.message;
  EXPECT_EQ(asked, 3);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
  EXPECT_EQ(ReadFileBytes(target), kOldContent);
  EXPECT_EQ(FileNames(folder_.path()), std::vector<std::string>{"pic.jpg"});
}

TEST_F(HttpDownloadTest, NothingListeningIsNoConnection) {
  // A port that was free a moment ago: bound, read, released.
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  socklen_t length = sizeof address;
  ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
  close(fd);

  HttpDownloadRequest request;
  request.url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/pic.jpg";
  const auto target = folder_ / "pic.jpg";
  const HttpDownloadResult result = DownloadToFile(request, target);
  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kNoConnection) << result.message;
  EXPECT_THAT(FileNames(folder_.path()), IsEmpty());
}

TEST_F(HttpDownloadTest, ATargetFolderThatCannotBeWrittenIsAFileError) {
  server_->Serve("/fine.jpg", "picture");
  const HttpDownloadResult result =
      DownloadToFile(Request("fine.jpg"), folder_ / "no-such-folder" / "pic.jpg");
  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kOtherError);
  EXPECT_EQ(result.error_kind, "FileError");
  EXPECT_FALSE(result.message.empty());
}

TEST_F(HttpDownloadTest, OnlyWebAddressesAreFetched) {
  const auto secret = folder_ / "secret.txt";
  WriteFileBytes(secret, "local data");
  HttpDownloadRequest request;
  request.url = "file://" + secret.string();
  const auto target = folder_ / "pic.jpg";
  const HttpDownloadResult result = DownloadToFile(request, target);
  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kOtherError);
  EXPECT_EQ(result.error_kind, "HttpError");
  EXPECT_FALSE(std::filesystem::exists(target));
}

// The system proxy is the one named in the usual environment variables.
TEST_F(HttpDownloadTest, GoesThroughTheProxyOfTheEnvironment) {
  server_->Serve("/proxied/7.jpg", "through the proxy");
  const std::optional<std::string> old_no_proxy =
      std::getenv("no_proxy") ? std::optional<std::string>(std::getenv("no_proxy")) : std::nullopt;
  setenv("http_proxy", server_->BaseUrl().c_str(), 1);
  unsetenv("no_proxy");
  HttpDownloadRequest request;
  request.url = "http://pictures.quarvel.invalid/proxied/7.jpg";
  const auto target = folder_ / "7.jpg";
  const HttpDownloadResult result = DownloadToFile(request, target);
  unsetenv("http_proxy");
  if (old_no_proxy) setenv("no_proxy", old_no_proxy->c_str(), 1);

  EXPECT_EQ(result.outcome, HttpDownloadOutcome::kSaved) << result.message;
  EXPECT_EQ(ReadFileBytes(target), "through the proxy");
  EXPECT_THAT(server_->RequestHeaders("/proxied/7.jpg"), Contains("Host: pictures.quarvel.invalid"));
}

TEST_F(HttpDownloadTest, FollowsRedirectsUpToALimit) {
  server_->Serve("/moved/7.jpg", "", RedirectTo("/new/7.jpg"));
  server_->Serve("/new/7.jpg", "moved picture");
  // A loop of redirects ends instead of running until the time limit.
  server_->Serve("/loop.jpg", "", RedirectTo("/loop.jpg"));

  const HttpDownloadResult moved = DownloadToFile(Request("moved/7.jpg"), folder_ / "7.jpg");
  EXPECT_EQ(moved.outcome, HttpDownloadOutcome::kSaved) << moved.message;
  EXPECT_EQ(ReadFileBytes(folder_ / "7.jpg"), "moved picture");

  const HttpDownloadResult looped = DownloadToFile(Request("loop.jpg"), folder_ / "8.jpg");
  EXPECT_EQ(looped.outcome, HttpDownloadOutcome::kOtherError);
  EXPECT_EQ(looped.error_kind, "HttpError");
  EXPECT_EQ(server_->RequestCount("/loop.jpg"), 6);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "8.jpg"));
}

}  // namespace
}  // namespace quarvel::platform
