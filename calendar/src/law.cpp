// The Act on National Holidays as in force on each date: the national holidays as one table, one
// row per holiday and span of years, then the two rules that derive days off from them
// (substitute holidays and citizens' holidays).

#include "law.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <string_view>

#include "equinox_table.h"

namespace velunta::detail {
namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;

// How a row finds its date in a year.
enum class On : std::uint8_t {
  fixedDay,   // value = day of month
  nthMonday,  // value = n: the n-th Monday of the month ("Happy Monday" rows)
  equinox,    // the JST day of the equinox of the row's month (March or September)
};

constexpr int kOpen = static_cast<int>(kLastYear);  // a row still in force

struct Rule {
  unsigned month;
  On on;
  unsigned value;
  int first;  // first and last year in force, both included
  int last;
  HolidayKind kind;
  std::string_view name;      // official name
  std::string_view listName;  // label of the Cabinet Office list when it differs, else empty
  std::string_view nameEn;
};

constexpr HolidayKind N = HolidayKind::national;
constexpr HolidayKind S = HolidayKind::specialAct;

// Sorted by month: the lookup scans only the rows of the date's month.
constexpr Rule kRules[] = {
    {1, On::fixedDay, 1, 1949, kOpen, N, "元日", "", "New Year's Day"},
    {1, On::fixedDay, 15, 1949, 1999, N, "成人の日", "", "Coming of Age Day"},
    {1, On::nthMonday, 2, 2000, kOpen, N, "成人の日", "", "Coming of Age Day"},
    {2, On::fixedDay, 11, 1967, kOpen, N, "建国記念の日", "", "National Foundation Day"},
    {2, On::fixedDay, 23, 2020, kOpen, N, "天皇誕生日", "", "The Emperor's Birthday"},
    {2, On::fixedDay, 24, 1989, 1989, S, "昭和天皇の大喪の礼", "大喪の礼",
     "The Funeral Ceremony of Emperor Showa"},
    {3, On::equinox, 0, 1949, kOpen, N, "春分の日", "", "Vernal Equinox Day"},
    {4, On::fixedDay, 10, 1959, 1959, S, "皇太子明仁親王の結婚の儀", "結婚の儀",
     "The Rite of Wedding of Crown Prince Akihito"},
    {4, On::fixedDay, 29, 1949, 1988, N, "天皇誕生日", "", "The Emperor's Birthday"},
    {4, On::fixedDay, 29, 1989, 2006, N, "みどりの日", "", "Greenery Day"},
    {4, On::fixedDay, 29, 2007, kOpen, N, "昭和の日", "", "Showa Day"},
    {5, On::fixedDay, 1, 2019, 2019, S, "天皇の即位の日", "休日（祝日扱い）",
     "The Day of the Emperor's Enthronement"},
    {5, On::fixedDay, 3, 1949, kOpen, N, "憲法記念日", "", "Constitution Memorial Day"},
    {5, On::fixedDay, 4, 2007, kOpen, N, "みどりの日", "", "Greenery Day"},
    {5, On::fixedDay, 5, 1949, kOpen, N, "こどもの日", "", "Children's Day"},
    {6, On::fixedDay, 9, 1993, 1993, S, "皇太子徳仁親王の結婚の儀", "結婚の儀",
     "The Rite of Wedding of Crown Prince Naruhito"},
    {7, On::fixedDay, 20, 1996, 2002, N, "海の日", "", "Marine Day"},
    {7, On::nthMonday, 3, 2003, 2019, N, "海の日", "", "Marine Day"},
    {7, On::fixedDay, 23, 2020, 2020, N, "海の日", "", "Marine Day"},  // Olympic year
    {7, On::fixedDay, 22, 2021, 2021, N, "海の日", "", "Marine Day"},  // Olympics postponed
    {7, On::nthMonday, 3, 2022, kOpen, N, "海の日", "", "Marine Day"},
    {7, On::fixedDay, 24, 2020, 2020, N, "スポーツの日", "", "Sports Day"},
    {7, On::fixedDay, 23, 2021, 2021, N, "スポーツの日", "", "Sports Day"},
    {8, On::fixedDay, 11, 2016, 2019, N, "山の日", "", "Mountain Day"},
    {8, On::fixedDay, 10, 2020, 2020, N, "山の日", "", "Mountain Day"},
    {8, On::fixedDay, 8, 2021, 2021, N, "山の日", "", "Mountain Day"},
    {8, On::fixedDay, 11, 2022, kOpen, N, "山の日", "", "Mountain Day"},
    {9, On::fixedDay, 15, 1966, 2002, N, "敬老の日", "", "Respect for the Aged Day"},
    {9, On::nthMonday, 3, 2003, kOpen, N, "敬老の日", "", "Respect for the Aged Day"},
    {9, On::equinox, 0, 1948, kOpen, N, "秋分の日", "", "Autumnal Equinox Day"},
    {10, On::fixedDay, 10, 1966, 1999, N, "体育の日", "", "Health and Sports Day"},
    {10, On::nthMonday, 2, 2000, 2018, N, "体育の日", "", "Health and Sports Day"},
    // The last 体育の日; the list shows it under the name it was about to take.
    {10, On::nthMonday, 2, 2019, 2019, N, "体育の日", "体育の日（スポーツの日）",
     "Health and Sports Day"},
    {10, On::fixedDay, 22, 2019, 2019, S, "即位礼正殿の儀の行われる日", "休日（祝日扱い）",
     "The Day of the Ceremony of the Enthronement"},
    {10, On::nthMonday, 2, 2022, kOpen, N, "スポーツの日", "", "Sports Day"},
    {11, On::fixedDay, 3, 1948, kOpen, N, "文化の日", "", "Culture Day"},
    {11, On::fixedDay, 12, 1990, 1990, S, "即位礼正殿の儀", "", "The Ceremony of the Enthronement"},
    {11, On::fixedDay, 23, 1948, kOpen, N, "勤労感謝の日", "", "Labor Thanksgiving Day"},
    {12, On::fixedDay, 23, 1989, 2018, N, "天皇誕生日", "", "The Emperor's Birthday"},
};

constexpr bool SortedByMonth() {
  for (std::size_t i = 1; i < std::size(kRules); ++i) {
    if (kRules[i].month < kRules[i - 1].month) return false;
  }
  return true;
}
static_assert(SortedByMonth());

// kMonthBegin[m] .. kMonthBegin[m + 1]: the rows of month m (1..12).
constexpr auto kMonthBegin = [] {
  std::array<std::uint8_t, 14> begin{};
  for (unsigned m = 1; m <= 13; ++m) {
    std::size_t i = 0;
    while (i < std::size(kRules) && kRules[i].month < m) ++i;
    begin[m] = static_cast<std::uint8_t>(i);
  }
  return begin;
}();

// kCandidateDays[m] bit d: day d of month m is a national holiday in some year. Most dates fail
// this one test.
constexpr auto kCandidateDays = [] {
  std::array<std::uint32_t, 13> mask{};
  unsigned equinoxLow[2] = {31, 31};
  unsigned equinoxHigh[2] = {1, 1};
  for (const auto& yearDays : kEquinoxDay) {
    for (std::size_t s = 0; s < 2; ++s) {
      equinoxLow[s] = std::min<unsigned>(equinoxLow[s], yearDays[s]);
      equinoxHigh[s] = std::max<unsigned>(equinoxHigh[s], yearDays[s]);
    }
  }
  auto setDays = [&mask](unsigned m, unsigned from, unsigned to) {
    for (unsigned d = from; d <= to; ++d) mask[m] |= 1U << d;
  };
  for (const Rule& rule : kRules) {
    switch (rule.on) {
      case On::fixedDay:
        setDays(rule.month, rule.value, rule.value);
        break;
      case On::nthMonday:
        setDays(rule.month, 7 * rule.value - 6, 7 * rule.value);
        break;
      case On::equinox: {
        const std::size_t s = rule.month == 3 ? 0 : 1;
        setDays(rule.month, equinoxLow[s], equinoxHigh[s]);
        break;
      }
    }
  }
  return mask;
}();

// Substitute holidays: from 1973-04-12 the Monday after a national holiday on a Sunday; from
// 2007 the first day after it that is no national holiday.
constexpr year_month_day kSubstituteFrom{year{1973}, std::chrono::April, day{12}};
constexpr year kSubstituteNextFreeDayFrom{2007};
// Citizens' holidays: from 1985-12-27 a day between two national holidays; until 2006 not on a
// Sunday nor on a substitute holiday.
constexpr year_month_day kCitizensFrom{year{1985}, std::chrono::December, day{27}};
constexpr year kCitizensAnyDayFrom{2007};

constexpr std::string_view kSubstituteName = "振替休日";
constexpr std::string_view kSubstituteNameEn = "Substitute Holiday";
constexpr std::string_view kCitizensName = "国民の休日";
constexpr std::string_view kCitizensNameEn = "Citizens' Holiday";
constexpr std::string_view kListRestDay = "休日";  // the list's label for both

constexpr Season SeasonOf(unsigned m) {
  return m == 3 ? Season::vernal : Season::autumnal;
}

// Returns the date of a row in a year the row is in force.
constexpr year_month_day DateOf(const Rule& rule, year y) noexcept {
  const month m{rule.month};
  switch (rule.on) {
    case On::fixedDay:
      return {y, m, day{rule.value}};
    case On::nthMonday:
      return year_month_day{sys_days{y / m / std::chrono::Monday[rule.value]}};
    case On::equinox:
      return {y, m, day{EquinoxDay(static_cast<int>(y), SeasonOf(rule.month))}};
  }
  return {};
}

// Returns the row of the national holiday on a valid date, or nullptr.
constexpr const Rule* NationalRule(year_month_day date) noexcept {
  const unsigned m = static_cast<unsigned>(date.month());
  const unsigned d = static_cast<unsigned>(date.day());
  if ((kCandidateDays[m] >> d & 1U) == 0 || date < kActInForce) return nullptr;
  const int y = static_cast<int>(date.year());
  for (std::size_t i = kMonthBegin[m]; i < kMonthBegin[m + 1]; ++i) {
    const Rule& rule = kRules[i];
    if (y < rule.first || y > rule.last) continue;
    switch (rule.on) {
      case On::fixedDay:
        if (d == rule.value) return &rule;
        break;
      case On::nthMonday:
        // The n-th Monday lies on day 7n-6 .. 7n.
        if ((d + 6) / 7 == rule.value && weekday{sys_days{date}} == std::chrono::Monday) {
          return &rule;
        }
        break;
      case On::equinox:
        if (d == EquinoxDay(y, SeasonOf(m))) return &rule;
        break;
    }
  }
  return nullptr;
}

constexpr bool IsNational(sys_days date) noexcept {
  return NationalRule(year_month_day{date}) != nullptr;
}

// Returns the day before a valid date, without a round trip through the day count in the
// common case.
constexpr year_month_day DayBefore(year_month_day date) noexcept {
  if (date.day() > day{1}) return {date.year(), date.month(), date.day() - days{1}};
  return year_month_day{sys_days{date} - days{1}};
}

constexpr Holiday Make(year_month_day date, weekday wd, HolidayKind kind, std::string_view name,
                       std::string_view listName, std::string_view nameEn, bool predicted,
                       LabelStyle style) noexcept {
  const bool useList = style == LabelStyle::officialList && !listName.empty();
  return Holiday{date, wd, useList ? listName : name, nameEn, kind, predicted};
}

// Returns whether the row of a national holiday of year `y` (nullptr: no national holiday) makes
// it an equinox day not yet announced.
constexpr bool IsPredictedEquinox(const Rule* rule, year y) noexcept {
  return rule != nullptr && rule->on == On::equinox && y > kLastOfficialEquinoxYear;
}

// Returns whether a date that is no national holiday, and whose previous day is one, is a
// substitute holiday.
constexpr bool IsSubstitute(sys_days date, weekday wd) noexcept {
  if (date <= sys_days{kSubstituteFrom}) return false;
  if (year_month_day{date}.year() < kSubstituteNextFreeDayFrom) {
    // Only the Monday after the Sunday holiday.
    return wd == std::chrono::Monday && sys_days{date - days{1}} >= sys_days{kSubstituteFrom};
  }
  // The first free day after a run of national holidays that holds a Sunday (a run is shorter
  // than a week, so it holds at most one) on or after 2007-01-01.
  for (sys_days d = date - days{1}; IsNational(d); d -= days{1}) {
    if (weekday{d} == std::chrono::Sunday) {
      return year_month_day{d}.year() >= kSubstituteNextFreeDayFrom;
    }
  }
  return false;
}

// Returns whether a date that is neither a national nor a substitute holiday, and whose previous
// day is a national holiday, is a citizens' holiday.
constexpr bool IsCitizens(year_month_day date, sys_days day, weekday wd) noexcept {
  if (date < kCitizensFrom) return false;
  if (date.year() < kCitizensAnyDayFrom && wd == std::chrono::Sunday) return false;
  return IsNational(day + days{1});
}

// Returns whether a substitute or citizens' holiday rests on a predicted equinox day: the
// substitute holiday after a run of national holidays that holds one, or a citizens' holiday
// next to one. Equinox days lie in March and September, so the derived holidays of an announced
// year rest on none; only those of later years look at their neighbours.
constexpr bool RestsOnPredictedEquinox(year_month_day date, sys_days day,
                                       HolidayKind kind) noexcept {
  if (date.year() <= kLastOfficialEquinoxYear) return false;
  if (kind == HolidayKind::citizens) {
    const year_month_day before = DayBefore(date);
    const year_month_day after{day + days{1}};
    return IsPredictedEquinox(NationalRule(before), before.year()) ||
           IsPredictedEquinox(NationalRule(after), after.year());
  }
  for (year_month_day back = DayBefore(date);; back = DayBefore(back)) {
    const Rule* rule = NationalRule(back);
    if (rule == nullptr) return false;
    if (IsPredictedEquinox(rule, back.year())) return true;
  }
}

constexpr int kFirstHolidayYear = static_cast<int>(kActInForce.year());
constexpr int kHolidayYears = static_cast<int>(kLastYear) - kFirstHolidayYear + 1;

// The holidays of each month as bits: holidayMonths[year - 1948][month - 1] bit d, day d of that
// month is a holiday of any kind; bit 32 + d, day d exists. 0 while the year is not filled. A year
// is filled the first time one of its dates is asked, in about a microsecond, by the rules above
// as YearHolidays walks them (the national holidays of the rows in force, then the day after
// each); from then on one load answers both "is it a date" and "is it a holiday". Filling every
// year at once would cost the first call half a millisecond, and evaluating the table at compile
// time exceeds GCC's constexpr budget. Each month is one atomic word, complete when nonzero;
// threads that fill the same year at once store the same words.
constexpr unsigned kDaysExist = 32;  // the shift of the bits of the days that exist

// Initialised at compile time to "no year filled": usable from any static initialiser.
constinit std::array<std::array<std::atomic<std::uint64_t>, 12>, kHolidayYears> holidayMonths;

[[gnu::noinline]] void FillHolidayYear(int yi) noexcept {
  std::array<std::uint32_t, 12> months{};
  const year y{yi};
  for (const Rule& rule : kRules) {
    if (yi < rule.first || yi > rule.last) continue;
    const year_month_day date = DateOf(rule, y);
    if (date >= kActInForce) months[rule.month - 1] |= 1U << static_cast<unsigned>(date.day());
  }
  const auto nationals = months;
  for (unsigned m = 1; m <= 12; ++m) {
    for (std::uint32_t bits = nationals[m - 1]; bits != 0; bits &= bits - 1) {
      const auto d = static_cast<unsigned>(std::countr_zero(bits));
      const sys_days next = sys_days{y / month{m} / day{d}} + days{1};
      const year_month_day nextDate{next};
      if (nextDate.year() != y || NationalRule(nextDate) != nullptr) continue;
      const weekday wd{next};
      if (IsSubstitute(next, wd) || IsCitizens(nextDate, next, wd)) {
        months[static_cast<unsigned>(nextDate.month()) - 1] |=
            1U << static_cast<unsigned>(nextDate.day());
      }
    }
  }
  auto& entry = holidayMonths[static_cast<std::size_t>(yi - kFirstHolidayYear)];
  for (unsigned m = 1; m <= 12; ++m) {
    const auto length = static_cast<unsigned>(
        std::chrono::year_month_day_last{y, std::chrono::month_day_last{month{m}}}.day());
    const std::uint64_t exist = ((std::uint64_t{1} << length) - 1) << 1;  // days 1..length
    entry[m - 1].store(exist << kDaysExist | months[m - 1], std::memory_order_relaxed);
  }
}

}  // namespace

