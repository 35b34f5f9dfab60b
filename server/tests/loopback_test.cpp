// The server over loopback: what only a socket shows (limits on the request head, keep-alive,
// HEAD), clients that are slow or never finish, and a stop while an answer is being written.

#include <atomic>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>
#include <velunta/server/http_server.h>

#include "http_client.h"

namespace velunta::server {
namespace {

using namespace std::chrono_literals;
using testing::Fetch;
using testing::RawConnection;
using testing::StatusOf;
using Clock = std::chrono::steady_clock;

// A server on a free loopback port, run on its own thread for the length of a test.
class Running {
 public:
  explicit Running(ServerOptions options = {}) : handler_({}) {
    options.port = 0;
    options.log = [this](std::string_view line) {
      const std::lock_guard lock(mutex_);
      log_.emplace_back(line);
    };
    server_ = std::make_unique<Server>(handler_, std::move(options));
    runner_ = std::thread([this] { server_->Run(); });
  }
  ~Running() { Stop(); }

  unsigned short Port() const { return server_->Port(); }
  // Stops and returns how long Run took to return.
  Clock::duration Stop() {
    if (!runner_.joinable()) return {};
    const auto start = Clock::now();
    server_->Stop();
    runner_.join();
    return Clock::now() - start;
  }
  std::vector<std::string> Log() {
    const std::lock_guard lock(mutex_);
    return log_;
  }

