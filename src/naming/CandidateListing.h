#pragma once

#include "data/Library.h"
#include "data/Outcome.h"
#include "naming/NameRequest.h"
#include "numerology/ConfigSearch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tolvane {

class ListingProgress;

// The candidate listing of personal naming: for every group of the search and every given-name position, the
// library characters with the group's stroke count that suit the request's sex and elements and are fit for
// names, in stored order.
class CandidateListing final {
public:
    struct Input {
        QString surname; // the trimmed surname as typed
        NameRequest request;
        bool namingCancelled = false;
        const ConfigTables *configs = nullptr;
    };
    // A group the listing shows: its strokes by given-name position, its grids and, for each position, the
    // characters offered, in stored order.
    struct Group {
        std::array<qint16, 3> strokes {};
        FiveGrids grids;
        QList<QStringList> candidates;
    };
    struct Listing {
        QString reportText;
        bool namingAborted = false; // nothing to show: no group has a character
        int groupsPrinted = 0;
        QList<Group> groups;
    };

    // No listing after a database failure (personal naming then stops); a listing with nothing in it comes
    // with its warning.
    static Outcome<Listing> run(const Input &input, const Library &library, ListingProgress *progress);

    // Texts both listings share: the heading, the count line, the lines saying every configuration was
    // listed, and the warning when no group has a character.
    static QString heading();
    static QString countLine(int groups);
    static QString allFoundLines();
    static UserMessage nothingFound();
    // "其五格数是（天格、人格、地格、总格、外格）：…" and the line "三才是：…（…）", each ending in CR LF.
    static QString gridLines(const FiveGrids &grids);
    // The characters of one list of the candidate index ("明  华  ").
    static QStringList characters(const QString &list);
};

} // namespace tolvane
