#include "birthchart/NameElementRule.h"

#include <algorithm>
#include <numeric>

namespace tolvane {

NameElementAdvice adviseNameElements(const std::array<int, kElementCount> &weightedTenths, Element dayMaster)
{
    NameElementAdvice advice;
    const int total = std::accumulate(weightedTenths.begin(), weightedTenths.end(), 0);
    advice.supportTenths
        = weightedTenths[wishIndex(dayMaster)] + weightedTenths[wishIndex(elementGenerating(dayMaster))];
    advice.strongDayMaster = advice.supportTenths * 2 > total;
    if (advice.strongDayMaster)
        advice.elements = { elementGenerated(dayMaster), elementOvercome(dayMaster) };
    else
        advice.elements = { elementGenerating(dayMaster), dayMaster };
    std::sort(advice.elements.begin(), advice.elements.end(),
        [](Element a, Element b) { return wishIndex(a) < wishIndex(b); });
    return advice;
}

QString nameElementRuleSentence()
{
    return QStringLiteral("取字五行的规则：以日干五行为日主，按藏干加权计数，同我与生我两行合计超过总数一半为身强，"
                          "名字宜补我生、我克两行以泄其旺；不超过一半为身弱，宜补生我、同我两行以扶其弱。");
}

} // namespace tolvane
