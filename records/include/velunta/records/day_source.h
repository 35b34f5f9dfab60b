#pragma once
// Where records come from: one interface that answers "what is this day" and lists days off,
// with the law calendar and the module's fixed table as its two implementations. A command or a
// server picks a source once and asks it everything.

#include <chrono>
#include <functional>
#include <optional>

#include <velunta/records/day_record.h>
#include <velunta/records/equinox_record.h>
#include <velunta/records_export.h>

namespace velunta::records {

class VELUNTA_RECORDS_EXPORT DaySource {
 public:
  virtual ~DaySource() = default;

  // The years the source answers for, both included.
  virtual std::chrono::year FirstYear() const noexcept = 0;
  virtual std::chrono::year LastYear() const noexcept = 0;

  // Returns true when the date is real and lies within FirstYear()..LastYear().
  bool Covers(std::chrono::year_month_day date) const noexcept {
    return date.ok() && date.year() >= FirstYear() && date.year() <= LastYear();
  }

  // Returns the record of a date. Throws RecordsError when !Covers(date).
  virtual DayRecord Day(std::chrono::year_month_day date) const = 0;

  // Calls `visit` with every day off from first to last, both included, in date order: every
  // holiday and, with sundays, every Sunday on which none falls. Works a year at a time, so a
  // long range never sits in memory. Throws RecordsError when either end is not covered or
  // first > last.
  virtual void ForEachDayOff(std::chrono::year_month_day first, std::chrono::year_month_day last,
                             bool sundays,
                             const std::function<void(const DayRecord&)>& visit) const = 0;

  enum class Direction : bool { forward, backward };

  // Calls `visit` with the days off from `date` on (forward) or back (backward), `date`
  // included, nearest first, as ForEachDayOff finds them, until `visit` returns false or the
  // source's years end. Throws RecordsError when !Covers(date).
  void ForEachDayOffFrom(std::chrono::year_month_day date, Direction direction, bool sundays,
                         const std::function<bool(const DayRecord&)>& visit) const;

  // The years whose equinox days the source gives, both included.
  virtual std::chrono::year FirstEquinoxYear() const noexcept = 0;
  virtual std::chrono::year LastEquinoxYear() const noexcept = 0;

  // Returns the vernal and the autumnal equinox of a year. Throws RecordsError outside
  // FirstEquinoxYear()..LastEquinoxYear().
  virtual YearEquinoxRecords Equinoxes(std::chrono::year y) const = 0;
};

// The law calendar: the days off Japan observes, 1600..2399, equinoxes by astronomy; holidays
// named as the law names them or, with LabelStyle::officialList, as the Cabinet Office's list
// labels them.
VELUNTA_RECORDS_EXPORT const DaySource& LawSource(LabelStyle style = LabelStyle::official) noexcept;

// The module Mdl_Velunta's fixed table, exactly as the window reads it: the years 1 to 9999,
// equinox days for 1900..2099 from its formula (no instants).
VELUNTA_RECORDS_EXPORT const DaySource& ClassicSource() noexcept;

}  // namespace velunta::records
