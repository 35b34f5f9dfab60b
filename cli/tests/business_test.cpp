// velunta business: add, count, next and previous with the closing-day options.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_binary.h"

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
        const auto added = RunVelunta(add);
        ASSERT_EQ(added.status, 0) << added.err;
        const std::string to = nlohmann::json::parse(added.out)[0]["date"];
        EXPECT_EQ(nlohmann::json::parse(added.out)[0]["business_day"], true);

        const auto next = RunVelunta([&] {
          std::vector<std::string> a{"business", "next", from, "--format=json"};
          a.insert(a.end(), options.begin(), options.end());
          return a;
        }());
        const std::string first = nlohmann::json::parse(next.out)[0]["date"];
        std::vector<std::string> count{"business", "count", first, to};
        count.insert(count.end(), options.begin(), options.end());
        EXPECT_EQ(RunVelunta(count).out, std::to_string(n) + "\n");

        std::vector<std::string> back{"business", "add", to, std::to_string(1 - n)};
        back.insert(back.end(), options.begin(), options.end());
        const auto returned = RunVelunta(back);
        EXPECT_EQ(returned.out.substr(0, 10),
                  first.substr(0, 4) + "/" + first.substr(5, 2) + "/" + first.substr(8, 2));
      }
    }
  }
}

}  // namespace
}  // namespace velunta::cli::testing
