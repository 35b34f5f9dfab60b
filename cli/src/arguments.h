#pragma once
// Reading the command's arguments: dates, years and counts as people type them. Each reader
// returns a typed value or throws UsageError with the one-line message the command prints.

#include <chrono>
#include <string>
#include <string_view>

#include <velunta/records/day_source.h>

namespace velunta::cli {

// Returns "'text'": how messages quote what the user typed, always on one line and short:
// control characters and bytes that are not UTF-8 are escaped (\n, \x1b), and a text longer
// than 64 characters is cut with "…". Example: "a\nb" -> "'a\nb'" with a backslash and an n.
std::string Quoted(std::string_view text);

// Returns the date a text names in any form the date-text test accepts (2026/5/6, 2026-05-06,
// 2026年5月6日, 令和8年5月6日, full-width digits). Throws UsageError when it names no date or one
// outside the source's years.
std::chrono::year_month_day ReadDate(std::string_view text, const records::DaySource& source);

// Returns the year a whole number names, within the source's years. Throws UsageError for
// anything else ("2026.5", "abc", "99999").
std::chrono::year ReadYear(std::string_view text, const records::DaySource& source);

// Returns true when a text reads as a number, so that a range argument means a year.
bool LooksLikeYear(std::string_view text);

enum class RangeEnd : bool { first, last };

// Returns the date a range argument stands for: a date as it stands, a year as its first
// (RangeEnd::first) or its last day. Example: ("2026", last) -> 2026-12-31.
std::chrono::year_month_day ReadRangeEnd(std::string_view text, const records::DaySource& source,
                                         RangeEnd end);

// Returns a whole number of days (an optional sign and the digits 0-9). Throws UsageError for
// anything else and for a number outside the range of int.
int ReadCount(std::string_view text);

}  // namespace velunta::cli
