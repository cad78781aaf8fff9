#include "ui/NewWindow.h"

#include "ui/PaneCommands.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kMinWidth = 8000;
constexpr int kMinHeight = 6000;
constexpr int kButtonBand = 540; // the row of buttons under the pane
constexpr int kButtonTop = 400;  // the buttons' top edge, measured from the bottom
constexpr int kFontPresetSize = 9;

} // namespace

NewWindow::NewWindow(Prompter &prompter, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("frmNewWindow"));
    setWindowTitle(QStringLiteral("新窗口"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_richText = new QTextEdit(this);
    m_richText->setObjectName(QStringLiteral("RichTextBox1"));
    m_richText->setAcceptRichText(true);
    m_richText->setFont(QFont(QStringLiteral("宋体"), 11));
    m_cmdFont = new QPushButton(QStringLiteral("字体"), this);
    m_cmdFont->setObjectName(QStringLiteral("cmdFont"));
    m_cmdPrint = new QPushButton(QStringLiteral("打印"), this);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdClose = new QPushButton(QStringLiteral("关闭"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));

    m_commands = new PaneCommands(m_richText, prompter, kFontPresetSize, this);
    connect(m_cmdFont, &QPushButton::clicked, m_commands, &PaneCommands::chooseFont);
    connect(m_cmdPrint, &QPushButton::clicked, m_commands, &PaneCommands::print);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);

    setMinimumSize(Twips::toPixelsX(*this, kMinWidth), Twips::toPixelsY(*this, kMinHeight));
    resize(Twips::toPixelsX(*this, 9600), Twips::toPixelsY(*this, 7200));
}

void NewWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void NewWindow::layoutControls()
{
    if (isMinimized())
        return;
    const int innerHeight = Twips::fromPixelsY(*this, height());
    m_richText->setGeometry(0, 0, width(), Twips::toPixelsY(*this, std::max(0, innerHeight - kButtonBand)));
    const int top = Twips::toPixelsY(*this, innerHeight - kButtonTop);
    const int buttonWidth = Twips::toPixelsX(*this, 1100);
    const int buttonHeight = Twips::toPixelsY(*this, 360);
    m_cmdFont->setGeometry(Twips::toPixelsX(*this, 120), top, buttonWidth, buttonHeight);
    m_cmdPrint->setGeometry(Twips::toPixelsX(*this, 1360), top, buttonWidth, buttonHeight);
    m_cmdClose->setGeometry(Twips::toPixelsX(*this, 2600), top, buttonWidth, buttonHeight);
}

} // namespace tolvane
