#pragma once
// The law the calendar answers by, as data: the rows of the national holidays and the special
// acts, the dates the derived holidays took effect, and the last year whose equinox days are
// announced. The build compiles in a default (from calendar/data/law.toml); a program may make a
// Law from newer data and switch every answer of <velunta/calendar.h> to it, and of the business
// calendars made afterwards. <velunta/law_file.h> reads such data from a TOML file.
//
//   LawDescription data = BuiltInLaw().Describe();
//   data.rows.push_back({.name = "臨時の休日", .nameEn = "Extra Holiday", .kind =
//       HolidayKind::specialAct, .month = 6, .rule = LawDayRule::fixedDay, .value = 1,
//       .first = 2027, .last = 2027});
//   auto law = MakeLaw(std::move(data));
//   if (law) UseLaw(**law);  // from now on 2027-06-01 is a holiday
//
// A Law lives as long as the program: the Holiday values it gave, whose names view its strings,
// stay valid after another law is put in use. Each law made keeps some 95 KB for good; making
// the same data from the same source again returns the law already made, so a program that
// reloads an unchanged file grows no more.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <velunta/calendar.h>
#include <velunta/calendar_export.h>

namespace velunta {

// How a row finds its date in a year.
enum class LawDayRule : std::uint8_t {
  fixedDay,   // value = day of the month
  nthMonday,  // value = n, 1..4: the n-th Monday of the month
  equinox,    // the day in Japan of the equinox of the month (March or September); value 0
};

// One holiday and span of years.
struct LawRow {
  std::string name;      // official name
  std::string listName;  // the Cabinet Office list's label where it differs from name, else ""
  std::string nameEn;
  HolidayKind kind = HolidayKind::national;  // national or specialAct
  unsigned month = 1;
  LawDayRule rule = LawDayRule::fixedDay;
  unsigned value = 1;
  int first = 0;  // years in force, both included
  int last = 0;

  friend bool operator==(const LawRow&, const LawRow&) = default;
};

// Everything a law is made of.
struct LawDescription {
  std::string version;  // the data's date, "YYYY-MM-DD"
  int lastAnnouncedEquinoxYear = 0;
  std::chrono::year_month_day substituteFrom;  // 振替休日 can fall on this date and later
  std::chrono::year_month_day substituteNextFreeDay;  // from here: the next day that is free
  std::chrono::year_month_day citizensFrom;  // 国民の休日 can fall on this date and later
  std::chrono::year_month_day citizensAnyWeekday;  // from here: on a Sunday too
  std::vector<LawRow> rows;

  friend bool operator==(const LawDescription&, const LawDescription&) = default;
};

// What makes a description unusable: the row concerned (an index into rows) or none for the
// description's own fields; the field, named as the law file names it ("day", "first",
// "version", "substitute_holiday.from"; empty for the row as a whole); one line saying what is
// wrong.
struct LawProblem {
  std::optional<std::size_t> row;
  std::string field;
  std::string message;

  friend bool operator==(const LawProblem&, const LawProblem&) = default;
};

namespace detail {
struct LawTables;
}

// A law the calendar can answer by: immutable, and alive until the program ends.
class VELUNTA_CALENDAR_EXPORT Law {
 public:
  // For the library's own use: a law is had from BuiltInLaw, CurrentLaw or MakeLaw.
  explicit constexpr Law(const detail::LawTables& tables) noexcept : tables_(&tables) {}

  // Returns the data's date as its file gives it, e.g. "2026-12-08".
  std::string_view Version() const noexcept;
  // Returns the same as a date: 2026-12-08.
  std::chrono::year_month_day VersionDate() const noexcept;
  // Returns where the data came from: "built in", or the file's path.
  std::string_view Source() const noexcept;
  // Returns the last year whose equinox days are announced.
  std::chrono::year LastAnnouncedEquinoxYear() const noexcept;
  // Returns the rows and dates the law was made of; the built-in law's rows are in month order.
  LawDescription Describe() const;

  const detail::LawTables& Tables() const noexcept { return *tables_; }

 private:
  const detail::LawTables* tables_;
};

// Returns the law compiled in.
VELUNTA_CALENDAR_EXPORT const Law& BuiltInLaw() noexcept;

// Returns the law in use: the built-in one until UseLaw says otherwise.
VELUNTA_CALENDAR_EXPORT const Law& CurrentLaw() noexcept;

// Makes every later answer come from `law` (atomically: a call in another thread answers by the
// old law or by the new one, never by a mix). Business calendars made before keep the days they
// were made with; make them again.
VELUNTA_CALENDAR_EXPORT void UseLaw(const Law& law) noexcept;

// Returns the first problem of a description that MakeLaw would refuse, or std::nullopt when it
// would make a law of it (without making one).
VELUNTA_CALENDAR_EXPORT std::optional<LawProblem> CheckLaw(const LawDescription& description);

// Returns a law made of a description, or the first problem found: a kind other than national or
// special-act; a month, day or n-th Monday that does not exist (02-30, a fifth Monday), or is
// not in every year (02-29); an equinox outside March and September; a year outside 1600..2399
// or a span whose first year is after its last; two rows of one name whose spans overlap; two
// rows on one date of some year; an empty name; a version that is no date; a rule date
// before 1948-07-20 or after 2399. `source` names the data in Law::Source().
VELUNTA_CALENDAR_EXPORT std::variant<const Law*, LawProblem> MakeLaw(LawDescription description,
                                                                     std::string source);

}  // namespace velunta
