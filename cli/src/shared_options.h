#pragma once
// The options every subcommand shares: --rules, --lang and --format.

#include <cstdint>
#include <string_view>

#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <CLI/CLI.hpp>

namespace velunta::cli {

// Which rules answer: the law calendar (the days off Japan observes) or the module's fixed table.
enum class Rules : std::uint8_t { law, classic };

struct SharedOptions {
  Rules rules = Rules::law;
  records::Lang lang = records::Lang::ja;
  records::Format format = records::Format::text;

  // The one place the rules choose a source of days.
  const records::DaySource& Source() const noexcept;

  // The writer options of --format and --lang.
  records::WriterOptions Writer() const;
};

// Adds --rules, --lang and --format to the command, each mapped to its value by a checked
// transformer, so a word they do not know is refused with the words they do.
void AddSharedOptions(CLI::App& app, SharedOptions& options);

// Throws UsageError when --format=ics is asked of a command that writes no list of days.
void RequireNoIcs(const SharedOptions& options, std::string_view command);

}  // namespace velunta::cli
