#pragma once

#include "numerology/ConfigSearch.h"
#include "numerology/FiveGrids.h"
#include "numerology/Vocabulary.h"

#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// The search of fixed-character naming: a single surname, two given-name characters, one of them fixed.
struct FixedTables {
    static constexpr int kSlots = 21;
    std::array<std::array<qint16, 3>, kSlots + 1> strokes{}; // FixedConfigStrokes: positions 1 and 2 by group
    std::array<FiveGrids, kSlots + 1> grids{};
    std::array<qint16, 31> freeCharStrokes{};
    std::array<QString, 32> triples;
    std::array<QString, 32> pairs;
    QString configText;
};

struct FixedSearchInput {
    bool firstFree = true; // X-Y: the first given-name character is to be found; XY-: the second
    int surnameStrokes = 0;
    int fixedStrokes = 0;
    Sex sex = Sex::Male;
    std::optional<LuckLevel> luckLevel; // none chosen: nothing is taken
    int groupLimit = 7;
};

class FixedConfigSearch final {
public:
    // The free position runs from 1 to 30, and the first groupLimit - 1 configurations the rules accept are
    // taken. Returns one more than the number of groups found.
    static qint16 search(const FixedSearchInput &input, FixedTables &tables);
    // Whether any choice of the options (either sex, 半吉 allowed) finds a configuration for the fixed
    // character at this place; when none does, changing the options cannot help.
    // Every free stroke count from 1 to 30 the rules accept, with no group limit: names from the classics are
    // searched over all of them, as in personal naming. strokes holds the two given-name positions.
    static QList<GoodConfiguration> everyGood(const FixedSearchInput &input);
    static bool anyOptionFinds(int surnameStrokes, int fixedStrokes, bool firstFree);
};

} // namespace tolvane
