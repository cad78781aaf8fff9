#pragma once

#include "analysis/NameAnalysis.h"
#include "numerology/Vocabulary.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace tolvane {

// The results of a name analysis as fields for machines (the command line's --format json): the same facts and
// the same texts the pane shows, with LF line breaks.

// A meaning row as {"verdict", "meaning"}; both null when the library has no row.
QJsonObject meaningFields(const std::optional<MeaningRow> &row);

// The grids with their numbers, meanings and verdicts, 三才, the pairing, the program's own paragraphs, the
// warnings, the remarks for women and the special numbers.
QJsonObject nameReportFields(const NameReport &report);

// A name's analysis: nameReportFields() with the name, its surname and given name, the surname kind, the
// strokes of every character and, unless it is empty, the report's text (heading included). The name's surname
// kind is known.
QJsonObject nameAnalysisFields(
    const PersonName &name, const QList<int> &strokes, const NameReport &report, const QString &text);

// The report from typed stroke numbers (姓名笔画数).
QJsonObject strokeNumbersFields(
    const QList<int> &strokes, SurnameKind kind, const NameReport &report, const QString &text);

} // namespace tolvane
