#include <chrono>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

#include "rule_oracle.h"

namespace {

using namespace std::chrono;
using Mdl_Velunta::GetHolidayInfo;
using velunta::holidays::testing::ExpectedCode;
using velunta::holidays::testing::Iso;
using velunta::holidays::testing::NumbersOf;

constexpr std::int16_t kUnset = -99;

struct Classified {
  std::int16_t result = kUnset;
  std::int16_t isHoliday = kUnset;
  std::int16_t code = kUnset;
};

Classified Classify(int year, int month, int day);

Classified Classify(year_month_day date) {
  const auto n = NumbersOf(date);
  return Classify(n.year, n.month, n.day);
}

Classified Classify(int year, int month, int day) {
  Classified c;
  const auto y = static_cast<std::int16_t>(year);
  const auto m = static_cast<std::int16_t>(month);
  const auto d = static_cast<std::int16_t>(day);
  c.result = GetHolidayInfo(y, m, d, c.isHoliday, c.code);
  return c;
}

// Each row names the date, its weekday and why it has its code.
TEST(Classify, DatesOnBothSidesOfEveryRule) {
  const struct {
    const char* why;
    int year, month, day;
    std::int16_t code;
  } kCases[] = {
      {"2005-01-01 Sat New Year's Day", 2005, 1, 1, 10},
      {"2005-01-02 plain Sunday", 2005, 1, 2, 1},
      {"1948-01-01 before the 1949 band", 1948, 1, 1, 0},
      {"1949-01-01 Sat first New Year's Day", 1949, 1, 1, 10},
      {"1978-01-02 Mon after a Sunday New Year", 1978, 1, 2, 2},
      {"1967-01-02 Mon, before substitutes in January", 1967, 1, 2, 0},
      {"1999-01-15 Fri Coming-of-Age Day", 1999, 1, 15, 20},
      {"2000-01-15 Sat, the day moved to Monday", 2000, 1, 15, 0},
      {"2000-01-10 second Monday", 2000, 1, 10, 20},
      {"1966-02-11 before Foundation Day", 1966, 2, 11, 0},
      {"1967-02-11 Sat first Foundation Day", 1967, 2, 11, 30},
      {"1973-02-12 Mon, no substitute in February yet", 1973, 2, 12, 0},
      {"1979-02-12 Mon after a Sunday Feb 11", 1979, 2, 12, 2},
      {"1973-04-30 Mon first substitute holiday", 1973, 4, 30, 2},
      {"1973-09-24 Mon after a Sunday equinox", 1973, 9, 24, 2},
      {"1971-03-22 Mon, no substitute in March yet", 1971, 3, 22, 0},
      {"2005-03-20 Sun vernal equinox", 2005, 3, 20, 41},
      {"2005-03-21 Mon substitute", 2005, 3, 21, 2},
      {"1988-04-29 Fri Emperor's Birthday", 1988, 4, 29, 50},
      {"1989-04-29 Sat Greenery Day", 1989, 4, 29, 60},
      {"2006-04-29 Sat Greenery Day", 2006, 4, 29, 60},
      {"2007-04-29 Sun Showa Day", 2007, 4, 29, 171},
      {"1900-04-29 Sun, no lower year limit", 1900, 4, 29, 51},
      {"2005-05-04 Wed citizens' holiday", 2005, 5, 4, 80},
      {"1988-05-04 Wed first citizens' holiday", 1988, 5, 4, 80},
      {"1987-05-04 Mon after a Sunday May 3", 1987, 5, 4, 2},
      {"1992-05-04 Mon after a Sunday May 3", 1992, 5, 4, 2},
      {"1997-05-04 Sun plain Sunday", 1997, 5, 4, 1},
      {"2008-05-04 Sun Greenery Day", 2008, 5, 4, 181},
      {"2008-05-06 Tue, no rule", 2008, 5, 6, 0},
      {"2009-05-06 Wed, no rule", 2009, 5, 6, 0},
      {"1995-07-20 before Marine Day", 1995, 7, 20, 0},
      {"1996-07-20 Sat first Marine Day", 1996, 7, 20, 100},
      {"2002-07-21 Sun plain Sunday", 2002, 7, 21, 1},
      {"2003-07-21 third Monday", 2003, 7, 21, 100},
      {"2009-09-21 Mon Respect-for-the-Aged Day", 2009, 9, 21, 110},
      {"2009-09-22 Tue citizens' holiday", 2009, 9, 22, 80},
      {"2009-09-23 Wed autumnal equinox", 2009, 9, 23, 120},
      {"2015-09-22 Tue citizens' holiday", 2015, 9, 22, 80},
      {"2026-09-22 Tue citizens' holiday", 2026, 9, 22, 80},
      {"2020-09-22 Tue that is the equinox", 2020, 9, 22, 120},
      {"2011-09-22 Thu before the equinox", 2011, 9, 22, 0},
      {"1965-09-15 before Respect-for-the-Aged Day", 1965, 9, 15, 0},
      {"1966-09-15 Thu first Respect-for-the-Aged Day", 1966, 9, 15, 110},
      {"2003-09-15 third Monday", 2003, 9, 15, 110},
      {"1965-10-10 Sun before Sports Day", 1965, 10, 10, 1},
      {"1966-10-10 Mon first Sports Day", 1966, 10, 10, 130},
      {"2000-10-09 second Monday", 2000, 10, 9, 130},
      {"1988-12-23 before the December birthday", 1988, 12, 23, 0},
      {"1989-12-23 Sat Emperor's Birthday", 1989, 12, 23, 160},
      {"1990-12-24 Mon substitute", 1990, 12, 24, 2},
      {"2005-06-15 Wed June has no rules", 2005, 6, 15, 0},
      {"2005-08-14 Sun August has no rules", 2005, 8, 14, 1},
      {"2100-03-01 Mon, no equinox after 2099", 2100, 3, 1, 0},
      {"2100-03-20 Sat, no equinox after 2099", 2100, 3, 20, 0},
      {"1899-09-23 Sat, no equinox before 1900", 1899, 9, 23, 0},
      {"0001-05-03 every year", 1, 5, 3, 70},
      {"9999-11-23 every year", 9999, 11, 23, 150},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.why);
    const Classified c = Classify(row.year, row.month, row.day);
    EXPECT_EQ(c.result, -1);
    EXPECT_EQ(c.code, row.code);
    EXPECT_EQ(c.isHoliday, row.code != 0 ? -1 : 0);
  }
}

