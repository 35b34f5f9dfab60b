#pragma once
// Every answer the server gives, as one function from a request to a response. The answers are
// written by the records library, so a question asked here and of the command gets the same
// bytes.
//
//   velunta::server::Handler handler({});
//   handler.Handle({"GET", "/v1/days/2026-05-06", {}}).body
//     // -> the JSON of `velunta check 2026-05-06 --format=json`: 振替休日, a day off

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include <velunta/server/exchange.h>

namespace velunta::server {

class AnswerCache;

struct HandlerOptions {
  // The instant "now": what today means for the feed and the page. Tests set it.
  std::function<std::chrono::sys_seconds()> now = [] {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  };
  // The version iCalendar's PRODID carries, as the command writes it.
  std::string version = "0.0.0";
};

class Handler {
 public:
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
  std::shared_ptr<AnswerCache> cache_;
};

}  // namespace velunta::server
