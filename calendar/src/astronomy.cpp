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

// The starting point: the mean equinoxes of 2000 (TT) stepped by the mean tropical year, then
// refined on a low-precision solar theory (Meeus, Astronomical Algorithms, ch. 25: 0.01° or
// about a quarter of an hour).
constexpr double kVernal2000 = 2451623.816;
constexpr double kAutumnal2000 = 2451810.217;
constexpr double kTropicalYear = 365.2422;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kDegree = std::numbers::pi / 180.0;

// The Sun's mean motion in longitude, radians a day.
constexpr double kMeanMotion = kTwoPi / kTropicalYear;

// Gaussian gravitational constant squared: the Sun's GM in au³/day².
constexpr double kGmSun = 0.01720209895 * 0.01720209895;

// A step below ~1 ms ends the search.
constexpr double kTolerance = 1e-8;  // days
constexpr int kMaxSteps = 12;

// Horner evaluation, coefficients from the constant term up.
template <std::size_t N>
constexpr double Poly(double t, const std::array<double, N>& c) noexcept {
  double sum = 0.0;
  for (std::size_t i = N; i-- > 0;) sum = sum * t + c[i];
  return sum;
}

// The low-precision apparent longitude of the Sun, radians, at a TT Julian date.
double RoughLongitude(double jd) noexcept {
  const double t = (jd - kJ2000) / kDaysPerCentury;
  const double l0 = Poly(t, std::array{280.46646, 36000.76983, 0.0003032});
  const double m = Poly(t, std::array{357.52911, 35999.05029, -0.0001537}) * kDegree;
  const double center = Poly(t, std::array{1.914602, -0.004817, -0.000014}) * std::sin(m) +
                        (0.019993 - 0.000101 * t) * std::sin(2.0 * m) +
                        0.000289 * std::sin(3.0 * m);
  const double node = (125.04 - 1934.136 * t) * kDegree;
  return (l0 + center - 0.00569 - 0.00478 * std::sin(node)) * kDegree;
}

// GCRS to the true equator and equinox of date, with the true obliquity of the ecliptic.
struct Frame {
  double rbpn[3][3];
  double cosEps;
  double sinEps;
};

// `precise` selects the full IAU 2006/2000A nutation; otherwise IAU 2000B, within a
// milliarcsecond of it (a few hundredths of a second of the Sun's motion) at a twentieth of the
// cost.
Frame FrameAt(double jd1, double jd2, bool precise) noexcept {
  double dpsi = 0.0;
  double deps = 0.0;
  if (precise) {
    eraNut06a(jd1, jd2, &dpsi, &deps);
  } else {
    eraNut00b(jd1, jd2, &dpsi, &deps);
  }
  double epsa = 0.0;
  double rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
  Frame frame{};
  eraPn06(jd1, jd2, dpsi, deps, &epsa, rb, rp, rbp, rn, frame.rbpn);
  const double eps = epsa + deps;  // true obliquity
  frame.cosEps = std::cos(eps);
  frame.sinEps = std::sin(eps);
  return frame;
}

// The Earth–Sun geometry at one instant, enough to follow it for a fraction of a day: over
// ±0.05 day a second-order expansion of the geocentric Sun (with the Sun's attraction as the
// acceleration) is off by under 10⁻⁴″, far below the ephemeris's own error.
struct Snapshot {
  double sun[3];           // geocentric Sun, au (ICRS axes)
  double sunVelocity[3];   // its rate, au/day
  double acceleration[3];  // its second derivative, au/day²
  double sunBary[3];       // the Sun's barycentric velocity, au/day (for the light time)
  double earthBary[3];     // the Earth's barycentric velocity, au/day (for aberration)
  Frame frame;
};

Snapshot SnapshotAt(double jd1, double jd2, bool precise) noexcept {
  // The Earth's heliocentric and barycentric position (au) and velocity (au/day). ERFA flags
  // dates outside 1900–2100 as less accurate: still tens of km at most over 1600–2399, a
  // fraction of a second of time here.
  double pvh[2][3];
  double pvb[2][3];
  eraEpv00(jd1, jd2, pvh, pvb);
  Snapshot snap{};
  const double r = eraPm(pvh[0]);
  for (int i = 0; i < 3; ++i) {
    snap.sun[i] = -pvh[0][i];
    snap.sunVelocity[i] = -pvh[1][i];
    snap.acceleration[i] = -kGmSun * snap.sun[i] / (r * r * r);
    snap.sunBary[i] = pvb[1][i] - pvh[1][i];
    snap.earthBary[i] = pvb[1][i];
  }
  snap.frame = FrameAt(jd1, jd2, precise);
  return snap;
}

