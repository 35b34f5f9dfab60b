#pragma once
// An independent statement of the fixed holiday table for the tests: each holiday said as what
// it is (the second Monday of January, the Monday after a Sunday holiday) rather than as rule
// rows, so that a wrong row, year band or weekday in the module shows up as a disagreement.

#include <chrono>
#include <cstdint>
#include <string>

namespace velunta::holidays::testing {

// Returns the holiday code the fixed table gives a date of the years 1..9999.
std::int16_t ExpectedCode(std::chrono::year_month_day date);

// A date as the module's three 16-bit numbers, and as text for failure messages.
struct DateNumbers {
  std::int16_t year, month, day;
};
DateNumbers NumbersOf(std::chrono::year_month_day date);
std::string Iso(std::chrono::year_month_day date);

}  // namespace velunta::holidays::testing
