#include <velunta/runtime/utf8.h>

#include <cstdint>
#include <cstdio>

namespace velunta::runtime {

std::size_t Utf8SequenceLength(std::string_view text) noexcept {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;
  // The lead byte gives the length and the smallest code point that length may carry.
  std::size_t length = 0;
  std::uint32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  std::uint32_t code = lead & (0x7FU >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0U) != 0x80U) return 0;
    code = (code << 6) | (next & 0x3FU);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

bool IsUtf8(std::string_view text) noexcept {
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string EscapedOnOneLine(std::string_view text, std::size_t mostCharacters) {
  static constexpr std::string_view kNamed[] = {"\\0", "",    "",    "",    "",    "",    "",
                                                "\\a", "\\b", "\\t", "\\n", "\\v", "\\f", "\\r"};
  std::string escaped;
  std::size_t characters = 0;
  while (!text.empty()) {
    if (characters == mostCharacters) {
      escaped += "…";
      break;
    }
    const std::size_t length = Utf8SequenceLength(text);
    const auto byte = static_cast<unsigned char>(text[0]);
    const std::string_view character = text.substr(0, length == 0 ? 1 : length);
    const bool breaks = length == 0 || byte < 0x20 || byte == 0x7F || character == "\u2028" ||
                        character == "\u2029" ||
                        (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0);
    if (!breaks) {
      escaped += character;
    } else if (length == 1 && byte < std::size(kNamed) && !kNamed[byte].empty()) {
      escaped += kNamed[byte];
    } else {
      for (const char c : character) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x",
                      static_cast<unsigned>(static_cast<unsigned char>(c)));
        escaped += hex;
      }
    }
    text.remove_prefix(character.size());
    ++characters;
  }
  return escaped;
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kQuotedCharacters = 64;
  std::string quoted = "'";
  quoted += EscapedOnOneLine(text, kQuotedCharacters);
  quoted += '\'';
  return quoted;
}

}  // namespace velunta::runtime
