// What a command line or a request adds to a calendar's own choices: when the additions change
// nothing, the base calendar answers as a calendar built with them would; with the options of the
// day-by-day functions they answer as those functions do.

#include <gtest/gtest.h>

#include <velunta/business_calendar.h>
#include <velunta/business_days.h>

namespace velunta {
namespace {

using namespace std::chrono;

// Returns whether two calendars answer alike on every day of the window where the additions act:
// every weekday, and the year end's closing days.
bool SameAround(const BusinessCalendar& a, const BusinessCalendar& b) {
  for (sys_days d{2026y / December / 1}; d <= sys_days{2027y / January / 31}; d += days{1}) {
    if (a.IsBusinessDay(d).value_or(false) != b.IsBusinessDay(d).value_or(false)) return false;
  }
  return true;
}

// Every weekend (128 sets) with and without the two kinds of closing days, under every
// combination of the three flags that may be added: when ChangesCalendar() is false, the base
// calendar answers as the calendar built with the additions would.
TEST(BusinessCalendarAdditions, SharedCalendarOnlyWhenNothingChanges) {
  int shared = 0;
  for (unsigned bits = 0; bits < 128; ++bits) {
    for (unsigned closing = 0; closing < 4; ++closing) {
      BusinessCalendarOptions base;
      base.weekend = {};
      for (unsigned c = 0; c < 7; ++c) {
        if ((bits >> c & 1U) != 0) base.weekend.Add(weekday{c});
      }
      base.bankClosingDays = (closing & 1U) != 0;
      base.governmentClosingDays = (closing & 2U) != 0;
      const auto baseCalendar = BusinessCalendar::Make(base).value();
      for (unsigned flags = 0; flags < 8; ++flags) {
        const BusinessCalendarAdditions additions{.saturdayWorkday = (flags & 1U) != 0,
                                                  .bankClosingDays = (flags & 2U) != 0,
                                                  .governmentClosingDays = (flags & 4U) != 0};
        const auto added = BusinessCalendar::Make(WithAdditions(base, additions)).value();
        // Additions that change nothing may be answered by the base calendar: it must be the
        // calendar the additions would have built.
        if (!ChangesCalendar(base, additions)) {
          EXPECT_TRUE(SameAround(baseCalendar, added)) << bits << " " << closing << " " << flags;
          ++shared;
        }
      }
    }
  }
  // No flag (512 cases), or only flags the base already has: 1,728 in all.
  EXPECT_EQ(shared, 1728);
}

// The options of <velunta/business_days.h>, given as additions to the default calendar, answer
// every day of two years as the day-by-day functions do.
TEST(BusinessCalendarAdditions, DefaultCalendarAnswersAsTheDayByDayFunctions) {
  const std::vector<year_month_day> closed = {2026y / May / 7, 2027y / August / 13};
  for (unsigned flags = 0; flags < 4; ++flags) {
    const bool saturdayWorkday = (flags & 1U) != 0;
    const bool bank = (flags & 2U) != 0;
    const auto calendar =
        BusinessCalendar::Make(WithAdditions({}, {.saturdayWorkday = saturdayWorkday,
                                                  .bankClosingDays = bank,
                                                  .closed = closed}))
            .value();
    const BusinessDayOptions options{.saturdayOff = !saturdayWorkday,
                                     .sundayOff = true,
                                     .bankClosingDays = bank,
                                     .extraClosedDays = closed};
    for (sys_days d{2026y / January / 1}; d <= sys_days{2027y / December / 31}; d += days{1}) {
      const year_month_day date{d};
      ASSERT_EQ(calendar.IsBusinessDay(date).value(), IsBusinessDay(date, options).value())
          << flags << " " << static_cast<int>(date.year()) << "-"
          << static_cast<unsigned>(date.month()) << "-" << static_cast<unsigned>(date.day());
    }
    EXPECT_EQ(calendar.Add(2026y / December / 28, 5).value(),
              AddBusinessDays(2026y / December / 28, 5, options).value());
  }
}

}  // namespace
}  // namespace velunta
