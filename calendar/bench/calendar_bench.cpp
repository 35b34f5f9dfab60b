// One benchmark per public operation, on fixed inputs.

#include <benchmark/benchmark.h>
#include <velunta/business_days.h>
#include <velunta/calendar.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "astronomy.h"

namespace {

using namespace std::chrono;

// The holiday on every date of 1948–2399 in turn, the dates walked as year, month and day; the
// rate is per date.
void BM_HolidayOnEveryDate(benchmark::State& state) {
  std::int64_t dates = 0;
  for (auto _ : state) {
    int holidays = 0;
    for (year y = 1948y; y <= 2399y; ++y) {
      for (unsigned mi = 1; mi <= 12; ++mi) {  // a month's ++ wraps from December to January
        const month m{mi};
        const day last = year_month_day_last{y, month_day_last{m}}.day();
        for (day d = 1d; d <= last; ++d) {
          auto holiday = velunta::HolidayOn(y / m / d);
          holidays += holiday.has_value() && holiday->has_value();
          ++dates;
        }
      }
    }
    benchmark::DoNotOptimize(holidays);
  }
  state.SetItemsProcessed(dates);
}
BENCHMARK(BM_HolidayOnEveryDate)->Unit(benchmark::kMillisecond);

// Every date of 1948–2399 as year_month_day values, in order or shuffled (as a binding's array of
// dates may come).
std::vector<year_month_day> EveryDate(bool shuffled) {
  std::vector<year_month_day> dates;
  for (sys_days d{1948y / 1 / 1}; d <= sys_days{2399y / 12 / 31}; d += days{1}) {
    dates.emplace_back(d);
  }
  if (shuffled) std::shuffle(dates.begin(), dates.end(), std::mt19937(1));
  return dates;
}

// The same dates read from an array, in order (arg 0) or shuffled (arg 1); the rate is per date.
void BM_HolidayOnEveryDateFromArray(benchmark::State& state) {
  const auto dates = EveryDate(state.range(0) != 0);
  for (auto _ : state) {
    int holidays = 0;
    for (const year_month_day date : dates) {
      auto holiday = velunta::HolidayOn(date);
      holidays += holiday.has_value() && holiday->has_value();
    }
    benchmark::DoNotOptimize(holidays);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(dates.size()));
}
BENCHMARK(BM_HolidayOnEveryDateFromArray)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// IsHoliday, the truth value alone, over the same array.
void BM_IsHolidayEveryDateFromArray(benchmark::State& state) {
  const auto dates = EveryDate(state.range(0) != 0);
  for (auto _ : state) {
    int holidays = 0;
    for (const year_month_day date : dates) holidays += velunta::IsHoliday(date).value_or(false);
    benchmark::DoNotOptimize(holidays);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(dates.size()));
}
BENCHMARK(BM_IsHolidayEveryDateFromArray)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The free IsBusinessDay with the default options over the same array.
void BM_IsBusinessDayEveryDateFromArray(benchmark::State& state) {
  const auto dates = EveryDate(state.range(0) != 0);
  for (auto _ : state) {
    int open = 0;
    for (const year_month_day date : dates) open += velunta::IsBusinessDay(date).value_or(false);
    benchmark::DoNotOptimize(open);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(dates.size()));
}
BENCHMARK(BM_IsBusinessDayEveryDateFromArray)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same dates walked as sys_days, as a loop over a day count does: each date is converted to a
// year_month_day first, which <chrono> does in about as long as the lookup itself.
void BM_HolidayOnEveryDateFromSysDays(benchmark::State& state) {
  const sys_days first{1948y / 1 / 1};
  const sys_days last{2399y / 12 / 31};
  std::int64_t dates = 0;
  for (auto _ : state) {
    int holidays = 0;
    for (sys_days d = first; d <= last; d += days{1}) {
      auto holiday = velunta::HolidayOn(year_month_day{d});
      holidays += holiday.has_value() && holiday->has_value();
    }
    benchmark::DoNotOptimize(holidays);
    dates += (last - first).count() + 1;
  }
  state.SetItemsProcessed(dates);
}
BENCHMARK(BM_HolidayOnEveryDateFromSysDays)->Unit(benchmark::kMillisecond);

// Converting every date of 1948–2399 from sys_days alone: the share of the loop above that is not
// the lookup.
void BM_YearMonthDayFromSysDays(benchmark::State& state) {
  const sys_days first{1948y / 1 / 1};
  const sys_days last{2399y / 12 / 31};
  std::int64_t dates = 0;
  for (auto _ : state) {
    for (sys_days d = first; d <= last; d += days{1}) {
      year_month_day date{d};
      benchmark::DoNotOptimize(date);
    }
    dates += (last - first).count() + 1;
  }
  state.SetItemsProcessed(dates);
}
BENCHMARK(BM_YearMonthDayFromSysDays)->Unit(benchmark::kMillisecond);

void BM_HolidayOnOneDate(benchmark::State& state) {
  year_month_day date = 2019y / 5 / 2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto holiday = velunta::HolidayOn(date);
    benchmark::DoNotOptimize(holiday);
  }
}
BENCHMARK(BM_HolidayOnOneDate);

