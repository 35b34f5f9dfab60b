#pragma once
// The month rules of the fixed holiday table, one row a rule, in the order they are tried.
// Within a month the first row that matches fires and ends the month, except in September,
// where three stages run one after another: A (Respect-for-the-Aged Day), B (the autumnal
// equinox) and C (the citizens' holiday between them, only when A and B fired nothing).

#include <cstdint>
#include <limits>

#include <velunta/Mdl_Velunta.h>

namespace velunta::holidays {

enum class Stage : std::uint8_t { kOnly, kA, kB, kC };

// Which days of the month a row matches.
enum class DayMatch : std::uint8_t {
  kRange,          // dayFrom..dayTo
  kEquinox,        // the equinox day E of the month
  kAfterEquinox,   // E + 1
  kBeforeEquinox,  // a day in dayFrom..dayTo whose next day is E
};

enum class WeekdayMatch : std::uint8_t { kAny, kSunday, kMonday, kTuesday, kTuesdayToSaturday };

enum class Effect : std::uint8_t {
  kSet,      // code = value
  kOr,       // code |= value
  kNothing,  // the row fires but leaves the code alone
};

struct MonthRule {
  std::int8_t month;
  Stage stage;
  DayMatch dayMatch;
  std::int8_t dayFrom;
  std::int8_t dayTo;
  std::int16_t firstYear;
  std::int16_t lastYear;
  WeekdayMatch weekday;
  Effect effect;
  std::int16_t value;
};

inline constexpr std::int16_t kAnyYearFrom = std::numeric_limits<std::int16_t>::min();
inline constexpr std::int16_t kAnyYearTo = std::numeric_limits<std::int16_t>::max();

namespace rules {
using enum Stage;
using enum DayMatch;
using enum WeekdayMatch;
using enum Effect;
using namespace Mdl_Velunta;
constexpr std::int16_t kEver = kAnyYearFrom;  // no lower year limit
constexpr std::int16_t kOnward = kAnyYearTo;  // no upper year limit
constexpr std::int16_t kSubstitute = kSubstituteHoliday;

// clang-format off
inline constexpr MonthRule kMonthRules[] = {
  // month, stage, which days, day range, years, weekday, effect
  {1,  kOnly, kRange,         1,  1,  1949,  kOnward, kAny,               kSet,     kNewYearsDay},           // New Year's Day, 1949-
  {1,  kOnly, kRange,         2,  2,  1974,  kOnward, kMonday,            kSet,     kSubstitute},            // after New Year's Day, 1974-
  {1,  kOnly, kRange,         15, 15, 1949,  1999,    kAny,               kSet,     kComingOfAgeDay},        // Coming-of-Age Day, 1949-1999
  {1,  kOnly, kRange,         16, 16, 1974,  1999,    kMonday,            kSet,     kSubstitute},            // after it, 1974-1999
  {1,  kOnly, kRange,         8,  14, 2000,  kOnward, kMonday,            kSet,     kComingOfAgeDay},        // second Monday, 2000-
  {2,  kOnly, kRange,         11, 11, 1967,  kOnward, kAny,               kSet,     kFoundationDay},         // National Foundation Day, 1967-
  {2,  kOnly, kRange,         12, 12, 1974,  kOnward, kMonday,            kSet,     kSubstitute},            // after it, 1974-
  {3,  kOnly, kEquinox,       0,  0,  kEver, kOnward, kAny,               kOr,      kVernalEquinoxDay},      // Vernal Equinox Day, 1900-2099
  {3,  kOnly, kAfterEquinox,  0,  0,  1974,  kOnward, kMonday,            kOr,      kSubstitute},            // after it, 1974-
  {4,  kOnly, kRange,         29, 29, kEver, 1988,    kAny,               kSet,     kEmperorsBirthdayOld},   // Emperor's Birthday, -1988
  {4,  kOnly, kRange,         29, 29, 1989,  2006,    kAny,               kSet,     kGreeneryDayOld},        // Greenery Day, 1989-2006
  {4,  kOnly, kRange,         29, 29, 2007,  kOnward, kAny,               kSet,     kShowaDay},              // Showa Day, 2007-
  {4,  kOnly, kRange,         30, 30, 1973,  kOnward, kMonday,            kSet,     kSubstitute},            // after April 29, 1973-
  {5,  kOnly, kRange,         3,  3,  kEver, kOnward, kAny,               kSet,     kConstitutionDay},       // Constitution Day, every year
  {5,  kOnly, kRange,         4,  4,  1973,  1987,    kMonday,            kSet,     kSubstitute},            // after May 3, 1973-1987
  {5,  kOnly, kRange,         4,  4,  1988,  2006,    kSunday,            kNothing, 0},                      // a plain Sunday, 1988-2006
  {5,  kOnly, kRange,         4,  4,  1988,  2006,    kMonday,            kSet,     kSubstitute},            // after May 3, 1988-2006
  {5,  kOnly, kRange,         4,  4,  1988,  2006,    kTuesdayToSaturday, kSet,     kCitizensHoliday},       // between May 3 and 5, 1988-2006
  {5,  kOnly, kRange,         4,  4,  2007,  kOnward, kAny,               kSet,     kGreeneryDayNew},        // Greenery Day, 2007-
  {5,  kOnly, kRange,         5,  5,  kEver, kOnward, kAny,               kSet,     kChildrensDay},          // Children's Day, every year
  {5,  kOnly, kRange,         6,  6,  1973,  kOnward, kMonday,            kSet,     kSubstitute},            // after May 5, 1973-
  {7,  kOnly, kRange,         20, 20, 1996,  2002,    kAny,               kSet,     kMarineDay},             // Marine Day, 1996-2002
  {7,  kOnly, kRange,         21, 21, 1996,  2002,    kMonday,            kSet,     kSubstitute},            // after it, 1996-2002
  {7,  kOnly, kRange,         15, 21, 2003,  kOnward, kMonday,            kSet,     kMarineDay},             // third Monday, 2003-
  {9,  kA,    kRange,         15, 15, 1966,  2002,    kAny,               kSet,     kRespectForTheAgedDay},  // Respect-for-the-Aged Day, 1966-2002
  {9,  kA,    kRange,         16, 16, 1973,  2002,    kMonday,            kSet,     kSubstitute},            // after it, 1973-2002
  {9,  kA,    kRange,         15, 21, 2003,  kOnward, kMonday,            kSet,     kRespectForTheAgedDay},  // third Monday, 2003-
  {9,  kB,    kEquinox,       0,  0,  kEver, kOnward, kAny,               kOr,      kAutumnalEquinoxDay},    // Autumnal Equinox Day, 1900-2099
  {9,  kB,    kAfterEquinox,  0,  0,  1973,  kOnward, kMonday,            kOr,      kSubstitute},            // after it, 1973-
  {9,  kC,    kBeforeEquinox, 16, 22, 2003,  kOnward, kTuesday,           kOr,      kCitizensHoliday},       // Tuesday between Monday and equinox, 2003-
  {10, kOnly, kRange,         10, 10, 1966,  1999,    kAny,               kSet,     kHealthAndSportsDay},    // Health-and-Sports Day, 1966-1999
  {10, kOnly, kRange,         11, 11, 1973,  1999,    kMonday,            kSet,     kSubstitute},            // after it, 1973-1999
  {10, kOnly, kRange,         8,  14, 2000,  kOnward, kMonday,            kSet,     kHealthAndSportsDay},    // second Monday, 2000-
  {11, kOnly, kRange,         3,  3,  kEver, kOnward, kAny,               kSet,     kCultureDay},            // Culture Day, every year
  {11, kOnly, kRange,         4,  4,  1973,  kOnward, kMonday,            kSet,     kSubstitute},            // after it, 1973-
  {11, kOnly, kRange,         23, 23, kEver, kOnward, kAny,               kSet,     kLabourThanksgivingDay}, // Labour Thanksgiving Day, every year
  {11, kOnly, kRange,         24, 24, 1973,  kOnward, kMonday,            kSet,     kSubstitute},            // after it, 1973-
  {12, kOnly, kRange,         23, 23, 1989,  kOnward, kAny,               kSet,     kEmperorsBirthdayNew},   // Emperor's Birthday, 1989-
  {12, kOnly, kRange,         24, 24, 1989,  kOnward, kMonday,            kSet,     kSubstitute},            // after it, 1989-
};
// clang-format on
}  // namespace rules

using rules::kMonthRules;

}  // namespace velunta::holidays
