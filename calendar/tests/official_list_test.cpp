// The calendar against the Cabinet Office's list of days off 1955–2027, day by day and both ways,
// and against the facts of the Act for the years before the list begins.

#include <gtest/gtest.h>
#include <velunta/calendar.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;
using velunta::HolidayKind;
using velunta::LabelStyle;

std::string Text(year_month_day date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

// date text -> label, as published.
std::map<std::string, std::string> LoadList() {
  std::ifstream in(VELUNTA_CALENDAR_TEST_DATA "/official-holidays.tsv");
  std::map<std::string, std::string> list;
  std::string line;
  while (std::getline(in, line)) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    list.emplace(line.substr(0, tab), line.substr(tab + 1));
  }
  return list;
}

// Every holiday the calendar produces for a span of years, date text -> label.
std::map<std::string, std::string> Produced(int firstYear, int lastYear, LabelStyle style) {
  std::map<std::string, std::string> produced;
  for (int y = firstYear; y <= lastYear; ++y) {
    const auto list = velunta::HolidaysOfYear(year{y}, style);
    EXPECT_TRUE(list.has_value()) << y;
    if (!list) continue;
    for (const auto& holiday : *list) {
      produced.emplace(Text(holiday.date), std::string(holiday.name));
    }
  }
  return produced;
}

// A two-way diff that names every date on which the two lists part.
void ExpectSameDays(const std::map<std::string, std::string>& expected,
                    const std::map<std::string, std::string>& produced) {
  for (const auto& [date, name] : expected) {
    const auto it = produced.find(date);
    if (it == produced.end()) {
      ADD_FAILURE() << "expected but not produced: " << date << " " << name;
    } else if (it->second != name) {
      ADD_FAILURE() << "wrong name on " << date << ": expected " << name << ", produced "
                    << it->second;
    }
  }
  for (const auto& [date, name] : produced) {
    if (!expected.contains(date)) {
      ADD_FAILURE() << "produced but not expected: " << date << " " << name;
    }
  }
}

TEST(OfficialList, DataIsComplete) {
  const auto list = LoadList();
  ASSERT_EQ(list.size(), 1067U);
  EXPECT_EQ(list.begin()->first, "1955-01-01");
  EXPECT_EQ(list.rbegin()->first, "2027-11-23");
}

TEST(OfficialList, YearListsReproduceItExactly) {
  const auto list = LoadList();
  ASSERT_FALSE(list.empty());
  ExpectSameDays(list, Produced(1955, 2027, LabelStyle::officialList));
}

// Every day of 1955–2027 asked one at a time: a listed day is a holiday with that label, any
// other day is none.
TEST(OfficialList, EveryDayAskedAloneAgrees) {
  const auto list = LoadList();
  ASSERT_FALSE(list.empty());
  std::map<std::string, std::string> produced;
  for (sys_days d = sys_days{1955y / January / 1}; d <= sys_days{2027y / December / 31};
       d += days{1}) {
    const auto holiday = velunta::HolidayOn(year_month_day{d}, LabelStyle::officialList);
    ASSERT_TRUE(holiday.has_value());
    if (*holiday) produced.emplace(Text(year_month_day{d}), std::string((*holiday)->name));
  }
  ExpectSameDays(list, produced);
}

// The official names differ from the list's labels only where the list says 休日, 休日（祝日扱い）,
// shortens a special-act day or renames 2019-10-14; the kinds are what the labels imply.
TEST(OfficialList, OfficialNamesAndKinds) {
  const auto list = LoadList();
  ASSERT_FALSE(list.empty());
  const std::map<std::string, std::string> kSpecialActs = {
      {"1959-04-10", "皇太子明仁親王の結婚の儀"}, {"1989-02-24", "昭和天皇の大喪の礼"},
      {"1990-11-12", "即位礼正殿の儀"},           {"1993-06-09", "皇太子徳仁親王の結婚の儀"},
      {"2019-05-01", "天皇の即位の日"},           {"2019-10-22", "即位礼正殿の儀の行われる日"},
  };
  int substitutes = 0;
  int citizens = 0;
  for (const auto& [date, label] : list) {
    SCOPED_TRACE(date);
    const int y = std::stoi(date.substr(0, 4));
    const unsigned m = static_cast<unsigned>(std::stoi(date.substr(5, 2)));
    const unsigned d = static_cast<unsigned>(std::stoi(date.substr(8, 2)));
    const auto holiday = velunta::HolidayOn(year_month_day{year{y}, month{m}, day{d}});
    ASSERT_TRUE(holiday.has_value() && holiday->has_value());
    const auto& h = **holiday;
    EXPECT_FALSE(h.nameEn.empty());
    if (const auto it = kSpecialActs.find(date); it != kSpecialActs.end()) {
      EXPECT_EQ(h.kind, HolidayKind::specialAct);
      EXPECT_EQ(h.name, it->second);
    } else if (label == "休日") {
      EXPECT_TRUE(h.kind == HolidayKind::substitute || h.kind == HolidayKind::citizens);
      EXPECT_EQ(h.name, h.kind == HolidayKind::substitute ? "振替休日" : "国民の休日");
      (h.kind == HolidayKind::substitute ? substitutes : citizens) += 1;
    } else if (date == "2019-10-14") {
      EXPECT_EQ(h.kind, HolidayKind::national);
      EXPECT_EQ(h.name, "体育の日");
    } else {
      EXPECT_EQ(h.kind, HolidayKind::national);
      EXPECT_EQ(h.name, label);
    }
  }
  // 116 days labelled 休日: 20 citizens' holidays (the 15 May 4ths of 1988–2006 that fell on
  // Tuesday to Saturday; 2009-09-22, 2015-09-22, 2019-04-30, 2019-05-02, 2026-09-22), the other
  // 96 substitute holidays.
  EXPECT_EQ(citizens, 20);
  EXPECT_EQ(substitutes, 96);
}

// 1948-07-20 to 1954, which the list does not cover, from the Act's table.
TEST(OfficialList, YearsBeforeTheList) {
  std::map<std::string, std::string> expected = {
      {"1948-09-23", "秋分の日"},
      {"1948-11-03", "文化の日"},
      {"1948-11-23", "勤労感謝の日"},
  };
  // The equinox days come from the calendar's equinox table (checked on their own in the
  // equinox tests), so this test is about the other holidays of those years.
  for (int y = 1949; y <= 1954; ++y) {
    const auto eq = velunta::EquinoxesOf(year{y});
    ASSERT_TRUE(eq.has_value());
    expected[Text(eq->vernal.day)] = "春分の日";
    expected[Text(eq->autumnal.day)] = "秋分の日";
    for (const auto& [md, name] :
         std::vector<std::pair<std::pair<unsigned, unsigned>, const char*>>{
             {{1, 1}, "元日"},
             {{1, 15}, "成人の日"},
             {{4, 29}, "天皇誕生日"},
             {{5, 3}, "憲法記念日"},
             {{5, 5}, "こどもの日"},
             {{11, 3}, "文化の日"},
             {{11, 23}, "勤労感謝の日"}}) {
      expected[Text(year_month_day{year{y}, month{md.first}, day{md.second}})] = name;
    }
  }
  ExpectSameDays(expected, Produced(1600, 1954, LabelStyle::officialList));
}

}  // namespace
