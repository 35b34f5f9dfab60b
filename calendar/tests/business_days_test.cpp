// Business days around the long runs of days off (Golden Week, the New Year with the banks'
// closing days, month ends), the options, the refusals, invariants over every day of 2018–2027,
// and every answer near year ends, Golden Week and the ends of 1600..2399 against a model that
// walks the days one at a time.

#include <gtest/gtest.h>
#include <velunta/business_calendar.h>
#include <velunta/business_days.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;
using velunta::BusinessDayOptions;
using velunta::CalendarError;
using velunta::Roll;

const BusinessDayOptions kDefault{};
const BusinessDayOptions kBank{.bankClosingDays = true};

TEST(BusinessDays, IsBusinessDay) {
  const struct {
    const char* text;
    year_month_day date;
    const BusinessDayOptions& options;
    bool open;
  } kCases[] = {
      {"2024-04-26 Friday", 2024y / 4 / 26, kDefault, true},
      {"2024-04-27 Saturday", 2024y / 4 / 27, kDefault, false},
      {"2024-04-28 Sunday", 2024y / 4 / 28, kDefault, false},
      {"2024-04-29 昭和の日", 2024y / 4 / 29, kDefault, false},
      {"2024-04-30", 2024y / 4 / 30, kDefault, true},
      {"2024-05-03 憲法記念日", 2024y / 5 / 3, kDefault, false},
      {"2024-05-06 振替休日", 2024y / 5 / 6, kDefault, false},
      {"2024-05-07", 2024y / 5 / 7, kDefault, true},
      {"2019-05-01 special act", 2019y / 5 / 1, kDefault, false},
      {"2019-05-02 国民の休日", 2019y / 5 / 2, kDefault, false},
      {"2024-12-31 without bank days", 2024y / 12 / 31, kDefault, true},
      {"2024-12-31 bank day", 2024y / 12 / 31, kBank, false},
      {"2025-01-02 bank day", 2025y / 1 / 2, kBank, false},
      {"2025-01-03 bank day", 2025y / 1 / 3, kBank, false},
      {"2025-01-06", 2025y / 1 / 6, kBank, true},
      {"2024-12-30 banks open", 2024y / 12 / 30, kBank, true},
      {"1948-05-03 before the Act", 1948y / 5 / 3, kDefault, true},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto open = velunta::IsBusinessDay(row.date, row.options);
    ASSERT_TRUE(open.has_value());
    EXPECT_EQ(*open, row.open);
  }
}

TEST(BusinessDays, Options) {
  const BusinessDayOptions saturdays{.saturdayOff = false};
  const BusinessDayOptions sundays{.sundayOff = false};
  const std::vector<year_month_day> closed = {2024y / 4 / 30, 2024y / 5 / 1, 2023y / 2 / 29,
                                              2024y / 5 / 2, 2024y / 5 / 1};
  const BusinessDayOptions extra{.extraClosedDays = closed};
  EXPECT_TRUE(*velunta::IsBusinessDay(2024y / 4 / 27, saturdays));
  EXPECT_FALSE(*velunta::IsBusinessDay(2024y / 4 / 28, saturdays));
  EXPECT_TRUE(*velunta::IsBusinessDay(2024y / 4 / 28, sundays));
  EXPECT_FALSE(*velunta::IsBusinessDay(2024y / 5 / 5, sundays)) << "a Sunday holiday stays closed";
  EXPECT_FALSE(*velunta::IsBusinessDay(2024y / 5 / 4, saturdays)) << "a Saturday holiday too";
  EXPECT_FALSE(*velunta::IsBusinessDay(2024y / 4 / 30, extra));
  EXPECT_TRUE(*velunta::IsBusinessDay(2023y / 3 / 1, extra)) << "02-29 of 2023 closes nothing";
  EXPECT_EQ(*velunta::AddBusinessDays(2024y / 4 / 26, 1, extra), 2024y / 5 / 7);
  EXPECT_EQ(*velunta::AddBusinessDays(2024y / 4 / 26, 1, saturdays), 2024y / 4 / 27);
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 4 / 26, 2024y / 5 / 8, extra), 2);
}

