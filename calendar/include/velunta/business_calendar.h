#pragma once
// The business calendar of one organisation — a bank, a government office, a company — built
// once from its options and then immutable: every question is answered from a bit per day of
// 1600-01-01..2399-12-31, without walking the days.
//
//   using namespace std::chrono;
//   velunta::BusinessCalendarOptions options;
//   options.yearlyClosed = {{December / 29, January / 3}};   // closed over the New Year
//   options.working = {2026y / 11 / 21};                      // a Saturday that is worked
//   auto calendar = velunta::BusinessCalendar::Make(options);
//   calendar->Add(2026y / 12 / 28, 1);            // -> 2027-01-04
//   calendar->CountInclusive(2026y / 11 / 16, 2026y / 11 / 22);   // -> 6: Mon..Fri, Sat 21
//
// A day is closed when any of these closes it: a holiday of the law calendar (national, special
// act, substitute, citizens'; unless nationalHolidays is false), a weekend weekday, a bank
// closing day, a government offices' closing day, a yearly closure, an extra closed date. A date
// listed in `working` is open whatever closes it: opening wins over closing.
//
// Cost. Make: proportional to the 9,600 months of the covered years plus the number of extra
// dates, tens of microseconds (no day is classified by the holiday rules one at a time).
// IsBusinessDay, Count, CountInclusive: O(1), a bit test and two rank lookups. Add, Next,
// Previous, Roll: independent of n, O(1) in practice and O(log days) at worst — a rank lookup,
// then a binary search between the words of two samples 128 business days apart (three or four
// words for a five-day week; more only where long runs are closed), then a search within one
// word. ClosedDays: linear in the days it spans.
//
// Memory. One calendar holds 4,566 words of 64 days (36.5 KB), an open-day count before each word
// (18.3 KB), the word of every 128th business day (at most 4.6 KB) and the yearly closures: about
// 60 KB. Copies share it (a copy is a reference-counted pointer), so copying is cheap and the
// calendar is safe to use from any number of threads at once.

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <velunta/business_days.h>  // Roll, shared with the free functions
#include <velunta/calendar.h>
#include <velunta/calendar_export.h>

namespace velunta {

// A set of weekdays, e.g. the weekend. WeekdaySet{Saturday, Sunday}.
class WeekdaySet {
 public:
  constexpr WeekdaySet() = default;
  constexpr WeekdaySet(std::initializer_list<std::chrono::weekday> days) {
    for (const auto wd : days) Add(wd);
  }
  // Adds a weekday; a weekday that is not ok() is ignored.
  constexpr void Add(std::chrono::weekday wd) noexcept {
    if (wd.ok()) bits_ = static_cast<std::uint8_t>(bits_ | 1U << wd.c_encoding());
  }
  constexpr bool Contains(std::chrono::weekday wd) const noexcept {
    return wd.ok() && (bits_ >> wd.c_encoding() & 1U) != 0;
  }
  constexpr bool empty() const noexcept { return bits_ == 0; }
  // Bit c: the weekday whose c_encoding() is c (0 Sunday .. 6 Saturday).
  constexpr std::uint8_t bits() const noexcept { return bits_; }

  friend constexpr bool operator==(const WeekdaySet&, const WeekdaySet&) = default;

 private:
  std::uint8_t bits_ = 0;
};

// A closure that comes back every year, from `first` to `last` both included, e.g.
// {December / 29, January / 3}: when `last` comes before `first` the closure crosses the year
// end (December 29 .. 31 and January 1 .. 3 of every year). February 29 is a valid bound and
// closes a day in leap years only.
struct MonthDayRange {
  std::chrono::month_day first;
  std::chrono::month_day last;

  friend constexpr bool operator==(const MonthDayRange&, const MonthDayRange&) = default;
};

struct BusinessCalendarOptions {
  WeekdaySet weekend = {std::chrono::Saturday, std::chrono::Sunday};
  // The holidays of <velunta/calendar.h> close.
  bool nationalHolidays = true;
  // The banks' closing days: December 31, January 2 and January 3.
  bool bankClosingDays = false;
  // The government offices' closing days (行政機関の休日, besides weekends and holidays):
  // December 29 to January 3.
  bool governmentClosingDays = false;
  std::vector<MonthDayRange> yearlyClosed = {};
  // Extra closed dates and extra working dates, in any order, duplicates allowed. A working date
  // opens the day whatever else closes it.
  std::vector<std::chrono::year_month_day> closed = {};
  std::vector<std::chrono::year_month_day> working = {};
};

// What a command line or a request adds to a calendar's own choices (a calendar file's, say):
// Saturday opened, the banks' or the government offices' closing days closed, more closed dates.
struct BusinessCalendarAdditions {
  bool saturdayWorkday = false;
  bool bankClosingDays = false;
  bool governmentClosingDays = false;
  std::vector<std::chrono::year_month_day> closed = {};
};

// Returns `base` with the additions: Saturday taken out of the weekend, the closing days turned
// on, the closed dates appended. Example: a weekend {Friday, Saturday} with saturdayWorkday ->
// {Friday}.
VELUNTA_CALENDAR_EXPORT BusinessCalendarOptions
WithAdditions(BusinessCalendarOptions base, const BusinessCalendarAdditions& additions);

// Returns whether the additions change the calendar of `base`: false for none, and for choices
// the base already makes (bankClosingDays on options that close those days), so that a caller
// may answer with the calendar it built from `base`. Closed dates always count as a change.
VELUNTA_CALENDAR_EXPORT bool ChangesCalendar(const BusinessCalendarOptions& base,
                                             const BusinessCalendarAdditions& additions) noexcept;

// Why a day is closed; a day may have several reasons.
enum class ClosedReason : std::uint8_t {
  holiday = 1,               // a holiday of the law calendar (see ClosedDay::holiday)
  weekend = 2,               // its weekday is in the weekend
  bankClosingDay = 4,        // December 31, January 2 or 3, with bankClosingDays
  governmentClosingDay = 8,  // December 29 .. January 3, with governmentClosingDays
  yearlyClosure = 16,        // within one of yearlyClosed
  closedDate = 32,           // an extra closed date, and closed for no other reason
};

// Returns a stable identifier for machine-readable output: "holiday", "weekend",
// "bank-closing-day", "government-closing-day", "yearly-closure", "closed-date".
VELUNTA_CALENDAR_EXPORT std::string_view ClosedReasonId(ClosedReason reason) noexcept;
// Returns a Japanese label: 祝日, 週末, 銀行休業日, 行政機関の休日, 年間休業日, 休業日.
VELUNTA_CALENDAR_EXPORT std::string_view ClosedReasonName(ClosedReason reason) noexcept;
// Returns an English label: "Holiday", "Weekend", "Bank closing day", "Government offices'
// closing day", "Yearly closure", "Closed date".
VELUNTA_CALENDAR_EXPORT std::string_view ClosedReasonNameEn(ClosedReason reason) noexcept;

// The reasons of one closed day, in the order of ClosedReason.
class ClosedReasons {
 public:
  constexpr ClosedReasons() = default;
  constexpr void Add(ClosedReason reason) noexcept {
    bits_ = static_cast<std::uint8_t>(bits_ | static_cast<unsigned>(reason));
  }
  constexpr bool Has(ClosedReason reason) const noexcept {
    return (bits_ & static_cast<unsigned>(reason)) != 0;
  }
  constexpr bool empty() const noexcept { return bits_ == 0; }
  // Returns the reasons present, in the order of ClosedReason.
  VELUNTA_CALENDAR_EXPORT std::vector<ClosedReason> List() const;

