#pragma once
// The business calendars a server answers with: the default one (no file) and each calendar
// file loaded at start, every one built once and shared by all requests (a BusinessCalendar is
// immutable and safe from many threads). A request that adds its own choices gets a calendar
// built for it alone.

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <velunta/business_calendar.h>

namespace velunta::server {

// What a request adds to a calendar's own choices, as the command's options add to a file's.
struct Additions {
  bool saturdayWorkday = false;
  bool bankClosingDays = false;
  bool governmentClosingDays = false;
  std::vector<std::chrono::year_month_day> closed = {};
};

// Returns whether the additions change the calendar of `base`: false for none, and for choices
// the base already makes (bank_closing_days=true on a file that closes those days).
bool Changes(const BusinessCalendarOptions& base, const Additions& additions) noexcept;

// Returns `base` with the additions: Saturday taken out of the weekend, the closing days turned
// on, the closed dates appended. Example: a weekend {Friday, Saturday} with saturdayWorkday ->
// {Friday}.
BusinessCalendarOptions Added(BusinessCalendarOptions base, const Additions& additions);

// One calendar and the options it was built from.
struct LoadedCalendar {
  std::string name;  // empty for the default
  BusinessCalendarOptions options;
  BusinessCalendar calendar;
};

class BusinessCalendars {
 public:
  // Builds the default calendar and one per name. Throws std::invalid_argument naming the
  // calendar when a name is no calendar name (see IsCalendarName) or is given twice, or when
  // its options make no calendar (a closed date outside 1600..2399).
  explicit BusinessCalendars(
      const std::vector<std::pair<std::string, BusinessCalendarOptions>>& named);

  // The calendar of no file: weekends and the law's holidays closed.
  const LoadedCalendar& Default() const noexcept { return calendars_.front(); }

  // Returns the calendar loaded under a name, or nullptr.
  const LoadedCalendar* Find(std::string_view name) const noexcept;

  // Returns the loaded names in the order given, comma-separated; empty when none.
  std::string Names() const;
  std::vector<std::string_view> NameList() const;

 private:
  std::vector<LoadedCalendar> calendars_;  // the default first
};

}  // namespace velunta::server
