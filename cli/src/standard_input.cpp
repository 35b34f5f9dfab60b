#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "run.h"

namespace velunta::cli {

InputState StandardInputState() noexcept {
  struct stat info {};
  if (fstat(STDIN_FILENO, &info) != 0) return InputState::nothing;
  if (S_ISREG(info.st_mode)) return info.st_size > 0 ? InputState::dates : InputState::nothing;
  // A terminal is a person who typed the command; /dev/null is nobody.
  if (!S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode)) return InputState::nothing;
  // Bytes or the end, whichever comes first: a writer that is slow to start (a sleep before an
  // echo) is still a writer. Only a pipe left open and silent is given up on.
  const auto deadline = std::chrono::steady_clock::now() + kQuietInputBound;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return InputState::silent;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return InputState::nothing;
    if (ready == 0) return InputState::silent;
    // A closed pipe polls as ready too (cron's stdin): only bytes to read count.
    int available = 0;
    const bool bytes = ioctl(STDIN_FILENO, FIONREAD, &available) == 0 && available > 0;
    return bytes ? InputState::dates : InputState::nothing;
  }
}

}  // namespace velunta::cli
