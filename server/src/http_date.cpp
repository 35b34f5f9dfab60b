#include "http_date.h"

#include <array>
#include <cstdio>

namespace velunta::server {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> kLongWeekdays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Reads exactly `width` decimal digits at `at`; the first may be a space when `padded`.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t width,
                          bool padded = false) {
  if (at + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    const char c = text[at + i];
    if (padded && i == 0 && c == ' ' && width > 1) continue;
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

template <std::size_t N>
std::optional<unsigned> IndexOf(const std::array<std::string_view, N>& names,
                                std::string_view name) {
  for (unsigned i = 0; i < N; ++i) {
    if (names[i] == name) return i;
  }
  return std::nullopt;
}

// Reads "HH:MM:SS" at `at`.
std::optional<seconds> TimeOfDay(std::string_view text, std::size_t at) {
  if (at + 8 > text.size() || text[at + 2] != ':' || text[at + 5] != ':') return std::nullopt;
  const auto h = Digits(text, at, 2);
  const auto m = Digits(text, at + 3, 2);
  const auto s = Digits(text, at + 6, 2);
  // A leap second (60) is allowed by the grammar; it reads as the next minute's first.
  if (!h || !m || !s || *h > 23 || *m > 59 || *s > 60) return std::nullopt;
  return hours{*h} + minutes{*m} + seconds{*s};
}

std::optional<sys_seconds> Instant(unsigned weekdayIndex, int y, unsigned monthIndex, int d,
                                   seconds time) {
  const year_month_day date{year{y}, month{monthIndex + 1}, day{static_cast<unsigned>(d)}};
  if (!date.ok() || weekday{sys_days{date}}.c_encoding() != weekdayIndex) return std::nullopt;
  return sys_days{date} + time;
}

// "Sun, 06 Nov 1994 08:49:37 GMT": 29 characters.
std::optional<sys_seconds> ImfFixdate(std::string_view text) {
  if (text.size() != 29 || text.substr(3, 2) != ", " || text[7] != ' ' || text[11] != ' ' ||
      text[16] != ' ' || text.substr(25) != " GMT") {
    return std::nullopt;
  }
  const auto wd = IndexOf(kWeekdays, text.substr(0, 3));
  const auto d = Digits(text, 5, 2);
  const auto m = IndexOf(kMonths, text.substr(8, 3));
  const auto y = Digits(text, 12, 4);
  const auto time = TimeOfDay(text, 17);
  if (!wd || !d || !m || !y || !time) return std::nullopt;
  return Instant(*wd, *y, *m, *d, *time);
}

// "Sunday, 06-Nov-94 08:49:37 GMT".
std::optional<sys_seconds> Rfc850(std::string_view text, sys_seconds now) {
  const auto comma = text.find(", ");
  if (comma == std::string_view::npos) return std::nullopt;
  const auto wd = IndexOf(kLongWeekdays, text.substr(0, comma));
  const std::string_view rest = text.substr(comma + 2);
  if (!wd || rest.size() != 22 || rest[2] != '-' || rest[6] != '-' || rest[9] != ' ' ||
      rest.substr(18) != " GMT") {
    return std::nullopt;
  }
  const auto d = Digits(rest, 0, 2);
  const auto m = IndexOf(kMonths, rest.substr(3, 3));
  const auto yy = Digits(rest, 7, 2);
  const auto time = TimeOfDay(rest, 10);
  if (!d || !m || !yy || !time) return std::nullopt;
  // The century that puts the year at most 50 years after now.
  const int thisYear = static_cast<int>(year_month_day{floor<days>(now)}.year());
  int y = thisYear - thisYear % 100 + *yy;
  if (y > thisYear + 50) y -= 100;
  return Instant(*wd, y, *m, *d, *time);
}

// "Sun Nov  6 08:49:37 1994": 24 characters, the day padded with a space.
std::optional<sys_seconds> Asctime(std::string_view text) {
  if (text.size() != 24 || text[3] != ' ' || text[7] != ' ' || text[10] != ' ' || text[19] != ' ') {
    return std::nullopt;
  }
  const auto wd = IndexOf(kWeekdays, text.substr(0, 3));
  const auto m = IndexOf(kMonths, text.substr(4, 3));
  const auto d = Digits(text, 8, 2, true);
  const auto time = TimeOfDay(text, 11);
  const auto y = Digits(text, 20, 4);
  if (!wd || !m || !d || !time || !y) return std::nullopt;
  return Instant(*wd, *y, *m, *d, *time);
}

}  // namespace

std::string HttpDate(sys_seconds instant) {
  const auto day = floor<days>(instant);
  const year_month_day ymd{day};
  const hh_mm_ss time{instant - day};
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02u %s %04d %02d:%02d:%02d GMT",
                kWeekdays[weekday{day}.c_encoding()].data(), static_cast<unsigned>(ymd.day()),
                kMonths[static_cast<unsigned>(ymd.month()) - 1].data(),
                static_cast<int>(ymd.year()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
  return text;
}

std::optional<sys_seconds> ParseHttpDate(std::string_view text, sys_seconds now) {
  if (auto instant = ImfFixdate(text)) return instant;
  if (auto instant = Rfc850(text, now)) return instant;
  return Asctime(text);
}

}  // namespace velunta::server
