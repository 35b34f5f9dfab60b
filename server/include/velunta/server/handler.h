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
};

class Handler {
 public:
  // Builds every calendar once. Throws std::invalid_argument naming the calendar when a name
  // is not IsCalendarName or is given twice, or its options make no calendar.
  explicit Handler(HandlerOptions options);

  // Returns the answer to a request. Never throws: a bad request gets a 4xx with a JSON body
  // {"error": "..."} naming the parameter and what is accepted (400 a bad value or an unknown
  // parameter, 404 an unknown path, 405 a method other than GET or HEAD, with Allow). HEAD gets
  // GET's status and headers; the body is left for the connection to drop. Safe to call from
  // many threads at once: answers that depend on the target alone are computed once and kept
  // (up to 16 MB), the others every time.
  Response Handle(const Request& request) const noexcept;

 private:
  HandlerOptions options_;
  std::shared_ptr<const BusinessCalendars> calendars_;
  std::shared_ptr<AnswerCache> cache_;
};

}  // namespace velunta::server
