#pragma once

#include <QString>

namespace tolvane {

// Which File and Edit menu items of the result pane are enabled. The items follow the pane at two moments
// only: when the Edit menu opens (cut and copy) and when the pane changes or is clicked (all of them).
struct PaneMenuState {
    bool cut = true;
    bool copy = true;
    bool paste = true;
    bool saveAs = true;
    bool print = true;
    bool font = true;
    bool selectAll = true;

    // The Edit menu opens: cut and copy follow the selected text; the other items keep their state.
    void editMenuOpened(const QString &selectedText);
    // The pane changed or was clicked.
    void paneChanged(const QString &selectedText, const QString &clipboardText, const QString &wholeText);

    bool operator==(const PaneMenuState &) const = default;
};

} // namespace tolvane