std::uint32_t HolidayDaysOfMonth(year y, month m) noexcept {
  const int yi = static_cast<int>(y);
  if (yi < kFirstHolidayYear || yi > static_cast<int>(kLastYear) || !m.ok()) return 0;
  auto& word =
      holidayMonths[static_cast<std::size_t>(yi - kFirstHolidayYear)][static_cast<unsigned>(m) - 1];
  std::uint64_t bits = word.load(std::memory_order_relaxed);
  if (bits == 0) {
    FillHolidayYear(yi);
    bits = word.load(std::memory_order_relaxed);
  }
  return static_cast<std::uint32_t>(bits);
}

std::optional<Holiday> Classify(year_month_day date, LabelStyle style) noexcept {
  if (date < kActInForce) return std::nullopt;
  if (const Rule* rule = NationalRule(date)) {
    return Make(date, weekday{sys_days{date}}, rule->kind, rule->name, rule->listName, rule->nameEn,
                IsPredictedEquinox(rule, date.year()), style);
  }
  // Both derived kinds follow a national holiday.
  if (NationalRule(DayBefore(date)) == nullptr) return std::nullopt;
  const sys_days day{date};
  const weekday wd{day};
  if (IsSubstitute(day, wd)) {
    return Make(date, wd, HolidayKind::substitute, kSubstituteName, kListRestDay, kSubstituteNameEn,
                RestsOnPredictedEquinox(date, day, HolidayKind::substitute), style);
  }
  if (IsCitizens(date, day, wd)) {
    return Make(date, wd, HolidayKind::citizens, kCitizensName, kListRestDay, kCitizensNameEn,
                RestsOnPredictedEquinox(date, day, HolidayKind::citizens), style);
  }
  return std::nullopt;
}

