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

#include "date_index.h"
#include "equinox_table.h"
#include "law_tables.h"

namespace velunta::detail {
namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;

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
    case LawDayRule::fixedDay:
      return {y, m, day{rule.value}};
    case LawDayRule::nthMonday:
      return year_month_day{sys_days{y / m / std::chrono::Monday[rule.value]}};
    case LawDayRule::equinox:
      return {y, m, day{EquinoxDay(static_cast<int>(y), SeasonOf(rule.month))}};
  }
  return {};
}

// Returns the row of the national holiday on a valid date, or nullptr.
const Rule* NationalRule(const LawTables& law, year_month_day date) noexcept {
  const unsigned m = static_cast<unsigned>(date.month());
  const unsigned d = static_cast<unsigned>(date.day());
  if ((law.candidateDays[m] >> d & 1U) == 0 || date < kActInForce) return nullptr;
  const int y = static_cast<int>(date.year());
  for (std::size_t i = law.monthBegin[m]; i < law.monthBegin[m + 1]; ++i) {
    const Rule& rule = law.rules[i];
    if (y < rule.first || y > rule.last) continue;
    switch (rule.on) {
      case LawDayRule::fixedDay:
        if (d == rule.value) return &rule;
        break;
      case LawDayRule::nthMonday:
        // The n-th Monday lies on day 7n-6 .. 7n.
        if ((d + 6) / 7 == rule.value && weekday{sys_days{date}} == std::chrono::Monday) {
          return &rule;
        }
        break;
      case LawDayRule::equinox:
        if (d == EquinoxDay(y, SeasonOf(m))) return &rule;
        break;
    }
  }
  return nullptr;
}

