// /calendar.ics and /calendar.en.ics: the days off from last year to two years ahead, for a
// calendar program to subscribe to, with the validators that let it fetch again cheaply.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>

#include <velunta/request/queries.h>

#include "answers.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// How often a subscriber should fetch again: the feed changes once a year and when the rules
// do, so a day is plenty.
constexpr std::string_view kRefreshInterval = "P1D";
constexpr std::string_view kCacheControl = "public, max-age=3600";

// FNV-1a, 64 bits: a stable hash of the body for the entity tag.
std::uint64_t Hash(std::string_view text) noexcept {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Returns an instant as HTTP writes dates (IMF-fixdate): "Wed, 31 Dec 2025 15:00:00 GMT".
std::string HttpDate(sys_seconds instant) {
  const auto day = floor<days>(instant);
  const year_month_day ymd{day};
  const hh_mm_ss time{instant - day};
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02u %s %04d %02d:%02d:%02d GMT",
                kWeekdays[weekday{day}.c_encoding()], static_cast<unsigned>(ymd.day()),
                kMonths[static_cast<unsigned>(ymd.month()) - 1], static_cast<int>(ymd.year()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

// Returns the instant of an IMF-fixdate, or nothing for any other text (the obsolete forms are
// treated as no date, which only costs a full answer).
std::optional<sys_seconds> ParseHttpDate(const std::string& text) {
  char weekdayName[4] = {};
  char monthName[4] = {};
  int dayNumber = 0;
  int yearNumber = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (std::sscanf(text.c_str(), "%3s, %d %3s %d %d:%d:%d GMT", weekdayName, &dayNumber, monthName,
                  &yearNumber, &hour, &minute, &second) != 7) {
    return std::nullopt;
  }
  for (unsigned m = 0; m < 12; ++m) {
    if (std::strcmp(monthName, kMonths[m]) != 0) continue;
    const year_month_day date{year{yearNumber}, month{m + 1},
                              day{static_cast<unsigned>(dayNumber)}};
    if (!date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 60) {
      return std::nullopt;
    }
    return sys_days{date} + hours{hour} + minutes{minute} + seconds{second};
  }
  return std::nullopt;
}

// Returns true when If-None-Match names the tag (or is "*"); weak tags compare by their value.
bool Matches(std::string_view header, std::string_view tag) {
  while (!header.empty()) {
    const auto comma = header.find(',');
    std::string_view item = header.substr(0, comma);
    header = comma == std::string_view::npos ? std::string_view{} : header.substr(comma + 1);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (item.starts_with("W/")) item.remove_prefix(2);
    if (item == "*" || item == tag) return true;
  }
  return false;
}

}  // namespace

Response Feed(const Context& context) {
  context.Params();  // none are taken: any is refused
  const auto lang = context.path == "/calendar.en.ics" ? records::Lang::en : records::Lang::ja;
  const year thisYear = request::TodayInJapan(context.now).year();
  std::ostringstream out;
  const auto writer = records::MakeFeedWriter(
      request::WriterFor(records::Format::ics, lang, context.version), kRefreshInterval, out);
  writer->Begin();
  records::LawSource().ForEachDayOff(
      (thisYear - years{1}) / January / 1, (thisYear + years{2}) / December / 31, false,
      [&writer](const records::DayRecord& day) { writer->Day(day); });
  writer->End();

  Response response;
  response.body = std::move(out).str();
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"",
                static_cast<unsigned long long>(Hash(response.body)));
  // The content turns over when the year in Japan does (and with a new build, which the tag
  // catches): the start of this year in Japan is when this content began.
  const sys_seconds modified = sys_days{thisYear / January / 1} - hours{9};
  const auto* noneMatch = context.request.Header("if-none-match");
  const auto* modifiedSince = context.request.Header("if-modified-since");
  bool notModified = false;
  if (noneMatch) {
    notModified = Matches(*noneMatch, tag);
  } else if (modifiedSince) {
    const auto since = ParseHttpDate(*modifiedSince);
    notModified = since && *since >= modified;
  }
  if (notModified) {
    response.status = 304;
    response.body.clear();
  } else {
    response.Set("Content-Type", std::string(ContentType(records::Format::ics)));
  }
  response.Set("ETag", tag);
  response.Set("Last-Modified", HttpDate(modified));
  response.Set("Cache-Control", std::string(kCacheControl));
  return response;
}

}  // namespace velunta::server
