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
