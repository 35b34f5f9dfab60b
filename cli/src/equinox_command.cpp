// velunta equinox YEAR...

#include <cstdio>

#include <velunta/Mdl_Velunta.h>
#include <velunta/calendar.h>

#include "arguments.h"
#include "commands.h"
#include "day.h"
#include "output.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

using namespace std::chrono;

// The module's equinox formulas hold for 1900-2099 only.
constexpr int kClassicEquinoxFirstYear = 1900;
constexpr int kClassicEquinoxLastYear = 2099;

struct EquinoxDay {
  int year;
  velunta::Season season;
  year_month_day day;
  std::optional<velunta::Equinox> instant;  // the law calendar's; none with the classic rules
};

std::string_view SeasonId(velunta::Season season) {
  return season == velunta::Season::vernal ? "vernal" : "autumnal";
}

std::string_view SeasonName(velunta::Season season, Lang lang) {
  if (lang == Lang::en)
    return season == velunta::Season::vernal ? "vernal equinox" : "autumnal equinox";
  return season == velunta::Season::vernal ? "春分" : "秋分";
}

// official: the day was announced as the holiday's date; predicted: a later year's day as this
// calendar computes it; historical: a year before the holiday existed.
std::string_view StatusId(const velunta::Equinox& equinox) {
  if (equinox.official) return "official";
  return equinox.day.year() > velunta::kLastOfficialEquinoxYear ? "predicted" : "historical";
}

std::string_view StatusText(std::string_view id, Lang lang) {
  if (lang == Lang::en) return id;
  if (id == "official") return "確定";
  if (id == "predicted") return "予測";
  return "参考";
}

// Returns "23:45:56" (ms false) or "2026-03-20T23:45:56.123" (ms true) of a wall-clock time.
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

std::vector<EquinoxDay> LawEquinoxes(year y) {
  const auto both = velunta::EquinoxesOf(y);
  if (!both) throw UsageError(std::string(velunta::Describe(both.error())));
  return {{static_cast<int>(y), velunta::Season::vernal, both->vernal.day, both->vernal},
          {static_cast<int>(y), velunta::Season::autumnal, both->autumnal.day, both->autumnal}};
}

std::vector<EquinoxDay> ClassicEquinoxes(std::string_view text, year y) {
  const int number = static_cast<int>(y);
  if (number < kClassicEquinoxFirstYear || number > kClassicEquinoxLastYear) {
    throw UsageError("year out of range for the classic equinox days: " + Quoted(text) +
                     "; accepted: " + std::to_string(kClassicEquinoxFirstYear) + " to " +
                     std::to_string(kClassicEquinoxLastYear));
  }
  const auto year16 = static_cast<std::int16_t>(number);
  std::int16_t vernal = 0;
  std::int16_t autumnal = 0;
  if (!Mdl_Velunta::GetVernalEquinoxDay(year16, vernal) ||
      !Mdl_Velunta::GetAutumnalEquinoxDay(year16, autumnal)) {
    throw UsageError("the fixed table has no equinox days for " + Quoted(text));
  }
  return {{number, velunta::Season::vernal, y / March / static_cast<unsigned>(vernal), {}},
          {number, velunta::Season::autumnal, y / September / static_cast<unsigned>(autumnal), {}}};
}

std::string EquinoxLine(const EquinoxDay& row, Lang lang) {
  std::string line = SlashDate(row.day);
  line += '(';
  line += WeekdayText(row.day, lang);
  line += ") ";
  line += SeasonName(row.season, lang);
  if (row.instant) {
    line += ' ';
    line += ClockText(row.instant->jst, false);
    line += " JST ";
    line += StatusText(StatusId(*row.instant), lang);
  }
  return line;
}

Table EquinoxTable(const std::vector<EquinoxDay>& rows) {
  Table table{{"year", "season", "date", "weekday", "instant_jst", "instant_utc", "status"}, {}};
  for (const auto& row : rows) {
    std::vector<Cell> cells{std::int64_t{row.year}, std::string(SeasonId(row.season)),
                            IsoDate(row.day), WeekdayText(row.day, Lang::en)};
    if (row.instant) {
      cells.emplace_back(ClockText(row.instant->jst, true) + "+09:00");
      cells.emplace_back(ClockText(row.instant->utc, true) + "Z");
      cells.emplace_back(std::string(StatusId(*row.instant)));
    } else {
      cells.resize(cells.size() + 3);
    }
    table.rows.push_back(std::move(cells));
  }
  return table;
}

}  // namespace

int RunEquinox(const std::vector<std::string>& years, const GlobalOptions& options,
               std::ostream& out) {
  RequireNoIcs(options, "equinox");
  if (years.empty()) throw UsageError("no year given for equinox; accepted: equinox YEAR...");
  std::vector<EquinoxDay> rows;
  for (const auto& text : years) {
    const year y = ReadYear(text, options.rules);
    const auto both = options.rules == Rules::law ? LawEquinoxes(y) : ClassicEquinoxes(text, y);
    rows.insert(rows.end(), both.begin(), both.end());
  }
  if (options.format == Format::text) {
    for (const auto& row : rows) out << EquinoxLine(row, options.lang) << '\n';
  } else {
    WriteTable(EquinoxTable(rows), options, out);
  }
  return 0;
}

}  // namespace velunta::cli
