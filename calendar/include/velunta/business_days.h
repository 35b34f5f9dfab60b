#pragma once
// Business days on the calendar of <velunta/calendar.h>: a day is a business day unless it is a
// holiday of any kind (national, special act, substitute, citizens'), a weekend day the options
// close, a bank closing day (optional) or one of the caller's own closing dates.
//
// These functions answer from a BusinessCalendar (<velunta/business_calendar.h>) of their
// options, in constant time whatever span a request covers. The calendars of the weekend and bank
// flags are built once per program, on first use. Closing dates of the caller's that close an
// open day need a calendar of their own (some 60 KB and tens of microseconds to build): each
// thread keeps its last one for its next call with the same dates, so a loop over one set of
// options builds one. To choose other days off (a yearly closure, worked days), build a
// BusinessCalendar yourself.
//
// This header holds the types both share (BusinessDayOptions, Roll) and includes only
// <velunta/calendar.h>; <velunta/business_calendar.h> includes it.
//
//   using namespace std::chrono;
//   velunta::BusinessDayOptions bank{.bankClosingDays = true};
//   velunta::AddBusinessDays(2024y / December / 30, 1, bank);  // -> 2025-01-06
//   velunta::CountBusinessDays(2024y / 4 / 26, 2024y / 5 / 7);  // -> 4: 4/26, 4/30, 5/1, 5/2

#include <chrono>
#include <cstdint>
#include <span>

#include <velunta/calendar.h>

#include <velunta/calendar_export.h>

namespace velunta {

struct BusinessDayOptions {
  bool saturdayOff = true;
  bool sundayOff = true;
  // The banks' closing days: December 31, January 2 and January 3 (January 1 is 元日).
  bool bankClosingDays = false;
  // The caller's own closing dates, in any order; duplicates and impossible dates are ignored.
  // The span is borrowed: the dates must outlive every call that uses these options.
  std::span<const std::chrono::year_month_day> extraClosedDays = {};
};

// Returns whether a date is a business day under the options.
// Errors: invalidDate, outOfRange (outside 1600..2399).
// Examples (default options): 2024-05-03 -> false (憲法記念日); 2024-05-07 -> true;
// 2025-01-02 -> true, but false with bankClosingDays.
VELUNTA_CALENDAR_EXPORT Result<bool> IsBusinessDay(std::chrono::year_month_day date,
                                                   const BusinessDayOptions& options = {}) noexcept;

// Returns the date n business days after `from` (n > 0) or before it (n < 0): the n-th business
// day counted from the day after (before) `from`; `from` itself need not be a business day and is
// never counted. n == 0 returns `from` unchanged, even on a closed day (QuantLib's advance(d, 0)
// rolls it forward instead; RollToBusinessDay does that here).
// Errors: invalidDate, outOfRange when `from` or the answer lies outside 1600..2399.
// Examples: (2024-05-02, 1) -> 2024-05-07 (Golden Week); (2024-05-07, -1) -> 2024-05-02;
// (2024-05-04, 0) -> 2024-05-04.
VELUNTA_CALENDAR_EXPORT Result<std::chrono::year_month_day> AddBusinessDays(
    std::chrono::year_month_day from, int n, const BusinessDayOptions& options = {}) noexcept;

// Returns the number of business days d with from <= d < to (`from` included, `to` excluded);
// when to < from, minus the number with to <= d < from. So when `from` and `to` are business days,
// AddBusinessDays(from, CountBusinessDays(from, to)) == to. `velunta business count` counts both
// ends instead, as BusinessCalendar::CountInclusive does.
// Errors: invalidDate, outOfRange (either date outside 1600..2399).
// Examples: (2024-04-26, 2024-05-07) -> 4 (4/26, 4/30, 5/1, 5/2); (2024-05-07, 2024-04-26) -> -4;
// (d, d) -> 0.
VELUNTA_CALENDAR_EXPORT Result<int> CountBusinessDays(
    std::chrono::year_month_day from, std::chrono::year_month_day to,
    const BusinessDayOptions& options = {}) noexcept;

// The usual conventions for moving a date that is no business day onto one.
enum class Roll : std::uint8_t {
  following,          // the first business day on or after the date
  preceding,          // the last business day on or before the date
  modifiedFollowing,  // following, unless that leaves the month: then preceding
  modifiedPreceding,  // preceding, unless that leaves the month: then following
};

// Returns the date itself when it is a business day, else the business day the convention picks.
// Errors: invalidDate, outOfRange (the date or the answer outside 1600..2399).
// Examples: (2024-05-03, following) -> 2024-05-07; (2024-05-03, preceding) -> 2024-05-02;
// (2024-08-31 Sat, modifiedFollowing) -> 2024-08-30 (following would leave August);
// (2024-06-01 Sat, modifiedPreceding) -> 2024-06-03 (preceding would leave June).
VELUNTA_CALENDAR_EXPORT Result<std::chrono::year_month_day> RollToBusinessDay(
    std::chrono::year_month_day date, Roll roll, const BusinessDayOptions& options = {}) noexcept;

}  // namespace velunta
