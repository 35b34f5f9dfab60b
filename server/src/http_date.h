#pragma once
// Dates as HTTP writes and reads them (Date, Last-Modified, If-Modified-Since).

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace velunta::server {

// Returns an instant as HTTP writes dates (IMF-fixdate).
// Example: 2025-12-31 15:00:00 UTC -> "Wed, 31 Dec 2025 15:00:00 GMT".
std::string HttpDate(std::chrono::sys_seconds instant);

// Returns the instant of a date in one of HTTP's three forms, read strictly: IMF-fixdate
// ("Sun, 06 Nov 1994 08:49:37 GMT"), RFC 850 ("Sunday, 06-Nov-94 08:49:37 GMT") or asctime
// ("Sun Nov  6 08:49:37 1994"); nothing for any other text, a weekday that is not the date's, or
// an impossible date or time. A two-digit year more than 50 years after `now` is the century
// before. Example: "Sun, 06 Nov 1994 08:49:37 GMT" -> 1994-11-06 08:49:37 UTC; "06 Nov 1994" ->
// nothing.
std::optional<std::chrono::sys_seconds> ParseHttpDate(std::string_view text,
                                                      std::chrono::sys_seconds now);

}  // namespace velunta::server
