#include "birthchart/ElementBalance.h"

#include <algorithm>

namespace tolvane {

ElementBalance computeElementBalance(const std::array<Pillar, 4> &pillars)
{
    ElementBalance b;
    for (const Pillar &p : pillars) {
        ++b.characterCounts[wishIndex(stemElement(p.stem))];
        ++b.characterCounts[wishIndex(branchElement(p.branch))];
        b.weightedTenths[wishIndex(stemElement(p.stem))] += 10;
        const HiddenStems hidden = hiddenStems(p.branch);
        const std::array<int, 3> weights = hiddenStemWeights(hidden.count);
        for (int i = 0; i < hidden.count; ++i)
            b.weightedTenths[wishIndex(stemElement(hidden.stems[i]))] += weights[i];
    }
    const int lowest = *std::min_element(b.weightedTenths.begin(), b.weightedTenths.end());
    for (int e = 0; e < kElementCount; ++e) {
        if (b.characterCounts[e] == 0)
            b.missing.append(ElementSet::kWishOrder[e]);
        if (b.weightedTenths[e] == lowest)
            b.weakest.append(ElementSet::kWishOrder[e]);
    }
    b.dayMaster = stemElement(pillars[2].stem);
    b.advice = adviseNameElements(b.weightedTenths, b.dayMaster);
    return b;
}

} // namespace tolvane
