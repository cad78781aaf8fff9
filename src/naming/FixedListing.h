#pragma once

#include "naming/NameRequest.h"
#include "numerology/FixedConfigSearch.h"
#include "text/UserMessage.h"

#include <QString>

#include <optional>

namespace tolvane {

class ListingProgress;

// ListFixedCandidates: for every configuration of fixed-character naming, the library characters with the
// free position's stroke count that suit the request.
class FixedListing final {
public:
    struct Result {
        QString listingText; // empty after a database failure: no earlier listing is shown again
        std::optional<UserMessage> message;
        bool databaseFailed = false;
        int groupsPrinted = 0;
    };

    static Result run(const FixedTables &tables, int configNext, const NameRequest &request,
                      const QString &databasePath, ListingProgress *progress);
};

} // namespace tolvane
