#include "velunta/runtime/date_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "velunta/runtime/failure.h"

namespace velunta::runtime {
namespace {

using namespace std::chrono_literals;
using namespace std::string_view_literals;

struct DateCase {
  std::string_view text;
  int year;
  unsigned month;
  unsigned day;
};

void ExpectDate(std::string_view text, int year, unsigned month, unsigned day) {
  const auto date = ParseDate(text);
  ASSERT_TRUE(date.has_value());
  EXPECT_EQ(static_cast<int>(date->year()), year);
  EXPECT_EQ(static_cast<unsigned>(date->month()), month);
  EXPECT_EQ(static_cast<unsigned>(date->day()), day);
  EXPECT_TRUE(IsDate(text));
}

TEST(ParseDate, AcceptedGregorianForms) {
  const DateCase kCases[] = {
      {"2005/05/04", 2005, 5, 4},
      {"2005/5/4", 2005, 5, 4},
      {"2005/05/4", 2005, 5, 4},
      {"2005-05-04", 2005, 5, 4},
      {"2005-5-4", 2005, 5, 4},
      {"2005.5.4", 2005, 5, 4},
      {"2005.05.04", 2005, 5, 4},
      {"2005年5月4日", 2005, 5, 4},
      {"2005年05月04日", 2005, 5, 4},
      {"２００５／０５／０４", 2005, 5, 4},
      {"２００５－０５－０４", 2005, 5, 4},
      {"２００５．５．４", 2005, 5, 4},
      {"２００５年５月４日", 2005, 5, 4},
      // Full-width and half-width spellings of one separator are the same separator.
      {"２００５/５／４", 2005, 5, 4},
      {" 2005/5/4 ", 2005, 5, 4},
      {"\t2005/5/4\t", 2005, 5, 4},
      {"　2005/5/4　", 2005, 5, 4},
      {" \t　2005年5月4日　\t ", 2005, 5, 4},
      // The year is read as written: no window around the present.
      {"05/1/1", 5, 1, 1},
      {"5/1/1", 5, 1, 1},
      {"0005/1/1", 5, 1, 1},
      {"99/12/31", 99, 12, 31},
      {"1/1/1", 1, 1, 1},
      {"9999/12/31", 9999, 12, 31},
      {"2000/2/29", 2000, 2, 29},
      {"2004/2/29", 2004, 2, 29},
      {"1600/2/29", 1600, 2, 29},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    ExpectDate(row.text, row.year, row.month, row.day);
  }
}

TEST(ParseDate, AcceptedEraForms) {
  const DateCase kCases[] = {
      {"平成17年5月4日", 2005, 5, 4},
      {"H17/5/4", 2005, 5, 4},
      {"h17.5.4", 2005, 5, 4},
      {"H17-05-04", 2005, 5, 4},
      {"Ｈ１７／５／４", 2005, 5, 4},
      {"ｈ１７．５．４", 2005, 5, 4},
      {"平成１７年５月４日", 2005, 5, 4},
      {"H17年5月4日", 2005, 5, 4},
      {"平成17/5/4", 2005, 5, 4},
      {" 平成17年5月4日　", 2005, 5, 4},
      {"令和元年5月1日", 2019, 5, 1},
      {"R元/5/1", 2019, 5, 1},
      {"ｒ元.5.1", 2019, 5, 1},
      {"令和1年5月1日", 2019, 5, 1},
      {"R01/05/01", 2019, 5, 1},
      {"明治6年1月1日", 1873, 1, 1},
      {"m6/1/1", 1873, 1, 1},
      {"大正元年7月30日", 1912, 7, 30},
      {"t1/7/30", 1912, 7, 30},
      {"昭和元年12月25日", 1926, 12, 25},
      {"s1/12/25", 1926, 12, 25},
      {"S50/1/15", 1975, 1, 15},
      {"平成元年1月8日", 1989, 1, 8},
      {"令和7981年12月31日", 9999, 12, 31},
      {"平成12年2月29日", 2000, 2, 29},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    ExpectDate(row.text, row.year, row.month, row.day);
  }
}

// Both sides of every era's first and last day.
TEST(ParseDate, EraBoundaries) {
  const struct {
    std::string_view text;
    bool accepted;
  } kCases[] = {
      {"明治5年12月31日", false},   {"M5/12/31", false},         {"明治5年12月1日", false},
      {"明治元年1月1日", false},    {"明治6年1月1日", true},     {"明治45年7月29日", true},
      {"M45/7/29", true},           {"明治45年7月30日", false},  {"大正元年7月29日", false},
      {"大正元年7月30日", true},    {"大正15年12月24日", true},  {"T15/12/24", true},
      {"大正15年12月25日", false},  {"昭和元年12月24日", false}, {"昭和元年12月25日", true},
      {"昭和64年1月7日", true},     {"S64/1/7", true},           {"昭和64年1月8日", false},
      {"平成元年1月7日", false},    {"H1/1/7", false},           {"平成元年1月8日", true},
      {"平成31年4月30日", true},    {"H31/4/30", true},          {"平成31年5月1日", false},
      {"令和元年4月30日", false},   {"R1/4/30", false},          {"令和元年5月1日", true},
      {"令和7981年12月31日", true}, {"令和7982年1月1日", false}, {"平成0年1月8日", false},
      {"H0/12/31", false},          {"令和0年5月1日", false},    {"H00/5/1", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseDate(row.text).has_value(), row.accepted);
    EXPECT_EQ(IsDate(row.text), row.accepted);
  }
}

TEST(ParseDate, RefusedTexts) {
  const std::string_view kCases[] = {
      // No real date.
      "2005/2/30",
      "2001/2/29",
      "1900/2/29",
      "2005/13/1",
      "2005/0/1",
      "2005/1/0",
      "2005/1/32",
      "2005/4/31",
      "0/1/1",
      "0000/1/1",
      "10000/1/1",
      // Too many digits, leading zeros included.
      "00005/1/1",
      "2005/005/4",
      "2005/5/004",
      "20050/5/4",
      "H00017/5/4",
      // Not a date at all, or a part missing.
      "",
      " ",
      "　",
      "abc",
      "2005",
      "2005/5",
      "2005/5/",
      "2005//4",
      "/5/4",
      "//",
      "2005年5月",
      "2005年5月4",
      "2005年4日",
      "年5月4日",
      "2005年/5/4",
      // Mixed separators and trailing separators.
      "2005/5-4",
      "2005-5/4",
      "2005.5/4",
      "2005/5.4",
      "2005年5/4",
      "2005/5月4日",
      "2005/5/4/",
      "2005-5-4-",
      "2005/5/4日",
      // Signs, blanks inside, trailing text.
      "+2005/5/4",
      "-2005/5/4",
      "2005/+5/4",
      "2005/5/-4",
      "2005 /5/4",
      "2005/ 5/4",
      "2005/5/ 4",
      "2005　/5/4",
      "2005/5/4 x",
      "2005/5/4 2005/5/4",
      "2005/5/4T00:00",
      // Eras spelled wrong or without a year.
      "X17/5/4",
      "HH17/5/4",
      "H/5/4",
      "H",
      "平成",
      "平成年5月4日",
      "平17年5月4日",
      "成17年5月4日",
      "元/5/1",
      "元年5月1日",
      "H 17/5/4",
      "平成 17年5月4日",
      "H元元/5/1",
      "2005元/5/1",
      "H1.5/4",
      "Ｈ１７／５．４",
      // Other characters.
      "2005\\5\\4",
      "2005_5_4",
      "2005,5,4",
      "2005:5:4",
      "二〇〇五年五月四日",
      // Invalid UTF-8: a stray byte, an overlong "/", a lone surrogate, a cut sequence.
      "2005\xFF/5/4",
      "2005\xC0\xAF"
      "5\xC0\xAF"
      "4",
      "2005/5/4\xED\xA0\x80",
      "2005\xEF\xBC/5/4",
      "2005/5/4\xEF\xBC",
      "\x80"
      "2005/5/4",
      "\xE5\xB9"
      "17/5/4",
      // An embedded NUL ends nothing.
      "2005/5/4\0"sv,
      "\0"
      "2005/5/4"sv,
  };
  for (const auto& text : kCases) {
    SCOPED_TRACE(std::string(text));
    EXPECT_FALSE(ParseDate(text).has_value());
    EXPECT_FALSE(IsDate(text));
    EXPECT_THROW(YearOf(text), Failure);
  }
}

TEST(TryParseDate, LeavesTheDateUnchangedOnFailure) {
  // Texts that fail late: after the date was assembled, or after its era was read.
  for (const std::string_view text : {"2005/2/30", "平成31年5月1日", "2005/5/4 x", "", "H0/1/8"}) {
    SCOPED_TRACE(text);
    auto date = 1234y / 5 / 6;
    EXPECT_FALSE(TryParseDate(text, date));
    EXPECT_EQ(date, 1234y / 5 / 6);
  }
  auto date = 1234y / 5 / 6;
  EXPECT_TRUE(TryParseDate("H17/5/4", date));
  EXPECT_EQ(date, 2005y / 5 / 4);
}

TEST(ValidDate, RealDatesOnly) {
  const struct {
    const char* name;
    int year, month, day;
    bool valid;
  } kCases[] = {
      {"ordinary", 2005, 5, 4, true},
      {"February 30", 2005, 2, 30, false},
      {"leap day", 2004, 2, 29, true},
      {"no leap day in 2100", 2100, 2, 29, false},
      {"first day", 1, 1, 1, true},
      {"last day", 9999, 12, 31, true},
      {"year 0", 0, 1, 1, false},
      {"year 10000", 10000, 1, 1, false},
      {"negative year", -1, 1, 1, false},
      {"month 0", 2005, 0, 1, false},
      {"month 13", 2005, 13, 1, false},
      {"day 0", 2005, 1, 0, false},
      {"day 32", 2005, 1, 32, false},
      {"negative month", 2005, -1, 1, false},
      {"negative day", 2005, 1, -1, false},
      {"smallest ints", INT_MIN, INT_MIN, INT_MIN, false},
      {"largest ints", INT_MAX, INT_MAX, INT_MAX, false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto date = ValidDate(row.year, row.month, row.day);
    ASSERT_EQ(date.has_value(), row.valid);
    if (date) {
      EXPECT_EQ(static_cast<int>(date->year()), row.year);
      EXPECT_EQ(static_cast<unsigned>(date->month()), static_cast<unsigned>(row.month));
      EXPECT_EQ(static_cast<unsigned>(date->day()), static_cast<unsigned>(row.day));
    }
  }
}

TEST(DateParts, YearMonthDayWeekdayOfText) {
  const struct {
    std::string_view text;
    std::int16_t year, month, day, weekday;
  } kCases[] = {
      {"2005/01/01", 2005, 1, 1, 7},
      {"H17/5/4", 2005, 5, 4, 4},
      {"令和元年5月1日", 2019, 5, 1, 4},
      {"1899/12/31", 1899, 12, 31, 1},
      {"1/1/1", 1, 1, 1, 2},
      {"9999/12/31", 9999, 12, 31, 6},
      {"２０２４．２．２９", 2024, 2, 29, 5},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(YearOf(row.text), row.year);
    EXPECT_EQ(MonthOf(row.text), row.month);
    EXPECT_EQ(DayOf(row.text), row.day);
    EXPECT_EQ(WeekdayOf(row.text), row.weekday);
  }
}

TEST(DateParts, ThrowFailureForNoDate) {
  for (const std::string_view text : {"", "abc", "2005/2/30", "平成31年5月1日"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(YearOf(text), Failure);
    EXPECT_THROW(MonthOf(text), Failure);
    EXPECT_THROW(DayOf(text), Failure);
    EXPECT_THROW(WeekdayOf(text), Failure);
  }
}

TEST(DateParts, WeekdayNumberRunsSundayToSaturday) {
  // 2005-05-01 was a Sunday.
  static_assert(WeekdayNumber(2005y / 5 / 1) == 1);
  static_assert(WeekdayNumber(2005y / 5 / 7) == 7);
  static_assert(WeekdayNumber(1899y / 12 / 31) == 1);
  SUCCEED();
}

}  // namespace
}  // namespace velunta::runtime
