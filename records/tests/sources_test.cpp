// Both sources: a list of days off is the days off found one by one, every holiday has an
// English name from the one table, and dates outside a source's years are refused.

#include <gtest/gtest.h>

#include <velunta/records/day_source.h>
#include <velunta/records/records_error.h>

namespace velunta::records {
namespace {

using namespace std::chrono;

struct SourceCase {
  const char* name;
  const DaySource& source;
  std::vector<int> years;
};

std::vector<SourceCase> Cases() {
  return {{"law", LawSource(), {1600, 1948, 1973, 1988, 2007, 2019, 2020, 2026, 2399}},
          {"classic", ClassicSource(), {1, 1899, 1948, 1973, 1988, 2005, 2007, 2099, 9999}}};
}

TEST(Sources, ListsAreTheDaysOffOneByOne) {
  for (const auto& row : Cases()) {
    for (const int number : row.years) {
      for (const bool sundays : {false, true}) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(number) +
                     (sundays ? " with Sundays" : ""));
        const year y{number};
        std::vector<year_month_day> listed;
        row.source.ForEachDayOff(y / January / 1, y / December / 31, sundays,
                                 [&](const DayRecord& day) {
                                   EXPECT_TRUE(day.dayOff);
                                   listed.push_back(day.date);
                                 });
        std::vector<year_month_day> oneByOne;
        for (sys_days d{y / January / 1}; d <= sys_days{y / December / 31}; d += days{1}) {
          const auto day = row.source.Day(year_month_day{d});
          if (IsHolidayKind(day.kind) || (sundays && day.kind == DayKind::sunday)) {
            oneByOne.push_back(day.date);
          }
          EXPECT_EQ(day.dayOff, day.kind != DayKind::saturday && day.kind != DayKind::weekday);
        }
        EXPECT_EQ(listed, oneByOne);
      }
    }
  }
}

TEST(Sources, EveryHolidayHasBothNames) {
  for (const auto& row : Cases()) {
    SCOPED_TRACE(row.name);
    row.source.ForEachDayOff(1948y / January / 1, 2099y / December / 31, false,
                             [](const DayRecord& day) {
                               SCOPED_TRACE(SlashDate(day.date) + " " + day.name);
                               EXPECT_FALSE(day.name.empty());
                               EXPECT_FALSE(day.nameEn.empty());
                             });
  }
}

TEST(Sources, OneEnglishNameForTheSameHoliday) {
  // The module's 勤労感謝の日 and the law's are one holiday with one English name.
  EXPECT_EQ(ClassicSource().Day(2005y / November / 23).nameEn,
            LawSource().Day(2005y / November / 23).nameEn);
  EXPECT_EQ(ClassicSource().Day(2005y / January / 1).nameEn, "New Year's Day");  // 元旦
  EXPECT_EQ(ClassicSource().Day(2005y / February / 11).nameEn, "National Foundation Day");
}

TEST(Sources, RefuseWhatTheyDoNotCover) {
  EXPECT_THROW(LawSource().Day(2400y / January / 1), RecordsError);
  EXPECT_THROW(LawSource().Day(2026y / February / 30), RecordsError);
  EXPECT_THROW(ClassicSource().Day(year{10000} / January / 1), RecordsError);
  EXPECT_THROW(ClassicSource().Equinoxes(1899y), RecordsError);
  EXPECT_THROW(
      LawSource().ForEachDayOff(2026y / May / 6, 2026y / May / 5, false, [](const DayRecord&) {}),
      RecordsError);
  EXPECT_NO_THROW(ClassicSource().Equinoxes(2099y));
}

}  // namespace
}  // namespace velunta::records
