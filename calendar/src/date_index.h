#pragma once
// The day index of a year_month_day (days since 1600-01-01, as DayBits counts them) from a table of
// the first day and the length of each month of the covered years: one load instead of <chrono>'s
// civil-to-days arithmetic, which cost a lookup by year, month and day more than the lookup itself.
// The same load checks the date: only a valid date of 1600..2399 has an index.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

#include <velunta/calendar.h>

#include "day_bits.h"

namespace velunta::detail {

inline constexpr int kIndexYears = static_cast<int>(kLastYear) - static_cast<int>(kFirstYear) + 1;
inline constexpr std::size_t kIndexMonths = static_cast<std::size_t>(kIndexYears) * 12;
inline constexpr unsigned kLengthShift = 24;  // a month's length in its entry of kMonthStart

constexpr bool IsLeapYear(int y) noexcept {
  return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

// [(y - 1600) * 12 + m - 1]: the index of the first day of month m of year y, its length above
// kLengthShift. One load gives both, and the table is 37.5 KB.
inline constexpr std::array<std::uint32_t, kIndexMonths> kMonthStart = [] {
  std::array<std::uint32_t, kIndexMonths> table{};
  constexpr std::uint32_t kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::uint32_t index = 0;  // [0, 292163]
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::size_t m = i % 12;
    const bool leapDay =
        m == 1 && IsLeapYear(static_cast<int>(kFirstYear) + static_cast<int>(i / 12));
    const std::uint32_t length = kLength[m] + (leapDay ? 1U : 0U);
    table[i] = length << kLengthShift | index;
    index += length;
  }
  return table;
}();

// Returns the day index of a valid date of 1600..2399, or std::nullopt for any other
// year_month_day (an impossible date, day 0, month 0 or 13, a year outside 1600..2399).
// Example: 1600-03-01 -> 60.
constexpr std::optional<int> DateIndex(std::chrono::year_month_day date) noexcept {
  const auto yearIndex = static_cast<unsigned>(static_cast<int>(date.year()) -
                                               static_cast<int>(kFirstYear));  // wraps below 1600
  const unsigned monthIndex = static_cast<unsigned>(date.month()) - 1;         // wraps for month 0
  if (yearIndex >= static_cast<unsigned>(kIndexYears) || monthIndex >= 12) return std::nullopt;
  const std::uint32_t entry = kMonthStart[yearIndex * 12 + monthIndex];
  const unsigned dayIndex = static_cast<unsigned>(date.day()) - 1;  // wraps for day 0
  if (dayIndex >= entry >> kLengthShift) return std::nullopt;
  return static_cast<int>((entry & ((1U << kLengthShift) - 1)) + dayIndex);
}

// Returns the weekday of a day index.
constexpr std::chrono::weekday WeekdayOfIndex(int index) noexcept {
  constexpr unsigned kFirstWeekday = std::chrono::weekday{kFirstDay}.c_encoding();
  return std::chrono::weekday{(static_cast<unsigned>(index) + kFirstWeekday) % 7};
}

static_assert(DateIndex(kFirstDate) == 0);
static_assert(DateIndex(kLastDate) == kDayCount - 1);
static_assert(DateIndex(std::chrono::year{1600} / 3 / 1) == 60);
static_assert(!DateIndex(std::chrono::year{1700} / 2 / 29));
static_assert(WeekdayOfIndex(*DateIndex(std::chrono::year{2026} / 5 / 6)) ==
              std::chrono::Wednesday);

}  // namespace velunta::detail
