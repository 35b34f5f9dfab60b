#include <velunta/records/day_record.h>

namespace velunta::records {

using namespace std::chrono;

DayKind PlainKind(year_month_day date) noexcept {
  const weekday wd{sys_days{date}};
  if (wd == Sunday) return DayKind::sunday;
  return wd == Saturday ? DayKind::saturday : DayKind::weekday;
}

std::string_view KindId(DayKind kind) noexcept {
  switch (kind) {
    case DayKind::national:
      return velunta::KindId(HolidayKind::national);
    case DayKind::specialAct:
      return velunta::KindId(HolidayKind::specialAct);
    case DayKind::substitute:
      return velunta::KindId(HolidayKind::substitute);
    case DayKind::citizens:
      return velunta::KindId(HolidayKind::citizens);
    case DayKind::sunday:
      return "sunday";
    case DayKind::saturday:
      return "saturday";
    case DayKind::weekday:
      return "weekday";
  }
  return "unknown";
}

std::string DayLine(const DayRecord& day, Lang lang) {
  std::string line = SlashDate(day.date) + "(" + WeekdayText(day.date, lang) + ")";
  if (day.dayOff) line += " " + (lang == Lang::en ? day.nameEn : day.name);
  if (day.predicted) line += lang == Lang::en ? " (predicted)" : "（予測）";
  return line;
}

}  // namespace velunta::records
