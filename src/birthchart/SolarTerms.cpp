#include "birthchart/SolarTerms.h"

#include <algorithm>
#include <cmath>
#include <erfa.h>
#include <iterator>

namespace tolvane::solar {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kTropicalYear = 365.2422;
constexpr double kJ2000 = 2451545.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 180.0 / kPi;
// The speed of light in au per day.
constexpr double kLightAuPerDay = 173.1446326846693;

constexpr char16_t kTermNames[] = u"小寒大寒立春雨水惊蛰春分清明谷雨立夏小满芒种夏至"
                                  u"小暑大暑立秋处暑白露秋分寒露霜降立冬小雪大雪冬至";

double normalizedDegrees(double d)
{
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// ΔT at the start of each year from 2005: the observed values (IERS, TT - UT1) to 2025, then the prediction
// that skyfield derives from the DE440s ephemeris, as lunar-javascript tabulates it, to 2050.
struct DeltaTPoint {
    double year;
    double seconds;
};
// clang-format off
constexpr DeltaTPoint kDeltaTTable[] {
    { 2005, 64.69 }, { 2006, 64.85 }, { 2007, 65.15 }, { 2008, 65.46 }, { 2009, 65.78 }, { 2010, 66.07 },
    { 2011, 66.32 }, { 2012, 66.60 }, { 2013, 66.91 }, { 2014, 67.28 }, { 2015, 67.64 }, { 2016, 68.10 },
    { 2017, 68.59 }, { 2018, 68.97 }, { 2019, 69.22 }, { 2020, 69.36 }, { 2021, 69.36 }, { 2022, 69.29 },
    { 2023, 69.20 }, { 2024, 69.18 }, { 2025, 69.14 }, { 2030, 69.00 }, { 2035, 69.20 }, { 2040, 69.50 },
    { 2045, 70.20 }, { 2050, 71.05 },
};
// clang-format on

// The long-term parabola of Stephenson and Morrison, to which the prediction is led over the century after
// the table.
double longTermDeltaT(double year)
{
    const double u = (year - 1820.0) / 100.0;
    return -20.0 + 31.0 * u * u;
}

// The Sun's apparent place at the Julian ephemeris day jde (TT): its apparent ecliptic longitude of date in
// degrees and its apparent right ascension of date in radians. The geocentric Sun is the negated heliocentric
// Earth of eraEpv00 (VSOP2000-based, a few km); annual aberration from the Earth's barycentric velocity
// (eraAb); then the bias and precession (IAU 2006) and the nutation (IAU 2000B, within a milliarcsecond of
// 2000A and twenty times quicker) of eraPn06 carry it to the true equator and equinox of the date, and the true
// obliquity to the ecliptic of the date. The Sun moves about the barycentre by metres in the light's eight
// minutes, so its retarded place is its place.
struct ApparentSun {
    double longitudeDegrees;
    double rightAscension;
    double biasPrecessionNutation[3][3];
};

ApparentSun apparentSunAtJde(double jde)
{
    double heliocentric[2][3];
    double barycentric[2][3];
    eraEpv00(kJ2000, jde - kJ2000, heliocentric, barycentric);
    double direction[3];
    double distance = 0;
    double towardsSun[3] = { -heliocentric[0][0], -heliocentric[0][1], -heliocentric[0][2] };
    eraPn(towardsSun, &distance, direction);
    double velocity[3];
    for (int i = 0; i < 3; ++i)
        velocity[i] = barycentric[1][i] / kLightAuPerDay;
    const double inverseLorentz = std::sqrt(1.0 - eraPdp(velocity, velocity));
    double aberrated[3];
    eraAb(direction, velocity, distance, inverseLorentz, aberrated);

    double nutationLongitude = 0, nutationObliquity = 0, meanObliquity = 0;
    eraNut00b(kJ2000, jde - kJ2000, &nutationLongitude, &nutationObliquity);
    ApparentSun sun {};
    double bias[3][3], precession[3][3], biasPrecession[3][3], nutation[3][3];
    eraPn06(kJ2000, jde - kJ2000, nutationLongitude, nutationObliquity, &meanObliquity, bias, precession,
        biasPrecession, nutation, sun.biasPrecessionNutation);
    double ofDate[3];
    eraRxp(sun.biasPrecessionNutation, aberrated, ofDate);
    const double obliquity = meanObliquity + nutationObliquity;
    const double eclipticY = ofDate[1] * std::cos(obliquity) + ofDate[2] * std::sin(obliquity);
    sun.longitudeDegrees = normalizedDegrees(std::atan2(eclipticY, ofDate[0]) * kDegreesPerRadian);
    sun.rightAscension = std::atan2(ofDate[1], ofDate[0]);
    return sun;
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
    if (y >= 1986 && y < std::begin(kDeltaTTable)[0].year) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * std::pow(t, 4)
            + 0.00002373599 * std::pow(t, 5);
    }
    const DeltaTPoint &last = std::end(kDeltaTTable)[-1];
    if (y >= std::begin(kDeltaTTable)[0].year && y < last.year) {
        const auto after = std::upper_bound(std::begin(kDeltaTTable), std::end(kDeltaTTable), y,
            [](double year, const DeltaTPoint &p) { return year < p.year; });
        const DeltaTPoint &a = *std::prev(after);
        const DeltaTPoint &b = *after;
        return a.seconds + (b.seconds - a.seconds) * (y - a.year) / (b.year - a.year);
    }
    if (y >= last.year && y < last.year + 100)
        return longTermDeltaT(y) - (longTermDeltaT(last.year) - last.seconds) * (last.year + 100 - y) / 100;
    // Before 1860 (never reached by a chart) and after 2150 the parabola alone.
    return longTermDeltaT(y);
}

double apparentSolarLongitude(double jd)
{
    return apparentSunAtJde(jdeOf(jd)).longitudeDegrees;
}

double equationOfTimeMinutes(double jd)
{
    // The Greenwich hour angle of the true Sun is the apparent sidereal time (IAU 2006) less its
    // apparent right ascension; apparent solar time is that hour angle plus 12 hours, mean solar time is UT.
    const double jde = jdeOf(jd);
    ApparentSun sun = apparentSunAtJde(jde);
    const double rightAscension = sun.rightAscension;
    const double sidereal = eraGst06(kJ2000, jd - kJ2000, kJ2000, jde - kJ2000, sun.biasPrecessionNutation);
    const double utHours = (jd + 0.5 - std::floor(jd + 0.5)) * 24.0;
    double hours = (sidereal - rightAscension) * kDegreesPerRadian / 15.0 + 12.0 - utHours;
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
        const double behind = std::remainder(longitude - apparentSunAtJde(jde).longitudeDegrees, 360.0);
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
