#pragma once
// The classification of a date under the law in use, without the argument checks of the public
// API.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include <velunta/calendar.h>

namespace velunta::detail {

struct Rule;
struct LawTables;

// Returns the holiday on a valid date of 1600..2399, or std::nullopt.
std::optional<Holiday> Classify(std::chrono::year_month_day date, LabelStyle style) noexcept;

// Returns the days of a month that are holidays of any kind as bits (bit d: day d), from a table
// filled by the same rules as Classify; 0 outside 1948..2399.
std::uint32_t HolidayDaysOfMonth(std::chrono::year y, std::chrono::month m) noexcept;

// Returns every holiday of a year of 1600..2399 in date order.
std::vector<Holiday> YearHolidays(std::chrono::year y, LabelStyle style);

// The same by a given law rather than the one in use.
std::optional<Holiday> Classify(const LawTables& law, std::chrono::year_month_day date,
                                LabelStyle style) noexcept;
std::uint32_t HolidayDaysOfMonth(const LawTables& law, std::chrono::year y,
                                 std::chrono::month m) noexcept;
std::vector<Holiday> YearHolidays(const LawTables& law, std::chrono::year y, LabelStyle style);

// Returns the date of a row in a year of 1600..2399 (the row need not be in force).
std::chrono::year_month_day RowDate(const Rule& rule, std::chrono::year y) noexcept;

}  // namespace velunta::detail
