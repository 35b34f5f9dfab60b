#include "serve_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <thread>

namespace velunta::server::testing {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

ServeProcess::ServeProcess(const std::vector<std::string>& more) {
  std::vector<std::string> args = {VELUNTA_BINARY, "serve", "--port", "0", "--threads", "2"};
  args.insert(args.end(), more.begin(), more.end());
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipeEnds[1], STDERR_FILENO);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    ::execv(VELUNTA_BINARY, argv.data());
    ::_exit(127);
  }
  ::close(pipeEnds[1]);
  errFd_ = pipeEnds[0];
  std::string& err = start_;
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

ServeProcess::~ServeProcess() {
  if (pid_ > 0 && !exited_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (errFd_ >= 0) ::close(errFd_);
}

void ServeProcess::CloseErrorReader() {
  if (errFd_ >= 0) ::close(errFd_);
  errFd_ = -1;
}

std::string ServeProcess::ReadError(std::chrono::milliseconds wait, const std::string& until) {
  std::string text;
  const auto deadline = Clock::now() + wait;
  while (errFd_ >= 0 && Clock::now() < deadline &&
         (until.empty() || text.find(until) == std::string::npos)) {
    pollfd ready{errFd_, POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (::poll(&ready, 1, static_cast<int>(std::max(left.count(), 1L))) <= 0) continue;
    char buffer[4096];
    const auto n = ::read(errFd_, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

long ServeProcess::ResidentKilobytes() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
  }
  return -1;
}

void ServeProcess::Signal(int number) {
  ::kill(pid_, number);
}

int ServeProcess::Wait(std::chrono::milliseconds wait) {
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

}  // namespace velunta::server::testing
