#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

namespace tolvane {

class PaneCommands;
class Prompter;

// frmNewWindow ("新窗口"): a free notes window beside the main window, opened without blocking it. Its text
// is lost when it closes; it neither asks to save nor offers files or mail.
class NewWindow final : public QWidget {
    Q_OBJECT

public:
    NewWindow(Prompter &prompter, QWidget *mainWindow);
    Q_DISABLE_COPY_MOVE(NewWindow)

    PaneCommands &commands() { return *m_commands; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutControls();

    QTextEdit *m_richText = nullptr;
    QPushButton *m_cmdFont = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdClose = nullptr;
    PaneCommands *m_commands = nullptr;
};

} // namespace tolvane
