// The module's six procedures with arbitrary arguments and pre-filled out-arguments: each
// returns only -1 or 0, a refused input leaves every out-argument as it was, the text and the
// number forms of a date agree, and a year's list is the days of the year classified one by one.

#include <velunta/Mdl_Velunta.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "../common/byte_reader.h"
#include "../common/civil.h"
#include "../common/fuzz_check.h"
#include "velunta/runtime/date_text.h"

namespace {

using Mdl_Velunta::kFalse;
using Mdl_Velunta::kTrue;
using Mdl_Velunta::Truth;
using velunta::fuzz::CivilDate;
using velunta::fuzz::Decimal;
using velunta::fuzz::Escaped;
using velunta::fuzz::Require;
using velunta::fuzz::Violation;

// Values no procedure ever writes: an out-argument still holding one was left alone.
constexpr std::int16_t kUntouched = -12345;
const std::string kUntouchedName = "untouched";

std::string Describe(std::int16_t y, std::int16_t m, std::int16_t d) {
  return Decimal(y) + "/" + Decimal(m) + "/" + Decimal(d);
}

bool IsTruth(std::int16_t value) {
  return value == kTrue || value == kFalse;
}

// A date's classification as the module answers it.
struct Answer {
  std::int16_t result = kUntouched;
  std::int16_t isHoliday = kUntouched;
  std::int16_t code = kUntouched;

