#pragma once
// The query parameters of one request, read as the command reads its options: each reader
// returns a typed value or throws BadRequest naming the parameter and what it accepts.

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <velunta/runtime/utf8.h>

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

class Parameters {
 public:
  // Throws BadRequest for a parameter not in `known` or given twice.
  Parameters(std::vector<std::pair<std::string, std::string>> query,
             std::vector<std::string_view> known);

  // Returns the value of a parameter, or nothing when absent.
  const std::string* Find(std::string_view name) const noexcept;
  bool Has(std::string_view name) const noexcept { return Find(name) != nullptr; }

  // Throws BadRequest when the parameter is absent.
  const std::string& Required(std::string_view name) const;

  // The shared choices: rules=law|classic with labels=law|official, lang=ja|en.
  const records::DaySource& Source() const;
  records::Lang Lang() const;
  // format=json (default) | csv, or ics too when `listOfDays`.
  records::Format Format(bool listOfDays) const;
  // true | false (absent: false); also 1 | 0.
  bool Flag(std::string_view name) const;

  // A date in any form the command accepts, within the source's years.
  std::chrono::year_month_day Date(std::string_view name, const records::DaySource& source) const;
  // A whole year within the source's years.
  std::chrono::year Year(std::string_view name, const records::DaySource& source) const;
  // A whole number from `lowest` to `highest`.
  int Number(std::string_view name, int lowest, int highest) const;

 private:
  std::vector<std::pair<std::string, std::string>> query_;
};

// Returns the date a text names, or throws BadRequest naming `what` (a parameter or the path).
std::chrono::year_month_day ReadDate(std::string_view what, std::string_view text,
                                     const records::DaySource& source);

}  // namespace velunta::server
