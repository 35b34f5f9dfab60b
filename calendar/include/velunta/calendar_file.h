#pragma once
// The business calendar file an organisation keeps in its own repository, one TOML file per
// calendar (target velunta::calendar_file, which reads TOML with toml++):
//
//   # Example Corp., Tokyo office
//   weekend = ["saturday", "sunday"]
//   national_holidays = true
//   bank_closing_days = false
//   government_closing_days = false
//   yearly_closed = ["12-29..01-03", "08-13..08-15"]
//   closed = ["2026-05-01"]
//   working = ["2026-11-21"]
//
// Every key is optional; a missing key keeps the default of BusinessCalendarOptions (weekend
// Saturday and Sunday, national holidays closed, no other closing). Dates are "YYYY-MM-DD" texts
// or TOML dates (2026-05-01) within 1600..2399; ranges are "MM-DD..MM-DD" and may cross the year
// end; weekdays are English names in lower case. A date both closed and working is working.
//
// Every mistake is refused, and a calendar is only made from a file that is entirely right: an
// unknown key (a typo must never silently mean "open"), a value of the wrong type, a bad date or
// range or weekday, a weekday listed twice, and whatever is no TOML (a duplicate key, ...). The
// error names the file, the line and what is wrong, as one line:
//
//   auto calendar = velunta::ReadCalendarFile("calendars/tokyo.toml");
//   if (!calendar) std::cerr << calendar.error().ToString() << '\n';
//   // calendars/tokyo.toml:6: bad range '12-29..1-3' in yearly_closed; accepted: MM-DD..MM-DD ...

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include <velunta/business_calendar.h>
#include <velunta/calendar_file_export.h>

namespace velunta {

// What is wrong with a calendar file, and where.
struct CalendarFileError {
  std::string file;     // the file name given to the reader
  std::size_t line{};   // from 1; 0 when the whole file is concerned (it cannot be read)
  std::string message;  // what is wrong, one line without the file and line

  // Returns "FILE:LINE: message", or "FILE: message" when line is 0.
  VELUNTA_CALENDAR_FILE_EXPORT std::string ToString() const;

  friend bool operator==(const CalendarFileError&, const CalendarFileError&) = default;
};

// Either a value or a CalendarFileError; value() and * require has_value().
template <class T>
class [[nodiscard]] CalendarFileResult {
 public:
  CalendarFileResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  CalendarFileResult(CalendarFileError error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool has_value() const noexcept { return state_.index() == 0; }
  explicit operator bool() const noexcept { return has_value(); }
  const T& value() const& { return std::get<0>(state_); }
  T value() && { return std::get<0>(std::move(state_)); }
  const T& operator*() const& { return *std::get_if<0>(&state_); }
  T operator*() && { return std::move(*std::get_if<0>(&state_)); }
  const T* operator->() const { return std::get_if<0>(&state_); }
  const CalendarFileError& error() const { return *std::get_if<1>(&state_); }

 private:
  std::variant<T, CalendarFileError> state_;
};

// Returns the options a calendar file's text describes; `fileName` only names the file in
// errors. Never throws for any text. Example: ReadCalendarOptions("closed = [\"2026-02-30\"]",
// "x.toml") -> error {"x.toml", 1, "bad date '2026-02-30' in closed: no such day"}.
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<BusinessCalendarOptions> ReadCalendarOptions(
    std::string_view text, std::string_view fileName);

// Returns the options of the file at `path` (named by the path in errors); a file that cannot
// be read is an error on line 0.
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<BusinessCalendarOptions> ReadCalendarOptionsFile(
    const std::filesystem::path& path);

// Return the calendar of a file's text or of the file at `path`: the options read as above, then
// BusinessCalendar::Make.
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<BusinessCalendar> ReadCalendar(
    std::string_view text, std::string_view fileName);
VELUNTA_CALENDAR_FILE_EXPORT CalendarFileResult<BusinessCalendar> ReadCalendarFile(
    const std::filesystem::path& path);

}  // namespace velunta
