#pragma once
// Reading the command's arguments: dates, years and counts as people type them. Each reader
// returns a typed value or throws UsageError with the one-line message the command prints.

#include <chrono>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <velunta/records/day_source.h>
#include <velunta/runtime/utf8.h>

namespace velunta::cli {

// Quotes what the user typed, on one line and short (see runtime::Quoted).
using runtime::Quoted;

// Returns the date a text names in any form the date-text test accepts (2026/5/6, 2026-05-06,
// 2026年5月6日, 令和8年5月6日, full-width digits). Throws UsageError when it names no date or one
// outside the source's years.
std::chrono::year_month_day ReadDate(std::string_view text, const records::DaySource& source);

// Returns the year a whole number names, within the source's years. Throws UsageError for
// anything else ("2026.5", "abc", "99999").
std::chrono::year ReadYear(std::string_view text, const records::DaySource& source);

// Returns the date of a DATE argument: the words today, tomorrow and yesterday (in Japan),
// eight digits as `date +%Y%m%d` prints them (20260506), or any form ReadDate reads.
// Example: ("tomorrow", source, 2026-05-06) -> 2026-05-07.
std::chrono::year_month_day ReadDateWord(std::string_view text, const records::DaySource& source,
                                         std::chrono::year_month_day today);

// Returns the dates of DATE arguments in order; a "-" stands for the dates on standard input,
// one a line, blank lines skipped. Throws UsageError naming the argument, or the line number of
// standard input, that holds no date.
std::vector<std::chrono::year_month_day> ReadDates(std::span<const std::string> texts,
                                                   const records::DaySource& source,
                                                   std::chrono::year_month_day today,
                                                   std::istream& in);

// Returns the month a text names: 2026-05, 2026/5 or 2026年5月; std::nullopt for anything else.
std::optional<std::chrono::year_month> ReadMonth(std::string_view text);

// Returns true when a text reads as a number, so that a range argument means a year.
bool LooksLikeYear(std::string_view text);

enum class RangeEnd : bool { first, last };

// Returns the date a range argument stands for: a date as ReadDateWord reads it, a year or a
// month as its first (RangeEnd::first) or its last day. Example: ("2026", last) -> 2026-12-31.
std::chrono::year_month_day ReadRangeEnd(std::string_view text, const records::DaySource& source,
                                         std::chrono::year_month_day today, RangeEnd end);

// Returns a whole number of days (an optional sign and the digits 0-9). Throws UsageError for
// anything else and for a number outside the range of int.
int ReadCount(std::string_view text);

}  // namespace velunta::cli
