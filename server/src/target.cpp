#include <velunta/server/target.h>

#include <velunta/runtime/utf8.h>

#include <cstdint>

namespace velunta::server {
namespace {

int HexValue(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes %XX escapes (and '+' as a space in the query); refuses a broken escape, a decoded text
// that is not UTF-8 and control characters, which no parameter of ours can hold.
std::optional<std::string> Decode(std::string_view text, bool plusIsSpace, std::string_view part,
                                  std::string& error) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%') {
      const int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
      const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
      if (high < 0 || low < 0) {
        error = "malformed percent escape in the " + std::string(part) +
                "; accepted: % followed by two hexadecimal digits";
        return std::nullopt;
      }
      c = static_cast<char>(high * 16 + low);
      i += 2;
    } else if (c == '+' && plusIsSpace) {
      c = ' ';
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      error = "control character in the " + std::string(part) + "; accepted: printable UTF-8 text";
      return std::nullopt;
    }
    decoded += c;
  }
  if (!runtime::IsUtf8(decoded)) {
    error = "the " + std::string(part) + " is not UTF-8 once decoded; accepted: UTF-8 text";
    return std::nullopt;
  }
  return decoded;
}

}  // namespace

std::optional<Target> ParseTarget(std::string_view target, std::string& error) {
  if (target.empty() || target.front() != '/') {
    error = "request target not a path; accepted: a path starting with /";
    return std::nullopt;
  }
  const auto hash = target.find('#');
  if (hash != std::string_view::npos) target = target.substr(0, hash);
  const auto question = target.find('?');
  Target parsed;
  auto path = Decode(target.substr(0, question), false, "path", error);
  if (!path) return std::nullopt;
  parsed.path = std::move(*path);
  if (question == std::string_view::npos) return parsed;

  std::string_view query = target.substr(question + 1);
  while (!query.empty()) {
    const auto amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
    if (pair.empty()) continue;
    const auto equals = pair.find('=');
    auto name = Decode(pair.substr(0, equals), true, "query", error);
    if (!name) return std::nullopt;
    std::optional<std::string> value = std::string();
    if (equals != std::string_view::npos)
      value = Decode(pair.substr(equals + 1), true, "query", error);
    if (!value) return std::nullopt;
    parsed.query.emplace_back(std::move(*name), std::move(*value));
  }
  return parsed;
}

}  // namespace velunta::server