// Every date of 1900-2099 against the independent statement of the table, with the invariants
// every code must keep.
TEST(Classify, EveryDateOf1900To2099) {
  int substitutes = 0;
  for (sys_days day = sys_days{1900y / 1 / 1}; day <= sys_days{2099y / 12 / 31}; day += days{1}) {
    const year_month_day date{day};
    const Classified c = Classify(date);
    const weekday wd{day};
    const auto units = c.code % 10;
    ASSERT_EQ(c.result, -1) << Iso(date);
    ASSERT_EQ(c.code, ExpectedCode(date)) << Iso(date);
    ASSERT_EQ(c.isHoliday, c.code != 0 ? -1 : 0) << Iso(date);
    ASSERT_EQ(units == 1, wd == Sunday) << Iso(date);  // units digit 1 exactly on Sundays
    ASSERT_NE(units, 3) << Iso(date);
    ASSERT_TRUE(units != 2 || c.code == 2) << Iso(date);  // never id + 2
    if (c.code == 2) {
      ++substitutes;
      ASSERT_EQ(wd, Monday) << Iso(date);
      const year_month_day before{day - days{1}};
      const Classified b = Classify(before);
      ASSERT_TRUE(b.code > 1 && b.code % 10 == 1) << Iso(date);  // after a holiday on a Sunday
    }
  }
  EXPECT_GT(substitutes, 100);
}

// Years outside 1900-2099 keep every rule but the equinoxes.
TEST(Classify, EveryDateOfYearsOutsideTheEquinoxRange) {
  for (const int year : {1, 4, 100, 400, 1582, 1600, 1800, 1899, 2100, 2400, 5000, 9999}) {
    for (sys_days day = sys_days{year_month_day{std::chrono::year{year} / 1 / 1}};
         day <= sys_days{year_month_day{std::chrono::year{year} / 12 / 31}}; day += days{1}) {
      const year_month_day date{day};
      const Classified c = Classify(date);
      ASSERT_EQ(c.result, -1) << Iso(date);
      ASSERT_EQ(c.code, ExpectedCode(date)) << Iso(date);
    }
  }
}

// Month -1..14 and day -1..33 of a spread of years: every call returns, a refused date writes
// nothing, and exactly the real dates are accepted.
TEST(Classify, RefusedDatesWriteNothing) {
  for (const int year : {-32768, -1, 0, 1, 1899, 1900, 1948, 1949, 2000, 2004, 2005, 2099, 2100,
                         9999, 10000, 32767}) {
    for (int month = -1; month <= 14; ++month) {
      for (int day = -1; day <= 33; ++day) {
        const Classified c = Classify(year, month, day);
        const bool real = year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                          year_month_day{std::chrono::year{year} / month / day}.ok();
        ASSERT_EQ(c.result, real ? -1 : 0) << year << '/' << month << '/' << day;
        if (!real) {
          ASSERT_EQ(c.isHoliday, kUnset);
          ASSERT_EQ(c.code, kUnset);
        }
      }
    }
  }
  const std::int16_t extremes[] = {std::numeric_limits<std::int16_t>::min(), -1, 0, 1, 13, 32,
                                   std::numeric_limits<std::int16_t>::max()};
  for (const auto m : extremes) {
    for (const auto d : extremes) {
      const Classified c = Classify(2005, m, d);
      EXPECT_EQ(c.result, (m == 1 && (d == 1 || d == 13)) ? -1 : 0) << m << '/' << d;
    }
  }
}

TEST(Classify, InputsAreReadBeforeOutputsAreWritten) {
  std::int16_t shared = 2005;  // the year and the code are one variable
  const std::int16_t month = 5;
  const std::int16_t day = 4;
  std::int16_t isHoliday = 0;
  EXPECT_EQ(GetHolidayInfo(shared, month, day, isHoliday, shared), -1);
  EXPECT_EQ(shared, 80);
  EXPECT_EQ(isHoliday, -1);
}

}  // namespace
