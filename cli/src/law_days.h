#pragma once
// Days as the law calendar (velunta::calendar) classifies them.

#include <chrono>
#include <vector>

#include "day.h"

namespace velunta::cli {

// Returns the day's record: its holiday with the official name, a plain Sunday or a working day.
// Throws UsageError for a date outside 1600..2399 (callers read dates with ReadDate first).
DayRecord LawDay(std::chrono::year_month_day date);

// Returns the days off from first to last, both included, in date order: every holiday and,
// with sundays, every Sunday on which no holiday falls. Throws UsageError as HolidaysBetween
// refuses (first after last, a date outside 1600..2399).
std::vector<DayRecord> LawDays(std::chrono::year_month_day first, std::chrono::year_month_day last,
                               bool sundays);

}  // namespace velunta::cli
