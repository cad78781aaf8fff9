#pragma once

#include "data/Library.h"
#include "data/Outcome.h"
#include "naming/NameRequest.h"
#include "numerology/FixedConfigSearch.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tolvane {

class ListingProgress;

// The candidate listing of fixed-character naming: for every configuration, the library characters with the
// free position's stroke count that suit the request.
class FixedListing final {
public:
    // A group the listing shows: the free position's stroke count, the grids and the characters offered.
    struct Group {
        qint16 freeStrokes = 0;
        FiveGrids grids;
        QStringList candidates;
    };
    struct Listing {
        QString listingText;
        int groupsPrinted = 0;
        QList<Group> groups;
    };

    // No listing after a database failure (no earlier listing is shown again); a listing with nothing in it
    // comes with its warning.
    static Outcome<Listing> run(const FixedTables &tables, int configNext, const NameRequest &request,
                                const Library &library, ListingProgress *progress);
};

} // namespace tolvane
