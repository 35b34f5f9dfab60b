#pragma once
// velunta(1) written from the parser that `velunta --help` prints, so the two cannot drift: one
// section for each command, with its usage, words, options and footer, then the tool's exit
// statuses and examples.

#include <ostream>

#include <CLI/CLI.hpp>

namespace velunta::cli {

// Writes the manual page of the parser built by BuildParser as roff, UTF-8 (its first line says
// so to man's preprocessor), with no date, so a build writes the same page every time.
void WriteManualPage(const CLI::App& app, std::ostream& out);

}  // namespace velunta::cli