TEST(BusinessDays, AddAndCount) {
  const struct {
    const char* text;
    year_month_day from;
    int n;
    const BusinessDayOptions& options;
    year_month_day to;
  } kCases[] = {
      {"over Golden Week 2024", 2024y / 5 / 2, 1, kDefault, 2024y / 5 / 7},
      {"back over Golden Week 2024", 2024y / 5 / 7, -1, kDefault, 2024y / 5 / 2},
      {"from a holiday forwards", 2024y / 5 / 3, 1, kDefault, 2024y / 5 / 7},
      {"from a holiday backwards", 2024y / 5 / 3, -1, kDefault, 2024y / 5 / 2},
      {"four days", 2024y / 4 / 26, 4, kDefault, 2024y / 5 / 7},
      {"zero from a holiday", 2024y / 5 / 4, 0, kDefault, 2024y / 5 / 4},
      {"ten days off in 2019", 2019y / 4 / 26, 1, kDefault, 2019y / 5 / 7},
      {"ten days off in 2019, back", 2019y / 5 / 7, -1, kDefault, 2019y / 4 / 26},
      {"New Year, banks", 2024y / 12 / 30, 1, kBank, 2025y / 1 / 6},
      {"New Year, banks, back", 2025y / 1 / 6, -1, kBank, 2024y / 12 / 30},
      {"New Year, no bank days", 2024y / 12 / 30, 1, kDefault, 2024y / 12 / 31},
      {"New Year, no bank days, 2", 2024y / 12 / 31, 1, kDefault, 2025y / 1 / 2},
      {"New Year 2020, banks", 2019y / 12 / 30, 1, kBank, 2020y / 1 / 6},
      {"a year of business days", 2023y / 12 / 29, 245, kBank, 2024y / 12 / 30},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto to = velunta::AddBusinessDays(row.from, row.n, row.options);
    ASSERT_TRUE(to.has_value());
    EXPECT_EQ(*to, row.to);
    // Counting back over the same span gives n when the start is itself a business day.
    if (*velunta::IsBusinessDay(row.from, row.options)) {
      EXPECT_EQ(*velunta::CountBusinessDays(row.from, row.to, row.options), row.n);
    }
  }
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 4 / 26, 2024y / 5 / 7), 4);
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 5 / 7, 2024y / 4 / 26), -4);
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 5 / 3, 2024y / 5 / 7), 0);
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 4 / 26, 2024y / 4 / 26), 0);
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 1 / 1, 2025y / 1 / 1, kBank), 245);
  // 262 weekdays, 14 of them holidays.
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 1 / 1, 2025y / 1 / 1), 248);
}

TEST(BusinessDays, Roll) {
  const struct {
    const char* text;
    year_month_day date;
    Roll roll;
    year_month_day expected;
  } kCases[] = {
      {"holiday, following", 2024y / 5 / 3, Roll::following, 2024y / 5 / 7},
      {"holiday, preceding", 2024y / 5 / 3, Roll::preceding, 2024y / 5 / 2},
      {"holiday, modified following", 2024y / 5 / 3, Roll::modifiedFollowing, 2024y / 5 / 7},
      {"business day stays", 2024y / 5 / 7, Roll::preceding, 2024y / 5 / 7},
      {"month end Saturday", 2024y / 8 / 31, Roll::following, 2024y / 9 / 2},
      {"month end Saturday, modified", 2024y / 8 / 31, Roll::modifiedFollowing, 2024y / 8 / 30},
      {"month end Sunday, modified", 2026y / 5 / 31, Roll::modifiedFollowing, 2026y / 5 / 29},
      {"Saturday before 敬老の日", 2024y / 9 / 14, Roll::modifiedFollowing, 2024y / 9 / 17},
      {"Golden Week 2019 start", 2019y / 4 / 30, Roll::modifiedFollowing, 2019y / 4 / 26},
      {"Golden Week 2019 end", 2019y / 5 / 1, Roll::modifiedFollowing, 2019y / 5 / 7},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto rolled = velunta::RollToBusinessDay(row.date, row.roll);
    ASSERT_TRUE(rolled.has_value());
    EXPECT_EQ(*rolled, row.expected);
  }
}

