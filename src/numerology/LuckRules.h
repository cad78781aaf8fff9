#pragma once

#include "numerology/DigitTables.h"
#include "numerology/FiveGrids.h"

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
    // "全吉", "半吉" or "凶".
    static QString luckClass(int n);

    // The same lists keyed by the grid numbers themselves, for the search's inner loop.
    static bool sancaiPasses(bool full, int heaven, int person, int earth);
    static bool pairPasses(bool full, int person, int outer);

    // The request's luck level: "全吉" or "半吉"; any other text takes nothing.
    enum class Level { None, Full, Half };
    static Level level(const QString &luckLevel);

    // Judges one configuration: 人格, 地格 and 总格 (and 外格 for two- and three-character given names) at the
    // level, the 三才 and the pair; for a girl no tested grid may be 21, 23, 28 or 33.
    static bool accepts(const FiveGrids &grids, int givenCount, Level level, bool female);
    static bool accepts(const FiveGrids &grids, int givenCount, const QString &luckLevel, const QString &sex)
    {
        return accepts(grids, givenCount, level(luckLevel), sex == u"女");
    }
};

} // namespace tolvane
