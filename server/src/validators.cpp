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
  return sys_days{CurrentLaw().VersionDate()} - kJstOffset;
}

}  // namespace velunta::server
