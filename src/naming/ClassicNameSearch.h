#pragma once

#include "data/Classics.h"
#include "data/Library.h"
#include "naming/NameRequest.h"
#include "numerology/ConfigSearch.h"
#include "numerology/FixedConfigSearch.h"
#include "text/UserMessage.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// A line of a collection and where it comes from.
struct ClassicVerse {
    Classic classic = Classic::Shijing;
    QString title;
    QString author;
    QString text;
};

// A given name found in the classics: its characters in the order of the line (the fixed character included in
// fixed-character naming) and the best line that holds them.
struct ClassicName {
    QString given;
    ClassicVerse verse;
};

// One good configuration and the names found for it.
struct ClassicGroup {
    int group = 0; // the configuration's number: its place in the list searched (from 1), or in the fixed tables
    std::array<qint16, 2> strokes {}; // strokes of the given-name positions (one used for a one-character name)
    qint16 freeStrokes = 0; // fixed-character naming: strokes of the position to find
    FiveGrids grids;
    QList<ClassicName> names; // best first (see ClassicNameSearch::run)
};

struct ClassicListing {
    enum class Kind { Personal, Fixed };
    Kind kind = Kind::Personal;
    QString surname;
    int nameLength = 0; // 1 or 2
    ClassicSet classics;
    QString fixedCharacter; // fixed-character naming
    bool firstFree = true; // fixed-character naming: X-Y (the first given character is found) or XY-
    QList<ClassicGroup> groups; // the configurations with at least one name, in the search's order
    int groupsSearched = 0;
    std::optional<UserMessage> message; // a failure, or what to relax when nothing was found
    bool databaseFailed = false; // namedbs.mdb or classics.db could not be read

    int namesFound() const;
};

// Names from the classics: for good configurations, the given names whose two characters make a word (or half of
// a fixed phrase) of one line of the chosen collections, in the line's order, both fit for names (xiong "0") and
// for the request's sex and element wishes, the pair not kept from that sex as a whole, with the stroke counts of
// the configuration as the library counts them now. One-character names take each such character with its best
// line. A pair (or character) found in several collections is shown with its best line in the most preferred one
// (the order of kAllClassics: the older text first). Within a configuration the best names come first: by the
// collection's preference, then words before phrases and lines a parent would gladly quote before the others
// (the rank classics.db gives each pair), then the library's stored order of the characters.
class ClassicNameSearch final {
public:
    // Whether names can be drawn from the chosen collections for a given name of nameLength characters: nothing
    // when they can, else the message that says why not (no collection chosen, or a three-character name).
    static std::optional<UserMessage> sourceProblem(ClassicSet classics, int nameLength);
    // Personal naming over the configurations given (every good one, from ConfigSearch::everyGood): one group per
    // configuration that has names, numbered by its place in the list. One- and two-character given names by
    // request.nameLength (a three-character request finds nothing and says so).
    static ClassicListing run(const QString &surname, const QList<GoodConfiguration> &configurations,
        const NameRequest &request, ClassicSet classics, const Library &library, const ClassicsLibrary &classicsLibrary);
    // Fixed-character naming (王-华, 王华-): the fixed character keeps its place; the wishes apply to the
    // character found, as in the library listing.
    // configurations: every good one (FixedConfigSearch::everyGood), numbered by their place in the list.
    static ClassicListing runFixed(const QString &surname, const QString &fixedCharacter, bool firstFree,
        const QList<GoodConfiguration> &configurations, const NameRequest &request, ClassicSet classics,
        const Library &library, const ClassicsLibrary &classicsLibrary);
    // The same over the groups of the fixed tables a listing found (configNext - 1 of them).
    static ClassicListing runFixed(const QString &surname, const QString &fixedCharacter, bool firstFree,
        const FixedTables &tables, int configNext, const NameRequest &request, ClassicSet classics,
        const Library &library, const ClassicsLibrary &classicsLibrary);
};

} // namespace tolvane
