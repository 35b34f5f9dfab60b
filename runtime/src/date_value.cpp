#include "velunta/runtime/date_value.h"

#include <array>
#include <cstddef>

#include "velunta/runtime/date_text.h"
#include "velunta/runtime/failure.h"

namespace velunta::runtime {
namespace {

using namespace std::chrono_literals;

// Day 0 of the date values; day 1 after it, 1899-12-31, is a Sunday.
constexpr std::chrono::sys_days kDayZero{1899y / 12 / 30};

constexpr double DayNumber(std::chrono::sys_days day) noexcept {
  return static_cast<double>((day - kDayZero).count());
}

// The first and the last day a date value may name.
constexpr double kFirstDayNumber = DayNumber(std::chrono::sys_days{1y / 1 / 1});      // -693593
constexpr double kLastDayNumber = DayNumber(std::chrono::sys_days{9999y / 12 / 31});  // 2958465

// The one-kanji weekday names, Sunday first; each takes three bytes in UTF-8, as many as the
// "aaa" it replaces.
constexpr std::array<std::string_view, 7> kWeekdayKanji = {"日", "月", "火", "水",
                                                           "木", "金", "土"};

// A pattern element turns n pattern bytes into at most 2n output bytes ("M" and "D" may become
// two digits); everything else keeps or shrinks its length.
constexpr std::size_t kGrowthPerPatternByte = 2;
constexpr std::size_t kStackOutput = 128;

constexpr char Lower(char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Returns whether pattern holds `count` copies of the letter `lower` (either case) from `at`.
constexpr bool Repeats(std::string_view pattern, std::size_t at, char lower,
                       std::size_t count) noexcept {
  if (pattern.size() - at < count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (Lower(pattern[at + i]) != lower) return false;
  }
  return true;
}

constexpr char Digit(unsigned value) noexcept {
  return static_cast<char>('0' + value);
}

char* PutTwoDigits(char* out, unsigned value) noexcept {  // value in [1, 31]
  *out++ = Digit(value / 10);
  *out++ = Digit(value % 10);
  return out;
}

char* PutUnpadded(char* out, unsigned value) noexcept {  // value in [1, 31]
  if (value >= 10) *out++ = Digit(value / 10);
  *out++ = Digit(value % 10);
  return out;
}

// The day a pattern is written for, as both a day count and a calendar date.
struct Day {
  std::chrono::sys_days days;
  std::chrono::year_month_day date;
};

// Returns the weekday number of a day, 1 (Sunday) .. 7 (Saturday).
constexpr unsigned WeekdayFirstSunday(std::chrono::sys_days day) noexcept {
  return std::chrono::weekday{day}.c_encoding() + 1;
}

// Writes the day as the pattern says into out, which has room for kGrowthPerPatternByte bytes
// per pattern byte; returns the end of what it wrote. Bytes of multi-byte characters never
// equal an ASCII letter, so the pattern needs no decoding.
char* WritePattern(Day day, std::string_view pattern, char* out) noexcept {
  const auto year = static_cast<unsigned>(static_cast<int>(day.date.year()));  // [1, 9999]
  const auto month = static_cast<unsigned>(day.date.month());                  // [1, 12]
  const auto dayOfMonth = static_cast<unsigned>(day.date.day());               // [1, 31]
  std::size_t at = 0;
  while (at < pattern.size()) {
    switch (Lower(pattern[at])) {
      case 'y':
        if (Repeats(pattern, at, 'y', 4)) {
          *out++ = Digit(year / 1000);
          *out++ = Digit(year / 100 % 10);
          out = PutTwoDigits(out, year % 100);
          at += 4;
          continue;
        }
        break;
      case 'm':
        if (Repeats(pattern, at, 'm', 2)) {
          out = PutTwoDigits(out, month);
          at += 2;
        } else {
          out = PutUnpadded(out, month);
          at += 1;
        }
        continue;
      case 'd':
        if (Repeats(pattern, at, 'd', 2)) {
          out = PutTwoDigits(out, dayOfMonth);
          at += 2;
        } else {
          out = PutUnpadded(out, dayOfMonth);
          at += 1;
        }
        continue;
      case 'w':
        *out++ = Digit(WeekdayFirstSunday(day.days));
        at += 1;
        continue;
      case 'a':
        if (Repeats(pattern, at, 'a', 3)) {
          for (const char c : kWeekdayKanji[WeekdayFirstSunday(day.days) - 1]) *out++ = c;
          at += 3;
          continue;
        }
        break;
      default:
        break;
    }
    *out++ = pattern[at++];
  }
  return out;
}

// The pattern of every date text the year list produces, written without reading it.
constexpr std::string_view kIsoLikePattern = "YYYY/MM/DD";

std::string WriteIsoLike(std::chrono::year_month_day date) {
  const auto year = static_cast<unsigned>(static_cast<int>(date.year()));  // [1, 9999]
  std::array<char, 10> text;
  text[0] = Digit(year / 1000);
  text[1] = Digit(year / 100 % 10);
  PutTwoDigits(&text[2], year % 100);
  text[4] = '/';
  PutTwoDigits(&text[5], static_cast<unsigned>(date.month()));
  text[7] = '/';
  PutTwoDigits(&text[8], static_cast<unsigned>(date.day()));
  return std::string(text.data(), text.size());
}

std::string Format(Day day, std::string_view pattern) {
  if (pattern == kIsoLikePattern) return WriteIsoLike(day.date);
  if (pattern.size() <= kStackOutput / kGrowthPerPatternByte) {
    // The common short pattern: one string built from a stack buffer; results of up to 15
    // bytes ("YYYY/MM/DD") fit the string's own small buffer and allocate nothing.
    std::array<char, kStackOutput> buffer;
    const char* end = WritePattern(day, pattern, buffer.data());
    return std::string(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  }
  try {
    std::string result(pattern.size() * kGrowthPerPatternByte, '\0');
    const char* end = WritePattern(day, pattern, result.data());
    result.resize(static_cast<std::size_t>(end - result.data()));
    return result;
  } catch (const std::exception&) {  // a pattern too long to hold twice over
    throw Failure("the date pattern is too long");
  }
}

// Returns the day a value falls on; throws Failure for a value ToDate refuses.
std::chrono::sys_days DayOfValue(DateValue value) {
  // The comparisons are false for NaN, so NaN, infinities and values beyond the years 1..9999
  // are all refused before any conversion to an integer.
  if (!(value >= kFirstDayNumber && value < kLastDayNumber + 1.0)) {
    throw Failure("the date value lies outside the years 1 to 9999");
  }
  // The fraction is a time of day: the day is the whole number at or below the value. The cast
  // truncates toward zero, so a negative value with a fraction steps one day further down
  // (what std::floor does, without its slow path on plain x86-64).
  auto days = static_cast<int>(value);  // [-693593, 2958465]
  if (static_cast<double>(days) > value) --days;
  return kDayZero + std::chrono::days{days};
}

// Returns the date a text names; throws Failure when it names none.
std::chrono::year_month_day DateOfText(std::string_view text) {
  std::chrono::year_month_day date;
  if (!TryParseDate(text, date)) throw Failure("the text names no date");
  return date;
}

}  // namespace

DateValue ToDateValue(std::chrono::sys_days day) noexcept {
  return DayNumber(day);
}

std::chrono::year_month_day ToDate(DateValue value) {
  return std::chrono::year_month_day{DayOfValue(value)};
}

DateValue TextToDate(std::string_view text) {
  return ToDateValue(std::chrono::sys_days{DateOfText(text)});
}

std::string FormatDate(DateValue value, std::string_view pattern) {
  const auto days = DayOfValue(value);
  return Format(Day{days, std::chrono::year_month_day{days}}, pattern);
}

std::string FormatDate(std::string_view dateText, std::string_view pattern) {
  const auto date = DateOfText(dateText);
  return Format(Day{std::chrono::sys_days{date}, date}, pattern);
}

}  // namespace velunta::runtime
