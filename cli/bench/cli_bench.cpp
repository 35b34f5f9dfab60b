// The command's speed: in-process (the command's own work) and as a whole process (start-up
// included), for the year list of the whole law calendar and for a single check.

#include <benchmark/benchmark.h>

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

}  // namespace
