#pragma once
// Dates as the records' formats write them.

#include <velunta/records_export.h>
#include <chrono>
#include <cstdint>
#include <string>

namespace velunta::records {

// The language of names and weekdays in text and iCalendar (CSV and JSON carry both).
enum class Lang : std::uint8_t { ja, en };

// Returns "2026/05/06", the date as the module writes it.
VELUNTA_RECORDS_EXPORT std::string SlashDate(std::chrono::year_month_day date);

// Returns "2026-05-06" (ISO 8601), the date in machine-readable output.
VELUNTA_RECORDS_EXPORT std::string IsoDate(std::chrono::year_month_day date);

// Returns "20260506", the date in iCalendar's DATE form.
VELUNTA_RECORDS_EXPORT std::string CompactDate(std::chrono::year_month_day date);

// Returns the weekday as the window's list writes it ("水") or, for English, "Wed".
VELUNTA_RECORDS_EXPORT std::string WeekdayText(std::chrono::year_month_day date, Lang lang);

}  // namespace velunta::records
