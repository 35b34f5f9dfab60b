// Classification of a date given as text.

#include <velunta/Mdl_Velunta.h>
#include <velunta/runtime/date_text.h>
#include <velunta/runtime/int16.h>

#include "guard.h"

namespace Mdl_Velunta {

Truth GetHolidayInfoByText(const std::string& dateText, std::int16_t& isHoliday,
                           std::int16_t& code) noexcept {
  using namespace velunta;
  return holidays::Guarded([&] {
    // One reading of the text gives the date test and its year, month and day at once.
    std::chrono::year_month_day date;
    if (!runtime::TryParseDate(dateText, date)) return kFalse;
    const auto year = runtime::NarrowToInt16(static_cast<int>(date.year()));
    const auto month = runtime::NarrowToInt16(static_cast<unsigned>(date.month()));
    const auto day = runtime::NarrowToInt16(static_cast<unsigned>(date.day()));
    return GetHolidayInfo(year, month, day, isHoliday, code);
  });
}

}  // namespace Mdl_Velunta
