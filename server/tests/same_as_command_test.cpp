// The server and the command answer the same question with the same bytes: each row asks one
// question of the built velunta and of the server, in-process and over loopback.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>
#include <velunta/calendar_file.h>
#include <velunta/server/handler.h>
#include <velunta/server/http_server.h>
#include <nlohmann/json.hpp>

#include "http_client.h"
#include "run_binary.h"
#include "serve_process.h"

namespace velunta::server {
namespace {

using cli::testing::RunVelunta;

const struct {
  const char* target;
  std::vector<std::string> command;
} kQuestions[] = {
    {"/v1/days/2026-05-06", {"check", "2026-05-06"}},
    {"/v1/days/2026%2F5%2F6", {"check", "2026/5/6"}},
    {"/v1/days/%E4%BB%A4%E5%92%8C8%E5%B9%B45%E6%9C%886%E6%97%A5", {"check", "令和8年5月6日"}},
    {"/v1/days/2026-05-10", {"check", "2026-05-10"}},
    {"/v1/days/2030-03-20?labels=official", {"check", "2030-03-20", "--labels=official"}},
    {"/v1/days/2019-05-01?format=csv", {"check", "2019-05-01", "--format=csv"}},
    {"/v1/days/1990-11-12?rules=classic", {"check", "1990-11-12", "--rules=classic"}},
    {"/v1/holidays?year=2026", {"list", "2026"}},
    {"/v1/holidays?year=2026&format=csv", {"list", "2026", "--format=csv"}},
    {"/v1/holidays?year=2026&format=ics&lang=en", {"list", "2026", "--format=ics", "--lang=en"}},
    {"/v1/holidays?year=2027&format=ics", {"list", "2027", "--format=ics"}},
    {"/v1/holidays?from=2026-04-29&to=2026-05-06&sundays=true",
     {"list", "2026-04-29", "2026-05-06", "--sundays"}},
    {"/v1/holidays?from=2019&to=2020&labels=official",
     {"list", "2019", "2020", "--labels=official"}},
    {"/v1/holidays?from=1948&to=2100", {"list", "1948", "2100"}},
    {"/v1/holidays?year=1989&rules=classic", {"list", "1989", "--rules=classic"}},
    {"/v1/next?date=2026-05-01&count=3", {"next", "2026-05-01", "--count", "3"}},
    {"/v1/next?date=2026-09-18&count=4&format=csv",
     {"next", "2026-09-18", "--count", "4", "--format=csv"}},
    {"/v1/previous?date=2026-05-07&count=5&sundays=true",
     {"previous", "2026-05-07", "--count", "5", "--sundays"}},
    {"/v1/previous?date=2399-12-31&count=1000", {"previous", "2399-12-31", "--count", "1000"}},
    {"/v1/equinox?year=2030", {"equinox", "2030"}},
    {"/v1/equinox?year=2026&format=csv", {"equinox", "2026", "--format=csv"}},
    {"/v1/equinox?year=2005&rules=classic", {"equinox", "2005", "--rules=classic"}},
    {"/v1/business/add?date=2026-04-30&n=3&closed=2026-05-07",
     {"business", "add", "2026-04-30", "3", "--closed", "2026-05-07"}},
    {"/v1/business/add?date=2026-05-07&n=-5", {"business", "add", "2026-05-07", "--", "-5"}},
    {"/v1/business/count?from=2026-05-01&to=2026-05-31&saturday_workday=true",
     {"business", "count", "2026-05-01", "2026-05-31", "--saturday-workday"}},
    {"/v1/business/count?from=2026-01-01&to=2026-12-31&format=csv&closed=2026-08-13,2026-08-14",
     {"business", "count", "2026-01-01", "2026-12-31", "--format=csv", "--closed",
      "2026-08-13,2026-08-14"}},
    {"/v1/business/next?date=2026-12-30&bank_closing_days=true",
     {"business", "next", "2026-12-30", "--bank-closing-days"}},
    {"/v1/business/previous?date=2027-01-04", {"business", "previous", "2027-01-04"}},
    // Every explicit form the command reads, the server reads too.
    {"/v1/days/20260506", {"check", "20260506"}},
    {"/v1/days/%EF%BC%92%EF%BC%90%EF%BC%92%EF%BC%96%E5%B9%B4%EF%BC%95%E6%9C%88%EF%BC%96%E6%97%A5",
     {"check", "２０２６年５月６日"}},
    {"/v1/holidays?year=%EF%BC%92%EF%BC%90%EF%BC%92%EF%BC%96", {"list", "２０２６"}},
    {"/v1/holidays?from=2026-04&to=2026-05", {"list", "2026-04", "2026-05"}},
    {"/v1/holidays?from=2026%2F2&to=20260506", {"list", "2026/2", "20260506"}},
    {"/v1/holidays?from=2026%E5%B9%B412%E6%9C%88&to=2027", {"list", "2026年12月", "2027"}},
    {"/v1/next?date=20261231&count=%2B2", {"next", "20261231", "--count", "+2"}},
    {"/v1/equinox?year=%EF%BC%92%EF%BC%90%EF%BC%93%EF%BC%90", {"equinox", "２０３０"}},
    {"/v1/business/is?date=20260501&closed=2026-05-01,,",
     {"business", "is", "20260501", "--closed", "2026-05-01,,"}},
    {"/v1/business/count?from=20260101&to=2026-01-31&closed=,2026-01-05",
     {"business", "count", "20260101", "2026-01-31", "--closed", ",2026-01-05"}},
    {"/v1/business/roll?date=2026-05-03&convention=modified-preceding",
     {"business", "roll", "2026-05-03", "--convention", "modified-preceding"}},
    {"/v1/business/closed?year=2026&government_closing_days=true",
     {"business", "closed", "2026", "--government-closing-days"}},
    {"/v1/business/closed?from=2026-12&to=2027-01-05&bank_closing_days=true&format=csv",
     {"business", "closed", "2026-12", "2027-01-05", "--bank-closing-days", "--format=csv"}},
    {"/v1/business/closed?year=2033&format=ics&lang=en",
     {"business", "closed", "2033", "--format=ics", "--lang=en"}},
};

std::vector<std::string> WithJson(std::vector<std::string> args) {
  for (const auto& arg : args) {
    if (arg.starts_with("--format")) return args;
  }
  // Before the command: a "--" among its words ends the options.
  args.insert(args.begin(), "--format=json");
  return args;
}

Handler MakeHandler() {
  return Handler({.version = VELUNTA_VERSION});
}

TEST(SameAsCommand, EveryQuestionInProcessAndOverLoopback) {
  const auto handler = MakeHandler();
  Server server(handler, {.port = 0, .log = [](std::string_view) {}});
  std::thread runner([&] { server.Run(); });
  for (const auto& row : kQuestions) {
    SCOPED_TRACE(row.target);
    const auto command = RunVelunta(WithJson(row.command));
    // check's status 1 says a date is no day off: an answer all the same.
    EXPECT_LE(command.status, 1) << command.err;
    const auto answer = handler.Handle({"GET", row.target, {}});
    EXPECT_EQ(answer.status, 200) << answer.body;
    EXPECT_EQ(answer.body, command.out);
    const auto reply = testing::Fetch(server.Port(), row.target);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, command.out);
  }
  server.Stop();
  runner.join();
}

// Every day of two years, the 2019 accession days and the September citizens' holidays among
// them: the command checks them all at once, the server one request a day.
TEST(SameAsCommand, EveryDayOfTwoYears) {
  using namespace std::chrono;
  const auto handler = MakeHandler();
  for (const year y : {2019y, 2026y}) {
    std::vector<std::string> args = {"check", "--format=json"};
    std::vector<std::string> dates;
    for (sys_days d{y / January / 1}; d <= sys_days{y / December / 31}; d += days{1}) {
      const year_month_day ymd{d};
      char text[16];
      std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                    static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
      dates.emplace_back(text);
      args.emplace_back(text);
    }
    const auto command = RunVelunta(args);
    ASSERT_LE(command.status, 1) << command.err;
    const auto all = nlohmann::json::parse(command.out);
    ASSERT_EQ(all.size(), dates.size());
    for (std::size_t i = 0; i < dates.size(); ++i) {
      const auto answer = handler.Handle({"GET", "/v1/days/" + dates[i], {}});
      ASSERT_EQ(answer.status, 200) << dates[i];
      const auto one = nlohmann::json::parse(answer.body);
      ASSERT_EQ(one.size(), 1U);
      EXPECT_EQ(one[0], all[i]) << dates[i];
    }
  }
}

// A question the command refuses (status 2) the server refuses with 400, and the other way round.
TEST(SameAsCommand, RefusesWhatTheCommandRefuses) {
  const struct {
    const char* target;
    std::vector<std::string> command;
  } kRefused[] = {
      {"/v1/days/2026-02-30", {"check", "2026-02-30"}},
      {"/v1/days/2400-01-01", {"check", "2400-01-01"}},
      {"/v1/holidays?year=99999", {"list", "99999"}},
      {"/v1/holidays?from=2027&to=2026", {"list", "2027", "2026"}},
      {"/v1/next?date=2026-05-01&count=0", {"next", "2026-05-01", "--count", "0"}},
      {"/v1/next?date=2399-12-20&count=3", {"next", "2399-12-20", "--count", "3"}},
      {"/v1/equinox?year=1899&rules=classic", {"equinox", "1899", "--rules=classic"}},
      {"/v1/days/2026-05-06?rules=classic&labels=official",
       {"check", "2026-05-06", "--rules=classic", "--labels=official"}},
      {"/v1/business/add?date=2399-12-30&n=5", {"business", "add", "2399-12-30", "5"}},
      {"/v1/business/count?from=2026-06-01&to=2026-05-01",
       {"business", "count", "2026-06-01", "2026-05-01"}},
      {"/v1/days/20260230", {"check", "20260230"}},
      {"/v1/holidays?from=2026-13&to=2027", {"list", "2026-13", "2027"}},
      {"/v1/holidays?year=2026.5", {"list", "2026.5"}},
      {"/v1/business/is?date=2026-05-01&closed=", {"business", "is", "2026-05-01", "--closed="}},
      {"/v1/business/add?date=2026-05-01&n=1000001", {"business", "add", "2026-05-01", "1000001"}},
  };
  const auto handler = MakeHandler();
  for (const auto& row : kRefused) {
    SCOPED_TRACE(row.target);
    EXPECT_EQ(RunVelunta(WithJson(row.command)).status, 2);
    EXPECT_EQ(handler.Handle({"GET", row.target, {}}).status, 400);
  }
}

// Two calendar files in the test's folder. The command reads one with --calendar FILE; velunta
// serve loads both with --calendar NAME=FILE and a request names one with calendar=NAME; the
// request's own parameters add to the file's choices as the command's options do.
constexpr std::string_view kTokyo = R"(# an office in Tokyo
weekend = ["saturday", "sunday"]
yearly_closed = ["12-29..01-03", "08-13..08-15"]
closed = ["2026-05-01"]
working = ["2026-11-21"]
)";
constexpr std::string_view kShop = R"(# a shop: open on holidays and Saturdays, shut on Wednesdays
weekend = ["wednesday"]
national_holidays = false
bank_closing_days = true
)";
// Line 3 is wrong: no such day.
constexpr std::string_view kBroken = "weekend = [\"sunday\"]\n\nclosed = [\"2026-02-30\"]\n";

