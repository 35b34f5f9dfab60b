// Holiday names and kinds from a holiday code.

#include <velunta/Mdl_Velunta.h>
#include <velunta/runtime/int16.h>

#include "guard.h"
#include "holiday_names.h"

namespace Mdl_Velunta {

Truth GetHolidayName(const std::int16_t& code, std::string& name, std::int16_t& kind) noexcept {
  using namespace velunta::holidays;
  return Guarded([&] {
    const std::int16_t c = code;  // read once: kind may be the caller's code variable itself
    // The units digit keeps the sign of the code (truncating remainder): -12 gives -2.
    const auto units = static_cast<std::int16_t>(c % 10);
    if (units == kKindSunday) {
      kind = kKindSunday;
    } else if (units == kKindSubstitute) {
      kind = kKindSubstitute;
      name = kSubstituteHolidayName;
    }
    // The tens part replaces the substitute name when it names a holiday (code 12: "元旦").
    const std::string_view holiday = HolidayNameOf(velunta::runtime::CheckedSub(c, units));
    if (!holiday.empty()) name = holiday;
    return kTrue;
  });
}

}  // namespace Mdl_Velunta
