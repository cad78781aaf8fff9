#include "birthchart/BirthChart.h"

#include "birthchart/SolarTerms.h"

#include <cmath>

namespace tolvane {

namespace {

constexpr double kTropicalYear = 365.2422;
// The day count's anchor: 2000-01-01 (Julian day number 2451545) was 戊午, position 54 of the cycle.
constexpr long long kDayCycleShift = 49;

double normalizedDegrees(double d)
{
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

Pillar dayPillarOf(long long julianDayNumber)
{
    return Pillar::fromCycleIndex(julianDayNumber + kDayCycleShift);
}

} // namespace

QString birthMomentProblem(const BirthMoment &moment)
{
    if (!moment.date.isValid())
        return QStringLiteral("出生日期不存在。");
    if (!moment.time.isValid())
        return QStringLiteral("出生时间不存在。");
    if (moment.date.year() < BirthMoment::kFirstYear || moment.date.year() > BirthMoment::kLastYear)
        return QStringLiteral("出生年份须在%1年至%2年之间。").arg(BirthMoment::kFirstYear).arg(BirthMoment::kLastYear);
    if (moment.longitude && !(std::abs(*moment.longitude) <= 180.0))
        return QStringLiteral("经度须在-180至180度之间（东经为正，西经为负）。");
    if (moment.utcOffsetMinutes < -12 * 60 || moment.utcOffsetMinutes > 14 * 60)
        return QStringLiteral("时区须在UTC-12:00至UTC+14:00之间。");
    return {};
}

std::optional<BirthChart> computeBirthChart(const BirthMoment &moment)
{
    if (!birthMomentProblem(moment).isEmpty())
        return std::nullopt;

    BirthChart chart;
    chart.moment = moment;
    const QTime clock(moment.time.hour(), moment.time.minute());
    const QDateTime local(moment.date, clock, Qt::OffsetFromUTC, moment.utcOffsetMinutes * 60);
    chart.instantUtc = local.toUTC();
    const double jd = solar::julianDay(chart.instantUtc);

    if (moment.longitude) {
        chart.equationOfTimeMinutes = solar::equationOfTimeMinutes(jd);
        // Kept to the millisecond until the hour is read: 08:59:59.7 is still the 辰 hour.
        const double aheadOfUtc = *moment.longitude * 240.0 + chart.equationOfTimeMinutes * 60.0;
        const QDateTime wall = QDateTime(chart.instantUtc.date(), chart.instantUtc.time(), Qt::UTC)
                                   .addMSecs(std::llround(aheadOfUtc * 1000.0));
        chart.chartTime = QDateTime(wall.date(), wall.time(), Qt::OffsetFromUTC, int(std::lround(aheadOfUtc)));
    } else {
        chart.chartTime = local;
    }

    // Month 0 is the 寅 month, opened by 立春 at 315 degrees; every 节 is 30 degrees further.
    chart.solarLongitude = solar::apparentSolarLongitude(jd);
    const int month = int(normalizedDegrees(chart.solarLongitude - 315.0) / 30.0) % 12;
    const double opening = normalizedDegrees(315.0 + 30.0 * month);
    const double closing = normalizedDegrees(opening + 30.0);
    chart.monthTerm = (2 + 2 * month) % solar::kTermCount;
    chart.nextTerm = (chart.monthTerm + 2) % solar::kTermCount;
    chart.monthTermInstant = solar::crossingInstant(
        opening, jd - normalizedDegrees(chart.solarLongitude - opening) / 360.0 * kTropicalYear);
    chart.nextTermInstant = solar::crossingInstant(
        closing, jd + normalizedDegrees(closing - chart.solarLongitude) / 360.0 * kTropicalYear);

    // The 子 and 丑 months of January and early February still belong to the year before (立春 is always in
    // February, 大雪 always in December, so the calendar of the instant does not matter here).
    const QDate utcDate = chart.instantUtc.date();
    const int year = utcDate.year() - ((month >= 10 && utcDate.month() <= 2) ? 1 : 0);
    const Pillar yearPillar = Pillar::fromCycleIndex(year - 4);
    // 五虎遁: the 寅 month of a 甲 or 己 year is 丙寅, of a 乙 or 庚 year 戊寅, and so on.
    const Pillar monthPillar { (yearPillar.stem % 5 * 2 + 2 + month) % kStemCount, (month + 2) % kBranchCount };

    const long long dayNumber = chart.chartTime.date().toJulianDay();
    const int hour = chart.chartTime.time().hour();
    const bool lateZi = hour >= 23;
    const Pillar dayPillar = dayPillarOf(dayNumber + ((lateZi && moment.lateZiHour == LateZiHour::NextDay) ? 1 : 0));
    // 五鼠遁 from the stem of the day the 子 hour begins; 23:00 already is the next day's 子 hour.
    const int hourBranch = (hour + 1) / 2 % kBranchCount;
    const int ziDayStem = dayPillarOf(dayNumber + (lateZi ? 1 : 0)).stem;
    const Pillar hourPillar { (ziDayStem % 5 * 2 + hourBranch) % kStemCount, hourBranch };

    chart.pillars = { yearPillar, monthPillar, dayPillar, hourPillar };
    chart.balance = computeElementBalance(chart.pillars);
    return chart;
}

} // namespace tolvane
