#include "astronomy.h"

#include <erfa.h>
#include <erfam.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace velunta::astronomy {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kJdUnixEpoch = 2440587.5;  // 1970-01-01 00:00
constexpr double kJd2000 = 2451544.5;       // 2000-01-01 00:00
constexpr double kDaysPerJulianYear = 365.25;
constexpr double kMsPerDay = 86'400'000.0;

// Starting points for the root finder: the equinoxes of 2000 (TT) and the mean length of the
// year between equinoxes of the same kind. Off by well under a day over 1600..2399; the root
// finder takes it from there.
constexpr double kVernal2000 = 2451623.816;
constexpr double kAutumnal2000 = 2451810.217;
constexpr double kTropicalYear = 365.2422;

// The Sun's mean motion in longitude, radians a day; the first secant step uses it.
constexpr double kMeanMotion = kTwoPi / kTropicalYear;

// Stop once a step is below ~1 ms; the longitude error then is far below the ephemeris error.
constexpr double kTolerance = 1e-8;  // days
constexpr int kMaxSteps = 20;

// Horner evaluation, coefficients from the constant term up.
template <std::size_t N>
constexpr double Poly(double t, const std::array<double, N>& c) noexcept {
  double sum = 0.0;
  for (std::size_t i = N; i-- > 0;) sum = sum * t + c[i];
  return sum;
}

// GCRS to the true equator and equinox of date, with the true obliquity of the ecliptic; both
// change by well under an arcsecond a day, so the root finder holds one frame for its first steps.
struct Frame {
  double rbpn[3][3];
  double cosEps;
  double sinEps;
};

Frame FrameAt(double jd1, double jd2) noexcept {
  double dpsi = 0.0;
  double deps = 0.0;
  eraNut06a(jd1, jd2, &dpsi, &deps);
  double epsa = 0.0;
  double rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
  Frame frame{};
  eraPn06(jd1, jd2, dpsi, deps, &epsa, rb, rp, rbp, rn, frame.rbpn);
  const double eps = epsa + deps;  // true obliquity
  frame.cosEps = std::cos(eps);
  frame.sinEps = std::sin(eps);
  return frame;
}

// The apparent longitude in a given frame, radians in (−π, π].
double LongitudeIn(const Frame& frame, double jd1, double jd2) noexcept {
  // The Earth's heliocentric and barycentric position (au) and velocity (au/day), ICRS axes.
  // ERFA flags dates outside 1900–2100 as less accurate (still tens of km at most over
  // 1600–2399: a fraction of a second of time here).
  double pvh[2][3];
  double pvb[2][3];
  eraEpv00(jd1, jd2, pvh, pvb);

  // The Sun seen from the Earth: geometric vector, then back along the light path by the light
  // time, using the Sun's own barycentric velocity (Earth's barycentric minus heliocentric).
  double toSun[3];
  for (int i = 0; i < 3; ++i) toSun[i] = -pvh[0][i];
  const double distance = eraPm(toSun);         // au
  const double lightTime = distance / ERFA_DC;  // days
  double direction[3];
  for (int i = 0; i < 3; ++i) {
    const double sunVelocity = pvb[1][i] - pvh[1][i];
    direction[i] = toSun[i] - sunVelocity * lightTime;
  }
  double unit[3];
  double length = 0.0;
  eraPn(direction, &length, unit);

  // Annual aberration from the Earth's barycentric velocity, in units of c.
  double velocity[3];
  for (int i = 0; i < 3; ++i) velocity[i] = pvb[1][i] / ERFA_DC;
  const double bm1 = std::sqrt(1.0 - eraPm(velocity) * eraPm(velocity));
  double apparent[3];
  eraAb(unit, velocity, distance, bm1, apparent);

  // To the true equator and equinox of date, then about the x axis by the true obliquity onto
  // the ecliptic of date.
  double ofDate[3];
  for (int i = 0; i < 3; ++i) {
    ofDate[i] = frame.rbpn[i][0] * apparent[0] + frame.rbpn[i][1] * apparent[1] +
                frame.rbpn[i][2] * apparent[2];
  }
  const double y = ofDate[1] * frame.cosEps + ofDate[2] * frame.sinEps;
  return std::atan2(y, ofDate[0]);
}

