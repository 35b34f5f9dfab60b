#pragma once
// The velunta command as a function, so the executable, the tests and the benchmarks run the same
// code with the day and the streams they choose.

#include <chrono>
#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace velunta::cli {

// Exit statuses. Those of failures that are not the input's take BSD's sysexits.h numbers, which
// service managers and mail filters already read, and which no answer or refusal here uses.
inline constexpr int kStatusOk = 0;         // done; for check: every date is a day off
inline constexpr int kStatusNotDayOff = 1;  // check: one of the dates is not a day off
inline constexpr int kStatusBadInput = 2;   // one line on err, nothing on out
// serve: the address cannot be listened on (a port in use, a port below 1024 without the right,
// an address not this machine's); one line on err. EX_UNAVAILABLE: the service is not offered,
// and trying the same command again will do no better until something else changes.
inline constexpr int kStatusUnavailable = 69;
// The answer could not be written (a full disk, /dev/full); one line on err. A reader that has
// gone (a closed pipe) gets no line, only the status. EX_IOERR.
inline constexpr int kStatusWriteFailed = 74;

// What standard input holds when no DATE asked for it.
enum class InputState {
  nothing,  // a terminal, /dev/null, an empty file, a closed pipe (cron's): today is meant
  dates,    // bytes, whenever they arrive: a question nobody asked the command
  silent,   // a pipe or socket still open and silent after kQuietInputBound (an ssh session)
};

// How long a pipe or socket may stay open and silent before the command takes it for no input
// and answers for today, saying so on stderr. Bytes that arrive within it are refused.
inline constexpr std::chrono::milliseconds kQuietInputBound{2000};

// What the command reads besides its arguments.
struct Environment {
  std::chrono::year_month_day today;  // in Japan: what a missing DATE means
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  // Returns what standard input holds although no DATE asked for it to be read (dates piped into
  // a bare `velunta check`). Asked only when a missing DATE would mean today, since looking may
  // wait; none: InputState::nothing.
  InputState (*inputState)() noexcept = nullptr;
  // Returns true when out leads to a reader that has gone (a pipe or socket closed at its other
  // end), asked once a write has failed; none: never.
  bool (*outputGone)() noexcept = nullptr;
  // VELUNTA_LAW: the law file that answers when no --law is given; empty for the built-in law.
  std::string lawFile = {};
};

// Returns what standard input holds: a regular file by its size; a pipe or socket by waiting for
// bytes or its end, up to kQuietInputBound; anything else (a terminal, /dev/null) holds nothing.
InputState StandardInputState() noexcept;

// Returns whether standard output is a pipe or socket whose reader has closed it.
bool StandardOutputGone() noexcept;

// Returns today's date in Japan Standard Time (UTC+9 all year), whatever the machine's zone.
std::chrono::year_month_day TodayInJapan();

// Runs the command on the arguments that follow the program's name and returns the exit status.
// Every input is checked before the first byte of the answer, so bad input leaves out untouched;
// help and the version go to out with status 0. An answer that cannot be written all ends with
// kStatusWriteFailed, whatever the command's own status. Never throws.
// Example: {"check", "2026/05/06"} -> out "2026/05/06(水) 振替休日\n", status 0.
int Run(std::span<const std::string> args, const Environment& env) noexcept;

// The same with today in Japan and no standard input.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) noexcept;

}  // namespace velunta::cli
