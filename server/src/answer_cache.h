#pragma once
// Answers that depend on nothing but their key (the request target, the encoding and, for the
// feed and the page, the year in Japan), kept so that a question asked again is not computed
// again. Bodies are shared, not copied: a connection sending a kept answer holds the one copy.
// Bounded in bytes; when full it starts over (answers being sent keep their bodies until sent).
// A cache, not state: every copy of the server gives the same answers with or without it.

#include <cstddef>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include <velunta/server/handler.h>

namespace velunta::server {

class AnswerCache {
 public:
  // Returns the answer kept for a key, or nothing.
  std::optional<SharedAnswer> Find(const std::string& key) const;

  // Keeps a 200 answer whose body is at most kLargestBody bytes; others are not kept.
  void Keep(const std::string& key, const SharedAnswer& answer);

  // The largest list (800 years of days off with Sundays, as iCalendar) is about 12 MB.
  static constexpr std::size_t kLargestBody = 16 * 1024 * 1024;
  static constexpr std::size_t kMostBytes = 64 * 1024 * 1024;

 private:
  mutable std::shared_mutex mutex_;
  std::unordered_map<std::string, SharedAnswer> answers_;
  std::size_t bytes_ = 0;
};

}  // namespace velunta::server
