#pragma once
// The live astronomy behind the equinox table: the Sun's apparent geocentric ecliptic longitude
// from ERFA, ΔT from the Espenak–Meeus polynomials, and the root finder for the instants at which
// the longitude reaches 0° and 180°. Built for the table generator, the tests and the benchmarks;
// the calendar library itself only reads the generated table.

#include <chrono>
#include <optional>

#include <velunta/calendar.h>

namespace velunta::astronomy {

// Returns ΔT = TT − UT in seconds for a decimal year (2000.0 is 2000-01-01), from the
// Espenak–Meeus polynomials; they hold for −1999..3000, this calendar uses 1600..2399.
// Example: DeltaTSeconds(2000.0) -> 63.86.
double DeltaTSeconds(double decimalYear) noexcept;

// Returns the Sun's apparent geocentric ecliptic longitude, true equinox and ecliptic of date,
// in radians in [0, 2π), at the TT Julian date jd1 + jd2 (light-time and aberration included).
double ApparentSolarLongitude(double jd1, double jd2) noexcept;

// Returns the UT instant (rounded to the millisecond) of the vernal or autumnal equinox of a
// year in 1600..2399, or std::nullopt for another year.
std::optional<std::chrono::sys_time<std::chrono::milliseconds>> EquinoxInstant(
    int year, Season season) noexcept;

}  // namespace velunta::astronomy
