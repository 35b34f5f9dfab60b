// velunta equinox: the days, the instants and their status, against the holidays the lists give.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

using nlohmann::json;

TEST(Equinox, TextLines) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> prefixes;  // each line starts so; the instant follows
    std::vector<std::string> suffixes;
  } kCases[] = {
      {"announced year",
       {"equinox", "2026"},
       {"2026/03/20(金) 春分 ", "2026/09/23(水) 秋分 "},
       {" JST 確定", " JST 確定"}},
      {"predicted year",
       {"equinox", "2030", "--lang=en"},
       {"2030/03/20(Wed) vernal equinox ", "2030/09/23(Mon) autumnal equinox "},
       {" JST predicted", " JST predicted"}},
      {"before the holidays",
       {"equinox", "1900"},
       {"1900/03/21(水) 春分 ", "1900/09/23(日) 秋分 "},
       {" JST 参考", " JST 参考"}},
      {"the autumnal holiday came first",
       {"equinox", "1948"},
       {"1948/03/21(日) 春分 ", "1948/09/23(木) 秋分 "},
       {" JST 参考", " JST 確定"}},
      {"classic days have no instant",
       {"--rules=classic", "equinox", "2005"},
       {"2005/03/20(日) 春分", "2005/09/23(金) 秋分"},
       {"春分", "秋分"}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    ASSERT_EQ(result.status, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_TRUE(lines[i].starts_with(row.prefixes[i])) << lines[i];
      EXPECT_TRUE(lines[i].ends_with(row.suffixes[i])) << lines[i];
    }
  }
}

// Parses "2026-03-20T23:45:51.397" (the offset or Z after it is ignored) to milliseconds.
std::chrono::sys_time<std::chrono::milliseconds> ParseInstant(const std::string& text) {
  int y = 0;
  unsigned mo = 0, d = 0;
  int h = 0, mi = 0, s = 0, ms = 0;
  EXPECT_EQ(std::sscanf(text.c_str(), "%d-%u-%uT%d:%d:%d.%d", &y, &mo, &d, &h, &mi, &s, &ms), 7)
      << text;
  using namespace std::chrono;
  return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s} +
         milliseconds{ms};
}

// Every year: the JST instant is the UTC one plus nine hours, lies on the reported date, the
// status follows the announced years, and the date is the equinox holiday the list gives.
TEST(Equinox, EveryYearAgreesWithTheHolidays) {
  std::vector<std::string> args{"equinox", "--format=json"};
  for (int y = 1600; y <= 2399; ++y) args.push_back(std::to_string(y));
  const auto result = RunVelunta(args);
  ASSERT_EQ(result.status, 0) << result.err;
  const auto rows = json::parse(result.out);
  ASSERT_EQ(rows.size(), 1600U);

  std::map<std::string, std::string> holidays;  // date -> name
  for (const auto& day : json::parse(RunVelunta({"list", "1948", "2399", "--format=json"}).out)) {
    holidays[day["date"]] = day["name"];
  }
  for (const auto& row : rows) {
    const int y = row["year"];
    const bool vernal = row["season"] == "vernal";
    SCOPED_TRACE(std::to_string(y) + (vernal ? " vernal" : " autumnal"));
    const std::string date = row["date"];
    const std::string jst = row["instant_jst"];
    const std::string utc = row["instant_utc"];
    ASSERT_TRUE(jst.ends_with("+09:00") && utc.ends_with("Z"));
    EXPECT_EQ(jst.substr(0, 10), date);
    EXPECT_EQ(ParseInstant(jst) - ParseInstant(utc), std::chrono::hours{9});
    EXPECT_EQ(date.substr(5, 2), vernal ? "03" : "09");

    const int firstHolidayYear = vernal ? 1949 : 1948;
    const char* status = y < firstHolidayYear ? "historical" : y <= 2027 ? "official" : "predicted";
    EXPECT_EQ(row["status"], status);
    if (y >= firstHolidayYear) {
      const auto holiday = holidays.find(date);
      ASSERT_NE(holiday, holidays.end());
      EXPECT_EQ(holiday->second, vernal ? "春分の日" : "秋分の日");
    }
  }
}

// The module's formula days are its own list's equinox holidays, 1949-2099.
TEST(Equinox, ClassicDaysAreTheClassicHolidays) {
  std::vector<std::string> args{"--rules=classic", "equinox", "--format=csv"};
  for (int y = 1949; y <= 2099; ++y) args.push_back(std::to_string(y));
  const auto result = RunVelunta(args);
  ASSERT_EQ(result.status, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 1U + 2 * 151);
  EXPECT_EQ(lines[0], "year,season,date,weekday,instant_jst,instant_utc,status\r");

  std::map<std::string, std::string> holidays;
  for (const auto& day :
       json::parse(RunVelunta({"--rules=classic", "list", "1949", "2099", "--format=json"}).out)) {
    holidays[day["date"]] = day["name"];
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    // 2005,vernal,2005-03-20,Sun,,,  (no instant, no status)
    const std::string date = lines[i].substr(lines[i].find(',', 5) + 1, 10);
    EXPECT_TRUE(lines[i].ends_with(",,,\r"));
    const auto holiday = holidays.find(date);
    ASSERT_NE(holiday, holidays.end());
    EXPECT_EQ(holiday->second,
              lines[i].find("vernal") != std::string::npos ? "春分の日" : "秋分の日");
  }
}

}  // namespace
}  // namespace velunta::cli::testing
