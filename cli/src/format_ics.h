#pragma once
// iCalendar output (RFC 5545): one all-day event per day off, for calendar programs to import.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "day.h"
#include "options.h"

namespace velunta::cli {

// Returns a TEXT value escaped: backslash, semicolon and comma get a backslash before them, a
// line feed becomes \n (a CR before it is dropped). Example: "a,b;c" -> "a\,b\;c".
std::string EscapeText(std::string_view text);

// Returns a content line folded to at most 75 octets a line, each line ending in CRLF and each
// continuation starting with one space. A fold never splits a UTF-8 sequence, so a line may end
// up to three octets short of 75.
std::string FoldLine(std::string_view line);

// Returns the event's UID: the date and the English name in lower-case letters and digits,
// e.g. "20260506-substitute-holiday@velunta"; a plain Sunday is "20260510-sunday@velunta".
std::string EventUid(const DayRecord& day);

// Writes a VCALENDAR with one VEVENT per day: DTSTART and DTEND (the next day) as DATE values,
// SUMMARY in the language asked for, DESCRIPTION with both names and the kind, CATEGORIES the
// kind, and a DTSTAMP derived from the date (see the .cpp), so the output is reproducible.
void WriteIcs(const std::vector<DayRecord>& list, Lang lang, std::ostream& out);

}  // namespace velunta::cli
