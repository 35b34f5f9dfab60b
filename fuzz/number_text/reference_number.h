#pragma once
// The numeric-text reference of the number_text fuzz target: the text's decimal digits read
// exactly and rounded half to even, written apart from the code under test.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velunta::fuzz {

// The full-width characters a number may hold, with their half-width forms. No other
// multi-byte character can be part of a number.
struct Folding {
  std::string_view wide;
  char narrow;
};
inline constexpr Folding kFoldings[] = {
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
    {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
    {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'}, {"\xEF\xBC\x8B", '+'}, {"\xEF\xBC\x8D", '-'},
    {"\xEF\xBC\x8E", '.'}, {"\xE3\x80\x80", ' '},
};

// Returns the text with its full-width characters folded; other bytes are kept as they are,
// and any byte left above 0x7F makes the text no number.
inline std::string Fold(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    bool folded = false;
    for (const Folding& f : kFoldings) {
      if (text.substr(at, f.wide.size()) == f.wide) {
        out += f.narrow;
        at += f.wide.size();
        folded = true;
        break;
      }
    }
    if (!folded) out += text[at++];
  }
  return out;
}

// What the text means: its sign, its whole digits and its fraction digits.
struct DecimalNumber {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads blanks, a sign, digits, a point and digits, blanks; nothing when the text is no number.
inline std::optional<DecimalNumber> ReadDecimal(std::string_view text) {
  DecimalNumber number;
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) number.negative = text[at++] == '-';
  while (at < text.size() && IsDigit(text[at])) number.whole += text[at++];
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) number.fraction += text[at++];
  }
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at != text.size() || (number.whole.empty() && number.fraction.empty())) return std::nullopt;
  return number;
}

// How the fraction 0.F compares with one half, found by doubling F in decimal: 2 x 0.F carries
// into the units exactly when F >= 1/2, and leaves no digit behind exactly when F == 1/2.
inline int CompareWithHalf(const std::string& fraction) {
  int carry = 0;
  bool restNonZero = false;
  for (auto it = fraction.rbegin(); it != fraction.rend(); ++it) {
    const int doubled = (*it - '0') * 2 + carry;  // [0, 19]
    carry = doubled / 10;
    if (doubled % 10 != 0) restNonZero = true;
  }
  if (carry == 0) return -1;
  return restNonZero ? 1 : 0;
}

// Returns the text's value rounded half to even, or nothing when it lies outside the 16-bit
// range. Only the whole part's length and value and the fraction's comparison with one half
// matter: a whole part of six or more significant digits is 100000 or more.
inline std::optional<std::int16_t> RoundToInt16(const DecimalNumber& number) {
  std::string_view whole = number.whole;
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  if (whole.size() > 5) return std::nullopt;
  long long magnitude = whole.empty() ? 0 : std::stoll(std::string(whole));  // [0, 99999]
  const int half = CompareWithHalf(number.fraction);
  if (half > 0 || (half == 0 && magnitude % 2 == 1)) ++magnitude;
  const long long value = number.negative ? -magnitude : magnitude;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

}  // namespace velunta::fuzz
