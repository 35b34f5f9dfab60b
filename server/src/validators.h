#pragma once
// What lets a cache keep an answer and ask again cheaply: its entity tag, how long it stays
// fresh, and whether a conditional request names it.

#include <chrono>
#include <string>
#include <string_view>

namespace velunta::server {

// Returns a strong entity tag of a body: a stable 64-bit hash in hex, quoted ("\"0123…\"").
std::string EntityTag(std::string_view body);

// Returns the tag of the same entity gzipped: "\"0123\"" -> "\"0123-gzip\"".
std::string GzipTag(std::string_view tag);

// Returns true when If-None-Match names the tag (or is "*"); weak tags compare by their value.
// Example: ("\"x\", W/\"ab\"", "\"ab\"") -> true.
bool TagMatches(std::string_view ifNoneMatch, std::string_view tag) noexcept;

// Returns the seconds from `now` to the next midnight in Japan, 1 to 86,400.
long SecondsToMidnightInJapan(std::chrono::sys_seconds now) noexcept;

// The instant of the law data in use: its version (the data's date, at 00:00 in Japan). A feed
// or page made from it is no older than that.
std::chrono::sys_seconds DataDate() noexcept;

}  // namespace velunta::server
