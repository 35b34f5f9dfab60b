// A program of someone else's that uses the installed module.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <velunta/Mdl_Velunta.h>
#include <velunta/calendar.h>

int main() {
  std::int16_t isHoliday = 0;
  std::int16_t code = 0;
  std::string name;
  std::int16_t kind = 0;
  if (!Mdl_Velunta::GetHolidayInfoByText("2005/05/04", isHoliday, code) || code != 80 ||
      !Mdl_Velunta::GetHolidayName(code, name, kind) || name != "国民の休日") {
    std::puts("2005/05/04 is not the citizens' holiday");
    return 1;
  }
  std::int16_t count = 0;
  std::vector<std::string> dates, names;
  std::vector<std::int16_t> weekdays;
  const std::int16_t year = 2005;
  if (!Mdl_Velunta::GetYearHolidays(year, Mdl_Velunta::kFalse, count, dates, names, weekdays) ||
      count != 16) {
    std::puts("2005 does not list 16 days off");
    return 1;
  }
  using namespace std::chrono;
  const auto substitute = velunta::HolidayOn(2021y / August / 9);
  if (!substitute.has_value() || !substitute->has_value()) {
    std::puts("2021-08-09 is not a day off by the law calendar");
    return 1;
  }
  std::puts("ok");
  return 0;
}
