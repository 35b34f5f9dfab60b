#include "page_html.h"

#include <sstream>

#include <velunta/records/date_texts.h>

namespace velunta::server {
namespace {

using namespace std::chrono;

// Names stay whole (keep-all: no break inside a Japanese word) and at 14 px; every control and
// link is at least 24 px high (WCAG 2.2 target size); print drops the controls and fits three
// months across a page.
constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:0 auto;padding:1rem;max-width:72rem;line-height:1.5;"
    "color:#1a1a1a;background:#fff}"
    "h1{font-size:1.5rem;margin:.25rem 0}h2{font-size:1.2rem;margin:1.25rem 0 .5rem}"
    "nav,footer{display:flex;flex-wrap:wrap;gap:.25rem 1rem}"
    "nav a,footer a,.feeds a{display:inline-block;min-height:24px;padding:.2rem 0}"
    "form{display:flex;flex-wrap:wrap;gap:.5rem;align-items:center;margin:.5rem 0}"
    "input,button{font:inherit;min-height:2rem;padding:.1rem .5rem}"
    ".months{display:grid;grid-template-columns:repeat(auto-fill,minmax(17rem,1fr));gap:1.5rem}"
    "table{border-collapse:collapse;width:100%;table-layout:fixed}"
    "caption{font-weight:bold;text-align:left;font-size:1.1rem}"
    "th,td{text-align:center;height:2rem;padding:0}th{font-size:.875rem}"
    ".sun{color:#c00}.sat{color:#0645ad}"
    ".off{color:#fff;background:#c00;font-weight:bold}"
    ".off.predicted{color:#a00;background:#fff;box-shadow:inset 0 0 0 2px #c00}"
    ".mark{font-size:.75rem;vertical-align:super}"
    ".today{outline:3px solid #1a1a1a;outline-offset:-3px}"
    ".picked{outline:3px dashed #6a1b9a;outline-offset:-3px}"
    ".names{list-style:none;padding:0;margin:.25rem 0 0;font-size:.875rem}"
    ".names li,.legend li{word-break:keep-all;overflow-wrap:normal}"
    ".legend{list-style:none;padding:0;margin:0;display:flex;flex-wrap:wrap;gap:.5rem 1.25rem}"
    ".swatch{display:inline-block;min-width:1.75rem;line-height:1.75rem;text-align:center;"
    "margin-right:.25rem}"
    ".error{border-left:4px solid #c00;padding:.5rem .75rem;background:#fff0f0}"
    ".feeds code{overflow-wrap:anywhere}"
    "@media print{nav,form,.feeds,footer{display:none}body{padding:0;font-size:10pt}"
    ".months{grid-template-columns:repeat(3,1fr);gap:.75rem}.month{break-inside:avoid}"
    ".off,.swatch{-webkit-print-color-adjust:exact;print-color-adjust:exact}}";

// A red sun on a white tile, inline so that no request is needed for it.
constexpr std::string_view kIcon =
    "data:image/svg+xml,%3Csvg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 32 32'%3E"
    "%3Crect x='1.5' y='1.5' width='29' height='29' rx='6' fill='%23fff' stroke='%23c00' "
    "stroke-width='3'/%3E%3Ccircle cx='16' cy='16' r='7' fill='%23c00'/%3E%3C/svg%3E";

std::string YearText(const PageWords& words, year y) {
  std::string text = std::to_string(static_cast<int>(y));
  text.append(words.yearSuffix);
  return text;
}

std::string Title(const PageWords& words, year y) {
  std::string title(words.titleBefore);
  title.append(std::to_string(static_cast<int>(y)));
  title.append(words.titleAfter);
  return title;
}

// The page's own address for a year (and a date), in a language: "/?year=2026&amp;lang=en".
std::string PageLink(records::Lang lang, year y, const std::optional<records::DayRecord>& day) {
  std::string link = "/?year=";
  link.append(std::to_string(static_cast<int>(y)));
  if (day) link.append("&amp;date=").append(records::IsoDate(day->date));
  if (lang == records::Lang::en) link.append("&amp;lang=en");
  return link;
}

std::string_view NameOf(const records::DayRecord& day, records::Lang lang) {
  return lang == records::Lang::en ? day.nameEn : day.name;
}

// "6日（水）" or "6 (Wed)".
std::string DayText(const PageWords& words, records::Lang lang, year_month_day date) {
  std::string text = std::to_string(static_cast<unsigned>(date.day()));
  text.append(words.daySuffix);
  text.append(lang == records::Lang::en ? " (" : "（");
  text.append(records::WeekdayText(date, lang));
  text.append(lang == records::Lang::en ? ")" : "）");
  return text;
}

void WriteMonth(std::ostream& out, const PageView& view, month m) {
  const auto& words = view.words;
  const unsigned number = static_cast<unsigned>(m);
  out << "<section class=\"month\"><table><caption id=\"m" << number << "\">"
      << words.months[number - 1] << "</caption><thead><tr>";
  for (const auto head : words.weekdays) out << "<th scope=\"col\">" << head << "</th>";
  out << "</tr></thead><tbody><tr>";
  const sys_days first{view.year / m / 1};
  for (unsigned i = 0; i < weekday{first}.c_encoding(); ++i) out << "<td></td>";
  const unsigned last = static_cast<unsigned>((view.year / m / std::chrono::last).day());
  std::vector<const records::DayRecord*> named;
  for (unsigned d = 1; d <= last; ++d) {
    const sys_days date = first + days{d - 1};
    const unsigned column = weekday{date}.c_encoding();
    if (column == 0 && d != 1) out << "</tr><tr>";
    const auto found = view.daysOff.find(date);
    const records::DayRecord* day = found == view.daysOff.end() ? nullptr : &found->second;
    std::string classes = day != nullptr ? "off" : column == 0 ? "sun" : column == 6 ? "sat" : "";
    if (day != nullptr && day->predicted) classes.append(" predicted");
    const bool today = sys_days{view.today} == date;
    if (today) classes.append(classes.empty() ? "today" : " today");
    if (view.checked && sys_days{view.checked->date} == date) {
      classes.append(classes.empty() ? "picked" : " picked");
    }
    out << "<td";
    if (!classes.empty()) out << " class=\"" << classes << "\"";
    if (today) out << " aria-current=\"date\"";
    if (day != nullptr) {
      named.push_back(day);
      out << " title=\"" << Escaped(NameOf(*day, view.lang))
          << (day->predicted ? words.predictedMark : "") << "\"";
    }
    out << "><time datetime=\"" << records::IsoDate(year_month_day{date}) << "\">" << d
        << "</time>";
    if (day != nullptr && day->predicted)
      out << "<span class=\"mark\" aria-hidden=\"true\">*</span>";
    out << "</td>";
  }
  out << "</tr></tbody></table>";
  if (!named.empty()) {
    out << "<ul class=\"names\" aria-label=\"" << words.months[number - 1] << words.namesTitle
        << "\">";
    for (const auto* day : named) {
      out << "<li><time datetime=\"" << records::IsoDate(day->date) << "\">"
          << DayText(words, view.lang, day->date) << "</time> " << Escaped(NameOf(*day, view.lang))
          << (day->predicted ? words.predictedMark : "") << "</li>";
    }
    out << "</ul>";
  }
  out << "</section>\n";
}

// The answer to the date looked up, in words.
void WriteCheck(std::ostream& out, const PageView& view, const records::DayRecord& day) {
  const auto& words = view.words;
  const bool english = view.lang == records::Lang::en;
  out << "<p id=\"answer\"><strong>" << records::IsoDate(day.date) << (english ? " (" : "（")
      << records::WeekdayText(day.date, view.lang) << (english ? ")</strong>: " : "）</strong>は");
  if (records::IsHolidayKind(day.kind)) {
    out << Escaped(NameOf(day, view.lang)) << (day.predicted ? words.predictedMark : "")
        << words.isHoliday;
  } else if (day.dayOff) {
    out << words.isSunday;
  } else {
    out << words.isNoDayOff;
  }
  if (day.predicted) out << " " << words.predictedNote;
  out << "</p>\n";
}

void WriteLegend(std::ostream& out, const PageWords& words) {
  out << "<section aria-labelledby=\"legend\"><h2 id=\"legend\">" << words.legendTitle
      << "</h2><ul class=\"legend\">"
      << "<li><span class=\"swatch off\" aria-hidden=\"true\">6</span>" << words.legendOff
      << "</li><li><span class=\"swatch sun\" aria-hidden=\"true\">7</span>" << words.legendSunday
      << "</li><li><span class=\"swatch sat\" aria-hidden=\"true\">13</span>"
      << words.legendSaturday
      << "</li><li><span class=\"swatch off predicted\" aria-hidden=\"true\">20<span "
         "class=\"mark\">*</span></span>"
      << words.legendPredicted << "</li><li><span class=\"swatch today\" aria-hidden=\"true\">"
      << "8</span>" << words.legendToday
      << "</li><li><span class=\"swatch picked\" aria-hidden=\"true\">9</span>"
      << words.legendPicked << "</li></ul>";
  out << "<p>" << words.predictedNote << "</p></section>\n";
}

void WriteFeedLine(std::ostream& out, const PageView& view, std::string_view label,
                   std::string_view path) {
  out << "<li>" << label << ": ";
  if (view.publicUrl.empty()) {
    out << "<a href=\"" << path << "\"><code>" << path << "</code></a>";
  } else {
    const auto scheme = view.publicUrl.find("://");
    std::string webcal = "webcal";
    webcal.append(view.publicUrl.substr(scheme)).append(path);
    std::string web(view.publicUrl);
    web.append(path);
    out << "<a href=\"" << webcal << "\">" << view.words.feedWebcal << "</a> <a href=\"" << web
        << "\"><code>" << web << "</code></a>";
  }
  out << "</li>";
}

void WriteFeeds(std::ostream& out, const PageView& view) {
  const auto& words = view.words;
  out << "<section class=\"feeds\" aria-labelledby=\"feeds\"><h2 id=\"feeds\">" << words.feedTitle
      << "</h2><p>" << words.feedLead << "</p><ul>";
  WriteFeedLine(out, view, words.feedJapanese, "/calendar.ics");
  WriteFeedLine(out, view, words.feedEnglish, "/calendar.en.ics");
  out << "</ul>";
  if (view.publicUrl.empty()) out << "<p>" << words.feedUnconfigured << "</p>";
  out << "</section>\n";
}

}  // namespace

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
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string PageHtml(const PageView& view) {
  const auto& words = view.words;
  const std::string title = Title(words, view.year);
  std::ostringstream out;
  out << "<!DOCTYPE html>\n<html lang=\"" << words.lang << "\"><head><meta charset=\"utf-8\">"
      << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
      << "<title>" << title << "</title><link rel=\"icon\" href=\"" << kIcon << "\">"
      << "<style>" << kStyle << "</style></head>\n<body><header><h1>" << title << "</h1>\n"
      << "<nav aria-label=\"" << words.navLabel << "\">";
  const int number = static_cast<int>(view.year);
  if (view.year > view.firstYear) {
    out << "<a href=\"" << PageLink(view.lang, view.year - years{1}, std::nullopt) << "\">← "
        << YearText(words, view.year - years{1}) << "</a>";
  }
  if (view.year < view.lastYear) {
    out << "<a href=\"" << PageLink(view.lang, view.year + years{1}, std::nullopt) << "\">"
        << YearText(words, view.year + years{1}) << " →</a>";
  }
  const auto other = view.lang == records::Lang::en ? records::Lang::ja : records::Lang::en;
  out << "<a href=\"" << PageLink(other, view.year, view.checked) << "\" lang=\"" << words.otherLang
      << "\" hreflang=\"" << words.otherLang << "\">" << words.otherLanguage
      << "</a></nav></header>\n<main>\n";
  if (!view.problem.empty()) {
    out << "<p class=\"error\" role=\"alert\"><strong>" << words.error
        << "</strong> <span lang=\"en\">" << Escaped(view.problem) << "</span></p>\n";
  }
  const std::string langField =
      view.lang == records::Lang::en ? "<input type=\"hidden\" name=\"lang\" value=\"en\">" : "";
  out << "<form method=\"get\" action=\"/\"><label for=\"year\">" << words.yearLabel
      << "</label><input id=\"year\" name=\"year\" type=\"number\" min=\""
      << static_cast<int>(view.firstYear) << "\" max=\"" << static_cast<int>(view.lastYear)
      << "\" value=\"" << number << "\">" << langField << "<button type=\"submit\">" << words.show
      << "</button></form>\n<form method=\"get\" action=\"/\"><label for=\"date\">"
      << words.dateLabel << "</label><input id=\"date\" name=\"date\" type=\"date\" value=\""
      << (view.checked ? records::IsoDate(view.checked->date) : "") << "\">" << langField
      << "<button type=\"submit\">" << words.lookUp << "</button></form>\n";
  if (view.checked) WriteCheck(out, view, *view.checked);
  WriteLegend(out, words);
  out << "<div class=\"months\">\n";
  for (unsigned m = 1; m <= 12; ++m) WriteMonth(out, view, month{m});
  out << "</div>\n";
  WriteFeeds(out, view);
  out << "</main>\n<footer><a href=\"/openapi.json\">" << words.api
      << "</a></footer></body></html>\n";
  return std::move(out).str();
}

}  // namespace velunta::server
