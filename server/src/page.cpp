// GET /: a year as twelve month tables with every day off marked and named, a form to check a
// date and to move between years, and the feed's address. Plain HTML and CSS, no script.

#include <map>
#include <sstream>

#include <velunta/records/date_texts.h>
#include <velunta/request/queries.h>

#include "answers.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

constexpr std::string_view kWeekdayHeads[] = {"日", "月", "火", "水", "木", "金", "土"};

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1rem;max-width:70rem}"
    ".months{display:grid;grid-template-columns:repeat(auto-fill,minmax(15rem,1fr));gap:1rem}"
    "table{border-collapse:collapse;width:100%;table-layout:fixed}caption{font-weight:bold;text-"
    "align:left}"
    "th,td{text-align:center;padding:.15rem;vertical-align:top}"
    "td small{display:block;font-size:.6rem;overflow-wrap:anywhere}"
    ".sun{color:#c00}.sat{color:#00c}.off{color:#fff;background:#c00;font-weight:bold}"
    "form{margin:.5rem 0}code{word-break:break-all}";

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void WriteMonth(std::ostream& out, year y, month m,
                const std::map<sys_days, records::DayRecord>& daysOff) {
  out << "<table><caption>" << static_cast<unsigned>(m) << "月</caption><thead><tr>";
  for (const auto head : kWeekdayHeads) out << "<th scope=\"col\">" << head << "</th>";
  out << "</tr></thead><tbody><tr>";
  const sys_days first{y / m / 1};
  const unsigned lead = weekday{first}.c_encoding();
  for (unsigned i = 0; i < lead; ++i) out << "<td></td>";
  const unsigned last = static_cast<unsigned>((y / m / std::chrono::last).day());
  for (unsigned d = 1; d <= last; ++d) {
    const sys_days date = first + days{d - 1};
    const unsigned column = weekday{date}.c_encoding();
    if (column == 0 && d != 1) out << "</tr><tr>";
    const auto found = daysOff.find(date);
    const char* kind = column == 0 ? "sun" : column == 6 ? "sat" : "";
    out << "<td";
    if (found != daysOff.end()) {
      out << " class=\"off\" title=\"" << Escaped(found->second.name) << "\"";
    } else if (*kind) {
      out << " class=\"" << kind << "\"";
    }
    out << "><time datetime=\"" << records::IsoDate(year_month_day{date}) << "\">" << d
        << "</time>";
    if (found != daysOff.end()) out << "<small>" << Escaped(found->second.name) << "</small>";
    out << "</td>";
  }
  out << "</tr></tbody></table>\n";
}

// The answer to the form's date, in words.
void WriteCheck(std::ostream& out, const records::DayRecord& day) {
  out << "<p id=\"answer\"><strong>" << records::IsoDate(day.date) << "（"
      << records::WeekdayText(day.date, records::Lang::ja) << "）</strong>は";
  if (records::IsHolidayKind(day.kind)) {
    out << Escaped(day.name) << "です。";
  } else if (day.dayOff) {
    out << "日曜日で、休日です。";
  } else {
    out << "休日ではありません。";
  }
  if (day.predicted) out << "（予測：春分・秋分の日は前年2月の官報で確定します）";
  out << "</p>\n";
}

}  // namespace

Response Page(const Context& context) {
  const auto params = context.Params();
  const auto& source = records::LawSource();
  std::optional<records::DayRecord> checked;
  if (params.Has("date")) {
    checked = source.Day(params.Date("date", source));
  }
  const year y = params.Has("year") ? params.Year("year", source)
                 : checked          ? checked->date.year()
                                    : request::TodayInJapan(context.now).year();
  std::map<sys_days, records::DayRecord> daysOff;
  source.ForEachDayOff(
      y / January / 1, y / December / 31, false,
      [&daysOff](const records::DayRecord& day) { daysOff.emplace(sys_days{day.date}, day); });

  const int number = static_cast<int>(y);
  const std::string host = context.request.Header("host") ? *context.request.Header("host") : "";
  const std::string feed =
      host.empty() ? "/calendar.ics" : "http://" + Escaped(host) + "/calendar.ics";
  std::ostringstream out;
  out << "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\">"
      << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
      << "<title>" << number << "年の祝日と休日</title><style>" << kStyle << "</style></head>\n"
      << "<body><h1>" << number << "年の祝日と休日</h1>\n<nav>";
  if (y > source.FirstYear())
    out << "<a href=\"/?year=" << number - 1 << "\">← " << number - 1 << "年</a> ";
  if (y < source.LastYear())
    out << "<a href=\"/?year=" << number + 1 << "\">" << number + 1 << "年 →</a>";
  out << "</nav>\n<form method=\"get\" action=\"/\"><label for=\"year\">年</label> "
      << "<input id=\"year\" name=\"year\" type=\"number\" min=\""
      << static_cast<int>(source.FirstYear()) << "\" max=\"" << static_cast<int>(source.LastYear())
      << "\" value=\"" << number << "\"> "
      << "<button type=\"submit\">表示</button></form>\n"
      << "<form method=\"get\" action=\"/\"><label for=\"date\">日付を調べる</label> "
      << "<input id=\"date\" name=\"date\" type=\"date\" value=\""
      << (checked ? records::IsoDate(checked->date) : "") << "\"> "
      << "<button type=\"submit\">調べる</button></form>\n";
  if (checked) WriteCheck(out, *checked);
  out << "<p>祝日は<span class=\"off\">赤地</span>、日曜日は<span class=\"sun\">赤字</span>、"
      << "土曜日は<span class=\"sat\">青字</span>で示します。</p>\n<div class=\"months\">\n";
  for (unsigned m = 1; m <= 12; ++m) WriteMonth(out, y, month{m}, daysOff);
  out << "</div>\n<h2>カレンダーに登録</h2><p>カレンダーアプリでこのアドレスを購読してください: "
      << "<code>" << feed << "</code>（英語: <code>" << feed.substr(0, feed.size() - 4)
      << ".en.ics</code>）</p>\n<p><a href=\"/openapi.json\">API</a></p></body></html>\n";

  Response response;
  response.Set("Content-Type", "text/html; charset=utf-8");
  response.body = std::move(out).str();
  return response;
}

}  // namespace velunta::server
