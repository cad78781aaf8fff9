#pragma once

#include "birthchart/BirthChart.h"

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

} // namespace tolvane
