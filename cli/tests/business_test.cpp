// velunta business: add, count, next and previous with the closing-day options.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_binary.h"
#include "run_in_process.h"

namespace velunta::cli::testing {
namespace {

TEST(Business, Answers) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string out;
  } kCases[] = {
      {"over Golden Week", {"business", "add", "2024/05/02", "1"}, "2024/05/07(火)\n"},
      {"back over Golden Week", {"business", "add", "2024/05/07", "-1"}, "2024/05/02(木)\n"},
      {"explicit plus", {"business", "add", "2024/05/07", "+1"}, "2024/05/08(水)\n"},
      {"zero keeps a day off",
       {"business", "add", "2024/05/04", "0"},
       "2024/05/04(土) みどりの日\n"},
      {"next skips the weekend", {"business", "next", "2024/05/03"}, "2024/05/07(火)\n"},
      {"previous", {"business", "previous", "2024/05/07"}, "2024/05/02(木)\n"},
      {"Saturday off", {"business", "next", "2024/05/10"}, "2024/05/13(月)\n"},
      {"Saturday as a workday",
       {"business", "--saturday-workday", "next", "2024/05/10"},
       "2024/05/11(土)\n"},
      {"a Saturday holiday stays closed",
       {"business", "--saturday-workday", "next", "2024/05/03"},
       "2024/05/07(火)\n"},
      {"options after the command",
       {"business", "next", "2024/05/10", "--saturday-workday"},
       "2024/05/11(土)\n"},
      {"bank closing days",
       {"business", "next", "2024/12/30", "--bank-closing-days"},
       "2025/01/06(月)\n"},
      {"without them", {"business", "next", "2024/12/30"}, "2024/12/31(火)\n"},
      {"own closing dates",
       {"business", "next", "2024/05/02", "--closed", "2024/05/07,2024-05-08"},
       "2024/05/09(木)\n"},
      {"own closing dates with empty items",
       {"business", "next", "2024/05/02", "--closed", ",2024/05/07,,2024/05/08,"},
       "2024/05/09(木)\n"},
      {"own closing dates repeated",
       {"business", "--closed=2024/05/07", "next", "2024/05/02", "--closed=2024/05/08"},
       "2024/05/09(木)\n"},
      {"count, both ends included", {"business", "count", "2024/04/26", "2024/05/07"}, "5\n"},
      {"count of one day off", {"business", "count", "2024/05/03", "2024/05/03"}, "0\n"},
      {"count of one business day", {"business", "count", "2024/05/07", "2024/05/07"}, "1\n"},
      {"count with closing dates",
       {"business", "count", "2024/04/26", "2024/05/07", "--closed", "2024/05/01"},
       "4\n"},
      {"count to the last covered day", {"business", "count", "2399/12/24", "2399/12/31"}, "6\n"},
      {"English", {"--lang=en", "business", "next", "2024/05/03"}, "2024/05/07(Tue)\n"},
      {"json",
       {"business", "next", "2024/05/03", "--format=json"},
       "[\n  {\n    \"date\": \"2024-05-07\",\n    \"weekday\": \"Tue\",\n    \"name\": \"\",\n"
       "    \"name_en\": \"\",\n    \"kind\": \"weekday\",\n    \"day_off\": false,\n"
       "    \"predicted\": false,\n    \"business_day\": true\n  }\n]\n"},
      {"csv count",
       {"business", "count", "2024/04/26", "2024/05/07", "--format=csv"},
       "from,to,business_days\r\n2024-04-26,2024-05-07,5\r\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
  }
}

// Adding n business days and counting back from the next day give n again, and every answer is
// a working day by check; across the year-end and Golden Week with each option set.
TEST(Business, AddAndCountAgree) {
  const std::vector<std::vector<std::string>> kOptionSets = {
      {}, {"--bank-closing-days"}, {"--saturday-workday", "--closed=2026/05/01,2026/12/28"}};
  for (const auto& options : kOptionSets) {
    for (const char* from : {"2025/12/26", "2026/04/24"}) {
      for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(std::string(from) + " + " + std::to_string(n) +
                     (options.empty() ? "" : " " + options[0]));
        std::vector<std::string> add{"business", "add", from, std::to_string(n), "--format=json"};
        add.insert(add.end(), options.begin(), options.end());
        const auto added = RunInProcess(add);
        ASSERT_EQ(added.status, 0) << added.err;
        const std::string to = nlohmann::json::parse(added.out)[0]["date"];
        EXPECT_EQ(nlohmann::json::parse(added.out)[0]["business_day"], true);

        const auto next = RunInProcess([&] {
          std::vector<std::string> a{"business", "next", from, "--format=json"};
          a.insert(a.end(), options.begin(), options.end());
          return a;
        }());
        const std::string first = nlohmann::json::parse(next.out)[0]["date"];
        std::vector<std::string> count{"business", "count", first, to};
        count.insert(count.end(), options.begin(), options.end());
        EXPECT_EQ(RunInProcess(count).out, std::to_string(n) + "\n");

        std::vector<std::string> back{"business", "add", to, std::to_string(1 - n)};
        back.insert(back.end(), options.begin(), options.end());
        const auto returned = RunInProcess(back);
        EXPECT_EQ(returned.out.substr(0, 10),
                  first.substr(0, 4) + "/" + first.substr(5, 2) + "/" + first.substr(8, 2));
      }
    }
  }
}

}  // namespace
}  // namespace velunta::cli::testing

