#include <velunta/runtime/utf8.h>

#include <cstdint>
#include <cstdio>
#include <utility>

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

namespace {

// Characters that show nothing, so that a message repeating them would look like it says
// something else: format characters (a byte-order mark U+FEFF, zero-width spaces and joiners,
// bidirectional controls), fillers that render blank and the tag characters. Ranges, inclusive.
constexpr std::pair<std::uint32_t, std::uint32_t> kInvisible[] = {
    {0x00AD, 0x00AD},  // soft hyphen
    {0x034F, 0x034F},  // combining grapheme joiner
    {0x061C, 0x061C},  // Arabic letter mark
    {0x115F, 0x1160},  // Hangul choseong and jungseong fillers
    {0x17B4, 0x17B5},  // Khmer inherent vowels
    {0x180E, 0x180E},  // Mongolian vowel separator
    {0x200B,
     0x200F},  // zero-width space, non-joiner, joiner; left-to-right and right-to-left marks
    {0x202A, 0x202E},    // bidirectional embeddings and overrides
    {0x2060, 0x2064},    // word joiner, invisible operators
    {0x2066, 0x206F},    // bidirectional isolates, deprecated format characters
    {0x3164, 0x3164},    // Hangul filler
    {0xFEFF, 0xFEFF},    // byte-order mark, zero-width no-break space
    {0xFFA0, 0xFFA0},    // half-width Hangul filler
    {0xFFF9, 0xFFFB},    // interlinear annotation controls
    {0x1D173, 0x1D17A},  // musical format characters
    {0xE0000, 0xE007F},  // tags
};

// Returns the code point of a well-formed sequence of `length` bytes.
std::uint32_t CodePoint(std::string_view sequence, std::size_t length) noexcept {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (length == 1) return lead;
  std::uint32_t code = lead & (0x7FU >> length);
  for (std::size_t i = 1; i < length; ++i) {
    code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3FU);
  }
  return code;
}

bool IsInvisible(std::uint32_t code) noexcept {
  for (const auto& [first, last] : kInvisible) {
    if (code >= first && code <= last) return true;
  }
  return false;
}

}  // namespace

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
    if (!breaks && length > 1 && IsInvisible(CodePoint(character, length))) {
      // Named by its code point, as a reader looks it up: \ufeff.
      char name[12];
      const auto code = CodePoint(character, length);
      std::snprintf(name, sizeof name, code > 0xFFFF ? "\\U%08x" : "\\u%04x",
                    static_cast<unsigned>(code));
      escaped += name;
    } else if (!breaks) {
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
