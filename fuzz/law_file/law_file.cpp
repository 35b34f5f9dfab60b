// The law-file reader with arbitrary text, and the engine with the laws it accepts: a file is
// either accepted whole or refused with one line naming a line of it; a law it accepts answers
// alike through its year lists and its month bits, whatever its rows (long runs of holidays,
// rows in any order), without a crash or a loop.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <velunta/law_file.h>

#include "../../calendar/src/law.h"
#include "../../calendar/src/law_tables.h"
#include "../common/fuzz_check.h"

namespace {

using velunta::fuzz::Escaped;
using velunta::fuzz::Require;
using namespace std::chrono;

constexpr std::string_view kName = "fuzz.toml";

// Builds tables of an accepted description as the library does, but freed after the input,
// since the library keeps each law it makes for good.
void CheckEngine(const velunta::LawDescription& law) {
  std::vector<velunta::detail::Rule> rules;
  for (const auto& row : law.rows) {
    rules.push_back({row.month, row.rule, row.value, row.first, row.last, row.kind, row.name,
                     row.listName, row.nameEn});
  }
  std::stable_sort(rules.begin(), rules.end(),
                   [](const auto& a, const auto& b) { return a.month < b.month; });
  const auto tables = std::make_unique<velunta::detail::LawTables>(
      rules,
      velunta::detail::RuleDates{law.substituteFrom, law.substituteNextFreeDay, law.citizensFrom,
                                 law.citizensAnyWeekday},
      law.lastAnnouncedEquinoxYear, law.version, "fuzz");
  // A few years: those the rows start and end in, and the first years of the derived rules.
  std::vector<int> years = {1948, 2007, 2399};
  for (const auto& row : law.rows) {
    years.push_back(std::max(row.first, 1948));
    years.push_back(std::max(row.last, 1948));
  }
  std::sort(years.begin(), years.end());
  years.erase(std::unique(years.begin(), years.end()), years.end());
  for (const int yi : years) {
    const year y{yi};
    const auto list = velunta::detail::YearHolidays(*tables, y, velunta::LabelStyle::official);
    std::uint32_t listed[12] = {};
    for (std::size_t i = 0; i < list.size(); ++i) {
      Require(i == 0 || list[i - 1].date < list[i].date, "a year's list is in date order",
              std::to_string(yi));
      listed[static_cast<unsigned>(list[i].date.month()) - 1] |=
          1U << static_cast<unsigned>(list[i].date.day());
    }
    for (unsigned m = 1; m <= 12; ++m) {
      Require(velunta::detail::HolidayDaysOfMonth(*tables, y, month{m}) == listed[m - 1],
              "the month bits are the days of the year's list",
              std::to_string(yi) + "-" + std::to_string(m));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto law = velunta::ReadLawDescription(text, kName);
  if (law.has_value()) {
    CheckEngine(*law);
    return 0;
  }
  const auto& error = law.error();
  const std::string line = error.ToString();
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  Require(error.file == kName, "the error names the file", line);
  Require(error.line >= 1 && error.line <= lines, "the error names a line of the file",
          line + " of " + std::to_string(lines));
  Require(std::none_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
          "the message is one line without control characters", Escaped(line));
  return 0;
}
