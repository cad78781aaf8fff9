#include "app/Selectors.h"

#include "app/Dispatcher.h"
#include "app/MainView.h"

namespace tolvane {

QStringList Selectors::functionItems()
{
    QStringList items;
    for (const FunctionRow &row : FunctionTable::functions())
        items.append(QString::fromUtf16(row.caption));
    return items;
}

QStringList Selectors::lookupItems()
{
    QStringList items;
    for (const LookupRow &row : FunctionTable::lookups())
        items.append(QString::fromUtf16(row.caption));
    return items;
}

std::optional<Function> Selectors::function(const QString &text)
{
    return FunctionTable::functionFromCaption(text);
}

std::optional<Lookup> Selectors::lookup(const QString &text)
{
    return FunctionTable::lookupFromCaption(text);
}

DispatchInput Selectors::input(
    const QString &function, const QString &name, const QString &lookup, const QString &other)
{
    return { Selectors::function(function), name, Selectors::lookup(lookup), other };
}

void Selectors::applyFunction(std::optional<Function> function, MainView &view)
{
    if (!function) {
        view.setNameToolTip(QString());
        return;
    }
    const FunctionRow &row = FunctionTable::row(*function);
    view.setNameToolTip(QString::fromUtf16(row.nameToolTip));
    view.setOtherPanelEnabled(row.otherPanelEnabled);
    view.setGridPanelEnabled(row.gridPanelEnabled);
    if (row.otherToolTip)
        view.setOtherToolTip(QString::fromUtf16(row.otherToolTip));
}

void Selectors::applyLookup(std::optional<Lookup> lookup, MainView &view)
{
    view.setOtherToolTip(lookup ? QString::fromUtf16(FunctionTable::row(*lookup).toolTip) : QString());
}

} // namespace tolvane
