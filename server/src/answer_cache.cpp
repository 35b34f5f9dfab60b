#include "answer_cache.h"

#include <mutex>

namespace velunta::server {

std::optional<SharedAnswer> AnswerCache::Find(const std::string& key) const {
  const std::shared_lock lock(mutex_);
  const auto found = answers_.find(key);
  if (found == answers_.end()) return std::nullopt;
  return found->second;
}

void AnswerCache::Keep(const std::string& key, const SharedAnswer& answer) {
  if (answer.head.status != 200 || answer.body->size() > kLargestBody) return;
  const std::size_t size = key.size() + answer.body->size();
  const std::unique_lock lock(mutex_);
  if (bytes_ + size > kMostBytes) {
    answers_.clear();
    bytes_ = 0;
  }
  if (answers_.emplace(key, answer).second) bytes_ += size;
}

}  // namespace velunta::server
