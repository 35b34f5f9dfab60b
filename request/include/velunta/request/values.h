#pragma once
// Reading the values people type, the same way for the command's arguments and the server's
// parameters: a date in every form, a year, a month, a range end, a count, a list of dates.
// Each reader returns the value or a Refusal (see refusal.h), never throws for any text.
//
// Relative words (today, tomorrow, yesterday) are read only where a caller passes today: the
// command does; the server does not, because its answers are cached by their address and by
// proxies, and an answer about "today" would outlive the day.

#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

#include <velunta/records/day_source.h>

#include <velunta/request/refusal.h>

namespace velunta::request {

// How a refusal writes the dates it names: 2026/05/06 (the command, as its text output does) or
// 2026-05-06 (the server, as its JSON does).
enum class DateStyle : bool { slash, iso };

// Returns a date as the style writes it.
std::string DateText(std::chrono::year_month_day date, DateStyle style);

// Returns the date a text names: any form of the date-text reader (2026/5/6, 2026-05-06,
// 2026年5月6日, 令和8年5月6日, full-width digits), eight digits as `date +%Y%m%d` prints them
// (20260506), and with `today` given the words today, tomorrow and yesterday (in Japan). Refused
// when it names no date or one outside the source's years.
// Example: ("20260506", law source, slash) -> 2026-05-06; ("2026/02/30", ...) -> "not a date".
Reading<std::chrono::year_month_day> Date(
    std::string_view text, const records::DaySource& source, DateStyle style,
    std::optional<std::chrono::year_month_day> today = std::nullopt);

// Returns the year a whole number names (full-width digits too), within the source's years.
// Example: ("２０２６", ...) -> 2026; ("2026.5", ...) -> "not a year".
Reading<std::chrono::year> Year(std::string_view text, const records::DaySource& source);

// Returns the month a text names: 2026-05, 2026/5 or 2026年5月; nothing for any other text.
std::optional<std::chrono::year_month> Month(std::string_view text);

// Returns true when a text reads as a number, so that a range end means a year.
bool LooksLikeYear(std::string_view text);

enum class RangeEnd : bool { first, last };

// Returns the day a range end stands for: a month or a year as its first or last day, or a date
// as Date reads it. Example: ("2026", last) -> 2026-12-31; ("2026-05", first) -> 2026-05-01.
Reading<std::chrono::year_month_day> RangeEndDate(
    std::string_view text, const records::DaySource& source, RangeEnd end, DateStyle style,
    std::optional<std::chrono::year_month_day> today = std::nullopt);

// Returns a whole number (an optional sign and the digits 0-9) from `lowest` to `highest`.
// Example: ("+3", 1, 1000) -> 3; ("0", 1, 1000) -> "number out of range".
Reading<int> Count(std::string_view text, int lowest, int highest);

// Returns the dates of a comma-separated list, in order. Empty items are skipped, so a list
// written with a trailing comma reads as meant; an empty text is refused as the date it should
// be. Example: ("2026-05-01,,2026-05-08,", ...) -> 2026-05-01, 2026-05-08.
Reading<std::vector<std::chrono::year_month_day>> DateList(
    std::string_view text, const records::DaySource& source, DateStyle style,
    std::optional<std::chrono::year_month_day> today = std::nullopt);

// Returns nothing when first <= last, else the refusal "FROM after TO" in the caller's names
// ("FROM"/"TO" for the command's arguments, "from"/"to" for the server's parameters).
std::optional<Refusal> OutOfOrder(std::chrono::year_month_day first,
                                  std::chrono::year_month_day last, std::string_view firstText,
                                  std::string_view lastText, std::string_view firstName,
                                  std::string_view lastName);

}  // namespace velunta::request
