// The calendars a server loads at start and what a request adds to them: which names it takes,
// and that a request whose parameters change nothing is answered by the shared calendar exactly
// as a calendar built for it would answer.

#include <stdexcept>

#include <gtest/gtest.h>
#include <velunta/business_days.h>
#include <velunta/server/handler.h>

#include "business_calendars.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

TEST(CalendarNames, PlainTokensOnly) {
  const struct {
    const char* name;
    std::string text;
    bool accepted;
  } kCases[] = {
      {"letters", "tokyo", true},
      {"digits first", "2026", true},
      {"dot, dash and underscore inside", "osaka.branch-2_b", true},
      {"64 characters", std::string(64, 'a'), true},
      {"65 characters", std::string(65, 'a'), false},
      {"empty", "", false},
      {"dash first", "-tokyo", false},
      {"dot first", ".tokyo", false},
      {"space", "to kyo", false},
      {"slash", "a/b", false},
      {"equals", "a=b", false},
      {"ampersand", "a&b", false},
      {"percent", "a%20", false},
      {"non-ASCII", "東京", false},
      {"NUL", std::string("a\0b", 3), false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(IsCalendarName(row.text), row.accepted);
  }
}

TEST(CalendarNames, HandlerRefusesABadSetOfCalendars) {
  BusinessCalendarOptions outOfRange;
  outOfRange.closed = {2400y / January / 4};
  const struct {
    const char* name;
    std::vector<std::pair<std::string, BusinessCalendarOptions>> calendars;
    const char* named;
  } kCases[] = {
      {"bad name", {{"a b", {}}}, "not a calendar name: 'a b'"},
      {"name twice", {{"tokyo", {}}, {"osaka", {}}, {"tokyo", {}}}, "given twice: 'tokyo'"},
      {"closed date out of range", {{"far", outOfRange}}, "'far' cannot be made"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    try {
      const Handler handler({.calendars = row.calendars});
      ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& refused) {
      EXPECT_NE(std::string(refused.what()).find(row.named), std::string::npos) << refused.what();
    }
  }
}

// Returns whether two calendars answer alike on every day of the window where the additions act:
// every weekday, and the year end's closing days.
bool SameAround(const BusinessCalendar& a, const BusinessCalendar& b) {
  for (sys_days d{2026y / December / 1}; d <= sys_days{2027y / January / 31}; d += days{1}) {
    if (a.IsBusinessDay(d).value_or(false) != b.IsBusinessDay(d).value_or(false)) return false;
  }
  return true;
}

// Every weekend (128 sets) with and without the two kinds of closing days, under every
// combination of the three flags a request adds: when Changes() is false, the base calendar
// answers as the calendar built with the additions would.
TEST(Additions, SharedCalendarOnlyWhenNothingChanges) {
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
        const Additions additions{.saturdayWorkday = (flags & 1U) != 0,
                                  .bankClosingDays = (flags & 2U) != 0,
                                  .governmentClosingDays = (flags & 4U) != 0};
        const auto added = BusinessCalendar::Make(Added(base, additions)).value();
        // A request that changes nothing is answered by the shared calendar: it must be the
        // calendar the request would have built.
        if (!Changes(base, additions)) {
          EXPECT_TRUE(SameAround(baseCalendar, added)) << bits << " " << closing << " " << flags;
          ++shared;
        }
      }
    }
  }
  // No flag (512 cases), or only flags the base already has: 1,728 in all.
  EXPECT_EQ(shared, 1728);
}

// Without a calendar file the server once answered with the day-by-day functions of
// <velunta/business_days.h>: the calendar of the same parameters answers every day of two years
// as they do.
TEST(Additions, DefaultCalendarAnswersAsTheDayByDayFunctions) {
  const std::vector<year_month_day> closed = {2026y / May / 7, 2027y / August / 13};
  for (unsigned flags = 0; flags < 4; ++flags) {
    const bool saturdayWorkday = (flags & 1U) != 0;
    const bool bank = (flags & 2U) != 0;
    const auto calendar = BusinessCalendar::Make(Added({}, {.saturdayWorkday = saturdayWorkday,
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
}  // namespace velunta::server
