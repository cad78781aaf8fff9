#include "ui/HelpWindow.h"

#include "app/AppInfo.h"
#include "ui/LinkOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tolvane {

HelpWindow::HelpWindow(const QString &indexFile, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_indexFile(indexFile)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(AppInfo::title() + QStringLiteral(" 帮助"));

    auto *home = new QPushButton(QStringLiteral("目录(&C)"), this);
    home->setObjectName(QStringLiteral("cmdHome"));
    auto *back = new QPushButton(QStringLiteral("后退(&B)"), this);
    back->setObjectName(QStringLiteral("cmdBack"));
    auto *forward = new QPushButton(QStringLiteral("前进(&F)"), this);
    forward->setObjectName(QStringLiteral("cmdForward"));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    back->setEnabled(false);
    forward->setEnabled(false);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenLinks(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(home);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
    resize(760, 620);

    connect(home, &QPushButton::clicked, this, &HelpWindow::showHome);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    // Closed from the keyboard as a reading window is.
    for (const QKeySequence &keys : { QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    showHome();
}

void HelpWindow::showPage(const QString &page)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(m_indexFile).dir().filePath(page.section(QLatin1Char('#'), 0, 0)));
    if (page.contains(QLatin1Char('#')))
        url.setFragment(page.section(QLatin1Char('#'), 1));
    m_browser->setSource(url);
}

void HelpWindow::showHome()
{
    m_browser->setSource(QUrl::fromLocalFile(m_indexFile));
}

void HelpWindow::followLink(const QUrl &url)
{
    const QUrl target = m_browser->source().resolved(url);
    if (target.isLocalFile() || target.scheme().isEmpty()) {
        m_browser->setSource(target);
        return;
    }
    const bool mail = target.scheme() == QStringLiteral("mailto");
    LinkOpener::open(this, target, mail ? AppInfo::mailOpenFailed() : AppInfo::webOpenFailed());
}

} // namespace tolvane