  friend bool operator==(const Answer&, const Answer&) = default;
};

std::string Describe(const Answer& a) {
  return "returned " + Decimal(a.result) + ", isHoliday " + Decimal(a.isHoliday) + ", code " +
         Decimal(a.code);
}

Answer InfoByNumbers(std::int16_t y, std::int16_t m, std::int16_t d) {
  Answer a;
  a.result = Mdl_Velunta::GetHolidayInfo(y, m, d, a.isHoliday, a.code);
  return a;
}

Answer InfoByText(const std::string& text) {
  Answer a;
  a.result = Mdl_Velunta::GetHolidayInfoByText(text, a.isHoliday, a.code);
  return a;
}

// A code is 0, 1 (a plain Sunday), 2 (a substitute holiday) or a holiday id 10..180, plus 1 on
// a Sunday.
bool IsHolidayCode(std::int16_t code) {
  if (code >= 0 && code <= 2) return true;
  const int id = code - code % 10;
  return id >= 10 && id <= 180 && code % 10 <= 1;
}

// Checks GetHolidayInfo on numbers: refused exactly for no real date, with nothing written;
// otherwise a consistent code for the date's weekday.
Answer CheckInfo(std::int16_t y, std::int16_t m, std::int16_t d) {
  const Answer a = InfoByNumbers(y, m, d);
  const std::string detail = Describe(y, m, d) + " " + Describe(a);
  Require(IsTruth(a.result), "GetHolidayInfo returns -1 or 0", detail);
  if (!velunta::fuzz::IsRealDate(y, m, d)) {
    Require(a == Answer{kFalse, kUntouched, kUntouched},
            "GetHolidayInfo refuses no real date and writes nothing", detail);
    return a;
  }
  Require(a.result == kTrue, "GetHolidayInfo classifies every real date", detail);
  Require(IsTruth(a.isHoliday) && (a.isHoliday == kTrue) == (a.code != 0),
          "isHoliday is true exactly when the code is not 0", detail);
  Require(IsHolidayCode(a.code), "the code is a known holiday code", detail);
  const int weekday = velunta::fuzz::WeekdayNumber({y, m, d});
  Require((a.code % 10 == 1) == (weekday == 1), "a code ends in 1 exactly on a Sunday", detail);
  Require(a.code != Mdl_Velunta::kSubstituteHoliday || weekday == 2,
          "a substitute holiday falls on a Monday", detail);

  // Out-arguments that alias the inputs: the date is read before anything is written.
  std::int16_t yearAndCode = y;
  std::int16_t dayAndFlag = d;
  const Truth aliased =
      Mdl_Velunta::GetHolidayInfo(yearAndCode, m, dayAndFlag, dayAndFlag, yearAndCode);
  Require(aliased == kTrue && yearAndCode == a.code && dayAndFlag == a.isHoliday,
          "out-arguments that alias the date get the same answer", detail);
  return a;
}

// Checks that every spelling of the numbers as a date text gets GetHolidayInfo's answer.
void CheckByText(std::int16_t y, std::int16_t m, std::int16_t d, const Answer& byNumbers) {
  std::vector<std::string> texts = {
      Decimal(y) + "/" + Decimal(m) + "/" + Decimal(d),
      Decimal(y) + "年" + Decimal(m) + "月" + Decimal(d) + "日",
  };
  if (y >= 0 && m >= 0 && d >= 0) {
    texts.push_back(Decimal(y, 4) + "-" + Decimal(m, 2) + "-" + Decimal(d, 2));
    texts.push_back(velunta::fuzz::FullWidth(texts.back()));
  }
  if (byNumbers.result == kTrue) {
    if (const auto* era = velunta::fuzz::EraOf({y, m, d})) {
      const std::string n = Decimal(y - era->firstYear + 1);
      texts.push_back(std::string(era->kanji) + n + "年" + Decimal(m) + "月" + Decimal(d) + "日");
      texts.push_back(std::string(1, era->letter) + n + "/" + Decimal(m) + "/" + Decimal(d));
    }
  }
  for (const std::string& text : texts) {
    const Answer byText = InfoByText(text);
    if (byText != byNumbers) {
      Violation("by text and by numbers agree",
                Escaped(text) + " " + Describe(byText) + "; by numbers " + Describe(byNumbers));
    }
  }
}

// Checks GetHolidayInfoByText on an arbitrary text against reading the date and classifying it.
void CheckArbitraryText(const std::string& text) {
  const Answer byText = InfoByText(text);
  std::chrono::year_month_day date;
  Answer expected{kFalse, kUntouched, kUntouched};
  if (velunta::runtime::TryParseDate(text, date)) {
    expected = InfoByNumbers(static_cast<std::int16_t>(static_cast<int>(date.year())),
                             static_cast<std::int16_t>(static_cast<unsigned>(date.month())),
                             static_cast<std::int16_t>(static_cast<unsigned>(date.day())));
  }
  if (byText != expected) {
    Violation("GetHolidayInfoByText classifies the date the text names, or writes nothing",
              Escaped(text) + " " + Describe(byText) + ", expected " + Describe(expected));
  }
}

// Checks GetHolidayName on any code: always true; kind written for units 1 and 2 only; the name
// written for units 2 (振替休日) and for a tens part that is a holiday id, whose name does not
// depend on the units digit.
void CheckName(std::int16_t code) {
  std::string name = kUntouchedName;
  std::int16_t kind = kUntouched;
  const std::string detail = "code " + Decimal(code);
  Require(Mdl_Velunta::GetHolidayName(code, name, kind) == kTrue,
          "GetHolidayName returns true for every code", detail);
  const int units = code % 10;  // with the sign of the code
  const int tens = code - units;
  const bool isId = tens >= 10 && tens <= 180;
  const std::int16_t expectedKind =
      units == 1 || units == 2 ? static_cast<std::int16_t>(units) : kUntouched;
  Require(kind == expectedKind, "GetHolidayName writes the kind for units 1 and 2 only",
          detail + " kind " + Decimal(kind));
  if (!isId && units != 2) {
    Require(name == kUntouchedName, "GetHolidayName leaves the name of an unknown code", detail);
    return;
  }
  Require(name != kUntouchedName && !name.empty(), "GetHolidayName names a holiday code", detail);
  if (isId) {
    std::string idName;
    std::int16_t idKind = kUntouched;
    const auto id = static_cast<std::int16_t>(tens);
    (void)Mdl_Velunta::GetHolidayName(id, idName, idKind);
    Require(name == idName && idKind == kUntouched,
            "a holiday's name does not depend on the units digit", detail + " " + name);
  }
  // The kind may be the caller's code variable itself.
  std::int16_t codeAndKind = code;
  std::string aliasedName = kUntouchedName;
  (void)Mdl_Velunta::GetHolidayName(codeAndKind, aliasedName, codeAndKind);
  Require(aliasedName == name, "a kind that aliases the code gets the same name", detail);
}

// Checks both equinox procedures: true with a day of March 19..22 or September 22..24 for
// 1900..2099, where the module's own classification marks that day; false and 0 otherwise.
void CheckEquinoxes(std::int16_t year) {
  const bool inRange = year >= 1900 && year <= 2099;
  struct Season {
    Truth (*procedure)(const std::int16_t&, std::int16_t&) noexcept;
    std::int16_t month;
    std::int16_t firstDay;
    std::int16_t lastDay;
    std::int16_t holidayId;
  };
  const Season seasons[] = {
      {Mdl_Velunta::GetVernalEquinoxDay, 3, 19, 22, Mdl_Velunta::kVernalEquinoxDay},
      {Mdl_Velunta::GetAutumnalEquinoxDay, 9, 22, 24, Mdl_Velunta::kAutumnalEquinoxDay},
  };
  for (const Season& season : seasons) {
    std::int16_t day = kUntouched;
    const Truth result = season.procedure(year, day);
    const std::string detail = "year " + Decimal(year) + " month " + Decimal(season.month) +
                               " returned " + Decimal(result) + " day " + Decimal(day);
    if (!inRange) {
      Require(result == kFalse && day == 0, "an equinox outside 1900..2099 is false and 0", detail);
      continue;
    }
    Require(result == kTrue && day >= season.firstDay && day <= season.lastDay,
            "an equinox of 1900..2099 lies in its days", detail);
    const Answer a = InfoByNumbers(year, season.month, day);
    Require(a.code - a.code % 10 == season.holidayId, "the equinox day is the equinox holiday",
            detail + " " + Describe(a));
    std::int16_t yearAndDay = year;
    Require(season.procedure(yearAndDay, yearAndDay) == kTrue && yearAndDay == day,
            "a day that aliases the year gets the same answer", detail);
  }
}

// The three arrays of GetYearHolidays.
struct YearList {
  std::int16_t count = kUntouched;
  std::vector<std::string> dates;
  std::vector<std::string> names;
  std::vector<std::int16_t> weekdays;

