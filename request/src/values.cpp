#include <velunta/request/values.h>

#include <charconv>
#include <cstdint>
#include <limits>

#include <velunta/records/date_texts.h>
#include <velunta/runtime/date_text.h>
#include <velunta/runtime/failure.h>
#include <velunta/runtime/number_text.h>
#include <velunta/runtime/utf8.h>

namespace velunta::request {
namespace {

using namespace std::chrono;

constexpr std::string_view kDateForms =
    "a real date such as 2026-05-06, 2026/5/6, 20260506, 2026年5月6日 or 令和8年5月6日";

std::string YearRange(const records::DaySource& source) {
  return std::to_string(static_cast<int>(source.FirstYear())) + " to " +
         std::to_string(static_cast<int>(source.LastYear()));
}

std::string DateRange(const records::DaySource& source, DateStyle style) {
  return DateText(source.FirstYear() / January / 1, style) + " to " +
         DateText(source.LastYear() / December / 31, style);
}

bool IsEightDigits(std::string_view text) {
  return text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string DateText(year_month_day date, DateStyle style) {
  return style == DateStyle::slash ? records::SlashDate(date) : records::IsoDate(date);
}

Reading<year_month_day> Date(std::string_view text, const records::DaySource& source,
                             DateStyle style, std::optional<year_month_day> today) {
  const bool word = text == "today" || text == "tomorrow" || text == "yesterday";
  std::optional<year_month_day> date;
  std::string note;
  if (word && today) {
    const int shift = text == "tomorrow" ? 1 : text == "yesterday" ? -1 : 0;
    date = year_month_day{sys_days{*today} + days{shift}};
    note = " (" + DateText(*date, style) + ")";
  } else if (IsEightDigits(text)) {
    // As `date +%Y%m%d` writes a day: read as the slashed form, so the same checks apply.
    const std::string slashed = std::string(text.substr(0, 4)) + "/" +
                                std::string(text.substr(4, 2)) + "/" +
                                std::string(text.substr(6, 2));
    date = runtime::ParseDate(slashed);
  } else {
    date = runtime::ParseDate(text);
  }
  if (!date) {
    return Refusal{"not a date", std::string(text), "",
                   std::string(kDateForms) + (today ? ", today, tomorrow or yesterday" : "")};
  }
  if (!source.Covers(*date)) {
    return Refusal{"date out of range", std::string(text), note, DateRange(source, style)};
  }
  return *date;
}

bool LooksLikeYear(std::string_view text) {
  return runtime::IsNumeric(text);
}

Reading<year> Year(std::string_view text, const records::DaySource& source) {
  // A year is a whole number: the numeric-text reader allows a fraction, which a year refuses.
  const bool hasFraction =
      text.find('.') != std::string_view::npos || text.find("．") != std::string_view::npos;
  if (!runtime::IsNumeric(text) || hasFraction) {
    return Refusal{"not a year", std::string(text), "", "a whole year from " + YearRange(source)};
  }
  std::int16_t number = 0;
  try {
    number = runtime::TextToInt16(text);
  } catch (const runtime::Failure&) {
    number = std::numeric_limits<std::int16_t>::min();  // beyond any range: refused below
  }
  const year y{number};
  if (y < source.FirstYear() || y > source.LastYear()) {
    return Refusal{"year out of range", std::string(text), "", YearRange(source)};
  }
  return y;
}

std::optional<year_month> Month(std::string_view text) {
  // The month's first day, written the way the month is: 2026/5 -> 2026/5/1, 2026年5月 ->
  // 2026年5月1日; the date-text reader then reads it in every form it knows.
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

Reading<year_month_day> RangeEndDate(std::string_view text, const records::DaySource& source,
                                     RangeEnd end, DateStyle style,
                                     std::optional<year_month_day> today) {
  if (const auto month = Month(text)) {
    const year_month_day first = *month / 1;
    if (!source.Covers(first)) {
      return Refusal{"month out of range", std::string(text), "", "months of " + YearRange(source)};
    }
    return end == RangeEnd::first ? first : year_month_day{*month / last};
  }
  if (!LooksLikeYear(text) || IsEightDigits(text)) return Date(text, source, style, today);
  auto y = Year(text, source);
  if (!y.has_value()) return y.refusal();
  return end == RangeEnd::first ? *y / January / 1 : *y / December / 31;
}

Reading<int> Count(std::string_view text, int lowest, int highest) {
  // An optional sign and at least one digit; from_chars reads a minus but not a plus.
  std::string_view digits = text;
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  const std::size_t firstDigit = !plus && !digits.empty() && digits.front() == '-' ? 1 : 0;
  const bool wellFormed =
      digits.size() > firstDigit &&
      digits.find_first_not_of("0123456789", firstDigit) == std::string_view::npos;
  const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
  if (!wellFormed) {
    return Refusal{"not a whole number", std::string(text), "", "a whole number from " + range};
  }
  int number = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (ec != std::errc{} || number < lowest || number > highest) {
    return Refusal{"number out of range", std::string(text), "", range};
  }
  return number;
}

Reading<std::vector<year_month_day>> DateList(std::string_view text,
                                              const records::DaySource& source, DateStyle style,
                                              std::optional<year_month_day> today) {
  if (text.empty()) {
    auto refused = Date(text, source, style, today);
    return refused.refusal();
  }
  std::vector<year_month_day> dates;
  while (!text.empty()) {
    const auto comma = std::min(text.find(','), text.size());
    if (comma > 0) {
      auto date = Date(text.substr(0, comma), source, style, today);
      if (!date.has_value()) return date.refusal();
      dates.push_back(*date);
    }
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  return dates;
}

std::optional<Refusal> OutOfOrder(year_month_day first, year_month_day last,
                                  std::string_view firstText, std::string_view lastText,
                                  std::string_view firstName, std::string_view lastName) {
  if (first <= last) return std::nullopt;
  return Refusal{std::string(firstName) + " after " + std::string(lastName), std::string(firstText),
                 " is after " + runtime::Quoted(lastText),
                 std::string(firstName) + " on or before " + std::string(lastName)};
}

}  // namespace velunta::request