  friend constexpr bool operator==(const ClosedReasons&, const ClosedReasons&) = default;

 private:
  std::uint8_t bits_ = 0;
};

// One closed day and why.
struct ClosedDay {
  std::chrono::year_month_day date;
  std::chrono::weekday weekday;
  ClosedReasons reasons;
  std::optional<Holiday> holiday;  // the law's holiday, when reasons has holiday

  friend bool operator==(const ClosedDay&, const ClosedDay&) = default;
};

class VELUNTA_CALENDAR_EXPORT BusinessCalendar {
 public:
  // Returns the calendar of the options.
  // Errors: invalidDate for a yearly closure bound that is no month-day (02-30) or an impossible
  // closed or working date; outOfRange for a closed or working date outside 1600..2399.
  // Example: Make({}) -> weekends and the law's holidays closed.
  static Result<BusinessCalendar> Make(const BusinessCalendarOptions& options);

  // The free functions of <velunta/business_days.h> answer through these queries, with the same
  // errors: invalidDate for an impossible date, outOfRange for a date or an answer outside
  // 1600..2399. The sys_days forms take a day count for loops over many days.

  // Returns whether the date is a business day. Example: 2026-05-06 (振替休日) -> false.
  Result<bool> IsBusinessDay(std::chrono::year_month_day date) const noexcept;
  Result<bool> IsBusinessDay(std::chrono::sys_days day) const noexcept;

  // Returns the n-th business day after `from` (n > 0) or before it (n < 0), `from` never
  // counted; n == 0 returns `from`. Example: (2024-05-02, 1) -> 2024-05-07.
  Result<std::chrono::year_month_day> Add(std::chrono::year_month_day from, int n) const noexcept;
  Result<std::chrono::sys_days> Add(std::chrono::sys_days from, int n) const noexcept;

  // Returns the number of business days d with from <= d < to, or minus the number with
  // to <= d < from when to < from (as CountBusinessDays).
  // Example: (2024-04-26, 2024-05-07) -> 4.
  Result<int> Count(std::chrono::year_month_day from,
                    std::chrono::year_month_day to) const noexcept;
  Result<int> Count(std::chrono::sys_days from, std::chrono::sys_days to) const noexcept;

  // Returns the number of business days d with first <= d <= last, both ends included.
  // Errors: as Count, and invalidRange when first > last.
  // Example: (2024-04-26, 2024-05-07) -> 5.
  Result<int> CountInclusive(std::chrono::year_month_day first,
                             std::chrono::year_month_day last) const noexcept;

  // Returns the first business day after the date (Add(date, 1)) / the last one before it
  // (Add(date, -1)). Example: Next(2024-12-30) -> 2025-01-06 with bank closing days.
  Result<std::chrono::year_month_day> Next(std::chrono::year_month_day date) const noexcept;
  Result<std::chrono::year_month_day> Previous(std::chrono::year_month_day date) const noexcept;

  // Returns the date itself when it is a business day, else the business day the convention
  // picks (as RollToBusinessDay).
  Result<std::chrono::year_month_day> Roll(std::chrono::year_month_day date,
                                           velunta::Roll roll) const noexcept;

  // Returns the closed days of a year, or of first..last both included, in date order, each with
  // every reason that closes it. Errors: outOfRange outside 1600..2399; invalidDate;
  // invalidRange when first > last.
  Result<std::vector<ClosedDay>> ClosedDays(std::chrono::year y) const;
  Result<std::vector<ClosedDay>> ClosedDays(std::chrono::year_month_day first,
                                            std::chrono::year_month_day last) const;

 private:
  struct Data;  // the bits, the counts and what ClosedDays needs; see the implementation

  explicit BusinessCalendar(std::shared_ptr<const Data> data) noexcept : data_(std::move(data)) {}

  std::shared_ptr<const Data> data_;
};

}  // namespace velunta
