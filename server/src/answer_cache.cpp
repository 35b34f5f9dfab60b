#include "answer_cache.h"

#include <mutex>

namespace velunta::server {

std::optional<Response> AnswerCache::Find(std::string_view target) const {
  const std::shared_lock lock(mutex_);
  const auto found = answers_.find(std::string(target));
  if (found == answers_.end()) return std::nullopt;
  return found->second;
}

void AnswerCache::Keep(std::string_view target, const Response& response) {
  if (response.status != 200 || response.body.size() > kLargestBody) return;
  const std::size_t size = target.size() + response.body.size();
  const std::unique_lock lock(mutex_);
  if (bytes_ + size > kMostBytes) {
    answers_.clear();
    bytes_ = 0;
  }
  if (answers_.emplace(std::string(target), response).second) bytes_ += size;
}

}  // namespace velunta::server
