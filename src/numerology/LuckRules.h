#pragma once

#include "numerology/DigitTables.h"
#include "numerology/FiveGrids.h"
#include "numerology/Vocabulary.h"

#include <QString>

namespace tolvane {

// The fixed auspiciousness tables: the luck class of every number, the 三才 lists and the 人格/外格 pair
// lists, at the two levels 全吉 and 半吉 ("this class or better"). The database's flag texts never take part.
class LuckRules final {
public:
    static bool isFullNumber(int n);
    static bool isHalfNumber(int n);
    static bool isFullSancai(const QString &triple);
    static bool isHalfSancai(const QString &triple);
    static bool isFullPair(const QString &pair);
    static bool isHalfPair(const QString &pair);
    // 全吉, 半吉 or 凶.
    static LuckLevel luckClass(int n);

    // The same lists keyed by the grid numbers themselves, for the search's inner loop; nothing passes at 凶.
    static bool sancaiPasses(LuckLevel level, int heaven, int person, int earth);
    static bool pairPasses(LuckLevel level, int person, int outer);

    // Judges one configuration at the request's level (全吉 or 半吉; 凶 takes nothing): 人格, 地格 and 总格
    // (and 外格 for two- and three-character given names), the 三才 and the pair; for a girl no tested grid
    // may be 21, 23, 28 or 33.
    static bool accepts(const FiveGrids &grids, int givenCount, LuckLevel level, Sex sex);

    // What the name analysis says of a woman's marriage by the unfolded 地格: 21, 23, 26, 28, 29, 30 and 39 warn
    // ("婚姻难得美满"), 5, 6, 11, 13, 31, 32 and 35 praise. The analysis's remarks and the suggested names' choice of
    // configurations for girls both ask here.
    static bool earthWarnsWomen(int earth);
    static bool earthPraisesWomen(int earth);
};

} // namespace tolvane
