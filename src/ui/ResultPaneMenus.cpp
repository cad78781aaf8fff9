#include "ui/ResultPaneMenus.h"

#include "ui/NewWindow.h"
#include "ui/PaneCommands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>

namespace tolvane {

namespace {
constexpr int kFontPresetSize = 11;
} // namespace

ResultPaneMenus::ResultPaneMenus(QMainWindow *window, QTextEdit *pane, Prompter &prompter, const MainMenus &menus)
    : QObject(window)
    , m_window(window)
    , m_pane(pane)
    , m_prompter(prompter)
    , m_menus(menus)
    , m_commands(new PaneCommands(pane, prompter, kFontPresetSize, this))
{
    setObjectName(QStringLiteral("ResultPaneMenus"));
    connect(m_menus.edit, &QMenu::aboutToShow, this, [this] {
        m_state.editMenuOpened(m_pane->textCursor().selectedText());
        apply();
    });
    connect(m_pane, &QTextEdit::textChanged, this, &ResultPaneMenus::paneChanged);
    // The Edit menu replaces the pane's own context menu; it opens when the right button is released.
    m_pane->setContextMenuPolicy(Qt::PreventContextMenu);
    QWidget *viewport = m_pane->viewport();
    viewport->setContextMenuPolicy(Qt::PreventContextMenu);
    viewport->installEventFilter(this);
    m_viewport = viewport;
    paneChanged();
}

ResultPaneMenus::~ResultPaneMenus() = default;

NewWindow *ResultPaneMenus::newWindow() const
{
    return m_newWindow.data();
}

void ResultPaneMenus::paneChanged()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    m_state.paneChanged(
        m_pane->textCursor().selectedText(), clipboard ? clipboard->text() : QString(), m_pane->toPlainText());
    apply();
}

void ResultPaneMenus::apply()
{
    m_menus.cut->setEnabled(m_state.cut);
    m_menus.copy->setEnabled(m_state.copy);
    m_menus.paste->setEnabled(m_state.paste);
    m_menus.saveAs->setEnabled(m_state.saveAs);
    m_menus.print->setEnabled(m_state.print);
    m_menus.font->setEnabled(m_state.font);
    m_menus.selectAll->setEnabled(m_state.selectAll);
}

bool ResultPaneMenus::eventFilter(QObject *watched, QEvent *event)
{
    // The viewport is compared with the one kept at construction, never asked of the pane: the filter also sees
    // the events of the pane's destruction, when the pane is no longer a text edit.
    if (event->type() == QEvent::MouseButtonRelease && watched == m_viewport) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            paneChanged();
        else if (mouse->button() == Qt::RightButton)
            m_menus.edit->popup(mouse->globalPosition().toPoint());
    }
    return QObject::eventFilter(watched, event);
}

void ResultPaneMenus::openNewWindow()
{
    if (!m_newWindow)
        m_newWindow = new NewWindow(m_prompter, m_window);
    m_newWindow->show();
    m_newWindow->raise();
    m_newWindow->activateWindow();
}

} // namespace tolvane
