// /openapi.json walked both ways against the handler: every operation answers with its required
// parameters and refuses each one's absence; every documented parameter, and every word of
// every choice, is accepted; and a parameter the document does not list is refused, naming
// exactly the documented ones.

#include <cctype>
#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>
#include <nlohmann/json.hpp>

namespace velunta::server {
namespace {

using nlohmann::json;

const Handler& WithACalendar() {
  static const Handler handler({.version = "9.9.9", .calendars = {{"tokyo", {}}}});
  return handler;
}

json Document() {
  const auto answer = WithACalendar().Handle({"GET", "/openapi.json", {}});
  EXPECT_EQ(answer.status, 200);
  return json::parse(answer.body);
}

// Returns a value as a query writes it: true for a boolean, 2026 for a number.
std::string AsQuery(const json& value) {
  if (value.is_string()) return value.get<std::string>();
  return value.dump();
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '-' || c == '.' || c == '_') {
      out += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned>(byte));
      out += hex;
    }
  }
  return out;
}

// A request of an operation: its path with the path parameters' examples, then `query`.
struct Call {
  std::string path;
  std::vector<std::pair<std::string, std::string>> query;

  std::string Target() const {
    std::string target = path;
    for (std::size_t i = 0; i < query.size(); ++i) {
      target += (i == 0 ? "?" : "&") + query[i].first + "=" + Escaped(query[i].second);
    }
    return target;
  }
  Call With(const std::string& name, const std::string& value) const {
    Call more = *this;
    std::erase_if(more.query, [&](const auto& pair) { return pair.first == name; });
    more.query.emplace_back(name, value);
    return more;
  }
};

int StatusOf(const Call& call, std::string* body = nullptr) {
  const auto answer = WithACalendar().Handle({"GET", call.Target(), {}});
  if (body != nullptr) *body = answer.body;
  return answer.status;
}

// The operation's path with its path parameters' examples and its required query parameters.
Call Base(const std::string& path, const json& params) {
  Call call{path, {}};
  for (const auto& param : params) {
    const auto name = param["name"].get<std::string>();
    const auto example = AsQuery(param["example"]);
    if (param["in"] == "path") {
      call.path.replace(call.path.find("{" + name + "}"), name.size() + 2, Escaped(example));
    } else if (param["required"].get<bool>()) {
      call.query.emplace_back(name, example);
    }
  }
  return call;
}

// The base with one parameter set; from and to, which a span takes only together (a year or
// from and to, else this year), come as a pair.
Call WithParam(const Call& base, const json& params, const std::string& name,
               const std::string& value) {
  if (name == "from" || name == "to") {
    Call range{base.path, {}};
    for (const auto& param : params) {
      const auto other = param["name"].get<std::string>();
      if (other == "from" || other == "to") {
        range.query.emplace_back(other, other == name ? value : AsQuery(param["example"]));
      }
    }
    return range;
  }
  return base.With(name, value);
}

TEST(OpenApi, EveryOperationAnswersWithItsRequiredParametersAndNotWithout) {
  const json document = Document();
  std::set<std::string> operationIds;
  for (const auto& [path, item] : document["paths"].items()) {
    SCOPED_TRACE(path);
    const json& get = item["get"];
    EXPECT_TRUE(operationIds.insert(get["operationId"].get<std::string>()).second)
        << "operationId repeated";
    ASSERT_TRUE(get["responses"]["200"]["content"].is_object());
    bool schema = false;
    for (const auto& [type, content] : get["responses"]["200"]["content"].items()) {
      schema = schema || content.contains("schema");
    }
    EXPECT_TRUE(schema) << "a 200 without a schema";

    const Call base = Base(path, get["parameters"]);
    std::string body;
    EXPECT_EQ(StatusOf(base, &body), 200) << base.Target() << " " << body;
    for (const auto& param : get["parameters"]) {
      if (param["in"] != "query" || !param["required"].get<bool>()) continue;
      const auto name = param["name"].get<std::string>();
      Call without = base;
      std::erase_if(without.query, [&](const auto& pair) { return pair.first == name; });
      EXPECT_EQ(StatusOf(without, &body), 400) << without.Target();
      EXPECT_NE(body.find("missing parameter: " + name), std::string::npos) << body;
    }
  }
}

TEST(OpenApi, EveryDocumentedParameterAndWordIsAccepted) {
  const json document = Document();
  int calls = 0;
  for (const auto& [path, item] : document["paths"].items()) {
    const json& params = item["get"]["parameters"];
    const Call base = Base(path, params);
    for (const auto& param : params) {
      if (param["in"] != "query") continue;
      const auto name = param["name"].get<std::string>();
      std::vector<std::string> values = {AsQuery(param["example"])};
      for (const auto& word : param["schema"].value("enum", json::array())) {
        values.push_back(AsQuery(word));
      }
      const auto& schema = param["schema"];
      if (schema.contains("minimum")) values.push_back(AsQuery(schema["minimum"]));
      if (schema.contains("maximum")) values.push_back(AsQuery(schema["maximum"]));
      if (schema["type"] == "boolean") values.insert(values.end(), {"true", "false"});
      for (const auto& value : values) {
        const Call call = WithParam(base, params, name, value);
        std::string body;
        const int status = StatusOf(call, &body);
        // A bound is a value the parameter takes, though the answer it asks for may lie beyond
        // the calendar (a million business days from 2026): then the refusal is the answer's.
        const bool bound = value != AsQuery(param["example"]) && schema.contains("maximum");
        if (bound && status == 400) {
          EXPECT_NE(body.find("result out of range"), std::string::npos) << call.Target() << body;
        } else {
          EXPECT_EQ(status, 200) << call.Target() << " " << body;
        }
        ++calls;
      }
    }
  }
  EXPECT_GT(calls, 100);
}

