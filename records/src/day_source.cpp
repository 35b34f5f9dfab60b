#include <velunta/records/day_source.h>

#include <vector>

#include <velunta/records/records_error.h>

namespace velunta::records {

using namespace std::chrono;

void DaySource::ForEachDayOffFrom(year_month_day date, Direction direction, bool sundays,
                                  const std::function<bool(const DayRecord&)>& visit) const {
  if (!Covers(date)) throw RecordsError("not a date this source covers");
  if (direction == Direction::forward) {
    bool going = true;
    for (year y = date.year(); going && y <= LastYear(); ++y) {
      const year_month_day from = y == date.year() ? date : y / January / 1;
      // A year's days off are few: the rest of a year is skipped once `visit` is done.
      ForEachDayOff(from, y / December / 31, sundays, [&](const DayRecord& day) {
        if (going) going = visit(day);
      });
    }
    return;
  }
  std::vector<DayRecord> yearDays;
  for (year y = date.year(); y >= FirstYear(); --y) {
    yearDays.clear();
    const year_month_day to = y == date.year() ? date : y / December / 31;
    ForEachDayOff(y / January / 1, to, sundays,
                  [&yearDays](const DayRecord& day) { yearDays.push_back(day); });
    for (auto it = yearDays.rbegin(); it != yearDays.rend(); ++it) {
      if (!visit(*it)) return;
    }
  }
}

}  // namespace velunta::records