TEST(BusinessDays, Refusals) {
  const std::vector<year_month_day> lastDays = {2399y / 12 / 31, 2399y / 12 / 30, 2399y / 12 / 29};
  const BusinessDayOptions endClosed{.extraClosedDays = lastDays};
  const struct {
    const char* text;
    std::optional<CalendarError> error;
    std::optional<CalendarError> expected;
  } kCases[] = {
      {"invalid date", velunta::IsBusinessDay(2023y / 2 / 29).error(), CalendarError::invalidDate},
      {"before 1600", velunta::IsBusinessDay(1599y / 12 / 31).error(), CalendarError::outOfRange},
      {"add past 2399", velunta::AddBusinessDays(2399y / 12 / 27, 5).error(),
       CalendarError::outOfRange},
      {"add before 1600", velunta::AddBusinessDays(1600y / 1 / 5, -10).error(),
       CalendarError::outOfRange},
      {"add INT_MAX", velunta::AddBusinessDays(2024y / 1 / 1, INT_MAX).error(),
       CalendarError::outOfRange},
      {"add INT_MIN", velunta::AddBusinessDays(2024y / 1 / 1, INT_MIN).error(),
       CalendarError::outOfRange},
      {"add from invalid", velunta::AddBusinessDays(2024y / 2 / 30, 1).error(),
       CalendarError::invalidDate},
      {"count to invalid", velunta::CountBusinessDays(2024y / 1 / 1, 2024y / 4 / 31).error(),
       CalendarError::invalidDate},
      {"count past 2399", velunta::CountBusinessDays(2024y / 1 / 1, 2400y / 1 / 1).error(),
       CalendarError::outOfRange},
      {"roll past 2399",
       velunta::RollToBusinessDay(2399y / 12 / 29, Roll::following, endClosed).error(),
       CalendarError::outOfRange},
      {"roll invalid", velunta::RollToBusinessDay(2024y / 0 / 1, Roll::preceding).error(),
       CalendarError::invalidDate},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(row.error, row.expected);
  }
  // Modified following turns back when following would leave the covered years.
  const auto rolled =
      velunta::RollToBusinessDay(2399y / 12 / 29, Roll::modifiedFollowing, endClosed);
  ASSERT_TRUE(rolled.has_value());
  EXPECT_EQ(*rolled, *velunta::RollToBusinessDay(2399y / 12 / 29, Roll::preceding, endClosed));
  // The whole span, both ways.
  const auto all = velunta::CountBusinessDays(velunta::kFirstDate, velunta::kLastDate);
  ASSERT_TRUE(all.has_value());
  EXPECT_GT(*all, 200000);
  EXPECT_EQ(*velunta::CountBusinessDays(velunta::kLastDate, velunta::kFirstDate), -*all);
}

