#pragma once
// What every business subcommand shares: the options of `velunta business` and how a request's
// answer or refusal is reported.

#include <chrono>
#include <span>
#include <string>
#include <vector>

#include <velunta/business_calendar.h>
#include <velunta/records/day_record.h>

#include "command.h"

namespace velunta::cli {

struct BusinessArgs {
  std::string calendarFile;  // a calendar file's path, or empty
  bool saturdayWorkday = false;
  bool bankClosingDays = false;
  bool governmentClosingDays = false;
  std::vector<std::string> closed;  // comma-separated lists of dates, as typed

  // Returns the business calendar of the options: a calendar file's choices first, then the
  // command line's added to them. Built once a run; throws UsageError for bad input.
  // iCalendar is refused unless the command writes a list of days (allowIcs).
  BusinessCalendar Calendar(const SharedOptions& shared, std::chrono::year_month_day today,
                            bool allowIcs = false) const;
};

// The business arguments shared by `business` and its subcommands.
BusinessArgs& BusinessArgsOf(Commands& commands);

// Adds a subcommand of `business` with its help, how it reads its dates (none: not said), its
// example and the options it shares.
CLI::App* AddBusinessCommand(CLI::App& business, const std::string& name,
                             const std::string& description, const std::string& example,
                             const std::string& reading = {});

// Returns the answer of a calendar request or throws UsageError naming the request.
template <class T>
T Answer(const Result<T>& result, const std::string& request);

// Throws the UsageError for a refused calendar request.
[[noreturn]] void ThrowCalendarError(CalendarError error, const std::string& request);

template <class T>
T Answer(const Result<T>& result, const std::string& request) {
  if (!result.has_value()) ThrowCalendarError(result.error(), request);
  return *result;
}

// Returns the record of a day with whether it is a business day under the calendar.
records::DayRecord BusinessDay(std::chrono::year_month_day date, const BusinessCalendar& calendar,
                               const SharedOptions& shared);

// Writes the days a business request answered with, as `check` writes days, with whether each
// is a business day under the calendar.
void WriteBusinessDays(std::span<const std::chrono::year_month_day> dates,
                       const BusinessCalendar& calendar, const SharedOptions& shared,
                       const Environment& env);

}  // namespace velunta::cli
