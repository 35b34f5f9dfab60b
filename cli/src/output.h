#pragma once
// Writing results in the format the user asked for.

#include <ostream>
#include <string_view>
#include <vector>

#include "day.h"
#include "options.h"
#include "table.h"

namespace velunta::cli {

// Throws UsageError when --format=ics is asked of a command that writes no list of days.
void RequireNoIcs(const GlobalOptions& options, std::string_view command);

// Writes days: text lines as the window's list writes them (DayLine), a csv or json table of
// date, weekday, name, name_en and kind, or an iCalendar file.
void WriteDays(const std::vector<DayRecord>& days, const GlobalOptions& options, std::ostream& out);

// Writes a table as csv or json; for text the command writes its own lines.
void WriteTable(const Table& table, const GlobalOptions& options, std::ostream& out);

}  // namespace velunta::cli
