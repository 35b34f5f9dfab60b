// A program of someone else's that uses the installed libraries: those its build names with
// USE_RUNTIME, USE_HOLIDAYS and USE_CALENDAR. It prints "ok" and returns 0 when every one answers
// as documented.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <velunta/version.h>

#ifdef USE_RUNTIME
#include <velunta/runtime/date_value.h>
#include <velunta/runtime/failure.h>
#endif
#ifdef USE_HOLIDAYS
#include <velunta/Mdl_Velunta.h>
#endif
#ifdef USE_CALENDAR
#include <velunta/calendar.h>
#endif

namespace {

int fail(const char* what) {
  std::puts(what);
  return 1;
}

}  // namespace

int main() {
  if (std::strcmp(VELUNTA_VERSION_STRING, EXPECTED_VERSION) != 0) {
    return fail("<velunta/version.h> names another version");
  }
#ifdef USE_RUNTIME
  if (velunta::runtime::FormatDate("H17/5/4", "YYYY-MM-DD") != "2005-05-04") {
    return fail("H17/5/4 is not formatted as 2005-05-04");
  }
  // The error type crosses the shared library's boundary and is caught here by its type.
  try {
    velunta::runtime::TextToDate("2005/2/30");
    return fail("2005/2/30 was read as a date");
  } catch (const velunta::runtime::Failure&) {
  }
#endif
#ifdef USE_HOLIDAYS
  std::int16_t isHoliday = 0;
  std::int16_t code = 0;
  std::string name;
  std::int16_t kind = 0;
  if (!Mdl_Velunta::GetHolidayInfoByText("2005/05/04", isHoliday, code) || code != 80 ||
      !Mdl_Velunta::GetHolidayName(code, name, kind) || name != "国民の休日") {
    return fail("2005/05/04 is not the citizens' holiday");
  }
  std::int16_t count = 0;
  std::vector<std::string> dates, names;
  std::vector<std::int16_t> weekdays;
  const std::int16_t year = 2005;
  if (!Mdl_Velunta::GetYearHolidays(year, Mdl_Velunta::kFalse, count, dates, names, weekdays) ||
      count != 16) {
    return fail("2005 does not list 16 days off");
  }
#endif
#ifdef USE_CALENDAR
  using namespace std::chrono;
  const auto substitute = velunta::HolidayOn(2021y / August / 9);
  if (!substitute.has_value() || !substitute->has_value()) {
    return fail("2021-08-09 is not a day off by the law");
  }
#endif
  std::puts("ok");
  return 0;
}
