#pragma once

#include "app/FunctionTable.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

class MainView;
struct DispatchInput;

// The two selectors of the main window: their items, the one place where their texts become a function or
// a lookup, and what choosing an item switches.
class Selectors final {
public:
    static QStringList functionItems(); // cmbOptions
    static QStringList lookupItems(); // cmbOtherOptions
    // The selectors are editable: a text that names no item is none.
    static std::optional<Function> function(const QString &text);
    static std::optional<Lookup> lookup(const QString &text);
    // What Execute runs, from the texts of the two selectors and the two input boxes.
    static DispatchInput input(
        const QString &function, const QString &name, const QString &lookup, const QString &other);

    // The function selector changes: panels and tool tips (none chosen: the name box loses its tool tip).
    static void applyFunction(std::optional<Function> function, MainView &view);
    // The lookup selector changes: the tool tip of the lookup box.
    static void applyLookup(std::optional<Lookup> lookup, MainView &view);
};

} // namespace tolvane
