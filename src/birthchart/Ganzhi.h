#pragma once

#include "numerology/Vocabulary.h"

#include <QChar>
#include <QString>

#include <array>

namespace tolvane {

// The elements are the numerology's (Vocabulary.h). The chart's counts are kept in the order the naming wizard
// lists the elements, 金 木 水 火 土: an element's count is at wishIndex(element).
inline constexpr int kElementCount = 5;

// The element e gives birth to (木生火, 火生土, 土生金, 金生水, 水生木).
Element elementGenerated(Element e);
// The element that gives birth to e.
Element elementGenerating(Element e);
// The element e overcomes (木克土, 土克水, 水克火, 火克金, 金克木).
Element elementOvercome(Element e);
// The element that overcomes e.
Element elementOvercoming(Element e);

// The ten heavenly stems 甲..癸 (0..9) and the twelve earthly branches 子..亥 (0..11).
inline constexpr int kStemCount = 10;
inline constexpr int kBranchCount = 12;

QChar stemName(int stem);
QChar branchName(int branch);
Element stemElement(int stem);
Element branchElement(int branch);

// A branch's hidden stems (地支藏干), the main one (本气) first, then the middle (中气) and the residual (余气)
// one where the branch has them.
struct HiddenStems {
    std::array<int, 3> stems {};
    int count = 0;
};
HiddenStems hiddenStems(int branch);

// The weight of each hidden stem in the weighted element count, in tenths of a character; a branch's weights
// add up to 10, so that every branch weighs as much as a stem: one hidden stem 10; two 7 and 3; three 6, 3
// and 1.
std::array<int, 3> hiddenStemWeights(int count);

// A pillar of the sexagenary cycle: the stem and branch of one of the 60 pairs 甲子..癸亥 (same parity).
struct Pillar {
    int stem = 0;
    int branch = 0;

    // The pillar at position index (0 = 甲子) of the cycle; any integer, taken modulo 60.
    static Pillar fromCycleIndex(long long index);
    int cycleIndex() const;
    QString text() const;

    bool operator==(const Pillar &) const = default;
};

} // namespace tolvane
