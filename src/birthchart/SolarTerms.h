#pragma once

#include <QDateTime>
#include <QString>

namespace tolvane {

// The Sun's apparent place and the solar terms (节气), computed with ERFA (the IAU SOFA routines): the Earth's
// place and velocity, precession IAU 2006, nutation IAU 2000B and the apparent sidereal time. Times are
// Universal Time given as Julian days or as UTC date-times; UTC is taken for UT1, which it never leaves by more
// than 0.9 s.
namespace solar {

// The Julian day of a date-time (any time spec; converted to UTC), and back (to the millisecond).
double julianDay(const QDateTime &when);
QDateTime utcFromJulianDay(double jd);

// TT - UT in seconds at the given Julian day (UT): the polynomials of Espenak and Meeus (NASA's Five
// Millennium Canon of Solar Eclipses) for 1860-2005, the observed yearly values and a prediction to 2050, then
// over a century to the long-term parabola -20 + 31 u^2 (u in centuries from 1820).
double deltaTSeconds(double jd);

// The Sun's apparent geocentric ecliptic longitude of date in degrees, 0 <= result < 360 (with aberration,
// referred to the true equinox and ecliptic of the date).
double apparentSolarLongitude(double jd);

// The equation of time in minutes: apparent solar time minus mean solar time (about -14 in February, +16 in
// November).
double equationOfTimeMinutes(double jd);

// The 24 solar terms in the order of the Gregorian year: 0 小寒 (285 degrees), 1 大寒, 2 立春 (315), ...
// 22 大雪, 23 冬至; term t begins when the Sun's apparent longitude reaches 285 + 15 t degrees.
inline constexpr int kTermCount = 24;
QString termName(int term);
double termLongitude(int term);

// The instant (UTC) at which the Sun reaches the given apparent longitude, the crossing nearest to jdGuess
// (within about half a year).
QDateTime crossingInstant(double longitude, double jdGuess);

// The instant (UTC) of solar term t of the Gregorian year (in Beijing time every term falls in its year).
QDateTime termInstant(int year, int term);

} // namespace solar

} // namespace tolvane
