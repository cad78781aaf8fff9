#pragma once

#include "app/PaneMenuState.h"
#include "ui/MainMenus.h"

#include <QObject>
#include <QPointer>

class QMainWindow;
class QTextEdit;

namespace tolvane {

class NewWindow;
class PaneCommands;
class Prompter;

// The result pane's commands and the menu items that follow it: keeps the File and Edit items in step with
// the pane, opens the Edit menu as the pane's context menu, and owns the notes window.
class ResultPaneMenus final : public QObject {
    Q_OBJECT

public:
    ResultPaneMenus(QMainWindow *window, QTextEdit *pane, Prompter &prompter, const MainMenus &menus);
    ~ResultPaneMenus() override;
    Q_DISABLE_COPY_MOVE(ResultPaneMenus)

    PaneCommands &commands() { return *m_commands; }
    const PaneMenuState &state() const { return m_state; }
    // The notes window while it is open.
    NewWindow *newWindow() const;

    // The pane changed or was clicked.
    void paneChanged();
    // 打开新窗口: opens the notes window, or brings the open one forward.
    void openNewWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();

    QMainWindow *m_window;
    QTextEdit *m_pane;
    // Only compared with the watched object, never used.
    const QObject *m_viewport = nullptr;
    Prompter &m_prompter;
    MainMenus m_menus;
    PaneCommands *m_commands = nullptr;
    PaneMenuState m_state;
    QPointer<NewWindow> m_newWindow;
};

} // namespace tolvane
