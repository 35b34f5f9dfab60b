// velunta serve as a process: SIGTERM and SIGINT let the answers in flight finish, and it exits
// 0 within a second.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "http_client.h"

namespace velunta::server {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// velunta serve --port 0, its port read from the line it writes on standard error.
class ServeProcess {
 public:
  ServeProcess() {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(pipeEnds[1], STDERR_FILENO);
      ::close(pipeEnds[0]);
      ::close(pipeEnds[1]);
      ::execl(VELUNTA_BINARY, VELUNTA_BINARY, "serve", "--port", "0", "--threads", "2",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(pipeEnds[1]);
    errFd_ = pipeEnds[0];
    std::string err;
    const auto deadline = Clock::now() + 5s;
    while (err.find("/ with") == std::string::npos && Clock::now() < deadline) {
      char buffer[256];
      const auto n = ::read(errFd_, buffer, sizeof buffer);
      if (n <= 0) break;
      err.append(buffer, static_cast<std::size_t>(n));
    }
    const auto colon = err.find("127.0.0.1:");
    if (colon != std::string::npos) {
      port_ = static_cast<unsigned short>(std::stoi(err.substr(colon + 10)));
    }
  }
  ~ServeProcess() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (errFd_ >= 0) ::close(errFd_);
  }

  unsigned short Port() const { return port_; }
  void Signal(int number) { ::kill(pid_, number); }

  // Returns the exit status, or -1 when the process is still running after `wait`.
  int Wait(std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    int status = 0;
    while (Clock::now() < deadline) {
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(5ms);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int errFd_ = -1;
  unsigned short port_ = 0;
  bool exited_ = false;
};

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
