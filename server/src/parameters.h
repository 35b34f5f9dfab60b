#pragma once
// The query parameters of one request, checked against its route's declaration (routes.h): an
// unknown parameter (where the route does not ignore them), a repeated one, a missing required one
// and every value the route declares a kind for are refused when the request is read, with
// BadRequest naming the parameter and what it accepts. The values are then read through the request
// layer, as the command reads them.

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <velunta/request/choices.h>
#include <velunta/request/refusal.h>
#include <velunta/request/values.h>
#include <velunta/runtime/utf8.h>

#include "routes.h"

namespace velunta::server {

// A request the handler refuses with 400 and this message.
class BadRequest : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A path under a known prefix that names nothing: 404 with this message.
class NotFound : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Quotes a value on one line, cut to 64 characters (see runtime::Quoted): most texts were
// checked for UTF-8 and control characters, but not all (the method).
using runtime::Quoted;

// Throws the refusal as a BadRequest: "PROBLEM[ for NAME]: 'TEXT'; accepted: …".
[[noreturn]] void Refuse(const request::Refusal& refusal, std::string_view name = {});

// Returns what was read, or throws its refusal (see Refuse).
template <class T>
T Checked(request::Reading<T> reading, std::string_view name = {}) {
  return std::move(reading).Or([name](const request::Refusal& refusal) { Refuse(refusal, name); });
}

class Parameters {
 public:
  // Reads and checks a request's parameters against its route. Calendar names are checked by
  // the business answers, which know the loaded calendars. Throws BadRequest.
  Parameters(std::vector<std::pair<std::string, std::string>> query, const Route& route);

  // Returns the value of a parameter, or nothing when absent (or blank where that is absence).
  const std::string* Find(std::string_view name) const noexcept;
  bool Has(std::string_view name) const noexcept { return Find(name) != nullptr; }

  // The source the rules and labels choose (the law calendar for routes without them).
  const records::DaySource& Source() const;

  // Returns the value of a choice by its table, the table's first value when absent.
  template <class T, std::size_t N>
  T Choice(std::string_view name, const request::Word<T> (&words)[N]) const {
    const auto* value = Find(name);
    return value ? Checked(request::Choose(*value, words), name) : words[0].value;
  }
  bool Flag(std::string_view name) const { return Has(name) && Choice(name, request::kTruths); }

  // Return the value of a parameter of that kind; each throws BadRequest when it is absent.
  std::chrono::year_month_day Date(std::string_view name, const records::DaySource& source) const;
  std::chrono::year Year(std::string_view name, const records::DaySource& source) const;
  std::chrono::year_month_day RangeEnd(std::string_view name, const records::DaySource& source,
                                       request::RangeEnd end) const;
  int Count(std::string_view name) const;  // within the route's declared range
  std::vector<std::chrono::year_month_day> Dates(std::string_view name,
                                                 const records::DaySource& source) const;

 private:
  const std::string& Required(std::string_view name) const;
  void Check(const Param& param) const;

  std::vector<std::pair<std::string, std::string>> query_;
  const Route& route_;
};

// Returns the date a text names, or throws BadRequest naming `what` (a parameter or the path).
std::chrono::year_month_day ReadDate(std::string_view what, std::string_view text,
                                     const records::DaySource& source);

}  // namespace velunta::server
