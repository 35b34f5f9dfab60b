// BusinessCalendar against a brute-force model that decides each day from the options and walks
// day by day, over random calendars and random spans (across year ends and the ends of
// 1600..2399); then the organisations' calendars by name: Golden Week, the New Year of banks and
// government offices, a closure across the year end.

#include <gtest/gtest.h>
#include <velunta/business_calendar.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;
using velunta::BusinessCalendar;
using velunta::BusinessCalendarOptions;
using velunta::CalendarError;
using velunta::ClosedReason;
using velunta::MonthDayRange;
using velunta::Roll;

constexpr sys_days kFirst{velunta::kFirstDate};
constexpr sys_days kLast{velunta::kLastDate};

std::string Text(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

// The model: every day decided from the options alone, then queries answered by walking.
class Model {
 public:
  explicit Model(const BusinessCalendarOptions& options) : options_(options) {
    auto closed = options.closed;
    auto working = options.working;
    std::sort(closed.begin(), closed.end());
    std::sort(working.begin(), working.end());
    for (sys_days d = kFirst; d <= kLast; d += days{1}) {
      const year_month_day date{d};
      const bool isWorking = std::binary_search(working.begin(), working.end(), date);
      const bool isClosed = std::binary_search(closed.begin(), closed.end(), date);
      open_.push_back(isWorking || (!isClosed && Reasons(d).empty()) ? 1 : 0);
    }
  }

  // Every reason but the extra closed dates.
  velunta::ClosedReasons Reasons(sys_days d) const {
    const year_month_day date{d};
    const auto md = date.month() / date.day();
    velunta::ClosedReasons reasons;
    if (options_.nationalHolidays && velunta::HolidayOn(date)->has_value()) {
      reasons.Add(ClosedReason::holiday);
    }
    if (options_.weekend.Contains(weekday{d})) reasons.Add(ClosedReason::weekend);
    if (options_.bankClosingDays &&
        (md == December / 31 || md == January / 2 || md == January / 3)) {
      reasons.Add(ClosedReason::bankClosingDay);
    }
    const bool newYear = md.month() == December ? md.day() >= 29d : md <= January / 3;
    if (options_.governmentClosingDays && newYear) {
      reasons.Add(ClosedReason::governmentClosingDay);
    }
    for (const MonthDayRange& range : options_.yearlyClosed) {
      const bool inside = range.first <= range.last ? range.first <= md && md <= range.last
                                                    : !(range.last < md && md < range.first);
      if (inside) reasons.Add(ClosedReason::yearlyClosure);
    }
    return reasons;
  }

  bool Open(sys_days d) const { return open_[Index(d)] != 0; }

  // The walks count on day indexes: in a debug build, date arithmetic on every step is slow.
  int Count(sys_days from, sys_days to) const {
    int count = 0;
    const unsigned char* open = open_.data();
    for (auto i = Index(std::min(from, to)), end = Index(std::max(from, to)); i < end; ++i) {
      count += open[i];
    }
    return to < from ? -count : count;
  }

  std::optional<sys_days> Add(sys_days from, int n) const {
    auto i = static_cast<std::ptrdiff_t>(Index(from));
    const std::ptrdiff_t step = n < 0 ? -1 : 1;
    const unsigned char* open = open_.data();
    const std::ptrdiff_t size = std::ssize(open_);
    for (int left = std::abs(n); left > 0;) {
      i += step;
      if (i < 0 || i >= size) return std::nullopt;
      left -= open[i];
    }
    return kFirst + days{i};
  }

  std::optional<sys_days> FirstOpen(sys_days d, days step) const {
    const unsigned char* open = open_.data();
    const std::ptrdiff_t size = std::ssize(open_);
    for (auto i = static_cast<std::ptrdiff_t>(Index(d)); i >= 0 && i < size; i += step.count()) {
      if (open[i] != 0) return kFirst + days{i};
    }
    return std::nullopt;
  }

  std::optional<sys_days> Roll(sys_days d, velunta::Roll roll) const {
    const days first{roll == Roll::following || roll == Roll::modifiedFollowing ? 1 : -1};
    auto answer = FirstOpen(d, first);
    const bool modified = roll == Roll::modifiedFollowing || roll == Roll::modifiedPreceding;
    if (modified && (!answer || year_month_day{*answer}.month() != year_month_day{d}.month())) {
      answer = FirstOpen(d, -first);
    }
    return answer;
  }

 private:
  static std::size_t Index(sys_days d) { return static_cast<std::size_t>((d - kFirst).count()); }

  BusinessCalendarOptions options_;
  std::vector<unsigned char> open_;  // not vector<bool>: its debug build is slow
};

year_month_day RandomDate(std::mt19937& random, sys_days from, sys_days to) {
  std::uniform_int_distribution<int> pick(0, static_cast<int>((to - from).count()));
  return year_month_day{from + days{pick(random)}};
}

BusinessCalendarOptions RandomOptions(std::mt19937& random) {
  std::bernoulli_distribution coin;
  BusinessCalendarOptions options;
  options.weekend = {};
  for (unsigned wd = 0; wd < 7; ++wd) {
    if (std::bernoulli_distribution{0.3}(random)) options.weekend.Add(weekday{wd});
  }
  options.nationalHolidays = coin(random);
  options.bankClosingDays = coin(random);
  options.governmentClosingDays = coin(random);
  for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i) {
    // February 29 as a bound now and then: a day in leap years only.
    const auto first = RandomDate(random, sys_days{2024y / 1 / 1}, sys_days{2024y / 12 / 31});
    const auto last = RandomDate(random, sys_days{2024y / 1 / 1}, sys_days{2024y / 12 / 31});
    options.yearlyClosed.push_back({first.month() / first.day(), last.month() / last.day()});
  }
  // Extra dates, many near the ends of the covered years and around a few busy years.
  for (auto* list : {&options.closed, &options.working}) {
    for (int i = std::uniform_int_distribution<int>(0, 300)(random); i > 0; --i) {
      const int where = std::uniform_int_distribution<int>(0, 3)(random);
      list->push_back(where == 0   ? RandomDate(random, kFirst, kFirst + days{400})
                      : where == 1 ? RandomDate(random, kLast - days{400}, kLast)
                      : where == 2
                          ? RandomDate(random, sys_days{2018y / 1 / 1}, sys_days{2030y / 1 / 1})
                          : RandomDate(random, kFirst, kLast));
    }
  }
  return options;
}

