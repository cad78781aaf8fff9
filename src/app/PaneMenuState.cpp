#include "app/PaneMenuState.h"

namespace tolvane {

void PaneMenuState::editMenuOpened(const QString &selectedText)
{
    cut = !selectedText.isEmpty();
    copy = cut;
}

void PaneMenuState::paneChanged(const QString &selectedText, const QString &clipboardText, const QString &wholeText)
{
    editMenuOpened(selectedText);
    paste = !clipboardText.isEmpty();
    const bool hasText = !wholeText.isEmpty();
    saveAs = hasText;
    print = hasText;
    font = hasText;
    selectAll = hasText;
}

} // namespace tolvane
