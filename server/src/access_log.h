#pragma once
// The server's log lines, written by a thread of their own so that a reader of the log that is
// slow, stalled or gone never holds up an answer or a stop. Lines wait in a bounded queue; when
// it is full, new lines are dropped and counted, and the count is logged once writing goes on.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace velunta::server {

class AccessLog {
 public:
  using Sink = std::function<void(std::string_view line)>;
  static constexpr std::size_t kQueuedLines = 4096;

  // Writes to `sink`, which must not block, or to standard error when it is empty: there, a
  // write waits for the reader in short polls, so that Close can give up on one that stalled.
  explicit AccessLog(Sink sink, std::size_t capacity = kQueuedLines);
  ~AccessLog();  // Close(kCloseWait)
  AccessLog(const AccessLog&) = delete;
  AccessLog& operator=(const AccessLog&) = delete;

  // Queues a line (with its '\n'); never waits for the writer. Safe from any thread.
  void Write(std::string line);

  // Writes what is queued for at most `wait`, then ends the writer; what is left is dropped.
  void Close(std::chrono::milliseconds wait);
  static constexpr std::chrono::milliseconds kCloseWait{300};

 private:
  struct State;
  std::shared_ptr<State> state_;
  std::thread writer_;
};

}  // namespace velunta::server
