#pragma once
// Numbers typed by people, and the 16-bit integers the module works in.
//
// A numeric text is: optional blanks, an optional sign (+ or -), decimal digits with an
// optional fraction (1, 1.5, .5, 1.), optional blanks. Full-width digits, signs, the
// full-width full stop and ideographic spaces count as their half-width forms. No exponent,
// no digit grouping, no hexadecimal.

#include <cstdint>
#include <string>
#include <string_view>

#include <velunta/runtime_export.h>

namespace velunta::runtime {

// Returns true when the text is a number in the form above. Never throws.
VELUNTA_RUNTIME_EXPORT bool IsNumeric(std::string_view text) noexcept;

// Returns a numeric text rounded to the nearest 16-bit integer, a half to the even one;
// throws Failure for a text that is no number or a value outside -32768..32767.
// Example: TextToInt16("2004.5") -> 2004; TextToInt16("２００５") -> 2005.
VELUNTA_RUNTIME_EXPORT std::int16_t TextToInt16(std::string_view text);

// Returns the decimal text of a 16-bit integer: a minus sign before a negative value, no
// leading zeros, no blanks. Example: Int16ToText(-5) -> "-5".
VELUNTA_RUNTIME_EXPORT std::string Int16ToText(std::int16_t value);

}  // namespace velunta::runtime
