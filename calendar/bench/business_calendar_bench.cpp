// BusinessCalendar against QuantLib's Japan calendar, the same operations in the same run. Only
// the time is compared: QuantLib's days off are not the law's.

#include <benchmark/benchmark.h>
#include <velunta/business_calendar.h>
#include <velunta/calendar_file.h>
#include <ql/time/calendars/japan.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace std::chrono;

const velunta::BusinessCalendar& LawCalendar() {
  static const velunta::BusinessCalendar calendar = *velunta::BusinessCalendar::Make({});
  return calendar;
}

// Every date of 1948–2399 in turn; the rate is per date.
void BM_CalendarIsBusinessDayEveryDate(benchmark::State& state) {
  const auto& calendar = LawCalendar();
  const sys_days first{1948y / 1 / 1};
  const sys_days last{2399y / 12 / 31};
  std::int64_t dates = 0;
  for (auto _ : state) {
    int open = 0;
    for (sys_days d = first; d <= last; d += days{1})
      open += calendar.IsBusinessDay(d).value_or(false);
    benchmark::DoNotOptimize(open);
    dates += (last - first).count() + 1;
  }
  state.SetItemsProcessed(dates);
}
BENCHMARK(BM_CalendarIsBusinessDayEveryDate)->Unit(benchmark::kMillisecond);

