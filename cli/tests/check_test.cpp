// velunta check: lines, exit statuses, date forms, today in Japan, and every day against the lists.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <nlohmann/json.hpp>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

using namespace std::chrono;

struct CheckCase {
  const char* name;
  std::vector<std::string> args;
  std::string out;
  int status;
};

TEST(Check, LinesAndStatus) {
  const CheckCase kCases[] = {
      {"substitute holiday", {"check", "2026/05/06"}, "2026/05/06(水) 振替休日\n", 0},
      {"working day", {"check", "2026/05/07"}, "2026/05/07(木)\n", 1},
      {"plain Sunday", {"check", "2026/05/10"}, "2026/05/10(日) 日曜日\n", 0},
      {"Saturday is no day off", {"check", "2026/05/09"}, "2026/05/09(土)\n", 1},
      {"law name of Jan 1", {"check", "2005/01/01"}, "2005/01/01(土) 元日\n", 0},
      {"citizens' holiday", {"check", "2026/09/22"}, "2026/09/22(火) 国民の休日\n", 0},
      {"special act", {"check", "2019/05/01"}, "2019/05/01(水) 天皇の即位の日\n", 0},
      {"moved Mountain Day", {"check", "2021/08/09"}, "2021/08/09(月) 振替休日\n", 0},
      {"before the Act", {"check", "1948/01/01"}, "1948/01/01(木)\n", 1},
      {"first covered day", {"check", "1600/01/01"}, "1600/01/01(土)\n", 1},
      {"last covered day", {"check", "2399/12/31"}, "2399/12/31(金)\n", 1},
      {"all days off",
       {"check", "2026/05/03", "2026/05/04"},
       "2026/05/03(日) 憲法記念日\n2026/05/04(月) みどりの日\n",
       0},
      {"one working day among days off",
       {"check", "2026/05/06", "2026/05/07", "2026/05/10"},
       "2026/05/06(水) 振替休日\n2026/05/07(木)\n2026/05/10(日) 日曜日\n",
       1},
      {"English", {"check", "2026/05/06", "--lang=en"}, "2026/05/06(Wed) Substitute Holiday\n", 0},
      {"English Sunday", {"--lang=en", "check", "2026/05/10"}, "2026/05/10(Sun) Sunday\n", 0},
      {"English working day", {"check", "2026/05/07", "--lang", "en"}, "2026/05/07(Thu)\n", 1},
      // The fixed table, as the window's check answers.
      {"classic Jan 1", {"--rules=classic", "check", "2005/01/01"}, "2005/01/01(土) 元旦\n", 0},
      {"classic citizens' holiday",
       {"check", "--rules=classic", "2005/05/04"},
       "2005/05/04(水) 国民の休日\n",
       0},
      {"classic Sunday",
       {"check", "2005/01/02", "--rules", "classic"},
       "2005/01/02(日) 日曜日\n",
       0},
      {"classic equinox on a Sunday",
       {"--rules=classic", "check", "2005/03/20"},
       "2005/03/20(日) 春分の日\n",
       0},
      {"classic substitute",
       {"--rules=classic", "check", "2005/03/21"},
       "2005/03/21(月) 振替休日\n",
       0},
      {"classic working day", {"--rules=classic", "check", "2005/01/04"}, "2005/01/04(火)\n", 1},
      {"classic before 1949", {"--rules=classic", "check", "1948/01/01"}, "1948/01/01(木)\n", 1},
      {"classic far future", {"--rules=classic", "check", "9999/12/31"}, "9999/12/31(金)\n", 1},
      {"classic English",
       {"--rules=classic", "--lang=en", "check", "2005/01/01"},
       "2005/01/01(Sat) New Year's Day\n",
       0},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, row.status);
  }
}

TEST(Check, EveryDateFormReadsTheSameDay) {
  const std::string kLaw = "2026/05/06(水) 振替休日\n";
  // The fixed table gives a substitute only on the Monday after a Sunday holiday.
  const std::string kClassic = "2005/03/21(月) 振替休日\n";
  const struct {
    const char* text;
    const char* rules;
    const std::string& line;
  } kForms[] = {
      {"2026/05/06", "law", kLaw},
      {"2026/5/6", "law", kLaw},
      {"2026-05-06", "law", kLaw},
      {"2026.5.6", "law", kLaw},
      {"2026年5月6日", "law", kLaw},
      {"令和8年5月6日", "law", kLaw},
      {"R8/5/6", "law", kLaw},
      {"２０２６／５／６", "law", kLaw},
      {"　2026/05/06 ", "law", kLaw},
      {"2005/3/21", "classic", kClassic},
      {"平成17年3月21日", "classic", kClassic},
      {"H17.3.21", "classic", kClassic},
      {"２００５－０３－２１", "classic", kClassic},
  };
  for (const auto& row : kForms) {
    SCOPED_TRACE(std::string(row.text) + " " + row.rules);
    const auto result = RunVelunta({"check", std::string("--rules=") + row.rules, row.text});
    EXPECT_EQ(result.out, row.line);
    EXPECT_EQ(result.status, 0);
  }
}

