// The questions the command and the server share: the nearest days off against a walk day by
// day, the equinox years of each source, calendars with a request's additions, today in Japan.

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include <velunta/request/queries.h>

namespace velunta::request {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

// The days off from `date` on, found by asking the source one day at a time.
std::vector<year_month_day> Walked(const records::DaySource& source, year_month_day date,
                                   Direction direction, int count, bool sundays) {
  std::vector<year_month_day> found;
  const days step{direction == Direction::forward ? 1 : -1};
  for (sys_days day = sys_days{date} + step;
       static_cast<int>(found.size()) < count && source.Covers(year_month_day{day}); day += step) {
    const auto record = source.Day(year_month_day{day});
    if (records::IsHolidayKind(record.kind) || (sundays && record.kind == records::DayKind::sunday))
      found.push_back(record.date);
  }
  return found;
}

TEST(Queries, NearestDaysOffAgreeWithAWalk) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> anyDay(0, 292'193);
  std::uniform_int_distribution<int> anyCount(1, 40);
  for (const auto* source : {&records::LawSource(), &records::ClassicSource()}) {
    for (int i = 0; i < 400; ++i) {
      const year_month_day date{sys_days{source->FirstYear() / January / 1} + days{anyDay(random)}};
      if (!source->Covers(date)) continue;
      const auto direction = i % 2 == 0 ? Direction::forward : Direction::backward;
      const int count = anyCount(random);
      const bool sundays = i % 3 == 0;
      SCOPED_TRACE(records::IsoDate(date) + " count " + std::to_string(count));
      const auto walked = Walked(*source, date, direction, count, sundays);
      const auto found = NearestDaysOff(*source, date, direction, count, sundays, DateStyle::iso);
      if (static_cast<int>(walked.size()) < count) {
        EXPECT_FALSE(found.has_value());
        continue;
      }
      ASSERT_TRUE(found.has_value()) << Worded(found.refusal());
      ASSERT_EQ(found->size(), walked.size());
      for (std::size_t k = 0; k < walked.size(); ++k) EXPECT_EQ((*found)[k].date, walked[k]);
    }
  }
  const auto tooMany = NearestDaysOff(records::LawSource(), 2399y / November / 1,
                                      Direction::forward, 5, false, DateStyle::slash);
  ASSERT_FALSE(tooMany.has_value());
  EXPECT_EQ(Worded(tooMany.refusal()),
            "only 2 of 5 days off after 2399/11/01 within the years 1600 to 2399; accepted: a "
            "date with that many days off after it");
}

TEST(Queries, EquinoxYearsOfEachSource) {
  const struct {
    const char* name;
    const records::DaySource& source;
    const char* text;
    bool accepted;
  } kCases[] = {
      {"law, first", records::LawSource(), "1600", true},
      {"law, last", records::LawSource(), "2399", true},
      {"classic, before its formula", records::ClassicSource(), "1899", false},
      {"classic, first", records::ClassicSource(), "1900", true},
      {"classic, last", records::ClassicSource(), "2099", true},
      {"classic, after", records::ClassicSource(), "2100", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto y = EquinoxYear(row.text, row.source);
    EXPECT_EQ(y.has_value(), row.accepted);
    if (!row.accepted) {
      EXPECT_EQ(Worded(y.refusal()),
                std::string("year out of range for the classic equinox days: '") + row.text +
                    "'; accepted: 1900 to 2099");
    }
  }
}

TEST(Queries, CalendarsWithAdditionsAndTheirRefusals) {
  BusinessCalendarOptions base;
  base.closed = {2026y / May / 1};
  const auto calendar =
      CalendarWith(base, {.bankClosingDays = true, .closed = {2026y / May / 8}}, DateStyle::iso);
  ASSERT_TRUE(calendar.has_value());
  EXPECT_FALSE(*calendar->IsBusinessDay(2026y / May / 1)) << "the base's own closing kept";
  EXPECT_FALSE(*calendar->IsBusinessDay(2026y / May / 8)) << "the request's added";
  EXPECT_FALSE(*calendar->IsBusinessDay(2026y / December / 31)) << "the banks' day added";
  EXPECT_TRUE(*calendar->IsBusinessDay(2026y / May / 7));
  EXPECT_EQ(Worded(CalendarRefusal(CalendarError::outOfRange, "business add 2399-12-31 1",
                                   DateStyle::iso)),
            "result out of range: business add 2399-12-31 1; accepted: requests answered within "
            "1600-01-01 to 2399-12-31");
}

TEST(Queries, TodayInJapanTurnsAtThreePmUtc) {
  const sys_seconds lastMoment = sys_days{2026y / May / 5} + hours{14} + minutes{59} + seconds{59};
  EXPECT_EQ(TodayInJapan(lastMoment), 2026y / May / 5);
  EXPECT_EQ(TodayInJapan(lastMoment + seconds{1}), 2026y / May / 6);
}

}  // namespace
}  // namespace velunta::request
