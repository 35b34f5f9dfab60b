#pragma once
// The classification of a date under the Act, without the argument checks of the public API.

#include <chrono>
#include <optional>
#include <vector>

#include <velunta/calendar.h>

namespace velunta::detail {

// Returns the holiday on a valid date of 1600..2399, or std::nullopt.
std::optional<Holiday> Classify(std::chrono::year_month_day date, LabelStyle style) noexcept;

// Returns every holiday of a year of 1600..2399 in date order.
std::vector<Holiday> YearHolidays(std::chrono::year y, LabelStyle style);

}  // namespace velunta::detail
