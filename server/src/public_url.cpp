// The address clients reach the server at, as an operator gives it with --public-url.

#include <velunta/server/handler.h>

namespace velunta::server {
namespace {

bool IsAsciiLetterOrDigit(char c) noexcept {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A host name or an IPv4 address: letters, digits, '-' and '.'; an IPv6 address in brackets.
bool IsHost(std::string_view host) noexcept {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    for (const char c : host.substr(1, host.size() - 2)) {
      if (!IsAsciiLetterOrDigit(c) && c != ':' && c != '.') return false;
    }
    return true;
  }
  if (host.empty() || host.front() == '.' || host.front() == '-') return false;
  for (const char c : host) {
    if (!IsAsciiLetterOrDigit(c) && c != '-' && c != '.') return false;
  }
  return true;
}

bool IsPort(std::string_view port) noexcept {
  if (port.empty() || port.size() > 5) return false;
  unsigned value = 0;
  for (const char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value >= 1 && value <= 65535;
}

// A path as RFC 3986 allows it, less what would end it or need quoting in HTML: unreserved
// characters, percent escapes, sub-delimiters but '&' and '\'', ':', '@' and '/'.
bool IsPath(std::string_view path) noexcept {
  for (const char c : path) {
    if (IsAsciiLetterOrDigit(c)) continue;
    if (std::string_view("-._~%!$()*+,;=:@/").find(c) == std::string_view::npos) return false;
  }
  return path.empty() || path.front() == '/';
}

}  // namespace

bool IsPublicUrl(std::string_view url) noexcept {
  std::string_view rest;
  if (url.starts_with("https://")) {
    rest = url.substr(8);
  } else if (url.starts_with("http://")) {
    rest = url.substr(7);
  } else {
    return false;
  }
  const auto slash = rest.find('/');
  const auto authority = rest.substr(0, slash);
  const auto path = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash);
  // The port follows the last ':' outside an IPv6 address's brackets.
  const auto colon = authority.rfind(':');
  const bool hasPort =
      colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos;
  const auto host = hasPort ? authority.substr(0, colon) : authority;
  return IsHost(host) && (!hasPort || IsPort(authority.substr(colon + 1))) && IsPath(path);
}

}  // namespace velunta::server
