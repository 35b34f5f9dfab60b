#include "rule_oracle.h"

#include <cstdio>

#include <velunta/Mdl_Velunta.h>

namespace velunta::holidays::testing {
namespace {

using namespace std::chrono;

int EquinoxOf(int year, bool vernal) {
  std::int16_t day = 0;
  const auto y = static_cast<std::int16_t>(year);
  return (vernal ? Mdl_Velunta::GetVernalEquinoxDay(y, day)
                 : Mdl_Velunta::GetAutumnalEquinoxDay(y, day))
             ? day
             : 0;
}

bool IsNthMonday(year_month_day date, unsigned n) {
  return sys_days{date} == sys_days{date.year() / date.month() / Monday[n]};
}

// The holiday id of a date, or 0.
int HolidayId(year_month_day date) {
  const int y = static_cast<int>(date.year());
  const unsigned m = static_cast<unsigned>(date.month());
  const unsigned d = static_cast<unsigned>(date.day());
  const auto on = [&](unsigned month, unsigned day) { return m == month && d == day; };

  if (on(1, 1) && y >= 1949) return 10;
  if ((on(1, 15) && y >= 1949 && y <= 1999) || (m == 1 && y >= 2000 && IsNthMonday(date, 2)))
    return 20;
  if (on(2, 11) && y >= 1967) return 30;
  if (m == 3 && static_cast<int>(d) == EquinoxOf(y, true)) return 40;
  if (on(4, 29)) return y <= 1988 ? 50 : y <= 2006 ? 60 : 170;
  if (on(5, 3)) return 70;
  if (on(5, 4) && y >= 2007) return 180;
  if (on(5, 5)) return 90;
  if ((on(7, 20) && y >= 1996 && y <= 2002) || (m == 7 && y >= 2003 && IsNthMonday(date, 3)))
    return 100;
  if ((on(9, 15) && y >= 1966 && y <= 2002) || (m == 9 && y >= 2003 && IsNthMonday(date, 3)))
    return 110;
  if (m == 9 && static_cast<int>(d) == EquinoxOf(y, false)) return 120;
  if ((on(10, 10) && y >= 1966 && y <= 1999) || (m == 10 && y >= 2000 && IsNthMonday(date, 2)))
    return 130;
  if (on(11, 3)) return 140;
  if (on(11, 23)) return 150;
  if (on(12, 23) && y >= 1989) return 160;
  return 0;
}

year_month_day Shift(year_month_day date, int days) {
  return sys_days{date} + std::chrono::days{days};
}

}  // namespace

std::int16_t ExpectedCode(year_month_day date) {
  const int y = static_cast<int>(date.year());
  const unsigned m = static_cast<unsigned>(date.month());
  const weekday wd{sys_days{date}};
  const bool sunday = wd == Sunday;

  if (const int id = HolidayId(date)) return static_cast<std::int16_t>(id + (sunday ? 1 : 0));

  // Citizens' holiday: May 4 between two holidays (1988-2006) unless a Sunday or a Monday, and
  // from 2003 the Tuesday between Respect-for-the-Aged Day and a Wednesday autumnal equinox.
  if (m == 5 && date.day() == day{4} && y >= 1988 && y <= 2006 && wd != Sunday && wd != Monday)
    return 80;
  if (m == 9 && y >= 2003 && wd == Tuesday && HolidayId(Shift(date, -1)) == 110 &&
      HolidayId(Shift(date, 1)) == 120)
    return 80;

  // Substitute holiday: the Monday after a Sunday holiday, from 1974 in January to March and
  // from 1973 in April to December.
  if (wd == Monday && y >= (m <= 3 ? 1974 : 1973) && HolidayId(Shift(date, -1)) != 0) return 2;

  return sunday ? 1 : 0;
}

DateNumbers NumbersOf(year_month_day date) {
  return {static_cast<std::int16_t>(static_cast<int>(date.year())),
          static_cast<std::int16_t>(static_cast<unsigned>(date.month())),
          static_cast<std::int16_t>(static_cast<unsigned>(date.day()))};
}

std::string Iso(year_month_day date) {
  const DateNumbers n = NumbersOf(date);
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", n.year, n.month, n.day);
  return buffer;
}

}  // namespace velunta::holidays::testing
