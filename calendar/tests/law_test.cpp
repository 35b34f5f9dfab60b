// The Act's year bands on both sides of every change, the refusals, and invariants over every
// date of 1948–2399.

#include <gtest/gtest.h>
#include <velunta/calendar.h>

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono;
using velunta::HolidayKind;
using velunta::LabelStyle;

constexpr auto N = HolidayKind::national;
constexpr auto S = HolidayKind::specialAct;
constexpr auto F = HolidayKind::substitute;
constexpr auto C = HolidayKind::citizens;

struct Case {
  const char* text;
  year_month_day date;
  std::string_view name;  // official name; empty: no holiday
  HolidayKind kind;
};

void Check(const Case& row) {
  SCOPED_TRACE(row.text);
  const auto holiday = velunta::HolidayOn(row.date);
  ASSERT_TRUE(holiday.has_value());
  if (row.name.empty()) {
    EXPECT_FALSE(holiday->has_value()) << (*holiday)->name;
    return;
  }
  ASSERT_TRUE(holiday->has_value());
  EXPECT_EQ((*holiday)->name, row.name);
  EXPECT_EQ((*holiday)->kind, row.kind);
  EXPECT_EQ((*holiday)->date, row.date);
  EXPECT_EQ((*holiday)->weekday, weekday{sys_days{row.date}});
}

TEST(Law, ActTakesEffect) {
  const Case kCases[] = {
      {"1948-01-01 before the Act", 1948y / 1 / 1, "", N},
      {"1948-04-29 before the Act", 1948y / 4 / 29, "", N},
      {"1948-05-03 before the Act", 1948y / 5 / 3, "", N},
      {"1948-07-20 the Act's first day", 1948y / 7 / 20, "", N},
      {"1948-09-23 first autumnal equinox day", 1948y / 9 / 23, "秋分の日", N},
      {"1948-11-03", 1948y / 11 / 3, "文化の日", N},
      {"1949-01-01 first New Year's Day", 1949y / 1 / 1, "元日", N},
      {"1949-01-15", 1949y / 1 / 15, "成人の日", N},
      {"1949-04-29", 1949y / 4 / 29, "天皇誕生日", N},
      {"1800-01-01", 1800y / 1 / 1, "", N},
  };
  for (const auto& row : kCases) Check(row);
}

TEST(Law, Bands1966To1973) {
  const Case kCases[] = {
      {"1965-09-15", 1965y / 9 / 15, "", N},
      {"1966-09-15", 1966y / 9 / 15, "敬老の日", N},
      {"1965-10-10", 1965y / 10 / 10, "", N},
      {"1966-10-10", 1966y / 10 / 10, "体育の日", N},
      {"1966-02-11", 1966y / 2 / 11, "", N},
      {"1967-02-11", 1967y / 2 / 11, "建国記念の日", N},
      {"1973-02-12 Monday after a Sunday holiday, before the change", 1973y / 2 / 12, "", N},
      {"1973-04-30 the first substitute holiday", 1973y / 4 / 30, "振替休日", F},
      {"1959-04-10 royal wedding", 1959y / 4 / 10, "皇太子明仁親王の結婚の儀", S},
  };
  for (const auto& row : kCases) Check(row);
}

