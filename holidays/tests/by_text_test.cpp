#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

#include "rule_oracle.h"

namespace {

using namespace std::chrono;
using Mdl_Velunta::GetHolidayInfo;
using Mdl_Velunta::GetHolidayInfoByText;

constexpr std::int16_t kUnset = -99;

struct Answer {
  std::int16_t result = kUnset;
  std::int16_t isHoliday = kUnset;
  std::int16_t code = kUnset;
  bool operator==(const Answer&) const = default;
};

Answer ByText(const std::string& text) {
  Answer a;
  a.result = GetHolidayInfoByText(text, a.isHoliday, a.code);
  return a;
}

Answer ByNumbers(year_month_day date) {
  Answer a;
  const auto y = static_cast<std::int16_t>(static_cast<int>(date.year()));
  const auto m = static_cast<std::int16_t>(static_cast<unsigned>(date.month()));
  const auto d = static_cast<std::int16_t>(static_cast<unsigned>(date.day()));
  a.result = GetHolidayInfo(y, m, d, a.isHoliday, a.code);
  return a;
}

// The full-width form of an ASCII date text, as a Japanese input method types it.
std::string FullWidth(const std::string& ascii) {
  std::string out;
  for (const char c : ascii) {
    if (c >= '0' && c <= '9') {
      out += "\xEF\xBC";
      out += static_cast<char>(0x90 + (c - '0'));  // U+FF10..U+FF19
    } else if (c == '/') {
      out += "／";
    }
  }
  return out;
}

std::string Text(year_month_day date, bool padded) {
  const int y = static_cast<int>(date.year());
  const unsigned m = static_cast<unsigned>(date.month());
  const unsigned d = static_cast<unsigned>(date.day());
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, padded ? "%04d/%02u/%02u" : "%d/%u/%u", y, m, d);
  return buffer;
}

TEST(ClassifyText, EveryDateOf1900To2099AgreesWithTheNumbers) {
  for (sys_days day = sys_days{1900y / 1 / 1}; day <= sys_days{2099y / 12 / 31}; day += days{1}) {
    const year_month_day date{day};
    const Answer expected = ByNumbers(date);
    ASSERT_EQ(expected.result, -1) << velunta::holidays::testing::Iso(date);
    const std::string padded = Text(date, true);
    ASSERT_EQ(ByText(padded), expected) << padded;
    ASSERT_EQ(ByText(Text(date, false)), expected) << padded;
    ASSERT_EQ(ByText(FullWidth(padded)), expected) << padded;
  }
}

TEST(ClassifyText, FormsOfOneDate) {
  const char* kForms[] = {"2005/05/04",           "2005/5/4",       "2005-05-04", "2005.5.4",
                          "2005年5月4日",         "平成17年5月4日", "H17/5/4",    "h17.5.4",
                          "２００５／０５／０４", " 2005/5/4 "};
  for (const char* text : kForms) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ByText(text), (Answer{-1, -1, 80}));
  }
}

TEST(ClassifyText, TextsThatNameNoDateWriteNothing) {
  const char* kTexts[] = {"",
                          "abc",
                          "2005/2/30",
                          "2005/13/1",
                          "0/1/1",
                          "10000/1/1",
                          "2005/5",
                          "2005/5/4/",
                          "2005/5-4",
                          "平成31年5月1日",
                          "昭和64年1月8日",
                          "明治5年12月1日",
                          "2005/05/04x",
                          "-2005/5/4"};
  for (const char* text : kTexts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ByText(text), (Answer{0, kUnset, kUnset}));
  }
}

TEST(ClassifyText, EraDatesClassifyAsTheirWesternDates) {
  const struct {
    const char* text;
    std::int16_t code;
  } kCases[] = {
      {"令和元年5月1日", 0},  // a Wednesday under the fixed table
      {"R1/5/3", 70},
      {"昭和48年4月30日", 2},  // 1973-04-30
      {"平成元年12月23日", 160},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const Answer a = ByText(row.text);
    EXPECT_EQ(a.result, -1);
    EXPECT_EQ(a.code, row.code);
  }
}

}  // namespace
