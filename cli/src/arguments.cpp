#include "arguments.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include <velunta/calendar.h>
#include <velunta/runtime/date_text.h>
#include <velunta/runtime/failure.h>
#include <velunta/runtime/number_text.h>

#include "day.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

// The classic rules read any date of the date-text test: the years 1 to 9999.
constexpr year kClassicFirstYear{1};
constexpr year kClassicLastYear{9999};

constexpr std::string_view kDateForms =
    "a real date such as 2026/05/06, 2026/5/6, 2026-05-06, 2026年5月6日 or 令和8年5月6日";

year FirstYear(Rules rules) {
  return rules == Rules::law ? velunta::kFirstYear : kClassicFirstYear;
}
year LastYear(Rules rules) {
  return rules == Rules::law ? velunta::kLastYear : kClassicLastYear;
}

std::string YearRange(Rules rules) {
  return std::to_string(static_cast<int>(FirstYear(rules))) + " to " +
         std::to_string(static_cast<int>(LastYear(rules)));
}

}  // namespace

std::string Quoted(std::string_view text) {
  std::string quoted(text.size() + 2, '\'');
  std::copy(text.begin(), text.end(), quoted.begin() + 1);
  return quoted;
}

year_month_day ReadDate(std::string_view text, Rules rules) {
  const auto date = runtime::ParseDate(text);
  if (!date)
    throw UsageError("not a date: " + Quoted(text) + "; accepted: " + std::string(kDateForms));
  if (date->year() < FirstYear(rules) || date->year() > LastYear(rules)) {
    throw UsageError("date out of range: " + Quoted(text) +
                     "; accepted: " + SlashDate(year_month_day{FirstYear(rules), January, day{1}}) +
                     " to " + SlashDate(year_month_day{LastYear(rules), December, day{31}}));
  }
  return *date;
}

bool LooksLikeYear(std::string_view text) {
  return runtime::IsNumeric(text);
}

year ReadYear(std::string_view text, Rules rules) {
  // A year is a whole number: the numeric-text test allows a fraction, which a year refuses.
  const bool hasFraction =
      text.find('.') != std::string_view::npos || text.find("．") != std::string_view::npos;
  if (!runtime::IsNumeric(text) || hasFraction) {
    throw UsageError("not a year: " + Quoted(text) + "; accepted: a whole year from " +
                     YearRange(rules));
  }
  std::int16_t number = 0;
  try {
    number = runtime::TextToInt16(text);
  } catch (const runtime::Failure&) {
    number = std::numeric_limits<std::int16_t>::min();  // beyond any range: refused below
  }
  const year y{number};
  if (y < FirstYear(rules) || y > LastYear(rules)) {
    throw UsageError("year out of range: " + Quoted(text) + "; accepted: " + YearRange(rules));
  }
  return y;
}

year_month_day ReadRangeEnd(std::string_view text, Rules rules, RangeEnd end) {
  if (!LooksLikeYear(text)) return ReadDate(text, rules);
  const year y = ReadYear(text, rules);
  return end == RangeEnd::first ? year_month_day{y, January, day{1}}
                                : year_month_day{y, December, day{31}};
}

int ReadCount(std::string_view text) {
  // An optional sign and at least one digit; from_chars reads a minus but not a plus.
  std::string_view number = text;
  const bool plus = !number.empty() && number.front() == '+';
  if (plus) number.remove_prefix(1);
  const std::size_t firstDigit = !plus && !number.empty() && number.front() == '-' ? 1 : 0;
  const bool wellFormed =
      number.size() > firstDigit &&
      number.find_first_not_of("0123456789", firstDigit) == std::string_view::npos;
  if (!wellFormed) {
    throw UsageError("not a count: " + Quoted(text) +
                     "; accepted: a whole number such as 10 or -3");
  }
  int count = 0;
  if (std::from_chars(number.data(), number.data() + number.size(), count).ec != std::errc{}) {
    throw UsageError("count out of range: " + Quoted(text) + "; accepted: a whole number from " +
                     std::to_string(std::numeric_limits<int>::min()) + " to " +
                     std::to_string(std::numeric_limits<int>::max()));
  }
  return count;
}

year_month_day TodayInJapan() {
  return year_month_day{floor<days>(system_clock::now() + velunta::kJstOffset)};
}

}  // namespace velunta::cli
