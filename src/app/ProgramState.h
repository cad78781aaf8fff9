#pragma once

#include "naming/NameRequest.h"

#include <QString>

namespace tolvane {

// The program-wide and main-window state the functions share. Values survive from one Execute to the next
// unless the dispatcher's preparation clears them; later runs rely on that (GroupLimit, the configuration
// tables, FixedCharStrokes).
struct ProgramState {
    // 1 personal naming, 2 name analysis, 3 other functions; the last function run until the next Execute.
    qint16 functionMode = 0;

    // Cleared before every Execute.
    QString reportText;
    QString numeralTriple;
    QString elementTriple;
    QString analysisHeading;
    bool databaseFailed = false;

    bool namingAborted = false;
    bool namingCancelled = false;
    bool fixedCancelled = false;
    bool analysisReady = false;
    bool wizardDone = false;
    qint16 configNext = 0;

    NameRequest request;

    bool loginAccepted = false;
    QString startupText;
    QString reportHeader;
    QString reportFooter;
};

} // namespace tolvane
