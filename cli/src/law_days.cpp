#include "law_days.h"

#include <velunta/calendar.h>

#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

DayRecord FromHoliday(const velunta::Holiday& holiday) {
  return {holiday.date, std::string(holiday.name), std::string(holiday.nameEn),
          velunta::KindId(holiday.kind)};
}

DayRecord PlainDay(year_month_day date) {
  const bool sunday = weekday{sys_days{date}} == Sunday;
  return {date, {}, {}, sunday ? kKindSunday : kKindWorkingDay};
}

}  // namespace

DayRecord LawDay(year_month_day date) {
  const auto holiday = velunta::HolidayOn(date);
  if (!holiday.has_value()) throw UsageError(std::string(velunta::Describe(holiday.error())));
  return *holiday ? FromHoliday(**holiday) : PlainDay(date);
}

std::vector<DayRecord> LawDays(year_month_day first, year_month_day last, bool sundays) {
  const auto holidays = velunta::HolidaysBetween(first, last);
  if (!holidays) throw UsageError(std::string(velunta::Describe(holidays.error())));

  std::vector<DayRecord> list;
  list.reserve(holidays->size() + (sundays ? 53 : 0));
  auto next = holidays->begin();
  auto takeHolidaysBefore = [&](sys_days limit) {
    for (; next != holidays->end() && sys_days{next->date} < limit; ++next) {
      list.push_back(FromHoliday(*next));
    }
  };
  if (sundays) {
    const sys_days end{last};
    sys_days sunday{first};
    sunday += (Sunday - weekday{sunday});  // the first Sunday on or after `first`
    for (; sunday <= end; sunday += weeks{1}) {
      takeHolidaysBefore(sunday);
      // A Sunday that is a holiday is listed once, as the holiday.
      if (next != holidays->end() && sys_days{next->date} == sunday) continue;
      list.push_back(PlainDay(year_month_day{sunday}));
    }
  }
  takeHolidaysBefore(sys_days::max());
  return list;
}

}  // namespace velunta::cli
