#pragma once
// Date values: a double day number in which consecutive days lie 1.0 apart and day 0 is
// 1899-12-30, so that day 1 (1899-12-31) is a Sunday and days 1..7 run Sunday..Saturday.

#include <chrono>
#include <string>
#include <string_view>

#include <velunta/runtime_export.h>

namespace velunta::runtime {

using DateValue = double;

// Returns the date value of a date. Example: ToDateValue(1900-01-01) -> 2.0.
VELUNTA_RUNTIME_EXPORT DateValue ToDateValue(std::chrono::sys_days day) noexcept;

// Returns the date a value falls on (its fraction, a time of day, is dropped); throws Failure
// for a value that is not finite or lies outside the years 1..9999.
VELUNTA_RUNTIME_EXPORT std::chrono::year_month_day ToDate(DateValue value);

// Returns the date value of a date text in any form the date-text test accepts; throws Failure
// when the text names no date. Example: TextToDate("2005/1/1") -> 38353.0.
VELUNTA_RUNTIME_EXPORT DateValue TextToDate(std::string_view text);

// Formats a date value with a pattern; throws Failure for a value ToDate refuses. Pattern
// elements: "YYYY" four-digit year, "MM"/"DD" two-digit month/day, "M"/"D" month/day without
// padding, "w" weekday number (1 Sunday .. 7 Saturday), "aaa" one-kanji weekday (日 月 火 水 木
// 金 土); letters are case-insensitive, anything else is copied as it stands.
// Example: FormatDate(38353.0, "YYYY/MM/DD") -> "2005/01/01"; FormatDate(1.0, "aaa") -> "日".
VELUNTA_RUNTIME_EXPORT std::string FormatDate(DateValue value, std::string_view pattern);

// The same for a date text; throws Failure when the text names no date.
// Example: FormatDate("2005/5/4", "w") -> "4".
VELUNTA_RUNTIME_EXPORT std::string FormatDate(std::string_view dateText, std::string_view pattern);

}  // namespace velunta::runtime
