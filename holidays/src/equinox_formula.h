#pragma once
// The day of the vernal and the autumnal equinox by a closed-form fit that holds for the years
// 1900-2099: a mean drift of the equinox per year, a leap-year correction, and one set of base
// days for 1900-1979 and another for 1980-2099.

#include <cstdint>

#include <velunta/Mdl_Velunta.h>

namespace velunta::holidays {

inline constexpr double kDriftPerYear = 0.242194;  // mean drift of the equinox, days a year
inline constexpr double kVernalBase1900 = 20.8357;
inline constexpr double kVernalBase1980 = 20.8431;
inline constexpr double kAutumnalBase1900 = 23.2588;
inline constexpr double kAutumnalBase1980 = 23.2488;
inline constexpr std::int16_t kReferenceYear = 1980;      // origin of the drift term
inline constexpr std::int16_t kLeapReferenceYear = 1983;  // origin of the leap term, 1900-1979
inline constexpr double kLeapDivisor = 4.0;
inline constexpr std::int16_t kFirstFormulaYear = Mdl_Velunta::kFirstEquinoxYear;
inline constexpr std::int16_t kLastEarlyYear = 1979;
inline constexpr std::int16_t kLastFormulaYear = Mdl_Velunta::kLastEquinoxYear;

namespace detail {

// Both helpers see only values of magnitude below 100 (the sums and quotients of 1900-2099).
constexpr double TruncateTowardZero(double x) noexcept {
  return static_cast<double>(static_cast<long long>(x));
}
constexpr double Floor(double x) noexcept {
  const double t = TruncateTowardZero(x);
  return t > x ? t - 1.0 : t;
}

// Years since 1980 and since 1983, taken in 16-bit arithmetic and then exactly as doubles;
// within 1900-2099 neither difference can overflow.
constexpr double YearsSince(std::int16_t year, std::int16_t origin) noexcept {
  return static_cast<double>(static_cast<std::int16_t>(year - origin));
}

// The drift term plus the base day: the product and the sum are rounded separately.
constexpr double DriftSum(std::int16_t year, double base) noexcept {
  const double product = YearsSince(year, kReferenceYear) * kDriftPerYear;
  return product + base;
}

// 1900-1979 truncate the leap term toward zero: year - 1983 is negative there, so truncation
// moves the quotient up (1900: -83 / 4 = -20.75 gives -20). Rounding it down would move the
// result of 60 of those 80 years by a day.
constexpr double EarlyLeapTerm(std::int16_t year) noexcept {
  return TruncateTowardZero(YearsSince(year, kLeapReferenceYear) / kLeapDivisor);
}

// 1980-2099: every rounded value is non-negative, so floor and truncation agree.
constexpr double LateLeapTerm(std::int16_t year) noexcept {
  return Floor(YearsSince(year, kReferenceYear) / kLeapDivisor);
}

constexpr bool InEarlyRange(std::int16_t year) noexcept {
  return year >= kFirstFormulaYear && year <= kLastEarlyYear;
}
constexpr bool InLateRange(std::int16_t year) noexcept {
  return year > kLastEarlyYear && year <= kLastFormulaYear;
}

}  // namespace detail

// Returns the day of March of the vernal equinox (19..22), or 0 outside 1900-2099.
constexpr std::int16_t VernalEquinoxDay(std::int16_t year) noexcept {
  using namespace detail;
  if (InEarlyRange(year)) {
    // The smallest sum is 1.46018 (1900): the difference stays positive.
    return static_cast<std::int16_t>(
        TruncateTowardZero(DriftSum(year, kVernalBase1900) - EarlyLeapTerm(year)));
  }
  if (InLateRange(year)) {
    return static_cast<std::int16_t>(Floor(DriftSum(year, kVernalBase1980)) - LateLeapTerm(year));
  }
  return 0;
}

// Returns the day of September of the autumnal equinox (22..24), or 0 outside 1900-2099.
constexpr std::int16_t AutumnalEquinoxDay(std::int16_t year) noexcept {
  using namespace detail;
  if (InEarlyRange(year)) {
    return static_cast<std::int16_t>(TruncateTowardZero(DriftSum(year, kAutumnalBase1900)) -
                                     EarlyLeapTerm(year));
  }
  if (InLateRange(year)) {
    return static_cast<std::int16_t>(Floor(DriftSum(year, kAutumnalBase1980)) - LateLeapTerm(year));
  }
  return 0;
}

static_assert(VernalEquinoxDay(1900) == 21 && AutumnalEquinoxDay(1900) == 23);
static_assert(VernalEquinoxDay(2005) == 20 && AutumnalEquinoxDay(2005) == 23);
static_assert(VernalEquinoxDay(2088) == 20);  // the sum 47.000052 lies nearest an integer
static_assert(VernalEquinoxDay(1899) == 0 && AutumnalEquinoxDay(2100) == 0);

}  // namespace velunta::holidays
