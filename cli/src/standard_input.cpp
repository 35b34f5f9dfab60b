#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run.h"

namespace velunta::cli {

// How long a pipe may take to deliver what is being written into it. A writer still silent
// after this (an ssh session's open stdin) is taken to hold nothing.
constexpr int kPipeGraceMs = 50;

bool StandardInputWaiting() noexcept {
  struct stat info {};
  if (fstat(STDIN_FILENO, &info) != 0) return false;
  if (S_ISREG(info.st_mode)) return info.st_size > 0;
  if (!S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode)) return false;  // a terminal, /dev/null
  pollfd input{STDIN_FILENO, POLLIN, 0};
  if (poll(&input, 1, kPipeGraceMs) <= 0) return false;
  // A closed pipe polls as ready too (cron's stdin): only bytes to read count.
  int available = 0;
  return ioctl(STDIN_FILENO, FIONREAD, &available) == 0 && available > 0;
}

}  // namespace velunta::cli
