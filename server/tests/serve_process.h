#pragma once
// velunta serve as a process on a free port (--port 0), for the tests that need the command
// itself: its signals, its --calendar files.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace velunta::server::testing {

class ServeProcess {
 public:
  // Starts `velunta serve --port 0 --threads 2` with `more` arguments after them, and reads its
  // port from the line it writes on standard error (Port() stays 0 when it never listens).
  explicit ServeProcess(const std::vector<std::string>& more = {});
  ~ServeProcess();
  ServeProcess(const ServeProcess&) = delete;
  ServeProcess& operator=(const ServeProcess&) = delete;

  unsigned short Port() const { return port_; }
  void Signal(int number);

  // Returns the exit status, or -1 when the process is still running after `wait`.
  int Wait(std::chrono::milliseconds wait);

 private:
  pid_t pid_ = -1;
  int errFd_ = -1;
  unsigned short port_ = 0;
  bool exited_ = false;
};

}  // namespace velunta::server::testing
