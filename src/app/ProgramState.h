#pragma once

#include "naming/NameRequest.h"
#include "naming/NamingWizard.h"
#include "numerology/ConfigSearch.h"
#include "numerology/FixedConfigSearch.h"

#include <QJsonObject>
#include <QString>

#include <array>

namespace tolvane {

// The state the functions share, owned by the dispatcher. Values survive from one Execute to the next unless
// the dispatcher's preparation clears them; later runs rely on that (the group limit, the configuration tables,
// the fixed character's strokes).
struct ProgramState {
    // Whether the wizard was completed, and whether the person cancelled naming.
    WizardFlags flags;

    // Cleared before every Execute.
    QString reportText;
    QString analysisHeading;
    bool databaseFailed = false;

    // The last completed result as fields for machines (the command line's --format json); cleared before every
    // Execute, so it is empty after a run that showed no result.
    QJsonObject resultFields;

    // The strokes of the name and the grids of the last name analysis or stroke-number report.
    QList<int> analysisStrokes;
    PersonName analysisName; // with its surname's kind
    FiveGrids analysisGrids;

    bool namingAborted = false;
    bool fixedCancelled = false;

    NameRequest request;
    std::array<qint16, 2> surnameStrokes {};

    // The good-configuration search and its summary.
    ConfigTables configs;
    QString configSummary;

    // Fixed-character naming: the pattern's strokes and its own configuration tables. The fixed character's
    // strokes are kept from one run to the next.
    qint16 patternSurnameStrokes = 0;
    qint16 fixedCharStrokes = 0;
    FixedTables fixed;

    bool loginAccepted = false;
    QString reportHeader;
    QString reportFooter;
};

} // namespace tolvane
