#pragma once
// 16-bit arithmetic that traps on overflow, as the module's counters and day sums require.

#include <cstdint>
#include <limits>

#include "velunta/runtime/failure.h"

namespace velunta::runtime {

// Returns value as a 16-bit integer; throws Failure when it lies outside -32768..32767.
// Example: NarrowToInt16(2005) -> 2005; NarrowToInt16(40000) throws.
constexpr std::int16_t NarrowToInt16(long long value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    throw Failure("value does not fit a 16-bit integer");
  }
  return static_cast<std::int16_t>(value);
}

// Returns a + b; throws Failure on 16-bit overflow. Example: CheckedAdd(32767, 1) throws.
constexpr std::int16_t CheckedAdd(std::int16_t a, std::int16_t b) {
  return NarrowToInt16(static_cast<long long>(a) + b);
}

// Returns a - b; throws Failure on 16-bit overflow. Example: CheckedSub(-32768, 1) throws.
constexpr std::int16_t CheckedSub(std::int16_t a, std::int16_t b) {
  return NarrowToInt16(static_cast<long long>(a) - b);
}

}  // namespace velunta::runtime
