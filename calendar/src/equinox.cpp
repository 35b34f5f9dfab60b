#include <velunta/calendar.h>

#include "equinox_table.h"

namespace velunta {
namespace {

// Every equinox of the table falls in its own year and month in JST.
constexpr bool TableIsPlausible() {
  for (int y = static_cast<int>(kFirstYear); y <= static_cast<int>(kLastYear); ++y) {
    const std::size_t i = static_cast<std::size_t>(y - static_cast<int>(kFirstYear));
    for (std::size_t s = 0; s < 2; ++s) {
      const std::chrono::sys_time<std::chrono::milliseconds> utc{
          std::chrono::milliseconds{detail::kEquinoxMs[i][s]}};
      const auto date = detail::JstDate(utc);
      if (date.year() != std::chrono::year{y}) return false;
      if (date.month() != (s == 0 ? std::chrono::March : std::chrono::September)) return false;
    }
  }
  return true;
}
static_assert(TableIsPlausible());

}  // namespace

Result<Equinox> EquinoxOf(std::chrono::year y, Season season) noexcept {
  if (!IsCovered(y)) return CalendarError::outOfRange;
  const int year = static_cast<int>(y);
  const std::size_t i = static_cast<std::size_t>(year - static_cast<int>(kFirstYear));
  const std::chrono::sys_time<std::chrono::milliseconds> utc{
      std::chrono::milliseconds{detail::kEquinoxMs[i][season == Season::vernal ? 0 : 1]}};
  const std::chrono::local_time<std::chrono::milliseconds> jst{utc.time_since_epoch() + kJstOffset};
  return Equinox{season, utc, jst, detail::JstDate(utc), IsOfficialEquinox(y, season)};
}

Result<YearEquinoxes> EquinoxesOf(std::chrono::year y) noexcept {
  auto vernal = EquinoxOf(y, Season::vernal);
  if (!vernal) return vernal.error();
  return YearEquinoxes{*vernal, *EquinoxOf(y, Season::autumnal)};
}

}  // namespace velunta
