#pragma once
// Runs the command in this process, as the binary's main does but with today in Japan and no
// standard input: for checks that make hundreds of runs, each a process start under the
// sanitizers.

#include <string>
#include <vector>

#include "run_binary.h"

namespace velunta::cli::testing {

Outcome RunInProcess(const std::vector<std::string>& args);

}  // namespace velunta::cli::testing