bool IsNational(const LawTables& law, sys_days date) noexcept {
  return NationalRule(law, year_month_day{date}) != nullptr;
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
bool IsPredictedEquinox(const LawTables& law, const Rule* rule, year y) noexcept {
  return rule != nullptr && rule->on == LawDayRule::equinox &&
         static_cast<int>(y) > law.lastAnnouncedEquinoxYear;
}

// Returns whether a date that is no national holiday, and whose previous day is one, is a
// substitute holiday.
bool IsSubstitute(const LawTables& law, sys_days date, weekday wd) noexcept {
  const sys_days from{law.dates.substituteFrom};
  const sys_days nextFreeDay{law.dates.substituteNextFreeDay};
  if (date <= from) return false;
  if (date < nextFreeDay) {
    // Only the Monday after the Sunday holiday.
    return wd == std::chrono::Monday && sys_days{date - days{1}} >= from;
  }
  // The first free day after a run of national holidays that holds a Sunday on or after the
  // date the rule took effect. Walking back stops at the first Sunday: a later substitute
  // holiday of an earlier Sunday in a long run would be this same day.
  for (sys_days d = date - days{1}; IsNational(law, d); d -= days{1}) {
    if (weekday{d} == std::chrono::Sunday) return d >= nextFreeDay;
  }
  return false;
}

// Returns whether a date that is neither a national nor a substitute holiday, and whose previous
// day is a national holiday, is a citizens' holiday.
bool IsCitizens(const LawTables& law, year_month_day date, sys_days day, weekday wd) noexcept {
  if (date < law.dates.citizensFrom) return false;
  if (date < law.dates.citizensAnyWeekday && wd == std::chrono::Sunday) return false;
  return IsNational(law, day + days{1});
}

// Returns whether a substitute or citizens' holiday rests on a predicted equinox day: the
// substitute holiday after a run of national holidays that holds one, or a citizens' holiday
// next to one. Equinox days lie in March and September, so the derived holidays of an announced
// year rest on none; only those of later years look at their neighbours.
bool RestsOnPredictedEquinox(const LawTables& law, year_month_day date, sys_days day,
                             HolidayKind kind) noexcept {
  if (static_cast<int>(date.year()) <= law.lastAnnouncedEquinoxYear) return false;
  if (kind == HolidayKind::citizens) {
    const year_month_day before = DayBefore(date);
    const year_month_day after{day + days{1}};
    return IsPredictedEquinox(law, NationalRule(law, before), before.year()) ||
           IsPredictedEquinox(law, NationalRule(law, after), after.year());
  }
  for (year_month_day back = DayBefore(date);; back = DayBefore(back)) {
    const Rule* rule = NationalRule(law, back);
    if (rule == nullptr) return false;
    if (IsPredictedEquinox(law, rule, back.year())) return true;
  }
}

// What makes a date a holiday, before it is labelled: the row of a national holiday or a special
// act (nullptr for the derived kinds), the kind, and whether it rests on a predicted equinox day.
struct HolidayKindOn {
  const Rule* rule;
  HolidayKind kind;
  bool predicted;
};

std::optional<HolidayKindOn> KindOn(const LawTables& law, year_month_day date) noexcept {
  if (date < kActInForce) return std::nullopt;
  if (const Rule* rule = NationalRule(law, date)) {
    return HolidayKindOn{rule, rule->kind, IsPredictedEquinox(law, rule, date.year())};
  }
  // Both derived kinds follow a national holiday.
  if (NationalRule(law, DayBefore(date)) == nullptr) return std::nullopt;
  const sys_days day{date};
  const weekday wd{day};
  if (IsSubstitute(law, day, wd)) {
    return HolidayKindOn{nullptr, HolidayKind::substitute,
                         RestsOnPredictedEquinox(law, date, day, HolidayKind::substitute)};
  }
  if (IsCitizens(law, date, day, wd)) {
    return HolidayKindOn{nullptr, HolidayKind::citizens,
                         RestsOnPredictedEquinox(law, date, day, HolidayKind::citizens)};
  }
  return std::nullopt;
}

Holiday Label(const HolidayKindOn& on, year_month_day date, weekday wd, LabelStyle style) noexcept {
  std::string_view name = kCitizensName;
  std::string_view listName = kListRestDay;
  std::string_view nameEn = kCitizensNameEn;
  if (on.rule != nullptr) {
    name = on.rule->name;
    listName = on.rule->listName;
    nameEn = on.rule->nameEn;
  } else if (on.kind == HolidayKind::substitute) {
    name = kSubstituteName;
    nameEn = kSubstituteNameEn;
  }
  return Make(date, wd, on.kind, name, listName, nameEn, on.predicted, style);
}

// A holiday as a byte of LawTables::codes: 1 + the index of its row for a national holiday or a
// special act, or one of the two codes below; bit 7 when predicted. 0: not recorded.
constexpr unsigned kSubstituteCode = 126;
constexpr unsigned kCitizensCode = 127;
constexpr unsigned kPredictedBit = 128;
constexpr unsigned kCodesPerMonth = 8;  // bytes of a word

std::uint8_t CodeOf(const LawTables& law, const HolidayKindOn& on) noexcept {
  unsigned code = on.kind == HolidayKind::substitute ? kSubstituteCode : kCitizensCode;
  if (on.rule != nullptr) {
    const auto row = static_cast<std::size_t>(on.rule - law.rules.data());
    if (row + 1 >= kSubstituteCode) return 0;  // beyond a byte's codes: left to the rules
    code = static_cast<unsigned>(row + 1);
  }
  return static_cast<std::uint8_t>(code | (on.predicted ? kPredictedBit : 0U));
}

// Returns the holiday a nonzero code records.
HolidayKindOn KindOfCode(const LawTables& law, unsigned code) noexcept {
  const bool predicted = (code & kPredictedBit) != 0;
  switch (code & ~kPredictedBit) {
    case kSubstituteCode:
      return {nullptr, HolidayKind::substitute, predicted};
    case kCitizensCode:
      return {nullptr, HolidayKind::citizens, predicted};
    default: {
      const Rule& rule = law.rules[(code & ~kPredictedBit) - 1];
      return {&rule, rule.kind, predicted};
    }
  }
}

// Returns what the holiday is on a date that the filled word `monthWord` of its month marks as
// one, or std::nullopt when its code is not recorded.
std::optional<HolidayKindOn> RecordedKind(const LawTables& law, year_month_day date,
                                          std::uint64_t monthWord) noexcept {
  const auto d = static_cast<unsigned>(date.day());
  // The day's rank among the month's holidays picks its byte.
  const auto rank = static_cast<unsigned>(PopCount(monthWord & ((std::uint64_t{1} << d) - 1)));
  if (rank >= kCodesPerMonth) return std::nullopt;
  const auto yearIndex =
      static_cast<std::size_t>(static_cast<int>(date.year()) - kFirstHolidayYear);
  const std::size_t monthIndex = static_cast<unsigned>(date.month()) - 1;
  const std::uint64_t codes = law.codes[yearIndex][monthIndex].load(std::memory_order_relaxed);
  const auto code = static_cast<unsigned>(codes >> (8 * rank) & 0xFFU);
  if (code == 0) return std::nullopt;
  return KindOfCode(law, code);
}

// Fills a year's words of law.months and law.codes by the rules above as YearHolidays walks them
// (the national holidays of the rows in force, then the day after each). Filling every year at once
// would cost the first call a millisecond.
[[gnu::noinline]] void FillHolidayYear(const LawTables& law, int yi) noexcept {
  std::array<std::uint32_t, 12> months{};
  const year y{yi};
  for (const Rule& rule : law.rules) {
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
      if (nextDate.year() != y || NationalRule(law, nextDate) != nullptr) continue;
      const weekday wd{next};
      if (IsSubstitute(law, next, wd) || IsCitizens(law, nextDate, next, wd)) {
        months[static_cast<unsigned>(nextDate.month()) - 1] |=
            1U << static_cast<unsigned>(nextDate.day());
      }
    }
  }
  const auto yearIndex = static_cast<std::size_t>(yi - kFirstHolidayYear);
  for (unsigned m = 1; m <= 12; ++m) {
    std::uint64_t codes = 0;
    unsigned k = 0;
    for (std::uint32_t bits = months[m - 1]; bits != 0 && k < kCodesPerMonth; bits &= bits - 1) {
      const day d{static_cast<unsigned>(std::countr_zero(bits))};
      if (const auto kind = KindOn(law, y / month{m} / d)) {
        codes |= std::uint64_t{CodeOf(law, *kind)} << (8 * k);
      }
      ++k;
    }
    law.codes[yearIndex][m - 1].store(codes, std::memory_order_relaxed);
  }
  auto& entry = law.months[yearIndex];
  for (unsigned m = 1; m <= 12; ++m) {
    const auto length = static_cast<unsigned>(
        std::chrono::year_month_day_last{y, std::chrono::month_day_last{month{m}}}.day());
    const std::uint64_t exist = ((std::uint64_t{1} << length) - 1) << 1;  // days 1..length
    entry[m - 1].store(exist << kDaysExist | months[m - 1], std::memory_order_relaxed);
  }
}

}  // namespace

