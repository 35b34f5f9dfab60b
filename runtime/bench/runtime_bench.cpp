// One benchmark per operation on the module's hot path, on fixed inputs.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "velunta/runtime/date_text.h"
#include "velunta/runtime/date_value.h"
#include "velunta/runtime/number_text.h"

namespace velunta::runtime {
namespace {

void ParseText(benchmark::State& state, std::string_view text) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    auto date = ParseDate(text);
    benchmark::DoNotOptimize(date);
  }
}

void BM_ParseDatePadded(benchmark::State& state) {
  ParseText(state, "2005/05/04");
}
BENCHMARK(BM_ParseDatePadded);

void BM_ParseDateUnpadded(benchmark::State& state) {
  ParseText(state, "2005/5/4");
}
BENCHMARK(BM_ParseDateUnpadded);

void BM_ParseDateFullWidth(benchmark::State& state) {
  ParseText(state, "２００５／０５／０４");
}
BENCHMARK(BM_ParseDateFullWidth);

void BM_ParseDateEraKanji(benchmark::State& state) {
  ParseText(state, "平成17年5月4日");
}
BENCHMARK(BM_ParseDateEraKanji);

void BM_ParseDateEraLetter(benchmark::State& state) {
  ParseText(state, "H17/5/4");
}
BENCHMARK(BM_ParseDateEraLetter);

void BM_FormatDateYYYYMMDD(benchmark::State& state) {
  DateValue value = 38476.0;  // 2005-05-04
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    auto text = FormatDate(value, "YYYY/MM/DD");
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatDateYYYYMMDD);

void BM_FormatDateWeekdayOfText(benchmark::State& state) {
  std::string_view text = "2005/5/4";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    auto weekday = FormatDate(text, "w");
    benchmark::DoNotOptimize(weekday);
  }
}
BENCHMARK(BM_FormatDateWeekdayOfText);

void BM_FormatDateAaa(benchmark::State& state) {
  DateValue value = 4.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    auto name = FormatDate(value, "aaa");
    benchmark::DoNotOptimize(name);
  }
}
BENCHMARK(BM_FormatDateAaa);

void BM_TextToDate(benchmark::State& state) {
  std::string_view text = "2005/12/31";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    auto value = TextToDate(text);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_TextToDate);

// What the year list does: 365 days formatted and read back.
void BM_YearOfTextsRoundTrip(benchmark::State& state) {
  DateValue first = 38353.0;  // 2005-01-01
  for (auto _ : state) {
    benchmark::DoNotOptimize(first);
    for (DateValue day = first; day < first + 365.0; day += 1.0) {
      auto date = ParseDate(FormatDate(day, "YYYY/MM/DD"));
      benchmark::DoNotOptimize(date);
    }
  }
}
BENCHMARK(BM_YearOfTextsRoundTrip);

void BM_TextToInt16(benchmark::State& state) {
  std::string_view text = "2005";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    auto value = TextToInt16(text);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_TextToInt16);

void BM_Int16ToText(benchmark::State& state) {
  std::int16_t value = 2005;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    auto text = Int16ToText(value);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_Int16ToText);

}  // namespace
}  // namespace velunta::runtime
