#pragma once
// What the command says of itself as a whole: its examples and its exit statuses, written once
// for --help (the footer) and for the manual page (its own sections).

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "command.h"

namespace velunta::cli {

struct Example {
  std::string_view command;  // as typed at a shell
  std::string_view answer;   // what it gives or is for; may be empty
};

struct ExitStatusMeaning {
  int status;
  std::string meaning;
};

// The examples of `velunta --help`, one a line.
std::span<const Example> ToolExamples() noexcept;

// The statuses the command ends with; serve's only when it is built (`serves`).
std::vector<ExitStatusMeaning> ExitStatuses(bool serves);

// Builds the whole parser: the tool's options and footer, and every registered command. The
// command, the tests and the manual page read this one parser.
void BuildParser(CLI::App& app, Commands& commands);

// Returns whether the parser has `serve` (the command was built with the server).
bool Serves(const CLI::App& app);

}  // namespace velunta::cli