std::vector<Holiday> YearHolidays(year y, LabelStyle style) {
  std::vector<Holiday> list;
  if (y < kActInForce.year()) return list;
  // The national holidays from the rows in force, then the day after each: every substitute and
  // citizens' holiday is the day after a national holiday.
  std::array<year_month_day, std::size(kRules)> nationals{};
  std::size_t count = 0;
  const int yi = static_cast<int>(y);
  for (const Rule& rule : kRules) {
    if (yi < rule.first || yi > rule.last) continue;
    const year_month_day date = DateOf(rule, y);
    if (date >= kActInForce) nationals[count++] = date;
  }
  std::sort(nationals.begin(), nationals.begin() + static_cast<std::ptrdiff_t>(count));
  list.reserve(count + 8);
  for (std::size_t i = 0; i < count; ++i) {
    if (auto holiday = Classify(nationals[i], style)) list.push_back(*holiday);
    const year_month_day next{sys_days{nationals[i]} + days{1}};
    if (next.year() != y) continue;
    if (auto holiday = Classify(next, style); holiday && holiday->kind != HolidayKind::national &&
                                              holiday->kind != HolidayKind::specialAct) {
      list.push_back(*holiday);
    }
  }
  return list;
}

}  // namespace velunta::detail

namespace velunta {
namespace {

// The holiday's labels, kept out of HolidayOn so that its common path, a date that is no
// holiday, needs no stack frame.
[[gnu::noinline]] Result<std::optional<Holiday>> LabelledHoliday(std::chrono::year_month_day date,
                                                                 LabelStyle style) noexcept {
  return Result<std::optional<Holiday>>{detail::Classify(date, style)};
}

// Every other date: the argument checks, the years before the Act, and the first call of a year,
// which fills its table.
[[gnu::noinline]] Result<std::optional<Holiday>> CheckedHolidayOn(std::chrono::year_month_day date,
                                                                  LabelStyle style) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  if ((detail::HolidayDaysOfMonth(date.year(), date.month()) >> static_cast<unsigned>(date.day()) &
       1U) == 0) {
    return Result<std::optional<Holiday>>{std::nullopt};
  }
  return LabelledHoliday(date, style);
}

}  // namespace

