// Day-by-day sweeps: every date the services can name, through every path that reaches it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "velunta/runtime/date_text.h"
#include "velunta/runtime/date_value.h"

namespace velunta::runtime {
namespace {

using namespace std::chrono_literals;

constexpr int kMaxReported = 10;

// Full-width form of a half-width ASCII text (digits and "/").
std::string FullWidth(const std::string& text) {
  std::string result;
  for (const char c : text) {
    // U+FF01..U+FF5E: EF BC 81..EF BC BF, then EF BD 80..EF BD 9E.
    const unsigned code = 0xFF01u + static_cast<unsigned>(c - '!');
    result += static_cast<char>(0xE0u | (code >> 12));
    result += static_cast<char>(0x80u | ((code >> 6) & 0x3Fu));
    result += static_cast<char>(0x80u | (code & 0x3Fu));
  }
  return result;
}

std::string Describe(std::chrono::year_month_day date) {
  std::array<char, 32> buffer;
  std::snprintf(buffer.data(), buffer.size(), "%d-%u-%u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer.data();
}

// Every day of the years 1..9999: value -> "YYYY/MM/DD" -> date and value again, and the
// weekday against <chrono>.
TEST(DateSweep, EveryDayOfTheYears1To9999RoundTrips) {
  const std::chrono::sys_days first{1y / 1 / 1};
  const std::chrono::sys_days last{9999y / 12 / 31};
  int mismatches = 0;
  double previous = ToDateValue(first) - 1.0;
  std::array<char, 16> expected;
  for (auto day = first; day <= last; day += std::chrono::days{1}) {
    const std::chrono::year_month_day date{day};
    const DateValue value = ToDateValue(day);
    const std::string text = FormatDate(value, "YYYY/MM/DD");
    std::snprintf(expected.data(), expected.size(), "%04d/%02u/%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    const auto weekday = std::chrono::weekday{day}.c_encoding() + 1;  // Sunday 1
    const auto parsed = ParseDate(text);
    const bool ok = value == previous + 1.0 && ToDate(value) == date && text == expected.data() &&
                    parsed && *parsed == date && TextToDate(text) == value &&
                    FormatDate(value, "w") == std::to_string(weekday) &&
                    WeekdayNumber(date) == static_cast<int>(weekday);
    if (!ok && ++mismatches <= kMaxReported) {
      ADD_FAILURE() << Describe(date) << ": value " << value << ", text " << text;
    }
    previous = value;
  }
  EXPECT_EQ(mismatches, 0);
}

// Every day of 1900-2099 written unpadded, as the module builds its own texts, and in full
// width, as an input method types it, names the same date as its padded text.
TEST(DateSweep, UnpaddedAndFullWidthTextsOf1900To2099) {
  const std::chrono::sys_days first{1900y / 1 / 1};
  const std::chrono::sys_days last{2099y / 12 / 31};
  int mismatches = 0;
  std::array<char, 16> unpadded;
  for (auto day = first; day <= last; day += std::chrono::days{1}) {
    const std::chrono::year_month_day date{day};
    std::snprintf(unpadded.data(), unpadded.size(), "%d/%u/%u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    const std::string padded = FormatDate(ToDateValue(day), "YYYY/MM/DD");
    const std::string fullWidth = FullWidth(unpadded.data());
    const std::string fullWidthPadded = FullWidth(padded);
    const auto weekday = static_cast<std::int16_t>(std::chrono::weekday{day}.c_encoding() + 1);
    const bool ok = ParseDate(unpadded.data()) == date && ParseDate(fullWidth) == date &&
                    ParseDate(fullWidthPadded) == date &&
                    FormatDate(std::string_view{unpadded.data()}, "w") == std::to_string(weekday) &&
                    WeekdayOf(padded) == weekday && YearOf(unpadded.data()) == int{date.year()} &&
                    MonthOf(fullWidth) == static_cast<int>(unsigned{date.month()}) &&
                    DayOf(fullWidth) == static_cast<int>(unsigned{date.day()});
    if (!ok && ++mismatches <= kMaxReported) {
      ADD_FAILURE() << Describe(date) << ": " << unpadded.data() << " / " << fullWidth;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// From 明治6年 on, every day has exactly one era that names it, in kanji and by letter alike,
// and the eras follow one another in order; before 1873 no era names a day.
TEST(DateSweep, EachDayBelongsToExactlyOneEra) {
  const struct {
    const char* name;
    const char* letter;
    int firstYear;
  } kEras[] = {
      {"明治", "M", 1868}, {"大正", "T", 1912}, {"昭和", "S", 1926},
      {"平成", "H", 1989}, {"令和", "R", 2019},
  };
  const std::chrono::sys_days gregorianFrom{1873y / 1 / 1};
  int mismatches = 0;
  int previousEra = 0;
  for (auto day = std::chrono::sys_days{1868y / 1 / 1}; day <= std::chrono::sys_days{2100y / 1 / 1};
       day += std::chrono::days{1}) {
    const std::chrono::year_month_day date{day};
    const int year = static_cast<int>(date.year());
    const auto month = static_cast<unsigned>(date.month());
    const auto dayOfMonth = static_cast<unsigned>(date.day());
    int eras = 0;
    int era = -1;
    for (int i = 0; i < 5; ++i) {
      const int eraYear = year - kEras[i].firstYear + 1;
      if (eraYear < 1) continue;
      const std::string kanji = std::string(kEras[i].name) + std::to_string(eraYear) + "年" +
                                std::to_string(month) + "月" + std::to_string(dayOfMonth) + "日";
      const std::string letter = std::string(kEras[i].letter) + std::to_string(eraYear) + "/" +
                                 std::to_string(month) + "/" + std::to_string(dayOfMonth);
      const auto byKanji = ParseDate(kanji);
      if (byKanji.has_value() != ParseDate(letter).has_value() || (byKanji && *byKanji != date)) {
        if (++mismatches <= kMaxReported) ADD_FAILURE() << kanji << " vs " << letter;
      }
      if (byKanji) {
        ++eras;
        era = i;
      }
    }
    const bool ok = day < gregorianFrom ? eras == 0 : (eras == 1 && era >= previousEra);
    if (!ok && ++mismatches <= kMaxReported) {
      ADD_FAILURE() << Describe(date) << ": named by " << eras << " eras";
    }
    if (era >= 0) previousEra = era;
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace velunta::runtime
