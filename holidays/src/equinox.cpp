#include <velunta/Mdl_Velunta.h>

#include "equinox_formula.h"
#include "guard.h"

namespace Mdl_Velunta {
namespace {

template <std::int16_t (*Formula)(std::int16_t)>
Truth WriteEquinoxDay(const std::int16_t& year, std::int16_t& day) noexcept {
  return velunta::holidays::Guarded([&] {
    const std::int16_t result = Formula(year);  // the year is read before day is written
    day = result;
    return velunta::holidays::ToTruth(result != 0);
  });
}

}  // namespace

Truth GetVernalEquinoxDay(const std::int16_t& year, std::int16_t& day) noexcept {
  return WriteEquinoxDay<velunta::holidays::VernalEquinoxDay>(year, day);
}

Truth GetAutumnalEquinoxDay(const std::int16_t& year, std::int16_t& day) noexcept {
  return WriteEquinoxDay<velunta::holidays::AutumnalEquinoxDay>(year, day);
}

}  // namespace Mdl_Velunta
