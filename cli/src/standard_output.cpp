#include <poll.h>
#include <unistd.h>

#include "run.h"

namespace velunta::cli {

bool StandardOutputGone() noexcept {
  // The writing end of a pipe with no reader polls as an error; a socket shut by its peer as a
  // hang-up. A full disk or /dev/full polls as writable, and a closed descriptor as invalid.
  pollfd output{STDOUT_FILENO, POLLOUT, 0};
  return poll(&output, 1, 0) == 1 && (output.revents & (POLLERR | POLLHUP)) != 0;
}

}  // namespace velunta::cli
