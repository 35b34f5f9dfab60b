#pragma once
// One classified day as every command, server answer and format sees it, whichever rules
// produced it.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <velunta/calendar.h>
#include <velunta/records/date_texts.h>
#include <velunta/records_export.h>

namespace velunta::records {

// What a day is: a holiday of one of the law's kinds, or else its place in the week.
enum class DayKind : std::uint8_t {
  national,
  specialAct,
  substitute,
  citizens,
  sunday,    // a Sunday on which no holiday falls
  saturday,  // a Saturday on which no holiday falls
  weekday,   // Monday to Friday, no holiday
};

// Returns the kind of a holiday of the law calendar.
constexpr DayKind KindOf(HolidayKind kind) noexcept {
  switch (kind) {
    case HolidayKind::national:
      return DayKind::national;
    case HolidayKind::specialAct:
      return DayKind::specialAct;
    case HolidayKind::substitute:
      return DayKind::substitute;
    case HolidayKind::citizens:
      return DayKind::citizens;
  }
  return DayKind::national;
}

// Returns the kind of a day on which no holiday falls: sunday, saturday or weekday.
VELUNTA_RECORDS_EXPORT DayKind PlainKind(std::chrono::year_month_day date) noexcept;

// Returns the stable identifier formats write for a kind: the law calendar's KindId for holidays
// ("national", "special-act", "substitute", "citizens"), then "sunday", "saturday", "weekday".
// What a day is stays apart from what it means to a caller: see DayRecord::dayOff and
// DayRecord::businessDay.
VELUNTA_RECORDS_EXPORT std::string_view KindId(DayKind kind) noexcept;

// Returns true for the kinds that are holidays.
constexpr bool IsHolidayKind(DayKind kind) noexcept {
  return kind == DayKind::national || kind == DayKind::specialAct || kind == DayKind::substitute ||
         kind == DayKind::citizens;
}

struct DayRecord {
  std::chrono::year_month_day date;
  DayKind kind = DayKind::weekday;
  std::string name;    // Japanese: the holiday, or 日曜日 for a plain Sunday; empty otherwise
  std::string nameEn;  // English: the holiday, or Sunday; empty exactly when name is
  // A day off is a holiday of any kind or a Sunday: what `velunta check`'s status reports.
  bool dayOff = false;
  // True for a holiday that rests on an equinox day not yet announced (after
  // LastAnnouncedEquinoxYear()): the equinox day itself and the substitute or citizens' holiday it
  // brings.
  bool predicted = false;
  // Whether the day is a business day under a business request's options; none otherwise.
  std::optional<bool> businessDay;
};

// The names of a plain Sunday.
inline constexpr std::string_view kSundayName = "日曜日";
inline constexpr std::string_view kSundayNameEn = "Sunday";

// Returns a day's line as the window's list box writes it: "2026/05/06(水) 振替休日"; a day
// that is no day off ends at ")"; a predicted day ends in "（予測）". English names and weekdays
// with Lang::en: "2026/05/06(Wed) Substitute Holiday", "2030/03/20(Wed) Vernal Equinox Day
// (predicted)".
VELUNTA_RECORDS_EXPORT std::string DayLine(const DayRecord& day, Lang lang);

}  // namespace velunta::records
