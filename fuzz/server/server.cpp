// The server's request handling in process (the Handler, and the message the connection would
// write, with no socket): the input is a method, a target and a few headers, one a line
// ("name: value"). Whatever they are: the answer is 2xx, 304 or 4xx, never 5xx; a 4xx carries a
// JSON body {"error": "..."} of one line (the page's 400 is the page with the reason); a 200
// JSON body parses; no header value can break the
// head; HEAD gets GET's status and headers and no body on the wire; and a fixed request asked
// after each input still gets its answer, so no input leaves the handler broken.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <velunta/calendar_file.h>
#include <velunta/server/handler.h>
#include <nlohmann/json.hpp>

#include "../../server/src/wire_response.h"
#include "../common/fuzz_check.h"

namespace {

using velunta::fuzz::Escaped;
using velunta::fuzz::Require;
using velunta::server::Request;
using velunta::server::Response;

// A calendar file as an organisation would keep one; requests name it with calendar=tokyo.
constexpr std::string_view kCalendarFile = R"(# an office in Tokyo
weekend = ["saturday", "sunday"]
bank_closing_days = false
government_closing_days = true
yearly_closed = ["08-13..08-15"]
closed = ["2026-05-01"]
working = ["2026-11-21"]
)";

constexpr std::size_t kMostHeaders = 4;

const velunta::server::Handler& TheHandler() {
  static const velunta::server::Handler handler = [] {
    using namespace std::chrono;
    auto options = velunta::ReadCalendarOptions(kCalendarFile, "tokyo.toml");
    if (!options.has_value()) velunta::fuzz::Violation("the fixed calendar file reads");
    return velunta::server::Handler(
        {.now = [] { return sys_seconds{sys_days{2026y / May / 6}} + hours{3}; },
         .version = "0.0.0",
         .calendars = {{"tokyo", std::move(options).value()}}});
  }();
  return handler;
}

// A request asked after every input, and its answer when the handler was new.
const Request kFixed{"GET", "/v1/business/next?date=2026-08-12&calendar=tokyo&format=csv", {}};

// Returns whether the body is JSON as it stands (not gzipped for an Accept-Encoding).
bool IsJson(const Response& answer) {
  const auto* type = answer.Header("Content-Type");
  return type != nullptr && type->starts_with("application/json") &&
         answer.Header("Content-Encoding") == nullptr;
}

// Returns whether a header value could be written as it is: no CR, LF or other control byte.
bool Writable(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return false;
  }
  return true;
}

void CheckAnswer(const Response& answer, const std::string& line) {
  const int status = answer.status;
  Require((status >= 200 && status < 300) || status == 304 || (status >= 400 && status < 500),
          "the status is 2xx, 304 or 4xx", line + " -> " + std::to_string(status));
  for (const auto& [name, value] : answer.headers) {
    Require(!name.empty() && Writable(name) && Writable(value), "every header can be written",
            line + " -> " + Escaped(name) + ": " + Escaped(value));
  }
  const auto* type = answer.Header("Content-Type");
  if (status == 400 && type != nullptr && type->starts_with("text/html")) {
    // The page answers a person: its refusal is the page with the reason.
    Require(answer.body.find("<p class=\"error\" role=\"alert\">") != std::string::npos,
            "a refused page says why", line);
  } else if (status >= 400) {
    Require(IsJson(answer), "a refusal is JSON", line);
    const auto body = nlohmann::json::parse(answer.body, nullptr, false);
    Require(!body.is_discarded() && body.is_object() && body.contains("error") &&
                body["error"].is_string(),
            "a refusal has an error string", line + " -> " + Escaped(answer.body));
    const auto error = body["error"].get<std::string>();
    Require(!error.empty() && Writable(error) && error.find('\t') == std::string::npos &&
                error.find("\u2028") == std::string::npos &&
                error.find("\u2029") == std::string::npos,
            "the error is one line with no control character", line + " -> " + Escaped(error));
  } else if (status == 200 && IsJson(answer)) {
    Require(nlohmann::json::accept(answer.body), "a JSON answer parses",
            line + " -> " + Escaped(answer.body.substr(0, 200)));
  }
}

void CheckHead(const Request& get, const Response& got, const std::string& line) {
  Request head = get;
  head.method = "HEAD";
  const auto answer = TheHandler().Handle(head);
  Require(answer.status == got.status, "HEAD gets GET's status", line);
  Require(answer.headers == got.headers, "HEAD gets GET's headers", line);
  const auto wireGet = velunta::server::ToWire(got, false, true);
  const auto wireHead = velunta::server::ToWire(answer, true, true);
  Require(wireHead.body().empty(), "HEAD sends no body", line);
  Require(wireGet.base()[boost::beast::http::field::content_length] ==
              wireHead.base()[boost::beast::http::field::content_length],
          "HEAD announces GET's length", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Response fixedAnswer = TheHandler().Handle(kFixed);
  Require(fixedAnswer.status == 200 && fixedAnswer.body.find("2026-08-17") != std::string::npos,
          "the fixed request is answered", Escaped(fixedAnswer.body));

  // Line 1 the method, line 2 the target, then up to kMostHeaders "name: value" lines.
  Request request;
  std::size_t at = 0;
  const auto nextLine = [&](std::string_view& line) {
    if (at > bytes.size()) return false;
    const auto end = bytes.find('\n', at);
    line = bytes.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? bytes.size() + 1 : end + 1;
    return true;
  };
  std::string_view part;
  if (nextLine(part)) request.method = std::string(part);
  if (nextLine(part)) request.target = std::string(part);
  while (request.headers.size() < kMostHeaders && nextLine(part)) {
    const auto colon = part.find(':');
    std::string name(part.substr(0, colon));
    for (auto& c : name) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    std::string_view value = colon == std::string_view::npos ? "" : part.substr(colon + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    request.headers.emplace_back(std::move(name), std::string(value));
  }

  const std::string line = "[" + Escaped(request.method) + "] [" + Escaped(request.target) + "]";
  const auto answer = TheHandler().Handle(request);
  CheckAnswer(answer, line);
  if (request.method == "GET") CheckHead(request, answer, line);

  const auto again = TheHandler().Handle(kFixed);
  Require(again.status == fixedAnswer.status && again.body == fixedAnswer.body &&
              again.headers == fixedAnswer.headers,
          "the fixed request gets its answer after any input", line);
  return 0;
}
