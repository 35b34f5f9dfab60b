#pragma once
// Runs the built velunta as a user would: arguments in; stdout, stderr and the exit status out.

#include <chrono>
#include <string>
#include <vector>

namespace velunta::cli::testing {

struct Outcome {
  int status = -1;  // the exit status, or 128 + the signal that ended the process
  std::string out;
  std::string err;
};

// Runs the velunta binary of this build with args. env holds NAME=value entries that replace or
// add to the test's own environment (e.g. "TZ=America/Los_Angeles").
Outcome RunVelunta(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

// The same with `input` on standard input, through a pipe that is closed once written (as a
// shell pipeline or cron gives it; an empty input is cron's closed pipe).
Outcome RunVeluntaWithInput(const std::vector<std::string>& args, const std::string& input);

// Where the command's standard output goes.
enum class Output {
  kPipe,        // a pipe the test reads: Outcome::out
  kFull,        // /dev/full: every write fails with ENOSPC
  kClosedPipe,  // a pipe whose reader has gone: every write fails with EPIPE
};

struct RunOptions {
  Output output = Output::kPipe;
  // Still running after this long, it is killed (status 128 + SIGKILL); zero: no limit.
  std::chrono::milliseconds limit{0};
};

// Runs the velunta binary of this build with args, standard output as options say. Like the
// others, it starts the command with SIGPIPE's default action, as a shell does.
Outcome RunVeluntaWith(const std::vector<std::string>& args, const RunOptions& options);

// Runs `/bin/sh -c script`, with $VELUNTA the velunta binary of this build and env as RunVelunta
// takes it, killed after 30 s: for pipelines, faketime and shells' completion.
Outcome RunShell(const std::string& script, const std::vector<std::string>& env = {});

// Returns text split at '\n' (the last line's '\n' ends it, no empty line after it).
std::vector<std::string> Lines(const std::string& text);

}  // namespace velunta::cli::testing
