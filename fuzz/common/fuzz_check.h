#pragma once
// What every fuzz target shares: failing loudly when a property does not hold, both under
// libFuzzer (which then saves the input as a crash file) and in the replay test (which names the
// file it was replaying).

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace velunta::fuzz {

// The file the replay test is running, named in a violation report; empty under libFuzzer.
inline std::string currentInputName;

// Prints which property failed, with a detail such as the text or date involved, and aborts.
[[noreturn]] inline void Violation(std::string_view property, std::string_view detail = {}) {
  std::fprintf(stderr, "fuzz property violated: %.*s\n", static_cast<int>(property.size()),
               property.data());
  if (!detail.empty()) {
    std::fprintf(stderr, "  detail: %.*s\n", static_cast<int>(detail.size()), detail.data());
  }
  if (!currentInputName.empty()) std::fprintf(stderr, "  input: %s\n", currentInputName.c_str());
  std::fflush(stderr);
  std::abort();
}

// Aborts naming the property when it does not hold. Build an expensive detail only on failure:
// if (!holds) Violation(property, detail).
inline void Require(bool holds, std::string_view property, std::string_view detail = {}) {
  if (!holds) Violation(property, detail);
}

// Returns the bytes of a text as printable ASCII with \xNN escapes, for violation details.
inline std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      out += c;
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    }
  }
  return out;
}

}  // namespace velunta::fuzz
