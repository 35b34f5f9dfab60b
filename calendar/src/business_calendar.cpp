// A business calendar as one bit per day of 1600..2399 (1 = open), the open days before each
// 64-day word, and the word of every 128th open day: a rank is a count lookup plus the bits of one
// word; a select is a search between two samples plus a search within one word.

#include <velunta/business_calendar.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <iterator>
#include <utility>

#include "date_index.h"
#include "day_bits.h"
#include "law.h"

namespace velunta {
namespace {

using std::chrono::days;
using std::chrono::month;
using std::chrono::month_day;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;

using detail::kDayCount;
using detail::kFirstDay;
using detail::kWordCount;

constexpr int kSampleEvery = 128;  // open days between two samples of their word

// Bit d - 1 of kMonthDays[m - 1]: day d exists in month m in some year (February: 29 days).
constexpr unsigned kLongestMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// A month-day as bit d - 1 of mask[month - 1].
using MonthMasks = std::array<std::uint32_t, 12>;

void Set(MonthMasks& masks, month_day md) noexcept {
  masks[static_cast<unsigned>(md.month()) - 1] |= 1U << (static_cast<unsigned>(md.day()) - 1);
}

// Marks every month-day of a range that may cross the year end; both bounds must be ok().
void SetRange(MonthMasks& masks, MonthDayRange range) noexcept {
  unsigned m = static_cast<unsigned>(range.first.month());
  unsigned d = static_cast<unsigned>(range.first.day());
  const unsigned lastM = static_cast<unsigned>(range.last.month());
  const unsigned lastD = static_cast<unsigned>(range.last.day());
  for (;;) {  // at most 366 steps: the walk meets every month-day of the year
    masks[m - 1] |= 1U << (d - 1);
    if (m == lastM && d == lastD) return;
    if (++d > kLongestMonth[m - 1]) {
      d = 1;
      m = m == 12 ? 1 : m + 1;
    }
  }
}

bool InRange(month_day md, MonthDayRange range) noexcept {
  if (range.first <= range.last) return md >= range.first && md <= range.last;
  return md >= range.first || md <= range.last;  // across the year end
}

// The banks' closing days besides weekends and holidays (January 1 is 元日 anyway).
constexpr month_day kBankClosingDays[] = {std::chrono::December / 31, std::chrono::January / 2,
                                          std::chrono::January / 3};
// The government offices' closing days besides weekends and holidays, across the year end.
constexpr MonthDayRange kGovernmentClosingDays{std::chrono::December / 29,
                                               std::chrono::January / 3};

bool IsBankClosingDay(month_day md) noexcept {
  return std::find(std::begin(kBankClosingDays), std::end(kBankClosingDays), md) !=
         std::end(kBankClosingDays);
}

bool IsGovernmentClosingDay(month_day md) noexcept {
  return InRange(md, kGovernmentClosingDays);
}

// Days closed every year by the options' month-day rules.
MonthMasks YearlyClosedDays(const BusinessCalendarOptions& options) noexcept {
  MonthMasks masks{};
  if (options.bankClosingDays) {
    for (const month_day md : kBankClosingDays) Set(masks, md);
  }
  if (options.governmentClosingDays) SetRange(masks, kGovernmentClosingDays);
  for (const MonthDayRange& range : options.yearlyClosed) SetRange(masks, range);
  return masks;
}

// kWeekendDays[c] bit j: day j + 1 of a month whose first day has c_encoding c falls on a weekday
// of the set.
std::array<std::uint32_t, 7> WeekendDays(WeekdaySet weekend) noexcept {
  std::array<std::uint32_t, 7> masks{};
  for (unsigned first = 0; first < 7; ++first) {
    for (unsigned j = 0; j < 31; ++j) {
      if (weekend.Contains(weekday{(first + j) % 7})) masks[first] |= 1U << j;
    }
  }
  return masks;
}

std::optional<CalendarError> Check(year_month_day date) noexcept {
  if (!date.ok()) return CalendarError::invalidDate;
  if (!IsCovered(date.year())) return CalendarError::outOfRange;
  return std::nullopt;
}

std::optional<CalendarError> CheckAll(const std::vector<year_month_day>& dates) noexcept {
  for (const year_month_day date : dates) {
    if (auto error = Check(date)) return error;
  }
  return std::nullopt;
}

}  // namespace

struct BusinessCalendar::Data {
  detail::DayBits open;
  std::vector<std::uint16_t> sampleWord;  // [k]: the word of open day k * kSampleEvery
  // For ClosedDays.
  WeekdaySet weekend;
  bool nationalHolidays = true;
  bool bankClosingDays = false;
  bool governmentClosingDays = false;
  std::vector<MonthDayRange> yearlyClosed;