// A random day, often near the ends of the covered years or a year end.
sys_days RandomDay(std::mt19937& random) {
  switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0:
      return sys_days{RandomDate(random, kFirst, kFirst + days{60})};
    case 1:
      return sys_days{RandomDate(random, kLast - days{60}, kLast)};
    case 2: {
      const year y{std::uniform_int_distribution<int>(1601, 2399)(random)};
      return sys_days{y / January / 1} + days{std::uniform_int_distribution<int>(-20, 20)(random)};
    }
    default:
      return sys_days{RandomDate(random, kFirst, kLast)};
  }
}

TEST(BusinessCalendar, MatchesModelOnRandomCalendars) {
  std::mt19937 random(20261207);
  for (int calendarIndex = 0; calendarIndex < 12; ++calendarIndex) {
    SCOPED_TRACE("calendar " + std::to_string(calendarIndex));
    const auto options = RandomOptions(random);
    const Model model(options);
    const auto calendar = BusinessCalendar::Make(options);
    ASSERT_TRUE(calendar.has_value());
    // Every day of the covered years, as a day count and as year, month and day.
    for (sys_days d = kFirst; d <= kLast; d += days{1}) {
      if (*calendar->IsBusinessDay(d) != model.Open(d)) FAIL() << Text(year_month_day{d});
      if (*calendar->IsBusinessDay(year_month_day{d}) != model.Open(d)) {
        FAIL() << "by year_month_day " << Text(year_month_day{d});
      }
    }
    for (int query = 0; query < 300; ++query) {
      const sys_days from = RandomDay(random);
      const sys_days to =
          std::uniform_int_distribution<int>(0, 9)(random) == 0
              ? RandomDay(random)
              : std::clamp(from + days{std::uniform_int_distribution<int>(-800, 800)(random)},
                           kFirst, kLast);
      const year_month_day fromDate{from};
      const year_month_day toDate{to};
      SCOPED_TRACE(Text(fromDate) + " " + Text(toDate));
      ASSERT_EQ(*calendar->Count(fromDate, toDate), model.Count(from, to));
      if (from <= to) {
        ASSERT_EQ(*calendar->CountInclusive(fromDate, toDate), model.Count(from, to + days{1}));
      }
      const int n = std::uniform_int_distribution<int>(-600, 600)(random);
      const auto added = calendar->Add(fromDate, n);
      const auto expected = model.Add(from, n);
      ASSERT_EQ(added.has_value(), expected.has_value()) << n;
      if (expected) {
        ASSERT_EQ(sys_days{*added}, *expected) << n;
      }
      for (const Roll roll :
           {Roll::following, Roll::preceding, Roll::modifiedFollowing, Roll::modifiedPreceding}) {
        const auto rolled = calendar->Roll(fromDate, roll);
        const auto expectedRoll = model.Roll(from, roll);
        ASSERT_EQ(rolled.has_value(), expectedRoll.has_value());
        if (expectedRoll) {
          ASSERT_EQ(sys_days{*rolled}, *expectedRoll);
        }
      }
    }
    // The closed days of a random span, each with its reasons.
    const sys_days from = RandomDay(random);
    const sys_days to = std::min(from + days{400}, kLast);
    const auto closed = calendar->ClosedDays(year_month_day{from}, year_month_day{to});
    ASSERT_TRUE(closed.has_value());
    auto listed = closed->begin();
    for (sys_days d = from; d <= to; d += days{1}) {
      if (model.Open(d)) continue;
      ASSERT_NE(listed, closed->end());
      ASSERT_EQ(listed->date, year_month_day{d});
      auto reasons = model.Reasons(d);
      if (reasons.empty()) reasons.Add(ClosedReason::closedDate);
      ASSERT_EQ(listed->reasons, reasons) << Text(listed->date);
      ASSERT_EQ(listed->holiday.has_value(), reasons.Has(ClosedReason::holiday));
      ++listed;
    }
    ASSERT_EQ(listed, closed->end());
  }
}