std::uint32_t HolidayDaysOfMonth(const LawTables& law, year y, month m) noexcept {
  const int yi = static_cast<int>(y);
  if (yi < kFirstHolidayYear || yi > static_cast<int>(kLastYear) || !m.ok()) return 0;
  auto& word =
      law.months[static_cast<std::size_t>(yi - kFirstHolidayYear)][static_cast<unsigned>(m) - 1];
  std::uint64_t bits = word.load(std::memory_order_relaxed);
  if (bits == 0) {
    FillHolidayYear(law, yi);
    bits = word.load(std::memory_order_relaxed);
  }
  return static_cast<std::uint32_t>(bits);
}

std::optional<Holiday> Classify(const LawTables& law, year_month_day date,
                                LabelStyle style) noexcept {
  const auto kind = KindOn(law, date);
  if (!kind) return std::nullopt;
  return Label(*kind, date, weekday{sys_days{date}}, style);
}

std::vector<Holiday> YearHolidays(const LawTables& law, year y, LabelStyle style) {
  std::vector<Holiday> list;
  if (y < kActInForce.year()) return list;
  // The national holidays from the rows in force, then the day after each: every substitute and
  // citizens' holiday is the day after a national holiday.
  std::vector<year_month_day> nationals;
  nationals.reserve(32);
  const int yi = static_cast<int>(y);
  for (const Rule& rule : law.rules) {
    if (yi < rule.first || yi > rule.last) continue;
    const year_month_day date = DateOf(rule, y);
    if (date >= kActInForce) nationals.push_back(date);
  }
  std::sort(nationals.begin(), nationals.end());
  list.reserve(nationals.size() + 8);
  for (const year_month_day date : nationals) {
    if (auto holiday = Classify(law, date, style)) list.push_back(*holiday);
    const year_month_day next{sys_days{date} + days{1}};
    if (next.year() != y) continue;
    if (auto holiday = Classify(law, next, style); holiday &&
                                                   holiday->kind != HolidayKind::national &&
                                                   holiday->kind != HolidayKind::specialAct) {
      list.push_back(*holiday);
    }
  }
  return list;
}

std::uint32_t HolidayDaysOfMonth(year y, month m) noexcept {
  return HolidayDaysOfMonth(InUse(), y, m);
}

std::optional<Holiday> Classify(year_month_day date, LabelStyle style) noexcept {
  return Classify(InUse(), date, style);
}

std::vector<Holiday> YearHolidays(year y, LabelStyle style) {
  return YearHolidays(InUse(), y, style);
}

year_month_day RowDate(const Rule& rule, year y) noexcept {
  return DateOf(rule, y);
}

}  // namespace velunta::detail

