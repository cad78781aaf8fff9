#pragma once

#include "naming/NameRequest.h"

#include <QJsonObject>
#include <QString>

namespace tolvane {

// What the dispatcher keeps beyond one Execute. Everything a run works with (the name, its strokes and grids, the
// configurations, the listing) lives in that run alone.
struct ProgramState {
    // The answers of the naming questions, which the next run's windows start from; the group limit (from the
    // settings, or the wizard's advanced page) lasts the session. The first stroke count and the surname's length
    // are reset before every Execute.
    NameRequest request;

    // What the last Execute left besides the pane: its completed result as fields for machines (the command
    // line's --format json; empty after a run that showed no result) and whether the library failed.
    QJsonObject resultFields;
    bool databaseFailed = false;

    bool loginAccepted = false;
    QString reportHeader;
    QString reportFooter;
};

} // namespace tolvane