Result<std::optional<Holiday>> HolidayOn(std::chrono::year_month_day date,
                                         LabelStyle style) noexcept {
  // Most dates are real dates of a filled year and no holiday: one word of the table says so.
  // Every path leaves through a tail call or a return, so the common one saves no registers.
  const auto yearIndex = static_cast<unsigned>(static_cast<int>(date.year()) -
                                               detail::kFirstHolidayYear);  // wraps below 1948
  const unsigned monthIndex = static_cast<unsigned>(date.month()) - 1;      // wraps for month 0
  const auto d = static_cast<unsigned>(date.day());
  if (yearIndex < static_cast<unsigned>(detail::kHolidayYears) && monthIndex < 12 && d < 32) {
    const std::uint64_t bits =
        detail::holidayMonths[yearIndex][monthIndex].load(std::memory_order_relaxed);
    if ((bits >> detail::kDaysExist >> d & 1U) != 0) {
      if ((bits >> d & 1U) == 0) return Result<std::optional<Holiday>>{std::nullopt};
      return LabelledHoliday(date, style);
    }
  }
  return CheckedHolidayOn(date, style);
}

std::string_view EnglishHolidayName(std::string_view name) noexcept {
  using namespace detail;
  if (name == kSubstituteName) return kSubstituteNameEn;
  if (name == kCitizensName) return kCitizensNameEn;
  for (const Rule& rule : kRules) {
    if (rule.name == name || (!rule.listName.empty() && rule.listName == name)) return rule.nameEn;
  }
  return {};
}

Result<bool> IsHoliday(std::chrono::year_month_day date) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  return (detail::HolidayDaysOfMonth(date.year(), date.month()) >>
              static_cast<unsigned>(date.day()) &
          1U) != 0;
}

Result<std::vector<Holiday>> HolidaysOfYear(std::chrono::year y, LabelStyle style) {
  if (!IsCovered(y)) return CalendarError::outOfRange;
  return detail::YearHolidays(y, style);
}

Result<std::vector<Holiday>> HolidaysBetween(std::chrono::year_month_day first,
                                             std::chrono::year_month_day last, LabelStyle style) {
  if (!first.ok() || !last.ok()) return CalendarError::invalidDate;
  if (!IsCovered(first.year()) || !IsCovered(last.year())) return CalendarError::outOfRange;
  if (last < first) return CalendarError::invalidRange;
  std::vector<Holiday> list;
  for (std::chrono::year y = first.year(); y <= last.year(); ++y) {
    for (const Holiday& holiday : detail::YearHolidays(y, style)) {
      if (holiday.date >= first && holiday.date <= last) list.push_back(holiday);
    }
  }
  return list;
}

}  // namespace velunta
