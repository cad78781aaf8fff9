#include "ui/ResultPaneMenus.h"

#include "app/ReadingTexts.h"
#include "ui/NewWindow.h"
#include "ui/PaneCommands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>

namespace tolvane {

namespace {
constexpr int kFontPresetSize = 11;
} // namespace

ResultPaneMenus::ResultPaneMenus(QMainWindow *window, QTextEdit *pane, ResultPane &resultPane, Prompter &prompter,
                                 QString databasePath)
    : QObject(window)
    , m_window(window)
    , m_pane(pane)
    , m_resultPane(resultPane)
    , m_prompter(prompter)
    , m_databasePath(std::move(databasePath))
    , m_editMenu(window->findChild<QMenu *>(QStringLiteral("Menu_Edit")))
    , m_commands(new PaneCommands(pane, prompter, kFontPresetSize, this))
{
    setObjectName(QStringLiteral("ResultPaneMenus"));
    const auto wire = [this](const char *name, auto slot) {
        if (QAction *a = action(name)) {
            a->setEnabled(true);
            connect(a, &QAction::triggered, this, slot);
        }
    };
    wire("Menu_Open", [this] { m_commands->open(); });
    wire("Menu_SaveAs", [this] { m_commands->saveAs(); });
    wire("Menu_Print", [this] { m_commands->print(); });
    wire("Menu_Send", [this] { m_commands->send(); });
    wire("Menu_Undo", [] { PaneCommands::undo(); });
    wire("Menu_Cut", [] { PaneCommands::cut(); });
    wire("Menu_Copy", [] { PaneCommands::copy(); });
    wire("Menu_Paste", [] { PaneCommands::paste(); });
    wire("Menu_All", [] { PaneCommands::selectAll(); });
    wire("Menu_Font", [this] { m_commands->chooseFont(); });
    wire("Menu_Liaofan", [this] { showReadingText(QStringLiteral("liaofansixun")); });
    wire("Menu_Sanshiyinguo", [this] { showReadingText(QStringLiteral("sanshiyinguojing")); });
    wire("Menu_Xinming", [this] { showReadingText(QStringLiteral("xinmingge")); });
    wire("Menu_softprotect", [this] { showReadingText(QStringLiteral("softprotect")); });
    wire("Menu_NewWindow", [this] { openNewWindow(); });
    if (auto *cmdPrint = window->findChild<QPushButton *>(QStringLiteral("cmdPrint"))) {
        cmdPrint->setEnabled(true);
        connect(cmdPrint, &QPushButton::clicked, m_commands, &PaneCommands::print);
    }
    if (m_editMenu) {
        connect(m_editMenu, &QMenu::aboutToShow, this, [this] {
            m_state.editMenuOpened(m_pane->textCursor().selectedText());
            apply();
        });
    }

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

QAction *ResultPaneMenus::action(const char *name) const
{
    return m_window->findChild<QAction *>(QString::fromLatin1(name));
}

void ResultPaneMenus::paneChanged()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    m_state.paneChanged(m_pane->textCursor().selectedText(), clipboard ? clipboard->text() : QString(),
                        m_pane->toPlainText());
    apply();
}

void ResultPaneMenus::apply()
{
    const std::pair<const char *, bool> items[] = {
        {"Menu_Cut", m_state.cut},         {"Menu_Copy", m_state.copy},   {"Menu_Paste", m_state.paste},
        {"Menu_SaveAs", m_state.saveAs},   {"Menu_Print", m_state.print}, {"Menu_Font", m_state.font},
        {"Menu_All", m_state.selectAll},
    };
    for (const auto &[name, enabled] : items) {
        if (QAction *a = action(name))
            a->setEnabled(enabled);
    }
}

bool ResultPaneMenus::eventFilter(QObject *watched, QEvent *event)
{
    // The viewport is compared with the one kept at construction, never asked of the pane: the filter also sees
    // the events of the pane's destruction, when the pane is no longer a text edit.
    if (event->type() == QEvent::MouseButtonRelease && watched == m_viewport) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            paneChanged();
        else if (mouse->button() == Qt::RightButton && m_editMenu)
            m_editMenu->popup(mouse->globalPosition().toPoint());
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

void ResultPaneMenus::showReadingText(const QString &key)
{
    ReadingTexts::show(m_databasePath, key, m_resultPane, m_prompter);
}

} // namespace tolvane
