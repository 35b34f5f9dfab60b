#pragma once
// A request as the server reads it and the answer it gives, with no socket in either: the
// handler is a function from one to the other, so tests and fuzzers call it directly.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velunta::server {

struct Request {
  std::string method;  // "GET", "HEAD", ... as sent
  std::string target;  // the request target as sent: "/v1/holidays?year=2026"
  // Header fields with their names in lower case ("if-none-match"), in the order sent.
  std::vector<std::pair<std::string, std::string>> headers;

  // Returns the first value of a header (its name in lower case), or nothing.
  const std::string* Header(std::string_view lowerName) const noexcept {
    for (const auto& [name, value] : headers) {
      if (name == lowerName) return &value;
    }
    return nullptr;
  }
};

struct Response {
  int status = 200;
  std::vector<std::pair<std::string, std::string>> headers;  // Content-Type among them
  std::string body;  // what GET sends; HEAD sends its length and no body

  void Set(std::string name, std::string value) {
    headers.emplace_back(std::move(name), std::move(value));
  }
  const std::string* Header(std::string_view name) const noexcept {
    for (const auto& [key, value] : headers) {
      if (key == name) return &value;
    }
    return nullptr;
  }
};

// Returns the answer to a request the connection could not read as HTTP, with a JSON body
// {"error": "..."}: 400, 413 (a body too long) or 431 (a request line or headers too long).
Response ErrorResponse(int status, std::string_view message);

}  // namespace velunta::server