  friend bool operator==(const YearList&, const YearList&) = default;
};

// Returns arrays pre-filled from the fuzzer's bytes: up to 127 entries each.
YearList PrefilledList(velunta::fuzz::ByteReader& in) {
  YearList list;
  const auto size = static_cast<std::size_t>(in.Take<std::uint8_t>() & 0x7FU);
  for (std::size_t i = 0; i < size; ++i) {
    list.dates.push_back(std::to_string(i).append("th"));
    list.names.push_back(std::string(i % 3, 'n'));
    list.weekdays.push_back(static_cast<std::int16_t>(i));
  }
  list.names.resize(in.Take<std::uint8_t>() & 0x7FU, "x");  // the arrays need not match
  return list;
}

// Returns the list the year's days give one by one through GetHolidayInfo and GetHolidayName,
// laid over the pre-filled arrays as the procedure documents.
YearList ExpectedList(std::int16_t year, bool sundays, const YearList& prefilled) {
  YearList list = prefilled;
  std::int16_t count = 0;
  for (std::int16_t m = 1; m <= 12; ++m) {
    for (std::int16_t d = 1; d <= velunta::fuzz::DaysInMonth(year, m); ++d) {
      const Answer a = InfoByNumbers(year, m, d);
      if (a.code == 0 || (a.code == Mdl_Velunta::kPlainSunday && !sundays)) continue;
      const auto index = static_cast<std::size_t>(count++);
      list.dates.resize(index + 1);
      list.names.resize(index + 1);
      list.weekdays.resize(index + 1);
      list.dates[index] = Decimal(year, 4) + "/" + Decimal(m, 2) + "/" + Decimal(d, 2);
      std::string name;
      std::int16_t kind = 0;
      (void)Mdl_Velunta::GetHolidayName(a.code, name, kind);
      list.names[index] = name;
      list.weekdays[index] = static_cast<std::int16_t>(velunta::fuzz::WeekdayNumber({year, m, d}));
    }
  }
  list.count = count;
  return list;
}

// Checks GetYearHolidays: refused with nothing written outside 1..9999; otherwise the list of
// the year's days classified one by one.
void CheckYearList(std::int16_t year, std::int16_t includeSundays, const YearList& prefilled) {
  YearList list = prefilled;
  const Truth result = Mdl_Velunta::GetYearHolidays(year, includeSundays, list.count, list.dates,
                                                    list.names, list.weekdays);
  const std::string detail = "year " + Decimal(year) + " includeSundays " + Decimal(includeSundays);
  Require(IsTruth(result), "GetYearHolidays returns -1 or 0", detail);
  if (year < 1 || year > 9999) {
    Require(result == kFalse && list == prefilled,
            "GetYearHolidays refuses a year outside 1..9999 and writes nothing", detail);
    return;
  }
  Require(result == kTrue, "GetYearHolidays lists every year of 1..9999", detail);
  const YearList expected = ExpectedList(year, includeSundays != 0, prefilled);
  if (list == expected) return;
  std::string diff =
      detail + ": count " + Decimal(list.count) + ", expected " + Decimal(expected.count);
  const auto entry = [](const YearList& l, std::size_t i) {
    if (i >= l.dates.size() || i >= l.names.size() || i >= l.weekdays.size())
      return std::string("none");
    return l.dates[i] + " " + l.names[i] + " " + Decimal(l.weekdays[i]);
  };
  for (std::size_t i = 0; i < list.dates.size() || i < expected.dates.size(); ++i) {
    if (entry(list, i) != entry(expected, i)) {
      diff += "; first difference at " + std::to_string(i) + ": " + entry(list, i) +
              " / expected " + entry(expected, i);
      break;
    }
  }
  Violation("the year list is the year's days classified one by one", diff);
}

// Maps a number onto a range of interest, or keeps it as it is: half the inputs test the edges
// of the 16-bit range, the other half real dates.
std::int16_t Pick(std::int16_t raw, bool keepRaw, int first, int count) {
  if (keepRaw) return raw;
  const int offset = static_cast<std::uint16_t>(raw) % count;
  return static_cast<std::int16_t>(first + offset);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velunta::fuzz::ByteReader in(data, size);
  const auto mode = in.Take<std::uint8_t>();
  const bool raw = (mode & 1U) != 0;
  const bool listYear = (mode & 2U) != 0;
  // Years 0..10000 and months and days one past their ends, so both edges are reached.
  const std::int16_t year = Pick(in.Take<std::int16_t>(), raw, 0, 10001);
  const std::int16_t month = Pick(in.Take<std::int16_t>(), raw, 0, 14);
  const std::int16_t day = Pick(in.Take<std::int16_t>(), raw, 0, 33);
  const std::int16_t code = in.Take<std::int16_t>();
  const std::int16_t includeSundays = in.Take<std::int16_t>();
  const YearList prefilled = PrefilledList(in);

  const Answer byNumbers = CheckInfo(year, month, day);
  CheckByText(year, month, day, byNumbers);
  CheckName(code);
  CheckName(byNumbers.code);
  CheckEquinoxes(year);
  if (listYear) CheckYearList(year, includeSundays, prefilled);
  CheckArbitraryText(std::string(in.TakeRest()));
  return 0;
}
