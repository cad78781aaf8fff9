#pragma once

#include "app/PaneMenuState.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMenu;
class QTextEdit;

namespace tolvane {

class NewWindow;
class PaneCommands;
class Prompter;
class ResultPane;

// Wires the main window's File and Edit menus, the context menu, cmdPrint, the reading-text items and
// "打开新窗口" to the result pane, and keeps the menu items in step with the pane.
class ResultPaneMenus final : public QObject {
    Q_OBJECT

public:
    ResultPaneMenus(QMainWindow *window, QTextEdit *pane, ResultPane &resultPane, Prompter &prompter,
                    QString databasePath);
    ~ResultPaneMenus() override;
    Q_DISABLE_COPY_MOVE(ResultPaneMenus)

    PaneCommands &commands() { return *m_commands; }
    const PaneMenuState &state() const { return m_state; }
    // frmNewWindow while it is open.
    NewWindow *newWindow() const;

    // RichText_Change and RichText_Click.
    void paneChanged();
    // Menu_NewWindow: opens the notes window, or brings the open one forward.
    void openNewWindow();
    void showReadingText(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *action(const char *name) const;
    void apply();

    QMainWindow *m_window;
    QTextEdit *m_pane;
    // Only compared with the watched object, never used.
    const QObject *m_viewport = nullptr;
    ResultPane &m_resultPane;
    Prompter &m_prompter;
    QString m_databasePath;
    QMenu *m_editMenu = nullptr;
    PaneCommands *m_commands = nullptr;
    PaneMenuState m_state;
    QPointer<NewWindow> m_newWindow;
};

} // namespace tolvane