year_month_day JapanToday() {
  return year_month_day{floor<days>(system_clock::now() + hours{9})};
}

// Whatever the zone, some hour of every day has the local date differ from Japan's: Honolulu
// (UTC-10) from 15:00 to 10:00 UTC, Kiritimati (UTC+14) from 10:00 to 15:00 UTC.
TEST(Check, TodayIsJapansDateInEveryZone) {
  const char* kZones[] = {"TZ=Pacific/Honolulu", "TZ=Pacific/Kiritimati", "TZ=UTC",
                          "TZ=America/New_York", "TZ=Asia/Tokyo",         "TZ=Etc/GMT+12"};
  for (const char* rules : {"--rules=law", "--rules=classic"}) {
    for (const char* zone : kZones) {
      SCOPED_TRACE(std::string(zone) + " " + rules);
      const auto before = JapanToday();
      const auto result = RunVelunta({"check", rules, "--format=json"}, {zone});
      const auto after = JapanToday();
      ASSERT_EQ(result.err, "");
      const auto days = nlohmann::json::parse(result.out);
      ASSERT_EQ(days.size(), 1U);
      const auto date = days[0]["date"].get<std::string>();
      char expected[2][16];
      for (int i = 0; i < 2; ++i) {
        const auto d = i == 0 ? before : after;
        std::snprintf(expected[i], sizeof expected[i], "%04d-%02u-%02u", static_cast<int>(d.year()),
                      static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
      }
      EXPECT_TRUE(date == expected[0] || date == expected[1]) << date;
      EXPECT_EQ(result.status, days[0]["day_off"] ? 0 : 1);
    }
  }
}

// Formats a date in one of the accepted forms, chosen by the day, so the sweep reads them all.
std::string DateText(year_month_day d) {
  const int y = static_cast<int>(d.year());
  const unsigned m = static_cast<unsigned>(d.month());
  const unsigned dd = static_cast<unsigned>(d.day());
  char text[48];
  switch (dd % 3) {
    case 0:
      std::snprintf(text, sizeof text, "%04d/%02u/%02u", y, m, dd);
      break;
    case 1:
      std::snprintf(text, sizeof text, "%d-%u-%u", y, m, dd);
      break;
    default:
      std::snprintf(text, sizeof text, "%d年%u月%u日", y, m, dd);
      break;
  }
  return text;
}

// Every day of the range, checked ten years per process: the days off it reports are exactly the
// lines of `list --sundays` (the window's list names no plain Sunday), and each run ends with 1.
void SweepAgainstList(const std::string& rules, int firstYear, int lastYear) {
  const auto list =
      RunVelunta({"list", rules, "--sundays", std::to_string(firstYear), std::to_string(lastYear)});
  ASSERT_EQ(list.status, 0) << list.err;
  std::map<std::string, std::string> expected;  // date -> line
  for (const auto& line : Lines(list.out)) expected[line.substr(0, 10)] = line;

  std::map<std::string, std::string> produced;
  std::size_t checked = 0;
  for (int decade = firstYear; decade <= lastYear; decade += 10) {
    std::vector<std::string> args{"check", rules};
    const year_month_day first{year{decade}, January, day{1}};
    const year_month_day last{year{std::min(decade + 9, lastYear)}, December, day{31}};
    for (sys_days d{first}; d <= sys_days{last}; d += days{1}) args.push_back(DateText(d));
    const auto result = RunVelunta(args);
    ASSERT_EQ(result.status, 1) << decade << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), args.size() - 2) << decade;
    checked += lines.size();
    for (const auto& line : lines) {
      if (line.ends_with(")")) continue;  // a working day
      // The window's list leaves a plain Sunday unnamed, where its check says 日曜日.
      const std::string sunday = "(日) 日曜日";
      produced[line.substr(0, 10)] =
          rules == "--rules=classic" && line.ends_with(sunday)
              ? line.substr(0, line.size() - std::string(" 日曜日").size()) + " "
              : line;
    }
  }
  EXPECT_EQ(checked, static_cast<std::size_t>((sys_days{year{lastYear} / December / 31} -
                                               sys_days{year{firstYear} / January / 1})
                                                  .count() +
                                              1));
  for (const auto& [date, line] : expected) {
    const auto found = produced.find(date);
    EXPECT_TRUE(found != produced.end() && found->second == line)
        << "listed, not checked: " << line;
  }
  for (const auto& [date, line] : produced) {
    const auto found = expected.find(date);
    EXPECT_TRUE(found != expected.end() && found->second == line)
        << "checked, not listed: " << line;
  }
}

TEST(Check, EveryDayAgreesWithTheLawList) {
  SweepAgainstList("--rules=law", 1940, 2399);
}

TEST(Check, EveryDayAgreesWithTheClassicList) {
  SweepAgainstList("--rules=classic", 1940, 2109);
}

}  // namespace
}  // namespace velunta::cli::testing
