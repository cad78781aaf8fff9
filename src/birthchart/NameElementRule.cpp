#include "birthchart/NameElementRule.h"

#include <algorithm>
#include <numeric>

namespace tolvane {

// The sentences below say 三倍.
static_assert(kMonthBranchWeight == 3);

namespace {

QString elementWords(const QList<Element> &elements)
{
    QString s;
    for (const Element e : elements) {
        if (!s.isEmpty())
            s += QStringLiteral("、");
        s += elementChar(e);
    }
    return s;
}

// Why a missing element that the strength does not call for is left out.
QString leftOutBecause(Element e, Element dayMaster, DayMasterStrength strength)
{
    const QString relation = relationToDayMaster(e, dayMaster);
    if (e == elementOvercoming(dayMaster))
        return strength == DayMasterStrength::Weak ? QStringLiteral("是克我之行，身弱时再克更弱")
                                                   : QStringLiteral("是克我之行，本规则只以泄耗抑旺，不取克制");
    if (strength == DayMasterStrength::Strong)
        return QStringLiteral("是") + relation + QStringLiteral("之行，身强时再扶更旺");
    return QStringLiteral("是") + relation + QStringLiteral("之行，身弱时再")
        + (e == elementGenerated(dayMaster) ? QStringLiteral("泄更弱") : QStringLiteral("耗更弱"));
}

} // namespace

QString relationToDayMaster(Element e, Element dayMaster)
{
    if (e == dayMaster)
        return QStringLiteral("同我");
    if (e == elementGenerating(dayMaster))
        return QStringLiteral("生我");
    if (e == elementGenerated(dayMaster))
        return QStringLiteral("我生");
    if (e == elementOvercome(dayMaster))
        return QStringLiteral("我克");
    return QStringLiteral("克我");
}

NameElementAdvice adviseNameElements(const std::array<int, kElementCount> &strengthTenths, int dayStem, int monthBranch,
    const QList<Element> &missing, const QList<Element> &weakest)
{
    const Element dayMaster = stemElement(dayStem);
    NameElementAdvice advice;
    const int total = std::accumulate(strengthTenths.begin(), strengthTenths.end(), 0);
    advice.supportTenths
        = strengthTenths[wishIndex(dayMaster)] + strengthTenths[wishIndex(elementGenerating(dayMaster))];
    advice.strength = advice.supportTenths * 2 > total ? DayMasterStrength::Strong
        : advice.supportTenths * 2 < total             ? DayMasterStrength::Weak
                                                       : DayMasterStrength::Balanced;
    advice.strongDayMaster = advice.strength == DayMasterStrength::Strong;
    switch (advice.strength) {
    case DayMasterStrength::Strong:
        advice.elements = { elementGenerated(dayMaster), elementOvercome(dayMaster) };
        break;
    case DayMasterStrength::Weak:
        advice.elements = { elementGenerating(dayMaster), dayMaster };
        break;
    case DayMasterStrength::Balanced:
        advice.elements = missing.isEmpty() ? weakest : missing;
        break;
    }
    // The reason names them in the rule's order; the list keeps the wizard's.
    const QList<Element> inRuleOrder = advice.elements;
    std::sort(advice.elements.begin(), advice.elements.end(),
        [](Element a, Element b) { return wishIndex(a) < wishIndex(b); });

    // The reason, in one line.
    const QString percent = QString::number(advice.supportTenths * 100 / total) + QLatin1Char('%');
    QString r = QStringLiteral("日主") + stemName(dayStem) + elementChar(dayMaster) + QStringLiteral("生于")
        + branchName(monthBranch) + QStringLiteral("月，月令按三倍计，同我、生我合计占") + percent;
    QStringList taken;
    for (const Element e : inRuleOrder)
        taken.append(relationToDayMaster(e, dayMaster) + QStringLiteral("的") + elementChar(e));
    switch (advice.strength) {
    case DayMasterStrength::Strong:
        r += QStringLiteral("，过半为身强，取") + taken.join(QStringLiteral("、")) + QStringLiteral("泄耗其旺");
        break;
    case DayMasterStrength::Weak:
        r += QStringLiteral("，不足一半为身弱，取") + taken.join(QStringLiteral("、")) + QStringLiteral("生扶日主");
        break;
    case DayMasterStrength::Balanced:
        r += QStringLiteral("，恰好一半为中和，不必扶抑，")
            + (missing.isEmpty() ? QStringLiteral("五行不缺，补最弱的") : QStringLiteral("补所缺的"))
            + elementWords(advice.elements);
        break;
    }
    QList<Element> missingTaken;
    for (const Element e : missing) {
        if (advice.elements.contains(e))
            missingTaken.append(e);
    }
    if (advice.strength != DayMasterStrength::Balanced && !missingTaken.isEmpty())
        r += QStringLiteral("；八字缺") + elementWords(missingTaken) + QStringLiteral("，正在所取之中");
    for (const Element e : missing) {
        if (!advice.elements.contains(e))
            r += QStringLiteral("；八字缺") + elementChar(e) + QStringLiteral("，但") + elementChar(e)
                + leftOutBecause(e, dayMaster, advice.strength) + QStringLiteral("，故不补");
    }
    advice.reason = r + QStringLiteral("。");
    return advice;
}

QString nameElementRuleSentence()
{
    return QStringLiteral("取字五行的规则：以日干五行为日主；天干各计1，地支按藏干分计1，月支是月令，旧说以它为八字的"
                          "纲领（《子平真诠》：“八字用神，专求月令”），本程序按三倍计，使它占全局三成；同我、生我两行"
                          "合计超过一半为身强，名字宜补我生、我克两行以泄其旺；不足一半为身弱，宜补生我、同我两行以扶"
                          "其弱；恰好一半为中和，不必扶抑，名字补八字所缺的五行（不缺则补最弱的）。八字所缺的五行，"
                          "只在它正是所取之行时才补，否则不补，并逐一说明缘故。");
}

} // namespace tolvane
