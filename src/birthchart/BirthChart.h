#pragma once

#include "birthchart/ElementBalance.h"
#include "birthchart/Ganzhi.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <array>
#include <optional>

namespace tolvane {

// Which day a birth between 23:00 and midnight belongs to. Both schools give it the 子 hour of the next day
// (the hour pillar's stem follows the next day's stem); they differ in the day pillar.
enum class LateZiHour {
    NextDay, // 23:00 starts the next day (子时换日, the common convention and the default)
    SameDay, // the day pillar changes at midnight (夜子时 keeps the day's own pillar)
};

// A birth as a parent gives it: the date and the clock time in a zone. The zone is a fixed offset from UTC
// (Beijing time, UTC+8, unless told otherwise); summer time is not applied, so a birth recorded in summer
// time is given in the zone's standard time.
struct BirthMoment {
    QDate date;
    QTime time; // to the minute; seconds are ignored
    int utcOffsetMinutes = 8 * 60;
    // Degrees east (negative west). When given, the day and hour pillars follow the true solar time at that
    // longitude (the longitude's offset from UTC plus the equation of time); otherwise the clock time.
    std::optional<double> longitude;
    LateZiHour lateZiHour = LateZiHour::NextDay;

    // The earliest and latest years a birth may be in.
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2100;
};

// Why a moment cannot be charted, as a sentence to show; empty when it can. Checks the date and time exist,
// the year range, the longitude (-180..180) and the offset (-12:00..+14:00).
QString birthMomentProblem(const BirthMoment &moment);

struct BirthChart {
    BirthMoment moment;
    QDateTime instantUtc;
    // The local time the day and hour pillars are read from: the clock time, or the true solar time when a
    // longitude is given (then also the equation of time used, in minutes). The true solar time keeps its
    // milliseconds; its offset from UTC is rounded to the second.
    QDateTime chartTime;
    double equationOfTimeMinutes = 0;
    // The Sun's apparent longitude at birth, the 节 that opened the birth month (a term index of
    // solar::termName) with its instant and the next 节 with its instant (UTC).
    double solarLongitude = 0;
    int monthTerm = 0;
    QDateTime monthTermInstant;
    int nextTerm = 0;
    QDateTime nextTermInstant;

    std::array<Pillar, 4> pillars {}; // year, month, day, hour
    ElementBalance balance;
};

// The four pillars and the element balance of a birth; no chart (nullopt) when birthMomentProblem() has
// something to say. The year changes at 立春, the month at each of the twelve 节 (instants from the Sun's
// apparent longitude); the day from the day count (2000-01-01 was 戊午) with the 23:00 convention chosen in
// the moment; the hour from the day's stem (五鼠遁).
std::optional<BirthChart> computeBirthChart(const BirthMoment &moment);

} // namespace tolvane