namespace velunta {
namespace {

// Returns the word of the date's month (see LawTables::months) when the year lies in 1948..2399,
// the month in 1..12 and the day below 32, else 0: a word whose bit kDaysExist + DayBit(date) is
// set is that of a real date of a filled year.
inline std::uint64_t MonthWord(const detail::LawTables& law,
                               std::chrono::year_month_day date) noexcept {
  const auto yearIndex = static_cast<unsigned>(static_cast<int>(date.year()) -
                                               detail::kFirstHolidayYear);  // wraps below 1948
  const unsigned monthIndex = static_cast<unsigned>(date.month()) - 1;      // wraps for month 0
  if (yearIndex >= static_cast<unsigned>(detail::kHolidayYears) || monthIndex >= 12 ||
      static_cast<unsigned>(date.day()) >= 32) {
    return 0;
  }
  return law.months[yearIndex][monthIndex].load(std::memory_order_relaxed);
}

// Returns the day of a date masked to 0..31, where MonthWord looks for it (a later day gets the
// word 0).
constexpr unsigned DayBit(std::chrono::year_month_day date) noexcept {
  return static_cast<unsigned>(date.day()) & 31U;
}

// A holiday labelled by the rules themselves: the first lookup of a year, or a code not recorded.
[[gnu::noinline]] Result<std::optional<Holiday>> ClassifiedHoliday(const detail::LawTables& law,
                                                                   std::chrono::year_month_day date,
                                                                   LabelStyle style) noexcept {
  return Result<std::optional<Holiday>>{detail::Classify(law, date, style)};
}

// The holiday's labels, kept out of HolidayOn so that its common path, a date that is no
// holiday, needs no stack frame.
[[gnu::noinline]] Result<std::optional<Holiday>> LabelledHoliday(const detail::LawTables& law,
                                                                 std::chrono::year_month_day date,
                                                                 std::uint64_t monthWord,
                                                                 LabelStyle style) noexcept {
  const auto on = detail::RecordedKind(law, date, monthWord);
  if (!on) return ClassifiedHoliday(law, date, style);
  // Built in place: a Holiday assembled on the stack and copied in costs a stalled reload.
  return Result<std::optional<Holiday>>{
      detail::Label(*on, date, detail::WeekdayOfIndex(detail::DateIndex(date).value_or(0)), style)};
}

// Every other date: the argument checks, the years before the Act, and the first call of a year,
// which fills its table.
[[gnu::noinline]] Result<std::optional<Holiday>> CheckedHolidayOn(const detail::LawTables& law,
                                                                  std::chrono::year_month_day date,
                                                                  LabelStyle style) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  if ((detail::HolidayDaysOfMonth(law, date.year(), date.month()) >>
           static_cast<unsigned>(date.day()) &
       1U) == 0) {
    return Result<std::optional<Holiday>>{std::nullopt};
  }
  return ClassifiedHoliday(law, date, style);
}

[[gnu::noinline]] Result<bool> CheckedIsHoliday(std::chrono::year_month_day date) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  return (detail::HolidayDaysOfMonth(date.year(), date.month()) >>
              static_cast<unsigned>(date.day()) &
          1U) != 0;
}

}  // namespace

Result<std::optional<Holiday>> HolidayOn(std::chrono::year_month_day date,
                                         LabelStyle style) noexcept {
  // Most dates are real dates of a filled year and no holiday: one word of the law's table says
  // so. A holiday is labelled from the code its year recorded for it.
  const detail::LawTables& law = detail::InUse();
  const std::uint64_t word = MonthWord(law, date);
  const unsigned d = DayBit(date);
  if ((word >> detail::kDaysExist >> d & 1U) != 0) {
    if ((word >> d & 1U) == 0) return Result<std::optional<Holiday>>{std::nullopt};
    return LabelledHoliday(law, date, word, style);
  }
  return CheckedHolidayOn(law, date, style);
}

std::string_view EnglishHolidayName(std::string_view name) noexcept {
  using namespace detail;
  if (name == kSubstituteName) return kSubstituteNameEn;
  if (name == kCitizensName) return kCitizensNameEn;
  for (const Rule& rule : InUse().rules) {
    if (rule.name == name || (!rule.listName.empty() && rule.listName == name)) return rule.nameEn;
  }
  return {};
}

Result<bool> IsHoliday(std::chrono::year_month_day date) noexcept {
  const std::uint64_t word = MonthWord(detail::InUse(), date);
  const unsigned d = DayBit(date);
  if ((word >> detail::kDaysExist >> d & 1U) != 0) return (word >> d & 1U) != 0;
  return CheckedIsHoliday(date);
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
  const detail::LawTables& law = detail::InUse();
  std::vector<Holiday> list;
  for (std::chrono::year y = first.year(); y <= last.year(); ++y) {
    for (const Holiday& holiday : detail::YearHolidays(law, y, style)) {
      if (holiday.date >= first && holiday.date <= last) list.push_back(holiday);
    }
  }
  return list;
}

}  // namespace velunta
