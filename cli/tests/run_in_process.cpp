#include "run_in_process.h"

#include <sstream>

#include "run.h"

namespace velunta::cli::testing {

Outcome RunInProcess(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  Outcome outcome;
  outcome.status = Run(args, out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  return outcome;
}

}  // namespace velunta::cli::testing
