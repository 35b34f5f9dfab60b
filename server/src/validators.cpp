#include "validators.h"

#include <cstdint>
#include <cstdio>

#include <velunta/calendar.h>

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

// Reads "YYYY-MM-DD" at compile time; the build stops on a malformed VELUNTA_DATA_DATE.
constexpr year_month_day IsoDate(std::string_view text) {
  const auto number = [&](std::size_t at, std::size_t width) {
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
      if (text[i] < '0' || text[i] > '9') throw "VELUNTA_DATA_DATE is not YYYY-MM-DD";
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
    throw "VELUNTA_DATA_DATE is not YYYY-MM-DD";
  }
  const year_month_day date{year{number(0, 4)}, month{static_cast<unsigned>(number(5, 2))},
                            day{static_cast<unsigned>(number(8, 2))}};
  if (!date.ok()) throw "VELUNTA_DATA_DATE is not a date";
  return date;
}

constexpr year_month_day kDataDate = IsoDate(VELUNTA_DATA_DATE);

}  // namespace

std::string EntityTag(std::string_view body) {
  char tag[24];
  std::snprintf(tag, sizeof tag, "\"%016llx\"", static_cast<unsigned long long>(Hash(body)));
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
  return sys_days{kDataDate} - kJstOffset;
}

}  // namespace velunta::server
