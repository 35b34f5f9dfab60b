#pragma once
// One classified day as every subcommand and output format sees it, whichever rules produced it.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "table.h"

namespace velunta::cli {

// Stable kind identifiers, as csv, json and ics write them. The first four are the law
// calendar's own (velunta::KindId).
inline constexpr std::string_view kKindNational = "national";
inline constexpr std::string_view kKindSpecialAct = "special-act";
inline constexpr std::string_view kKindSubstitute = "substitute";
inline constexpr std::string_view kKindCitizens = "citizens";
inline constexpr std::string_view kKindSunday = "sunday";  // a Sunday on which no holiday falls
inline constexpr std::string_view kKindWorkingDay = "working-day";

struct DayRecord {
  std::chrono::year_month_day date;
  std::string name;    // Japanese; empty for a working day and for a plain Sunday
  std::string nameEn;  // English; empty exactly when name is
  std::string_view kind;

  // A day off is a holiday of any kind or a Sunday, as the module counts them.
  bool IsDayOff() const noexcept { return kind != kKindWorkingDay; }
};

// Returns "2026/05/06", the date as the module writes it.
std::string SlashDate(std::chrono::year_month_day date);

// Returns "2026-05-06" (ISO 8601), the date in machine-readable output.
std::string IsoDate(std::chrono::year_month_day date);

// Returns "20260506", the date in iCalendar's DATE form.
std::string CompactDate(std::chrono::year_month_day date);

// Returns the weekday as the window's list writes it ("水") or, for English, "Wed".
std::string WeekdayText(std::chrono::year_month_day date, Lang lang);

// Returns a day's line as the window's list box writes it: "2026/05/06(水) 振替休日"; a plain
// Sunday ends in the space after ")", a working day ends at ")". English names and weekdays
// with Lang::en: "2026/05/06(Wed) Substitute Holiday".
std::string DayLine(const DayRecord& day, Lang lang);

// Returns the table csv and json write for days: date, weekday, name, name_en, kind.
Table DayTable(const std::vector<DayRecord>& days);

}  // namespace velunta::cli
