#pragma once

#include "numerology/FiveGrids.h"
#include "data/Outcome.h"

#include <QList>
#include <QString>

#include <optional>

namespace tolvane {

// The name analysis report: the grids of a name of two to four characters and the long report built from
// the library's texts (81man, sancai, wrGe) and the program's own.
class NameAnalysis final {
public:
    // The length check of a name to analyse: too short or too long gives its message.
    static std::optional<UserMessage> checkLength(const QString &name);
    // The grids of two to four stroke counts; only three- and four-character names can have a compound surname.
    static FiveGrids gridsFor(const QList<int> &strokes, bool compoundSurname);
    // The heading of a name's report, and of a report from typed stroke numbers.
    static QString nameHeading(const QString &name, const QList<int> &strokes, const FiveGrids &grids);
    static QString strokeNumbersHeading(const QString &typed, const FiveGrids &grids);

    // The report: the heading, the meanings of the numbers, the 三才 and the pairing from the library, then
    // personality, success and basis luck, warnings, remarks for women and special numbers. Without the
    // library there is no report, only its message.
    static Outcome<QString> buildReport(const QString &heading, const FiveGrids &grids, const QString &databasePath);
};

} // namespace tolvane
