#pragma once

#include "naming/NameRequest.h"
#include "numerology/ConfigSearch.h"
#include "text/UserMessage.h"

#include <QString>

#include <optional>

namespace tolvane {

class ListingProgress;

// QuMrichtext: for every group of the search and every given-name position, the library characters with the
// group's stroke count that suit the request's sex and elements and are fit for names, in stored order.
class CandidateListing final {
public:
    struct Input {
        QString surname; // the trimmed surname as typed
        NameRequest request;
        bool namingCancelled = false;
        const ConfigTables *configs = nullptr;
    };
    struct Result {
        std::optional<QString> reportText; // unset after a database failure
        std::optional<UserMessage> message;
        bool databaseFailed = false;
        bool namingAborted = false;
        int groupsPrinted = 0;
    };

    static Result run(const Input &input, const QString &databasePath, ListingProgress *progress);

    // Texts both listings share: the heading, the count line, the lines saying every configuration was
    // listed, and the warning when no group has a character.
    static QString heading();
    static QString countLine(int groups);
    static QString allFoundLines();
    static UserMessage nothingFound();
    // "其五格数是（天格、人格、地格、总格、外格）：…" and the line "三才是：…（…）", each ending in CR LF.
    static QString gridLines(const FiveGrids &grids);
};

} // namespace tolvane
