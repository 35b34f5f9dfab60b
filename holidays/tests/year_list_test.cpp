#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

namespace {

using namespace std::chrono;
using Mdl_Velunta::GetHolidayInfo;
using Mdl_Velunta::GetHolidayName;
using Mdl_Velunta::GetYearHolidays;

struct YearList {
  std::int16_t result = -99;
  std::int16_t count = -99;
  std::vector<std::string> dates;
  std::vector<std::string> names;
  std::vector<std::int16_t> weekdays;
};

YearList List(int year, std::int16_t includeSundays, YearList list = {}) {
  const auto y = static_cast<std::int16_t>(year);
  list.result =
      GetYearHolidays(y, includeSundays, list.count, list.dates, list.names, list.weekdays);
  return list;
}

struct Entry {
  std::string date;
  std::string name;
  std::int16_t weekday;
  bool operator==(const Entry&) const = default;
};

std::string Padded(year_month_day date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d/%02u/%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

// The entries a year should list, from classifying and naming each of its days.
std::vector<Entry> ExpectedEntries(int year, bool includeSundays) {
  std::vector<Entry> entries;
  const std::chrono::year y{year};
  for (sys_days day = sys_days{y / 1 / 1}; day <= sys_days{y / 12 / 31}; day += days{1}) {
    const year_month_day date{day};
    std::int16_t isHoliday = 0;
    std::int16_t code = 0;
    const auto yy = static_cast<std::int16_t>(year);
    const auto m = static_cast<std::int16_t>(static_cast<unsigned>(date.month()));
    const auto d = static_cast<std::int16_t>(static_cast<unsigned>(date.day()));
    EXPECT_EQ(GetHolidayInfo(yy, m, d, isHoliday, code), -1);
    if (code == 0 || (code == 1 && !includeSundays)) continue;
    std::string name;
    std::int16_t kind = 0;
    GetHolidayName(code, name, kind);
    entries.push_back(
        {Padded(date), name, static_cast<std::int16_t>(weekday{day}.c_encoding() + 1)});
  }
  return entries;
}

std::vector<Entry> Entries(const YearList& list) {
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < list.dates.size(); ++i)
    entries.push_back({list.dates[i], list.names.at(i), list.weekdays.at(i)});
  return entries;
}

// Reports missing and unexpected entries separately, so a failure names the date.
void ExpectSameEntries(const std::vector<Entry>& produced, const std::vector<Entry>& expected) {
  for (const Entry& e : expected) {
    if (std::find(produced.begin(), produced.end(), e) == produced.end())
      ADD_FAILURE() << "expected but not produced: " << e.date << ' ' << e.name;
  }
  for (const Entry& e : produced) {
    if (std::find(expected.begin(), expected.end(), e) == expected.end())
      ADD_FAILURE() << "produced but not expected: " << e.date << ' ' << e.name;
  }
  EXPECT_EQ(produced, expected);  // and in date order
}

TEST(YearList, EveryYearOf1949To2099AgreesWithClassifyingEachDay) {
  for (int year = 1949; year <= 2099; ++year) {
    for (const std::int16_t sundays : {std::int16_t{0}, std::int16_t{-1}}) {
      SCOPED_TRACE(testing::Message() << year << (sundays ? " with Sundays" : ""));
      const YearList list = List(year, sundays);
      ASSERT_EQ(list.result, -1);
      ASSERT_EQ(list.count, static_cast<std::int16_t>(list.dates.size()));
      ASSERT_EQ(list.names.size(), list.dates.size());
      ASSERT_EQ(list.weekdays.size(), list.dates.size());
      ExpectSameEntries(Entries(list), ExpectedEntries(year, sundays != 0));
      if (HasFailure()) return;
    }
  }
}

TEST(YearList, Year2005StartsWithNewYearAndComingOfAgeDay) {
  const YearList list = List(2005, 0);
  ASSERT_EQ(list.result, -1);
  ASSERT_GE(list.count, 2);
  EXPECT_EQ((Entry{list.dates[0], list.names[0], list.weekdays[0]}),
            (Entry{"2005/01/01", "元旦", 7}));
  EXPECT_EQ((Entry{list.dates[1], list.names[1], list.weekdays[1]}),
            (Entry{"2005/01/10", "成人の日", 2}));
}

TEST(YearList, SundaysSubstitutesAndLeapDays) {
  const YearList with = List(2005, 1);  // 1 counts as true as well as -1
  const auto at = [&](const std::string& date) {
    for (std::size_t i = 0; i < with.dates.size(); ++i)
      if (with.dates[i] == date) return Entry{with.dates[i], with.names[i], with.weekdays[i]};
    return Entry{};
  };
  EXPECT_EQ(at("2005/01/02"), (Entry{"2005/01/02", "", 1}));          // a plain Sunday
  EXPECT_EQ(at("2005/03/20"), (Entry{"2005/03/20", "春分の日", 1}));  // a holiday on a Sunday
  EXPECT_EQ(at("2005/03/21"), (Entry{"2005/03/21", "振替休日", 2}));  // substitute
  const YearList without = List(2005, 0);
  EXPECT_EQ(without.count, 16);                   // 15 holidays and one substitute
  EXPECT_EQ(with.count - without.count, 52 - 1);  // 52 Sundays, one of them a holiday

  const YearList leap = List(2004, -1);
  EXPECT_EQ(leap.dates.back(), "2004/12/26");
  EXPECT_NE(std::find(leap.dates.begin(), leap.dates.end(), "2004/02/29"), leap.dates.end());
}

TEST(YearList, RefusedYearsWriteNothing) {
  for (const int year : {0, -1, -32768, 10000, 32767}) {
    SCOPED_TRACE(year);
    YearList preset;
    preset.count = 42;
    preset.dates = {"keep"};
    preset.names = {"keep", "me"};
    preset.weekdays = {9};
    const YearList list = List(year, -1, preset);
    EXPECT_EQ(list.result, 0);
    EXPECT_EQ(list.count, 42);
    EXPECT_EQ(list.dates, preset.dates);
    EXPECT_EQ(list.names, preset.names);
    EXPECT_EQ(list.weekdays, preset.weekdays);
  }
}

// Arrays are resized one element a listed day, never cleared: longer arrays are cut to the
// listed days, every element rewritten by this call.
TEST(YearList, PrefilledArraysAreCutToTheListedDays) {
  YearList preset;
  preset.dates.assign(20, "old");
  preset.names.assign(20, "old");
  preset.weekdays.assign(20, 9);
  const YearList list = List(2005, 0, preset);
  ASSERT_EQ(list.count, 16);
  EXPECT_EQ(list.dates.size(), 16u);
  ExpectSameEntries(Entries(list), ExpectedEntries(2005, false));

  // 1899 starts with a plain Sunday: its entry carries no name, whatever the array held.
  const YearList sundayFirst = List(1899, -1, preset);
  ASSERT_EQ(sundayFirst.result, -1);
  EXPECT_EQ(sundayFirst.dates[0], "1899/01/01");
  EXPECT_EQ(sundayFirst.names[0], "");
  ExpectSameEntries(Entries(sundayFirst), ExpectedEntries(1899, true));
}

TEST(YearList, EarlyAndLateYearsOfTheDateRange) {
  for (const int year : {1, 99, 100, 1600, 1899, 9999}) {
    SCOPED_TRACE(year);
    const YearList list = List(year, -1);
    ASSERT_EQ(list.result, -1);
    ExpectSameEntries(Entries(list), ExpectedEntries(year, true));
  }
}

TEST(YearList, CountMayBeTheYearVariable) {
  std::int16_t shared = 2005;
  std::vector<std::string> dates, names;
  std::vector<std::int16_t> weekdays;
  EXPECT_EQ(GetYearHolidays(shared, 0, shared, dates, names, weekdays), -1);
  EXPECT_EQ(shared, 16);
}

}  // namespace
