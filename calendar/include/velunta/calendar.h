#pragma once
// The calendar of Japan's Act on National Holidays (国民の祝日に関する法律) as in force on each
// date since it took effect on 1948-07-20: national holidays, the days off by special acts,
// substitute holidays (振替休日) and citizens' holidays (国民の休日), with the equinox days taken
// from the Sun's apparent position. Covers the years 1600 to 2399; before 1948-07-20 no day is a
// holiday. Every function is pure and thread-safe: no global mutable state, no allocation except
// for the lists it returns, no exception for any input.
//
//   using namespace std::chrono;
//   auto h = velunta::HolidayOn(2021y / August / 9);
//   // h.has_value() && (*h)->name == "振替休日" && (*h)->kind == HolidayKind::substitute
//   auto list = velunta::HolidaysOfYear(2019y, velunta::LabelStyle::officialList);
//   // list->size() == 22, (*list)[6].name == "休日（祝日扱い）" (2019-05-01)

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include <velunta/calendar_export.h>

namespace velunta {

// ---------------------------------------------------------------------------------------------
// Results and errors

// Why a request was refused. Every function below answers ordinary bad input with one of these,
// never with an exception or undefined behaviour.
enum class CalendarError : std::uint8_t {
  invalidDate,   // the date is not a real date (!year_month_day::ok(), e.g. 2023-02-29)
  outOfRange,    // the year, or a date the request would reach, lies outside 1600..2399
  invalidRange,  // a date range whose first date lies after its last
};

// Returns a short English description of an error, e.g. "date out of range (1600-2399)".
constexpr std::string_view Describe(CalendarError error) noexcept {
  switch (error) {
    case CalendarError::invalidDate:
      return "not a valid date";
    case CalendarError::outOfRange:
      return "date out of range (1600-2399)";
    case CalendarError::invalidRange:
      return "first date after last date";
  }
  return "unknown error";
}

// Either a value or a CalendarError (a small stand-in for C++23's std::expected).
// value(), operator* and operator-> require has_value(); value() throws std::bad_variant_access
// when called on an error, so check first. error() requires !has_value().
//
// Two misreadings are ruled out at compile time:
//  - A Result whose value is itself a truth value (bool, an int count, an optional) does not
//    convert to bool: `if (IsHoliday(d))` would test "has a value", true on every valid date.
//    Write `if (r.has_value() && *r)` or `r.value_or(false)`.
//  - On a temporary Result, value() and operator* return the value itself, not a reference into
//    the dying temporary: `for (const auto& h : HolidaysOfYear(2026y).value())` iterates a vector
//    that lives as long as the loop.
template <class T>
class [[nodiscard]] Result {
 public:
  constexpr Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  constexpr Result(CalendarError error) : state_(std::in_place_index<1>, error) {}

  constexpr bool has_value() const noexcept { return state_.index() == 0; }
  constexpr explicit operator bool() const noexcept requires(!std::is_constructible_v<bool, T>) {
    return has_value();
  }

  constexpr const T& value() const& { return std::get<0>(state_); }
  constexpr T value() && { return std::get<0>(std::move(state_)); }
  constexpr const T& operator*() const& { return *std::get_if<0>(&state_); }
  constexpr T operator*() && { return std::move(*std::get_if<0>(&state_)); }
  constexpr const T* operator->() const { return std::get_if<0>(&state_); }
  constexpr CalendarError error() const { return *std::get_if<1>(&state_); }

  // Returns the value, or `fallback` for an error.
  template <class U>
  constexpr T value_or(U&& fallback) const& {
    return has_value() ? **this : static_cast<T>(std::forward<U>(fallback));
  }

