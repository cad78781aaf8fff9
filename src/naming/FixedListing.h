#pragma once

#include "naming/NameRequest.h"
#include "numerology/FixedConfigSearch.h"
#include "data/Outcome.h"

#include <QString>


namespace tolvane {

class ListingProgress;

// The candidate listing of fixed-character naming: for every configuration, the library characters with the
// free position's stroke count that suit the request.
class FixedListing final {
public:
    struct Listing {
        QString listingText;
        int groupsPrinted = 0;
    };

    // No listing after a database failure (no earlier listing is shown again); a listing with nothing in it
    // comes with its warning.
    static Outcome<Listing> run(const FixedTables &tables, int configNext, const NameRequest &request,
                                const QString &databasePath, ListingProgress *progress);
};

} // namespace tolvane