// The same with year_month_day dates, each checked for validity, read from an array in order
// (arg 0) or shuffled (arg 1).
void BM_CalendarIsBusinessDayEveryDateYmd(benchmark::State& state) {
  const auto& calendar = LawCalendar();
  std::vector<year_month_day> dates;
  for (sys_days d{1948y / 1 / 1}; d <= sys_days{2399y / 12 / 31}; d += days{1})
    dates.emplace_back(d);
  if (state.range(0) != 0) std::shuffle(dates.begin(), dates.end(), std::mt19937(1));
  for (auto _ : state) {
    int open = 0;
    for (const year_month_day date : dates) open += calendar.IsBusinessDay(date).value_or(false);
    benchmark::DoNotOptimize(open);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(dates.size()));
}
BENCHMARK(BM_CalendarIsBusinessDayEveryDateYmd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// QuantLib's dates end in 2199: every date of 1948–2199; the rate is per date.
void BM_QuantLibIsBusinessDayEveryDate(benchmark::State& state) {
  const QuantLib::Japan calendar;
  const QuantLib::Date first(1, QuantLib::January, 1948);
  const QuantLib::Date last(31, QuantLib::December, 2199);
  std::int64_t dates = 0;
  for (auto _ : state) {
    int open = 0;
    for (QuantLib::Date d = first; d <= last; ++d) open += calendar.isBusinessDay(d);
    benchmark::DoNotOptimize(open);
    dates += last - first + 1;
  }
  state.SetItemsProcessed(dates);
}
BENCHMARK(BM_QuantLibIsBusinessDayEveryDate)->Unit(benchmark::kMillisecond);

void BM_CalendarCountTenYears(benchmark::State& state) {
  const auto& calendar = LawCalendar();
  year_month_day from = 2020y / 1 / 1;
  year_month_day to = 2030y / 1 / 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(from);
    benchmark::DoNotOptimize(to);
    auto count = calendar.Count(from, to);
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_CalendarCountTenYears);

void BM_QuantLibCountTenYears(benchmark::State& state) {
  const QuantLib::Japan calendar;
  QuantLib::Date from(1, QuantLib::January, 2020);
  QuantLib::Date to(1, QuantLib::January, 2030);
  for (auto _ : state) {
    benchmark::DoNotOptimize(from);
    benchmark::DoNotOptimize(to);
    auto count = calendar.businessDaysBetween(from, to);
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_QuantLibCountTenYears)->Unit(benchmark::kMicrosecond);

// Add 250 business days (about a year) to a different date each time.
void BM_CalendarAdd250(benchmark::State& state) {
  const auto& calendar = LawCalendar();
  std::vector<year_month_day> dates;
  for (sys_days d{2020y / 1 / 1}; d < sys_days{2030y / 1 / 1}; d += days{1}) dates.emplace_back(d);
  std::size_t i = 0;
  for (auto _ : state) {
    auto to = calendar.Add(dates[i], 250);
    benchmark::DoNotOptimize(to);
    i = i + 1 == dates.size() ? 0 : i + 1;
  }
}
BENCHMARK(BM_CalendarAdd250);

void BM_QuantLibAdd250(benchmark::State& state) {
  const QuantLib::Japan calendar;
  std::vector<QuantLib::Date> dates;
  for (QuantLib::Date d(1, QuantLib::January, 2020); d < QuantLib::Date(1, QuantLib::January, 2030);
       ++d) {
    dates.push_back(d);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    auto to = calendar.advance(dates[i], 250, QuantLib::Days);
    benchmark::DoNotOptimize(to);
    i = i + 1 == dates.size() ? 0 : i + 1;
  }
}
BENCHMARK(BM_QuantLibAdd250)->Unit(benchmark::kMicrosecond);

void BM_CalendarRollModifiedFollowing(benchmark::State& state) {
  const auto& calendar = LawCalendar();
  year_month_day date = 2019y / 4 / 30;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    auto rolled = calendar.Roll(date, velunta::Roll::modifiedFollowing);
    benchmark::DoNotOptimize(rolled);
  }
}
BENCHMARK(BM_CalendarRollModifiedFollowing);

// A calendar with the law's holidays and the banks' closing days.
void BM_CalendarMake(benchmark::State& state) {
  const velunta::BusinessCalendarOptions options{.bankClosingDays = true};
  for (auto _ : state) {
    auto calendar = velunta::BusinessCalendar::Make(options);
    benchmark::DoNotOptimize(calendar);
  }
}
BENCHMARK(BM_CalendarMake)->Unit(benchmark::kMicrosecond);

std::vector<year_month_day> RandomDates(std::size_t count) {
  std::mt19937 random(1);
  std::uniform_int_distribution<int> pick(
      0, static_cast<int>((sys_days{velunta::kLastDate} - sys_days{velunta::kFirstDate}).count()));
  std::vector<year_month_day> dates;
  for (std::size_t i = 0; i < count; ++i) {
    dates.emplace_back(sys_days{velunta::kFirstDate} + days{pick(random)});
  }
  return dates;
}

// 144,000 extra closed dates (as `velunta business count --closed` may pass), then the count of
// 1600–2399: the in-process part of that command.
void BM_CalendarMakeAndCountWith144000Dates(benchmark::State& state) {
  const velunta::BusinessCalendarOptions options{.closed = RandomDates(144'000)};
  for (auto _ : state) {
    auto calendar = velunta::BusinessCalendar::Make(options);
    auto count = calendar->CountInclusive(velunta::kFirstDate, velunta::kLastDate);
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_CalendarMakeAndCountWith144000Dates)->Unit(benchmark::kMicrosecond);

// A calendar file of 1,000 closed dates read from disk into a calendar.
void BM_ReadCalendarFileOf1000Dates(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("velunta-bench-" + std::to_string(::getpid()) + ".toml");
  {
    std::ofstream out(path);
    out << "# 1,000 closed dates\nbank_closing_days = true\nclosed = [\n";
    for (const year_month_day date : RandomDates(1000)) {
      char line[24];
      std::snprintf(line, sizeof line, "  \"%04d-%02u-%02u\",\n", static_cast<int>(date.year()),
                    static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
      out << line;
    }
    out << "]\n";
  }
  for (auto _ : state) {
    auto calendar = velunta::ReadCalendarFile(path);
    if (!calendar) state.SkipWithError(calendar.error().ToString().c_str());
    benchmark::DoNotOptimize(calendar);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadCalendarFileOf1000Dates)->Unit(benchmark::kMicrosecond);

}  // namespace