TEST(Law, Bands1985To1996) {
  const Case kCases[] = {
      {"1985-05-04 Saturday between holidays, before the change", 1985y / 5 / 4, "", N},
      {"1986-05-04 Sunday between holidays", 1986y / 5 / 4, "", N},
      {"1987-05-04 Monday after Sunday 05-03: substitute", 1987y / 5 / 4, "振替休日", F},
      {"1988-05-04 the first citizens' holiday", 1988y / 5 / 4, "国民の休日", C},
      {"1988-04-29", 1988y / 4 / 29, "天皇誕生日", N},
      {"1989-04-29", 1989y / 4 / 29, "みどりの日", N},
      {"1988-12-23", 1988y / 12 / 23, "", N},
      {"1989-12-23", 1989y / 12 / 23, "天皇誕生日", N},
      {"1989-02-24 state funeral", 1989y / 2 / 24, "昭和天皇の大喪の礼", S},
      {"1990-11-12 enthronement ceremony", 1990y / 11 / 12, "即位礼正殿の儀", S},
      {"1993-06-09 royal wedding", 1993y / 6 / 9, "皇太子徳仁親王の結婚の儀", S},
      {"1995-07-20", 1995y / 7 / 20, "", N},
      {"1996-07-20", 1996y / 7 / 20, "海の日", N},
      {"1997-07-21 Monday after Sunday 07-20", 1997y / 7 / 21, "振替休日", F},
  };
  for (const auto& row : kCases) Check(row);
}

TEST(Law, Bands2000To2007) {
  const Case kCases[] = {
      {"1999-01-15", 1999y / 1 / 15, "成人の日", N},
      {"2000-01-15", 2000y / 1 / 15, "", N},
      {"2000-01-10 2nd Monday", 2000y / 1 / 10, "成人の日", N},
      {"1999-10-11 Monday after Sunday 10-10", 1999y / 10 / 11, "振替休日", F},
      {"2000-10-10", 2000y / 10 / 10, "", N},
      {"2000-10-09 2nd Monday", 2000y / 10 / 9, "体育の日", N},
      {"2002-07-20", 2002y / 7 / 20, "海の日", N},
      {"2003-07-20", 2003y / 7 / 20, "", N},
      {"2003-07-21 3rd Monday", 2003y / 7 / 21, "海の日", N},
      {"2002-09-15", 2002y / 9 / 15, "敬老の日", N},
      {"2004-09-15", 2004y / 9 / 15, "", N},
      {"2004-09-20 3rd Monday", 2004y / 9 / 20, "敬老の日", N},
      {"2003-05-04 Sunday between holidays", 2003y / 5 / 4, "", N},
      {"2006-04-29", 2006y / 4 / 29, "みどりの日", N},
      {"2006-05-04", 2006y / 5 / 4, "国民の休日", C},
      {"2007-04-29", 2007y / 4 / 29, "昭和の日", N},
      {"2007-04-30 Monday after Sunday 04-29", 2007y / 4 / 30, "振替休日", F},
      {"2007-05-04", 2007y / 5 / 4, "みどりの日", N},
      {"2008-05-06 after Sunday 05-04 and 05-05", 2008y / 5 / 6, "振替休日", F},
      {"2009-05-06 after Sunday 05-03, 05-04, 05-05", 2009y / 5 / 6, "振替休日", F},
      {"2009-09-22", 2009y / 9 / 22, "国民の休日", C},
  };
  for (const auto& row : kCases) Check(row);
}

