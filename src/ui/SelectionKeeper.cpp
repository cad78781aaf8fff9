#include "ui/SelectionKeeper.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace tolvane {

SelectionKeeper::SelectionKeeper(QLineEdit *edit)
    : QObject(edit)
    , m_edit(edit)
{
}

void SelectionKeeper::install(QLineEdit *edit)
{
    if (edit)
        edit->installEventFilter(new SelectionKeeper(edit));
}

bool SelectionKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return false;
    if (event->type() == QEvent::FocusOut) {
        // Seen before the line edit drops the selection.
        m_start = -1;
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::MenuBarFocusReason && m_edit->hasSelectedText()) {
            m_start = m_edit->selectionStart();
            m_length = m_edit->selectionLength();
            m_cursorAtStart = m_edit->cursorPosition() == m_start;
        }
    } else if (event->type() == QEvent::FocusIn) {
        const bool fromMenuBar = static_cast<QFocusEvent *>(event)->reason() == Qt::MenuBarFocusReason;
        if (fromMenuBar && m_start >= 0 && m_start + m_length <= m_edit->text().size()) {
            // The cursor goes back to the end it stood at, so that Shift and the arrows go on as before.
            if (m_cursorAtStart)
                m_edit->setSelection(m_start + m_length, -m_length);
            else
                m_edit->setSelection(m_start, m_length);
        }
        m_start = -1;
    }
    return false;
}

} // namespace tolvane
