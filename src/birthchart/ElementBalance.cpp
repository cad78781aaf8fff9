#include "birthchart/ElementBalance.h"

#include <algorithm>

namespace tolvane {

ElementBalance computeElementBalance(const std::array<Pillar, 4> &pillars)
{
    ElementBalance b;
    for (std::size_t k = 0; k < pillars.size(); ++k) {
        const Pillar &p = pillars[k];
        ++b.characterCounts[wishIndex(stemElement(p.stem))];
        ++b.characterCounts[wishIndex(branchElement(p.branch))];
        b.weightedTenths[wishIndex(stemElement(p.stem))] += 10;
        b.strengthTenths[wishIndex(stemElement(p.stem))] += 10;
        const HiddenStems hidden = hiddenStems(p.branch);
        const std::array<int, 3> weights = hiddenStemWeights(hidden.count);
        const int branchWeight = k == 1 ? kMonthBranchWeight : 1;
        for (int i = 0; i < hidden.count; ++i) {
            b.weightedTenths[wishIndex(stemElement(hidden.stems[i]))] += weights[i];
            b.strengthTenths[wishIndex(stemElement(hidden.stems[i]))] += weights[i] * branchWeight;
        }
    }
    const int lowest = *std::min_element(b.weightedTenths.begin(), b.weightedTenths.end());
    for (int e = 0; e < kElementCount; ++e) {
        if (b.characterCounts[e] == 0)
            b.missing.append(ElementSet::kWishOrder[e]);
        if (b.weightedTenths[e] == lowest)
            b.weakest.append(ElementSet::kWishOrder[e]);
    }
    b.dayMaster = stemElement(pillars[2].stem);
    b.advice = adviseNameElements(b.strengthTenths, pillars[2].stem, pillars[1].branch, b.missing, b.weakest);
    return b;
}

} // namespace tolvane
