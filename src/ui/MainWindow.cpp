#include "ui/MainWindow.h"
#include "ui/FavouritesDialog.h"

#include "app/AppInfo.h"
#include "app/HelpPages.h"
#include "app/PasswordRules.h"
#include "app/Selectors.h"
#include "app/StartupSequence.h"
#include "app/WindowLayout.h"
#include "ui/AboutDialog.h"
#include "ui/CancelPassDialog.h"
#include "ui/ClickFilter.h"
#include "ui/CorrectDialog.h"
#include "ui/HelpWindow.h"
#include "ui/LinkOpener.h"
#include "ui/ListRows.h"
#include "ui/Logo.h"
#include "ui/ModalHelpKey.h"
#include "ui/PaneCommands.h"
#include "ui/PersonalInfoDialog.h"
#include "ui/ResultPaneMenus.h"
#include "ui/SelectionKeeper.h"
#include "ui/SetPassDialog.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace tolvane {

namespace {

// The window's geometry is kept in twips, as the layout rules are written; 1440 twips make an inch of the
// screen's logical resolution.
constexpr int kMinWidth = 8000;
constexpr int kMinHeight = 6250;
constexpr int kBandTop = 60;
constexpr int kBandHeight = 2150; // the top band at the least; the pane takes the rest of the height
constexpr int kMargin = 120; // left and right of the band and between its parts
constexpr int kPaneGap = 30; // between the band and the pane
constexpr int kButtonColumn = 1380; // the right-hand column; the pane takes the rest of the width
constexpr int kButtonLeft = 1220; // the buttons' left edge, measured from the right
// The band's parts at their full widths: the five-grid panel, the other-functions panel, the selectors.
constexpr std::array<int, 3> kBandWidths { 3600, 4300, 3000 };

// Shares room among parts that want a width and need at least another: each gets what it wants when all fit,
// else what it needs and the same fraction of what it could give up. Parts that need more than there is get
// what they need.
QList<int> shareWidths(const QList<int> &wanted, const QList<int> &needed, int room)
{
    int wantedSum = 0;
    int neededSum = 0;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        wantedSum += std::max(wanted[i], needed[i]);
        neededSum += needed[i];
    }
    QList<int> widths;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const int spare = std::max(wanted[i], needed[i]) - needed[i];
        if (room >= wantedSum)
            widths.append(needed[i] + spare);
        else if (room <= neededSum || wantedSum == neededSum)
            widths.append(needed[i]);
        else
            widths.append(needed[i] + int(qint64(spare) * (room - neededSum) / (wantedSum - neededSum)));
    }
    return widths;
}