// Every day of 2018–2027 with every n in −10..10, with and without the bank days.
TEST(BusinessDays, SweepInvariants) {
  for (const BusinessDayOptions* options : {&kDefault, &kBank}) {
    for (sys_days d = sys_days{2018y / 1 / 1}; d <= sys_days{2027y / 12 / 31}; d += days{1}) {
      const year_month_day date{d};
      const bool open = *velunta::IsBusinessDay(date, *options);
      const auto holiday = velunta::HolidayOn(date);
      const weekday wd{d};
      const auto md = date.month() / date.day();
      const bool bankDay = options->bankClosingDays &&
                           (md == December / 31 || md == January / 2 || md == January / 3);
      ASSERT_EQ(open, !holiday->has_value() && wd != Saturday && wd != Sunday && !bankDay);

      const auto following = *velunta::RollToBusinessDay(date, Roll::following, *options);
      const auto preceding = *velunta::RollToBusinessDay(date, Roll::preceding, *options);
      ASSERT_TRUE(*velunta::IsBusinessDay(following, *options));
      ASSERT_TRUE(*velunta::IsBusinessDay(preceding, *options));
      ASSERT_EQ(*velunta::CountBusinessDays(date, following, *options), 0);
      ASSERT_EQ(*velunta::CountBusinessDays(sys_days{preceding} + days{1}, d + days{1}, *options),
                0);
      ASSERT_EQ(open, following == date && preceding == date);

      for (int n = -10; n <= 10; ++n) {
        const auto to = velunta::AddBusinessDays(date, n, *options);
        ASSERT_TRUE(to.has_value());
        if (n == 0) {
          ASSERT_EQ(*to, date);
          continue;
        }
        ASSERT_TRUE(*velunta::IsBusinessDay(*to, *options));
        // n business days lie strictly after `date` up to `to` (or before it, back to `to`).
        const sys_days next = d + days{1};
        if (n > 0) {
          ASSERT_EQ(*velunta::CountBusinessDays(next, sys_days{*to} + days{1}, *options), n);
        } else {
          ASSERT_EQ(*velunta::CountBusinessDays(*to, d, *options), -n);
        }
        if (open) {
          ASSERT_EQ(*velunta::CountBusinessDays(date, *to, *options), n);
        }
      }
    }
  }
}

constexpr sys_days kFirst{velunta::kFirstDate};
constexpr sys_days kLast{velunta::kLastDate};

// The oracle: every day of 1600..2399 decided by the rules written out from the options, then
// each question answered by walking those days one at a time. nullopt: the walk or a date leaves
// the covered years.
class DayWalk {
 public:
  explicit DayWalk(const BusinessDayOptions& options) {
    const auto& extra = options.extraClosedDays;
    for (sys_days d = kFirst; d <= kLast; d += days{1}) {
      const year_month_day date{d};
      const weekday wd{d};
      const auto md = date.month() / date.day();
      const bool closed = (wd == Saturday && options.saturdayOff) ||
                          (wd == Sunday && options.sundayOff) ||
                          (options.bankClosingDays &&
                           (md == December / 31 || md == January / 2 || md == January / 3)) ||
                          std::find(extra.begin(), extra.end(), date) != extra.end() ||
                          velunta::HolidayOn(date)->has_value();
      open_.push_back(closed ? 0 : 1);
    }
  }

  bool Open(sys_days d) const { return At(Index(d)) != 0; }

  std::optional<sys_days> Add(sys_days from, int n) const {
    auto i = Index(from);
    for (int left = std::abs(n); left > 0;) {
      i += n < 0 ? -1 : 1;
      if (i < 0 || i >= std::ssize(open_)) return std::nullopt;
      left -= At(i);
    }
    return kFirst + days{i};
  }

  std::optional<int> Count(sys_days from, sys_days to) const {
    if (to < kFirst || to > kLast) return std::nullopt;
    int count = 0;
    for (auto i = Index(std::min(from, to)); i < Index(std::max(from, to)); ++i) count += At(i);
    return to < from ? -count : count;
  }

  std::optional<sys_days> Roll(sys_days d, velunta::Roll roll) const {
    const bool forwards = roll == Roll::following || roll == Roll::modifiedFollowing;
    auto answer = FirstOpen(d, forwards ? 1 : -1);
    const bool modified = roll == Roll::modifiedFollowing || roll == Roll::modifiedPreceding;
    if (modified && (!answer || year_month_day{*answer}.month() != year_month_day{d}.month())) {
      answer = FirstOpen(d, forwards ? -1 : 1);
    }
    return answer;
  }

