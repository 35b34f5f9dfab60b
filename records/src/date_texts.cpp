#include <velunta/records/date_texts.h>

#include <array>
#include <string_view>

#include <velunta/runtime/date_value.h>

namespace velunta::records {
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

}  // namespace velunta::records
