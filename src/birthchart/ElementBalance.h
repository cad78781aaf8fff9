#pragma once

#include "birthchart/Ganzhi.h"
#include "birthchart/NameElementRule.h"

#include <QList>

#include <array>

namespace tolvane {

// The elements of a chart's eight characters, counted two ways, and the elements suggested for the name.
struct ElementBalance {
    // Each of the eight characters (four stems, four branches) counted once by its own element.
    std::array<int, kElementCount> characterCounts {};
    // In tenths: each stem 10 for its element, each branch 10 shared among its hidden stems by
    // hiddenStemWeights(); the total is always 80.
    std::array<int, kElementCount> weightedTenths {};
    // The strength count of the day master: as weightedTenths, the month branch counted kMonthBranchWeight
    // times (月令); the total is always 100.
    std::array<int, kElementCount> strengthTenths {};
    // Elements none of the eight characters has (缺), and those with the lowest weighted count (最弱; all of
    // them on a tie), in the order 金 木 水 火 土.
    QList<Element> missing;
    QList<Element> weakest;
    Element dayMaster = Element::Wood;
    NameElementAdvice advice;
};

// pillars: year, month, day, hour.
ElementBalance computeElementBalance(const std::array<Pillar, 4> &pillars);

} // namespace tolvane