namespace velunta::cli::testing {
namespace {

const std::string kExampleCorp = std::string(VELUNTA_TEST_DATA) + "/example-corp.toml";

TEST(BusinessIs, StatusTellsWhetherEveryDateIsABusinessDay) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
  } kCases[] = {
      {"a Friday", {"business", "is", "2026/12/11"}, 0},
      {"a Japanese Saturday", {"business", "is", "2026/12/12"}, 1},
      {"a substitute holiday", {"business", "is", "2026/05/06"}, 1},
      {"December 31 is open", {"business", "is", "2026/12/31"}, 0},
      {"but not for banks", {"business", "is", "2026/12/31", "--bank-closing-days"}, 1},
      {"nor for government offices",
       {"business", "is", "2026/12/29", "--government-closing-days"},
       1},
      {"one closed among open", {"business", "is", "2026/12/11", "2026/12/12"}, 1},
      {"a worked Saturday", {"business", "is", "2026/11/21", "--calendar", kExampleCorp}, 0},
      {"a company's closed date", {"business", "is", "2026/05/01", "--calendar", kExampleCorp}, 1},
      {"the file and the command line add up",
       {"business", "is", "2026/12/14", "--calendar", kExampleCorp, "--closed", "2026/12/14"},
       1},
      {"bad input", {"business", "is", "2026/02/30"}, 2},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVelunta(row.args);
    EXPECT_EQ(result.status, row.status) << result.err;
    if (row.status != 2) {
      const bool open = row.status == 0;
      EXPECT_NE(result.out.find(open ? "（営業日）" : "（休業日）"), std::string::npos)
          << result.out;
    }
  }
  const auto json =
      nlohmann::json::parse(RunVelunta({"business", "is", "2026/12/12", "--format=json"}).out);
  EXPECT_EQ(json[0]["kind"], "saturday");
  EXPECT_EQ(json[0]["day_off"], false);
  EXPECT_EQ(json[0]["business_day"], false);
}

TEST(BusinessRoll, Conventions) {
  const struct {
    const char* date;
    const char* convention;
    const char* answer;
  } kCases[] = {
      {"2026/05/03", "following", "2026/05/07(木)"},
      {"2026/05/03", "preceding", "2026/05/01(金)"},
      {"2026/05/31", "modified-following", "2026/05/29(金)"},  // June would leave May
      {"2026/08/01", "modified-preceding", "2026/08/03(月)"},  // July would leave August
      {"2026/11/01", "modified-preceding", "2026/11/02(月)"},
      {"2026/05/07", "preceding", "2026/05/07(木)"},  // a business day stays
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.date) + " " + row.convention);
    const auto result = RunVelunta({"business", "roll", row.date, "--convention", row.convention});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, std::string(row.answer) + "\n");
  }
  EXPECT_EQ(RunVelunta({"business", "roll", "2026/05/03", "--convention", "nearest"}).status, 2);
}

TEST(BusinessClosed, ReasonsForEachClosedDay) {
  const auto result = RunVelunta({"business", "closed", "2026/12/26", "2027/01/04", "--calendar",
                                  kExampleCorp, "--bank-closing-days", "--format=csv"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 9U);  // the header, 12/26 .. 01/03 but Monday 12/28
  EXPECT_EQ(lines[1], "2026-12-26,Sat,,,saturday,false,false,weekend,週末\r");
  EXPECT_EQ(lines[3], "2026-12-29,Tue,,,weekday,false,false,yearly-closure,年間休業日\r");
  EXPECT_EQ(lines[5],
            "2026-12-31,Thu,,,weekday,false,false,bank-closing-day;yearly-closure,"
            "銀行休業日;年間休業日\r");
  EXPECT_EQ(lines[6],
            "2027-01-01,Fri,元日,New Year's Day,national,true,false,holiday;yearly-closure,"
            "祝日;年間休業日\r");
  // Every format, the same days.
  const auto json = nlohmann::json::parse(
      RunVelunta({"business", "closed", "2027", "--government-closing-days", "--format=json"}).out);
  const auto text =
      Lines(RunVelunta({"business", "closed", "2027", "--government-closing-days"}).out);
  EXPECT_EQ(json.size(), text.size());
  const auto ics = RunVelunta({"business", "closed", "2027-01", "--format=ics"}).out;
  EXPECT_NE(ics.find("SUMMARY:週末"), std::string::npos);
}

TEST(BusinessCalendarFile, MistakesAreRefusedWithTheFileAndLine) {
  const auto typo = std::string(VELUNTA_TEST_DATA) + "/typo.toml";
  const auto result =
      RunVelunta({"business", "count", "2026/12/28", "2027/01/05", "--calendar", typo});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(typo + ":3: unknown key 'yearly_closd'"), std::string::npos)
      << result.err;
  EXPECT_EQ(Lines(result.err).size(), 1U);
  const auto missing = RunVelunta({"business", "is", "--calendar", "/nonexistent.toml"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("/nonexistent.toml"), std::string::npos);
  // The company's file: closed over the New Year, so one business day after 12/28 is 01/04.
  EXPECT_EQ(RunVelunta({"business", "next", "2026/12/28", "--calendar", kExampleCorp}).out,
            "2027/01/04(月)\n");
}

}  // namespace
}  // namespace velunta::cli::testing
