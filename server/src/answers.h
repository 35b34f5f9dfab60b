#pragma once
// The endpoints, each a function from its request to a response. Each reads its parameters as
// its route declares them (routes.h) and throws BadRequest for a value it refuses; the handler
// turns that into a 400.

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/records/day_writer.h>
#include <velunta/server/exchange.h>

#include "parameters.h"
#include "routes.h"

namespace velunta::server {

class BusinessCalendars;

// What an endpoint knows besides its parameters.
struct Context {
  const Request& request;
  const Route& route;
  std::string_view path;  // decoded
  std::string_view tail;  // what follows the endpoint's prefix: the date of /v1/days/{date}
  std::chrono::sys_seconds now;
  const std::string& version;
  const std::vector<std::pair<std::string, std::string>>& query;  // decoded, for Parameters
  const BusinessCalendars& calendars;  // built at start: calendar=NAME picks one
  std::string_view publicUrl;          // HandlerOptions::publicUrl, without a final '/'
  // Set by an answer that holds a prediction (a predicted equinox, or a day of a year whose
  // equinoxes are not yet announced): caches then keep it for a short time only.
  mutable bool predicted = false;

  // Returns the request's parameters, checked against its route.
  Parameters Params() const { return Parameters(query, route); }
};

// The content type of a format ("application/json; charset=utf-8", ...).
std::string_view ContentType(records::Format format) noexcept;

// Returns the span a list asks about: year=, or from= and to= (months and years as their first
// and last days), or else this year in Japan. Throws BadRequest for half a range or both forms.
std::pair<std::chrono::year_month_day, std::chrono::year_month_day> SpanOf(
    const Context& context, const Parameters& params, const records::DaySource& source);

Response Day(const Context& context);
Response Holidays(const Context& context);
Response Next(const Context& context);
Response Previous(const Context& context);
Response EquinoxDays(const Context& context);
Response BusinessIs(const Context& context);
Response BusinessAdd(const Context& context);
Response BusinessCount(const Context& context);
Response BusinessNext(const Context& context);
Response BusinessPrevious(const Context& context);
Response BusinessRoll(const Context& context);
Response BusinessClosed(const Context& context);
Response Feed(const Context& context);  // path picks the language
Response Page(const Context& context);
Response OpenApi(const Context& context);
Response Healthz(const Context& context);

}  // namespace velunta::server
