#include "ui/MainWindow.h"

#include "app/AppInfo.h"
#include "app/HelpPages.h"
#include "app/PasswordRules.h"
#include "app/Selectors.h"
#include "app/StartupSequence.h"
#include "app/WindowLayout.h"
#include "ui/AboutDialog.h"
#include "ui/CancelPassDialog.h"
#include "ui/CorrectDialog.h"
#include "ui/ClickFilter.h"
#include "ui/HelpWindow.h"
#include "ui/LinkOpener.h"
#include "ui/ModalHelpKey.h"
#include "ui/Logo.h"
#include "ui/PaneCommands.h"
#include "ui/PersonalInfoDialog.h"
#include "ui/ResultPaneMenus.h"
#include "ui/SetPassDialog.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QUrl>

namespace tolvane {

namespace {

// The window's geometry is kept in twips, as the layout rules are written; 1440 twips make an inch of the
// screen's logical resolution.
constexpr int kMinWidth = 8000;
constexpr int kMinHeight = 6250;
constexpr int kBandHeight = 2300;   // the top band; the pane takes the rest of the height
constexpr int kButtonColumn = 1380; // the right-hand column; the pane takes the rest of the width
constexpr int kButtonLeft = 1220;   // the buttons' left edge, measured from the right

} // namespace

MainWindow::MainWindow(AppPaths paths, QWidget *parent)
    : QMainWindow(parent)
    , m_richText(new QTextEdit(this))
    , m_pane(m_richText)
    , m_prompter(this)
    , m_dispatcher(std::move(paths), m_pane, *this, m_prompter)
{
    setObjectName(QStringLiteral("frmname"));
    buildControls();
    m_menus = MainMenus::build(menuBar());
    m_paneMenus = new ResultPaneMenus(this, m_richText, m_prompter, m_menus);
    wireMenus();
    statusBar()->setSizeGripEnabled(true);
    setMinimumSize(Twips::toPixelsX(*this, kMinWidth), Twips::toPixelsY(*this, kMinHeight));
    resize(Twips::toPixelsX(*this, 12500), Twips::toPixelsY(*this, 9000));
}

MainWindow::~MainWindow() = default;

void MainWindow::place(QWidget *widget, int left, int top, int width, int height) const
{
    widget->setGeometry(Twips::toPixelsX(*this, left), Twips::toPixelsY(*this, top), Twips::toPixelsX(*this, width), Twips::toPixelsY(*this, height));
}

void MainWindow::buildControls()
{
    m_central = new QWidget(this);
    setCentralWidget(m_central);

    const auto label = [](QWidget *parent, const char *name, const QString &text = {}) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };

    m_fraXingMWG = new QGroupBox(QStringLiteral("姓名五格"), m_central);
    m_fraXingMWG->setObjectName(QStringLiteral("fraXingMWG"));
    place(m_fraXingMWG, 120, 60, 3600, 2150);
    // Characters and their strokes on the left, grid captions and numbers on the right.
    const char *charNames[] = {"lblXing1", "lblXing2", "lblming1", "lblming2"};
    const char *charStrokeNames[] = {"lblXing1Shu", "lblxing2Shu", "lblming1Shu", "lblMing2Shu"};
    for (int i = 0; i < 4; ++i) {
        m_characterLabels[i] = label(m_fraXingMWG, charNames[i]);
        place(m_characterLabels[i], 200, 330 + i * 400, 450, 330);
        m_strokeLabels[i] = label(m_fraXingMWG, charStrokeNames[i]);
        place(m_strokeLabels[i], 650, 330 + i * 400, 600, 330);
    }
    const char *gridNames[] = {"lblTiange", "lblRenge", "lblDige", "lblZongge", "lblWaige"};
    const char *gridNumberNames[] = {"lblTiangeShu", "lblRengeShu", "lblDigeShu", "lblZonggeShu", "lblWaigeShu"};
    for (int i = 0; i < 5; ++i) {
        m_captionLabels[i] = label(m_fraXingMWG, gridNames[i]);
        place(m_captionLabels[i], 1500, 300 + i * 360, 1000, 330);
        m_numberLabels[i] = label(m_fraXingMWG, gridNumberNames[i]);
        place(m_numberLabels[i], 2550, 300 + i * 360, 900, 330);
    }

