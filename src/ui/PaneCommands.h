#pragma once


#include <QObject>
#include <QPrinter>

class QTextEdit;
class QWidget;

namespace tolvane {

class Prompter;

// The commands of a rich-text pane: open and save as RTF or plain text, print, font, send, and the edit
// commands. The main window's result pane uses all of them; the notes window only print and font.
// Cancelling a dialog ends a command without a trace.
class PaneCommands final : public QObject {
    Q_OBJECT

public:
    // fontPresetSize: the size the font dialog opens with (11 in the main window, 9 in the notes window).
    PaneCommands(QTextEdit *edit, Prompter &prompter, int fontPresetSize, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(PaneCommands)

    // Menu_Open: the file chosen replaces the pane's content; a file that cannot be loaded leaves it as it was.
    void open();
    // Menu_SaveAs: the whole content.
    void saveAs();
    // Menu_Print and cmdPrint: the selection if there is one, else everything.
    void print();
    // Menu_Font: applies the choice to the selection (or to the text typed next).
    void chooseFont();
    // Menu_Send.
    void send();

    // The printer the print dialog starts from; it keeps the last choice, as the dialog did.
    QPrinter &printer() { return m_printer; }

    // The edit commands act on whichever text control has the keyboard focus.
    static void undo();
    static void cut();
    static void copy();
    static void paste();
    static void selectAll();

private:
    QTextEdit *m_edit;
    Prompter &m_prompter;
    int m_fontPresetSize;
    QPrinter m_printer;
};

} // namespace tolvane
