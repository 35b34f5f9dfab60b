#include "velunta/runtime/date_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "velunta/runtime/failure.h"

namespace velunta::runtime {
namespace {

using namespace std::chrono_literals;

TEST(DateValue, DayNumbers) {
  const struct {
    const char* name;
    std::chrono::year_month_day date;
    double value;
  } kCases[] = {
      {"day 0", 1899y / 12 / 30, 0.0},        {"day 1, a Sunday", 1899y / 12 / 31, 1.0},
      {"1900-01-01", 1900y / 1 / 1, 2.0},     {"2005-01-01", 2005y / 1 / 1, 38353.0},
      {"2005-05-04", 2005y / 5 / 4, 38476.0}, {"before day 0", 1899y / 12 / 29, -1.0},
      {"first day", 1y / 1 / 1, -693593.0},   {"last day", 9999y / 12 / 31, 2958465.0},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToDateValue(std::chrono::sys_days{row.date}), row.value);
    EXPECT_EQ(ToDate(row.value), row.date);
  }
}

TEST(DateValue, ToDateDropsTheTimeOfDay) {
  const struct {
    double value;
    std::chrono::year_month_day date;
  } kCases[] = {
      {38353.25, 2005y / 1 / 1},
      {38353.999999, 2005y / 1 / 1},
      {0.5, 1899y / 12 / 30},
      // A value below day 0 still lies in its day: half a day before 1899-12-30.
      {-0.5, 1899y / 12 / 29},
      {-693593.0, 1y / 1 / 1},
      {2958465.999, 9999y / 12 / 31},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(ToDate(row.value), row.date);
  }
}

TEST(DateValue, ToDateRefusesValuesOutsideTheYears1To9999) {
  const double kCases[] = {
      std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::max(),
      std::numeric_limits<double>::lowest(),
      1e300,
      -1e300,
      9.3e18,  // beyond any 64-bit integer
      -693593.5,
      -693594.0,
      2958466.0,
  };
  for (const double value : kCases) {
    SCOPED_TRACE(value);
    EXPECT_THROW(ToDate(value), Failure);
    EXPECT_THROW(FormatDate(value, "YYYY/MM/DD"), Failure);
  }
}

TEST(TextToDate, ValuesOfTexts) {
  const struct {
    const char* text;
    double value;
  } kCases[] = {
      {"2005/1/1", 38353.0},
      {"2005/12/31", 38717.0},
      {"H17/1/1", 38353.0},
      {"1899/12/30", 0.0},
      {"1/1/1", -693593.0},
      {"9999/12/31", 2958465.0},
      {"２００５年１月１日", 38353.0},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(TextToDate(row.text), row.value);
  }
  for (const char* text : {"", "2005", "2005/2/30", "0/1/1", "10000/1/1"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(TextToDate(text), Failure);
  }
}

TEST(FormatDate, Patterns) {
  const struct {
    double value;
    const char* pattern;
    const char* expected;
  } kCases[] = {
      {38353.0, "YYYY/MM/DD", "2005/01/01"},
      {38353.0, "yyyy/mm/dd", "2005/01/01"},
      {38353.0, "YYYY-MM-DD", "2005-01-01"},
      {38353.0, "YYYY年M月D日", "2005年1月1日"},
      {38353.0, "M/D", "1/1"},
      {38711.0, "M/D", "12/25"},
      {38711.0, "MM/DD", "12/25"},
      {38353.0, "w", "7"},
      {38353.0, "W", "7"},
      {38353.0, "aaa", "土"},
      {38353.0, "AAA", "土"},
      {38353.0, "YYYY/MM/DD(aaa)", "2005/01/01(土)"},
      {38476.0, "w", "4"},
      {38353.75, "YYYY/MM/DD", "2005/01/01"},
      // Anything that is no pattern element is copied as it stands.
      {38353.0, "", ""},
      {38353.0, "YY", "YY"},
      {38353.0, "a", "a"},
      {38353.0, "aa", "aa"},
      {38353.0, "x", "x"},
      {38353.0, "西暦", "西暦"},
      {-693593.0, "YYYY/MM/DD", "0001/01/01"},
      {-689583.0, "YYYY/MM/DD", "0011/12/25"},
      {2958465.0, "YYYY/MM/DD", "9999/12/31"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.pattern) + " for " + std::to_string(row.value));
    EXPECT_EQ(FormatDate(row.value, row.pattern), row.expected);
  }
}

// A weekday number passed where a date is expected names its weekday: days 1..7 of the date
// values run Sunday to Saturday.
TEST(FormatDate, WeekdayNumbersAsDates) {
  const char* const kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int weekday = 1; weekday <= 7; ++weekday) {
    SCOPED_TRACE(weekday);
    EXPECT_EQ(FormatDate(weekday, "aaa"), kNames[weekday - 1]);
    EXPECT_EQ(FormatDate(weekday, "w"), std::to_string(weekday));
  }
}

TEST(FormatDate, LongPatternGrowsTheResult) {
  // "MD" of 25 December becomes "1225": twice the pattern's length, beyond any fixed buffer.
  std::string pattern;
  std::string expected;
  for (int i = 0; i < 500; ++i) {
    pattern += "MD";
    expected += "1225";
  }
  EXPECT_EQ(FormatDate(38711.0, pattern), expected);
}

TEST(FormatDate, DateTexts) {
  const struct {
    const char* text;
    const char* pattern;
    const char* expected;
  } kCases[] = {
      {"2005/5/4", "w", "4"},
      {"2005/5/4", "YYYY/MM/DD", "2005/05/04"},
      {"令和元年5月1日", "YYYY/MM/DD aaa", "2019/05/01 水"},
      {"H17/5/4", "M/D", "5/4"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(FormatDate(std::string_view{row.text}, row.pattern), row.expected);
  }
  EXPECT_THROW(FormatDate(std::string_view{"2005/2/30"}, "w"), Failure);
  EXPECT_THROW(FormatDate(std::string_view{""}, "w"), Failure);
}

}  // namespace
}  // namespace velunta::runtime
