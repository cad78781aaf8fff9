#pragma once

#include "birthchart/Ganzhi.h"

#include <QList>
#include <QString>

#include <array>

namespace tolvane {

// The one place that decides which elements a name should bring. Schools differ; this one follows the
// strength of the day master (日主, the element of the day stem) rather than "whatever is missing":
//   support = weighted count of the day master's own element (同我) + the element that gives birth to it (生我);
//   support above half of the whole count: the day master is strong (身强) and the name brings the element it
//   gives birth to (我生, which drains it) and the element it overcomes (我克, which spends it);
//   otherwise it is weak (身弱) and the name brings the element that gives birth to it and its own element.
struct NameElementAdvice {
    bool strongDayMaster = false;
    int supportTenths = 0;
    QList<Element> elements; // in the order 金 木 水 火 土
};

NameElementAdvice adviseNameElements(const std::array<int, kElementCount> &weightedTenths, Element dayMaster);

// The rule above in one sentence, shown with every result.
QString nameElementRuleSentence();

} // namespace tolvane
