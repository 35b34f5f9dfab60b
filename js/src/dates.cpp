#include "dates.h"

#include <cstdio>

#include <emscripten/bind.h>

#include <velunta/calendar.h>
#include <velunta/records/day_source.h>
#include <velunta/request/queries.h>
#include <velunta/request/values.h>

#include "failure.h"

namespace velunta::js {
namespace {

using namespace std::chrono;

constexpr int kYearFactor = 10000;
constexpr int kMonthFactor = 100;

// Returns the date a text names, in every form the command reads (2026-05-06, 2026/5/6,
// 20260506, 2026年5月6日, 令和8年5月6日, full-width digits), packed; 0 when refused.
int ReadDate(const std::string& text) {
  auto date = request::Date(text, records::LawSource(), request::DateStyle::iso);
  if (!date.has_value()) return Refuse(date.refusal(), 0);
  return Packed(*date);
}

// Returns the day in Japan at an instant given in milliseconds since 1970 (Date.getTime()).
int DayInJapan(double milliseconds) {
  // Far beyond the covered years (and NaN): refused before the day arithmetic could overflow.
  constexpr double kFarInstant = 1e14;  // about 3,170 years from 1970
  if (!(milliseconds > -kFarInstant && milliseconds < kFarInstant)) milliseconds = kFarInstant;
  const sys_time<std::chrono::milliseconds> instant{
      std::chrono::milliseconds{static_cast<long long>(milliseconds)}};
  const year_month_day date = request::TodayInJapan(floor<seconds>(instant));
  if (records::LawSource().Covers(date)) return Packed(date);
  return Refuse(
      request::Refusal{"date out of range", std::nullopt, "",
                       "days in Japan from " +
                           request::DateText(kFirstDate, request::DateStyle::iso) + " to " +
                           request::DateText(kLastDate, request::DateStyle::iso)},
      0);
}

// Keeps the refusal of a packed date as the date reader words it for the same date written out;
// out of line, so that the calls that succeed carry none of its strings.
[[gnu::noinline]] std::nullopt_t RefusedDate(int packed) {
  auto refused = request::Date(PackedText(packed), records::LawSource(), request::DateStyle::iso);
  if (refused.has_value()) return Refuse("not a date: " + std::to_string(packed), std::nullopt);
  return Refuse(refused.refusal(), std::nullopt);
}

}  // namespace

int Packed(year_month_day date) noexcept {
  return static_cast<int>(date.year()) * kYearFactor +
         static_cast<int>(static_cast<unsigned>(date.month())) * kMonthFactor +
         static_cast<int>(static_cast<unsigned>(date.day()));
}

std::string PackedText(int packed) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", packed / kYearFactor,
                packed / kMonthFactor % kMonthFactor, packed % kMonthFactor);
  return text;
}

std::string WholeText(double number) {
  char text[400];  // the longest double written without exponent has 309 digits
  std::snprintf(text, sizeof text, "%.0f", number);
  return text;
}

std::optional<year_month_day> Unpacked(int packed) {
  const year_month_day date{year{packed / kYearFactor},
                            month{static_cast<unsigned>(packed / kMonthFactor % kMonthFactor)},
                            day{static_cast<unsigned>(packed % kMonthFactor)}};
  // The law calendar's years, as the date reader checks them below.
  if (packed > 0 && IsCovered(date)) return date;
  return RefusedDate(packed);
}

EMSCRIPTEN_BINDINGS(velunta_dates) {
  emscripten::function("readDate", &ReadDate);
  emscripten::function("dayInJapan", &DayInJapan);
}

}  // namespace velunta::js
