#include "validators.h"

#include <cstdint>
#include <cstdio>

#include <velunta/calendar.h>
#include <velunta/law.h>

namespace velunta::server {
namespace {

using namespace std::chrono;

// FNV-1a, 64 bits: stable across runs and builds, unlike std::hash.
std::uint64_t Hash(std::string_view text) noexcept {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// Returns the date of the law data's version ("YYYY-MM-DD", checked when the law was made).
year_month_day VersionDate(std::string_view text) noexcept {
  int parts[3] = {};
  const std::size_t at[3][2] = {{0, 4}, {5, 2}, {8, 2}};
  if (text.size() != 10) return {};
  for (std::size_t p = 0; p < 3; ++p) {
    for (std::size_t i = at[p][0]; i < at[p][0] + at[p][1]; ++i) {
      if (text[i] < '0' || text[i] > '9') return {};
      parts[p] = parts[p] * 10 + (text[i] - '0');
    }
  }
  return year{parts[0]} / month{static_cast<unsigned>(parts[1])} /
         day{static_cast<unsigned>(parts[2])};
}

}  // namespace

std::string EntityTag(std::string_view body) {
  // The data's version is part of the tag: an answer made from newer data is another entity,
  // even where its bytes are the same.
  const std::uint64_t hash = Hash(body) ^ (Hash(CurrentLaw().Version()) * 31);
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"", static_cast<unsigned long long>(hash));
  return tag;
}

std::string GzipTag(std::string_view tag) {
  std::string gzipped(tag.substr(0, tag.size() - 1));
  gzipped.append("-gzip\"");
  return gzipped;
}

bool TagMatches(std::string_view header, std::string_view tag) noexcept {
  while (!header.empty()) {
    const auto comma = header.find(',');
    std::string_view item = header.substr(0, comma);
    header = comma == std::string_view::npos ? std::string_view{} : header.substr(comma + 1);
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    if (item.starts_with("W/")) item.remove_prefix(2);
    if (item == "*" || item == tag) return true;
  }
  return false;
}

long SecondsToMidnightInJapan(sys_seconds now) noexcept {
  const auto inJapan = now + kJstOffset;
  const auto nextMidnight = floor<days>(inJapan) + days{1};
  return static_cast<long>((nextMidnight - inJapan).count());
}

sys_seconds DataDate() noexcept {
  const year_month_day date = VersionDate(CurrentLaw().Version());
  if (!date.ok()) return sys_seconds{};
  return sys_days{date} - kJstOffset;
}

}  // namespace velunta::server
