#pragma once
// The date-text test and the parts of a date text. This is the only place that reads dates
// written by people.
//
// Accepted forms (blanks, tabs and ideographic spaces around the text are ignored; full-width
// digits, letters and separators count as their half-width forms):
//   2005/5/4  2005/05/04  2005-05-04  2005.5.4   one separator kind per text
//   2005年5月4日                                   year, month and day marked in kanji
//   平成17年5月4日  H17/5/4  h17.5.4  令和元年5月1日   Japanese era years (元 is year 1)
// The year is 1 to 9999 and read as written: 05/1/1 is the year 5, never 2005.
// Eras and their first days: 明治 M (Gregorian from 明治6年, 1873-01-01), 大正 T 1912-07-30,
// 昭和 S 1926-12-25, 平成 H 1989-01-08, 令和 R 2019-05-01; each ends the day before the next
// begins, and a date outside its era's span is refused.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include <velunta/runtime_export.h>

namespace velunta::runtime {

inline constexpr int kFirstDateYear = 1;
inline constexpr int kLastDateYear = 9999;

// Returns true and sets date to the date named by year, month and day; returns false and leaves
// date unchanged when they name no real date in 1..9999. The date-text test on numbers, inline
// as the module classifies every date through it. Example: (2005, 2, 30) -> false.
constexpr bool TryMakeDate(int year, int month, int day,
                           std::chrono::year_month_day& date) noexcept {
  if (year < kFirstDateYear || year > kLastDateYear || month < 1 || month > 12 || day < 1 ||
      day > 31) {
    return false;
  }
  const std::chrono::year_month_day made{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!made.ok()) return false;  // February 30 and the like
  date = made;
  return true;
}

// The same as an optional: ValidDate(2005, 2, 30) -> nothing.
constexpr std::optional<std::chrono::year_month_day> ValidDate(int year, int month,
                                                               int day) noexcept {
  std::chrono::year_month_day date;
  if (!TryMakeDate(year, month, day, date)) return std::nullopt;
  return date;
}

// Returns true and sets date to the date a text names; returns false and leaves date unchanged
// when it names none. Never throws. Example: TryParseDate("H17/5/4", d) -> true, d 2005-05-04.
VELUNTA_RUNTIME_EXPORT bool TryParseDate(std::string_view text,
                                         std::chrono::year_month_day& date) noexcept;

// Returns the date a text names, or nothing when it names none. Never throws.
// Example: ParseDate("令和元年5月1日") -> 2019-05-01; ParseDate("2005/2/30") -> nothing.
// Inline so that the optional is built where it is used: returned from a call, its packed
// value costs more than the parse itself.
inline std::optional<std::chrono::year_month_day> ParseDate(std::string_view text) noexcept {
  std::chrono::year_month_day date;
  if (!TryParseDate(text, date)) return std::nullopt;
  return date;
}

// Returns true exactly when the text names a real date in an accepted form.
VELUNTA_RUNTIME_EXPORT bool IsDate(std::string_view text) noexcept;

// Return the Gregorian year (1..9999), month (1..12) and day (1..31) of a date text; throw
// Failure when the text names no date. Example: YearOf("H17/5/4") -> 2005.
VELUNTA_RUNTIME_EXPORT std::int16_t YearOf(std::string_view text);
VELUNTA_RUNTIME_EXPORT std::int16_t MonthOf(std::string_view text);
VELUNTA_RUNTIME_EXPORT std::int16_t DayOf(std::string_view text);

// Returns the weekday number of a date text with Sunday first: 1 (Sunday) .. 7 (Saturday);
// throws Failure when the text names no date. Example: WeekdayOf("2005/01/01") -> 7.
VELUNTA_RUNTIME_EXPORT std::int16_t WeekdayOf(std::string_view text);

// Returns the weekday number 1 (Sunday) .. 7 (Saturday) of a date.
constexpr std::int16_t WeekdayNumber(std::chrono::year_month_day date) noexcept {
  return static_cast<std::int16_t>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding() +
                                   1);
}

}  // namespace velunta::runtime
