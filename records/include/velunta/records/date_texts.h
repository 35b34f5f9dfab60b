#pragma once
// Dates as the records' formats write them.

#include <chrono>
#include <cstdint>
#include <string>

namespace velunta::records {

// The language of names and weekdays in text and iCalendar (CSV and JSON carry both).
enum class Lang : std::uint8_t { ja, en };

// Returns "2026/05/06", the date as the module writes it.
std::string SlashDate(std::chrono::year_month_day date);

// Returns "2026-05-06" (ISO 8601), the date in machine-readable output.
std::string IsoDate(std::chrono::year_month_day date);

// Returns "20260506", the date in iCalendar's DATE form.
std::string CompactDate(std::chrono::year_month_day date);

// Returns the weekday as the window's list writes it ("水") or, for English, "Wed".
std::string WeekdayText(std::chrono::year_month_day date, Lang lang);

}  // namespace velunta::records
