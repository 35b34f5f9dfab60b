#include "day.h"

#include <array>

#include <velunta/runtime/date_value.h>

namespace velunta::cli {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 7> kEnglishWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                              "Thu", "Fri", "Sat"};

runtime::DateValue ValueOf(year_month_day date) {
  return runtime::ToDateValue(sys_days{date});
}

}  // namespace

std::string SlashDate(year_month_day date) {
  return runtime::FormatDate(ValueOf(date), "YYYY/MM/DD");
}

std::string IsoDate(year_month_day date) {
  return runtime::FormatDate(ValueOf(date), "YYYY-MM-DD");
}

std::string CompactDate(year_month_day date) {
  return runtime::FormatDate(ValueOf(date), "YYYYMMDD");
}

std::string WeekdayText(year_month_day date, Lang lang) {
  if (lang == Lang::en) return std::string(kEnglishWeekdays[weekday{sys_days{date}}.c_encoding()]);
  return runtime::FormatDate(ValueOf(date), "aaa");
}

std::string DayLine(const DayRecord& day, Lang lang) {
  std::string line = SlashDate(day.date) + "(" + WeekdayText(day.date, lang) + ")";
  if (day.IsDayOff()) line += " " + (lang == Lang::en ? day.nameEn : day.name);
  return line;
}

Table DayTable(const std::vector<DayRecord>& days) {
  Table table{{"date", "weekday", "name", "name_en", "kind"}, {}};
  table.rows.reserve(days.size());
  for (const auto& day : days) {
    table.rows.push_back({IsoDate(day.date), WeekdayText(day.date, Lang::en), day.name, day.nameEn,
                          std::string(day.kind)});
  }
  return table;
}

}  // namespace velunta::cli
