// Which holidays rest on an equinox day not yet announced: every date of 1948–2399 against the
// equinoxes themselves, and the days people ask about.

#include <gtest/gtest.h>
#include <velunta/calendar.h>

#include <chrono>
#include <set>

namespace {

using namespace std::chrono;
using velunta::HolidayKind;

constexpr auto N = HolidayKind::national;
constexpr auto S = HolidayKind::specialAct;
constexpr auto F = HolidayKind::substitute;
constexpr auto C = HolidayKind::citizens;

TEST(Predicted, EveryDateAgreesWithTheEquinoxes) {
  // The equinox days of the years whose equinoxes are predictions, as EquinoxesOf tells them.
  std::set<sys_days> equinoxDays;
  for (int y = 1948; y <= 2399; ++y) {
    const auto both = velunta::EquinoxesOf(year{y});
    ASSERT_TRUE(both.has_value());
    for (const velunta::Equinox& e : {both->vernal, both->autumnal}) {
      if (!e.official && e.day >= velunta::kActInForce) equinoxDays.insert(sys_days{e.day});
    }
  }
  auto national = [](sys_days d) {
    const auto h = velunta::HolidayOn(year_month_day{d});
    return h.has_value() && h->has_value() && ((*h)->kind == N || (*h)->kind == S);
  };
  std::set<HolidayKind> kindsPredicted;
  for (sys_days d{1948y / 1 / 1}; d <= sys_days{2399y / 12 / 31}; d += days{1}) {
    const year_month_day date{d};
    SCOPED_TRACE(testing::Message()
                 << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month())
                 << "-" << static_cast<unsigned>(date.day()));
    const auto holiday = velunta::HolidayOn(date);
    const auto listed = velunta::HolidayOn(date, velunta::LabelStyle::officialList);
    ASSERT_TRUE(holiday.has_value() && listed.has_value());
    const bool onEquinox = equinoxDays.contains(d);
    ASSERT_TRUE(!onEquinox || *holiday) << "a predicted equinox day that is no holiday";
    if (!*holiday) continue;
    const velunta::Holiday& h = **holiday;
    bool expected = onEquinox;
    if (h.kind == F) {  // the run of national holidays it follows
      for (sys_days back = d - days{1}; national(back); back -= days{1}) {
        expected = expected || equinoxDays.contains(back);
      }
    }
    if (h.kind == C) {
      expected = equinoxDays.contains(d - days{1}) || equinoxDays.contains(d + days{1});
    }
    ASSERT_EQ(h.predicted, expected) << h.name;
    ASSERT_EQ((*listed)->predicted, h.predicted);
    if (h.predicted) kindsPredicted.insert(h.kind);
  }
  EXPECT_EQ(kindsPredicted, (std::set<HolidayKind>{N, F, C}));
}

TEST(Predicted, DaysPeopleAskAbout) {
  const struct {
    const char* text;
    year_month_day date;
    HolidayKind kind;
    bool predicted;
  } kCases[] = {
      {"2032-09-21 between Monday 敬老の日 and Wednesday 秋分の日", 2032y / 9 / 21, C, true},
      {"2033-03-21 after 春分の日 on a Sunday", 2033y / 3 / 21, F, true},
      {"2029-09-24 after 秋分の日 on a Sunday", 2029y / 9 / 24, F, true},
      {"2028-03-20 the first predicted 春分の日", 2028y / 3 / 20, N, true},
      {"2032-09-20 敬老の日 beside a predicted 秋分の日", 2032y / 9 / 20, N, false},
      {"2030-05-06 a substitute holiday of a predicted year", 2030y / 5 / 6, F, false},
      {"2028-01-01 元日 of a predicted year", 2028y / 1 / 1, N, false},
      {"2027-09-23 the last announced 秋分の日", 2027y / 9 / 23, N, false},
      {"2026-09-22 an announced citizens' holiday", 2026y / 9 / 22, C, false},
      {"2018-09-24 after an announced 秋分の日 on a Sunday", 2018y / 9 / 24, F, false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto holiday = velunta::HolidayOn(row.date);
    ASSERT_TRUE(holiday.has_value() && holiday->has_value());
    EXPECT_EQ((*holiday)->kind, row.kind);
    EXPECT_EQ((*holiday)->predicted, row.predicted);
  }
}

}  // namespace
