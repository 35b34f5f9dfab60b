// The free business-day functions answer from a BusinessCalendar of their options: the rules of a
// closed day and the roll conventions live in business_calendar.cpp alone.
//
// The eight calendars of the flags (Saturday, Sunday, the banks' closing days) are built on first
// use and kept for the life of the program. Closing dates of the caller's that close no open day
// of that calendar (impossible dates, dates outside 1600..2399, days closed anyway, duplicates of
// these) change nothing and use it too; other dates need a calendar of their own, which each
// thread keeps for its next call with the same dates.

#include <velunta/business_days.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <iterator>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include <velunta/business_calendar.h>

namespace velunta {
namespace {

using std::chrono::year_month_day;

constexpr unsigned kSaturdayOff = 1;
constexpr unsigned kSundayOff = 2;
constexpr unsigned kBankClosingDays = 4;
constexpr unsigned kFlagSets = 8;

unsigned FlagsOf(const BusinessDayOptions& options) noexcept {
  return (options.saturdayOff ? kSaturdayOff : 0U) | (options.sundayOff ? kSundayOff : 0U) |
         (options.bankClosingDays ? kBankClosingDays : 0U);
}

BusinessCalendarOptions CalendarOptionsOf(unsigned flags) {
  BusinessCalendarOptions options{.bankClosingDays = (flags & kBankClosingDays) != 0};
  options.weekend = {};
  if ((flags & kSaturdayOff) != 0) options.weekend.Add(std::chrono::Saturday);
  if ((flags & kSundayOff) != 0) options.weekend.Add(std::chrono::Sunday);
  return options;
}

// The calendars of the flags, each built by the first call that needs it and never changed
// afterwards, so that any thread may read it: a later call is one load.
constinit std::array<std::atomic<const BusinessCalendar*>, kFlagSets> builtCalendars{};

[[gnu::noinline]] const BusinessCalendar& BuildCommonCalendar(unsigned flags) {
  static std::mutex mutex;
  static std::array<std::optional<BusinessCalendar>, kFlagSets> calendars;
  const std::lock_guard lock(mutex);
  if (!calendars[flags]) {
    calendars[flags] = BusinessCalendar::Make(CalendarOptionsOf(flags)).value();
    builtCalendars[flags].store(&*calendars[flags], std::memory_order_release);
  }
  return *calendars[flags];
}

const BusinessCalendar& CommonCalendar(unsigned flags) {
  if (const BusinessCalendar* built = builtCalendars[flags].load(std::memory_order_acquire)) {
    return *built;
  }
  return BuildCommonCalendar(flags);
}

// A thread's last calendar with closing dates of the caller's, and the dates as given: a loop
// that asks many questions with the same options builds one calendar.
struct CalendarWithDates {
  unsigned flags = 0;
  std::vector<year_month_day> dates;
  std::optional<BusinessCalendar> calendar;
};

// The calendar of the flags with closing dates of the caller's, kept out of CalendarFor so that
// the common call, without such dates, needs no stack frame.
[[gnu::noinline]] const BusinessCalendar& CalendarWithClosedDates(
    unsigned flags, const BusinessCalendar& common, std::span<const year_month_day> dates) {
  const auto closesOpenDay = [&common](year_month_day date) {
    return common.IsBusinessDay(date).value_or(false);
  };
  if (std::none_of(dates.begin(), dates.end(), closesOpenDay)) return common;

  thread_local CalendarWithDates last;
  if (last.calendar && last.flags == flags &&
      std::equal(last.dates.begin(), last.dates.end(), dates.begin(), dates.end())) {
    return *last.calendar;
  }
  last.calendar.reset();  // no stale pairing of dates and calendar if what follows throws
  BusinessCalendarOptions calendarOptions = CalendarOptionsOf(flags);
  std::copy_if(dates.begin(), dates.end(), std::back_inserter(calendarOptions.closed),
               closesOpenDay);
  last.flags = flags;
  last.dates.assign(dates.begin(), dates.end());
  last.calendar = BusinessCalendar::Make(calendarOptions).value();  // every date is covered
  return *last.calendar;
}

// Returns the calendar that answers for the options. Only a calendar with closing dates of the
// caller's allocates; should memory run out, the noexcept callers end the program.
inline const BusinessCalendar& CalendarFor(const BusinessDayOptions& options) {
  const unsigned flags = FlagsOf(options);
  const BusinessCalendar& common = CommonCalendar(flags);
  if (options.extraClosedDays.empty()) return common;
  return CalendarWithClosedDates(flags, common, options.extraClosedDays);
}

}  // namespace

Result<bool> IsBusinessDay(year_month_day date, const BusinessDayOptions& options) noexcept {
  return CalendarFor(options).IsBusinessDay(date);
}

Result<year_month_day> AddBusinessDays(year_month_day from, int n,
                                       const BusinessDayOptions& options) noexcept {
  return CalendarFor(options).Add(from, n);
}

Result<int> CountBusinessDays(year_month_day from, year_month_day to,
                              const BusinessDayOptions& options) noexcept {
  return CalendarFor(options).Count(from, to);
}

Result<year_month_day> RollToBusinessDay(year_month_day date, Roll roll,
                                         const BusinessDayOptions& options) noexcept {
  return CalendarFor(options).Roll(date, roll);
}

}  // namespace velunta
