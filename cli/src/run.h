#pragma once
// The velunta command as a function, so the executable, the tests and the benchmarks run the same
// code.

#include <ostream>
#include <string>
#include <vector>

namespace velunta::cli {

// Exit statuses.
inline constexpr int kStatusOk = 0;         // done; for check: every date is a day off
inline constexpr int kStatusNotDayOff = 1;  // check: one of the dates is not a day off
inline constexpr int kStatusBadInput = 2;   // one line on err, nothing on out

// Runs the command on argv (argv[0] is the program's name) and returns the exit status. The
// answer goes to out only once it is complete, so bad input leaves out untouched; help and the
// version go to out with status 0. Never throws.
// Example: {"velunta", "check", "2026/05/06"} -> out "2026/05/06(水) 振替休日\n", status 0.
int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) noexcept;

// The same for the arguments that follow the program's name.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) noexcept;

}  // namespace velunta::cli
