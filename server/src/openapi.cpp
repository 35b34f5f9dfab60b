// GET /openapi.json: every endpoint, its parameters and its answers, as OpenAPI 3.1.

#include <nlohmann/json.hpp>

#include "answers.h"
#include "business_calendars.h"

namespace velunta::server {
namespace {

using nlohmann::json;

json Param(std::string_view name, std::string_view in, std::string_view description,
           json schema = {{"type", "string"}}) {
  return {{"name", name},
          {"in", in},
          {"required", in == "path"},
          {"description", description},
          {"schema", std::move(schema)}};
}

json Enum(std::initializer_list<std::string_view> words) {
  json values = json::array();
  for (const auto word : words) values.push_back(word);
  return {{"type", "string"}, {"enum", values}};
}

json Shared(bool listOfDays) {
  json params = json::array({
      Param("rules", "query",
            "law (default): the days off Japan observes; classic: the module's "
            "fixed table",
            Enum({"law", "classic"})),
      Param("labels", "query", "law (default) or official: the Cabinet Office's labels",
            Enum({"law", "official"})),
      Param("lang", "query", "ja (default) or en: names in iCalendar", Enum({"ja", "en"})),
  });
  params.push_back(Param("format", "query",
                         "json (default), csv" + std::string(listOfDays ? ", ics" : ""),
                         listOfDays ? Enum({"json", "csv", "ics"}) : Enum({"json", "csv"})));
  return params;
}

// The business parameters; calendar=NAME lists the names this server loaded.
json Business(const std::vector<std::string_view>& names) {
  json calendar = {{"type", "string"}};
  if (!names.empty()) calendar["enum"] = names;
  return json::array({
      Param("saturday_workday", "query", "count Saturdays as business days",
            Enum({"true", "false"})),
      Param("bank_closing_days", "query", "close on December 31, January 2 and 3 too",
            Enum({"true", "false"})),
      Param("government_closing_days", "query",
            "close from December 29 to January 3 too (行政機関の休日)", Enum({"true", "false"})),
      Param("closed", "query", "own closing dates, comma-separated"),
      Param("calendar", "query",
            "a calendar file loaded at start (velunta serve --calendar NAME=FILE); the "
            "parameters above add to its choices",
            std::move(calendar)),
      Param("lang", "query", "ja (default) or en", Enum({"ja", "en"})),
      Param("format", "query", "json (default) or csv", Enum({"json", "csv"})),
  });
}

json Answers(std::initializer_list<std::string_view> types) {
  json content = json::object();
  for (const auto type : types) content[std::string(type)] = json::object();
  json error = {{"description", "a bad value or an unknown parameter"},
                {"content",
                 {{"application/json",
                   {{"schema",
                     {{"type", "object"},
                      {"properties", {{"error", {{"type", "string"}}}}},
                      {"required", {"error"}}}}}}}}};
  return {{"200", {{"description", "the answer"}, {"content", content}}},
          {"400", error},
          {"404", {{"description", "unknown path"}}},
          {"405", {{"description", "a method other than GET or HEAD"}}}};
}

json Get(std::string_view summary, json params, json answers) {
  return {{"get",
           {{"summary", summary},
            {"parameters", std::move(params)},
            {"responses", std::move(answers)}}}};
}

json With(json params, std::initializer_list<json> more) {
  for (const auto& param : more) params.push_back(param);
  return params;
}

std::string Document(const std::string& version, const BusinessCalendars& calendars) {
  const json business = Business(calendars.NameList());
  const std::initializer_list<std::string_view> dayTypes = {"application/json", "text/csv"};
  const std::initializer_list<std::string_view> listTypes = {"application/json", "text/csv",
                                                             "text/calendar"};
  const json date =
      Param("date", "query", "a date: 2026-05-06, 2026/5/6, 2026年5月6日, 令和8年5月6日");
  const json count = Param("count", "query", "how many days off, 1 to 1000 (default 1)",
                           {{"type", "integer"}, {"minimum", 1}, {"maximum", 1000}});
  const json sundays =
      Param("sundays", "query", "count the Sundays with no holiday too", Enum({"true", "false"}));
  json paths = json::object();
  paths["/v1/days/{date}"] =
      Get("One day's record: holiday kind and names, day off, predicted",
          With(Shared(false), {Param("date", "path", "a date")}), Answers(dayTypes));
  paths["/v1/holidays"] =
      Get("The days off of a year or of a range",
          With(Shared(true), {Param("year", "query", "a year", {{"type", "integer"}}),
                              Param("from", "query", "a date or a year"),
                              Param("to", "query", "a date or a year"), sundays}),
          Answers(listTypes));
  paths["/v1/next"] = Get("The next days off after a date (today in Japan by default)",
                          With(Shared(true), {date, count, sundays}), Answers(listTypes));
  paths["/v1/previous"] = Get("The last days off before a date (today in Japan by default)",
                              With(Shared(true), {date, count, sundays}), Answers(listTypes));
  paths["/v1/equinox"] =
      Get("The vernal and autumnal equinox of a year",
          With(Shared(false), {Param("year", "query", "a year", {{"type", "integer"}})}),
          Answers(dayTypes));
  const json n =
      Param("n", "query", "business days to add; negative counts back", {{"type", "integer"}});
  const json from = Param("from", "query", "first date, included");
  const json to = Param("to", "query", "last date, included");
  const json convention =
      Param("convention", "query", "how to roll a closed day (default following)",
            Enum({"following", "preceding", "modified-following", "modified-preceding"}));
  paths["/v1/business/is"] =
      Get("Whether a date is a business day", With(business, {date}), Answers(dayTypes));
  paths["/v1/business/add"] =
      Get("The date n business days after a date", With(business, {date, n}), Answers(dayTypes));
  paths["/v1/business/count"] = Get("Business days from one date to another, both included",
                                    With(business, {from, to}), Answers(dayTypes));
  paths["/v1/business/next"] =
      Get("The first business day after a date", With(business, {date}), Answers(dayTypes));
  paths["/v1/business/previous"] =
      Get("The last business day before a date", With(business, {date}), Answers(dayTypes));
  paths["/v1/business/roll"] = Get("A date moved onto a business day",
                                   With(business, {date, convention}), Answers(dayTypes));
  const json conditional = {
      {"200", {{"description", "the feed"}, {"content", {{"text/calendar", json::object()}}}}},
      {"304", {{"description", "not modified (If-None-Match or If-Modified-Since)"}}}};
  paths["/calendar.ics"] =
      Get("Days off from last year to two years ahead, in Japanese", json::array(), conditional);
  paths["/calendar.en.ics"] = Get("The same feed in English", json::array(), conditional);
  paths["/"] =
      Get("A year's page: twelve months with the days off",
          json::array({Param("year", "query", "a year", {{"type", "integer"}}),
                       Param("date", "query", "a date to check")}),
          {{"200", {{"description", "HTML"}, {"content", {{"text/html", json::object()}}}}}});
  paths["/healthz"] =
      Get("Whether the server answers", json::array(), Answers({"application/json"}));
  paths["/openapi.json"] = Get("This document", json::array(), Answers({"application/json"}));
  const json document = {{"openapi", "3.1.0"},
                         {"info",
                          {{"title", "Velunta"},
                           {"version", version},
                           {"description", "Japan's national holidays and days off"}}},
                         {"paths", paths}};
  return document.dump(2) + "\n";
}

}  // namespace

Response OpenApi(const Context& context) {
  const Parameters params(context.query, {});
  Response response;
  response.Set("Content-Type", "application/json; charset=utf-8");
  response.body = Document(context.version, context.calendars);
  return response;
}

}  // namespace velunta::server
