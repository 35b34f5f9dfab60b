// The command's speed: in-process (the command's own work) and as a whole process (start-up
// included), for the year list of the whole law calendar and for a single check.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "run.h"
#include "run_binary.h"

namespace {

void RunInProcess(benchmark::State& state, const std::vector<std::string>& args) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    int status = velunta::cli::Run(args, out, err);
    benchmark::DoNotOptimize(status);
    bytes = out.str().size();
  }
  state.counters["output_bytes"] = static_cast<double>(bytes);
}

void RunAsProcess(benchmark::State& state, const std::vector<std::string>& args) {
  for (auto _ : state) {
    auto outcome = velunta::cli::testing::RunVelunta(args);
    benchmark::DoNotOptimize(outcome);
    if (outcome.status > 1) state.SkipWithError("velunta failed");
  }
}

void BM_ListJson1948To2399(benchmark::State& state) {
  RunInProcess(state, {"list", "1948", "2399", "--format=json"});
}
BENCHMARK(BM_ListJson1948To2399)->Unit(benchmark::kMillisecond);

void BM_ListIcs1948To2399(benchmark::State& state) {
  RunInProcess(state, {"list", "1948", "2399", "--format=ics"});
}
BENCHMARK(BM_ListIcs1948To2399)->Unit(benchmark::kMillisecond);

void BM_ListClassicText1949To2099(benchmark::State& state) {
  RunInProcess(state, {"--rules=classic", "list", "1949", "2099"});
}
BENCHMARK(BM_ListClassicText1949To2099)->Unit(benchmark::kMillisecond);

void BM_Check(benchmark::State& state) {
  RunInProcess(state, {"check", "2026/05/06"});
}
BENCHMARK(BM_Check)->Unit(benchmark::kMicrosecond);

void BM_CheckClassic(benchmark::State& state) {
  RunInProcess(state, {"--rules=classic", "check", "2005/03/21"});
}
BENCHMARK(BM_CheckClassic)->Unit(benchmark::kMicrosecond);

void BM_CheckProcess(benchmark::State& state) {
  RunAsProcess(state, {"check", "2026/05/06"});
}
BENCHMARK(BM_CheckProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ListJson1948To2399Process(benchmark::State& state) {
  RunAsProcess(state, {"list", "1948", "2399", "--format=json"});
}
BENCHMARK(BM_ListJson1948To2399Process)->Unit(benchmark::kMillisecond)->UseRealTime();

// The business days of the whole covered range with 144,000 own closing dates (every other day
// from 1600), given as --closed lists of 1,000 dates each: a long company calendar on the command
// line, from process start to exit.
std::vector<std::string> CountWithClosedDates() {
  using namespace std::chrono;
  std::vector<std::string> args = {"business", "count", "1600/01/01", "2399/12/31"};
  sys_days day{1600y / 1 / 1};
  for (int list = 0; list < 144; ++list) {
    std::string dates;
    for (int i = 0; i < 1000; ++i, day += days{2}) {
      const year_month_day date{day};
      char text[16];
      std::snprintf(text, sizeof text, "%04d/%02u/%02u,", static_cast<int>(date.year()),
                    static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
      dates += text;
    }
    dates.pop_back();
    args.insert(args.end(), {"--closed", dates});
  }
  return args;
}

void BM_BusinessCount144000ClosedProcess(benchmark::State& state) {
  RunAsProcess(state, CountWithClosedDates());
}
BENCHMARK(BM_BusinessCount144000ClosedProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
