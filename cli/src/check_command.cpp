// velunta check [DATE...]

#include <algorithm>

#include "arguments.h"
#include "classic_days.h"
#include "commands.h"
#include "law_days.h"
#include "output.h"

namespace velunta::cli {
namespace {

DayRecord CheckOne(std::string_view text, Rules rules) {
  return rules == Rules::law ? LawDay(ReadDate(text, Rules::law)) : ClassicDay(text);
}

DayRecord CheckToday(Rules rules) {
  const auto today = TodayInJapan();
  return rules == Rules::law ? LawDay(today) : ClassicDay(SlashDate(today));
}

}  // namespace

int RunCheck(const std::vector<std::string>& dates, const GlobalOptions& options,
             std::ostream& out) {
  RequireNoIcs(options, "check");
  std::vector<DayRecord> days;
  if (dates.empty()) {
    days.push_back(CheckToday(options.rules));
  } else {
    for (const auto& text : dates) days.push_back(CheckOne(text, options.rules));
  }

  if (options.format == Format::text) {
    for (auto day : days) {
      // The window's check names a plain Sunday 日曜日; the lists leave its name empty.
      if (day.kind == kKindSunday) {
        day.name = "日曜日";
        day.nameEn = "Sunday";
      }
      out << DayLine(day, options.lang) << '\n';
    }
  } else {
    WriteDays(days, options, out);
  }
  const bool allDaysOff =
      std::all_of(days.begin(), days.end(), [](const DayRecord& day) { return day.IsDayOff(); });
  return allDaysOff ? 0 : 1;
}

}  // namespace velunta::cli
