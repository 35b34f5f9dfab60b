// The next and the previous holiday, against a day-by-day walk over every date.

#include <gtest/gtest.h>

#include <velunta/calendar.h>

namespace {

using namespace std::chrono;

TEST(Nearest, EveryDateAgreesWithAWalk) {
  // One pass each way: the holiday a walk last met is the answer for the dates behind it.
  const sys_days first{1947y / January / 1};
  const sys_days last{velunta::kLastDate};
  std::optional<year_month_day> ahead;
  for (sys_days d = last; d >= first; d -= days{1}) {
    const year_month_day date{d};
    const auto on = velunta::HolidayOn(date);
    ASSERT_TRUE(on.has_value());
    if (*on) ahead = date;
    const auto next = velunta::HolidayOnOrAfter(date);
    ASSERT_TRUE(next.has_value());
    ASSERT_EQ(next->has_value(), ahead.has_value())
        << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month()) << "-"
        << static_cast<unsigned>(date.day());
    if (ahead) {
      ASSERT_EQ((*next)->date, *ahead);
    }
  }
  std::optional<year_month_day> behind;
  for (sys_days d = first; d <= last; d += days{1}) {
    const year_month_day date{d};
    if (*velunta::HolidayOn(date)) behind = date;
    const auto previous = velunta::HolidayOnOrBefore(date);
    ASSERT_TRUE(previous.has_value());
    ASSERT_EQ(previous->has_value(), behind.has_value());
    if (behind) {
      ASSERT_EQ((*previous)->date, *behind);
    }
  }
}

TEST(Nearest, NamesAndRefusals) {
  const auto next = velunta::HolidayOnOrAfter(2026y / May / 7);
  ASSERT_TRUE(next.has_value() && next->has_value());
  EXPECT_EQ((*next)->name, "海の日");
  const auto listed =
      velunta::HolidayOnOrBefore(2019y / May / 1, velunta::LabelStyle::officialList);
  ASSERT_TRUE(listed.has_value() && listed->has_value());
  EXPECT_EQ((*listed)->name, "休日（祝日扱い）");
  EXPECT_FALSE(velunta::HolidayOnOrAfter(2399y / December / 24)->has_value());
  EXPECT_FALSE(velunta::HolidayOnOrBefore(1948y / September / 22)->has_value());
  EXPECT_EQ(velunta::HolidayOnOrAfter(2400y / January / 1).error(),
            velunta::CalendarError::outOfRange);
  EXPECT_EQ(velunta::HolidayOnOrBefore(2026y / February / 30).error(),
            velunta::CalendarError::invalidDate);
}

}  // namespace
