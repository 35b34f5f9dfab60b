#pragma once
// Every route of the server, declared once with its parameters: the handler finds a request's
// route here and checks its parameters against it, and /openapi.json is written from it, so the
// document cannot say what the server does not do.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/server/exchange.h>

namespace velunta::server {

struct Context;

enum class ParamKind : std::uint8_t {
  date,      // a date in any explicit form the command reads
  year,      // a whole year
  rangeEnd,  // a date, a month or a year (its first or last day)
  count,     // a whole number within [lowest, highest]
  flag,      // true | false | 1 | 0; absent: false
  choice,    // one of `words`; absent: the first
  dateList,  // dates separated by commas
  calendar,  // the name of a calendar loaded at start
};

struct Param {
  std::string_view name;
  ParamKind kind{};
  std::string_view description;
  std::string_view example;  // a value the server accepts, for the document and its test
  bool required = false;
  std::span<const std::string_view> words = {};  // a choice's
  int lowest = 0;                                // a count's range
  int highest = 0;
  bool inPath = false;         // the {name} of the route's path
  bool blankIsAbsent = false;  // an empty value, as a form sends an empty field, is no value
};

// What a route answers with, for the document: its content types and their schemas.
enum class Answers : std::uint8_t {
  day,
  days,
  closedDays,
  equinoxes,
  count,
  feed,
  page,
  health,
  document
};

struct Route {
  std::string_view path;  // as documented; a {name} stands for the rest of the path
  std::string_view operationId;
  std::string_view summary;
  std::span<const Param> params;
  Answers answers;
  Response (*answer)(const Context&);
  // The answer depends on the target alone: not on today (the feed, the page), nor on headers
  // (the feed's validators). See also todayUnless.
  bool targetAlone;
  // Parameters of which one names the day or span asked about; with none of them the answer is
  // about today in Japan (next without a date, a list without a year), so not the target's alone.
  std::span<const std::string_view> todayUnless = {};
  // Parameters the route does not declare are ignored rather than refused: the page, whose
  // links others decorate (utm_source=...).
  bool ignoresUnknown = false;
};

// Returns whether a route's answer to a decoded query depends on nothing but its target, so it
// may be kept and given again: targetAlone, and not about today (todayUnless).
bool TargetAlone(const Route& route,
                 const std::vector<std::pair<std::string, std::string>>& query) noexcept;

// Returns every route, in the document's order.
std::span<const Route> Routes() noexcept;

// Returns the route of a decoded path and, for a route with a {name}, the rest of the path in
// `tail`; nothing for an unknown path.
const Route* FindRoute(std::string_view path, std::string_view& tail) noexcept;

// Returns the parameter of a route by name, or nothing.
const Param* FindParam(const Route& route, std::string_view name) noexcept;

}  // namespace velunta::server
