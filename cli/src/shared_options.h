#pragma once
// The options every subcommand shares: --rules, --lang and --format.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <velunta/request/choices.h>
#include <velunta/runtime/utf8.h>
#include <CLI/CLI.hpp>

namespace velunta::cli {

using request::Labels;
using request::Rules;

struct SharedOptions {
  Rules rules = Rules::law;
  records::Lang lang = records::Lang::ja;
  records::Format format = records::Format::text;
  Labels labels = Labels::law;
  bool byteOrderMark = false;
  // --law FILE, or VELUNTA_LAW once the command line is read: the law file that answers; empty
  // for the built-in law.
  std::string law;
  bool showVersion = false;  // -V: the version and the law data, instead of a command

  // Throws UsageError for options that contradict each other (--labels=official with the classic
  // rules, --bom without --format=csv). Called once the command line is read.
  void Check() const;

  // The one place the rules choose a source of days.
  const records::DaySource& Source() const noexcept;

  // The writer options of --format and --lang.
  records::WriterOptions Writer() const;
};

// A checked transformer that maps the words of a choice table to their values and, on another
// word, names it and the words it knows: "unknown value 'xx'; accepted: ja, en".
template <class T, std::size_t N>
CLI::Validator Choice(const request::Word<T> (&words)[N]) {
  std::map<std::string, T> choices;
  for (const auto& word : words) choices.emplace(word.word, word.value);
  const CLI::CheckedTransformer known(choices);
  const std::string accepted = request::Accepted(words);
  return CLI::Validator(
      [known, accepted](std::string& value) {
        const std::string typed = value;
        if (known(value).empty()) return std::string();
        return "unknown value " + runtime::Quoted(typed) + "; accepted: " + accepted;
      },
      "");
}

// Returns "a|b|c", the type name that shows a choice's words in --help and completion.
template <class T, std::size_t N>
std::string ChoiceNames(const request::Word<T> (&words)[N]) {
  std::string names;
  for (const auto& word : words) names += (names.empty() ? "" : "|") + std::string(word.word);
  return names;
}

// Adds --rules, --lang, --format, --labels and --bom to the command, each mapped to its value by a
// checked transformer, so a word they do not know is refused with the words they do.
void AddSharedOptions(CLI::App& app, SharedOptions& options);

// Throws UsageError when --format=ics is asked of a command that writes no list of days.
void RequireNoIcs(const SharedOptions& options, std::string_view command);

}  // namespace velunta::cli
