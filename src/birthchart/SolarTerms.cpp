#include "birthchart/SolarTerms.h"

#include <cmath>
#include <libnova/nutation.h>
#include <libnova/precession.h>
#include <libnova/sidereal_time.h>
#include <libnova/solar.h>
#include <libnova/transform.h>

namespace tolvane::solar {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kTropicalYear = 365.2422;
constexpr double kJ2000 = 2451545.0;

constexpr char16_t kTermNames[] = u"小寒大寒立春雨水惊蛰春分清明谷雨立夏小满芒种夏至"
                                  u"小暑大暑立秋处暑白露秋分寒露霜降立冬小雪大雪冬至";

double normalizedDegrees(double d)
{
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// The Sun's apparent ecliptic longitude of date at the Julian ephemeris day jde. libnova 0.16 gives the
// geometric position referred to the J2000 ecliptic and equinox (its ecliptic precession is an empty stub),
// so the position is carried to the date through equatorial coordinates (ln_get_equ_prec2) before the
// nutation in longitude and the aberration are applied.
double apparentLongitudeAtJde(double jde, double *radiusVector = nullptr)
{
    ln_helio_posn geometric {};
    ln_get_solar_geom_coords(jde, &geometric);
    ln_lnlat_posn eclipticJ2000 { geometric.L, geometric.B };
    ln_equ_posn equatorialJ2000 {};
    ln_get_equ_from_ecl(&eclipticJ2000, kJ2000, &equatorialJ2000);
    ln_equ_posn equatorialOfDate {};
    ln_get_equ_prec2(&equatorialJ2000, kJ2000, jde, &equatorialOfDate);
    ln_lnlat_posn eclipticOfDate {};
    ln_get_ecl_from_equ(&equatorialOfDate, jde, &eclipticOfDate);
    ln_nutation nutation {};
    ln_get_nutation(jde, &nutation);
    const double aberration = 20.4898 / 3600.0 / geometric.R;
    if (radiusVector)
        *radiusVector = geometric.R;
    return normalizedDegrees(eclipticOfDate.lng + nutation.longitude - aberration);
}

double jdeOf(double jd)
{
    return jd + deltaTSeconds(jd) / kSecondsPerDay;
}

} // namespace

double julianDay(const QDateTime &when)
{
    const QDateTime utc = when.toUTC();
    return double(utc.date().toJulianDay()) - 0.5 + utc.time().msecsSinceStartOfDay() / (kSecondsPerDay * 1000.0);
}

QDateTime utcFromJulianDay(double jd)
{
    const double shifted = jd + 0.5;
    qint64 day = qint64(std::floor(shifted));
    qint64 msecs = qint64(std::llround((shifted - double(day)) * kSecondsPerDay * 1000.0));
    if (msecs >= qint64(kSecondsPerDay) * 1000) {
        ++day;
        msecs -= qint64(kSecondsPerDay) * 1000;
    }
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(int(msecs)), Qt::UTC);
}

double deltaTSeconds(double jd)
{
    const double y = 2000.0 + (jd - kJ2000) / 365.25;
    if (y >= 1860 && y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t - 0.0004473624 * std::pow(t, 4)
            + std::pow(t, 5) / 233174;
    }
    if (y >= 1900 && y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * std::pow(t, 4);
    }
    if (y >= 1920 && y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y >= 1941 && y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y >= 1961 && y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y >= 1986 && y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * std::pow(t, 4)
            + 0.00002373599 * std::pow(t, 5);
    }
    if (y >= 2005 && y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    if (y >= 2050 && y < 2150)
        return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

double apparentSolarLongitude(double jd)
{
    return apparentLongitudeAtJde(jdeOf(jd));
}

double equationOfTimeMinutes(double jd)
{
    // The Sun's apparent right ascension of date from its apparent longitude and the true obliquity; the
    // Greenwich hour angle of the true Sun against the apparent sidereal time; apparent solar time is that
    // hour angle plus 12 hours, mean solar time is UT.
    const double jde = jdeOf(jd);
    const double longitude = apparentLongitudeAtJde(jde);
    ln_lnlat_posn ecliptic { longitude, 0.0 };
    ln_equ_posn equatorial {};
    ln_get_equ_from_ecl(&ecliptic, jde, &equatorial);
    const double siderealHours = ln_get_apparent_sidereal_time(jd);
    const double utHours = std::fmod(jd + 0.5 - std::floor(jd + 0.5), 1.0) * 24.0;
    double hours = siderealHours - equatorial.ra / 15.0 + 12.0 - utHours;
    hours = std::fmod(hours, 24.0);
    if (hours < -12.0)
        hours += 24.0;
    else if (hours >= 12.0)
        hours -= 24.0;
    return hours * 60.0;
}

QString termName(int term)
{
    return QString::fromUtf16(kTermNames + 2 * term, 2);
}

double termLongitude(int term)
{
    return normalizedDegrees(285.0 + 15.0 * term);
}

QDateTime crossingInstant(double longitude, double jdGuess)
{
    // Newton's method on the longitude with the Sun's mean motion as the slope; the true motion differs from
    // it by under 4 %, so every step gains more than a digit.
    double jde = jdeOf(jdGuess);
    for (int i = 0; i < 30; ++i) {
        const double behind = std::remainder(longitude - apparentLongitudeAtJde(jde), 360.0);
        const double step = behind / 360.0 * kTropicalYear;
        jde += step;
        if (std::abs(step) < 1e-7)
            break;
    }
    // UT from TT: ΔT hardly changes within a day, so one correction is exact to a millisecond.
    double jd = jde - deltaTSeconds(jde) / kSecondsPerDay;
    jd = jde - deltaTSeconds(jd) / kSecondsPerDay;
    return utcFromJulianDay(jd);
}

QDateTime termInstant(int year, int term)
{
    // 小寒 falls on 5 or 6 January; the terms follow about every 15.2 days.
    const double jan6 = double(QDate(year, 1, 6).toJulianDay()) - 0.5;
    return crossingInstant(termLongitude(term), jan6 + term * kTropicalYear / kTermCount);
}

} // namespace tolvane::solar