 private:
  Handler handler_;
  std::unique_ptr<Server> server_;
  std::thread runner_;
  std::mutex mutex_;
  std::vector<std::string> log_;
};

std::string Get(const std::string& target, const std::string& extra = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extra + "\r\n";
}

// The same, asking the server to close once it has answered.
std::string GetOnce(const std::string& target) {
  return Get(target, "Connection: close\r\n");
}

// A GET whose chunked body is `chunks` (chunk lines, data and trailer).
std::string Chunked(const std::string& chunks) {
  return "GET /healthz HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\n\r\n" + chunks;
}

// `count` one-byte chunks, each with an extension of `bytes` bytes.
std::string ManyExtensions(int count, std::size_t bytes) {
  std::string chunks;
  for (int i = 0; i < count; ++i) chunks += "1;e=" + std::string(bytes, 'v') + "\r\nx\r\n";
  return chunks;
}

TEST(Loopback, BadRequestsOnTheWireGetTheirStatusAndTheServerGoesOn) {
  Running server;
  const struct {
    const char* name;
    std::string bytes;
    int status;
  } kCases[] = {
      {"a 10 KB path", Get("/v1/days/" + std::string(10 * 1024, '9')), 431},
      {"20 KB of headers", Get("/healthz", "X-Filler: " + std::string(20 * 1024, 'x') + "\r\n"),
       431},
      {"a body too long",
       "POST /v1/days/2026-05-06 HTTP/1.1\r\nHost: a\r\nContent-Length: 100000\r\n\r\n" +
           std::string(100000, 'b'),
       413},
      {"a POST",
       "POST /v1/days/2026-05-06 HTTP/1.1\r\nHost: a\r\nConnection: close\r\nContent-Length: "
       "2\r\n\r\nhi",
       405},
      {"raw bytes that are not UTF-8", GetOnce("/v1/days/\xff\xfe"), 400},
      {"escaped bytes that are not UTF-8", GetOnce("/v1/next?date=%ff"), 400},
      {"not HTTP", "HELLO THERE\r\n\r\n", 400},
      {"a huge number", GetOnce("/v1/next?count=184467440737095516160"), 400},
      {"an unknown parameter", GetOnce("/v1/holidays?year=2026&colour=red"), 400},
      {"an impossible date", GetOnce("/v1/days/2026-13-01"), 400},
      // A chunked body's extensions and trailer are held to the head's limits: a trailer field
      // over 65,533 bytes once threw out of the event loop, and extensions were buffered whole.
      {"a trailer field of 70 KB", Chunked("0\r\nX-Big: " + std::string(70'000, 't') + "\r\n\r\n"),
       431},
      {"a chunk extension of 1 MB",
       Chunked("1;" + std::string(1024 * 1024, 'e') + "\r\nx\r\n0\r\n\r\n"), 431},
      {"9 KB of small chunk extensions", Chunked(ManyExtensions(18, 500) + "0\r\n\r\n"), 431},
      {"a chunk size beyond 64 bits", Chunked("1FFFFFFFFFFFFFFFFF\r\n"), 400},
      {"extensions and a trailer within the limits",
       "GET /v1/days/2026-05-06 HTTP/1.1\r\nHost: a\r\nConnection: close\r\nTransfer-Encoding: "
       "chunked\r\n\r\n" +
           ManyExtensions(8, 500) + "0;last\r\nX-Sum: 8\r\n\r\n",
       200},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    RawConnection connection(server.Port());
    connection.Send(row.bytes);
    const auto answer = connection.ReceiveAll(3s);
    EXPECT_EQ(StatusOf(answer), row.status) << answer.substr(0, 200);
    if (row.status >= 400) {
      EXPECT_NE(answer.find("{\"error\":"), std::string::npos);
    }
    EXPECT_EQ(Fetch(server.Port(), "/healthz").status, 200);
  }
  // One access-log line a request: method, target, status, bytes, microseconds. A line is
  // written once its answer is out, so the last ones may come just after the client has read.
  std::vector<std::string> log;
  for (int wait = 0; wait < 200 && log.size() < 2 * std::size(kCases); ++wait) {
    std::this_thread::sleep_for(10ms);
    log = server.Log();
  }
  ASSERT_EQ(log.size(), 2 * std::size(kCases));
  std::size_t healthz = 0;
  for (const auto& line : log) {
    if (line.find(" GET /healthz 200 17 ") != std::string::npos) ++healthz;
    EXPECT_TRUE(line.ends_with("us\n")) << line;
  }
  EXPECT_EQ(healthz, std::size(kCases));
}

TEST(Loopback, KeepAliveAndHead) {
  Running server;
  RawConnection connection(server.Port());
  std::string answers;
  connection.Send(Get("/healthz") + Get("/v1/days/2026-05-06"));
  while (answers.find("振替休日") == std::string::npos && !connection.Closed()) {
    const auto more = connection.Receive(64 * 1024, 2s);
    if (more.empty()) break;
    answers += more;
  }
  EXPECT_EQ(StatusOf(answers), 200);
  EXPECT_NE(answers.find("振替休日"), std::string::npos);  // the second answer, same connection

  const auto get = Fetch(server.Port(), "/v1/holidays?year=2026");
  const auto head = Fetch(server.Port(), "/v1/holidays?year=2026", "HEAD");
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.Header("Content-Length"), std::to_string(get.body.size()));
  EXPECT_TRUE(head.body.empty());
  EXPECT_EQ(head.Header("Access-Control-Allow-Origin"), "*");
}

// A client sending a byte every 100 ms is cut off at the read deadline, and while it and a crowd
// of silent connections wait, a single worker answers everyone else at once.
TEST(Loopback, SlowClientsHoldNoWorker) {
  ServerOptions options;
  options.threads = 1;
  options.readDeadline = 1000ms;
  Running server(options);
  std::vector<std::unique_ptr<RawConnection>> silent;
  for (int i = 0; i < 50; ++i) silent.push_back(std::make_unique<RawConnection>(server.Port()));

  std::atomic<bool> slowDone = false;
  Clock::duration slowLasted{};
  std::size_t slowSent = 0;
  std::thread slow([&] {
    RawConnection connection(server.Port());
    const std::string request = Get("/healthz", "X-Slow: " + std::string(40, 's') + "\r\n");
    const auto start = Clock::now();
    for (const char byte : request) {
      if (!connection.Send(std::string(1, byte))) break;
      ++slowSent;
      connection.Receive(1, 100ms);  // a close shows here
      if (connection.Closed()) break;
    }
    slowLasted = Clock::now() - start;
    slowDone = true;
  });
  Clock::duration longest{};
  for (int i = 0; i < 40; ++i) {
    const auto start = Clock::now();
    EXPECT_EQ(Fetch(server.Port(), "/v1/days/2026-05-06").status, 200);
    longest = std::max(longest, Clock::now() - start);
    std::this_thread::sleep_for(10ms);
  }
  slow.join();
  EXPECT_LT(longest, 200ms);
  EXPECT_LT(slowSent, 20U) << "the slow client was never cut off";
  EXPECT_GE(slowLasted, 900ms);
  EXPECT_LT(slowLasted, 2500ms);
  // The silent ones were cut off by the same deadline.
  for (auto& connection : silent) {
    connection->Receive(1, 1500ms);
    EXPECT_TRUE(connection->Closed());
  }
}

// A stop lets an answer being written finish, closes idle connections, and returns promptly.
TEST(Loopback, StopFinishesTheAnswerInFlight) {
  Running server;
  RawConnection idle(server.Port());
  RawConnection reading(server.Port(), 64 * 1024);
  // Every Sunday and holiday of 800 years in JSON: megabytes, more than the socket buffers hold.
  reading.Send(Get("/v1/holidays?from=1600&to=2399&sundays=true"));
  // Writing megabytes takes a while under the sanitizers: the first bytes may be seconds away.
  std::string answer = reading.Receive(1024, 20s);
  ASSERT_EQ(StatusOf(answer), 200);

  std::atomic<bool> stopped = false;
  Clock::duration stopTook{};
  std::thread stopper([&] {
    stopTook = server.Stop();
    stopped = true;
  });
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(stopped) << "the stop did not wait for the answer in flight";
  answer += reading.ReceiveAll(3s);
  stopper.join();
  const auto bodyStart = answer.find("\r\n\r\n") + 4;
  const auto length = std::stoul(answer.substr(answer.find("Content-Length: ") + 16));
  EXPECT_EQ(answer.size() - bodyStart, length);
  EXPECT_GT(length, 8'000'000U);
  EXPECT_LT(stopTook, 1s);
  idle.Receive(1, 500ms);
  EXPECT_TRUE(idle.Closed());
}

}  // namespace
}  // namespace velunta::server
