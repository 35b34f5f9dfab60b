// The law read from a file against the built-in law: reading and building it, and the lookups
// answered by each, in the same run.

#include <benchmark/benchmark.h>
#include <velunta/business_calendar.h>
#include <velunta/calendar.h>
#include <velunta/law.h>
#include <velunta/law_file.h>

#include <chrono>
#include <fstream>
#include <string>

namespace {

using namespace std::chrono;

const std::string& LawText() {
  static const std::string text = [] {
    std::ifstream in(VELUNTA_LAW_FILE, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  return text;
}

const velunta::Law& FileLaw() {
  static const velunta::Law& law = **velunta::ReadLaw(LawText(), "law.toml");
  return law;
}

// Arg 0: the built-in law; 1: the same law read from the file.
const velunta::Law& LawOf(const benchmark::State& state) {
  return state.range(0) == 0 ? velunta::BuiltInLaw() : FileLaw();
}

// Reading the file's text, checking it, building the law and filling the holidays of every year
// 1948–2399, as a program does at start or a server on SIGHUP. Each law made stays in memory
// (some 95 KB), hence the bounded iterations.
void BM_ReadLawAndFillEveryYear(benchmark::State& state) {
  for (auto _ : state) {
    auto law = velunta::ReadLaw(LawText(), "law.toml");
    velunta::UseLaw(**law);
    bool any = false;
    for (year y = 1948y; y <= 2399y; ++y)
      any ^= velunta::IsHoliday(y / January / 1d).value_or(false);
    benchmark::DoNotOptimize(any);
  }
  velunta::UseLaw(velunta::BuiltInLaw());
}
BENCHMARK(BM_ReadLawAndFillEveryYear)->Unit(benchmark::kMillisecond)->Iterations(200);

// The holiday on every date of 1948–2399; the rate is per date.
void BM_HolidayOnEveryDateByLaw(benchmark::State& state) {
  velunta::UseLaw(LawOf(state));
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
  velunta::UseLaw(velunta::BuiltInLaw());
}
BENCHMARK(BM_HolidayOnEveryDateByLaw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// IsBusinessDay on every date of 1948–2399 of a calendar made under each law.
void BM_IsBusinessDayEveryDateByLaw(benchmark::State& state) {
  velunta::UseLaw(LawOf(state));
  const auto calendar = *velunta::BusinessCalendar::Make({});
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
  velunta::UseLaw(velunta::BuiltInLaw());
}
BENCHMARK(BM_IsBusinessDayEveryDateByLaw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
