#include <velunta/business_days.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "law.h"

namespace velunta {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year_month_day;

constexpr sys_days kFirstDay{kFirstDate};
constexpr sys_days kLastDay{kLastDate};

// The caller's closing dates, sorted once when a walk of many days would otherwise read a long
// list for every day; then each day is a binary search.
class ClosedDates {
 public:
  // `walk`: about how many days will be looked up.
  ClosedDates(std::span<const year_month_day> dates, std::int64_t walk) noexcept : dates_(dates) {
    if (std::ssize(dates) <= kFewDates || walk <= kFewDates) return;
    try {
      sorted_.assign(dates.begin(), dates.end());
      std::sort(sorted_.begin(), sorted_.end());
      dates_ = sorted_;
      isSorted_ = true;
    } catch (...) {  // no memory for the copy: read the list as given
    }
  }

  // An impossible date in the list equals no real date, so it never matches.
  bool Contains(year_month_day date) const noexcept {
    if (isSorted_) return std::binary_search(dates_.begin(), dates_.end(), date);
    return std::find(dates_.begin(), dates_.end(), date) != dates_.end();
  }

 private:
  static constexpr std::int64_t kFewDates = 16;  // read as given

  std::span<const year_month_day> dates_;
  std::vector<year_month_day> sorted_;
  bool isSorted_ = false;
};

// Returns whether a day of 1600..2399 is closed under the options.
bool IsClosed(sys_days day, const BusinessDayOptions& options, const ClosedDates& closed) noexcept {
  const weekday wd{day};
  if (wd == std::chrono::Saturday && options.saturdayOff) return true;
  if (wd == std::chrono::Sunday && options.sundayOff) return true;
  const year_month_day date{day};
  if (options.bankClosingDays) {
    const auto md = date.month() / date.day();
    if (md == std::chrono::December / 31 || md == std::chrono::January / 2 ||
        md == std::chrono::January / 3) {
      return true;
    }
  }
  if ((detail::HolidayDaysOfMonth(date.year(), date.month()) >> static_cast<unsigned>(date.day()) &
       1U) != 0) {
    return true;
  }
  return !options.extraClosedDays.empty() && closed.Contains(date);
}

// Returns the first open day from `day` on in direction `step` (+1 or −1), `day` included, or
// std::nullopt when the walk leaves 1600..2399.
std::optional<sys_days> FirstOpen(sys_days day, int step, const BusinessDayOptions& options,
                                  const ClosedDates& closed) noexcept {
  for (; day >= kFirstDay && day <= kLastDay; day += days{step}) {
    if (!IsClosed(day, options, closed)) return day;
  }
  return std::nullopt;
}

std::optional<CalendarError> Check(year_month_day date) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  return std::nullopt;
}

}  // namespace

Result<bool> IsBusinessDay(year_month_day date, const BusinessDayOptions& options) noexcept {
  if (auto error = Check(date)) return *error;
  return !IsClosed(sys_days{date}, options, ClosedDates{options.extraClosedDays, 1});
}

Result<year_month_day> AddBusinessDays(year_month_day from, int n,
                                       const BusinessDayOptions& options) noexcept {
  if (auto error = Check(from)) return *error;
  const int step = n < 0 ? -1 : 1;
  // Each business day takes at least one calendar day: more than are left cannot fit.
  std::int64_t remaining = n < 0 ? -static_cast<std::int64_t>(n) : n;
  sys_days day{from};
  const std::int64_t room = (step > 0 ? kLastDay - day : day - kFirstDay).count();
  if (remaining > room) return CalendarError::outOfRange;
  const ClosedDates closed{options.extraClosedDays, remaining};
  while (remaining > 0) {
    day += days{step};
    if (day < kFirstDay || day > kLastDay) return CalendarError::outOfRange;
    if (!IsClosed(day, options, closed)) --remaining;
  }
  return year_month_day{day};
}

Result<int> CountBusinessDays(year_month_day from, year_month_day to,
                              const BusinessDayOptions& options) noexcept {
  if (auto error = Check(from)) return *error;
  if (auto error = Check(to)) return *error;
  const bool backwards = to < from;
  sys_days day{backwards ? to : from};
  const sys_days end{backwards ? from : to};
  const ClosedDates closed{options.extraClosedDays, (end - day).count()};
  int count = 0;  // at most the 292,194 days of 1600..2399
  for (; day < end; day += days{1}) {
    if (!IsClosed(day, options, closed)) ++count;
  }
  return backwards ? -count : count;
}

Result<year_month_day> RollToBusinessDay(year_month_day date, Roll roll,
                                         const BusinessDayOptions& options) noexcept {
  if (auto error = Check(date)) return *error;
  const sys_days day{date};
  const ClosedDates closed{options.extraClosedDays, std::ssize(options.extraClosedDays)};
  // Leaving the month (or the covered years, which leaves it too) turns the other way.
  const auto leavesMonth = [&date](std::optional<sys_days> answer) {
    return !answer || year_month_day{*answer}.month() != date.month();
  };
  std::optional<sys_days> answer;
  switch (roll) {
    case Roll::following:
      answer = FirstOpen(day, 1, options, closed);
      break;
    case Roll::preceding:
      answer = FirstOpen(day, -1, options, closed);
      break;
    case Roll::modifiedFollowing:
      answer = FirstOpen(day, 1, options, closed);
      if (leavesMonth(answer)) answer = FirstOpen(day, -1, options, closed);
      break;
    case Roll::modifiedPreceding:
      answer = FirstOpen(day, -1, options, closed);
      if (leavesMonth(answer)) answer = FirstOpen(day, 1, options, closed);
      break;
  }
  if (!answer) return CalendarError::outOfRange;
  return year_month_day{*answer};
}

}  // namespace velunta
