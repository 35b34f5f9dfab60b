// Classification of one date by the fixed rule table.

#include <array>
#include <span>

#include <velunta/Mdl_Velunta.h>
#include <velunta/runtime/date_text.h>
#include <velunta/runtime/int16.h>

#include "equinox_formula.h"
#include "guard.h"
#include "month_rules.h"

namespace velunta::holidays {
namespace {

constexpr std::int16_t kSundayNumber = 1;
constexpr std::int16_t kMondayNumber = 2;
constexpr std::int16_t kTuesdayNumber = 3;

// The rows of one month, found once at compile time: the table is ordered by month.
struct MonthSlice {
  std::size_t first = 0;
  std::size_t count = 0;
};

constexpr auto kMonthSlices = [] {
  std::array<MonthSlice, 13> slices{};
  for (std::size_t i = 0; i < std::size(kMonthRules); ++i) {
    auto& slice = slices[static_cast<std::size_t>(kMonthRules[i].month)];
    if (slice.count == 0) slice.first = i;
    ++slice.count;
  }
  return slices;
}();

constexpr bool WeekdayMatches(WeekdayMatch match, std::int16_t weekday) noexcept {
  switch (match) {
    case WeekdayMatch::kAny:
      return true;
    case WeekdayMatch::kSunday:
      return weekday == kSundayNumber;
    case WeekdayMatch::kMonday:
      return weekday == kMondayNumber;
    case WeekdayMatch::kTuesday:
      return weekday == kTuesdayNumber;
    case WeekdayMatch::kTuesdayToSaturday:
      return weekday >= kTuesdayNumber;
  }
  return false;
}

struct Day {
  std::int16_t year;
  std::int16_t day;
  std::int16_t weekday;
  std::int16_t equinox;  // the month's equinox day, 0 when it has none
};

// The equinox rows apply only when the month has an equinox day that year; E + 1 and day + 1
// are 16-bit sums that trap on overflow.
bool DayMatches(const MonthRule& rule, const Day& d) {
  switch (rule.dayMatch) {
    case DayMatch::kRange:
      return d.day >= rule.dayFrom && d.day <= rule.dayTo;
    case DayMatch::kEquinox:
      return d.equinox != 0 && d.day == d.equinox;
    case DayMatch::kAfterEquinox:
      return d.equinox != 0 && d.day == runtime::CheckedAdd(d.equinox, 1);
    case DayMatch::kBeforeEquinox:
      return d.equinox != 0 && d.day >= rule.dayFrom && d.day <= rule.dayTo &&
             runtime::CheckedAdd(d.day, 1) == d.equinox;
  }
  return false;
}

// The day is tested first: it rules out most rows of a month at once.
bool Matches(const MonthRule& rule, const Day& d) {
  return DayMatches(rule, d) && d.year >= rule.firstYear && d.year <= rule.lastYear &&
         WeekdayMatches(rule.weekday, d.weekday);
}

void ApplyEffect(const MonthRule& rule, std::int16_t& code) noexcept {
  switch (rule.effect) {
    case Effect::kSet:
      code = rule.value;
      break;
    case Effect::kOr:
      code = static_cast<std::int16_t>(code | rule.value);
      break;
    case Effect::kNothing:
      break;
  }
}

std::int16_t EquinoxOfMonth(std::int16_t month, std::int16_t year) noexcept {
  if (month == 3) return VernalEquinoxDay(year);
  if (month == 9) return AutumnalEquinoxDay(year);
  return 0;
}

// Runs the rows of the date's month and returns whether one fired. The first matching row of a
// stage fires; stage C runs only when no earlier stage fired.
bool ApplyMonthRules(std::int16_t month, const Day& d, std::int16_t& code) {
  if (month < 1 || month > 12) return false;
  const auto slice = kMonthSlices[static_cast<std::size_t>(month)];
  const std::span rows{kMonthRules + slice.first, slice.count};
  bool fired = false;
  bool stageFired = false;
  Stage stage = Stage::kOnly;
  for (const MonthRule& rule : rows) {
    if (rule.stage != stage) {
      stage = rule.stage;
      stageFired = false;
    }
    if (stageFired || (rule.stage == Stage::kC && fired) || !Matches(rule, d)) continue;
    ApplyEffect(rule, code);
    stageFired = fired = true;
  }
  return fired;
}

}  // namespace
}  // namespace velunta::holidays

namespace Mdl_Velunta {

Truth GetHolidayInfo(const std::int16_t& year, const std::int16_t& month, const std::int16_t& day,
                     std::int16_t& isHoliday, std::int16_t& code) noexcept {
  using namespace velunta::holidays;
  return Guarded([&] {
    // The rules read the values as passed in, even should an out-argument alias one of them.
    const std::int16_t y = year;
    const std::int16_t m = month;
    const std::int16_t d = day;
    std::chrono::year_month_day date;
    if (!velunta::runtime::TryMakeDate(y, m, d, date)) return kFalse;
    const std::int16_t weekday = velunta::runtime::WeekdayNumber(date);

    code = kWorkingDay;
    bool holiday = ApplyMonthRules(m, Day{y, d, weekday, EquinoxOfMonth(m, y)}, code);
    if (weekday == kSundayNumber) {
      code = static_cast<std::int16_t>(code | kPlainSunday);
      holiday = true;
    }
    isHoliday = ToTruth(holiday);
    return kTrue;
  });
}

}  // namespace Mdl_Velunta
