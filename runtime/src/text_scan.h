#pragma once
// Reads text typed by people one character at a time, straight from its UTF-8 bytes: no copy,
// no allocation. Full-width ASCII (U+FF01..U+FF5E, what a Japanese input method types in
// full-width mode) reads as its half-width form and the ideographic space U+3000 as a space, so
// the parsers only ever see one spelling of each digit, letter, sign and separator.

#include <cstddef>
#include <string_view>

namespace velunta::runtime::detail {

// What Next() returns for a byte sequence that is no well-formed UTF-8 (a stray continuation
// byte, a truncated sequence, an overlong form, a surrogate, a value beyond U+10FFFF). It
// matches no character the parsers look for, so such a text is refused.
inline constexpr char32_t kBadText = 0xFFFFFFFF;

// The end of the text.
inline constexpr char32_t kEndOfText = 0xFFFFFFFE;

inline constexpr char32_t kFullWidthFirst = 0xFF01;  // ！
inline constexpr char32_t kFullWidthLast = 0xFF5E;   // ～
inline constexpr char32_t kFullWidthOffset = 0xFF01 - 0x21;
inline constexpr char32_t kIdeographicSpace = 0x3000;

class TextScanner {
 public:
  explicit constexpr TextScanner(std::string_view text) noexcept
      : at_(text.data()), end_(text.data() + text.size()) {
    Load();
  }

  constexpr bool AtEnd() const noexcept { return current_ == kEndOfText; }

  // Returns the next character, folded, without consuming it.
  constexpr char32_t Peek() const noexcept { return current_; }

  // Returns the next character, folded, and consumes it (a bad sequence consumes one byte).
  constexpr char32_t Next() noexcept {
    const char32_t c = current_;
    at_ += length_;
    Load();
    return c;
  }

  // Consumes the next character when it is `wanted`; returns whether it was.
  constexpr bool Take(char32_t wanted) noexcept {
    if (current_ != wanted) return false;
    Next();
    return true;
  }

  // Consumes blanks: space, tab and the ideographic space (which folds to a space).
  constexpr void SkipBlanks() noexcept {
    while (current_ == U' ' || current_ == U'\t') Next();
  }

  // Returns whether nothing but blanks is left.
  constexpr bool OnlyBlanksLeft() noexcept {
    SkipBlanks();
    return AtEnd();
  }

 private:
  static constexpr unsigned Byte(const char* p) noexcept { return static_cast<unsigned char>(*p); }
  static constexpr bool IsContinuation(unsigned b) noexcept { return (b & 0xC0U) == 0x80U; }

  static constexpr char32_t Fold(char32_t c) noexcept {
    if (c >= kFullWidthFirst && c <= kFullWidthLast) return c - kFullWidthOffset;
    if (c == kIdeographicSpace) return U' ';
    return c;
  }

  // Decodes the character at at_ into current_ and length_.
  constexpr void Load() noexcept {
    length_ = 1;
    if (at_ == end_) {
      current_ = kEndOfText;
      length_ = 0;
    } else if (const unsigned lead = Byte(at_); lead < 0x80U) {
      current_ = lead;  // plain ASCII, the common case
    } else {
      current_ = DecodeMultiByte(lead);
    }
  }

  constexpr char32_t DecodeMultiByte(unsigned lead) noexcept {
    const auto left = static_cast<std::size_t>(end_ - at_);
    std::size_t size = 0;
    char32_t c = 0;
    char32_t smallest = 0;  // below this the form is overlong
    if (lead >= 0xC2U && lead <= 0xDFU) {
      size = 2, c = lead & 0x1FU, smallest = 0x80;
    } else if (lead >= 0xE0U && lead <= 0xEFU) {
      size = 3, c = lead & 0x0FU, smallest = 0x800;
    } else if (lead >= 0xF0U && lead <= 0xF4U) {
      size = 4, c = lead & 0x07U, smallest = 0x10000;
    } else {
      return kBadText;
    }
    if (left < size) return kBadText;
    for (std::size_t i = 1; i < size; ++i) {
      const unsigned b = Byte(at_ + i);
      if (!IsContinuation(b)) return kBadText;
      c = (c << 6) | (b & 0x3FU);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kBadText;
    length_ = size;
    return Fold(c);
  }

  const char* at_;
  const char* end_;
  char32_t current_ = kEndOfText;
  std::size_t length_ = 0;
};

// Returns whether the text is plain ASCII, the form the module's own texts always take.
constexpr bool IsAscii(std::string_view text) noexcept {
  unsigned char bits = 0;
  for (const char c : text) bits = static_cast<unsigned char>(bits | static_cast<unsigned char>(c));
  return bits < 0x80U;
}

// TextScanner's interface reading each byte as one character, for plain ASCII texts: nothing
// needs decoding or folding, so reading costs one load and one compare. A byte above 0x7F
// reads as a character in U+0080..U+00FF, which no parser accepts.
class AsciiScanner {
 public:
  explicit constexpr AsciiScanner(std::string_view text) noexcept
      : at_(text.data()), end_(text.data() + text.size()) {}

  constexpr bool AtEnd() const noexcept { return at_ == end_; }
  constexpr char32_t Peek() const noexcept {
    return at_ == end_ ? kEndOfText : static_cast<unsigned char>(*at_);
  }
  constexpr char32_t Next() noexcept {
    return at_ == end_ ? kEndOfText : static_cast<unsigned char>(*at_++);
  }
  constexpr bool Take(char32_t wanted) noexcept {
    if (Peek() != wanted) return false;
    ++at_;
    return true;
  }
  constexpr void SkipBlanks() noexcept {
    while (at_ != end_ && (*at_ == ' ' || *at_ == '\t')) ++at_;
  }
  constexpr bool OnlyBlanksLeft() noexcept {
    SkipBlanks();
    return AtEnd();
  }

 private:
  const char* at_;
  const char* end_;
};

// Returns the value of a decimal digit, or -1 for any other character.
constexpr int DigitValue(char32_t c) noexcept {
  return (c >= U'0' && c <= U'9') ? static_cast<int>(c - U'0') : -1;
}

}  // namespace velunta::runtime::detail