TEST(Law, Bands2016To2022) {
  const Case kCases[] = {
      {"2015-08-11", 2015y / 8 / 11, "", N},
      {"2016-08-11", 2016y / 8 / 11, "山の日", N},
      {"2015-09-22", 2015y / 9 / 22, "国民の休日", C},
      {"2018-12-23", 2018y / 12 / 23, "天皇誕生日", N},
      {"2018-12-24", 2018y / 12 / 24, "振替休日", F},
      {"2019-12-23", 2019y / 12 / 23, "", N},
      {"2019-02-23", 2019y / 2 / 23, "", N},
      {"2019-04-30", 2019y / 4 / 30, "国民の休日", C},
      {"2019-05-01", 2019y / 5 / 1, "天皇の即位の日", S},
      {"2019-05-02", 2019y / 5 / 2, "国民の休日", C},
      {"2019-05-06", 2019y / 5 / 6, "振替休日", F},
      {"2019-10-14", 2019y / 10 / 14, "体育の日", N},
      {"2019-10-22", 2019y / 10 / 22, "即位礼正殿の儀の行われる日", S},
      {"2020-02-23", 2020y / 2 / 23, "天皇誕生日", N},
      {"2020-02-24", 2020y / 2 / 24, "振替休日", F},
      {"2020-07-20 not the 3rd Monday rule", 2020y / 7 / 20, "", N},
      {"2020-07-23", 2020y / 7 / 23, "海の日", N},
      {"2020-07-24", 2020y / 7 / 24, "スポーツの日", N},
      {"2020-08-10", 2020y / 8 / 10, "山の日", N},
      {"2020-08-11", 2020y / 8 / 11, "", N},
      {"2020-10-12 no October holiday", 2020y / 10 / 12, "", N},
      {"2021-07-19", 2021y / 7 / 19, "", N},
      {"2021-07-22", 2021y / 7 / 22, "海の日", N},
      {"2021-07-23", 2021y / 7 / 23, "スポーツの日", N},
      {"2021-08-08", 2021y / 8 / 8, "山の日", N},
      {"2021-08-09", 2021y / 8 / 9, "振替休日", F},
      {"2021-08-11", 2021y / 8 / 11, "", N},
      {"2021-10-11", 2021y / 10 / 11, "", N},
      {"2022-07-18", 2022y / 7 / 18, "海の日", N},
      {"2022-08-11", 2022y / 8 / 11, "山の日", N},
      {"2022-10-10", 2022y / 10 / 10, "スポーツの日", N},
      {"2026-09-22", 2026y / 9 / 22, "国民の休日", C},
      {"2399-11-23", 2399y / 11 / 23, "勤労感謝の日", N},
  };
  for (const auto& row : kCases) Check(row);
}

TEST(Law, LabelStyles) {
  const struct {
    year_month_day date;
    std::string_view official;
    std::string_view list;
  } kCases[] = {
      {1959y / 4 / 10, "皇太子明仁親王の結婚の儀", "結婚の儀"},
      {1989y / 2 / 24, "昭和天皇の大喪の礼", "大喪の礼"},
      {1990y / 11 / 12, "即位礼正殿の儀", "即位礼正殿の儀"},
      {2019y / 5 / 1, "天皇の即位の日", "休日（祝日扱い）"},
      {2019y / 10 / 22, "即位礼正殿の儀の行われる日", "休日（祝日扱い）"},
      {2019y / 10 / 14, "体育の日", "体育の日（スポーツの日）"},
      {2018y / 10 / 8, "体育の日", "体育の日"},
      {2008y / 5 / 6, "振替休日", "休日"},
      {2015y / 9 / 22, "国民の休日", "休日"},
      {2024y / 1 / 1, "元日", "元日"},
  };
  for (const auto& row : kCases) {
    const auto official = velunta::HolidayOn(row.date);
    const auto list = velunta::HolidayOn(row.date, LabelStyle::officialList);
    ASSERT_TRUE(official.has_value() && official->has_value() && list.has_value() &&
                list->has_value());
    EXPECT_EQ((*official)->name, row.official);
    EXPECT_EQ((*list)->name, row.list);
    EXPECT_EQ((*official)->nameEn, (*list)->nameEn);
  }
}

