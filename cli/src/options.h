#pragma once
// The options every subcommand shares.

#include <cstdint>

namespace velunta::cli {

// Which rules answer: the law calendar (the days off Japan observes) or the module's fixed table.
enum class Rules : std::uint8_t { law, classic };

// The language of names in text and iCalendar output (csv and json carry both).
enum class Lang : std::uint8_t { ja, en };

enum class Format : std::uint8_t { text, csv, json, ics };

struct GlobalOptions {
  Rules rules = Rules::law;
  Lang lang = Lang::ja;
  Format format = Format::text;
};

}  // namespace velunta::cli
