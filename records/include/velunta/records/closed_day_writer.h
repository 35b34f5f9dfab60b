#pragma once
// The closed days of a business calendar written as `velunta business closed` and
// /v1/business/closed write them: each a day's record with every reason that closes it.

#include <ostream>
#include <span>
#include <string_view>

#include <velunta/business_calendar.h>
#include <velunta/records/day_source.h>
#include <velunta/records/day_writer.h>
#include <velunta/records_export.h>

namespace velunta::records {

// The columns CSV and JSON write for a closed day: DayColumns() without business_day (every
// day here is closed), then reasons (ids: ["holiday", "weekend"]) and reasons_ja (the Japanese
// labels: ["祝日", "週末"]), each a list: a JSON array, one CSV field joined with ";"
// (holiday;weekend).
VELUNTA_RECORDS_EXPORT std::span<const std::string_view> ClosedDayColumns() noexcept;

// Writes closed days in date order in the options' format: CSV and JSON as ClosedDayColumns;
// iCalendar as all-day events named by the holiday, or by the reasons for a day with none; text
// as the day's line with its reasons: "2026/12/29(火) 【行政機関の休日】" ("[...]" in English).
// Each day's record comes from `source`. Throws RecordsError where the source does.
VELUNTA_RECORDS_EXPORT void WriteClosedDays(std::span<const ClosedDay> days,
                                            const DaySource& source, const WriterOptions& options,
                                            std::ostream& out);

}  // namespace velunta::records