  // Returns the day of 1600..2399 with `rank` open days before it; rank < open.Total().
  int Select(std::int64_t rank) const noexcept {
    const auto k = static_cast<std::size_t>(rank / kSampleEvery);
    const int lo = sampleWord[k];
    const int hi = k + 1 < sampleWord.size() ? sampleWord[k + 1] : kWordCount - 1;
    return open.Select(static_cast<int>(rank), lo, hi);
  }

  // Returns the first open day on or after `index`, or the last on or before it; -1 if none.
  int FirstOpenFrom(int index) const noexcept {
    const int rank = open.Rank(index);
    return rank < open.Total() ? Select(rank) : -1;
  }
  int LastOpenUntil(int index) const noexcept {
    const int rank = open.Rank(index + 1) - 1;
    return rank >= 0 ? Select(rank) : -1;
  }
};

Result<BusinessCalendar> BusinessCalendar::Make(const BusinessCalendarOptions& options) {
  for (const MonthDayRange& range : options.yearlyClosed) {
    if (!range.first.ok() || !range.last.ok()) return CalendarError::invalidDate;
  }
  if (auto error = CheckAll(options.closed)) return *error;
  if (auto error = CheckAll(options.working)) return *error;

  auto data = std::make_shared<Data>();
  data->weekend = options.weekend;
  data->nationalHolidays = options.nationalHolidays;
  data->bankClosingDays = options.bankClosingDays;
  data->governmentClosingDays = options.governmentClosingDays;
  data->yearlyClosed = options.yearlyClosed;

  // Month by month: the closed days of a month are a few masks or'ed together.
  const MonthMasks yearly = YearlyClosedDays(options);
  const auto weekendDays = WeekendDays(options.weekend);
  unsigned firstWeekday = weekday{kFirstDay}.c_encoding();
  int index = 0;
  for (year y = kFirstYear; y <= kLastYear; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned length = static_cast<unsigned>(
          std::chrono::year_month_day_last{y, std::chrono::month_day_last{month{m}}}.day());
      std::uint32_t closed = weekendDays[firstWeekday] | yearly[m - 1];
      if (options.nationalHolidays) closed |= detail::HolidayDaysOfMonth(y, month{m}) >> 1;
      const std::uint32_t monthDays = (1U << length) - 1;  // length <= 31
      data->open.SetRun(index, ~closed & monthDays, length);
      index += static_cast<int>(length);
      firstWeekday = (firstWeekday + length) % 7;
    }
  }
  // Opening wins: the working dates go last.
  for (const year_month_day date : options.closed)
    data->open.Clear(detail::IndexOf(sys_days{date}));
  for (const year_month_day date : options.working) data->open.Set(detail::IndexOf(sys_days{date}));
  data->open.Count();

  for (int word = 0, nextRank = 0; word < kWordCount; ++word) {
    while (nextRank < data->open.RankOfWord(word + 1)) {
      data->sampleWord.push_back(static_cast<std::uint16_t>(word));
      nextRank += kSampleEvery;
    }
  }
  return BusinessCalendar{std::move(data)};
}

