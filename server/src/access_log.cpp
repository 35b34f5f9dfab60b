#include "access_log.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>

namespace velunta::server {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(20);

}  // namespace

struct AccessLog::State {
  Sink sink;
  std::size_t capacity = 0;
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<std::string> queue;  // guarded by mutex
  std::uint64_t dropped = 0;      // guarded by mutex
  bool closing = false;           // guarded by mutex
  // When a close gives up on lines not yet written; far away until Close.
  std::atomic<Clock::rep> giveUpAt{Clock::time_point::max().time_since_epoch().count()};

  bool GivenUp() const {
    return Clock::now().time_since_epoch().count() >= giveUpAt.load(std::memory_order_relaxed);
  }

  // Writes one line to standard error; returns false when a close gave up waiting for the
  // reader. A reader that is gone (EPIPE, with SIGPIPE ignored) loses the line.
  bool WriteToStandardError(std::string_view line) const {
    while (!line.empty()) {
      pollfd writable{STDERR_FILENO, POLLOUT, 0};
      const int polled = ::poll(&writable, 1, static_cast<int>(kPoll.count()));
      if (polled < 0 && errno != EINTR) return true;
      if (polled <= 0) {
        if (GivenUp()) return false;
        continue;
      }
      const auto written = ::write(STDERR_FILENO, line.data(), line.size());
      if (written < 0) {
        if (errno == EINTR || errno == EAGAIN) continue;
        return true;
      }
      line.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  bool Put(std::string_view line) const {
    if (!sink) return WriteToStandardError(line);
    sink(line);
    return true;
  }

  void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      ready.wait(lock, [this] { return closing || !queue.empty(); });
      if (queue.empty()) return;
      std::deque<std::string> lines;
      lines.swap(queue);
      const auto lost = std::exchange(dropped, 0);
      lock.unlock();
      for (const auto& line : lines) {
        if (!Put(line)) return;
      }
      if (lost != 0 && !Put("velunta serve: " + std::to_string(lost) +
                            " access-log lines dropped while the log could not be written\n")) {
        return;
      }
      lock.lock();
    }
  }
};

AccessLog::AccessLog(Sink sink, std::size_t capacity) : state_(std::make_shared<State>()) {
  state_->sink = std::move(sink);
  state_->capacity = capacity;
  writer_ = std::thread([state = state_] { state->Run(); });
}

AccessLog::~AccessLog() {
  Close(kCloseWait);
}

void AccessLog::Write(std::string line) {
  {
    const std::lock_guard lock(state_->mutex);
    if (state_->closing) return;
    if (state_->queue.size() >= state_->capacity) {
      ++state_->dropped;
      return;
    }
    state_->queue.push_back(std::move(line));
  }
  state_->ready.notify_one();
}

void AccessLog::Close(std::chrono::milliseconds wait) {
  if (!writer_.joinable()) return;
  state_->giveUpAt = (Clock::now() + wait).time_since_epoch().count();
  {
    const std::lock_guard lock(state_->mutex);
    state_->closing = true;
  }
  state_->ready.notify_one();
  writer_.join();  // within the wait and one poll: the standard-error writer gives up by then
}

}  // namespace velunta::server
