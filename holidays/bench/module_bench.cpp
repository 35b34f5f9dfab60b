// One benchmark per public procedure, on every date of 1949-2099 where it takes a date.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <velunta/Mdl_Velunta.h>
#include <ql/time/calendars/japan.hpp>

#include "../tests/counting_new.h"

namespace {

using namespace std::chrono;

struct Date {
  std::int16_t year, month, day;
};

const std::vector<Date>& AllDates() {
  static const std::vector<Date> dates = [] {
    std::vector<Date> out;
    for (sys_days d = sys_days{1949y / 1 / 1}; d <= sys_days{2099y / 12 / 31}; d += days{1}) {
      const year_month_day ymd{d};
      out.push_back({static_cast<std::int16_t>(static_cast<int>(ymd.year())),
                     static_cast<std::int16_t>(static_cast<unsigned>(ymd.month())),
                     static_cast<std::int16_t>(static_cast<unsigned>(ymd.day()))});
    }
    return out;
  }();
  return dates;
}

const std::vector<std::string>& AllTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> out;
    for (const Date& d : AllDates()) {
      char buffer[24];
      std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", d.year, d.month, d.day);
      out.emplace_back(buffer);
    }
    return out;
  }();
  return texts;
}

void ReportAllocations(benchmark::State& state, std::size_t before) {
  state.counters["allocs/call"] = benchmark::Counter(
      static_cast<double>(velunta::holidays::testing::HeapAllocations() - before),
      benchmark::Counter::kAvgIterations);
}

void BM_GetHolidayInfo(benchmark::State& state) {
  const auto& dates = AllDates();
  std::size_t i = 0;
  std::int16_t isHoliday = 0;
  std::int16_t code = 0;
  const std::size_t before = velunta::holidays::testing::HeapAllocations();
  for (auto _ : state) {
    const Date& d = dates[i];
    benchmark::DoNotOptimize(Mdl_Velunta::GetHolidayInfo(d.year, d.month, d.day, isHoliday, code));
    benchmark::DoNotOptimize(code);
    if (++i == dates.size()) i = 0;
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_GetHolidayInfo);

void BM_GetHolidayInfoByText(benchmark::State& state) {
  const auto& texts = AllTexts();
  std::size_t i = 0;
  std::int16_t isHoliday = 0;
  std::int16_t code = 0;
  const std::size_t before = velunta::holidays::testing::HeapAllocations();
  for (auto _ : state) {
    benchmark::DoNotOptimize(Mdl_Velunta::GetHolidayInfoByText(texts[i], isHoliday, code));
    benchmark::DoNotOptimize(code);
    if (++i == texts.size()) i = 0;
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_GetHolidayInfoByText);

void BM_GetHolidayName(benchmark::State& state) {
  std::string name;
  std::int16_t kind = 0;
  std::int16_t code = 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Mdl_Velunta::GetHolidayName(code, name, kind));
    code = static_cast<std::int16_t>(code == 181 ? 10 : code + 1);
  }
}
BENCHMARK(BM_GetHolidayName);

void BM_GetVernalEquinoxDay(benchmark::State& state) {
  std::int16_t year = 1900;
  std::int16_t day = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Mdl_Velunta::GetVernalEquinoxDay(year, day));
    year = static_cast<std::int16_t>(year == 2099 ? 1900 : year + 1);
  }
}
BENCHMARK(BM_GetVernalEquinoxDay);

// One year's list, the arrays fresh each time as the window passes them.
void BM_GetYearHolidays(benchmark::State& state) {
  const auto includeSundays = static_cast<std::int16_t>(state.range(0));
  const std::int16_t year = 2005;
  for (auto _ : state) {
    std::int16_t count = 0;
    std::vector<std::string> dates, names;
    std::vector<std::int16_t> weekdays;
    benchmark::DoNotOptimize(
        Mdl_Velunta::GetYearHolidays(year, includeSundays, count, dates, names, weekdays));
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_GetYearHolidays)->Arg(0)->Arg(-1)->Unit(benchmark::kMicrosecond);

// QuantLib's Japan calendar: the holidays of 2005, weekends left out (0) or included (1). Only
// the time is compared with GetYearHolidays; QuantLib's days off are its own.
void BM_QuantLibHolidayList(benchmark::State& state) {
  const QuantLib::Japan calendar;
  const bool includeWeekends = state.range(0) != 0;
  QuantLib::Date first(1, QuantLib::January, 2005);
  QuantLib::Date last(31, QuantLib::December, 2005);
  for (auto _ : state) {
    benchmark::DoNotOptimize(first);
    benchmark::DoNotOptimize(last);
    auto list = calendar.holidayList(first, last, includeWeekends);
    benchmark::DoNotOptimize(list);
  }
}
BENCHMARK(BM_QuantLibHolidayList)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
