// GET /openapi.json: OpenAPI 3.1 written from the route table, so every path, parameter, word of
// a choice and limit in it is the one the server checks.

#include <velunta/records/closed_day_writer.h>
#include <velunta/records/day_writer.h>
#include <velunta/records/equinox_record.h>
#include <nlohmann/json.hpp>

#include "answers.h"
#include "business_calendars.h"
#include "routes.h"

namespace velunta::server {
namespace {

using nlohmann::json;

json Words(std::span<const std::string_view> words) {
  json values = json::array();
  for (const auto word : words) values.push_back(word);
  return values;
}

json Schema(const Param& param, const BusinessCalendars& calendars) {
  switch (param.kind) {
    case ParamKind::year:
      return {{"type", "integer"},
              {"minimum", static_cast<int>(kFirstYear)},
              {"maximum", static_cast<int>(kLastYear)}};
    case ParamKind::count:
      return {{"type", "integer"}, {"minimum", param.lowest}, {"maximum", param.highest}};
    case ParamKind::flag:
      return {{"type", "boolean"}, {"default", false}};
    case ParamKind::choice:
      return {{"type", "string"}, {"enum", Words(param.words)}, {"default", param.words.front()}};
    case ParamKind::calendar: {
      json names = json::array();
      for (const auto name : calendars.NameList()) names.push_back(name);
      // A server started without --calendar takes no name: an empty enum is no schema.
      if (names.empty()) return {{"type", "string"}, {"not", json::object()}};
      return {{"type", "string"}, {"enum", names}};
    }
    case ParamKind::date:
    case ParamKind::rangeEnd:
    case ParamKind::dateList:
      break;
  }
  return {{"type", "string"}};
}

json Parameter(const Param& param, const BusinessCalendars& calendars) {
  json entry = {{"name", param.name},
                {"in", param.inPath ? "path" : "query"},
                {"required", param.required},
                {"description", param.description},
                {"schema", Schema(param, calendars)}};
  const auto names = calendars.NameList();
  if (param.kind == ParamKind::calendar) {
    if (!names.empty()) entry["example"] = names.front();
  } else if (param.kind == ParamKind::year || param.kind == ParamKind::count) {
    entry["example"] = std::stoi(std::string(param.example));
  } else if (param.kind == ParamKind::flag) {
    entry["example"] = param.example == "true";
  } else {
    entry["example"] = param.example;
  }
  return entry;
}

// The schema of a record a list of days holds: one property a column of the writers.
json RecordSchema(std::span<const std::string_view> columns) {
  const json types = {{"date", {{"type", "string"}, {"format", "date"}}},
                      {"weekday", {{"type", "string"}}},
                      {"name", {{"type", "string"}}},
                      {"name_en", {{"type", "string"}}},
                      {"kind", {{"type", "string"}}},
                      {"day_off", {{"type", "boolean"}}},
                      {"predicted", {{"type", "boolean"}}},
                      {"business_day", {{"type", {"boolean", "null"}}}},
                      // JSON lists the reasons; CSV joins them in one field.
                      {"reasons", {{"type", "array"}, {"items", {{"type", "string"}}}}},
                      {"reasons_ja", {{"type", "array"}, {"items", {{"type", "string"}}}}}};
  json properties = json::object();
  json required = json::array();
  for (const auto column : columns) {
    const std::string name(column);
    properties[name] = types.contains(name) ? types[name] : json{{"type", "string"}};
    required.push_back(name);
  }
  return {{"type", "object"}, {"properties", properties}, {"required", required}};
}

json TableSchema(std::span<const std::string_view> columns) {
  json properties = json::object();
  for (const auto column : columns) properties[std::string(column)] = json::object();
  return {{"type", "array"}, {"items", {{"type", "object"}, {"properties", properties}}}};
}

// The answer's content types: JSON with its schema, the others (CSV, iCalendar) as text.
json Content(std::initializer_list<std::string_view> types, const json& schema) {
  json content = json::object();
  for (const auto type : types) content[std::string(type)] = {{"schema", {{"type", "string"}}}};
  content["application/json"] = {{"schema", schema}};
  return content;
}

json Responses(Answers answers) {
  const json error = {{"description", "a bad value, a missing or an unknown parameter"},
                      {"content",
                       {{"application/json",
                         {{"schema",
                           {{"type", "object"},
                            {"properties", {{"error", {{"type", "string"}}}}},
                            {"required", {"error"}}}}}}}}};
  const json days = {{"type", "array"}, {"items", RecordSchema(records::DayColumns())}};
  json ok;
  switch (answers) {
    case Answers::day:
      ok = {{"description", "the day's record"},
            {"content", Content({"application/json", "text/csv"}, days)}};
      break;
    case Answers::days:
      ok = {{"description", "the days' records, in date order"},
            {"content", Content({"application/json", "text/csv", "text/calendar"}, days)}};
      break;
    case Answers::closedDays:
      ok = {{"description", "the closed days, in date order, with every reason each is closed"},
            {"content",
             Content({"application/json", "text/csv", "text/calendar"},
                     {{"type", "array"}, {"items", RecordSchema(records::ClosedDayColumns())}})}};
      break;
    case Answers::equinoxes:
      ok = {{"description", "the vernal and the autumnal equinox"},
            {"content",
             Content({"application/json", "text/csv"}, TableSchema(records::EquinoxColumns()))}};
      break;
    case Answers::count: {
      constexpr std::string_view kColumns[] = {"from", "to", "business_days"};
      ok = {{"description", "the business days counted"},
            {"content", Content({"application/json", "text/csv"}, TableSchema(kColumns))}};
      break;
    }
    case Answers::feed:
      return {{"200",
               {{"description", "the feed"},
                {"content", {{"text/calendar", {{"schema", {{"type", "string"}}}}}}}}},
              {"304", {{"description", "not modified (If-None-Match or If-Modified-Since)"}}},
              {"400", error}};
    case Answers::page:
      ok = {{"description", "the page"},
            {"content", {{"text/html", {{"schema", {{"type", "string"}}}}}}}};
      break;
    case Answers::health:
      ok = {{"description", "the server answers"},
            {"content",
             {{"application/json",
               {{"schema",
                 {{"type", "object"}, {"properties", {{"status", {{"type", "string"}}}}}}}}}}}};
      break;
    case Answers::document:
      ok = {{"description", "this document"},
            {"content", {{"application/json", {{"schema", {{"type", "object"}}}}}}}};
      break;
  }
  return {{"200", ok},
          {"400", error},
          {"404", {{"description", "unknown path"}}},
          {"405", {{"description", "a method other than GET or HEAD"}}}};
}

std::string Document(const std::string& version, const BusinessCalendars& calendars,
                     std::string_view publicUrl) {
  json paths = json::object();
  for (const auto& route : Routes()) {
    json params = json::array();
    for (const auto& param : route.params) params.push_back(Parameter(param, calendars));
    paths[std::string(route.path)] = {{"get",
                                       {{"operationId", route.operationId},
                                        {"summary", route.summary},
                                        {"parameters", params},
                                        {"responses", Responses(route.answers)}}}};
  }
  const json document = {{"openapi", "3.1.0"},
                         {"info",
                          {{"title", "Velunta"},
                           {"version", version},
                           {"description", "Japan's national holidays and days off"}}},
                         // The address given with --public-url; without it the paths are
                         // relative to wherever this document was fetched from.
                         {"servers", {{{"url", publicUrl.empty() ? "/" : publicUrl}}}},
                         // Public data: no operation asks for credentials.
                         {"security", json::array()},
                         {"paths", paths}};
  return document.dump(2) + "\n";
}

}  // namespace

Response OpenApi(const Context& context) {
  context.Params();  // none are taken: any is refused
  Response response;
  response.Set("Content-Type", "application/json; charset=utf-8");
  response.body = Document(context.version, context.calendars, context.publicUrl);
  return response;
}

}  // namespace velunta::server