    m_frmProgress = new QGroupBox(QStringLiteral("进度栏"), m_central);
    m_frmProgress->setObjectName(QStringLiteral("frmProgress"));
    place(m_frmProgress, 120, 60, 3600, 2150);
    m_groupLabel = label(m_frmProgress, "lblprog1");
    place(m_groupLabel, 200, 330, 3200, 330);
    m_groupProgress = new QProgressBar(m_frmProgress);
    m_groupProgress->setObjectName(QStringLiteral("ProgressBar1"));
    m_groupProgress->setRange(0, 100);
    place(m_groupProgress, 200, 700, 3200, 300);
    m_percentLabel = label(m_frmProgress, "lblprog2");
    place(m_percentLabel, 200, 1150, 3200, 330);
    m_overallProgress = new QProgressBar(m_frmProgress);
    m_overallProgress->setObjectName(QStringLiteral("ProgressBar2"));
    m_overallProgress->setRange(0, 100);
    place(m_overallProgress, 200, 1520, 3200, 300);

    m_fraOther = new QGroupBox(QStringLiteral("其他功能"), m_central);
    m_fraOther->setObjectName(QStringLiteral("fraOther"));
    place(m_fraOther, 3840, 60, 4300, 2150);
    QLabel *info = label(m_fraOther, "lblOtherInfo", QStringLiteral("要用此功能，先在右边“选项”里选择“其他功能”。"));
    info->setWordWrap(true);
    place(info, 150, 280, 4000, 560);
    place(label(m_fraOther, "lblOtherZi", QStringLiteral("其他选项：")), 150, 960, 1000, 330);
    m_cmbOtherOptions = new QComboBox(m_fraOther);
    m_cmbOtherOptions->setObjectName(QStringLiteral("cmbOtherOptions"));
    m_cmbOtherOptions->setEditable(true);
    m_cmbOtherOptions->addItems(Selectors::lookupItems());
    m_cmbOtherOptions->setCurrentIndex(0);
    place(m_cmbOtherOptions, 1150, 910, 2950, 380);
    place(label(m_fraOther, "lblOther", QStringLiteral("请输入：")), 150, 1560, 1000, 330);
    m_txtOther = new QLineEdit(m_fraOther);
    m_txtOther->setObjectName(QStringLiteral("txtOther"));
    place(m_txtOther, 1150, 1510, 2950, 380);

    m_lblOptions = label(m_central, "lblOptions", QStringLiteral("选项："));
    place(m_lblOptions, 8350, 360, 800, 330);
    m_cmbOptions = new QComboBox(m_central);
    m_cmbOptions->setObjectName(QStringLiteral("cmbOptions"));
    m_cmbOptions->setEditable(true);
    m_cmbOptions->addItems(Selectors::functionItems());
    m_cmbOptions->setCurrentIndex(0);
    place(m_cmbOptions, 9150, 310, 2200, 380);
    m_lblName = label(m_central, "lblName", QStringLiteral("姓名："));
    place(m_lblName, 8350, 960, 800, 330);
    m_txtName = new QLineEdit(m_central);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    place(m_txtName, 9150, 910, 2200, 380);
    m_picture1 = label(m_central, "Picture1");
    m_picture1->setPixmap(Logo::pixmap(Twips::toPixelsY(*this, 600)));
    connect(ClickFilter::install(m_picture1), &ClickFilter::clicked, this, &MainWindow::openHomePage);
    m_picture1->setCursor(Qt::PointingHandCursor);
    place(m_picture1, 8350, 1450, 640, 640);

    m_richText->setParent(m_central);
    m_richText->setObjectName(QStringLiteral("RichText"));
    m_richText->setAcceptRichText(true);
    m_richText->setFont(QFont(QStringLiteral("宋体"), 11));

    m_cmdOk = new QPushButton(QStringLiteral("执行"), m_central);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setToolTip(QStringLiteral("执行程序"));
    m_cmdPrint = new QPushButton(QStringLiteral("打印"), m_central);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdExit = new QPushButton(QStringLiteral("退出"), m_central);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdExit->setToolTip(QStringLiteral("退出起名软件"));

    connect(m_cmdOk, &QPushButton::clicked, this, &MainWindow::execute);
    connect(m_txtName, &QLineEdit::returnPressed, this, &MainWindow::execute);
    connect(m_txtOther, &QLineEdit::returnPressed, this, &MainWindow::execute);
    connect(m_cmdExit, &QPushButton::clicked, this, &MainWindow::exitProgram);
    connect(m_cmbOptions, &QComboBox::activated, this,
            [this](int) { Selectors::applyFunction(Selectors::function(m_cmbOptions->currentText()), *this); });
    connect(m_cmbOtherOptions, &QComboBox::activated, this,
            [this](int) { Selectors::applyLookup(Selectors::lookup(m_cmbOtherOptions->currentText()), *this); });
}

