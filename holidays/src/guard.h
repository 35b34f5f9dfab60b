#pragma once
// The failure guard every public procedure runs under: any failure inside (a 16-bit overflow,
// a date service refusing a text, an allocation) ends the call with false and never escapes.

#include <velunta/Mdl_Velunta.h>

namespace velunta::holidays {

template <typename Body>
Mdl_Velunta::Truth Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return Mdl_Velunta::kFalse;
  }
}

constexpr Mdl_Velunta::Truth ToTruth(bool value) noexcept {
  return value ? Mdl_Velunta::kTrue : Mdl_Velunta::kFalse;
}

}  // namespace velunta::holidays
