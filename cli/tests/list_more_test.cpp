// list and next/previous as people reach for them: months, the Cabinet Office's labels, the
// nearest holidays, predicted days and a byte-order mark.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

TEST(ListMore, MonthsAsPeopleWriteThem) {
  const std::string may = RunVelunta({"list", "2026/05/01", "2026/05/31"}).out;
  ASSERT_FALSE(may.empty());
  for (const char* month : {"2026-05", "2026/5", "2026年5月", "2026-5"}) {
    SCOPED_TRACE(month);
    const auto result = RunVelunta({"list", month});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, may);
  }
  EXPECT_EQ(RunVelunta({"list", "2026-02", "2026-03"}).out,
            RunVelunta({"list", "2026/02/01", "2026/03/31"}).out);
  EXPECT_EQ(RunVelunta({"list", "2026-13"}).status, 2);
}

// The Cabinet Office's list, one line a day: "YYYY-MM-DD<TAB>label".
TEST(ListMore, OfficialLabelsReproduceTheOfficialList) {
  std::ifstream file(VELUNTA_OFFICIAL_LIST);
  ASSERT_TRUE(file);
  std::vector<std::string> expected;
  for (std::string line; std::getline(file, line);) {
    if (line.empty()) continue;
    const auto tab = line.find('\t');
    expected.push_back(line.substr(0, tab) + "," + line.substr(tab + 1));
  }
  const auto result = RunVelunta({"list", "1955", "2027", "--labels=official", "--format=csv"});
  ASSERT_EQ(result.status, 0) << result.err;
  std::vector<std::string> produced;
  for (auto line : Lines(result.out)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("date,")) continue;
    // date,weekday,name,... -> date,name; the list ends with the last announced equinox
    const auto first = line.find(',');
    const auto second = line.find(',', first + 1);
    const auto third = line.find(',', second + 1);
    produced.push_back(line.substr(0, first) + "," + line.substr(second + 1, third - second - 1));
  }
  // The list stops at its last published day; compare up to there.
  ASSERT_FALSE(expected.empty());
  while (!produced.empty() && produced.back() > expected.back()) produced.pop_back();
  EXPECT_EQ(produced, expected);
  EXPECT_EQ(RunVelunta({"list", "2019", "--labels=official", "--rules=classic"}).status, 2);
}

TEST(ListMore, PredictedDaysAreMarkedInEveryFormat) {
  const auto days =
      nlohmann::json::parse(RunVelunta({"list", "2027", "2031", "--format=json"}).out);
  int predicted = 0;
  for (const auto& day : days) {
    const std::string date = day["date"];
    const std::string name = day["name"];
    const bool equinox = name == "春分の日" || name == "秋分の日";
    SCOPED_TRACE(date + " " + name);
    if (equinox) {
      EXPECT_EQ(day["predicted"], date >= "2028");
    } else if (day["kind"] == "national") {
      EXPECT_FALSE(day["predicted"]);
    }
    predicted += day["predicted"] ? 1 : 0;
  }
  EXPECT_GE(predicted, 8);  // both equinoxes of 2028-2031
  EXPECT_NE(RunVelunta({"list", "2030"}).out.find("2030/03/20(水) 春分の日（予測）"),
            std::string::npos);
  const auto ics = RunVelunta({"list", "2030", "--format=ics"}).out;
  EXPECT_NE(ics.find("STATUS:TENTATIVE"), std::string::npos);
}

TEST(ListMore, ByteOrderMarkForSpreadsheets) {
  const auto csv = RunVelunta({"list", "2026", "--format=csv", "--bom"});
  EXPECT_TRUE(
      csv.out.starts_with("\xEF\xBB\xBF"
                          "date,"))
      << csv.err;
  EXPECT_EQ(csv.out.substr(3), RunVelunta({"list", "2026", "--format=csv"}).out);
  EXPECT_EQ(RunVelunta({"list", "2026", "--bom"}).status, 2);
}

TEST(NextPrevious, NearestHolidays) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } kCases[] = {
      {{"next", "2026/05/07"}, "2026/07/20(月) 海の日\n"},
      {{"next", "2026/05/05", "--count", "2"}, "2026/05/06(水) 振替休日\n2026/07/20(月) 海の日\n"},
      {{"previous", "2026/05/07", "--count", "2"},
       "2026/05/06(水) 振替休日\n2026/05/05(火) こどもの日\n"},
      {{"next", "2026/05/07", "--sundays"}, "2026/05/10(日) 日曜日\n"},
      {{"next", "2026/12/31"}, "2027/01/01(金) 元日\n"},
      {{"previous", "1948/09/24"}, "1948/09/23(木) 秋分の日\n"},
      {{"next", "2005/05/01", "--rules=classic"}, "2005/05/03(火) 憲法記念日\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.args[1]);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, row.out);
  }
  // A count the covered years cannot fill is refused before anything is written.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"next", "2399/12/24"}, {"previous", "1948/09/01"}, {"next", "--count", "0"}}) {
    const auto result = RunVelunta(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
  }
}

}  // namespace
}  // namespace velunta::cli::testing