TEST(Law, Refusals) {
  const struct {
    const char* text;
    year_month_day date;
    std::optional<velunta::CalendarError> error;
  } kCases[] = {
      {"2023-02-29", 2023y / 2 / 29, velunta::CalendarError::invalidDate},
      {"2024-02-30", 2024y / 2 / 30, velunta::CalendarError::invalidDate},
      {"2024-13-01", 2024y / 13 / 1, velunta::CalendarError::invalidDate},
      {"2024-00-10", 2024y / 0 / 10, velunta::CalendarError::invalidDate},
      {"1599-12-31", 1599y / 12 / 31, velunta::CalendarError::outOfRange},
      {"2400-01-01", 2400y / 1 / 1, velunta::CalendarError::outOfRange},
      {"-32767-01-01", year{-32767} / 1 / 1, velunta::CalendarError::outOfRange},
      {"32767-12-31", year{32767} / 12 / 31, velunta::CalendarError::outOfRange},
      {"1600-01-01", 1600y / 1 / 1, std::nullopt},
      {"2399-12-31", 2399y / 12 / 31, std::nullopt},
      {"2024-02-29", 2024y / 2 / 29, std::nullopt},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto holiday = velunta::HolidayOn(row.date);
    const auto is = velunta::IsHoliday(row.date);
    const auto list = velunta::HolidaysBetween(row.date, row.date);
    if (row.error) {
      ASSERT_FALSE(holiday.has_value());
      EXPECT_EQ(holiday.error(), *row.error);
      ASSERT_FALSE(is.has_value());
      EXPECT_EQ(is.error(), *row.error);
      ASSERT_FALSE(list.has_value());
      EXPECT_EQ(list.error(), *row.error);
      EXPECT_FALSE(velunta::Describe(*row.error).empty());
    } else {
      EXPECT_TRUE(holiday.has_value() && is.has_value() && list.has_value());
    }
  }
  EXPECT_EQ(velunta::HolidaysOfYear(1599y).error(), velunta::CalendarError::outOfRange);
  EXPECT_EQ(velunta::HolidaysOfYear(2400y).error(), velunta::CalendarError::outOfRange);
  EXPECT_EQ(velunta::HolidaysOfYear(year{-32768}).error(), velunta::CalendarError::outOfRange);
  EXPECT_TRUE(velunta::HolidaysOfYear(1600y)->empty());
  EXPECT_EQ(velunta::HolidaysBetween(2024y / 5 / 6, 2024y / 5 / 5).error(),
            velunta::CalendarError::invalidRange);
}

// Every date of 1600–2399: the day-by-day answer and the year lists agree, and the derived
// holidays obey their rules.
TEST(Law, SweepInvariants) {
  std::map<sys_days, velunta::Holiday> fromLists;
  for (int y = 1600; y <= 2399; ++y) {
    const auto list = velunta::HolidaysOfYear(year{y});
    ASSERT_TRUE(list.has_value());
    std::optional<year_month_day> previous;
    std::multiset<std::string_view> names;
    for (const auto& holiday : *list) {
      if (previous) {
        ASSERT_LT(*previous, holiday.date) << y << ": list out of order";
      }
      previous = holiday.date;
      ASSERT_EQ(holiday.date.year(), year{y});
      fromLists.emplace(sys_days{holiday.date}, holiday);
      if (holiday.kind == N) names.insert(holiday.name);
    }
    // A national holiday comes at most once a year; the fixed ones every year they exist.
    for (std::string_view name : names) EXPECT_EQ(names.count(name), 1U) << y << " " << name;
    if (y >= 1949) {
      for (std::string_view name : {"元日", "春分の日", "憲法記念日", "こどもの日", "秋分の日",
                                    "文化の日", "勤労感謝の日", "成人の日"}) {
        EXPECT_EQ(names.count(name), 1U) << y << " " << name;
      }
    }
  }

  auto isNational = [](sys_days d) {
    const auto h = velunta::HolidayOn(year_month_day{d});
    return h.has_value() && h->has_value() && ((*h)->kind == N || (*h)->kind == S);
  };
  for (sys_days d = sys_days{1600y / 1 / 1}; d <= sys_days{2399y / 12 / 31}; d += days{1}) {
    const year_month_day date{d};
    const auto holiday = velunta::HolidayOn(date);
    ASSERT_TRUE(holiday.has_value());
    ASSERT_EQ(*velunta::IsHoliday(date), holiday->has_value());
    const auto listed = fromLists.find(d);
    if (!*holiday) {
      ASSERT_EQ(listed, fromLists.end()) << "listed but not a holiday: " << listed->second.name;
      continue;
    }
    const velunta::Holiday& h = **holiday;
    ASSERT_NE(listed, fromLists.end()) << "holiday missing from the year list: " << h.name;
    ASSERT_EQ(listed->second, h);
    ASSERT_GE(date, velunta::kActInForce);
    ASSERT_EQ(h.weekday, weekday{d});
    if (h.kind == F) {
      // Follows a run of national holidays that holds a Sunday; before 2007 it is that Monday.
      bool sunday = false;
      for (sys_days back = d - days{1}; isNational(back); back -= days{1}) {
        sunday = sunday || weekday{back} == Sunday;
      }
      ASSERT_TRUE(sunday) << static_cast<int>(date.year()) << "-"
                          << static_cast<unsigned>(date.month()) << "-"
                          << static_cast<unsigned>(date.day());
      if (date.year() < 2007y) {
        ASSERT_EQ(h.weekday, Monday);
      }
      ASSERT_GE(date, 1973y / 4 / 12);
    }
    if (h.kind == C) {
      ASSERT_TRUE(isNational(d - days{1}) && isNational(d + days{1}));
      ASSERT_GE(date, 1985y / 12 / 27);
      if (date.year() < 2007y) {
        ASSERT_NE(h.weekday, Sunday);
      }
    }
  }
}