TEST(OpenApi, WhatTheDocumentDoesNotListIsRefusedNamingWhatItLists) {
  const json document = Document();
  for (const auto& [path, item] : document["paths"].items()) {
    SCOPED_TRACE(path);
    const json& params = item["get"]["parameters"];
    std::string listed;
    for (const auto& param : params) {
      if (param["in"] != "query") continue;
      listed += (listed.empty() ? "" : ", ") + param["name"].get<std::string>();
    }
    std::string body;
    if (path == "/") {
      // The page ignores what links to it add (utm_source=...), as its summary says.
      EXPECT_NE(item["get"]["summary"].get<std::string>().find("ignored"), std::string::npos);
      EXPECT_EQ(StatusOf(Base(path, params).With("utm_source", "mail"), &body), 200);
      continue;
    }
    EXPECT_EQ(StatusOf(Base(path, params).With("colour", "red"), &body), 400);
    EXPECT_NE(body.find("unknown parameter: 'colour'; accepted: " +
                        (listed.empty() ? std::string("none") : listed) + "\""),
              std::string::npos)
        << body;
  }
}

// Returns whether a JSON value has a schema's type ("string", or a list such as
// ["boolean", "null"]).
bool HasType(const json& value, const json& type) {
  if (type.is_array()) {
    for (const auto& one : type) {
      if (HasType(value, one)) return true;
    }
    return false;
  }
  const auto name = type.get<std::string>();
  return (name == "string" && value.is_string()) || (name == "boolean" && value.is_boolean()) ||
         (name == "integer" && value.is_number_integer()) || (name == "null" && value.is_null()) ||
         (name == "array" && value.is_array()) || (name == "object" && value.is_object());
}

// Every JSON answer an operation gives with its examples has exactly the fields of its 200's
// schema, each of its type: the document is written from the writers' columns, and this checks
// the columns' types too.
TEST(OpenApi, EveryJsonAnswerHasItsSchemasFieldsAndTypes) {
  const json document = Document();
  for (const auto& [path, item] : document["paths"].items()) {
    SCOPED_TRACE(path);
    const json& params = item["get"]["parameters"];
    const json& content = item["get"]["responses"]["200"]["content"];
    if (!content.contains("application/json")) continue;
    const json& schema = content["application/json"]["schema"];
    if (schema["type"] != "array") continue;
    const json& items = schema["items"];
    Call call = Base(path, params);
    for (const auto& param : params) {  // an example for every parameter: answers with rows
      const auto name = param["name"].get<std::string>();
      // Not the format (JSON is asked about), the year (a span is from and to here) nor the
      // rules and labels, whose examples do not go together.
      const bool other = name == "format" || name == "year" || name == "rules" || name == "labels";
      if (param["in"] == "query" && param.contains("example") && !other) {
        call = WithParam(call, params, name, AsQuery(param["example"]));
      }
    }
    std::string body;
    ASSERT_EQ(StatusOf(call, &body), 200) << call.Target() << " " << body;
    const json answer = json::parse(body);
    ASSERT_FALSE(answer.empty()) << call.Target();
    std::set<std::string> documented;
    for (const auto& [key, value] : items["properties"].items()) documented.insert(key);
    for (const auto& row : answer) {
      std::set<std::string> fields;
      for (const auto& [key, value] : row.items()) {
        fields.insert(key);
        if (!items["properties"].contains(key)) continue;
        const json type = items["properties"][key].value("type", json());
        if (!type.is_null()) {
          EXPECT_TRUE(HasType(value, type)) << key << ": " << value.dump();
        }
      }
      EXPECT_EQ(fields, documented);
    }
  }
}

// servers: the public address when the server was given one, else its root.
TEST(OpenApi, ServersIsThePublicUrlOrTheRoot) {
  const struct {
    const char* name;
    const char* publicUrl;
    const char* server;
  } kCases[] = {
      {"none", "", "/"},
      {"a host", "https://days.example.jp", "https://days.example.jp"},
      {"a path with its slash", "http://127.0.0.1:8080/holidays/",
       "http://127.0.0.1:8080/holidays"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const Handler handler({.publicUrl = row.publicUrl});
    const auto document = json::parse(handler.Handle({"GET", "/openapi.json", {}}).body);
    ASSERT_EQ(document["servers"].size(), 1U);
    EXPECT_EQ(document["servers"][0]["url"], row.server);
  }
}

}  // namespace
}  // namespace velunta::server
