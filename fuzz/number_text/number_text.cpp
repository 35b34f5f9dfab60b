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
#include "reference_number.h"
#include "velunta/runtime/failure.h"
#include "velunta/runtime/number_text.h"

namespace {

using velunta::fuzz::Escaped;
using velunta::fuzz::Fold;
using velunta::fuzz::ReadDecimal;
using velunta::fuzz::Require;
using velunta::fuzz::RoundToInt16;
using velunta::fuzz::Violation;
namespace runtime = velunta::runtime;

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