 private:
  static std::ptrdiff_t Index(sys_days d) { return (d - kFirst).count(); }
  int At(std::ptrdiff_t i) const { return open_[static_cast<std::size_t>(i)]; }

  std::optional<sys_days> FirstOpen(sys_days d, int step) const {
    for (auto i = Index(d); i >= 0 && i < std::ssize(open_); i += step) {
      if (At(i) != 0) return kFirst + days{i};
    }
    return std::nullopt;
  }

  std::vector<unsigned char> open_;
};

// A calendar of the same days off. It refuses the dates the free functions ignore.
velunta::BusinessCalendar CalendarOf(const BusinessDayOptions& options) {
  velunta::BusinessCalendarOptions calendar{.bankClosingDays = options.bankClosingDays};
  calendar.weekend = {};
  if (options.saturdayOff) calendar.weekend.Add(Saturday);
  if (options.sundayOff) calendar.weekend.Add(Sunday);
  for (const year_month_day date : options.extraClosedDays) {
    if (velunta::IsCovered(date)) calendar.closed.push_back(date);
  }
  return velunta::BusinessCalendar::Make(calendar).value();
}

// An answer as the model writes it; the only error a covered start may meet is outOfRange.
template <class T>
std::optional<T> Answer(const velunta::Result<T>& result) {
  if (result.has_value()) return *result;
  EXPECT_EQ(result.error(), CalendarError::outOfRange);
  return std::nullopt;
}
std::optional<sys_days> Answer(const velunta::Result<year_month_day>& result) {
  const auto date = Answer<year_month_day>(result);
  return date ? std::optional{sys_days{*date}} : std::nullopt;
}