// The longitude's distance from a target, wrapped to (−π, π].
double Offset(const Frame& frame, double jd1, double jd2, double target) noexcept {
  return std::remainder(LongitudeIn(frame, jd1, jd2) - target, kTwoPi);
}

}  // namespace

double DeltaTSeconds(double y) noexcept {
  // Espenak and Meeus, "Five Millennium Canon of Solar Eclipses" (NASA TP-2006-214141), ΔT in
  // seconds; each branch is the polynomial for its span of years.
  if (y < 1600.0) {
    const double u = (y - 1000.0) / 100.0;
    return Poly(
        u, std::array{1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073});
  }
  if (y < 1700.0) return Poly(y - 1600.0, std::array{120.0, -0.9808, -0.01532, 1.0 / 7129.0});
  if (y < 1800.0) {
    return Poly(y - 1700.0, std::array{8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0});
  }
  if (y < 1860.0) {
    return Poly(y - 1800.0, std::array{13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436,
                                       0.0000121272, -0.0000001699, 0.000000000875});
  }
  if (y < 1900.0) {
    return Poly(y - 1860.0,
                std::array{7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0});
  }
  if (y < 1920.0) {
    return Poly(y - 1900.0, std::array{-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
  }
  if (y < 1941.0) return Poly(y - 1920.0, std::array{21.20, 0.84493, -0.076100, 0.0020936});
  if (y < 1961.0) return Poly(y - 1950.0, std::array{29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0});
  if (y < 1986.0) return Poly(y - 1975.0, std::array{45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0});
  if (y < 2005.0) {
    return Poly(y - 2000.0,
                std::array{63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
  }
  if (y < 2050.0) return Poly(y - 2000.0, std::array{62.92, 0.32217, 0.005589});
  const double u = (y - 1820.0) / 100.0;
  if (y < 2150.0) return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
  return -20.0 + 32.0 * u * u;
}

double ApparentSolarLongitude(double jd1, double jd2) noexcept {
  const double lon = LongitudeIn(FrameAt(jd1, jd2), jd1, jd2);
  return lon < 0.0 ? lon + kTwoPi : lon;
}

std::optional<std::chrono::sys_time<std::chrono::milliseconds>> EquinoxInstant(
    int year, Season season) noexcept {
  if (year < static_cast<int>(kFirstYear) || year > static_cast<int>(kLastYear)) {
    return std::nullopt;
  }
  const bool vernal = season == Season::vernal;
  const double target = vernal ? 0.0 : std::numbers::pi;
  // The TT date is kept as jd1 + jd2 with jd1 a whole day, so the steps keep full precision.
  const double guess = (vernal ? kVernal2000 : kAutumnal2000) + kTropicalYear * (year - 2000);
  const double jd1 = std::floor(guess);
  double t = guess - jd1;  // [0, 1)

  // First the root in one frame, by secant steps from the mean motion ...
  Frame frame = FrameAt(jd1, t);
  double previousT = t;
  double previousF = Offset(frame, jd1, t, target);
  t = previousT - previousF / kMeanMotion;
  double slope = kMeanMotion;
  int steps = 0;
  for (; steps < kMaxSteps; ++steps) {
    const double f = Offset(frame, jd1, t, target);
    if (t != previousT) slope = (f - previousF) / (t - previousT);
    const double step = -f / slope;
    previousT = t;
    previousF = f;
    t += step;
    if (std::abs(step) < kTolerance) break;
  }
  // ... then in the frame of that instant, where Newton steps with the last slope settle it.
  frame = FrameAt(jd1, t);
  for (; steps < kMaxSteps; ++steps) {
    const double step = -Offset(frame, jd1, t, target) / slope;
    t += step;
    if (std::abs(step) < kTolerance) break;
  }
  if (steps == kMaxSteps || !std::isfinite(t)) return std::nullopt;

  // TT to UT by ΔT at that moment, then to milliseconds since 1970-01-01 00:00.
  const double decimalYear = 2000.0 + ((jd1 - kJd2000) + t) / kDaysPerJulianYear;
  const double ut = t - DeltaTSeconds(decimalYear) / 86400.0;
  const double ms = std::round(((jd1 - kJdUnixEpoch) + ut) * kMsPerDay);
  return std::chrono::sys_time<std::chrono::milliseconds>{
      std::chrono::milliseconds{static_cast<std::int64_t>(ms)}};
}

}  // namespace velunta::astronomy