 private:
  std::variant<T, CalendarError> state_;
};

// ---------------------------------------------------------------------------------------------
// Covered range

inline constexpr std::chrono::year kFirstYear{1600};
inline constexpr std::chrono::year kLastYear{2399};
inline constexpr std::chrono::year_month_day kFirstDate{kFirstYear, std::chrono::January,
                                                        std::chrono::day{1}};
inline constexpr std::chrono::year_month_day kLastDate{kLastYear, std::chrono::December,
                                                       std::chrono::day{31}};
// The day the Act on National Holidays took effect; no earlier day is a holiday.
inline constexpr std::chrono::year_month_day kActInForce{std::chrono::year{1948}, std::chrono::July,
                                                         std::chrono::day{20}};

// Returns true when the year lies in 1600..2399. Example: IsCovered(2399y) -> true.
constexpr bool IsCovered(std::chrono::year y) noexcept {
  return y.ok() && y >= kFirstYear && y <= kLastYear;
}

// Returns true when the date is valid and lies in 1600-01-01..2399-12-31.
// Example: IsCovered(2024y/2/30) -> false (no such date).
constexpr bool IsCovered(std::chrono::year_month_day date) noexcept {
  return date.ok() && IsCovered(date.year());
}

// ---------------------------------------------------------------------------------------------
// Holidays

// What makes a day a holiday.
enum class HolidayKind : std::uint8_t {
  national,    // 国民の祝日: a holiday the Act names (元日, 春分の日, ...)
  specialAct,  // a day off by a special act, treated as a national holiday (1959-04-10, ...)
  substitute,  // 振替休日: the day off that replaces a national holiday on a Sunday
  citizens,    // 国民の休日: a day between two national holidays
};

// Returns a stable lower-case identifier for a kind, for machine-readable output:
// "national", "special-act", "substitute", "citizens".
constexpr std::string_view KindId(HolidayKind kind) noexcept {
  switch (kind) {
    case HolidayKind::national:
      return "national";
    case HolidayKind::specialAct:
      return "special-act";
    case HolidayKind::substitute:
      return "substitute";
    case HolidayKind::citizens:
      return "citizens";
  }
  return "unknown";
}

// How holidays are labelled in Japanese (English names are the same in both styles).
enum class LabelStyle : std::uint8_t {
  // The names the law and the special acts give: 元日, 建国記念の日, 振替休日, 国民の休日,
  // 皇太子明仁親王の結婚の儀, 天皇の即位の日, 体育の日 (2019-10-14), ...
  official,
  // The labels of the Cabinet Office's published list (syukujitsu.csv): 休日 for substitute and
  // citizens' holidays, 休日（祝日扱い） for 2019-05-01 and 2019-10-22, 結婚の儀, 大喪の礼 and
  // 即位礼正殿の儀 for the older special-act days, 体育の日（スポーツの日） for 2019-10-14.
  officialList,
};

// One holiday. The names view the strings of the law that answered, which lives as long as the
// program: they stay valid forever.
struct Holiday {
  std::chrono::year_month_day date;
  std::chrono::weekday weekday;  // of `date`
  std::string_view name;         // Japanese, in the requested LabelStyle
  std::string_view nameEn;       // English, e.g. "New Year's Day", "Substitute Holiday"
  HolidayKind kind;
  // true when the holiday rests on an equinox day not yet announced (one of a year after
  // LastAnnouncedEquinoxYear()): that 春分の日 or 秋分の日 itself, the substitute holiday that
  // follows it in its run of national holidays when the run holds a Sunday, or a citizens'
  // holiday that has it as one of its two neighbours; false for every other holiday.
  // Examples: 2030-03-20 春分の日 -> true; 2033-03-21 振替休日 -> true (03-20 春分の日 is a
  // Sunday); 2032-09-21 国民の休日 -> true (between 09-20 敬老の日 and 09-22 秋分の日);
  // 2026-09-22 国民の休日 -> false (announced); 2030-05-06 振替休日 -> false.
  bool predicted;

