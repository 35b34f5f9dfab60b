// velunta list: the window's lines, the range ends, Sundays, and both rule sets.

#include <gtest/gtest.h>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

struct ListCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> lines;  // the whole output, line by line
};

TEST(List, WholeOutputs) {
  const ListCase kCases[] = {
      {"first holidays of the law calendar",
       {"list", "1948"},
       {"1948/09/23(木) 秋分の日", "1948/11/03(水) 文化の日", "1948/11/23(火) 勤労感謝の日"}},
      {"Golden Week, dates both included",
       {"list", "2026/04/29", "2026/05/06"},
       {"2026/04/29(水) 昭和の日", "2026/05/03(日) 憲法記念日", "2026/05/04(月) みどりの日",
        "2026/05/05(火) こどもの日", "2026/05/06(水) 振替休日"}},
      {"range ends that are no day off", {"list", "2026/04/30", "2026/05/02"}, {}},
      {"a Sunday holiday is listed once",
       {"list", "--sundays", "2005/03/19", "2005/03/27"},
       {"2005/03/20(日) 春分の日", "2005/03/21(月) 振替休日", "2005/03/27(日) 日曜日"}},
      {"classic Sundays, as the window lists them",
       {"--rules=classic", "list", "2005/01/01", "2005/01/10", "--sundays"},
       {"2005/01/01(土) 元旦", "2005/01/02(日) ", "2005/01/09(日) ", "2005/01/10(月) 成人の日"}},
      {"classic range inside one year",
       {"--rules=classic", "list", "2005/05/01", "2005/05/31"},
       {"2005/05/03(火) 憲法記念日", "2005/05/04(水) 国民の休日", "2005/05/05(木) こどもの日"}},
      {"English",
       {"list", "2026/01/01", "2026/01/12", "--lang=en"},
       {"2026/01/01(Thu) New Year's Day", "2026/01/12(Mon) Coming of Age Day"}},
      {"first covered year end", {"list", "1600/12/27", "1600"}, {}},
      {"first covered year with Sundays",
       {"list", "1600/12/20", "1600", "--sundays"},
       {"1600/12/24(日) 日曜日", "1600/12/31(日) 日曜日"}},
      {"last covered days",
       {"list", "2399/12/20", "2399/12/31", "--sundays"},
       {"2399/12/26(日) 日曜日"}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(Lines(result.out), row.lines);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
  }
}

TEST(List, FirstLinesOf2005AsTheWindowWritesThem) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> first;
  } kCases[] = {
      {"law", {"list", "2005"}, {"2005/01/01(土) 元日", "2005/01/10(月) 成人の日"}},
      {"classic",
       {"--rules=classic", "list", "2005"},
       {"2005/01/01(土) 元旦", "2005/01/10(月) 成人の日"}},
      {"law with Sundays",
       {"list", "2005", "--sundays"},
       {"2005/01/01(土) 元日", "2005/01/02(日) 日曜日"}},
      {"classic with Sundays",
       {"--rules=classic", "list", "2005", "--sundays"},
       {"2005/01/01(土) 元旦", "2005/01/02(日) "}},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    ASSERT_EQ(result.status, 0);
    const auto lines = Lines(result.out);
    ASSERT_GE(lines.size(), row.first.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 2), row.first);
  }
}

// A range of years lists what its years list one by one, and a year is its first to its last day.
TEST(List, RangesJoinTheirYears) {
  for (const char* rules : {"--rules=law", "--rules=classic"}) {
    SCOPED_TRACE(rules);
    std::string joined;
    for (int y = 1987; y <= 2009; ++y) {
      joined += RunVelunta({"list", rules, "--sundays", std::to_string(y)}).out;
    }
    EXPECT_EQ(RunVelunta({"list", rules, "--sundays", "1987", "2009"}).out, joined);
    EXPECT_EQ(RunVelunta({"list", rules, "--sundays", "1987/01/01", "2009/12/31"}).out, joined);
    const auto year = RunVelunta({"list", rules, "1987"}).out;
    EXPECT_EQ(RunVelunta({"list", rules, "1987", "1987"}).out, year);
    EXPECT_EQ(RunVelunta({"list", rules, "１９８７"}).out, year);  // full-width digits
    EXPECT_EQ(RunVelunta({"list", rules, "昭和62年1月1日", "1987"}).out, year);
  }
}

// Over the whole range, the plain list is the Sunday list without its plain Sundays, and every
// Sunday of the range appears in the Sunday list.
TEST(List, SundaysAddOnlyPlainSundays) {
  const auto plain = Lines(RunVelunta({"list", "1600", "2399"}).out);
  const auto withSundays = Lines(RunVelunta({"list", "1600", "2399", "--sundays"}).out);
  std::vector<std::string> withoutPlain;
  std::size_t sundays = 0;
  for (const auto& line : withSundays) {
    if (line.find("(日)") != std::string::npos) ++sundays;
    if (!line.ends_with(" 日曜日")) withoutPlain.push_back(line);
  }
  EXPECT_EQ(withoutPlain, plain);
  EXPECT_EQ(sundays, 41742U);  // 800 Gregorian years are exactly 41,742 weeks
}

}  // namespace
}  // namespace velunta::cli::testing
