// velunta serve as a process: SIGTERM and SIGINT let the answers in flight finish, and it exits
// 0 within a second.

#include <signal.h>

#include <chrono>

#include <gtest/gtest.h>

#include "http_client.h"
#include "serve_process.h"

namespace velunta::server {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::ServeProcess;

TEST(Signals, FinishTheAnswersInFlightThenExitZero) {
  for (const int number : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(number == SIGTERM ? "SIGTERM" : "SIGINT");
    ServeProcess serve;
    ASSERT_NE(serve.Port(), 0);
    ASSERT_EQ(testing::Fetch(serve.Port(), "/healthz").status, 200);
    testing::RawConnection idle(serve.Port());
    testing::RawConnection reading(serve.Port(), 64 * 1024);
    reading.Send("GET /v1/holidays?from=1600&to=2399&sundays=true HTTP/1.1\r\nHost: a\r\n\r\n");
    std::string answer = reading.Receive(1024, 20s);  // seconds under the sanitizers
    ASSERT_EQ(testing::StatusOf(answer), 200);

    serve.Signal(number);
    answer += reading.ReceiveAll(20s);
    const auto bodyStart = answer.find("\r\n\r\n") + 4;
    const auto length = std::stoul(answer.substr(answer.find("Content-Length: ") + 16));
    EXPECT_EQ(answer.size() - bodyStart, length) << "the answer in flight was cut";
    // Once the last answer is out, nothing holds the process.
    EXPECT_EQ(serve.Wait(1s), 0);
    EXPECT_EQ(testing::Fetch(serve.Port(), "/healthz").status, 0) << "still accepting";
  }
}

TEST(Signals, WithNothingInFlightExitWithinASecond) {
  ServeProcess serve;
  ASSERT_NE(serve.Port(), 0);
  testing::RawConnection idle(serve.Port());  // keep-alive, waiting for a request
  idle.Send("GET /healthz HTTP/1.1\r\nHost: a\r\n\r\n");
  ASSERT_EQ(testing::StatusOf(idle.Receive(4096, 5s)), 200);
  testing::RawConnection half(serve.Port());  // half a request head
  half.Send("GET /heal");
  const auto signalled = Clock::now();
  serve.Signal(SIGTERM);
  EXPECT_EQ(serve.Wait(1s), 0);
  EXPECT_LT(Clock::now() - signalled, 1s);
  idle.Receive(1, 1s);
  EXPECT_TRUE(idle.Closed());
}

}  // namespace
}  // namespace velunta::server
