#pragma once
// Days as the module Mdl_Velunta classifies them by its fixed table, read the way the window
// reads them.

#include <chrono>
#include <string_view>
#include <vector>

#include "day.h"

namespace velunta::cli {

// Returns the record of the date a text names, classified by GetHolidayInfoByText on the text as
// typed and named by GetHolidayName. Throws UsageError when the text names no date.
DayRecord ClassicDay(std::string_view text);

// Returns the days off from first to last, both included, in date order, from GetYearHolidays of
// each year in the range; plain Sundays only with sundays.
std::vector<DayRecord> ClassicDays(std::chrono::year_month_day first,
                                   std::chrono::year_month_day last, bool sundays);

}  // namespace velunta::cli