// Each free function of <velunta/business_days.h> against a calendar of the same options.
TEST(BusinessCalendar, MatchesFreeFunctions) {
  std::mt19937 random(7);
  for (int i = 0; i < 20; ++i) {
    std::vector<year_month_day> extra;
    for (int k = std::uniform_int_distribution<int>(0, 40)(random); k > 0; --k) {
      extra.push_back(RandomDate(random, sys_days{2023y / 1 / 1}, sys_days{2026y / 1 / 1}));
    }
    // Impossible dates close nothing in the free functions; a calendar refuses them.
    auto possible = extra;
    extra.insert(extra.begin(), {2023y / 2 / 29, 2024y / 4 / 31});
    std::bernoulli_distribution coin;
    const velunta::BusinessDayOptions free{.saturdayOff = coin(random),
                                           .sundayOff = coin(random),
                                           .bankClosingDays = coin(random),
                                           .extraClosedDays = extra};
    BusinessCalendarOptions options{.bankClosingDays = free.bankClosingDays, .closed = possible};
    options.weekend = {};
    if (free.saturdayOff) options.weekend.Add(Saturday);
    if (free.sundayOff) options.weekend.Add(Sunday);
    const auto calendar = *BusinessCalendar::Make(options);
    for (int query = 0; query < 100; ++query) {
      const auto from = RandomDate(random, sys_days{2022y / 10 / 1}, sys_days{2026y / 3 / 1});
      const auto to = RandomDate(random, sys_days{2022y / 10 / 1}, sys_days{2026y / 3 / 1});
      const int n = std::uniform_int_distribution<int>(-100, 100)(random);
      ASSERT_EQ(*velunta::IsBusinessDay(from, free), *calendar.IsBusinessDay(from));
      ASSERT_EQ(*velunta::CountBusinessDays(from, to, free), *calendar.Count(from, to));
      ASSERT_EQ(*velunta::AddBusinessDays(from, n, free), *calendar.Add(from, n));
      for (const Roll roll :
           {Roll::following, Roll::preceding, Roll::modifiedFollowing, Roll::modifiedPreceding}) {
        ASSERT_EQ(*velunta::RollToBusinessDay(from, roll, free), *calendar.Roll(from, roll));
      }
    }
  }
}

