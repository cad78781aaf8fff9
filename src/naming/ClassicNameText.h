#pragma once

#include "naming/ClassicNameSearch.h"
#include "text/MarkedText.h"

#include <QString>

namespace tolvane {

// The result pane's text of a listing of names from the classics: the names grouped by configuration, each
// full name on its own line with its verse under it, the name's characters in the verse marked bold.
class ClassicNameText final {
public:
    static MarkedText listing(const ClassicListing &listing);

    // Where the verse comes from: "——屈原《楚辞·离骚》", "——《诗经·周南·关雎》", "——李白《静夜思》".
    static QString source(const ClassicVerse &verse);
    // Where the given name stands in the line: the first place its characters stand side by side in its
    // order; -1 when they do not.
    static qsizetype namePosition(const QString &line, const QString &given);
};

} // namespace tolvane
