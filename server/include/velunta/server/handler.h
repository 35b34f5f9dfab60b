#pragma once
// Every answer the server gives, as one function from a request to a response. The answers are
// written by the records library, so a question asked here and of the command gets the same
// bytes.
//
//   velunta::server::Handler handler({});
//   handler.Handle({"GET", "/v1/days/2026-05-06", {}}).body
//     // -> the JSON of `velunta check 2026-05-06 --format=json`: 振替休日, a day off
//
//   velunta::server::Handler banks({.calendars = {{"bank", {.bankClosingDays = true}}}});
//   banks.Handle({"GET", "/v1/business/next?date=2026-12-30&calendar=bank", {}}).body
//     // -> the JSON of 2027-01-04, as `velunta business next 2026-12-30 --calendar FILE`

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/business_calendar.h>

#include <velunta/server/exchange.h>

namespace velunta::server {

class AnswerCache;
class BusinessCalendars;

// Returns whether a text may name a calendar (calendar=NAME): kCalendarNameRule, in ASCII.
// Example: "tokyo-2026" -> true, "a b" -> false, "" -> false.
bool IsCalendarName(std::string_view name) noexcept;
inline constexpr std::string_view kCalendarNameRule =
    "1 to 64 letters, digits, '-', '_' or '.', starting with a letter or a digit";

// Returns whether a text may be the address clients reach the server at (--public-url): http or
// https, a host (a name, an IPv4 address or an IPv6 one in brackets), an optional port and path,
// and no user, query or fragment. The server cannot know it: behind a proxy the scheme and host
// it sees are the proxy's.
// Example: "https://days.example.jp/holidays/" -> true, "days.example.jp" -> false.
bool IsPublicUrl(std::string_view url) noexcept;
inline constexpr std::string_view kPublicUrlRule =
    "an absolute http:// or https:// URL: a host, an optional port and path, no query, fragment "
    "or user, such as https://days.example.jp/";

struct HandlerOptions {
  // The instant "now": what today means for the feed and the page. Tests set it.
  std::function<std::chrono::sys_seconds()> now = [] {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  };
  // The version iCalendar's PRODID carries, as the command writes it.
  std::string version = "0.0.0";
  // The business calendars business requests may name (calendar=NAME), each with its options,
  // as a calendar file gives them; the request's own choices are added to them.
  std::vector<std::pair<std::string, BusinessCalendarOptions>> calendars = {};
  // Where clients reach the server (IsPublicUrl), for the page's feed links and the document's
  // servers; empty: the page shows paths alone and the document the server's root.
  std::string publicUrl = {};
};

// An answer whose body may be shared: the server's cache keeps one copy of a large answer and
// every connection sending it holds that copy, so many slow readers cost no copy each.
struct SharedAnswer {
  Response head;                            // status and headers; head.body is empty
  std::shared_ptr<const std::string> body;  // never null
};

// Returns an answer whose body is shared with no one yet.
inline SharedAnswer WholeAnswer(Response response) {
  SharedAnswer answer;
  answer.body = std::make_shared<const std::string>(std::move(response.body));
  response.body.clear();
  answer.head = std::move(response);
  return answer;
}

class Handler {
 public:
  // Builds every calendar once. Throws std::invalid_argument naming the calendar when a name
  // is not IsCalendarName or is given twice, or its options make no calendar, and naming the
  // public URL when it is not IsPublicUrl.
  explicit Handler(HandlerOptions options);

  // Returns the answer to a request. Never throws: a bad request gets a 4xx with a JSON body
  // {"error": "..."} naming the parameter and what is accepted (400 a bad value or an unknown
  // parameter, 404 an unknown path, 405 a method other than GET or HEAD, with Allow); the page
  // (/) answers a value it cannot read with a 400 that is the page and the reason. HEAD gets
  // GET's status and headers; the body is left for the connection to drop. Safe to call from
  // many threads at once: answers that depend on the target alone are computed once and kept
  // (up to 64 MB), the others every time.
  //
  // Every answer carries Access-Control-Allow-Origin: * and exposes ETag and Last-Modified to
  // scripts; OPTIONS on a known path is a CORS preflight (204). A 200 carries an ETag, a
  // Cache-Control (long for what is settled, short for predictions and until midnight in Japan
  // for what depends on today) and Vary: Accept-Encoding; one of at least kSmallestGzipped
  // bytes is gzipped when Accept-Encoding allows it (its ETag then differs). If-None-Match, or
  // If-Modified-Since where there is a Last-Modified (the feed, the page), answers 304. The
  // Host header is not read.
  Response Handle(const Request& request) const noexcept;

  // The same answer, its body shared with the cache rather than copied: what the server sends.
  SharedAnswer Answer(const Request& request) const noexcept;

 private:
  SharedAnswer Answered(const Request& request) const;

  HandlerOptions options_;
  std::shared_ptr<const BusinessCalendars> calendars_;
  std::shared_ptr<AnswerCache> cache_;
};

}  // namespace velunta::server
