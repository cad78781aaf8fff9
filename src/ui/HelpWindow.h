#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace tolvane {

// The program's help pages, in a window of their own beside the main window. Links to other pages stay
// in the window; web and mail addresses go to the desktop. Esc and Ctrl+W close it.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(const QString &indexFile, QWidget *parent = nullptr);
    void showHome();
    // A page of the help folder, with its place on the page after a '#': "wizard.html#fixed".
    void showPage(const QString &page);
    QTextBrowser *browser() const { return m_browser; }

private:
    void followLink(const QUrl &url);
    Q_DISABLE_COPY_MOVE(HelpWindow)

    QTextBrowser *m_browser = nullptr;
    QString m_indexFile;
};

} // namespace tolvane
