#include "arguments.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>

#include <velunta/runtime/date_text.h>
#include <velunta/runtime/failure.h>
#include <velunta/runtime/number_text.h>
#include <velunta/runtime/utf8.h>

#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

constexpr std::string_view kDateForms =
    "a real date such as 2026/05/06, 2026/5/6, 2026-05-06, 2026年5月6日 or 令和8年5月6日";

std::string YearRange(const records::DaySource& source) {
  return std::to_string(static_cast<int>(source.FirstYear())) + " to " +
         std::to_string(static_cast<int>(source.LastYear()));
}

}  // namespace

year_month_day ReadDate(std::string_view text, const records::DaySource& source) {
  const auto date = runtime::ParseDate(text);
  if (!date) {
    throw UsageError("not a date: " + Quoted(text) + "; accepted: " + std::string(kDateForms));
  }
  if (!source.Covers(*date)) {
    throw UsageError("date out of range: " + Quoted(text) +
                     "; accepted: " + records::SlashDate(source.FirstYear() / January / 1) +
                     " to " + records::SlashDate(source.LastYear() / December / 31));
  }
  return *date;
}

year_month_day ReadDateWord(std::string_view text, const records::DaySource& source,
                            year_month_day today) {
  if (text == "today" || text == "tomorrow" || text == "yesterday") {
    const int shift = text == "tomorrow" ? 1 : text == "yesterday" ? -1 : 0;
    const year_month_day date{sys_days{today} + days{shift}};
    if (!source.Covers(date)) {
      throw UsageError("date out of range: " + Quoted(text) + " (" + records::SlashDate(date) +
                       "); accepted: " + records::SlashDate(source.FirstYear() / January / 1) +
                       " to " + records::SlashDate(source.LastYear() / December / 31));
    }
    return date;
  }
  // Eight digits, as `date +%Y%m%d` writes today.
  if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos) {
    const std::string slashed = std::string(text.substr(0, 4)) + "/" +
                                std::string(text.substr(4, 2)) + "/" +
                                std::string(text.substr(6, 2));
    if (!runtime::ParseDate(slashed)) {
      throw UsageError("not a date: " + Quoted(text) + "; accepted: " + std::string(kDateForms) +
                       ", YYYYMMDD, today, tomorrow or yesterday");
    }
    return ReadDate(slashed, source);
  }
  return ReadDate(text, source);
}

std::vector<year_month_day> ReadDates(std::span<const std::string> texts,
                                      const records::DaySource& source, year_month_day today,
                                      std::istream& in) {
  std::vector<year_month_day> dates;
  bool stdinRead = false;
  for (const auto& text : texts) {
    if (text != "-") {
      dates.push_back(ReadDateWord(text, source, today));
      continue;
    }
    if (stdinRead) throw UsageError("standard input given twice: '-'; accepted: one '-'");
    stdinRead = true;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
      const auto first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos) continue;  // a blank line
      const auto last = line.find_last_not_of(" \t\r");
      const std::string_view date = std::string_view(line).substr(first, last - first + 1);
      try {
        dates.push_back(ReadDateWord(date, source, today));
      } catch (const UsageError& error) {
        throw UsageError("line " + std::to_string(number) + " of standard input: " + error.what());
      }
    }
    if (in.bad()) throw UsageError("cannot read standard input");
  }
  return dates;
}

std::optional<year_month> ReadMonth(std::string_view text) {
  // The month's first day, written the way the month is: 2026/5 -> 2026/5/1, 2026年5月 ->
  // 2026年5月1日; the date-text test then reads it in every form it knows.
  std::string firstDay;
  const auto separator = text.find_first_of("/-");
  if (text.ends_with("月")) {
    firstDay = std::string(text) + "1日";
  } else if (separator != std::string_view::npos &&
             text.find_first_of("/-", separator + 1) == std::string_view::npos) {
    firstDay = std::string(text) + text[separator] + "1";
  } else {
    return std::nullopt;
  }
  const auto date = runtime::ParseDate(firstDay);
  if (!date) return std::nullopt;
  return date->year() / date->month();
}

bool LooksLikeYear(std::string_view text) {
  return runtime::IsNumeric(text);
}

year ReadYear(std::string_view text, const records::DaySource& source) {
  // A year is a whole number: the numeric-text test allows a fraction, which a year refuses.
  const bool hasFraction =
      text.find('.') != std::string_view::npos || text.find("．") != std::string_view::npos;
  if (!runtime::IsNumeric(text) || hasFraction) {
    throw UsageError("not a year: " + Quoted(text) + "; accepted: a whole year from " +
                     YearRange(source));
  }
  std::int16_t number = 0;
  try {
    number = runtime::TextToInt16(text);
  } catch (const runtime::Failure&) {
    number = std::numeric_limits<std::int16_t>::min();  // beyond any range: refused below
  }
  const year y{number};
  if (y < source.FirstYear() || y > source.LastYear()) {
    throw UsageError("year out of range: " + Quoted(text) + "; accepted: " + YearRange(source));
  }
  return y;
}

year_month_day ReadRangeEnd(std::string_view text, const records::DaySource& source,
                            year_month_day today, RangeEnd end) {
  if (const auto month = ReadMonth(text)) {
    const year_month_day first = *month / 1;
    const year_month_day last = *month / std::chrono::last;
    if (!source.Covers(first)) {
      throw UsageError("month out of range: " + Quoted(text) + "; accepted: months of " +
                       YearRange(source));
    }
    return end == RangeEnd::first ? first : last;
  }
  if (!LooksLikeYear(text) || text.size() == 8) return ReadDateWord(text, source, today);
  const year y = ReadYear(text, source);
  return end == RangeEnd::first ? y / January / 1 : y / December / 31;
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

}  // namespace velunta::cli
