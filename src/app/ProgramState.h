#pragma once

#include "naming/NameRequest.h"
#include "naming/NamingWizard.h"
#include "numerology/ConfigSearch.h"
#include "numerology/FixedConfigSearch.h"

#include <QString>

#include <array>

namespace tolvane {

// The program-wide and main-window state the functions share. Values survive from one Execute to the next
// unless the dispatcher's preparation clears them; later runs rely on that (GroupLimit, the configuration
// tables, FixedCharStrokes).
struct ProgramState {
    // WizardDone and NamingCancelled.
    WizardFlags flags;
    // FunctionMode: 1 personal naming, 2 name analysis, 3 other functions; the last function run until the
    // next Execute.
    qint16 functionMode = 0;

    // Cleared before every Execute.
    QString reportText;
    QString numeralTriple;
    QString elementTriple;
    QString analysisHeading;
    bool databaseFailed = false;

    // The grids of the last name analysis or stroke-number report.
    FiveGrids analysisGrids;

    bool namingAborted = false;
    bool fixedCancelled = false;
    bool analysisReady = false;

    NameRequest request;
    std::array<qint16, 2> surnameStrokes{};

    // The good-configuration search and its summary.
    ConfigTables configs;
    QString configSummary;

    // Fixed-character naming: the pattern, its strokes, and its own configuration tables.
    // FixedCharStrokes is never reset between runs.
    std::array<QString, 3> patternChars;
    qint16 patternSurnameStrokes = 0;
    qint16 fixedCharStrokes = 0;
    FixedTables fixed;

    bool loginAccepted = false;
    QString startupText;
    QString reportHeader;
    QString reportFooter;
};

} // namespace tolvane