void MainWindow::wireMenus()
{
    PaneCommands &pane = m_paneMenus->commands();
    connect(m_menus.open, &QAction::triggered, &pane, &PaneCommands::open);
    connect(m_menus.saveAs, &QAction::triggered, &pane, &PaneCommands::saveAs);
    connect(m_menus.print, &QAction::triggered, &pane, &PaneCommands::print);
    connect(m_cmdPrint, &QPushButton::clicked, &pane, &PaneCommands::print);
    connect(m_menus.send, &QAction::triggered, &pane, &PaneCommands::send);
    connect(m_menus.exit, &QAction::triggered, this, &MainWindow::exitProgram);

    connect(m_menus.undo, &QAction::triggered, this, [] { PaneCommands::undo(); });
    connect(m_menus.cut, &QAction::triggered, this, [] { PaneCommands::cut(); });
    connect(m_menus.copy, &QAction::triggered, this, [] { PaneCommands::copy(); });
    connect(m_menus.paste, &QAction::triggered, this, [] { PaneCommands::paste(); });
    connect(m_menus.selectAll, &QAction::triggered, this, [] { PaneCommands::selectAll(); });
    connect(m_menus.font, &QAction::triggered, &pane, &PaneCommands::chooseFont);

    const auto readingText = [this](QAction *item, const QString &key) {
        connect(item, &QAction::triggered, this, [this, key] { m_dispatcher.showReadingText(key); });
    };
    readingText(m_menus.liaofan, QStringLiteral("liaofansixun"));
    readingText(m_menus.sanshiyinguo, QStringLiteral("sanshiyinguojing"));
    readingText(m_menus.xinming, QStringLiteral("xinmingge"));
    readingText(m_menus.softwareProtection, QStringLiteral("softprotect"));

    connect(m_menus.newWindow, &QAction::triggered, m_paneMenus, &ResultPaneMenus::openNewWindow);
    connect(m_menus.correctLibrary, &QAction::triggered, this, &MainWindow::openCorrectionWindow);
    connect(m_menus.reportInfo, &QAction::triggered, this, &MainWindow::openReportInfoWindow);
    connect(m_menus.startupPassword, &QAction::triggered, this, &MainWindow::openPasswordWindow);

    // F1 opens the help from any of the program's windows, as 帮助主题 does.
    m_menus.helpTopics->setShortcut(QKeySequence(Qt::Key_F1));
    m_menus.helpTopics->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_menus.helpTopics, &QAction::triggered, this, &MainWindow::showHelp);
    qApp->installEventFilter(new ModalHelpKey([this](QWidget *modal) { showHelpOver(modal); }, this));
    connect(m_menus.homePage, &QAction::triggered, this, &MainWindow::openHomePage);
    connect(m_menus.about, &QAction::triggered, this, &MainWindow::showAbout);
}

bool MainWindow::startUp()
{
    bool loginAccepted = false;
    if (!StartupSequence::askPassword(m_settings, m_prompter, *this, loginAccepted))
        return false;
    m_dispatcher.setLoginAccepted(loginAccepted);
    StartupSequence::run(m_dispatcher, *this);
    return true;
}

void MainWindow::setPasswordMenuCaption(const QString &caption)
{
    m_menus.startupPassword->setText(caption);
}

