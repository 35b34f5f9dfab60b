#pragma once
// gzip for answers, as a client's Accept-Encoding allows it.

#include <string>
#include <string_view>

namespace velunta::server {

// Answers shorter than this are sent as they are: gzip would save less than its own cost.
inline constexpr std::size_t kSmallestGzipped = 1024;

// Returns true when an Accept-Encoding value accepts gzip: "gzip" (or "x-gzip") or "*" with a
// weight above 0, gzip's own entry deciding over "*". Example: "gzip, br" -> true;
// "gzip;q=0, *" -> false; "*;q=0.5" -> true; "identity" -> false.
bool AcceptsGzip(std::string_view acceptEncoding) noexcept;

// Returns `data` compressed as a gzip member (RFC 1952). Throws std::bad_alloc only.
std::string Gzipped(std::string_view data);

}  // namespace velunta::server
