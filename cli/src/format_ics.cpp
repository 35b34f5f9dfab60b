#include "format_ics.h"

#include <cstdio>

#include <velunta/calendar.h>

namespace velunta::cli {
namespace {

using namespace std::chrono;

constexpr std::size_t kMaxLineOctets = 75;  // without the CRLF

constexpr bool IsUtf8Continuation(char c) noexcept {
  return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

constexpr bool IsAsciiAlnum(char c) noexcept {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The stamp of an event is the instant its day begins in Japan, in UTC (2026-05-06 ->
// 20260505T150000Z). What the file says about a day depends only on the day and the rules, never
// on when the file was written; a stamp taken from the data makes the output byte-for-byte the
// same on every run and machine, so it can be diffed, cached and re-imported without every event
// looking revised.
std::string Stamp(year_month_day date) {
  const sys_seconds start = sys_days{date} - velunta::kJstOffset;
  const auto day = floor<days>(start);
  const year_month_day ymd{day};
  const hh_mm_ss time{start - day};
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string Summary(const DayRecord& day, Lang lang) {
  if (day.kind == kKindSunday) return lang == Lang::en ? "Sunday" : "日曜日";
  return lang == Lang::en ? day.nameEn : day.name;
}

std::string Description(const DayRecord& day) {
  if (day.kind == kKindSunday) return "日曜日, Sunday; sunday";
  return day.name + ", " + day.nameEn + "; " + std::string(day.kind);
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      // a CR alone is a line break too; one before a LF is part of it
      if (i + 1 >= text.size() || text[i + 1] != '\n') escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string FoldLine(std::string_view line) {
  std::string folded;
  folded.reserve(line.size() + line.size() / 64 * 3 + 2);
  std::size_t limit = kMaxLineOctets;  // the first line; continuations lose one to the space
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 0 && IsUtf8Continuation(line[cut])) --cut;
    folded.append(line.substr(0, cut));
    folded += "\r\n ";
    line.remove_prefix(cut);
    limit = kMaxLineOctets - 1;
  }
  folded.append(line);
  folded += "\r\n";
  return folded;
}

std::string EventUid(const DayRecord& day) {
  std::string slug;
  const std::string_view name = day.nameEn.empty() ? std::string_view("sunday") : day.nameEn;
  for (char c : name) {
    if (IsAsciiAlnum(c)) {
      slug += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    } else if (c != '\'' && !slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return CompactDate(day.date) + "-" + slug + "@velunta";
}

void WriteIcs(const std::vector<DayRecord>& list, Lang lang, std::ostream& out) {
  const bool en = lang == Lang::en;
  out << FoldLine("BEGIN:VCALENDAR") << FoldLine("VERSION:2.0")
      << FoldLine(std::string("PRODID:-//Velunta//velunta ") + VELUNTA_VERSION +
                  (en ? "//EN" : "//JA"))
      << FoldLine("CALSCALE:GREGORIAN")
      << FoldLine(std::string("X-WR-CALNAME:") + (en ? "Holidays in Japan" : "日本の祝日"));
  for (const auto& day : list) {
    const auto next = year_month_day{sys_days{day.date} + days{1}};
    out << FoldLine("BEGIN:VEVENT") << FoldLine("UID:" + EventUid(day))
        << FoldLine("DTSTAMP:" + Stamp(day.date))
        << FoldLine("DTSTART;VALUE=DATE:" + CompactDate(day.date))
        << FoldLine("DTEND;VALUE=DATE:" + CompactDate(next))
        << FoldLine("SUMMARY:" + EscapeText(Summary(day, lang)))
        << FoldLine("DESCRIPTION:" + EscapeText(Description(day)))
        << FoldLine("CATEGORIES:" + EscapeText(day.kind)) << FoldLine("TRANSP:TRANSPARENT")
        << FoldLine("END:VEVENT");
  }
  out << FoldLine("END:VCALENDAR");
}

}  // namespace velunta::cli
