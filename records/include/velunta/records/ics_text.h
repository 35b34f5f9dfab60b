#pragma once
// The pieces of iCalendar (RFC 5545) text the day writer builds its events from.

#include <string>
#include <string_view>

#include <velunta/records/day_record.h>
#include <velunta/records_export.h>

namespace velunta::records {

// Returns a TEXT value escaped: backslash, semicolon and comma get a backslash before them, a
// line feed becomes \n (a CR before it is dropped). Example: "a,b;c" -> "a\,b\;c".
VELUNTA_RECORDS_EXPORT std::string EscapeText(std::string_view text);

// Returns a content line folded to at most 75 octets a line, each line ending in CRLF and each
// continuation starting with one space. A fold never splits a UTF-8 sequence, so a line may end
// up to three octets short of 75.
VELUNTA_RECORDS_EXPORT std::string FoldLine(std::string_view line);

// Returns the event's UID: the date and the English name in lower-case letters and digits,
// e.g. "20260506-substitute-holiday@velunta"; a plain Sunday is "20260510-sunday@velunta".
VELUNTA_RECORDS_EXPORT std::string EventUid(const DayRecord& day);

}  // namespace velunta::records
