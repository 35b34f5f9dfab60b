#pragma once
// Mdl_Velunta: Japanese national holidays by the module's fixed rule table (1949 onward, with
// the 1973, 1988, 1996, 2000, 2003 and 2007 changes; equinox days for 1900-2099).
//
// Conventions of every procedure:
// - Every integer, truth value and holiday code is std::int16_t. A truth value is -1 (true) or
//   0 (false); one received as input counts as true when it is not 0.
// - Each returns true on success. None throws: a failure inside ends the call with false.
// - Out-arguments are written as the procedure goes and are not rolled back when it fails
//   part-way; a refused input writes none of them. Preset them where that matters.
//
// Holiday codes: 0 a working day, 1 a Sunday with no holiday, 2 a substitute holiday (振替休日),
// and a holiday id (10, 20, ... 180) plus 1 when the holiday falls on a Sunday.

#include <cstdint>
#include <string>
#include <vector>

#include <velunta/holidays_export.h>

namespace Mdl_Velunta {

// Truth values as the procedures take and give them.
using Truth = std::int16_t;
inline constexpr Truth kTrue = -1;
inline constexpr Truth kFalse = 0;

// Holiday ids (the tens part of a holiday code).
enum HolidayId : std::int16_t {
  kNewYearsDay = 10,             // 元旦
  kComingOfAgeDay = 20,          // 成人の日
  kFoundationDay = 30,           // 建国記念日
  kVernalEquinoxDay = 40,        // 春分の日
  kEmperorsBirthdayOld = 50,     // 天皇誕生日, April 29 until 1988
  kGreeneryDayOld = 60,          // みどりの日, April 29 in 1989-2006
  kConstitutionDay = 70,         // 憲法記念日
  kCitizensHoliday = 80,         // 国民の休日
  kChildrensDay = 90,            // こどもの日
  kMarineDay = 100,              // 海の日
  kRespectForTheAgedDay = 110,   // 敬老の日
  kAutumnalEquinoxDay = 120,     // 秋分の日
  kHealthAndSportsDay = 130,     // 体育の日
  kCultureDay = 140,             // 文化の日
  kLabourThanksgivingDay = 150,  // 勤労感謝の日
  kEmperorsBirthdayNew = 160,    // 天皇誕生日, December 23 from 1989
  kShowaDay = 170,               // 昭和の日
  kGreeneryDayNew = 180,         // みどりの日, May 4 from 2007
};

// Special codes and the kinds GetHolidayName reports.
inline constexpr std::int16_t kWorkingDay = 0;
inline constexpr std::int16_t kPlainSunday = 1;
inline constexpr std::int16_t kSubstituteHoliday = 2;
inline constexpr std::int16_t kKindSunday = 1;
inline constexpr std::int16_t kKindSubstitute = 2;

// Returns true when year/month/day is a date of the years 1..9999 and classifies it: code as
// above, isHoliday true exactly when code != 0. An invalid date returns false and writes
// nothing. code is written before the rules run, isHoliday only at the end.
// Example: (2005, 3, 20) -> code 41, a holiday (春分の日) on a Sunday; (2005, 3, 21) -> code 2.
VELUNTA_HOLIDAYS_EXPORT Truth GetHolidayInfo(const std::int16_t& year, const std::int16_t& month,
                                             const std::int16_t& day, std::int16_t& isHoliday,
                                             std::int16_t& code) noexcept;

// Returns true for every code. Writes kind 1 for a code ending in 1 (a Sunday), kind 2 and the
// name "振替休日" for a code ending in 2, and the holiday's name for a code whose tens part is a
// holiday id; leaves name and kind as they were otherwise (code 0: nothing; code 1: kind only).
// The units digit is taken with the sign of the code. Example: 181 -> "みどりの日", kind 1.
VELUNTA_HOLIDAYS_EXPORT Truth GetHolidayName(const std::int16_t& code, std::string& name,
                                             std::int16_t& kind) noexcept;

// The years whose equinox days the module gives.
inline constexpr std::int16_t kFirstEquinoxYear = 1900;
inline constexpr std::int16_t kLastEquinoxYear = 2099;

// Returns true for 1900 <= year <= 2099 and writes the day of March (19..22) or of September
// (22..24) of that year's equinox; for any other year writes 0 and returns false.
// Example: 2005 -> 20 (vernal), 23 (autumnal).
VELUNTA_HOLIDAYS_EXPORT Truth GetVernalEquinoxDay(const std::int16_t& year,
                                                  std::int16_t& day) noexcept;
VELUNTA_HOLIDAYS_EXPORT Truth GetAutumnalEquinoxDay(const std::int16_t& year,
                                                    std::int16_t& day) noexcept;

// Returns GetHolidayInfo's answer for a date given as text in any form the date-text test
// accepts (2005/05/04, 2005/5/4, 2005-05-04, 2005年5月4日, 平成17年5月4日, H17/5/4, full-width
// digits). A text that names no date returns false and writes nothing.
VELUNTA_HOLIDAYS_EXPORT Truth GetHolidayInfoByText(const std::string& dateText,
                                                   std::int16_t& isHoliday,
                                                   std::int16_t& code) noexcept;

// Returns true after walking every day of year (> 0) and lists its days off in date order:
// dates[i] "YYYY/MM/DD", names[i] the holiday's name (empty for a plain Sunday), weekdays[i]
// 1 (Sunday) .. 7 (Saturday); count entries. Plain Sundays are listed only when includeSundays
// is not 0. A year of 0 or less returns false and writes nothing. The arrays are not cleared:
// they are resized one element at a time, so pre-filled arrays are cut at the first listed
// day, and a year with no listed day leaves them untouched.
// Example: 2005, Sundays excluded -> first entries 2005/01/01 元旦 7, 2005/01/10 成人の日 2.
VELUNTA_HOLIDAYS_EXPORT Truth GetYearHolidays(const std::int16_t& year,
                                              const std::int16_t& includeSundays,
                                              std::int16_t& count, std::vector<std::string>& dates,
                                              std::vector<std::string>& names,
                                              std::vector<std::int16_t>& weekdays) noexcept;

}  // namespace Mdl_Velunta
