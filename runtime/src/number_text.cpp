#include "velunta/runtime/number_text.h"

#include <array>
#include <charconv>
#include <limits>

#include "text_scan.h"
#include "velunta/runtime/failure.h"

namespace velunta::runtime {
namespace {

using detail::DigitValue;
using detail::TextScanner;

// Any whole part above this is outside the 16-bit range whatever its fraction; counting stops
// there so a text of any length is read without overflow.
constexpr long kMagnitudeCap = 100000;

// What rounding needs of a numeric text, read exactly from its decimal digits.
struct Number {
  bool negative = false;
  long whole = 0;            // the whole part, saturated at kMagnitudeCap
  int firstFraction = 0;     // the first digit after the point, 0 when there is none
  bool restNonZero = false;  // any non-zero digit after the first fraction digit
};

// Reads blanks, an optional sign, digits with an optional fraction (1, 1.5, .5, 1.) and blanks;
// returns false when the text is not in that form.
bool ReadNumber(std::string_view text, Number& number) noexcept {
  TextScanner scan(text);
  scan.SkipBlanks();
  if (scan.Take(U'-')) {
    number.negative = true;
  } else {
    scan.Take(U'+');
  }
  bool anyDigit = false;
  for (int digit = DigitValue(scan.Peek()); digit >= 0; digit = DigitValue(scan.Peek())) {
    scan.Next();
    anyDigit = true;
    if (number.whole < kMagnitudeCap) number.whole = number.whole * 10 + digit;
  }
  if (scan.Take(U'.')) {
    bool first = true;
    for (int digit = DigitValue(scan.Peek()); digit >= 0; digit = DigitValue(scan.Peek())) {
      scan.Next();
      anyDigit = true;
      if (first) {
        number.firstFraction = digit;
        first = false;
      } else if (digit != 0) {
        number.restNonZero = true;
      }
    }
  }
  return anyDigit && scan.OnlyBlanksLeft();
}

}  // namespace

bool IsNumeric(std::string_view text) noexcept {
  Number number;
  return ReadNumber(text, number);
}

std::int16_t TextToInt16(std::string_view text) {
  Number number;
  if (!ReadNumber(text, number)) throw Failure("the text is no number");
  // Round to the nearest integer, a half to the even one.
  long magnitude = number.whole;
  const bool half = number.firstFraction == 5 && !number.restNonZero;
  if (number.firstFraction > 5 || (number.firstFraction == 5 && number.restNonZero) ||
      (half && magnitude % 2 == 1)) {
    ++magnitude;
  }
  const long value = number.negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    throw Failure("the number does not fit a 16-bit integer");
  }
  return static_cast<std::int16_t>(value);
}

std::string Int16ToText(std::int16_t value) {
  std::array<char, 8> buffer;  // "-32768" at most
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace velunta::runtime
