// velunta serve as a process, held to what its README promises against clients that do not play
// fair: transfer codings that would smuggle a request, missing or doubled Host, Expect,
// connections beyond the limit or beyond the file descriptors, clients that never read a large
// answer, and requests that arrive just before SIGTERM.

#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "http_client.h"
#include "serve_process.h"

namespace velunta::server {
namespace {

using namespace std::chrono_literals;
using testing::Fetch;
using testing::RawConnection;
using testing::ServeProcess;
using testing::StatusOf;

// Returns the number of answers in raw bytes: lines that start with "HTTP/1.1 ".
std::size_t AnswersIn(const std::string& raw) {
  std::size_t count = 0;
  for (auto at = raw.find("HTTP/1.1 "); at != std::string::npos;
       at = raw.find("HTTP/1.1 ", at + 1)) {
    if (at == 0 || raw[at - 1] == '\n') ++count;
  }
  return count;
}

TEST(Promises, RequestHeadsThatCouldSmuggleAreRefusedAndClosed) {
  ServeProcess serve;
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  // Each body, were it read as "no body", would be a second request: /v1/days/2026-05-06.
  const std::string smuggled = "GET /v1/days/2026-05-06 HTTP/1.1\r\nHost: a\r\n\r\n";
  const struct {
    const char* name;
    std::string head;
    int status;
  } kCases[] = {
      {"chunked, then gzip", "Transfer-Encoding: chunked, gzip\r\nHost: a\r\n", 501},
      {"a coding that is not chunked", "Transfer-Encoding: xchunked\r\nHost: a\r\n", 501},
      // Beast's parser refuses this one itself.
      {"chunked twice on two lines",
       "Transfer-Encoding: chunked\r\nTransfer-Encoding: chunked\r\nHost: a\r\n", 400},
      {"gzip alone", "Transfer-Encoding: gzip\r\nHost: a\r\n", 501},
      {"chunked and a length", "Transfer-Encoding: chunked\r\nContent-Length: 5\r\nHost: a\r\n",
       400},
      {"no Host", "", 400},
      {"two Hosts", "Host: a\r\nHost: b\r\n", 400},
      {"an expectation not known", "Host: a\r\nExpect: 200-ok\r\n", 417},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    RawConnection connection(serve.Port());
    connection.Send("GET /healthz HTTP/1.1\r\n" + row.head + "\r\n" + smuggled);
    const auto answer = connection.ReceiveAll(3s);
    EXPECT_EQ(StatusOf(answer), row.status) << answer.substr(0, 300);
    EXPECT_EQ(AnswersIn(answer), 1U) << "the body was read as a request";
    EXPECT_EQ(answer.find("振替休日"), std::string::npos);
    EXPECT_TRUE(connection.Closed());
  }
  // One Host, or none in HTTP/1.0, and exactly "chunked" in any case are served.
  const struct {
    const char* name;
    std::string bytes;
  } kServed[] = {
      {"HTTP/1.0 without Host", "GET /healthz HTTP/1.0\r\n\r\n"},
      {"Chunked in capitals",
       "GET /healthz HTTP/1.1\r\nHost: a\r\nConnection: close\r\nTransfer-Encoding: "
       "Chunked\r\n\r\n0\r\n\r\n"},
  };
  for (const auto& row : kServed) {
    SCOPED_TRACE(row.name);
    RawConnection connection(serve.Port());
    connection.Send(row.bytes);
    EXPECT_EQ(StatusOf(connection.ReceiveAll(3s)), 200);
  }
}

TEST(Promises, ExpectContinueIsAnsweredBeforeTheBody) {
  ServeProcess serve;
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  RawConnection connection(serve.Port());
  connection.Send(
      "GET /healthz HTTP/1.1\r\nHost: a\r\nConnection: close\r\nExpect: 100-continue\r\n"
      "Content-Length: 4\r\n\r\n");
  const auto interim = connection.Receive(4096, 3s);
  EXPECT_EQ(interim, "HTTP/1.1 100 Continue\r\n\r\n");
  connection.Send("body");
  const auto answer = connection.ReceiveAll(3s);
  EXPECT_EQ(StatusOf(answer), 200) << answer;
}

TEST(Promises, EveryAnswerIsDatedAndNotSniffed) {
  ServeProcess serve;
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  for (const char* target : {"/healthz", "/v1/days/2026-05-06", "/nowhere"}) {
    SCOPED_TRACE(target);
    const auto reply = Fetch(serve.Port(), target);
    EXPECT_NE(reply.status, 0);
    EXPECT_TRUE(reply.Header("Date").ends_with(" GMT")) << reply.Header("Date");
    EXPECT_EQ(reply.Header("X-Content-Type-Options"), "nosniff");
  }
  RawConnection refused(serve.Port());
  refused.Send("GET /healthz HTTP/1.1\r\n\r\n");
  EXPECT_NE(refused.ReceiveAll(3s).find("\r\nDate: "), std::string::npos);
}

TEST(Promises, ConnectionsBeyondTheLimitAre503UntilOthersClose) {
  ServeProcess serve({"--max-connections", "4"});
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  std::vector<std::unique_ptr<RawConnection>> held;
  for (int i = 0; i < 4; ++i) {
    held.push_back(std::make_unique<RawConnection>(serve.Port()));
    held.back()->Send("GET /healthz HTTP/1.1\r\nHost: a\r\n\r\n");
    ASSERT_EQ(StatusOf(held.back()->Receive(4096, 3s)), 200);
  }
  const auto beyond = Fetch(serve.Port(), "/healthz");
  EXPECT_EQ(beyond.status, 503);
  EXPECT_NE(beyond.body.find("at most 4"), std::string::npos) << beyond.body;
  held.clear();
  int status = 0;
  for (int attempt = 0; attempt < 100 && status != 200; ++attempt) {
    std::this_thread::sleep_for(10ms);
    status = Fetch(serve.Port(), "/healthz").status;
  }
  EXPECT_EQ(status, 200);
}

// A file-descriptor limit for the processes started while it lives (a child keeps it).
class OpenFileLimit {
 public:
  explicit OpenFileLimit(rlim_t most) {
    ::getrlimit(RLIMIT_NOFILE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = most;
    ::setrlimit(RLIMIT_NOFILE, &lowered);
  }
  ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
  OpenFileLimit(const OpenFileLimit&) = delete;
  OpenFileLimit& operator=(const OpenFileLimit&) = delete;

 private:
  rlimit saved_{};
};

// AddressSanitizer's runtime holds freed memory in its quarantine and descriptors of its own, so
// these two measure the release build's server; the sanitizer run keeps to memory errors.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

TEST(Promises, OutOfFileDescriptorsItLogsOnceAndServesThoseItHas) {
  if (kSanitized) GTEST_SKIP() << "measured in the release build";
  std::unique_ptr<ServeProcess> serve;
  {
    const OpenFileLimit limit(32);
    serve = std::make_unique<ServeProcess>();
  }
  ASSERT_NE(serve->Port(), 0) << serve->StartText();
  RawConnection first(serve->Port());
  std::vector<std::unique_ptr<RawConnection>> crowd;
  for (int i = 0; i < 60; ++i) crowd.push_back(std::make_unique<RawConnection>(serve->Port()));
  // The connection it had still gets its answers while the others wait in the backlog.
  for (int i = 0; i < 3; ++i) {
    first.Send("GET /healthz HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(StatusOf(first.Receive(4096, 3s)), 200);
    std::this_thread::sleep_for(100ms);
  }
  crowd.clear();
  int status = 0;
  for (int attempt = 0; attempt < 50 && status != 200; ++attempt) {
    status = Fetch(serve->Port(), "/healthz").status;
    if (status != 200) std::this_thread::sleep_for(100ms);
  }
  EXPECT_EQ(status, 200) << "no answer once the crowd had gone";
  const auto log = serve->ReadError(500ms);
  std::size_t lines = 0;
  for (auto at = log.find("cannot accept"); at != std::string::npos;
       at = log.find("cannot accept", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 1U) << log.substr(0, 2000);
  serve->Signal(SIGTERM);
  EXPECT_EQ(serve->Wait(2s), 0);
}

TEST(Promises, RequestsReceivedJustBeforeSigtermAreAnswered) {
  ServeProcess serve;
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  ASSERT_EQ(Fetch(serve.Port(), "/healthz").status, 200);
  std::vector<std::unique_ptr<RawConnection>> clients;
  for (int i = 0; i < 6; ++i) {
    clients.push_back(std::make_unique<RawConnection>(serve.Port()));
    clients.back()->Send("GET /v1/days/2026-05-0" + std::to_string(i + 1) +
                         " HTTP/1.1\r\nHost: a\r\n\r\n");
  }
  serve.Signal(SIGTERM);
  for (std::size_t i = 0; i < clients.size(); ++i) {
    SCOPED_TRACE(i);
    const auto answer = clients[i]->ReceiveAll(3s);
    EXPECT_EQ(StatusOf(answer), 200) << answer.substr(0, 200);
  }
  EXPECT_EQ(serve.Wait(2s), 0);
}

// 40 clients ask for the largest list there is and never read a byte of it.
TEST(Promises, ClientsThatDoNotReadCostNoCopyEach) {
  if (kSanitized) GTEST_SKIP() << "measured in the release build";
  ServeProcess serve;
  ASSERT_NE(serve.Port(), 0) << serve.StartText();
  const std::string target = "/v1/holidays?from=1600&to=2399&sundays=true&format=ics";
  ASSERT_EQ(Fetch(serve.Port(), "/healthz").status, 200);
  const long before = serve.ResidentKilobytes();
  std::vector<std::unique_ptr<RawConnection>> stalled;
  for (int i = 0; i < 40; ++i) {
    stalled.push_back(std::make_unique<RawConnection>(serve.Port(), 4096));
    stalled.back()->Send("GET " + target + " HTTP/1.1\r\nHost: a\r\n\r\n");
  }
  // Once each has its first bytes, every answer has been made and is being written.
  for (auto& client : stalled) ASSERT_EQ(StatusOf(client->Receive(1024, 20s)), 200);
  std::this_thread::sleep_for(300ms);
  const long during = serve.ResidentKilobytes();
  std::printf("resident memory: %ld kB before, %ld kB with 40 clients not reading\n", before,
              during);
  // One 12 MB answer, kept once, plus a little for each connection: not 40 copies (480 MB).
  EXPECT_LT(during - before, 64 * 1024);
  EXPECT_EQ(Fetch(serve.Port(), "/healthz").status, 200);
}

}  // namespace
}  // namespace velunta::server