// The apparent longitude `dt` days after the snapshot, radians in (−π, π].
double LongitudeAfter(const Snapshot& snap, double dt) noexcept {
  double sun[3];
  double earthVelocity[3];
  for (int i = 0; i < 3; ++i) {
    sun[i] = snap.sun[i] + (snap.sunVelocity[i] + 0.5 * snap.acceleration[i] * dt) * dt;
    earthVelocity[i] = snap.earthBary[i] - snap.acceleration[i] * dt;
  }
  // Back along the light path by the light time, with the Sun's own barycentric motion.
  const double distance = eraPm(sun);           // au
  const double lightTime = distance / ERFA_DC;  // days
  double direction[3];
  for (int i = 0; i < 3; ++i) direction[i] = sun[i] - snap.sunBary[i] * lightTime;
  double unit[3];
  double length = 0.0;
  eraPn(direction, &length, unit);

  // Annual aberration from the Earth's barycentric velocity, in units of c.
  double velocity[3];
  for (int i = 0; i < 3; ++i) velocity[i] = earthVelocity[i] / ERFA_DC;
  const double speed = eraPm(velocity);
  const double bm1 = std::sqrt(1.0 - speed * speed);
  double apparent[3];
  eraAb(unit, velocity, distance, bm1, apparent);

  // To the true equator and equinox of date, then about the x axis by the true obliquity onto
  // the ecliptic of date.
  double ofDate[3];
  for (int i = 0; i < 3; ++i) {
    ofDate[i] = snap.frame.rbpn[i][0] * apparent[0] + snap.frame.rbpn[i][1] * apparent[1] +
                snap.frame.rbpn[i][2] * apparent[2];
  }
  const double y = ofDate[1] * snap.frame.cosEps + ofDate[2] * snap.frame.sinEps;
  return std::atan2(y, ofDate[0]);
}

// Returns the distance of an angle from a target, wrapped to (−π, π].
double Offset(double angle, double target) noexcept {
  return std::remainder(angle - target, kTwoPi);
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
  const double lon = LongitudeAfter(SnapshotAt(jd1, jd2, true), 0.0);
  return lon < 0.0 ? lon + kTwoPi : lon;
}

std::optional<std::chrono::sys_time<std::chrono::milliseconds>> EquinoxInstant(
    int year, Season season) noexcept {
  if (year < static_cast<int>(kFirstYear) || year > static_cast<int>(kLastYear)) {
    return std::nullopt;
  }
  const bool vernal = season == Season::vernal;
  const double target = vernal ? 0.0 : std::numbers::pi;

  // A starting point within about a quarter of an hour, from the low-precision theory.
  double guess = (vernal ? kVernal2000 : kAutumnal2000) + kTropicalYear * (year - 2000);
  for (int i = 0; i < 4; ++i) guess -= Offset(RoughLongitude(guess), target) / kMeanMotion;

  // Then ERFA's Earth once, at that point, and secant steps on its expansion. The TT date is
  // kept as jd1 + dt with jd1 the starting point, so the steps keep full precision.
  const double jd1 = guess;
  const Snapshot snap = SnapshotAt(jd1, 0.0, false);
  double previousDt = 0.0;
  double previousF = Offset(LongitudeAfter(snap, 0.0), target);
  double dt = -previousF / kMeanMotion;
  int steps = 0;
  for (; steps < kMaxSteps; ++steps) {
    const double f = Offset(LongitudeAfter(snap, dt), target);
    if (f == previousF || dt == previousDt) break;
    const double step = -f * (dt - previousDt) / (f - previousF);
    previousDt = dt;
    previousF = f;
    dt += step;
    if (std::abs(step) < kTolerance) break;
  }
  // The expansion holds for a fraction of a day; a starting point that far off means the
  // search failed.
  if (steps == kMaxSteps || !std::isfinite(dt) || std::abs(dt) > 0.05) return std::nullopt;

  // TT to UT by ΔT at that moment, then to milliseconds since 1970-01-01 00:00.
  const double decimalYear = 2000.0 + ((jd1 - kJd2000) + dt) / kDaysPerJulianYear;
  const double ut = dt - DeltaTSeconds(decimalYear) / 86400.0;
  const double ms = std::round(((jd1 - kJdUnixEpoch) + ut) * kMsPerDay);
  return std::chrono::sys_time<std::chrono::milliseconds>{
      std::chrono::milliseconds{static_cast<std::int64_t>(ms)}};
}

}  // namespace velunta::astronomy
