// The day index read from year, month and day against <chrono>'s day count, the dates it refuses,
// and the lookups built on it against the answers they had before.

#include <gtest/gtest.h>
#include <velunta/business_calendar.h>
#include <velunta/business_days.h>
#include <velunta/calendar.h>

#include <chrono>
#include <optional>
#include <string>

#include "date_index.h"
#include "law.h"

namespace {

using namespace std::chrono;
using velunta::CalendarError;
using velunta::detail::DateIndex;

std::string Text(year_month_day date) {
  return std::to_string(static_cast<int>(date.year())) + "-" +
         std::to_string(static_cast<unsigned>(date.month())) + "-" +
         std::to_string(static_cast<unsigned>(date.day()));
}

TEST(DateIndex, EveryDateMatchesChrono) {
  const sys_days first{velunta::kFirstDate};
  for (sys_days d = first; d <= sys_days{velunta::kLastDate}; d += days{1}) {
    const year_month_day date{d};
    const auto index = DateIndex(date);
    ASSERT_TRUE(index.has_value()) << Text(date);
    ASSERT_EQ(*index, (d - first).count()) << Text(date);
    ASSERT_EQ(velunta::detail::WeekdayOfIndex(*index), weekday{d}) << Text(date);
  }
}

// Every month byte from 0 to 15 and every day byte from 0 to 33 of years on both sides of the
// leap rules: an index exactly for the dates <chrono> calls ok().
TEST(DateIndex, RefusesWhatChronoRefuses) {
  for (const int y : {1600, 1700, 1900, 1999, 2000, 2023, 2024, 2100, 2399}) {
    for (unsigned m = 0; m <= 15; ++m) {
      for (unsigned d = 0; d <= 33; ++d) {
        const year_month_day date{year{y}, month{m}, day{d}};
        ASSERT_EQ(DateIndex(date).has_value(), date.ok()) << Text(date);
      }
    }
  }
}

// The refusals of the lookups that read the index: the errors they gave when they checked the
// date first.
TEST(DateIndex, LookupsRefuseAsBefore) {
  const auto calendar = *velunta::BusinessCalendar::Make({});
  const struct {
    const char* text;
    year_month_day date;
    CalendarError error;
  } kCases[] = {
      {"1599-12-31", 1599y / 12 / 31, CalendarError::outOfRange},
      {"2400-01-01", 2400y / 1 / 1, CalendarError::outOfRange},
      {"year::min()", year::min() / 1 / 1, CalendarError::outOfRange},
      {"year::max()", year::max() / 12 / 31, CalendarError::outOfRange},
      {"year -32768", year{-32768} / 1 / 1, CalendarError::invalidDate},
      {"2399-02-29 (not leap)", 2399y / 2 / 29, CalendarError::invalidDate},
      {"2100-02-29 (not leap)", 2100y / 2 / 29, CalendarError::invalidDate},
      {"2024-00-10", 2024y / 0 / 10, CalendarError::invalidDate},
      {"2024-13-01", 2024y / 13 / 1, CalendarError::invalidDate},
      {"2024-255-01", year{2024} / month{255} / 1, CalendarError::invalidDate},
      {"2024-01-00", 2024y / 1 / 0, CalendarError::invalidDate},
      {"2024-01-32", 2024y / 1 / 32, CalendarError::invalidDate},
      {"2024-04-31", 2024y / 4 / 31, CalendarError::invalidDate},
      {"2024-12-255", year{2024} / 12 / day{255}, CalendarError::invalidDate},
      {"1599-02-30 (both wrong)", 1599y / 2 / 30, CalendarError::invalidDate},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_FALSE(DateIndex(row.date).has_value());
    const auto holiday = velunta::HolidayOn(row.date);
    const auto is = velunta::IsHoliday(row.date);
    const auto open = calendar.IsBusinessDay(row.date);
    const auto free = velunta::IsBusinessDay(row.date);
    ASSERT_FALSE(holiday.has_value() || is.has_value() || open.has_value() || free.has_value());
    EXPECT_EQ(holiday.error(), row.error);
    EXPECT_EQ(is.error(), row.error);
    EXPECT_EQ(open.error(), row.error);
    EXPECT_EQ(free.error(), row.error);
  }
}

// HolidayOn labels a holiday from what its year's table recorded; the rules themselves must give
// the same holiday, in both label styles, on every date.
TEST(DateIndex, RecordedHolidaysMatchTheRules) {
  // Fill every year first: the first lookup of a year asks the rules.
  for (year y = velunta::kActInForce.year(); y <= velunta::kLastYear; ++y) {
    ASSERT_TRUE(velunta::IsHoliday(y / 1 / 1).has_value());
  }
  for (sys_days d{velunta::kFirstDate}; d <= sys_days{velunta::kLastDate}; d += days{1}) {
    const year_month_day date{d};
    for (const auto style : {velunta::LabelStyle::official, velunta::LabelStyle::officialList}) {
      const auto expected = velunta::detail::Classify(date, style);
      const auto holiday = velunta::HolidayOn(date, style);
      ASSERT_TRUE(holiday.has_value()) << Text(date);
      ASSERT_EQ(*holiday, expected) << Text(date);
      ASSERT_EQ(*velunta::IsHoliday(date), expected.has_value()) << Text(date);
    }
  }
}

}  // namespace
