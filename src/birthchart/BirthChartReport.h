#pragma once

#include "birthchart/BirthChart.h"
#include "birthchart/BirthInput.h"

#include <QJsonObject>
#include <QString>

namespace tolvane {

// The chart as the Chinese text the result pane shows: the birth time and the time the pillars were read
// from, the 节 around the birth, the four pillars with their elements and hidden stems, both element counts,
// the missing and weakest elements, the day master, the suggested elements and the rule's sentence. Lines
// end with "\n".
QString formatBirthChartReport(const BirthChart &chart);

// The same facts for machines (the command line's --format json).
QJsonObject birthChartJson(const BirthChart &chart);

// The suggested elements, as the naming wizard ticks them.
ElementSet suggestedElements(const BirthChart &chart);

// What naming from a birth time shows at the top of its result: the four pillars with the birth, the suggested
// elements and the one-line reason (three lines, each ending with "\n"); and the same as a JSON object
// (birth, utcOffsetMinutes, longitude when given, pillars, dayMaster, strength: weak, balanced or strong,
// suggested, reason).
QString namingChartHeader(const BirthChart &chart);
QJsonObject namingChartJson(const BirthChart &chart);

// The elements a birth typed in one box (parseBirthLine) suggests for the name, with two lines saying why: the
// eight characters with the day master and its strength, then the suggestion; and the chart's header for the
// naming result. A birth that cannot be read or charted gives its message instead.
struct BirthElementAdvice {
    ElementSet elements;
    QString summary;
    QString header;            // namingChartHeader()
    QJsonObject headerFields;  // namingChartJson()
};
ParsedInput<BirthElementAdvice> adviseElementsForBirth(const QString &typed);

// The chart of a birth typed in one box, or the message saying what is wrong with the input.
ParsedInput<BirthChart> chartForBirth(const QString &typed);

} // namespace tolvane