void MainWindow::restoreLayout()
{
    // Twips at the screen's logical resolution; the stored values are the window's outer position and its
    // size, the same measures saveWindowLayout writes, so that a saved layout comes back unchanged.
    const double perTwipX = logicalDpiX() / double(Twips::kPerInch);
    const double perTwipY = logicalDpiY() / double(Twips::kPerInch);
    const TwipsGeometry current{x() / perTwipX, y() / perTwipY, width() / perTwipX, height() / perTwipY};
    const RestoredLayout restored = WindowLayout::restore(m_settings, current);
    m_frmflag = restored.frmflag;
    resize(qRound(restored.geometry.width * perTwipX), qRound(restored.geometry.height * perTwipY));
    move(qRound(restored.geometry.left * perTwipX), qRound(restored.geometry.top * perTwipY));
    if (restored.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::saveWindowLayout()
{
    const double twipsPerX = Twips::kPerInch / double(logicalDpiX());
    const double twipsPerY = Twips::kPerInch / double(logicalDpiY());
    const TwipsGeometry geometry{x() * twipsPerX, y() * twipsPerY, width() * twipsPerX, height() * twipsPerY};
    // At exit there is no one left to tell; a store that cannot be written keeps the last layout.
    WindowLayout::save(m_settings, geometry, isMinimized(), m_frmflag);
}

void MainWindow::closeSplash()
{
    if (m_splash)
        m_splash->close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveWindowLayout();
    // The program ends with its main window; the help window goes with it.
    if (m_help)
        m_help->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::exitProgram()
{
    // Saved here and once more by the close that follows; both write the same values.
    saveWindowLayout();
    close();
}

void MainWindow::openPasswordWindow()
{
    // The caption was decided at start-up and stays for the whole run, so the same window opens every time.
    const QString caption = m_menus.startupPassword->text();
    if (caption == PasswordRules::setCaption()) {
        SetPassDialog dialog(m_settings, this);
        dialog.exec();
    }
    if (caption == PasswordRules::changeCaption()) {
        CancelPassDialog dialog(m_settings, this);
        dialog.exec();
    }
}

void MainWindow::openReportInfoWindow()
{
    PersonalInfoDialog dialog(m_dispatcher.paths().infoPath(), m_prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        m_dispatcher.setReportHeaderFooter(dialog.header(), dialog.footer());
}

void MainWindow::openCorrectionWindow()
{
    // The correction writes the library every other operation reads, wherever the current directory is.
    CorrectDialog dialog(m_dispatcher.paths().databasePath(), this);
    dialog.exec();
}

void MainWindow::showHelp()
{
    const QString index = HelpPages::indexFile();
    if (index.isEmpty()) {
        m_prompter.showMessage(HelpPages::missing());
        return;
    }
    if (!m_help)
        m_help = new HelpWindow(index, this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showHelpOver(QWidget *modal)
{
    const QString index = HelpPages::indexFile();
    if (index.isEmpty()) {
        m_prompter.showMessage(HelpPages::missing());
        return;
    }
    // A window of the modal one, so that it can be read and closed while the modal window waits.
    auto *help = new HelpWindow(index, modal);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->show();
    help->raise();
    help->activateWindow();
}

void MainWindow::openHomePage()
{
    LinkOpener::open(this, QUrl(AppInfo::webAddress()), AppInfo::webOpenFailed());
}

void MainWindow::showAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::execute()
{
    m_dispatcher.execute(Selectors::input(m_cmbOptions->currentText(), m_txtName->text(),
                                          m_cmbOtherOptions->currentText(), m_txtOther->text()));
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutControls();
}

void MainWindow::layoutControls()
{
    if (isMinimized() || !m_central)
        return;
    const int innerWidth = Twips::fromPixelsX(*this, m_central->width());
    const int innerHeight = Twips::fromPixelsY(*this, m_central->height());
    place(m_richText, 60, kBandHeight - 60, innerWidth - kButtonColumn, innerHeight - kBandHeight);
    const int left = innerWidth - kButtonLeft;
    place(m_cmdOk, left, kBandHeight - 60, 1100, 450);
    place(m_cmdPrint, left, kBandHeight + 540, 1100, 450);
    place(m_cmdExit, left, kBandHeight + 1140, 1100, 450);
}

void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void MainWindow::setPictureToolTip(const QString &tip)
{
    m_picture1->setToolTip(tip);
}

void MainWindow::setNameToolTip(const QString &tip)
{
    m_txtName->setToolTip(tip);
}

void MainWindow::setOtherToolTip(const QString &tip)
{
    m_txtOther->setToolTip(tip);
}

void MainWindow::setOtherPanelEnabled(bool enabled)
{
    m_fraOther->setEnabled(enabled);
}

void MainWindow::setGridPanelEnabled(bool enabled)
{
    m_fraXingMWG->setEnabled(enabled);
}

void MainWindow::setGridPanelVisible(bool visible)
{
    m_fraXingMWG->setVisible(visible);
}

void MainWindow::setProgressPanelVisible(bool visible)
{
    m_frmProgress->setVisible(visible);
}

void MainWindow::showGrids(const GridPanel &panel)
{
    for (std::size_t i = 0; i < m_characterLabels.size(); ++i) {
        m_characterLabels[i]->setText(panel.characters[i]);
        m_strokeLabels[i]->setText(panel.strokes[i]);
    }
    for (std::size_t i = 0; i < m_captionLabels.size(); ++i) {
        m_captionLabels[i]->setText(panel.captions[i]);
        m_numberLabels[i]->setText(panel.numbers[i]);
    }
}

void MainWindow::setBusy(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

void MainWindow::setProgressBarsVisible(bool visible)
{
    m_groupProgress->setVisible(visible);
    m_overallProgress->setVisible(visible);
}

void MainWindow::setProgressLabels(const QString &group, const QString &percent)
{
    // Painted at once: the listing does not return to the event loop until it has finished.
    m_groupLabel->setText(group);
    m_percentLabel->setText(percent);
    m_groupLabel->repaint();
    m_percentLabel->repaint();
}

void MainWindow::setProgressBars(int groupPercent, int overallPercent)
{
    m_groupProgress->setValue(groupPercent);
    m_overallProgress->setValue(overallPercent);
}

} // namespace tolvane