Result<bool> BusinessCalendar::IsBusinessDay(sys_days day) const noexcept {
  const int index = detail::IndexOf(day);
  if (!detail::IsIndex(index)) return CalendarError::outOfRange;
  return data_->open.Test(index);
}

Result<bool> BusinessCalendar::IsBusinessDay(year_month_day date) const noexcept {
  if (const auto index = detail::DateIndex(date)) return data_->open.Test(*index);
  return Check(date).value_or(CalendarError::invalidDate);  // every date without an index fails
}

Result<sys_days> BusinessCalendar::Add(sys_days from, int n) const noexcept {
  const int index = detail::IndexOf(from);
  if (!detail::IsIndex(index)) return CalendarError::outOfRange;
  if (n == 0) return from;
  // The rank of the answer: n open days after the day, or -n before it.
  const std::int64_t rank = n > 0 ? std::int64_t{data_->open.Rank(index + 1)} + n - 1
                                  : std::int64_t{data_->open.Rank(index)} + n;
  if (rank < 0 || rank >= data_->open.Total()) return CalendarError::outOfRange;
  return kFirstDay + days{data_->Select(rank)};
}

Result<year_month_day> BusinessCalendar::Add(year_month_day from, int n) const noexcept {
  if (auto error = Check(from)) return *error;
  const auto answer = Add(sys_days{from}, n);
  if (!answer) return answer.error();
  return year_month_day{*answer};
}

Result<int> BusinessCalendar::Count(sys_days from, sys_days to) const noexcept {
  const int first = detail::IndexOf(from);
  const int last = detail::IndexOf(to);
  if (!detail::IsIndex(first) || !detail::IsIndex(last)) return CalendarError::outOfRange;
  return data_->open.Rank(last) - data_->open.Rank(first);
}

Result<int> BusinessCalendar::Count(year_month_day from, year_month_day to) const noexcept {
  if (auto error = Check(from)) return *error;
  if (auto error = Check(to)) return *error;
  return Count(sys_days{from}, sys_days{to});
}

Result<int> BusinessCalendar::CountInclusive(year_month_day first,
                                             year_month_day last) const noexcept {
  if (auto error = Check(first)) return *error;
  if (auto error = Check(last)) return *error;
  if (last < first) return CalendarError::invalidRange;
  return data_->open.Rank(detail::IndexOf(sys_days{last}) + 1) -
         data_->open.Rank(detail::IndexOf(sys_days{first}));
}

Result<year_month_day> BusinessCalendar::Next(year_month_day date) const noexcept {
  return Add(date, 1);
}

Result<year_month_day> BusinessCalendar::Previous(year_month_day date) const noexcept {
  return Add(date, -1);
}

Result<year_month_day> BusinessCalendar::Roll(year_month_day date,
                                              velunta::Roll roll) const noexcept {
  if (auto error = Check(date)) return *error;
  const int index = detail::IndexOf(sys_days{date});
  const auto monthOf = [](int day) { return year_month_day{kFirstDay + days{day}}.month(); };
  int answer = -1;
  switch (roll) {
    case velunta::Roll::following:
      answer = data_->FirstOpenFrom(index);
      break;
    case velunta::Roll::preceding:
      answer = data_->LastOpenUntil(index);
      break;
    case velunta::Roll::modifiedFollowing:
      answer = data_->FirstOpenFrom(index);
      // Leaving the month (or the covered years, which leaves it too) turns back.
      if (answer < 0 || monthOf(answer) != date.month()) answer = data_->LastOpenUntil(index);
      break;
    case velunta::Roll::modifiedPreceding:
      answer = data_->LastOpenUntil(index);
      if (answer < 0 || monthOf(answer) != date.month()) answer = data_->FirstOpenFrom(index);
      break;
  }
  if (answer < 0) return CalendarError::outOfRange;
  return year_month_day{kFirstDay + days{answer}};
}

Result<std::vector<ClosedDay>> BusinessCalendar::ClosedDays(year y) const {
  if (!IsCovered(y)) return CalendarError::outOfRange;
  return ClosedDays(y / std::chrono::January / 1, y / std::chrono::December / 31);
}