void BM_HolidaysOfYear(benchmark::State& state) {
  year y = 2019y;
  for (auto _ : state) {
    benchmark::DoNotOptimize(y);
    auto list = velunta::HolidaysOfYear(y);
    benchmark::DoNotOptimize(list);
  }
}
BENCHMARK(BM_HolidaysOfYear);

void BM_HolidaysBetweenTenYears(benchmark::State& state) {
  year_month_day first = 2020y / 1 / 1;
  year_month_day last = 2029y / 12 / 31;
  for (auto _ : state) {
    benchmark::DoNotOptimize(first);
    benchmark::DoNotOptimize(last);
    auto list = velunta::HolidaysBetween(first, last);
    benchmark::DoNotOptimize(list);
  }
}
BENCHMARK(BM_HolidaysBetweenTenYears);

// The live astronomical computation of one equinox instant (ERFA, ΔT, root finding).
void BM_EquinoxInstantAstronomy(benchmark::State& state) {
  int y = 2024;
  for (auto _ : state) {
    benchmark::DoNotOptimize(y);
    auto instant = velunta::astronomy::EquinoxInstant(y, velunta::Season::autumnal);
    benchmark::DoNotOptimize(instant);
  }
}
BENCHMARK(BM_EquinoxInstantAstronomy)->Unit(benchmark::kMicrosecond);

// The library's answer, read from the build-time table.
void BM_EquinoxesOf(benchmark::State& state) {
  year y = 2024y;
  for (auto _ : state) {
    benchmark::DoNotOptimize(y);
    auto both = velunta::EquinoxesOf(y);
    benchmark::DoNotOptimize(both);
  }
}
BENCHMARK(BM_EquinoxesOf);

void BM_IsBusinessDay(benchmark::State& state) {
  year_month_day date = 2024y / 5 / 7;
  const velunta::BusinessDayOptions options{.bankClosingDays = true};
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto open = velunta::IsBusinessDay(date, options);
    benchmark::DoNotOptimize(open);
  }
}
BENCHMARK(BM_IsBusinessDay);

void BM_AddTwentyBusinessDays(benchmark::State& state) {
  year_month_day date = 2024y / 4 / 20;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto to = velunta::AddBusinessDays(date, 20);
    benchmark::DoNotOptimize(to);
  }
}
BENCHMARK(BM_AddTwentyBusinessDays);

void BM_CountBusinessDaysOneYear(benchmark::State& state) {
  year_month_day from = 2024y / 1 / 1;
  year_month_day to = 2025y / 1 / 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(from);
    auto count = velunta::CountBusinessDays(from, to);
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_CountBusinessDaysOneYear)->Unit(benchmark::kMicrosecond);

void BM_RollModifiedFollowing(benchmark::State& state) {
  year_month_day date = 2019y / 4 / 30;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto rolled = velunta::RollToBusinessDay(date, velunta::Roll::modifiedFollowing);
    benchmark::DoNotOptimize(rolled);
  }
}
BENCHMARK(BM_RollModifiedFollowing);

// Sixteen closing dates of the caller's around Golden Week, the same list on every call.
std::vector<year_month_day> SixteenClosedDates() {
  std::vector<year_month_day> dates;
  for (sys_days d{2024y / 4 / 15}; dates.size() < 16; d += days{2}) dates.emplace_back(d);
  return dates;
}

void BM_IsBusinessDayWithClosedDates(benchmark::State& state) {
  const auto closed = SixteenClosedDates();
  const velunta::BusinessDayOptions options{.extraClosedDays = closed};
  year_month_day date = 2024y / 5 / 7;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto open = velunta::IsBusinessDay(date, options);
    benchmark::DoNotOptimize(open);
  }
}
BENCHMARK(BM_IsBusinessDayWithClosedDates);

void BM_AddTwentyBusinessDaysWithClosedDates(benchmark::State& state) {
  const auto closed = SixteenClosedDates();
  const velunta::BusinessDayOptions options{.extraClosedDays = closed};
  year_month_day date = 2024y / 4 / 20;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto to = velunta::AddBusinessDays(date, 20, options);
    benchmark::DoNotOptimize(to);
  }
}
BENCHMARK(BM_AddTwentyBusinessDaysWithClosedDates);

}  // namespace
