#pragma once
// The options every subcommand shares: --rules, --lang and --format.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <velunta/runtime/utf8.h>
#include <CLI/CLI.hpp>

namespace velunta::cli {

// Which rules answer: the law calendar (the days off Japan observes) or the module's fixed table.
enum class Rules : std::uint8_t { law, classic };

// How the law calendar labels its holidays: as the law names them, or as the Cabinet Office's
// published list does.
enum class Labels : std::uint8_t { law, official };

struct SharedOptions {
  Rules rules = Rules::law;
  records::Lang lang = records::Lang::ja;
  records::Format format = records::Format::text;
  Labels labels = Labels::law;
  bool byteOrderMark = false;

  // Throws UsageError for options that contradict each other (--labels=official with the classic
  // rules, --bom without --format=csv). Called once the command line is read.
  void Check() const;

  // The one place the rules choose a source of days.
  const records::DaySource& Source() const noexcept;

  // The writer options of --format and --lang.
  records::WriterOptions Writer() const;
};

// A checked transformer that maps the words a choice option knows to their values and, on
// another word, names it and the words it knows: "unknown value 'xx'; accepted: ja, en".
template <class T>
CLI::Validator Choice(const std::map<std::string, T>& choices, std::string accepted) {
  const CLI::CheckedTransformer known(choices);
  return CLI::Validator(
      [known, accepted](std::string& value) {
        const std::string typed = value;
        if (known(value).empty()) return std::string();
        return "unknown value " + runtime::Quoted(typed) + "; accepted: " + accepted;
      },
      "");
}

// Adds --rules, --lang, --format, --labels and --bom to the command, each mapped to its value by a
// checked transformer, so a word they do not know is refused with the words they do.
void AddSharedOptions(CLI::App& app, SharedOptions& options);

// Throws UsageError when --format=ics is asked of a command that writes no list of days.
void RequireNoIcs(const SharedOptions& options, std::string_view command);

}  // namespace velunta::cli
