#include <velunta/records/equinox_record.h>

#include <array>
#include <cstdio>

namespace velunta::records {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 7> kEquinoxColumns = {
    "year", "season", "date", "weekday", "instant_jst", "instant_utc", "status"};

std::string_view SeasonId(Season season) {
  return season == Season::vernal ? "vernal" : "autumnal";
}

std::string_view SeasonName(Season season, Lang lang) {
  if (lang == Lang::en) return season == Season::vernal ? "vernal equinox" : "autumnal equinox";
  return season == Season::vernal ? "春分" : "秋分";
}

std::string_view StatusText(std::string_view id, Lang lang) {
  if (lang == Lang::en) return id;
  if (id == "official") return "確定";
  if (id == "predicted") return "予測";
  return "参考";
}

// Returns "23:45:56" (full false) or "2026-03-20T23:45:56.123" (full true) of a wall-clock time.
template <class Clock>
std::string ClockText(time_point<Clock, milliseconds> instant, bool full) {
  const auto day = floor<days>(instant);
  const year_month_day ymd{sys_days{day.time_since_epoch()}};
  const hh_mm_ss time{instant - day};
  char text[40];
  if (full) {
    std::snprintf(
        text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03d", static_cast<int>(ymd.year()),
        static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
        static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
        static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
  }
  return text;
}

}  // namespace

std::string_view StatusId(const Equinox& equinox) noexcept {
  if (equinox.official) return "official";
  return equinox.day.year() > LastAnnouncedEquinoxYear() ? "predicted" : "historical";
}

std::string EquinoxLine(const EquinoxRecord& record, Lang lang) {
  std::string line = SlashDate(record.day);
  line += '(';
  line += WeekdayText(record.day, lang);
  line += ") ";
  line += SeasonName(record.season, lang);
  if (record.instant) {
    line += ' ';
    line += ClockText(record.instant->jst, false);
    line += " JST ";
    line += StatusText(StatusId(*record.instant), lang);
  }
  return line;
}

std::span<const std::string_view> EquinoxColumns() noexcept {
  return kEquinoxColumns;
}

std::vector<Cell> EquinoxCells(const EquinoxRecord& record) {
  std::vector<Cell> cells{std::int64_t{static_cast<int>(record.year)},
                          std::string(SeasonId(record.season)), IsoDate(record.day),
                          WeekdayText(record.day, Lang::en)};
  if (record.instant) {
    cells.emplace_back(ClockText(record.instant->jst, true) + "+09:00");
    cells.emplace_back(ClockText(record.instant->utc, true) + "Z");
    cells.emplace_back(std::string(StatusId(*record.instant)));
  } else {
    cells.resize(cells.size() + 3);
  }
  return cells;
}

}  // namespace velunta::records
