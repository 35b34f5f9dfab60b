#pragma once
// The endpoints, each a function from its request to a response. Each reads its own parameters
// and throws BadRequest for a value it refuses; the handler turns that into a 400.

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/records/day_writer.h>
#include <velunta/server/exchange.h>

#include "parameters.h"

namespace velunta::server {

class BusinessCalendars;

// What an endpoint knows besides its parameters.
struct Context {
  const Request& request;
  std::string_view path;  // decoded
  std::string_view tail;  // what follows the endpoint's prefix: the date of /v1/days/{date}
  std::chrono::sys_seconds now;
  const std::string& version;
  const std::vector<std::pair<std::string, std::string>>& query;  // decoded, for Parameters
  const BusinessCalendars& calendars;  // built at start: calendar=NAME picks one
};

// The content type of a format ("application/json; charset=utf-8", ...).
std::string_view ContentType(records::Format format) noexcept;

// The writer options the command would use for a format and a language (its PRODID included).
records::WriterOptions WriterFor(records::Format format, records::Lang lang,
                                 const std::string& version);

// Returns today's date in Japan Standard Time.
std::chrono::year_month_day TodayInJapan(std::chrono::sys_seconds now) noexcept;

Response Day(const Context& context);
Response Holidays(const Context& context);
Response Next(const Context& context);
Response Previous(const Context& context);
Response EquinoxDays(const Context& context);
Response Business(const Context& context);  // tail: is, add, ...
Response Feed(const Context& context);      // path picks the language
Response Page(const Context& context);
Response OpenApi(const Context& context);

}  // namespace velunta::server
