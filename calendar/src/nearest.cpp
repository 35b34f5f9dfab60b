// The holiday nearest a date in either direction, a year's list at a time.

#include <velunta/calendar.h>

namespace velunta {
namespace {

using namespace std::chrono;

std::optional<CalendarError> Check(year_month_day date) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  return std::nullopt;
}

}  // namespace

Result<std::optional<Holiday>> HolidayOnOrAfter(year_month_day date, LabelStyle style) {
  if (auto error = Check(date)) return *error;
  for (year y = date.year(); y <= kLastYear; ++y) {
    for (const Holiday& holiday : *HolidaysOfYear(y, style)) {
      if (holiday.date >= date) return std::optional<Holiday>{holiday};
    }
  }
  return std::optional<Holiday>{};
}

Result<std::optional<Holiday>> HolidayOnOrBefore(year_month_day date, LabelStyle style) {
  if (auto error = Check(date)) return *error;
  // The Act took effect in 1948: no earlier year has a holiday to find.
  for (year y = date.year(); y >= kActInForce.year(); --y) {
    const auto holidays = *HolidaysOfYear(y, style);
    for (auto it = holidays.rbegin(); it != holidays.rend(); ++it) {
      if (it->date <= date) return std::optional<Holiday>{*it};
    }
  }
  return std::optional<Holiday>{};
}

}  // namespace velunta
