#include "numerology/FixedConfigSearch.h"

#include "numerology/ConfigSearch.h"
#include "numerology/DigitTables.h"
#include "numerology/LuckRules.h"

#include <algorithm>

namespace tolvane {

qint16 FixedConfigSearch::search(const FixedSearchInput &input, FixedTables &tables)
{
    tables.configText.clear();
    const int limit = std::clamp(input.groupLimit, 1, FixedTables::kSlots);
    tables.grids.fill(FiveGrids{});
    for (int k = 1; k <= limit; ++k) {
        tables.triples[k].clear();
        tables.pairs[k].clear();
    }
    const LuckLevel level = input.luckLevel.value_or(LuckLevel::Bad);
    const int surname[1] = {input.surnameStrokes};
    int next = 1;
    for (int c = 1; c <= 30; ++c) {
        const int given[2] = {input.firstFree ? c : input.fixedStrokes, input.firstFree ? input.fixedStrokes : c};
        const FiveGrids g = FiveGrids::compute(1, surname, 2, given);
        tables.triples[next] = Sancai::compute(g.tiange, g.renge, g.dige).elementTriple;
        tables.pairs[next] = computePairKey(g.renge, g.waige);
        if (next < limit && LuckRules::accepts(g, 2, level, input.sex)) {
            tables.grids[next] = g;
            tables.strokes[next][0] = qint16(given[0]);
            tables.strokes[next][1] = qint16(given[1]);
            tables.freeCharStrokes[next] = qint16(c);
            ++next;
        }
    }
    for (int f = 1; f < next; ++f)
        tables.configText += ConfigSearch::summaryLine({input.surnameStrokes, tables.strokes[f][0], tables.strokes[f][1]},
                                                       12, tables.grids[f], tables.triples[f]);
    return qint16(next);
}

QList<GoodConfiguration> FixedConfigSearch::everyGood(const FixedSearchInput &input)
{
    const LuckLevel level = input.luckLevel.value_or(LuckLevel::Bad);
    const int surname[1] = {input.surnameStrokes};
    QList<GoodConfiguration> found;
    for (int c = 1; c <= 30; ++c) {
        const int given[2] = {input.firstFree ? c : input.fixedStrokes, input.firstFree ? input.fixedStrokes : c};
        const FiveGrids g = FiveGrids::compute(1, surname, 2, given);
        if (!LuckRules::accepts(g, 2, level, input.sex))
            continue;
        GoodConfiguration config;
        config.strokes = {qint16(given[0]), qint16(given[1]), 0};
        config.grids = g;
        config.triple = Sancai::compute(g.tiange, g.renge, g.dige).elementTriple;
        config.pairKey = computePairKey(g.renge, g.waige);
        found.append(config);
    }
    return found;
}

bool FixedConfigSearch::anyOptionFinds(int surnameStrokes, int fixedStrokes, bool firstFree)
{
    for (const Sex sex : { Sex::Male, Sex::Female }) {
        FixedSearchInput input;
        input.firstFree = firstFree;
        input.surnameStrokes = surnameStrokes;
        input.fixedStrokes = fixedStrokes;
        input.sex = sex;
        input.luckLevel = LuckLevel::Half;
        input.groupLimit = 2; // one configuration is enough
        FixedTables tables;
        if (search(input, tables) > 1)
            return true;
    }
    return false;
}

} // namespace tolvane
