// Date texts typed by people: whatever the bytes, an accepted text names a real date that
// formats and reads back to itself, a refused text writes nothing and makes every reader refuse,
// and the full-width, 年月日 and era spellings of a date read the same as its ASCII forms.

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "../common/civil.h"
#include "../common/fuzz_check.h"
#include "reference_date.h"
#include "velunta/runtime/date_text.h"
#include "velunta/runtime/date_value.h"
#include "velunta/runtime/failure.h"

namespace {

using velunta::fuzz::CivilDate;
using velunta::fuzz::Decimal;
using velunta::fuzz::Escaped;
using velunta::fuzz::FullWidth;
using velunta::fuzz::Require;
using velunta::fuzz::Violation;
namespace runtime = velunta::runtime;

// A date no text names in these checks' forms: the out-argument must still hold it after a
// refusal.
constexpr std::chrono::year_month_day kSentinel{std::chrono::year{4321}, std::chrono::month{7},
                                                std::chrono::day{9}};

CivilDate ToCivil(std::chrono::year_month_day date) {
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::string Describe(CivilDate d) {
  return Decimal(d.year, 4) + "-" + Decimal(d.month, 2) + "-" + Decimal(d.day, 2);
}

// Returns the date every reader finds in a text, after checking that they agree with each other
// and that a refused text leaves the out-argument alone and fails with Failure only.
std::optional<CivilDate> ReadEveryWay(std::string_view text) {
  std::chrono::year_month_day date = kSentinel;
  const bool accepted = runtime::TryParseDate(text, date);
  const auto parsed = runtime::ParseDate(text);
  Require(runtime::IsDate(text) == accepted, "IsDate agrees with TryParseDate", Escaped(text));
  Require(parsed.has_value() == accepted, "ParseDate agrees with TryParseDate", Escaped(text));
  if (!accepted) {
    Require(date == kSentinel, "a refused text leaves the date untouched", Escaped(text));
    bool failed = false;
    try {
      (void)runtime::TextToDate(text);
    } catch (const runtime::Failure&) {
      failed = true;
    }
    Require(failed, "TextToDate refuses what TryParseDate refuses", Escaped(text));
    return std::nullopt;
  }
  Require(*parsed == date, "ParseDate finds TryParseDate's date", Escaped(text));
  const CivilDate civil = ToCivil(date);
  Require(date.ok() && velunta::fuzz::IsRealDate(civil.year, civil.month, civil.day),
          "an accepted text names a real date of 1..9999", Escaped(text));
  return civil;
}

// Checks the readers that work on an accepted text: parts, weekday, date value and formatting.
void CheckAcceptedText(std::string_view text, CivilDate civil) {
  const std::string detail = Escaped(text) + " -> " + Describe(civil);
  Require(runtime::YearOf(text) == civil.year && runtime::MonthOf(text) == civil.month &&
              runtime::DayOf(text) == civil.day,
          "YearOf, MonthOf and DayOf give the date's parts", detail);
  Require(runtime::WeekdayOf(text) == velunta::fuzz::WeekdayNumber(civil),
          "WeekdayOf gives the date's weekday", detail);

  // Date values count days from 1899-12-30.
  const long long expectedValue =
      velunta::fuzz::DayNumber(civil) - velunta::fuzz::DayNumber({1899, 12, 30});
  const runtime::DateValue value = runtime::TextToDate(text);
  Require(value == static_cast<double>(expectedValue), "TextToDate counts days from 1899-12-30",
          detail);

  // Formatting and reading back returns the same date, in every pattern element.
  const std::string iso = runtime::FormatDate(value, "YYYY/MM/DD");
  const std::string expectedIso =
      Decimal(civil.year, 4) + "/" + Decimal(civil.month, 2) + "/" + Decimal(civil.day, 2);
  Require(iso == expectedIso, "FormatDate writes YYYY/MM/DD", detail + " wrote " + iso);
  Require(ReadEveryWay(iso) == civil, "a formatted date reads back to itself", detail);
  const std::string loose = runtime::FormatDate(text, "y-M-d w");
  const std::string expectedLoose = "y-" + Decimal(civil.month) + "-" + Decimal(civil.day) + " " +
                                    Decimal(velunta::fuzz::WeekdayNumber(civil));
  Require(loose == expectedLoose, "FormatDate writes unpadded parts and the weekday number",
          detail + " wrote " + loose);
}

// Checks that a variant spelling reads as the date, or is refused when `readable` is false.
void CheckVariant(const std::string& variant, CivilDate civil, bool readable) {
  const auto found = ReadEveryWay(variant);
  if (readable) {
    if (found != civil) {
      Violation("every spelling of an accepted date reads the same date",
                Describe(civil) + " spelled " + Escaped(variant));
    }
  } else if (found.has_value()) {
    Violation("a date outside the era it is written in is refused", Escaped(variant));
  }
}

// The ASCII spellings of a date: the three separators, padded and not, and 年月日.
void CheckSpellings(CivilDate civil) {
  const std::string y = Decimal(civil.year), m = Decimal(civil.month), d = Decimal(civil.day);
  const std::string mm = Decimal(civil.month, 2), dd = Decimal(civil.day, 2);
  const std::string ascii[] = {
      y + "/" + m + "/" + d,          Decimal(civil.year, 4) + "/" + mm + "/" + dd,
      y + "-" + mm + "-" + dd,        y + "." + m + "." + dd,
      y + "年" + m + "月" + d + "日", " \t" + y + "/" + mm + "/" + d + "\xE3\x80\x80",
  };
  for (const std::string& text : ascii) {
    CheckVariant(text, civil, true);
    CheckVariant(FullWidth(text), civil, true);
  }

  // The era forms: the era the date lies in reads it, with 元 for the first year; every earlier
  // or later era refuses the same date.
  const velunta::fuzz::EraFacts* own = velunta::fuzz::EraOf(civil);
  for (const velunta::fuzz::EraFacts& era : velunta::fuzz::kEraFacts) {
    const int eraYear = civil.year - era.firstYear + 1;
    if (eraYear < 1) continue;
    const bool readable = &era == own;
    const std::string n = eraYear == 1 && readable ? "元" : Decimal(eraYear);
    const std::string letter(1, era.letter);
    const std::string lower(1, static_cast<char>(era.letter - 'A' + 'a'));
    CheckVariant(std::string(era.kanji) + n + "年" + m + "月" + d + "日", civil, readable);
    CheckVariant(letter + n + "/" + m + "/" + d, civil, readable);
    CheckVariant(lower + Decimal(eraYear) + "." + mm + "." + dd, civil, readable);
    CheckVariant(FullWidth(letter + Decimal(eraYear) + "-" + mm + "-" + dd), civil, readable);
  }
}

// Checks FormatDate with the input as its pattern, for a date value and for a date text.
void CheckPattern(std::string_view pattern, CivilDate date) {
  const std::string expected = velunta::fuzz::ReferenceFormat(date, pattern);
  const std::string iso =
      Decimal(date.year, 4) + "/" + Decimal(date.month, 2) + "/" + Decimal(date.day, 2);
  const std::string byText = runtime::FormatDate(std::string_view(iso), pattern);
  const std::string byValue = runtime::FormatDate(runtime::TextToDate(iso), pattern);
  if (byText != expected || byValue != expected) {
    Violation(
        "FormatDate writes each pattern element",
        Escaped(pattern) + " for " + iso + " wrote " + Escaped(byText) + " / " + Escaped(byValue));
  }
}

// Checks ToDate on the first eight bytes taken as a date value: refused with Failure outside
// the years 1..9999 (NaN and infinities included), else the day at or below the value.
void CheckDateValue(std::string_view bytes) {
  if (bytes.size() < sizeof(double)) return;
  double value = 0;
  std::memcpy(&value, bytes.data(), sizeof value);
  const double first = static_cast<double>(velunta::fuzz::DayNumber({1, 1, 1}) -
                                           velunta::fuzz::DayNumber({1899, 12, 30}));
  const double last = static_cast<double>(velunta::fuzz::DayNumber({9999, 12, 31}) -
                                          velunta::fuzz::DayNumber({1899, 12, 30}));
  const bool inRange = value >= first && value < last + 1.0;
  std::optional<std::chrono::year_month_day> date;
  try {
    date = runtime::ToDate(value);
  } catch (const runtime::Failure&) {
  }
  const std::string detail = std::to_string(value);
  Require(date.has_value() == inRange, "ToDate refuses exactly the values outside 1..9999", detail);
  if (!date) return;
  const long long days =
      velunta::fuzz::DayNumber(ToCivil(*date)) - velunta::fuzz::DayNumber({1899, 12, 30});
  Require(static_cast<double>(days) == std::floor(value),
          "ToDate gives the day at or below a value", detail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto civil = ReadEveryWay(text);
    const auto reference = velunta::fuzz::ReferenceReadDate(text);
    if (civil != reference) {
      Violation("the date service reads what the reference reader reads",
                Escaped(text) + ": " + (civil ? Describe(*civil) : "refused") + ", reference " +
                    (reference ? Describe(*reference) : "refused"));
    }

    // Full-width forms and blanks around the text change nothing, accepted or refused.
    if (ReadEveryWay(FullWidth(text)) != civil) {
      Violation("the full-width form of a text reads the same", Escaped(text));
    }
    if (ReadEveryWay(" \t" + std::string(text) + "\xE3\x80\x80 ") != civil) {
      Violation("blanks around a text change nothing", Escaped(text));
    }
    CheckDateValue(text);
    CheckPattern(text, civil.value_or(CivilDate{2005, 5, 4}));
    if (!civil) return 0;
    CheckAcceptedText(text, *civil);
    CheckSpellings(*civil);
  } catch (const runtime::Failure& failure) {
    Violation("no reader fails on an accepted text", Escaped(text) + ": " + failure.what());
  } catch (const std::exception& error) {
    Violation("nothing but Failure leaves a date service", Escaped(text) + ": " + error.what());
  }
  return 0;
}