// The moving holidays fall on the right Monday of their month: counted here by walking the month.
TEST(Law, HappyMondays) {
  const struct {
    std::string_view name;
    unsigned month;
    int first;
    int last;
    unsigned nth;
  } kCases[] = {
      {"成人の日", 1, 2000, 2399, 2},  {"海の日", 7, 2003, 2019, 3},
      {"海の日", 7, 2022, 2399, 3},    {"敬老の日", 9, 2003, 2399, 3},
      {"体育の日", 10, 2000, 2019, 2}, {"スポーツの日", 10, 2022, 2399, 2},
  };
  for (const auto& row : kCases) {
    for (int y = row.first; y <= row.last; ++y) {
      unsigned mondays = 0;
      for (unsigned d = 1; d <= 31; ++d) {
        const year_month_day date{year{y}, month{row.month}, day{d}};
        if (!date.ok()) break;
        if (weekday{sys_days{date}} == Monday) ++mondays;
        const auto holiday = velunta::HolidayOn(date);
        ASSERT_TRUE(holiday.has_value());
        const bool named = *holiday && (*holiday)->name == row.name;
        EXPECT_EQ(named, mondays == row.nth && weekday{sys_days{date}} == Monday)
            << row.name << " " << y << "-" << row.month << "-" << d;
      }
    }
  }
}

TEST(Law, RangesMatchYearLists) {
  const struct {
    const char* text;
    year_month_day first;
    year_month_day last;
    std::size_t count;
  } kCases[] = {
      {"Golden Week 2019", 2019y / 4 / 27, 2019y / 5 / 6, 8},
      {"Golden Week 2024", 2024y / 4 / 27, 2024y / 5 / 6, 5},
      {"New Year across years", 2023y / 12 / 1, 2024y / 1 / 31, 2},
      {"one day, no holiday", 2024y / 6 / 3, 2024y / 6 / 3, 0},
      {"one day, a holiday", 2024y / 1 / 1, 2024y / 1 / 1, 1},
      {"1948 from the start of the Act", 1948y / 1 / 1, 1948y / 12 / 31, 3},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto range = velunta::HolidaysBetween(row.first, row.last);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->size(), row.count);
    for (const auto& h : *range) {
      EXPECT_TRUE(h.date >= row.first && h.date <= row.last);
      EXPECT_EQ(velunta::HolidayOn(h.date).value(), h);
    }
  }
  // Whole span: the concatenated year lists.
  std::size_t total = 0;
  for (int y = 1600; y <= 2399; ++y) total += velunta::HolidaysOfYear(year{y})->size();
  const auto all = velunta::HolidaysBetween(velunta::kFirstDate, velunta::kLastDate);
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(all->size(), total);
}

}  // namespace