std::string Text(sys_days d) {
  const year_month_day date{d};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

// The free functions and a BusinessCalendar of the same options against the walk: every day of
// the windows, n in -30..30, counts to each day within 40 days either way (both orders), every
// convention. The closing dates repeat, include days closed anyway, impossible dates and dates
// outside 1600..2399; two option sets share one list, so the list alone tells no calendar.
TEST(BusinessDays, MatchWalkingModel) {
  const std::vector<year_month_day> mixed = {
      2019y / 12 / 30, 2024y / 5 / 7,  2019y / 12 / 30, 2023y / 2 / 29, 2024y / 4 / 31,
      2024y / 5 / 3,   2019y / 4 / 30, 2025y / 1 / 6,   2400y / 1 / 4,  1599y / 12 / 28,
      2024y / 12 / 30, 2024y / 5 / 7,  2024y / 13 / 1,  1600y / 1 / 3,  2399y / 12 / 29};
  const std::vector<year_month_day> closedAnyway = {2023y / 2 / 29, 2024y / 5 / 3, 2024y / 5 / 3,
                                                    2400y / 1 / 1, 2024y / 12 / 29};
  std::vector<year_month_day> ends;  // the first and last 10 days of the covered years
  for (int i = 0; i < 10; ++i) ends.insert(ends.end(), {kFirst + days{i}, kLast - days{i}});
  ends.push_back(kLast);
  const struct {
    const char* text;
    BusinessDayOptions options;
  } kSets[] = {
      {"weekends", {}},
      {"banks", {.bankClosingDays = true}},
      {"Saturdays open, banks", {.saturdayOff = false, .bankClosingDays = true}},
      {"Sundays open", {.sundayOff = false}},
      {"no weekend", {.saturdayOff = false, .sundayOff = false}},
      {"mixed dates, banks", {.bankClosingDays = true, .extraClosedDays = mixed}},
      {"mixed dates, no weekend",
       {.saturdayOff = false, .sundayOff = false, .extraClosedDays = mixed}},
      {"dates that close no open day", {.extraClosedDays = closedAnyway}},
      {"the ends closed", {.extraClosedDays = ends}},
  };
  const std::pair<year_month_day, year_month_day> kWindows[] = {{1600y / 1 / 1, 1600y / 2 / 20},
                                                                {2018y / 12 / 1, 2020y / 1 / 31},
                                                                {2024y / 4 / 1, 2025y / 1 / 31},
                                                                {2399y / 11 / 10, 2399y / 12 / 31}};
  const Roll kRolls[] = {Roll::following, Roll::preceding, Roll::modifiedFollowing,
                         Roll::modifiedPreceding};
  for (const auto& set : kSets) {
    SCOPED_TRACE(set.text);
    const auto& options = set.options;
    const DayWalk model(options);
    const auto calendar = CalendarOf(options);
    for (const auto& [first, last] : kWindows) {
      for (sys_days d{first}; d <= sys_days{last}; d += days{1}) {
        SCOPED_TRACE(Text(d));
        const year_month_day date{d};
        ASSERT_EQ(*velunta::IsBusinessDay(date, options), model.Open(d));
        ASSERT_EQ(*calendar.IsBusinessDay(date), model.Open(d));
        for (int n = -30; n <= 30; ++n) {
          const auto expected = model.Add(d, n);
          ASSERT_EQ(Answer(velunta::AddBusinessDays(date, n, options)), expected) << n;
          ASSERT_EQ(Answer(calendar.Add(date, n)), expected) << n;
        }
        for (int k = -40; k <= 40; ++k) {
          const year_month_day to{d + days{k}};
          const auto expected = model.Count(d, d + days{k});
          ASSERT_EQ(Answer(velunta::CountBusinessDays(date, to, options)), expected) << k;
          ASSERT_EQ(Answer(calendar.Count(date, to)), expected) << k;
        }
        for (const Roll roll : kRolls) {
          const auto expected = model.Roll(d, roll);
          ASSERT_EQ(Answer(velunta::RollToBusinessDay(date, roll, options)), expected);
          ASSERT_EQ(Answer(calendar.Roll(date, roll)), expected);
        }
      }
    }
    // An impossible date and an uncovered one are refused whatever the options.
    for (const year_month_day bad : {2023y / 2 / 29, 1599y / 12 / 31, 2400y / 1 / 1}) {
      const auto error = bad.ok() ? CalendarError::outOfRange : CalendarError::invalidDate;
      EXPECT_EQ(velunta::IsBusinessDay(bad, options).error(), error);
      EXPECT_EQ(velunta::AddBusinessDays(bad, 0, options).error(), error);
      EXPECT_EQ(velunta::CountBusinessDays(2024y / 1 / 4, bad, options).error(), error);
      EXPECT_EQ(velunta::CountBusinessDays(bad, 2024y / 1 / 4, options).error(), error);
      EXPECT_EQ(velunta::RollToBusinessDay(bad, Roll::following, options).error(), error);
    }
  }
}

// The borrowed dates are read on every call: a list changed in place closes its new dates.
TEST(BusinessDays, ClosedDatesChangedInPlace) {
  std::vector<year_month_day> closed = {2024y / 5 / 7};
  const BusinessDayOptions options{.extraClosedDays = closed};
  EXPECT_FALSE(*velunta::IsBusinessDay(2024y / 5 / 7, options));
  EXPECT_EQ(*velunta::AddBusinessDays(2024y / 5 / 2, 1, options), 2024y / 5 / 8);
  closed[0] = 2024y / 5 / 8;
  EXPECT_TRUE(*velunta::IsBusinessDay(2024y / 5 / 7, options));
  EXPECT_EQ(*velunta::AddBusinessDays(2024y / 5 / 2, 2, options), 2024y / 5 / 9);
  closed[0] = 2023y / 2 / 29;
  EXPECT_EQ(*velunta::CountBusinessDays(2024y / 5 / 7, 2024y / 5 / 10, options), 3);
}

}  // namespace
