// The handler called directly: bad requests, the feed's validators and the OpenAPI document.

#include <libical/ical.h>

#include <algorithm>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>
#include <nlohmann/json.hpp>

#include "law_dated_for.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// With one calendar loaded, as `velunta serve --calendar tokyo=FILE` gives it.
Handler At(sys_seconds now) {
  BusinessCalendarOptions tokyo;
  tokyo.yearlyClosed = {{December / 29, January / 3}};
  return Handler({.now = [now] { return now; },
                  .version = "9.9.9",
                  .calendars = {{"tokyo", tokyo}, {"osaka.branch", {}}}});
}

const Handler& Today() {
  static const Handler handler = At(sys_days{2026y / May / 6} + hours{3});
  return handler;
}

TEST(BadRequests, EachGetsItsStatusAndNamesWhatIsAccepted) {
  const struct {
    const char* name;
    const char* method;
    std::string target;
    int status;
    const char* named;  // in the error: the parameter and what is accepted
  } kCases[] = {
      {"impossible date", "GET", "/v1/days/2026-02-30", 400, "accepted: a real date"},
      {"date out of range", "GET", "/v1/days/1599-12-31", 400, "1600-01-01 to 2399-12-31"},
      {"year out of range", "GET", "/v1/holidays?year=2400", 400,
       "for year: '2400'; accepted: 1600"},
      {"year not a number", "GET", "/v1/holidays?year=20x6", 400, "not a year for year"},
      {"huge count", "GET", "/v1/next?count=99999999999999999999999", 400,
       "for count: '99999999999999999999999'; accepted: 1 to 1000"},
      {"count zero", "GET", "/v1/next?count=0", 400, "accepted: 1 to 1000"},
      {"huge n", "GET", "/v1/business/add?date=2026-05-01&n=-99999999999", 400, "for n:"},
      {"unknown parameter", "GET", "/v1/holidays?year=2026&yaer=2027", 400,
       "unknown parameter: 'yaer'; accepted: year, from, to"},
      {"parameter twice", "GET", "/v1/holidays?year=2026&year=2027", 400, "given twice: 'year'"},
      {"invalid UTF-8", "GET", "/v1/days/%FF%FE", 400, "not UTF-8"},
      {"invalid UTF-8 in query", "GET", "/v1/next?date=%C3%28", 400, "not UTF-8"},
      {"broken escape", "GET", "/v1/next?date=%G1", 400, "percent escape"},
      {"control character", "GET", "/v1/next?date=%0A2026", 400, "control character"},
      {"unknown language", "GET", "/v1/holidays?year=2026&lang=fr", 400, "accepted: ja, en"},
      {"ics for one day", "GET", "/v1/days/2026-05-06?format=ics", 400, "accepted: json, csv"},
      {"classic with official labels", "GET", "/v1/days/2026-05-06?rules=classic&labels=official",
       400, "labels=official"},
      {"year and range", "GET", "/v1/holidays?year=2026&from=2026", 400, "year=YEAR or from"},
      {"half a range", "GET", "/v1/holidays?from=2026-04", 400, "missing parameter: to"},
      {"missing date", "GET", "/v1/business/is", 400, "missing parameter: date"},
      {"bad closed date", "GET", "/v1/business/is?date=2026-05-01&closed=2026-05-02,x", 400,
       "for closed: 'x'"},
      {"unknown convention", "GET", "/v1/business/roll?date=2026-05-03&convention=nearest", 400,
       "following, preceding, modified-following, modified-preceding"},
      {"unknown calendar", "GET", "/v1/business/is?date=2026-05-01&calendar=acme", 400,
       "unknown value for calendar: 'acme'; accepted: tokyo, osaka.branch"},
      {"empty calendar name", "GET", "/v1/business/count?from=2026-05-01&to=2026-05-02&calendar=",
       400, "unknown value for calendar: ''; accepted: tokyo"},
      {"calendar name in another case", "GET", "/v1/business/next?date=2026-05-01&calendar=Tokyo",
       400, "for calendar: 'Tokyo'"},
      {"calendar twice", "GET",
       "/v1/business/is?date=2026-05-01&calendar=tokyo&calendar=osaka.branch", 400,
       "given twice: 'calendar'"},
      {"bad closed date on a calendar", "GET",
       "/v1/business/add?date=2026-05-01&n=1&calendar=tokyo&closed=2026-02-30", 400,
       "for closed: '2026-02-30'"},
      {"empty closed list", "GET", "/v1/business/is?date=2026-05-01&closed=", 400,
       "for closed: ''"},
      {"government closing days not a flag", "GET",
       "/v1/business/is?date=2026-05-01&government_closing_days=yes", 400,
       "for government_closing_days: 'yes'; accepted: true, false"},
      {"result out of range on a calendar", "GET",
       "/v1/business/add?date=2399-12-28&n=3&calendar=tokyo", 400, "result out of range"},
      {"government_closing_days on a day question", "GET",
       "/v1/days/2026-05-01?government_closing_days=true", 400,
       "unknown parameter: 'government_closing_days'"},
      {"flag not true or false", "GET", "/v1/holidays?year=2026&sundays=yes", 400,
       "accepted: true, false"},
      {"parameter of the feed", "GET", "/calendar.ics?year=2026", 400, "accepted: none"},
      {"unknown path", "GET", "/v2/days/2026-05-06", 404, "unknown path"},
      {"unknown business request", "GET", "/v1/business/open?date=2026-05-01", 404,
       "unknown path: '/v1/business/open'"},
      {"a 10 KB path", "GET", "/" + std::string(10 * 1024, 'a'), 404, "unknown path: '/aaa"},
      {"not a path", "GET", "v1/days/2026-05-06", 400, "starting with /"},
      {"POST", "POST", "/v1/days/2026-05-06", 405, "accepted: GET, HEAD"},
      {"DELETE of an unknown path", "DELETE", "/nowhere", 404, "unknown path"},
      {"method with a line break", "GE\r\nT", "/healthz", 405, "'GE\\r\\nT'"},
      {"method not UTF-8", "G\xff\xe2\x80", "/healthz", 405, "'G\\xff\\xe2\\x80'"},
      {"method with a line separator", "G\u2028T", "/healthz", 405, "'G\\xe2\\x80\\xa8T'"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto answer = Today().Handle({row.method, row.target, {}});
    EXPECT_EQ(answer.status, row.status);
    ASSERT_NE(answer.Header("Content-Type"), nullptr);
    EXPECT_EQ(*answer.Header("Content-Type"), "application/json; charset=utf-8");
    const auto body = nlohmann::json::parse(answer.body);
    ASSERT_TRUE(body.contains("error"));
    const auto error = body["error"].get<std::string>();
    EXPECT_NE(error.find(row.named), std::string::npos) << error;
    if (row.status == 405) {
      EXPECT_NE(answer.Header("Allow"), nullptr);
    }
    EXPECT_NE(answer.Header("Access-Control-Allow-Origin"), nullptr);
  }
}

// Every bad request's neighbours in the byte space answer too: no 500 on any one-byte change of
// a valid target.
TEST(BadRequests, NoByteOfATargetMakesAFault) {
  const std::string valid = "/v1/holidays?from=2026-04-29&to=2026-05-06&lang=en";
  for (std::size_t i = 0; i < valid.size(); ++i) {
    for (int byte = 0; byte < 256; ++byte) {
      std::string target = valid;
      target[i] = static_cast<char>(byte);
      const auto status = Today().Handle({"GET", target, {}}).status;
      ASSERT_TRUE(status == 200 || (status >= 400 && status < 500)) << i << " " << byte;
    }
  }
}

std::string Feed(const Handler& handler, const char* path = "/calendar.ics",
                 std::vector<std::pair<std::string, std::string>> headers = {},
                 int* status = nullptr, Response* whole = nullptr) {
  auto answer = handler.Handle({"GET", path, std::move(headers)});
  if (status) *status = answer.status;
  if (whole) *whole = answer;
  return answer.body;
}

TEST(Feed, CoversLastYearToTwoYearsAheadInJapansTime) {
  const struct {
    const char* name;
    sys_seconds now;
    const char* first;  // the first and the last event
    const char* last;
  } kCases[] = {
      {"in May", sys_days{2026y / May / 6}, "DTSTART;VALUE=DATE:20250101", "20281123"},
      // 15:00 UTC on December 31 is already New Year's Day in Japan.
      {"New Year in Japan", sys_days{2026y / December / 31} + hours{15},
       "DTSTART;VALUE=DATE:20260101", "20291123"},
      {"still December", sys_days{2026y / December / 31} + hours{14} + minutes{59},
       "DTSTART;VALUE=DATE:20250101", "20281123"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto body = Feed(At(row.now));
    const auto firstEvent = body.find("DTSTART");
    EXPECT_EQ(body.compare(firstEvent, std::strlen(row.first), row.first), 0);
    const auto lastEvent = body.rfind("DTSTART;VALUE=DATE:");
    EXPECT_EQ(body.substr(lastEvent + 19, 8), row.last);
    for (const char* line :
         {"X-WR-CALNAME:日本の祝日\r\n", "REFRESH-INTERVAL;VALUE=DURATION:P1D\r\n",
          "X-PUBLISHED-TTL:P1D\r\n", "UID:20260506-substitute-holiday@velunta\r\n"}) {
      EXPECT_NE(body.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(body.find("CATEGORIES:sunday"), std::string::npos);
  }
  EXPECT_NE(Feed(Today(), "/calendar.en.ics").find("X-WR-CALNAME:Holidays in Japan\r\n"),
            std::string::npos);
  // Predicted equinox days are marked tentative.
  EXPECT_NE(Feed(Today()).find("STATUS:TENTATIVE"), std::string::npos);
}

TEST(Feed, LibicalReadsEveryEvent) {
  for (const char* path : {"/calendar.ics", "/calendar.en.ics"}) {
    SCOPED_TRACE(path);
    const auto body = Feed(Today(), path);
    icalcomponent* calendar = icalparser_parse_string(body.c_str());
    ASSERT_NE(calendar, nullptr);
    std::size_t events = 0;
    std::size_t errors = 0;
    for (auto* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
      ++events;
      errors += static_cast<std::size_t>(icalcomponent_count_errors(event));
      EXPECT_NE(icalcomponent_get_uid(event), nullptr);
    }
    icalcomponent_free(calendar);
    std::size_t expected = 0;
    for (auto at = body.find("BEGIN:VEVENT"); at != std::string::npos;
         at = body.find("BEGIN:VEVENT", at + 1)) {
      ++expected;
    }
    EXPECT_GT(events, 50U);  // three years of holidays
    EXPECT_EQ(events, expected);
    EXPECT_EQ(errors, 0U);
  }
}

TEST(Feed, ValidatorsAnswerNotModified) {
  // A handler of its own, made under the data it answers by (as a reload makes one).
  const LawDatedFor data("2026-02-02");
  const Handler handler = At(sys_days{2026y / May / 6} + hours{3});
  Response first;
  Feed(handler, "/calendar.ics", {}, nullptr, &first);
  ASSERT_EQ(first.status, 200);
  const std::string tag = *first.Header("ETag");
  const std::string modified = *first.Header("Last-Modified");
  // The data's version (2026-02-02 in Japan) is later than New Year 2026.
  EXPECT_EQ(modified, "Sun, 01 Feb 2026 15:00:00 GMT");
  EXPECT_NE(first.Header("Cache-Control"), nullptr);
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> headers;
    int status;
  } kCases[] = {
      {"same tag", {{"if-none-match", tag}}, 304},
      {"weak tag among others", {{"if-none-match", "\"x\", W/" + tag}}, 304},
      {"any tag", {{"if-none-match", "*"}}, 304},
      {"other tag", {{"if-none-match", "\"0123\""}}, 200},
      // A tag that does not match wins over a date that would.
      {"other tag, same date",
       {{"if-none-match", "\"0123\""}, {"if-modified-since", modified}},
       200},
      {"same date", {{"if-modified-since", modified}}, 304},
      {"later date", {{"if-modified-since", "Mon, 02 Feb 2026 00:00:00 GMT"}}, 304},
      {"earlier date", {{"if-modified-since", "Sun, 01 Feb 2026 14:59:59 GMT"}}, 200},
      {"not a date", {{"if-modified-since", "yesterday"}}, 200},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    int status = 0;
    Response answer;
    const auto body = Feed(handler, "/calendar.ics", row.headers, &status, &answer);
    EXPECT_EQ(status, row.status);
    EXPECT_EQ(body.empty(), row.status == 304);
    EXPECT_EQ(*answer.Header("ETag"), tag);
  }
  // Another language or another year is another entity.
  Response english;
  Feed(handler, "/calendar.en.ics", {}, nullptr, &english);
  EXPECT_NE(*english.Header("ETag"), tag);
  Response nextYear;
  Feed(At(sys_days{2027y / May / 6}), "/calendar.ics", {}, nullptr, &nextYear);
  EXPECT_NE(*nextYear.Header("ETag"), tag);
  EXPECT_EQ(*nextYear.Header("Last-Modified"), "Thu, 31 Dec 2026 15:00:00 GMT");
}

// Every route answers, and every route is in the document: a new endpoint cannot be left out.
TEST(OpenApi, DescribesEveryEndpoint) {
  const auto answer = Today().Handle({"GET", "/openapi.json", {}});
  ASSERT_EQ(answer.status, 200);
  const auto document = nlohmann::json::parse(answer.body);
  EXPECT_EQ(document["openapi"], "3.1.0");
  const struct {
    const char* documented;
    const char* example;
  } kEndpoints[] = {
      {"/v1/days/{date}", "/v1/days/2026-05-06"},
      {"/v1/holidays", "/v1/holidays?year=2026"},
      {"/v1/next", "/v1/next"},
      {"/v1/previous", "/v1/previous"},
      {"/v1/equinox", "/v1/equinox?year=2030"},
      {"/v1/business/is", "/v1/business/is?date=2026-05-06"},
      {"/v1/business/add", "/v1/business/add?date=2026-05-06&n=2"},
      {"/v1/business/count", "/v1/business/count?from=2026-05-01&to=2026-05-31"},
      {"/v1/business/next", "/v1/business/next?date=2026-05-06"},
      {"/v1/business/previous", "/v1/business/previous?date=2026-05-06"},
      {"/v1/business/roll",
       "/v1/business/roll?date=2026-05-06&convention=modified-preceding&calendar=tokyo&"
       "government_closing_days=true&saturday_workday=true&bank_closing_days=true&"
       "closed=2026-05-07"},
      {"/v1/business/closed", "/v1/business/closed?year=2026&calendar=tokyo"},
      {"/calendar.ics", "/calendar.ics"},
      {"/calendar.en.ics", "/calendar.en.ics"},
      {"/", "/?year=2026"},
      {"/healthz", "/healthz"},
      {"/openapi.json", "/openapi.json"},
  };
  EXPECT_EQ(document["paths"].size(), std::size(kEndpoints));
  // The calendar parameter lists the names loaded at start.
  const auto& parameters = document["paths"]["/v1/business/is"]["get"]["parameters"];
  const auto calendar = std::find_if(parameters.begin(), parameters.end(),
                                     [](const auto& param) { return param["name"] == "calendar"; });
  ASSERT_NE(calendar, parameters.end());
  EXPECT_EQ((*calendar)["schema"]["enum"], nlohmann::json::array({"tokyo", "osaka.branch"}));
  for (const auto& row : kEndpoints) {
    SCOPED_TRACE(row.documented);
    ASSERT_TRUE(document["paths"].contains(row.documented));
    const auto& get = document["paths"][row.documented]["get"];
    EXPECT_TRUE(get["responses"].contains("200"));
    // Each parameter the example uses is documented.
    const auto answered = Today().Handle({"GET", row.example, {}});
    EXPECT_EQ(answered.status, 200) << answered.body;
    std::string query = row.example;
    const auto question = query.find('?');
    query = question == std::string::npos ? "" : query.substr(question + 1);
    while (!query.empty()) {
      const auto name = query.substr(0, query.find('='));
      bool documented = false;
      for (const auto& param : get["parameters"]) documented = documented || param["name"] == name;
      EXPECT_TRUE(documented) << name;
      const auto amp = query.find('&');
      query = amp == std::string::npos ? "" : query.substr(amp + 1);
    }
  }
}

}  // namespace
}  // namespace velunta::server
