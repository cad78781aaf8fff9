#pragma once

#include "birthchart/Ganzhi.h"

#include <QList>
#include <QString>

#include <array>

namespace tolvane {

// The one place that decides which elements a name should bring. Schools differ; this one follows the
// strength of the day master (日主, the element of the day stem) rather than "whatever is missing":
//   the strength count weighs each stem 1 and each branch 1 shared among its hidden stems, the month branch
//   (月令) kMonthBranchWeight times, so the whole count is 10;
//   support = the day master's own element (同我) + the element that gives birth to it (生我);
//   support above half: the day master is strong (身强) and the name brings the element it gives birth to (我生,
//   which drains it) and the element it overcomes (我克, which spends it);
//   below half: it is weak (身弱) and the name brings the element that gives birth to it and its own element;
//   exactly half: balanced (中和), nothing to raise or lower, and the name brings the missing elements (缺), or
//   the weakest when none is missing.
// A missing element is brought only where the strength calls for it; every other missing element is left out,
// and the reason says why.
inline constexpr int kMonthBranchWeight = 3;

enum class DayMasterStrength { Weak, Balanced, Strong };

struct NameElementAdvice {
    DayMasterStrength strength = DayMasterStrength::Weak;
    bool strongDayMaster = false; // strength == Strong
    int supportTenths = 0; // of the strength count's 100
    QList<Element> elements; // in the order 金 木 水 火 土
    // One line: the day master and its month, the support and the strength, the elements taken and why, and
    // what became of each missing element.
    QString reason;
};

// strengthTenths: the strength count (month branch weighted) in tenths, total 100, at wishIndex(element);
// dayStem and monthBranch: the day pillar's stem and the month pillar's branch; missing and weakest: as
// ElementBalance keeps them.
NameElementAdvice adviseNameElements(const std::array<int, kElementCount> &strengthTenths, int dayStem, int monthBranch,
    const QList<Element> &missing, const QList<Element> &weakest);

// What an element is to the day master: 同我, 生我, 我生, 我克 or 克我.
QString relationToDayMaster(Element e, Element dayMaster);

// The rule above in one sentence, shown with every result.
QString nameElementRuleSentence();

} // namespace tolvane
