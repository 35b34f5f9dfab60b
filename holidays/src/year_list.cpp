// The days off of one year, walked day by day.

#include <velunta/Mdl_Velunta.h>

#include <chrono>

#include <velunta/runtime/date_text.h>
#include <velunta/runtime/date_value.h>
#include <velunta/runtime/int16.h>
#include <velunta/runtime/number_text.h>

#include "guard.h"

namespace Mdl_Velunta {
namespace {

constexpr velunta::runtime::DateValue kOneDay = 1.0;

bool IsListed(std::int16_t code, bool includeSundays) noexcept {
  if (code == kWorkingDay) return false;
  return code != kPlainSunday || includeSundays;
}

}  // namespace

Truth GetYearHolidays(const std::int16_t& year, const std::int16_t& includeSundays,
                      std::int16_t& count, std::vector<std::string>& dates,
                      std::vector<std::string>& names,
                      std::vector<std::int16_t>& weekdays) noexcept {
  using namespace velunta;
  return holidays::Guarded([&] {
    // Read the inputs once: count may be the caller's year or flag variable itself.
    const std::int16_t y = year;
    const bool sundays = includeSundays != 0;
    if (y <= 0) return kFalse;

    // A year the date service cannot name (above 9999) fails here, before count is written.
    const std::string yearText = runtime::Int16ToText(y);
    const runtime::DateValue first = runtime::TextToDate(yearText + "/1/1");
    const runtime::DateValue last = runtime::TextToDate(yearText + "/12/31");
    count = 0;

    // Each day is classified from its year, month and day, which is what GetHolidayInfoByText
    // reads back from the day's "YYYY/MM/DD" text; only a listed day is written as text.
    runtime::DateValue day = first;
    for (std::int16_t month = 1; month <= 12; ++month) {
      for (std::int16_t dayOfMonth = 1; dayOfMonth <= 31 && day <= last; ++dayOfMonth) {
        std::chrono::year_month_day date;
        if (!runtime::TryMakeDate(y, month, dayOfMonth, date)) break;  // past the month's end
        const runtime::DateValue thisDay = day;
        day += kOneDay;
        std::int16_t isHoliday = kFalse;
        std::int16_t code = kWorkingDay;
        if (!GetHolidayInfo(y, month, dayOfMonth, isHoliday, code) || !IsListed(code, sundays)) {
          continue;
        }

        // The arrays grow by one element a listed day and are never cleared: a caller's longer
        // arrays are cut to this day's index + 1, keeping the elements that fit.
        const auto index = static_cast<std::size_t>(count);
        dates.resize(index + 1);
        names.resize(index + 1);
        weekdays.resize(index + 1);
        dates.at(index) = runtime::FormatDate(thisDay, "YYYY/MM/DD");
        // A plain Sunday gets no name; clear what a caller's array may have held at this index
        // so that the entry never carries another day's name.
        names.at(index).clear();
        std::int16_t kind = 0;
        GetHolidayName(code, names.at(index), kind);
        weekdays.at(index) = runtime::WeekdayNumber(date);
        count = runtime::CheckedAdd(count, 1);
      }
    }
    return kTrue;
  });
}

}  // namespace Mdl_Velunta
