#include "app/Selectors.h"

#include "app/MainView.h"

namespace tolvane {

namespace {
const QString kPersonal = QStringLiteral("个人起名");
const QString kAnalysis = QStringLiteral("姓名分析");
const QString kCompany = QStringLiteral("公司名分析");
const QString kOther = QStringLiteral("其他功能");
const QString kOneNumberTip = QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。");
} // namespace

QStringList Selectors::functionItems()
{
    return {kPersonal, kAnalysis, kCompany, kOther};
}

QStringList Selectors::lookupItems()
{
    return {QStringLiteral("81数解释（个人）"), QStringLiteral("81数解释（公司）"), QStringLiteral("三才数解释"),
            QStringLiteral("人格外格搭配"),     QStringLiteral("单字笔画数"),       QStringLiteral("笔画查字"),
            QStringLiteral("姓名笔画数"),       QStringLiteral("同音字查询"),       QStringLiteral("字义查询")};
}

QString Selectors::nameToolTip(const QString &function)
{
    if (function == kPersonal)
        return QStringLiteral("在此输入姓氏，然后按回车或点击“执行”。");
    if (function == kAnalysis)
        return QStringLiteral("在此输入姓名，然后按回车或点击“执行”。");
    if (function == kCompany)
        return QStringLiteral("在此输入公司名称，然后按回车或点击“执行”。");
    if (function == kOther)
        return QStringLiteral("您选择了其他功能，可不必理会此输入框。");
    return {};
}

QString Selectors::lookupToolTip(const QString &lookup)
{
    const QStringList items = lookupItems();
    switch (items.indexOf(lookup)) {
    case 0:
    case 1:
        return kOneNumberTip;
    case 2:
        return QStringLiteral("在此输入三个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。");
    case 3:
        return QStringLiteral("在此输入两个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。");
    case 4:
        return QStringLiteral("在此输入最多50个汉字，然后按回车或点击“执行”。");
    case 5:
        return QStringLiteral("在此输入汉字笔画数（最大30），然后按回车或点击“执行”。");
    case 6:
        return QStringLiteral("在此输入姓名笔画数（用空格隔开，如“5 8 12”），然后按回车或点击“执行”。");
    case 7:
        return QStringLiteral("在此输入要查的同音字，然后按回车或点击“执行”。");
    case 8:
        return QStringLiteral("在此输入待查汉字，一次最多输入四个字，然后按回车或点击“执行”。");
    default:
        return {};
    }
}

void Selectors::applyFunction(const QString &function, MainView &view)
{
    view.setNameToolTip(nameToolTip(function));
    if (function == kPersonal || function == kCompany) {
        view.setOtherPanelEnabled(false);
        view.setGridPanelEnabled(false);
    } else if (function == kAnalysis) {
        view.setOtherPanelEnabled(false);
        view.setGridPanelEnabled(true);
    } else if (function == kOther) {
        view.setOtherPanelEnabled(true);
        view.setGridPanelEnabled(false);
        // Whatever lookup is selected, the hint is the one for a single number.
        view.setOtherToolTip(kOneNumberTip);
    }
}

void Selectors::applyLookup(const QString &lookup, MainView &view)
{
    view.setOtherToolTip(lookupToolTip(lookup));
}

} // namespace tolvane