Result<std::vector<ClosedDay>> BusinessCalendar::ClosedDays(year_month_day first,
                                                            year_month_day last) const {
  if (!first.ok() || !last.ok()) return CalendarError::invalidDate;
  if (!IsCovered(first.year()) || !IsCovered(last.year())) return CalendarError::outOfRange;
  if (last < first) return CalendarError::invalidRange;
  std::vector<ClosedDay> list;
  const Data& data = *data_;
  const int end = detail::IndexOf(sys_days{last}) + 1;
  for (int index = detail::IndexOf(sys_days{first}); index < end; ++index) {
    if (data.open.Test(index)) continue;
    const sys_days day = kFirstDay + days{index};
    const year_month_day date{day};
    const month_day md = date.month() / date.day();
    ClosedDay closed{date, weekday{day}, {}, std::nullopt};
    if (data.nationalHolidays) {
      if (auto holiday = HolidayOn(date); holiday.has_value() && *holiday) {
        closed.reasons.Add(ClosedReason::holiday);
        closed.holiday = *holiday;
      }
    }
    if (data.weekend.Contains(closed.weekday)) closed.reasons.Add(ClosedReason::weekend);
    if (data.bankClosingDays && IsBankClosingDay(md)) {
      closed.reasons.Add(ClosedReason::bankClosingDay);
    }
    if (data.governmentClosingDays && IsGovernmentClosingDay(md)) {
      closed.reasons.Add(ClosedReason::governmentClosingDay);
    }
    for (const MonthDayRange& range : data.yearlyClosed) {
      if (InRange(md, range)) closed.reasons.Add(ClosedReason::yearlyClosure);
    }
    // The extra dates are in the bits only: a closed day with no other reason is one of them.
    if (closed.reasons.empty()) closed.reasons.Add(ClosedReason::closedDate);
    list.push_back(std::move(closed));
  }
  return list;
}

std::vector<ClosedReason> ClosedReasons::List() const {
  std::vector<ClosedReason> list;
  for (unsigned bit = 1; bit <= static_cast<unsigned>(ClosedReason::closedDate); bit <<= 1) {
    if ((bits_ & bit) != 0) list.push_back(static_cast<ClosedReason>(bit));
  }
  return list;
}

std::string_view ClosedReasonId(ClosedReason reason) noexcept {
  switch (reason) {
    case ClosedReason::holiday:
      return "holiday";
    case ClosedReason::weekend:
      return "weekend";
    case ClosedReason::bankClosingDay:
      return "bank-closing-day";
    case ClosedReason::governmentClosingDay:
      return "government-closing-day";
    case ClosedReason::yearlyClosure:
      return "yearly-closure";
    case ClosedReason::closedDate:
      return "closed-date";
  }
  return "unknown";
}

std::string_view ClosedReasonName(ClosedReason reason) noexcept {
  switch (reason) {
    case ClosedReason::holiday:
      return "祝日";
    case ClosedReason::weekend:
      return "週末";
    case ClosedReason::bankClosingDay:
      return "銀行休業日";
    case ClosedReason::governmentClosingDay:
      return "行政機関の休日";
    case ClosedReason::yearlyClosure:
      return "年間休業日";
    case ClosedReason::closedDate:
      return "休業日";
  }
  return "不明";
}

std::string_view ClosedReasonNameEn(ClosedReason reason) noexcept {
  switch (reason) {
    case ClosedReason::holiday:
      return "Holiday";
    case ClosedReason::weekend:
      return "Weekend";
    case ClosedReason::bankClosingDay:
      return "Bank closing day";
    case ClosedReason::governmentClosingDay:
      return "Government offices' closing day";
    case ClosedReason::yearlyClosure:
      return "Yearly closure";
    case ClosedReason::closedDate:
      return "Closed date";
  }
  return "Unknown";
}

}  // namespace velunta
