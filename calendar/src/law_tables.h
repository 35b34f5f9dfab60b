#pragma once
// A law as the engine reads it: its rows sorted by month, the days each month can hold a
// national holiday on, and the lazily filled bits of every year's holidays.

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

#include <velunta/calendar.h>
#include <velunta/law.h>

#include "equinox_table.h"

namespace velunta::detail {

struct Rule {
  unsigned month;
  LawDayRule on;
  unsigned value;
  int first;  // first and last year in force, both included
  int last;
  HolidayKind kind;
  std::string_view name;      // official name
  std::string_view listName;  // label of the Cabinet Office list when it differs, else empty
  std::string_view nameEn;
};

// The dates the derived holidays took effect.
struct RuleDates {
  // Substitute holidays: from `substituteFrom` the Monday after a national holiday on a Sunday;
  // from `substituteNextFreeDay` the first day after it that is no national holiday.
  std::chrono::year_month_day substituteFrom;
  std::chrono::year_month_day substituteNextFreeDay;
  // Citizens' holidays: from `citizensFrom` a day between two national holidays; before
  // `citizensAnyWeekday` not on a Sunday nor on a substitute holiday.
  std::chrono::year_month_day citizensFrom;
  std::chrono::year_month_day citizensAnyWeekday;
};

inline constexpr int kFirstHolidayYear = static_cast<int>(kActInForce.year());
inline constexpr int kHolidayYears = static_cast<int>(kLastYear) - kFirstHolidayYear + 1;
// The shift of the bits of the days that exist in a filled month word.
inline constexpr unsigned kDaysExist = 32;

// Returns the date written "YYYY-MM-DD", or a date that is not ok() for any other text.
constexpr std::chrono::year_month_day IsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return {};
  int parts[3] = {};
  const std::size_t at[3][2] = {{0, 4}, {5, 2}, {8, 2}};
  for (std::size_t p = 0; p < 3; ++p) {
    for (std::size_t k = at[p][0]; k < at[p][0] + at[p][1]; ++k) {
      if (text[k] < '0' || text[k] > '9') return {};
      parts[p] = parts[p] * 10 + (text[k] - '0');
    }
  }
  return {std::chrono::year{parts[0]}, std::chrono::month{static_cast<unsigned>(parts[1])},
          std::chrono::day{static_cast<unsigned>(parts[2])}};
}

// Returns, for each month, the days on which some row can fall in some year: most dates fail
// this one test.
constexpr std::array<std::uint32_t, 13> CandidateDays(std::span<const Rule> rules) {
  std::array<std::uint32_t, 13> mask{};
  unsigned equinoxLow[2] = {31, 31};
  unsigned equinoxHigh[2] = {1, 1};
  for (const auto& yearDays : kEquinoxDay) {
    for (std::size_t s = 0; s < 2; ++s) {
      equinoxLow[s] = std::min<unsigned>(equinoxLow[s], yearDays[s]);
      equinoxHigh[s] = std::max<unsigned>(equinoxHigh[s], yearDays[s]);
    }
  }
  auto setDays = [&mask](unsigned m, unsigned from, unsigned to) {
    for (unsigned d = from; d <= to; ++d) mask[m] |= 1U << d;
  };
  for (const Rule& rule : rules) {
    switch (rule.on) {
      case LawDayRule::fixedDay:
        setDays(rule.month, rule.value, rule.value);
        break;
      case LawDayRule::nthMonday:
        setDays(rule.month, 7 * rule.value - 6, 7 * rule.value);
        break;
      case LawDayRule::equinox: {
        const std::size_t s = rule.month == 3 ? 0 : 1;
        setDays(rule.month, equinoxLow[s], equinoxHigh[s]);
        break;
      }
    }
  }
  return mask;
}

// Returns where each month's rows begin: rows of month m are [begin[m], begin[m + 1]).
constexpr std::array<std::uint16_t, 14> MonthBegin(std::span<const Rule> rules) {
  std::array<std::uint16_t, 14> begin{};
  for (unsigned m = 1; m <= 13; ++m) {
    std::size_t i = 0;
    while (i < rules.size() && rules[i].month < m) ++i;
    begin[m] = static_cast<std::uint16_t>(i);
  }
  return begin;
}

struct LawTables {
  // `rules` sorted by month, outliving the tables.
  constexpr LawTables(std::span<const Rule> sortedRules, RuleDates ruleDates, int lastAnnounced,
                      std::string_view dataVersion, std::string_view dataSource)
      : rules(sortedRules),
        monthBegin(MonthBegin(sortedRules)),
        candidateDays(CandidateDays(sortedRules)),
        dates(ruleDates),
        lastAnnouncedEquinoxYear(lastAnnounced),
        version(dataVersion),
        versionDate(IsoDate(dataVersion)),
        source(dataSource),
        handle(*this) {}
  LawTables(const LawTables&) = delete;
  LawTables& operator=(const LawTables&) = delete;

  std::span<const Rule> rules;
  std::array<std::uint16_t, 14> monthBegin;
  std::array<std::uint32_t, 13> candidateDays;
  RuleDates dates;
  int lastAnnouncedEquinoxYear;
  std::string_view version;
  std::chrono::year_month_day versionDate;  // version as a date
  std::string_view source;
  Law handle;
  // The holidays of each month as bits: months[year - 1948][month - 1] bit d, day d of that
  // month is a holiday of any kind; bit 32 + d, day d exists. 0 while the year is not filled. A
  // year is filled the first time one of its dates is asked, in about two microseconds; from then
  // on one load answers both "is it a date" and "is it a holiday". Each month is one atomic
  // word, complete when nonzero; threads that fill the same year at once store the same words.
  mutable std::array<std::array<std::atomic<std::uint64_t>, 12>, kHolidayYears> months{};
  // What each holiday is, filled with `months`: codes[year - 1948][month - 1] byte k, the k-th
  // holiday of that month (see CodeOf in law.cpp), so that labelling a holiday is a lookup,
  // not a walk through the rules. A byte still 0 (a month of more than eight holidays, a law of
  // more rows than a byte counts, or a word not yet seen by this thread) sends the lookup back to
  // the rules, which give the same answer.
  mutable std::array<std::array<std::atomic<std::uint64_t>, 12>, kHolidayYears> codes{};
};

// The tables of the law in use; UseLaw stores, every lookup loads (inline: HolidayOn's common
// path makes no call).
extern std::atomic<const LawTables*> lawInUse;

inline const LawTables& InUse() noexcept {
  return *lawInUse.load(std::memory_order_acquire);
}

}  // namespace velunta::detail
