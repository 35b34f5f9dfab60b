#pragma once
// The law file's TOML read into a LawDescription, with the line of every value, so that what
// MakeLaw finds wrong is reported at its line. Checks only what TOML and the format say: known
// keys, types, presence, one rule per row; the law's own checks are MakeLaw's.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <velunta/calendar_file.h>
#include <velunta/law.h>

namespace velunta::detail {

using KeyLines = std::map<std::string, std::size_t, std::less<>>;

struct LawLines {
  KeyLines top;                   // "version", "substitute_holiday.from", ...
  std::vector<std::size_t> rows;  // the line of each row's [[holiday]]
  std::vector<KeyLines> rowKeys;  // the line of each key of each row

  // Returns the line a problem is about: its field's, else its row's, else 0.
  std::size_t LineOf(const LawProblem& problem) const;
};

struct LawText {
  LawDescription description;
  LawLines lines;
};

// Returns the description a law file's text gives; `fileName` only names the file in errors.
// Never throws.
std::variant<LawText, CalendarFileError> ParseLawText(std::string_view text,
                                                      std::string_view fileName);

}  // namespace velunta::detail
