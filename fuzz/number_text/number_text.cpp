// Numeric texts typed by people: whatever the bytes, IsNumeric and TextToInt16 agree with a
// reference that reads the text's decimal digits exactly and rounds a half to the even integer,
// and the only failure that ever comes back is Failure, for no number or a value outside
// -32768..32767.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "../common/byte_reader.h"
#include "../common/fuzz_check.h"
#include "velunta/runtime/failure.h"
#include "velunta/runtime/number_text.h"

namespace {

using velunta::fuzz::Escaped;
using velunta::fuzz::Require;
using velunta::fuzz::Violation;
namespace runtime = velunta::runtime;

// The full-width characters a number may hold, with their half-width forms. No other
// multi-byte character can be part of a number.
struct Folding {
  std::string_view wide;
  char narrow;
};
constexpr Folding kFoldings[] = {
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
    {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
    {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'}, {"\xEF\xBC\x8B", '+'}, {"\xEF\xBC\x8D", '-'},
    {"\xEF\xBC\x8E", '.'}, {"\xE3\x80\x80", ' '},
};

// Returns the text with its full-width characters folded; other bytes are kept as they are,
// and any byte left above 0x7F makes the text no number.
std::string Fold(std::string_view text) {
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
struct Decimal {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads blanks, a sign, digits, a point and digits, blanks; nothing when the text is no number.
std::optional<Decimal> ReadDecimal(std::string_view text) {
  Decimal number;
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
int CompareWithHalf(const std::string& fraction) {
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
std::optional<std::int16_t> RoundToInt16(const Decimal& number) {
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

// Returns TextToInt16's answer, or nothing when it threw Failure.
std::optional<std::int16_t> Convert(std::string_view text) {
  try {
    return runtime::TextToInt16(text);
  } catch (const runtime::Failure&) {
    return std::nullopt;
  }
}

void CheckText(std::string_view text) {
  const auto decimal = ReadDecimal(Fold(text));
  Require(runtime::IsNumeric(text) == decimal.has_value(),
          "IsNumeric accepts exactly the numeric texts", Escaped(text));
  const auto expected = decimal ? RoundToInt16(*decimal) : std::nullopt;
  const auto converted = Convert(text);
  if (converted != expected) {
    Violation("TextToInt16 rounds half to even and fails only outside -32768..32767",
              Escaped(text) + " gave " + (converted ? std::to_string(*converted) : "Failure") +
                  ", expected " + (expected ? std::to_string(*expected) : "Failure"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velunta::fuzz::ByteReader in(data, size);
  try {
    // The first two bytes also make a 16-bit value: its text is the plain decimal and reads back.
    const auto value = velunta::fuzz::ByteReader(data, size).Take<std::int16_t>();
    const std::string written = runtime::Int16ToText(value);
    Require(written == std::to_string(value), "Int16ToText writes plain decimal", written);
    Require(Convert(written) == value, "an Int16ToText text reads back", written);

    const std::string_view text = in.TakeRest();
    CheckText(text);
    // The same number with a fraction of exactly one half, and just above it.
    if (const auto decimal = ReadDecimal(Fold(text)); decimal && decimal->fraction.empty()) {
      const std::string trimmed(text.substr(0, text.find_last_not_of(" \t") + 1));
      if (!trimmed.empty() && trimmed.back() != '.') {
        CheckText(trimmed + ".5");
        CheckText(trimmed + ".50000000000000000000001");
      }
    }
  } catch (const std::exception& error) {
    Violation("nothing but Failure leaves the numeric services", error.what());
  }
  return 0;
}
