#pragma once

#include <QString>
#include <QStringList>

namespace tolvane {

class MainView;

// The two selectors of the main window: their items, and what choosing an item switches.
class Selectors final {
public:
    static QStringList functionItems();     // cmbOptions
    static QStringList lookupItems();       // cmbOtherOptions
    static QString nameToolTip(const QString &function);
    static QString lookupToolTip(const QString &lookup);

    // cmbOptions_Click: panels and tool tips for the chosen function.
    static void applyFunction(const QString &function, MainView &view);
    // cmbOtherOptions_Click: the tool tip of txtOther.
    static void applyLookup(const QString &lookup, MainView &view);
};

} // namespace tolvane
