#pragma once
// Small pieces shared by the readers of the TOML data files (calendar files, the law): lines,
// type names and one-line messages.

#include <charconv>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include <toml++/toml.h>

namespace velunta::detail {

inline std::size_t LineOf(const toml::source_region& region) {
  return static_cast<std::size_t>(region.begin.line);
}

// Returns "a text", "an integer", ... for messages.
inline std::string_view TypeName(toml::node_type type) {
  switch (type) {
    case toml::node_type::table:
      return "a table";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::string:
      return "a text";
    case toml::node_type::integer:
      return "an integer";
    case toml::node_type::floating_point:
      return "a number";
    case toml::node_type::boolean:
      return "true or false";
    case toml::node_type::date:
      return "a date";
    case toml::node_type::time:
      return "a time";
    case toml::node_type::date_time:
      return "a date and time";
    case toml::node_type::none:
      break;
  }
  return "nothing";
}

// Reads a number of exactly `digits` digits at text[at...].
inline std::optional<unsigned> Digits(std::string_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) return std::nullopt;
  unsigned value = 0;
  const char* first = text.data() + at;
  const auto [end, error] = std::from_chars(first, first + digits, value);
  if (error != std::errc{} || end != first + digits) return std::nullopt;
  return value;
}

// Joins pieces of a message (GCC 12 warns falsely about chains of std::string +).
inline std::string Cat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const auto piece : pieces) text += piece;
  return text;
}

// An error is one line: toml++'s descriptions may span lines, and a quoted key or a text may
// hold a line break or another control character.
inline std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return line;
}

}  // namespace velunta::detail
