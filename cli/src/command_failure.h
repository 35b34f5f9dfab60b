#pragma once
// A command that cannot do its work although its input is good (serve: the port is taken): one
// line on stderr like a refusal, but a status of its own, so that a script or a service manager
// tells a broken command line from a busy machine.

#include <stdexcept>
#include <string>

namespace velunta::cli {

class CommandFailure : public std::runtime_error {
 public:
  // status: one of run.h's, e.g. kStatusUnavailable; never kStatusBadInput.
  CommandFailure(int status, const std::string& message)
      : std::runtime_error(message), status_(status) {}

  int status() const noexcept { return status_; }

 private:
  int status_;
};

}  // namespace velunta::cli
