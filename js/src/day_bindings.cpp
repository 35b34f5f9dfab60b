// The questions about days: is it a holiday, which, the days off of a span, the nearest ones,
// the equinoxes. Each takes packed dates (dates.h) and words as the command takes them, and
// answers as the server's JSON does.

#include <string>
#include <vector>

#include <emscripten/bind.h>

#include <velunta/calendar.h>
#include <velunta/records/day_source.h>
#include <velunta/request/choices.h>
#include <velunta/request/queries.h>
#include <velunta/request/values.h>

#include "dates.h"
#include "failure.h"
#include "json_text.h"

namespace velunta::js {
namespace {

using namespace std::chrono;
using Direction = records::DaySource::Direction;

// Returns the law calendar with the labels a word chooses ("law" or "official"), or nothing
// after keeping the refusal.
const records::DaySource* SourceFor(const std::string& labels) {
  auto chosen = request::Choose(labels, request::kLabels);
  if (!chosen.has_value()) return Refuse(chosen.refusal(), nullptr);
  auto source = request::SourceFor(request::Rules::law, *chosen, "");
  if (!source.has_value()) return Refuse(source.refusal(), nullptr);
  return *source;
}

// Returns 1 when the date is a holiday of any kind, 0 when not, kRefused for a bad date.
int IsHoliday(int packed) {
  const auto date = Unpacked(packed);
  if (!date) return kRefused;
  return velunta::IsHoliday(*date).value_or(false) ? 1 : 0;
}

// Returns 1 when the date is a day off (a holiday or a Sunday), 0 when not, kRefused.
int IsDayOff(int packed) {
  const auto date = Unpacked(packed);
  if (!date) return kRefused;
  return records::LawSource().Day(*date).dayOff ? 1 : 0;
}

// Returns the JSON array of the date's holiday ("[]" when none), "" when refused.
std::string HolidayOn(int packed, const std::string& labels) {
  const auto date = Unpacked(packed);
  const auto* source = SourceFor(labels);
  if (!date || !source) return {};
  const auto day = source->Day(*date);
  const bool holiday = records::IsHolidayKind(day.kind);
  return DaysJson(holiday ? std::span(&day, 1) : std::span<const records::DayRecord>{});
}

std::string DaysOff(const records::DaySource& source, year_month_day first, year_month_day last,
                    bool sundays) {
  std::vector<records::DayRecord> days;
  source.ForEachDayOff(first, last, sundays,
                       [&](const records::DayRecord& day) { days.push_back(day); });
  return DaysJson(days);
}

// Returns the JSON array of a year's days off, "" when refused.
std::string HolidaysOfYear(int y, bool sundays, const std::string& labels) {
  const auto* source = SourceFor(labels);
  if (!source) return {};
  auto read = request::Year(std::to_string(y), *source);
  if (!read.has_value()) return Refuse(read.refusal(), std::string());
  return DaysOff(*source, *read / January / 1, *read / December / 31, sundays);
}

// Returns the JSON array of the days off from `first` to `last`, both included; "" when refused.
std::string HolidaysBetween(int first, int last, bool sundays, const std::string& labels) {
  const auto from = Unpacked(first);
  const auto to = from ? Unpacked(last) : std::nullopt;
  const auto* source = SourceFor(labels);
  if (!from || !to || !source) return {};
  if (auto refusal =
          request::OutOfOrder(*from, *to, PackedText(first), PackedText(last), "from", "to")) {
    return Refuse(*refusal, std::string());
  }
  return DaysOff(*source, *from, *to, sundays);
}

// Returns the JSON array of the `count` days off strictly after (forward) or before the date,
// nearest first; "" when refused, a count the years 1600..2399 cannot fill included, unless
// `orNone` asks for an empty array then.
std::string Nearest(int packed, bool forward, double count, bool orNone, bool sundays,
                    const std::string& labels) {
  const auto date = Unpacked(packed);
  const auto* source = SourceFor(labels);
  if (!date || !source) return {};
  auto counted = request::Count(WholeText(count), 1, request::kMostNearestDays);
  if (!counted.has_value()) return Refuse(counted.refusal(), std::string());
  auto found =
      request::NearestDaysOff(*source, *date, forward ? Direction::forward : Direction::backward,
                              *counted, sundays, request::DateStyle::iso);
  if (!found.has_value()) return orNone ? "[]" : Refuse(found.refusal(), std::string());
  return DaysJson(*found);
}

// Returns the JSON array of a year's vernal and autumnal equinox, "" when refused.
std::string Equinoxes(int y) {
  const auto& source = records::LawSource();
  auto read = request::EquinoxYear(std::to_string(y), source);
  if (!read.has_value()) return Refuse(read.refusal(), std::string());
  return EquinoxesJson(source.Equinoxes(*read));
}

}  // namespace

EMSCRIPTEN_BINDINGS(velunta_days) {
  emscripten::function("isHoliday", &IsHoliday);
  emscripten::function("isDayOff", &IsDayOff);
  emscripten::function("holidayOn", &HolidayOn);
  emscripten::function("holidaysOfYear", &HolidaysOfYear);
  emscripten::function("holidaysBetween", &HolidaysBetween);
  emscripten::function("nearest", &Nearest);
  emscripten::function("equinoxes", &Equinoxes);
}

}  // namespace velunta::js