std::string WriteCalendar(const std::string& name, std::string_view text) {
  const auto folder = std::filesystem::path(VELUNTA_TEST_OUTPUT_DIR) / "calendars";
  std::filesystem::create_directories(folder);
  const auto path = folder / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

struct CalendarFiles {
  std::string tokyo = WriteCalendar("tokyo.toml", kTokyo);
  std::string shop = WriteCalendar("shop.toml", kShop);
  std::string broken = WriteCalendar("broken.toml", kBroken);

  // Returns the arguments with {tokyo}, {shop} and {broken} replaced by the files' paths.
  std::vector<std::string> In(std::vector<std::string> args) const {
    for (auto& arg : args) {
      for (const auto& [mark, path] : {std::pair{"{tokyo}", &tokyo}, std::pair{"{shop}", &shop},
                                       std::pair{"{broken}", &broken}}) {
        if (const auto at = arg.find(mark); at != std::string::npos) {
          arg.replace(at, std::string_view(mark).size(), *path);
        }
      }
    }
    return args;
  }
};

TEST(SameAsCommand, QuestionsOfCalendarFiles) {
  const struct {
    const char* target;
    std::vector<std::string> command;
  } kCalendarQuestions[] = {
      {"/v1/business/is?date=2026-08-14&calendar=tokyo",
       {"business", "is", "2026-08-14", "--calendar", "{tokyo}"}},
      {"/v1/business/closed?from=2026-08&to=2026-08&calendar=tokyo&closed=2026-08-20",
       {"business", "closed", "2026-08", "--calendar", "{tokyo}", "--closed", "2026-08-20"}},
      {"/v1/business/is?date=2026-11-21&calendar=tokyo",
       {"business", "is", "2026-11-21", "--calendar", "{tokyo}"}},
      {"/v1/business/add?date=2026-04-28&n=3&calendar=tokyo&closed=2026-05-07",
       {"business", "add", "2026-04-28", "3", "--calendar", "{tokyo}", "--closed", "2026-05-07"}},
      {"/v1/business/add?date=2027-01-05&n=-2&calendar=tokyo",
       {"business", "add", "2027-01-05", "--calendar", "{tokyo}", "--", "-2"}},
      {"/v1/business/count?from=2026-01-01&to=2026-12-31&calendar=tokyo&saturday_workday=true&"
       "format=csv",
       {"business", "count", "2026-01-01", "2026-12-31", "--calendar", "{tokyo}",
        "--saturday-workday", "--format=csv"}},
      {"/v1/business/next?date=2026-08-12&calendar=tokyo&bank_closing_days=true",
       {"business", "next", "2026-08-12", "--calendar", "{tokyo}", "--bank-closing-days"}},
      {"/v1/business/previous?date=2027-01-04&calendar=tokyo&government_closing_days=true",
       {"business", "previous", "2027-01-04", "--calendar", "{tokyo}",
        "--government-closing-days"}},
      {"/v1/business/roll?date=2026-08-15&convention=modified-preceding&calendar=tokyo",
       {"business", "roll", "2026-08-15", "--convention", "modified-preceding", "--calendar",
        "{tokyo}"}},
      {"/v1/business/roll?date=2026-05-31&convention=modified-following&calendar=tokyo",
       {"business", "roll", "2026-05-31", "--convention", "modified-following", "--calendar",
        "{tokyo}"}},
      {"/v1/business/roll?date=2026-11-01&convention=modified-preceding",
       {"business", "roll", "2026-11-01", "--convention", "modified-preceding"}},
      {"/v1/business/count?from=2026-12-01&to=2027-01-31&calendar=shop&bank_closing_days=true&"
       "saturday_workday=true",
       {"business", "count", "2026-12-01", "2027-01-31", "--calendar", "{shop}",
        "--bank-closing-days", "--saturday-workday"}},
      {"/v1/business/next?date=2026-05-05&calendar=shop&lang=en",
       {"business", "next", "2026-05-05", "--calendar", "{shop}", "--lang=en"}},
      {"/v1/business/is?date=2026-12-30&calendar=shop&government_closing_days=true&format=csv",
       {"business", "is", "2026-12-30", "--calendar", "{shop}", "--government-closing-days",
        "--format=csv"}},
  };
  const CalendarFiles files;
  auto tokyo = ReadCalendarOptionsFile(files.tokyo);
  auto shop = ReadCalendarOptionsFile(files.shop);
  ASSERT_TRUE(tokyo.has_value() && shop.has_value());
  const Handler handler(
      {.version = VELUNTA_VERSION,
       .calendars = {{"tokyo", std::move(tokyo).value()}, {"shop", std::move(shop).value()}}});
  testing::ServeProcess serve(
      files.In({"--calendar", "tokyo={tokyo}", "--calendar", "shop={shop}"}));
  ASSERT_NE(serve.Port(), 0) << "velunta serve --calendar did not start";
  for (const auto& row : kCalendarQuestions) {
    SCOPED_TRACE(row.target);
    const auto command = RunVelunta(WithJson(files.In(row.command)));
    // business is says a closed day with status 1: an answer all the same.
    ASSERT_LE(command.status, 1) << command.err;
    const auto answer = handler.Handle({"GET", row.target, {}});
    EXPECT_EQ(answer.status, 200) << answer.body;
    EXPECT_EQ(answer.body, command.out);
    const auto reply = testing::Fetch(serve.Port(), row.target);
    EXPECT_EQ(reply.status, 200) << reply.body;
    EXPECT_EQ(reply.body, command.out);
  }
}

// A bad --calendar refuses the start: status 2 and one line on stderr naming what is wrong, the
// file and its line where the file is at fault.
TEST(SameAsCommand, ServeRefusesABadCalendarAtStart) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* named;
  } kRefused[] = {
      {"no =", {"--calendar", "{tokyo}"}, "no '=' in"},
      {"empty name", {"--calendar", "={tokyo}"}, "bad calendar name ''"},
      {"name with a space", {"--calendar", "to kyo={tokyo}"}, "bad calendar name 'to kyo'"},
      {"name with a slash", {"--calendar", "a/b={tokyo}"}, "bad calendar name 'a/b'"},
      {"no file", {"--calendar", "tokyo="}, "no file in 'tokyo='"},
      {"name twice",
       {"--calendar", "tokyo={tokyo}", "--calendar", "tokyo={shop}"},
       "calendar name given twice: 'tokyo'"},
      {"missing file", {"--calendar", "x={tokyo}.missing"}, "tokyo.toml.missing: "},
      {"bad file",
       {"--calendar", "tokyo={tokyo}", "--calendar", "x={broken}"},
       "broken.toml:3: bad date '2026-02-30'"},
  };
  const CalendarFiles files;
  for (const auto& row : kRefused) {
    SCOPED_TRACE(row.name);
    auto args = files.In(row.args);
    args.insert(args.begin(), {"serve", "--port", "0"});
    const auto outcome = RunVelunta(args);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.out.empty());
    const auto lines = cli::testing::Lines(outcome.err);
    ASSERT_EQ(lines.size(), 1U) << outcome.err;
    EXPECT_TRUE(lines[0].starts_with("velunta: ")) << lines[0];
    EXPECT_NE(lines[0].find(row.named), std::string::npos) << lines[0];
  }
}

}  // namespace
}  // namespace velunta::server