  friend constexpr bool operator==(const Holiday&, const Holiday&) = default;
};

// Returns the holiday on a date: the Holiday, or std::nullopt when the date is no holiday (every
// date before 1948-07-20 included). Errors: invalidDate for an impossible date, outOfRange
// outside 1600..2399.
// Examples: 1948-11-03 -> 文化の日 (national); 1973-04-30 -> 振替休日 (substitute, the first);
// 1988-05-04 -> 国民の休日 (citizens); 2019-05-01 -> 天皇の即位の日 (specialAct);
// 2019-12-23 -> std::nullopt; 2400-01-01 -> outOfRange.
VELUNTA_CALENDAR_EXPORT Result<std::optional<Holiday>> HolidayOn(
    std::chrono::year_month_day date, LabelStyle style = LabelStyle::official) noexcept;

// Returns whether a date is a holiday of any kind (same errors as HolidayOn).
// Example: 2008-05-06 -> true (substitute holiday for Sunday 05-04, after 05-05).
VELUNTA_CALENDAR_EXPORT Result<bool> IsHoliday(std::chrono::year_month_day date) noexcept;

// Returns every holiday of a year in date order; empty for years before 1948.
// Errors: outOfRange outside 1600..2399. Example: 1948 -> 秋分の日 (09-23), 文化の日, 勤労感謝の日.
VELUNTA_CALENDAR_EXPORT Result<std::vector<Holiday>> HolidaysOfYear(
    std::chrono::year y, LabelStyle style = LabelStyle::official);

// Returns every holiday from `first` to `last`, both included, in date order.
// Errors: invalidDate if either date is impossible, outOfRange if either lies outside
// 1600..2399, invalidRange if first > last.
// Example: 2019-04-27..2019-05-06 -> 8 holidays (04-29 .. 05-06).
VELUNTA_CALENDAR_EXPORT Result<std::vector<Holiday>> HolidaysBetween(
    std::chrono::year_month_day first, std::chrono::year_month_day last,
    LabelStyle style = LabelStyle::official);

// Returns the first holiday on or after a date (the next holiday), or std::nullopt when none
// falls from the date to 2399-12-31. Errors: invalidDate, outOfRange outside 1600..2399.
// Examples: 2026-05-07 -> 2026-07-20 海の日; 2026-05-06 -> 2026-05-06 振替休日;
// 2399-12-24 -> std::nullopt.
VELUNTA_CALENDAR_EXPORT Result<std::optional<Holiday>> HolidayOnOrAfter(
    std::chrono::year_month_day date, LabelStyle style = LabelStyle::official);

// Returns the last holiday on or before a date (the previous holiday), or std::nullopt when none
// falls before it (every date before 1948-09-23). Same errors as HolidayOnOrAfter.
// Examples: 2026-05-07 -> 2026-05-06 振替休日; 1948-09-22 -> std::nullopt.
VELUNTA_CALENDAR_EXPORT Result<std::optional<Holiday>> HolidayOnOrBefore(
    std::chrono::year_month_day date, LabelStyle style = LabelStyle::official);

// Returns the English name of a holiday given its Japanese name as the law or a special act
// names it ("元日" -> "New Year's Day", "振替休日" -> "Substitute Holiday", "国民の休日" ->
// "Citizens' Holiday"), or an empty view for a name the law does not use ("元旦" -> "").
// The one table of English names: whoever names a holiday in English asks here.
VELUNTA_CALENDAR_EXPORT std::string_view EnglishHolidayName(std::string_view name) noexcept;

// ---------------------------------------------------------------------------------------------
// Equinoxes

// Returns the last year whose equinox days the National Astronomical Observatory of Japan has
// announced, as the law in use says (<velunta/law.h>; 2027 in the built-in data). Equinox days
// of later years are predictions of this calendar.
VELUNTA_CALENDAR_EXPORT std::chrono::year LastAnnouncedEquinoxYear() noexcept;

enum class Season : std::uint8_t {
  vernal,    // March equinox: the Sun's apparent geocentric ecliptic longitude reaches 0°
  autumnal,  // September equinox: it reaches 180°
};

// Japan Standard Time is UTC+9 all year (no daylight saving time).
inline constexpr std::chrono::hours kJstOffset{9};

// One equinox. `utc` is the instant in Universal Time (UT1; within a second of UTC), rounded to
// the millisecond; `jst` the same instant on the JST wall clock; `day` the JST date that holds it
// (the date of 春分の日 / 秋分の日 from 1948/1949 on).
struct Equinox {
  Season season;
  std::chrono::sys_time<std::chrono::milliseconds> utc;
  std::chrono::local_time<std::chrono::milliseconds> jst;
  std::chrono::year_month_day day;
  bool official;  // true when the day was announced as the holiday's date (IsOfficialEquinox)

  friend constexpr bool operator==(const Equinox&, const Equinox&) = default;
};

// Returns the vernal or autumnal equinox of a year. Errors: outOfRange outside 1600..2399.
// Example: EquinoxOf(2024y, Season::vernal) -> utc 2024-03-20 03:06 (about), day 2024-03-20,
// official true; (2100y, Season::autumnal) -> official false (a prediction).
VELUNTA_CALENDAR_EXPORT Result<Equinox> EquinoxOf(std::chrono::year y, Season season) noexcept;

// Both equinoxes of a year.
struct YearEquinoxes {
  Equinox vernal;
  Equinox autumnal;

  friend constexpr bool operator==(const YearEquinoxes&, const YearEquinoxes&) = default;
};

// Returns both equinoxes of a year. Errors: outOfRange outside 1600..2399.
VELUNTA_CALENDAR_EXPORT Result<YearEquinoxes> EquinoxesOf(std::chrono::year y) noexcept;

// Returns true when the equinox day of that year and season was announced as the date of
// 春分の日 / 秋分の日: vernal from 1949, autumnal from 1948, to LastAnnouncedEquinoxYear()
// (2027 in the built-in data). Later days are predictions; earlier ones are computed for years
// without the holiday.
VELUNTA_CALENDAR_EXPORT bool IsOfficialEquinox(std::chrono::year y, Season season) noexcept;

}  // namespace velunta