TEST(BusinessCalendar, Organisations) {
  using enum ClosedReason;
  const BusinessCalendarOptions law;
  const BusinessCalendarOptions bank{.bankClosingDays = true};
  const BusinessCalendarOptions government{.governmentClosingDays = true};
  // A company closed over the New Year and in mid-August, working one Saturday and one holiday.
  const BusinessCalendarOptions company{
      .yearlyClosed = {{December / 29, January / 3}, {August / 13, August / 15}},
      .closed = {2026y / 5 / 1},
      .working = {2026y / 11 / 21, 2026y / 11 / 23}};
  const struct {
    const char* text;
    const BusinessCalendarOptions& options;
    year_month_day date;
    bool open;
    std::vector<ClosedReason> reasons;
  } kCases[] = {
      {"Golden Week 2026: 昭和の日", law, 2026y / 4 / 29, false, {holiday}},
      {"Golden Week 2026: Thursday 04-30", law, 2026y / 4 / 30, true, {}},
      {"Golden Week 2026: 憲法記念日 on a Sunday", law, 2026y / 5 / 3, false, {holiday, weekend}},
      {"Golden Week 2026: 振替休日", law, 2026y / 5 / 6, false, {holiday}},
      {"New Year: banks on 12-31", bank, 2026y / 12 / 31, false, {bankClosingDay}},
      {"New Year: banks open 12-30", bank, 2026y / 12 / 30, true, {}},
      {"New Year: banks on 01-01", bank, 2027y / 1 / 1, false, {holiday}},
      {"New Year: banks on 01-04", bank, 2027y / 1 / 4, true, {}},
      {"New Year: government 12-29", government, 2026y / 12 / 29, false, {governmentClosingDay}},
      {"New Year: government 01-01",
       government,
       2027y / 1 / 1,
       false,
       {holiday, governmentClosingDay}},
      {"New Year: government 01-02 Saturday",
       government,
       2027y / 1 / 2,
       false,
       {weekend, governmentClosingDay}},
      {"New Year: government 01-04", government, 2027y / 1 / 4, true, {}},
      {"company: 12-28 open", company, 2026y / 12 / 28, true, {}},
      {"company: 12-29 across the year end", company, 2026y / 12 / 29, false, {yearlyClosure}},
      {"company: 01-01", company, 2027y / 1 / 1, false, {holiday, yearlyClosure}},
      {"company: 01-04 Monday open", company, 2027y / 1 / 4, true, {}},
      {"company: 08-14", company, 2026y / 8 / 14, false, {yearlyClosure}},
      {"company: extra closed date", company, 2026y / 5 / 1, false, {closedDate}},
      {"company: worked Saturday", company, 2026y / 11 / 21, true, {}},
      {"company: worked holiday 勤労感謝の日", company, 2026y / 11 / 23, true, {}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto calendar = *BusinessCalendar::Make(row.options);
    EXPECT_EQ(*calendar.IsBusinessDay(row.date), row.open);
    const auto closed = *calendar.ClosedDays(row.date, row.date);
    ASSERT_EQ(closed.size(), row.open ? 0U : 1U);
    if (!row.open) {
      EXPECT_EQ(closed[0].reasons.List(), row.reasons);
    }
  }
  const auto bankCalendar = *BusinessCalendar::Make(bank);
  EXPECT_EQ(*bankCalendar.Next(2024y / 12 / 30), 2025y / 1 / 6);
  EXPECT_EQ(*bankCalendar.Previous(2025y / 1 / 6), 2024y / 12 / 30);
  const auto companyCalendar = *BusinessCalendar::Make(company);
  EXPECT_EQ(*companyCalendar.Add(2026y / 12 / 28, 1), 2027y / 1 / 4);
  EXPECT_EQ(*companyCalendar.CountInclusive(2026y / 11 / 16, 2026y / 11 / 23), 7)
      << "Mon..Fri, the worked Saturday and the worked holiday, no Sunday";
  EXPECT_EQ(companyCalendar.ClosedDays(2026y)->size(),
            companyCalendar.ClosedDays(2026y / 1 / 1, 2026y / 12 / 31)->size());
  // Golden Week 2026 from the law alone: 04-29, 05-02 .. 05-06.
  const auto lawCalendar = *BusinessCalendar::Make(law);
  EXPECT_EQ(*lawCalendar.CountInclusive(2026y / 4 / 29, 2026y / 5 / 6), 2);
  EXPECT_EQ(*lawCalendar.Roll(2024y / 6 / 1, Roll::modifiedPreceding), 2024y / 6 / 3);
  EXPECT_EQ(*lawCalendar.Roll(2024y / 6 / 2, Roll::modifiedPreceding), 2024y / 6 / 3);
  EXPECT_EQ(*lawCalendar.Roll(2024y / 6 / 30, Roll::modifiedPreceding), 2024y / 6 / 28);
}

TEST(BusinessCalendar, Refusals) {
  const auto calendar = *BusinessCalendar::Make({});
  const BusinessCalendarOptions badRange{.yearlyClosed = {{February / 30, March / 1}}};
  const BusinessCalendarOptions badClosed{.closed = {2023y / 2 / 29}};
  const BusinessCalendarOptions farWorking{.working = {2400y / 1 / 3}};
  const struct {
    const char* text;
    CalendarError error;
    CalendarError expected;
  } kCases[] = {
      {"range 02-30", BusinessCalendar::Make(badRange).error(), CalendarError::invalidDate},
      {"closed 2023-02-29", BusinessCalendar::Make(badClosed).error(), CalendarError::invalidDate},
      {"working 2400", BusinessCalendar::Make(farWorking).error(), CalendarError::outOfRange},
      {"is 1599", calendar.IsBusinessDay(1599y / 12 / 31).error(), CalendarError::outOfRange},
      {"is 02-30", calendar.IsBusinessDay(2024y / 2 / 30).error(), CalendarError::invalidDate},
      {"add past 2399", calendar.Add(2399y / 12 / 27, 5).error(), CalendarError::outOfRange},
      {"add before 1600", calendar.Add(1600y / 1 / 5, -10).error(), CalendarError::outOfRange},
      {"add INT_MAX", calendar.Add(2024y / 1 / 1, INT_MAX).error(), CalendarError::outOfRange},
      {"add INT_MIN", calendar.Add(2024y / 1 / 1, INT_MIN).error(), CalendarError::outOfRange},
      {"count 2400", calendar.Count(2024y / 1 / 1, 2400y / 1 / 1).error(),
       CalendarError::outOfRange},
      {"count both ends reversed", calendar.CountInclusive(2024y / 1 / 2, 2024y / 1 / 1).error(),
       CalendarError::invalidRange},
      {"closed days 2400", calendar.ClosedDays(2400y).error(), CalendarError::outOfRange},
      {"closed days reversed", calendar.ClosedDays(2024y / 2 / 1, 2024y / 1 / 1).error(),
       CalendarError::invalidRange},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(row.error, row.expected);
  }
  // A calendar with no open day at all answers every walk with outOfRange.
  BusinessCalendarOptions allClosed;
  allClosed.weekend = {Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday};
  const auto closed = *BusinessCalendar::Make(allClosed);
  EXPECT_EQ(*closed.Count(velunta::kFirstDate, velunta::kLastDate), 0);
  EXPECT_EQ(closed.Add(2024y / 1 / 1, 1).error(), CalendarError::outOfRange);
  EXPECT_EQ(closed.Roll(2024y / 1 / 1, Roll::modifiedFollowing).error(), CalendarError::outOfRange);
}

}  // namespace
