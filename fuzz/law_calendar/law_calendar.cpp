// The law calendar and the business-day functions with arbitrary dates, counts and options:
// only the documented errors come back, a year's list is its days one by one, a range's list is
// the years' lists cut to the range, AddBusinessDays and CountBusinessDays undo each other, and
// a rolled date is the nearest business day the convention names.

#include <velunta/business_days.h>
#include <velunta/calendar.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "../common/byte_reader.h"
#include "../common/civil.h"
#include "../common/fuzz_check.h"

namespace {

using namespace std::chrono;
using velunta::CalendarError;
using velunta::fuzz::Decimal;
using velunta::fuzz::Require;
using velunta::fuzz::Violation;

// At most this many closing dates of the caller's: each business-day step looks through all.
constexpr std::size_t kMaxExtraClosedDays = 16;

std::string Describe(year_month_day date) {
  return Decimal(static_cast<int>(date.year())) + "-" +
         Decimal(static_cast<unsigned>(date.month()), 2) + "-" +
         Decimal(static_cast<unsigned>(date.day()), 2);
}

std::string ErrorText(CalendarError error) {
  return std::string(velunta::Describe(error));
}

// Returns the error a function that takes one date documents for it, or nothing for a date of
// 1600..2399.
std::optional<CalendarError> ErrorFor(year_month_day date) {
  if (!date.ok()) return CalendarError::invalidDate;
  if (date.year() < year{1600} || date.year() > year{2399}) return CalendarError::outOfRange;
  return std::nullopt;
}

// Checks that a result is the documented error, or a value when none is due.
template <class T>
void RequireErrorOrValue(const velunta::Result<T>& result, std::optional<CalendarError> expected,
                         const char* function, const std::string& detail) {
  if (!expected) {
    if (!result.has_value()) {
      Violation(std::string(function) + " answers a covered date",
                detail + ": " + ErrorText(result.error()));
    }
  } else if (result.has_value() || result.error() != *expected) {
    Violation(std::string(function) + " refuses with the documented error",
              detail + ": expected " + ErrorText(*expected));
  }
}

// Dates from the fuzzer's bytes: any year, month and day numbers when `raw`, else a date near
// the covered years (1590..2409), with day numbers up to 31 in every month.
year_month_day TakeDate(velunta::fuzz::ByteReader& in, bool raw) {
  const auto y = in.Take<std::int16_t>();
  const auto m = in.Take<std::uint8_t>();
  const auto d = in.Take<std::uint8_t>();
  if (raw) return year{y} / month{m} / day{d};
  return year{1590 + static_cast<std::uint16_t>(y) % 820} / month{1U + m % 12U} / day{1U + d % 31U};
}

// Checks one date's holiday against the documented facts of a Holiday.
void CheckHolidayOn(year_month_day date, velunta::LabelStyle style) {
  const auto holiday = velunta::HolidayOn(date, style);
  const std::string detail = Describe(date);
  RequireErrorOrValue(holiday, ErrorFor(date), "HolidayOn", detail);
  const auto isHoliday = velunta::IsHoliday(date);
  RequireErrorOrValue(isHoliday, ErrorFor(date), "IsHoliday", detail);
  if (!holiday.has_value()) return;
  Require(*isHoliday == (*holiday).has_value(), "IsHoliday agrees with HolidayOn", detail);
  if (!(*holiday).has_value()) return;
  const velunta::Holiday& h = **holiday;
  Require(h.date == date && h.weekday == weekday{sys_days{date}},
          "a holiday carries its date and weekday", detail);
  Require(!h.name.empty() && !h.nameEn.empty(), "a holiday has both names", detail);
  Require(date >= velunta::kActInForce, "no holiday before the act took effect", detail);
}

// Returns the holidays of a covered year found day by day.
std::vector<velunta::Holiday> HolidaysDayByDay(year y, velunta::LabelStyle style) {
  std::vector<velunta::Holiday> list;
  for (sys_days d{y / January / 1}; d <= sys_days{y / December / 31}; d += days{1}) {
    const auto holiday = velunta::HolidayOn(year_month_day{d}, style);
    Require(holiday.has_value(), "HolidayOn answers every day of a covered year", Describe(d));
    if ((*holiday).has_value()) list.push_back(**holiday);
  }
  return list;
}

std::string FirstDifference(const std::vector<velunta::Holiday>& got,
                            const std::vector<velunta::Holiday>& expected) {
  std::string text = Decimal(static_cast<long long>(got.size())) + " holidays, expected " +
                     Decimal(static_cast<long long>(expected.size()));
  for (std::size_t i = 0; i < got.size() || i < expected.size(); ++i) {
    if (i >= got.size() || i >= expected.size() || !(got[i] == expected[i])) {
      text +=
          "; first difference at " + std::to_string(i) + ": " +
          (i < got.size() ? Describe(got[i].date) + " " + std::string(got[i].name) : "none") +
          " / " +
          (i < expected.size() ? Describe(expected[i].date) + " " + std::string(expected[i].name)
                               : "none");
      break;
    }
  }
  return text;
}

// Checks that a year's list equals its days one by one.
void CheckYear(year y, velunta::LabelStyle style) {
  const auto list = velunta::HolidaysOfYear(y, style);
  const std::string detail = "year " + Decimal(static_cast<int>(y));
  const bool covered = y.ok() && y >= year{1600} && y <= year{2399};
  RequireErrorOrValue(list, covered ? std::nullopt : std::optional{CalendarError::outOfRange},
                      "HolidaysOfYear", detail);
  if (!list.has_value()) return;
  const auto expected = HolidaysDayByDay(y, style);
  if (!(*list == expected)) {
    Violation("a year's list is its days one by one",
              detail + ": " + FirstDifference(*list, expected));
  }
}

// Checks that a range's list is the holidays of its years that lie in the range.
void CheckRange(year_month_day first, year_month_day last, velunta::LabelStyle style) {
  const auto list = velunta::HolidaysBetween(first, last, style);
  const std::string detail = Describe(first) + " .. " + Describe(last);
  const auto firstError = ErrorFor(first);
  const auto lastError = ErrorFor(last);
  if (firstError || lastError || last < first) {
    // With several faults any of the documented errors may come first; one of them must.
    Require(!list.has_value(), "HolidaysBetween refuses a bad range", detail);
    const CalendarError e = list.error();
    Require(e == firstError || e == lastError || (e == CalendarError::invalidRange && last < first),
            "HolidaysBetween refuses with an error that applies", detail + ": " + ErrorText(e));
    return;
  }
  Require(list.has_value(), "HolidaysBetween answers a covered range", detail);
  // Ranges of up to three years are compared in full; longer ones only at their ends.
  if (last.year() - first.year() > years{2}) return;
  std::vector<velunta::Holiday> expected;
  for (year y = first.year(); y <= last.year(); ++y) {
    const auto yearList = velunta::HolidaysOfYear(y, style);  // kept: a temporary's * dangles
    for (const velunta::Holiday& h : *yearList) {
      if (h.date >= first && h.date <= last) expected.push_back(h);
    }
  }
  if (!(*list == expected)) {
    Violation("a range's list is its years' lists cut to the range",
              detail + ": " + FirstDifference(*list, expected));
  }
}

// Checks a year's equinoxes: the documented error outside 1600..2399; otherwise instants in
// March and September whose JST wall clock is UTC + 9 h and whose day holds it.
void CheckEquinoxes(year y) {
  const auto both = velunta::EquinoxesOf(y);
  const std::string detail = "year " + Decimal(static_cast<int>(y));
  const bool covered = y.ok() && y >= year{1600} && y <= year{2399};
  RequireErrorOrValue(both, covered ? std::nullopt : std::optional{CalendarError::outOfRange},
                      "EquinoxesOf", detail);
  if (!both.has_value()) return;
  for (const velunta::Equinox& e : {(*both).vernal, (*both).autumnal}) {
    const auto one = velunta::EquinoxOf(y, e.season);
    Require(one.has_value() && *one == e, "EquinoxOf agrees with EquinoxesOf", detail);
    const month expectedMonth = e.season == velunta::Season::vernal ? March : September;
    Require(e.day.year() == y && e.day.month() == expectedMonth,
            "an equinox lies in its year's March or September", detail);
    Require(e.jst.time_since_epoch() == e.utc.time_since_epoch() + hours{9}, "JST is UTC + 9 h",
            detail);
    Require(year_month_day{floor<days>(sys_time<milliseconds>{e.jst.time_since_epoch()})} == e.day,
            "the equinox day holds the JST instant", detail);
    Require(e.official == velunta::IsOfficialEquinox(y, e.season),
            "official exactly for the announced years", detail);
  }
}

// The business-day rules, written out from the options for comparison.
bool IsOpenByDefinition(year_month_day date, const velunta::BusinessDayOptions& options) {
  const weekday wd{sys_days{date}};
  if (wd == Saturday && options.saturdayOff) return false;
  if (wd == Sunday && options.sundayOff) return false;
  const month_day md = date.month() / date.day();
  if (options.bankClosingDays && (md == December / 31 || md == January / 2 || md == January / 3)) {
    return false;
  }
  for (const year_month_day& closed : options.extraClosedDays) {
    if (closed.ok() && closed == date) return false;
  }
  return !*velunta::IsHoliday(date);
}

void CheckIsBusinessDay(year_month_day date, const velunta::BusinessDayOptions& options) {
  const auto open = velunta::IsBusinessDay(date, options);
  RequireErrorOrValue(open, ErrorFor(date), "IsBusinessDay", Describe(date));
  if (open.has_value()) {
    Require(*open == IsOpenByDefinition(date, options), "a business day is a day no rule closes",
            Describe(date));
  }
}

// Checks AddBusinessDays against its definition and CountBusinessDays against it: the answer is
// a business day n business days away, and counting from `from` to it gives back n (minus one
// when `from` is closed and n > 0, as `from` is counted there but never stepped over).
void CheckAddAndCount(year_month_day from, int n, const velunta::BusinessDayOptions& options) {
  const auto to = velunta::AddBusinessDays(from, n, options);
  const std::string detail = Describe(from) + " + " + std::to_string(n);
  if (const auto error = ErrorFor(from)) {
    RequireErrorOrValue(to, error, "AddBusinessDays", detail);
    return;
  }
  if (!to.has_value()) {
    Require(to.error() == CalendarError::outOfRange,
            "AddBusinessDays fails only for leaving 1600..2399", detail);
    return;
  }
  const year_month_day answer = *to;
  const std::string withAnswer = detail + " = " + Describe(answer);
  Require(ErrorFor(answer) == std::nullopt, "AddBusinessDays answers a covered date", withAnswer);
  if (n == 0) {
    Require(answer == from, "adding 0 business days keeps the date", withAnswer);
    return;
  }
  Require(n > 0 ? answer > from : answer < from, "AddBusinessDays moves the way n points",
          withAnswer);
  Require(IsOpenByDefinition(answer, options), "AddBusinessDays lands on a business day",
          withAnswer);
  const bool fromOpen = IsOpenByDefinition(from, options);
  const auto count = velunta::CountBusinessDays(from, answer, options);
  Require(count.has_value(), "CountBusinessDays answers covered dates", withAnswer);
  const int expected = n > 0 ? n - 1 + (fromOpen ? 1 : 0) : n;
  if (*count != expected) {
    Violation("counting back an addition gives n", withAnswer + ": counted " +
                                                       std::to_string(*count) + ", expected " +
                                                       std::to_string(expected));
  }
  const auto reverse = velunta::CountBusinessDays(answer, from, options);
  Require(reverse.has_value() && *reverse == -*count, "counting the other way negates the count",
          withAnswer);
}

// Checks a roll: the nearest business day the convention names, or outOfRange when the walk
// leaves the covered years.
void CheckRoll(year_month_day date, velunta::Roll roll,
               const velunta::BusinessDayOptions& options) {
  const auto rolled = velunta::RollToBusinessDay(date, roll, options);
  const std::string detail = Describe(date) + " roll " + std::to_string(static_cast<int>(roll));
  if (const auto error = ErrorFor(date)) {
    RequireErrorOrValue(rolled, error, "RollToBusinessDay", detail);
    return;
  }
  // The walk the convention makes, bounded by the covered years.
  const auto walk = [&](int step) -> std::optional<year_month_day> {
    for (sys_days d{date}; d >= sys_days{velunta::kFirstDate} && d <= sys_days{velunta::kLastDate};
         d += days{step}) {
      if (IsOpenByDefinition(year_month_day{d}, options)) return year_month_day{d};
    }
    return std::nullopt;
  };
  std::optional<year_month_day> expected;
  switch (roll) {
    case velunta::Roll::following:
      expected = walk(1);
      break;
    case velunta::Roll::preceding:
      expected = walk(-1);
      break;
    case velunta::Roll::modifiedFollowing:
      expected = walk(1);
      if (!expected || expected->month() != date.month()) {
        expected = walk(-1);
      }
      break;
    case velunta::Roll::modifiedPreceding:
      expected = walk(-1);
      if (!expected || expected->month() != date.month()) {
        expected = walk(1);
      }
      break;
  }
  if (!expected) {
    Require(!rolled.has_value() && rolled.error() == CalendarError::outOfRange,
            "a roll that leaves 1600..2399 is outOfRange", detail);
    return;
  }
  Require(rolled.has_value() && *rolled == *expected, "a roll picks the convention's day",
          detail + " expected " + Describe(*expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velunta::fuzz::ByteReader in(data, size);
  const auto mode = in.Take<std::uint8_t>();
  const bool raw = (mode & 1U) != 0;
  const auto style =
      (mode & 2U) != 0 ? velunta::LabelStyle::officialList : velunta::LabelStyle::official;
  const year_month_day first = TakeDate(in, raw);
  // The second date ends a range from 200 days before the first to 1000 days after it, unless
  // raw: ranges of centuries cost milliseconds a run, and raw inputs still reach them.
  year_month_day second = TakeDate(in, raw);
  if (!raw && first.ok()) {
    second = year_month_day{sys_days{first} + days{static_cast<int>(second.year()) % 1200 - 200}};
  }

  // Counts: mostly small, up to a few years' worth when asked, any int on request. Counts of
  // tens of thousands make a run walk the whole span three times, so they come only from the
  // int, which mostly overshoots the covered years and is refused at once.
  int n = in.Take<std::int8_t>();
  if ((mode & 4U) != 0) n = in.Take<std::int16_t>() % 1000;
  if ((mode & 8U) != 0) n = in.Take<std::int32_t>();

  std::vector<year_month_day> extra;
  velunta::BusinessDayOptions options;
  const auto flags = in.Take<std::uint8_t>();
  options.saturdayOff = (flags & 1U) == 0;
  options.sundayOff = (flags & 2U) == 0;
  options.bankClosingDays = (flags & 4U) != 0;
  const std::size_t extraCount = (flags >> 3U) % (kMaxExtraClosedDays + 1);
  for (std::size_t i = 0; i < extraCount; ++i) {
    // Near the first date, so that they matter; any date, even an impossible one, when raw.
    const auto offset = in.Take<std::int8_t>();
    if (raw || ErrorFor(first)) {
      extra.push_back(TakeDate(in, true));
    } else {
      extra.push_back(year_month_day{sys_days{first} + days{offset}});
    }
  }
  options.extraClosedDays = extra;

  CheckHolidayOn(first, style);
  CheckYear(first.year(), style);
  CheckRange(first, second, style);
  CheckEquinoxes(second.year());
  CheckIsBusinessDay(first, options);
  CheckAddAndCount(first, n, options);
  CheckRoll(first, static_cast<velunta::Roll>((mode >> 4U) % 4U), options);
  return 0;
}
