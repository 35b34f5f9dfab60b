#pragma once
// A request target split into its path and its query parameters, percent-decoded.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velunta::server {

struct Target {
  std::string path;                                        // decoded: "/v1/days/2026-05-06"
  std::vector<std::pair<std::string, std::string>> query;  // decoded, in order; '+' is a space
};

// Returns the target's path and query, or the reason it is refused in `error`: a malformed
// percent escape, text that is not UTF-8 once decoded, a control character, or a target that
// does not start with '/'. Example: "/v1/next?date=2026%2F05%2F06&count=2" -> path "/v1/next",
// query {{"date", "2026/05/06"}, {"count", "2"}}.
std::optional<Target> ParseTarget(std::string_view target, std::string& error);

}  // namespace velunta::server
