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
  // What it wrote on standard error before it listened (or gave up).
  const std::string& StartText() const { return start_; }
  void Signal(int number);
  // Closes the reading end of its standard error: the reader has gone away. Until then nothing
  // reads it after the start, so a server that logs enough fills the pipe (a stalled reader).
  void CloseErrorReader();
  // Returns what it writes on standard error within `wait` after the start (a stalled reader
  // until then), waiting no longer once a line holding `until` has come.
  std::string ReadError(std::chrono::milliseconds wait, const std::string& until = "");
  // Returns its resident memory in kilobytes, or -1 when it cannot be read.
  long ResidentKilobytes() const;

  // Returns the exit status, or -1 when the process is still running after `wait`.
  int Wait(std::chrono::milliseconds wait);

 private:
  pid_t pid_ = -1;
  int errFd_ = -1;
  unsigned short port_ = 0;
  std::string start_;
  bool exited_ = false;
};

}  // namespace velunta::server::testing
