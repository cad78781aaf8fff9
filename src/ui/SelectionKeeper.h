#pragma once

#include <QObject>

class QLineEdit;

namespace tolvane {

// Keeps a line edit's selection while a menu opened from the keyboard has the focus. A line edit drops its
// selection whenever the focus leaves it, except to a popup; a menu opened by Alt and a letter first gives the
// focus to the menu bar, so 编辑 → 粘贴 chosen that way would insert beside the selection instead of replacing it,
// as it does when the menu is opened by the mouse. The selection comes back when the menu bar returns the focus.
class SelectionKeeper final : public QObject {
    Q_OBJECT

public:
    // The keeper lives as long as the line edit.
    static void install(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SelectionKeeper(QLineEdit *edit);
    Q_DISABLE_COPY_MOVE(SelectionKeeper)

    QLineEdit *m_edit;
    int m_start = -1; // the kept selection; -1 when none is kept
    int m_length = 0;
    bool m_cursorAtStart = false;
};

} // namespace tolvane
