#pragma once
// The equinox instants (equinox_table.inc, written by make_equinox_table.cpp from the live
// astronomy and committed) and the JST days of month derived from them at compile time.

#include <array>
#include <chrono>
#include <cstdint>

#include <velunta/calendar.h>

namespace velunta::detail {

inline constexpr int kTableYears = static_cast<int>(kLastYear) - static_cast<int>(kFirstYear) + 1;

// {vernal, autumnal} instants in UT, milliseconds since 1970-01-01, for 1600..2399.
inline constexpr std::int64_t kEquinoxMs[kTableYears][2] = {
#include "equinox_table.inc"
};

// Returns the JST date holding an instant.
constexpr std::chrono::year_month_day JstDate(
    std::chrono::sys_time<std::chrono::milliseconds> utc) {
  return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(utc + kJstOffset)};
}

// The JST day of month of each equinox, indexed like kEquinoxMs.
inline constexpr auto kEquinoxDay = [] {
  std::array<std::array<std::uint8_t, 2>, kTableYears> days{};
  for (int i = 0; i < kTableYears; ++i) {
    for (int s = 0; s < 2; ++s) {
      const std::chrono::sys_time<std::chrono::milliseconds> utc{
          std::chrono::milliseconds{kEquinoxMs[i][s]}};
      days[static_cast<std::size_t>(i)][static_cast<std::size_t>(s)] =
          static_cast<std::uint8_t>(static_cast<unsigned>(JstDate(utc).day()));
    }
  }
  return days;
}();

// Returns the JST day of month of an equinox; the year must lie in 1600..2399.
constexpr unsigned EquinoxDay(int year, Season season) noexcept {
  return kEquinoxDay[static_cast<std::size_t>(year - static_cast<int>(kFirstYear))]
                    [season == Season::vernal ? 0U : 1U];
}

}  // namespace velunta::detail
