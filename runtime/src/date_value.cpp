#include "velunta/runtime/date_value.h"

#include <array>
#include <cmath>
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

// Writes the date as the pattern says into out, which has room for kGrowthPerPatternByte bytes
// per pattern byte; returns the end of what it wrote. Bytes of multi-byte characters never
// equal an ASCII letter, so the pattern needs no decoding.
char* WritePattern(std::chrono::year_month_day date, std::string_view pattern, char* out) noexcept {
  const auto year = static_cast<unsigned>(static_cast<int>(date.year()));  // [1, 9999]
  const auto month = static_cast<unsigned>(date.month());                  // [1, 12]
  const auto day = static_cast<unsigned>(date.day());                      // [1, 31]
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
          out = PutTwoDigits(out, day);
          at += 2;
        } else {
          out = PutUnpadded(out, day);
          at += 1;
        }
        continue;
      case 'w':
        *out++ = Digit(static_cast<unsigned>(WeekdayNumber(date)));
        at += 1;
        continue;
      case 'a':
        if (Repeats(pattern, at, 'a', 3)) {
          const std::string_view name =
              kWeekdayKanji[static_cast<std::size_t>(WeekdayNumber(date) - 1)];
          for (const char c : name) *out++ = c;
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

std::string Format(std::chrono::year_month_day date, std::string_view pattern) {
  if (pattern.size() <= kStackOutput / kGrowthPerPatternByte) {
    // The common short pattern: one string built from a stack buffer; results of up to 15
    // bytes ("YYYY/MM/DD") fit the string's own small buffer and allocate nothing.
    std::array<char, kStackOutput> buffer;
    const char* end = WritePattern(date, pattern, buffer.data());
    return std::string(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  }
  try {
    std::string result(pattern.size() * kGrowthPerPatternByte, '\0');
    const char* end = WritePattern(date, pattern, result.data());
    result.resize(static_cast<std::size_t>(end - result.data()));
    return result;
  } catch (const std::exception&) {  // a pattern too long to hold twice over
    throw Failure("the date pattern is too long");
  }
}

}  // namespace

DateValue ToDateValue(std::chrono::sys_days day) noexcept {
  return DayNumber(day);
}

std::chrono::year_month_day ToDate(DateValue value) {
  // The comparisons are false for NaN, so NaN, infinities and values beyond the years 1..9999
  // are all refused before any conversion to an integer.
  if (!(value >= kFirstDayNumber && value < kLastDayNumber + 1.0)) {
    throw Failure("the date value lies outside the years 1 to 9999");
  }
  // The fraction is a time of day: the day is the whole number at or below the value.
  const auto days = static_cast<int>(std::floor(value));  // [-693593, 2958465]
  return std::chrono::year_month_day{kDayZero + std::chrono::days{days}};
}

DateValue TextToDate(std::string_view text) {
  const auto date = ParseDate(text);
  if (!date) throw Failure("the text names no date");
  return ToDateValue(std::chrono::sys_days{*date});
}

std::string FormatDate(DateValue value, std::string_view pattern) {
  return Format(ToDate(value), pattern);
}

std::string FormatDate(std::string_view dateText, std::string_view pattern) {
  const auto date = ParseDate(dateText);
  if (!date) throw Failure("the text names no date");
  return Format(*date, pattern);
}

}  // namespace velunta::runtime