// A label under its object name.
QLabel *newLabel(QWidget *parent, const char *name, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A panel's frame margins, in twips as the window is measured.
QMargins panelMargins(const QWidget &window)
{
    const int x = Twips::toPixelsX(window, 150);
    const int y = Twips::toPixelsY(window, 120);
    return { x, y, x, y };
}

// A panel's grid: the frame's margins and the given spacing in twips.
void setPanelSpacing(const QWidget &window, QGridLayout *grid, int horizontal, int vertical)
{
    grid->setContentsMargins(panelMargins(window));
    grid->setHorizontalSpacing(Twips::toPixelsX(window, horizontal));
    grid->setVerticalSpacing(Twips::toPixelsY(window, vertical));
}

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

void MainWindow::buildControls()
{
    m_central = new QWidget(this);
    setCentralWidget(m_central);
    buildGridPanel();
    buildProgressPanel();
    buildOtherPanel();
    buildSelectors();
    buildPaneAndButtons();
    setUpKeyboard();
    wireControls();
}

void MainWindow::buildGridPanel()
{
    // The five-grid panel: characters and their strokes on the left, grid captions and numbers on the right.
    m_fraXingMWG = new QGroupBox(QStringLiteral("姓名五格"), m_central);
    m_fraXingMWG->setObjectName(QStringLiteral("fraXingMWG"));
    auto *grids = new QGridLayout(m_fraXingMWG);
    setPanelSpacing(*this, grids, 120, 60);
    const char *charNames[] = { "lblXing1", "lblXing2", "lblming1", "lblming2" };
    const char *charStrokeNames[] = { "lblXing1Shu", "lblxing2Shu", "lblming1Shu", "lblMing2Shu" };
    for (int i = 0; i < 4; ++i) {
        m_characterLabels[i] = newLabel(m_fraXingMWG, charNames[i]);
        m_strokeLabels[i] = newLabel(m_fraXingMWG, charStrokeNames[i]);
        grids->addWidget(m_characterLabels[i], i, 0);
        grids->addWidget(m_strokeLabels[i], i, 1);
    }
    const char *gridNames[] = { "lblTiange", "lblRenge", "lblDige", "lblZongge", "lblWaige" };
    const char *gridNumberNames[] = { "lblTiangeShu", "lblRengeShu", "lblDigeShu", "lblZonggeShu", "lblWaigeShu" };
    for (int i = 0; i < 5; ++i) {
        m_captionLabels[i] = newLabel(m_fraXingMWG, gridNames[i]);
        m_numberLabels[i] = newLabel(m_fraXingMWG, gridNumberNames[i]);
        grids->addWidget(m_captionLabels[i], i, 3);
        grids->addWidget(m_numberLabels[i], i, 4);
    }
    // Room for a character, a two-digit count, a caption and a two-digit number, the gap between the halves
    // taking what is left.
    const QFontMetrics metrics(font());
    const int digits = metrics.horizontalAdvance(QStringLiteral("88"));
    grids->setColumnMinimumWidth(0, metrics.horizontalAdvance(QStringLiteral("国")));
    grids->setColumnMinimumWidth(1, digits);
    grids->setColumnStretch(2, 1);
    grids->setColumnMinimumWidth(4, digits);
}

void MainWindow::buildProgressPanel()
{
    // The progress panel lies over the five-grid panel and hides it while it is shown.
    m_frmProgress = new QGroupBox(QStringLiteral("进度栏"), m_central);
    m_frmProgress->setObjectName(QStringLiteral("frmProgress"));
    m_frmProgress->setAutoFillBackground(true);
    auto *progress = new QVBoxLayout(m_frmProgress);
    progress->setContentsMargins(panelMargins(*this));
    m_groupLabel = newLabel(m_frmProgress, "lblprog1");
    m_groupProgress = new QProgressBar(m_frmProgress);
    m_groupProgress->setObjectName(QStringLiteral("ProgressBar1"));
    m_groupProgress->setRange(0, 100);
    m_percentLabel = newLabel(m_frmProgress, "lblprog2");
    m_overallProgress = new QProgressBar(m_frmProgress);
    m_overallProgress->setObjectName(QStringLiteral("ProgressBar2"));
    m_overallProgress->setRange(0, 100);
    for (QWidget *w :
        std::initializer_list<QWidget *> { m_groupLabel, m_groupProgress, m_percentLabel, m_overallProgress })
        progress->addWidget(w);
    progress->addStretch();
}

void MainWindow::buildOtherPanel()
{
    m_fraOther = new QGroupBox(QStringLiteral("其他功能"), m_central);
    m_fraOther->setObjectName(QStringLiteral("fraOther"));
    auto *other = new QGridLayout(m_fraOther);
    setPanelSpacing(*this, other, 60, 120);
    QLabel *info = newLabel(m_fraOther, "lblOtherInfo", QStringLiteral("要用此功能，先在右边“选项”里选择“其他功能”。"));
    info->setWordWrap(true);
    other->addWidget(info, 0, 0, 1, 2);
    other->addWidget(newLabel(m_fraOther, "lblOtherZi", QStringLiteral("其他选项：")), 1, 0);
    m_cmbOtherOptions = new QComboBox(m_fraOther);
    m_cmbOtherOptions->setObjectName(QStringLiteral("cmbOtherOptions"));
    m_cmbOtherOptions->addItems(Selectors::lookupItems());
    other->addWidget(m_cmbOtherOptions, 1, 1);
    other->addWidget(newLabel(m_fraOther, "lblOther", QStringLiteral("请输入：")), 2, 0);
    m_txtOther = new QLineEdit(m_fraOther);
    m_txtOther->setObjectName(QStringLiteral("txtOther"));
    other->addWidget(m_txtOther, 2, 1);
    other->setColumnStretch(1, 1);
    other->setRowStretch(3, 1);
}

void MainWindow::buildSelectors()
{
    // The selectors: "选项：" and "姓名：" with their boxes, the logo below them.
    m_selectors = new QWidget(m_central);
    m_lblOptions = newLabel(m_selectors, "lblOptions", QStringLiteral("选项："));
    m_cmbOptions = new QComboBox(m_selectors);
    m_cmbOptions->setObjectName(QStringLiteral("cmbOptions"));
    m_cmbOptions->addItems(Selectors::functionItems());
    m_lblName = newLabel(m_selectors, "lblName", QStringLiteral("姓名："));
    m_txtName = new QLineEdit(m_selectors);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_picture1 = newLabel(m_selectors, "Picture1");
    m_picture1->setPixmap(Logo::pixmap(Twips::toPixelsY(*this, 600)));
    connect(ClickFilter::install(m_picture1), &ClickFilter::clicked, this, &MainWindow::openHomePage);
    m_picture1->setCursor(Qt::PointingHandCursor);
    new QGridLayout(m_selectors);
    arrangeSelectors(false);

    for (QComboBox *selector : { m_cmbOtherOptions, m_cmbOptions }) {
        // Typed text names a function or lookup, or none; it never becomes an item of the list.
        selector->setEditable(true);
        selector->setInsertPolicy(QComboBox::NoInsert);
        selector->setCurrentIndex(0);
        ListRows::giveRoom(selector);
    }
    // Room for a surname and given name, a company name's first characters, or a lookup's numbers.
    const int sixCharacters = QFontMetrics(font()).horizontalAdvance(QStringLiteral("国")) * 6;
    m_txtName->setMinimumWidth(sixCharacters);
    m_txtOther->setMinimumWidth(sixCharacters);
}

void MainWindow::buildPaneAndButtons()
{
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
}

void MainWindow::setUpKeyboard()
{
    // A menu opened from the keyboard takes the focus; the input boxes keep their selection for its commands.
    for (QLineEdit *box : { m_txtOther, m_txtName, m_cmbOtherOptions->lineEdit(), m_cmbOptions->lineEdit() })
        SelectionKeeper::install(box);

    // Every control in the keyboard's order, as the window reads: the selectors, the lookup panel, the
    // buttons, then the pane, which keeps Tab for its text and is left by Ctrl+Tab.
    const QList<QWidget *> tabOrder { m_cmbOptions, m_txtName, m_cmbOtherOptions, m_txtOther, m_cmdOk, m_cmdPrint,
        m_cmdExit, m_richText };
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    m_richText->installEventFilter(this);
}

void MainWindow::wireControls()
{
    connect(m_cmdOk, &QPushButton::clicked, this, &MainWindow::execute);
    connect(m_txtName, &QLineEdit::returnPressed, this, &MainWindow::execute);
    connect(m_txtOther, &QLineEdit::returnPressed, this, &MainWindow::execute);
    connect(m_cmdExit, &QPushButton::clicked, this, &MainWindow::exitProgram);
    connect(m_cmbOptions, &QComboBox::activated, this,
        [this](int) { Selectors::applyFunction(Selectors::function(m_cmbOptions->currentText()), *this); });
    connect(m_cmbOtherOptions, &QComboBox::activated, this,
        [this](int) { Selectors::applyLookup(Selectors::lookup(m_cmbOtherOptions->currentText()), *this); });
}

void MainWindow::arrangeSelectors(bool stacked)
{
    if (m_selectorsStacked == stacked)
        return;
    auto *grid = static_cast<QGridLayout *>(m_selectors->layout());
    grid->setContentsMargins(0, Twips::toPixelsY(*this, stacked ? 120 : 250), 0, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(Twips::toPixelsY(*this, stacked ? 30 : 220));
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setRowStretch(row, 0);
    if (stacked) {
        // Labels above their boxes, where the band is too narrow for them side by side.
        grid->addWidget(m_lblOptions, 0, 0, 1, 2);
        grid->addWidget(m_cmbOptions, 1, 0, 1, 2);
        grid->addWidget(m_lblName, 2, 0, 1, 2);
        grid->addWidget(m_txtName, 3, 0, 1, 2);
        grid->addWidget(m_picture1, 4, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
        grid->setRowStretch(5, 1);
    } else {
        grid->addWidget(m_lblOptions, 0, 0);
        grid->addWidget(m_cmbOptions, 0, 1);
        grid->addWidget(m_lblName, 1, 0);
        grid->addWidget(m_txtName, 1, 1);
        grid->addWidget(m_picture1, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
        grid->setRowStretch(3, 1);
    }
    grid->setColumnStretch(1, 1);
    m_selectorsStacked = stacked;
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
    connect(m_menus.favourites, &QAction::triggered, this, &MainWindow::openFavouritesWindow);
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

void MainWindow::setPasswordMenu(PasswordMenu menu)
{
    m_passwordMenu = menu;
    m_menus.startupPassword->setText(PasswordRules::menuCaption(menu));
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
    if (m_passwordMenu == PasswordMenu::Set) {
        SetPassDialog dialog(m_settings, this);
        dialog.exec();
    } else {
        CancelPassDialog dialog(m_settings, this);
        dialog.exec();
    }
    // The menu follows the password stored now: once one is set, the item changes or removes it.
    setPasswordMenu(PasswordRules::menuFor(m_settings));
}

void MainWindow::openReportInfoWindow()
{
    PersonalInfoDialog dialog(m_dispatcher.paths().infoPath(), m_prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        m_dispatcher.setReportHeaderFooter(dialog.header(), dialog.footer());
}

void MainWindow::openFavouritesWindow()
{
    FavouritesDialog dialog(m_dispatcher, this);
    dialog.exec();
}

void MainWindow::openCorrectionWindow()
{
    // The correction writes the library every other operation reads, wherever the current directory is.
    CorrectDialog dialog(m_dispatcher.paths().library(), this);
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
    // The part of the help for the function chosen.
    m_help->showPage(HelpPages::pageFor(objectName(), m_cmbOptions->currentText()));
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
    // The page that explains the window in use.
    help->showPage(HelpPages::pageFor(modal->objectName()));
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

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_richText && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool backward = key->key() == Qt::Key_Backtab
            || (key->key() == Qt::Key_Tab && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
        if (modifiers.testFlag(Qt::ControlModifier) && (key->key() == Qt::Key_Tab || backward)) {
            focusNextPrevChild(!backward);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
    const auto twipsX = [this](int twips) { return Twips::toPixelsX(*this, twips); };
    const auto twipsY = [this](int twips) { return Twips::toPixelsY(*this, twips); };
    const int width = m_central->width();

    // The band: the five-grid panel (the progress panel over it), the other-functions panel and the selectors,
    // at their full widths where the window is wide enough, else each narrowed towards what its contents need.
    // Where even that is too wide, the selectors' labels go above their boxes.
    const int room = width - twipsX(kMargin) * 4;
    const auto needed = [&] {
        return QList<int> { std::max(m_fraXingMWG->minimumSizeHint().width(), m_frmProgress->minimumSizeHint().width()),
            m_fraOther->minimumSizeHint().width(), m_selectors->minimumSizeHint().width() };
    };
    arrangeSelectors(false);
    QList<int> least = needed();
    if (least[0] + least[1] + least[2] > room) {
        arrangeSelectors(true);
        least = needed();
    }
    const QList<int> widths
        = shareWidths({ twipsX(kBandWidths[0]), twipsX(kBandWidths[1]), twipsX(kBandWidths[2]) }, least, room);
    const std::array<QWidget *, 3> parts { m_fraXingMWG, m_fraOther, m_selectors };
    int bandHeight = twipsY(kBandHeight);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int tall = parts[i]->hasHeightForWidth() ? parts[i]->heightForWidth(int(widths[i]))
                                                       : parts[i]->minimumSizeHint().height();
        bandHeight = std::max(bandHeight, tall);
    }
    const int top = twipsY(kBandTop);
    int left = twipsX(kMargin);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i]->setGeometry(left, top, int(widths[i]), bandHeight);
        left += int(widths[i]) + twipsX(kMargin);
    }
    m_frmProgress->setGeometry(m_fraXingMWG->geometry());
    m_frmProgress->raise();

    // The pane below the band, the buttons in the column on its right.
    // The buttons are 1100 twips wide, or as wide as the style makes a button of their texts; the column widens
    // only when that is more than the room right of their left edge.
    const int paneTop = top + bandHeight + twipsY(kPaneGap);
    int buttonWidth = twipsX(1100);
    int buttonHeight = twipsY(450);
    for (const QPushButton *button : { m_cmdOk, m_cmdPrint, m_cmdExit }) {
        buttonWidth = std::max(buttonWidth, button->minimumSizeHint().width());
        buttonHeight = std::max(buttonHeight, button->minimumSizeHint().height());
    }
    const int widened = std::max(0, buttonWidth - twipsX(kButtonLeft) + 1);
    const int buttonLeft = width - twipsX(kButtonLeft) - widened;
    // 60 twips are left below the pane.
    m_richText->setGeometry(twipsX(60), paneTop, width - twipsX(kButtonColumn) - widened,
        std::max(0, m_central->height() - paneTop - twipsY(60)));
    m_cmdOk->setGeometry(buttonLeft, paneTop, buttonWidth, buttonHeight);
    m_cmdPrint->setGeometry(buttonLeft, paneTop + twipsY(600), buttonWidth, buttonHeight);
    m_cmdExit->setGeometry(buttonLeft, paneTop + twipsY(1200), buttonWidth, buttonHeight);
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
    m_progressWanted = visible;
    showProgressPanel();
}

void MainWindow::showProgressPanel()
{
    // The panel stands over the five-grid panel only while a listing reports through it: during the naming
    // questions and after the listing it would be an empty frame.
    m_frmProgress->setVisible(m_progressWanted && m_progressRunning);
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
    m_progressRunning = visible;
    showProgressPanel();
    if (visible)
        m_frmProgress->repaint();
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
