#pragma once
// Answers that depend on nothing but the request target (a day, a year's list, an equinox, a
// business request), kept so that a target asked again is not computed again. Bounded in
// bytes; when full it starts over. A cache, not state: every copy of the server gives the same
// answers with or without it.

#include <cstddef>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include <velunta/server/exchange.h>

namespace velunta::server {

class AnswerCache {
 public:
  // Returns the answer kept for a target, or nothing.
  std::optional<Response> Find(std::string_view target) const;

  // Keeps a 200 answer whose body is at most kLargestBody bytes; others are not kept.
  void Keep(std::string_view target, const Response& response);

  static constexpr std::size_t kLargestBody = 64 * 1024;
  static constexpr std::size_t kMostBytes = 16 * 1024 * 1024;

 private:
  mutable std::shared_mutex mutex_;
  std::unordered_map<std::string, Response> answers_;
  std::size_t bytes_ = 0;
};

}  // namespace velunta::server
