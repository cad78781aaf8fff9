#include "ui/MainWindow.h"

#include "app/AppInfo.h"
#include "app/Selectors.h"
#include "app/StartupSequence.h"

#include <QAction>
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

namespace tolvane {

namespace {

// The window's geometry is kept in twips, as the layout rules are written; 1440 twips make an inch of the
// screen's logical resolution.
constexpr int kTwipsPerInch = 1440;
constexpr int kMinWidth = 8000;
constexpr int kMinHeight = 6250;
constexpr int kBandHeight = 2300;   // the top band; the pane takes the rest of the height
constexpr int kButtonColumn = 1380; // the right-hand column; the pane takes the rest of the width
constexpr int kButtonLeft = 1220;   // the buttons' left edge, measured from the right

QPixmap logoPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x3c, 0x8d, 0x2f));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("黑体"));
    font.setPixelSize(size * 2 / 5);
    p.setFont(font);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("青禾"));
    return pixmap;
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
    buildMenus();
    statusBar()->setSizeGripEnabled(true);
    setMinimumSize(twipsX(kMinWidth), twipsY(kMinHeight));
    resize(twipsX(12500), twipsY(9000));
}

MainWindow::~MainWindow() = default;

int MainWindow::twipsX(int twips) const
{
    return twips * logicalDpiX() / kTwipsPerInch;
}

int MainWindow::twipsY(int twips) const
{
    return twips * logicalDpiY() / kTwipsPerInch;
}

void MainWindow::place(QWidget *widget, int left, int top, int width, int height) const
{
    widget->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
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
        QLabel *c = label(m_fraXingMWG, charNames[i]);
        place(c, 200, 330 + i * 400, 450, 330);
        QLabel *s = label(m_fraXingMWG, charStrokeNames[i]);
        place(s, 650, 330 + i * 400, 600, 330);
        m_gridLabels << c << s;
    }
    const char *gridNames[] = {"lblTiange", "lblRenge", "lblDige", "lblZongge", "lblWaige"};
    const char *gridNumberNames[] = {"lblTiangeShu", "lblRengeShu", "lblDigeShu", "lblZonggeShu", "lblWaigeShu"};
    for (int i = 0; i < 5; ++i) {
        QLabel *g = label(m_fraXingMWG, gridNames[i]);
        place(g, 1500, 300 + i * 360, 1000, 330);
        QLabel *n = label(m_fraXingMWG, gridNumberNames[i]);
        place(n, 2550, 300 + i * 360, 900, 330);
        m_gridLabels << g << n;
    }

    m_frmProgress = new QGroupBox(QStringLiteral("进度栏"), m_central);
    m_frmProgress->setObjectName(QStringLiteral("frmProgress"));
    place(m_frmProgress, 120, 60, 3600, 2150);
    place(label(m_frmProgress, "lblprog1"), 200, 330, 3200, 330);
    auto *bar1 = new QProgressBar(m_frmProgress);
    bar1->setObjectName(QStringLiteral("ProgressBar1"));
    bar1->setRange(0, 100);
    place(bar1, 200, 700, 3200, 300);
    place(label(m_frmProgress, "lblprog2"), 200, 1150, 3200, 330);
    auto *bar2 = new QProgressBar(m_frmProgress);
    bar2->setObjectName(QStringLiteral("ProgressBar2"));
    bar2->setRange(0, 100);
    place(bar2, 200, 1520, 3200, 300);

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
    m_picture1->setPixmap(logoPixmap(twipsY(600)));
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
    m_cmdPrint->setEnabled(false); // printing arrives with the result pane's file commands
    m_cmdExit = new QPushButton(QStringLiteral("退出"), m_central);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdExit->setToolTip(QStringLiteral("退出起名软件"));

    connect(m_cmdOk, &QPushButton::clicked, this, &MainWindow::cmdOk_Click);
    connect(m_txtName, &QLineEdit::returnPressed, this, &MainWindow::cmdOk_Click);
    connect(m_txtOther, &QLineEdit::returnPressed, this, &MainWindow::cmdOk_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cmbOptions, &QComboBox::activated, this,
            [this](int) { Selectors::applyFunction(m_cmbOptions->currentText(), *this); });
    connect(m_cmbOtherOptions, &QComboBox::activated, this,
            [this](int) { Selectors::applyLookup(m_cmbOtherOptions->currentText(), *this); });
}

void MainWindow::buildMenus()
{
    struct Item {
        const char *name;
        QString caption; // empty: a separator
        bool enabled;
    };
    const auto menu = [this](const char *name, const QString &title, const QList<Item> &items) {
        QMenu *m = menuBar()->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        for (const Item &item : items) {
            QAction *a = item.caption.isEmpty() ? m->addSeparator() : m->addAction(item.caption);
            a->setObjectName(QString::fromLatin1(item.name));
            a->setEnabled(item.enabled);
        }
        return m;
    };
    // Commands whose windows are still being written stay disabled until they arrive.
    menu("Menu_File", QStringLiteral("文件(&F)"),
         {{"Menu_Open", QStringLiteral("打开(&O)"), false},
          {"Menu_SaveAs", QStringLiteral("另存为(&A)"), false},
          {"Menu_Print", QStringLiteral("打印(&P)"), false},
          {"Menu_Send", QStringLiteral("发送(&S)"), false},
          {"Menu_Bar1", {}, true},
          {"Menu_Exit", QStringLiteral("退出(&E)"), true}});
    menu("Menu_Edit", QStringLiteral("编辑(&E)"),
         {{"Menu_Undo", QStringLiteral("撤消(&U)     Ctrl+Z"), false},
          {"Menu_Cut", QStringLiteral("剪切(&T)     Ctrl+X"), false},
          {"Menu_Copy", QStringLiteral("复制(&C)     Ctrl+C"), false},
          {"Menu_Paste", QStringLiteral("粘贴(&P)     Ctrl+V"), false},
          {"Menu_All", QStringLiteral("全选(&A)     Ctrl+A"), false},
          {"Menu_Bar2", {}, true},
          {"Menu_Font", QStringLiteral("字体(&F)"), false}});
    menu("Menu_ruanjian", QStringLiteral("造命篇(&X)"),
         {{"Menu_Liaofan", QStringLiteral("了凡四训(&L)"), false},
          {"Menu_Sanshiyinguo", QStringLiteral("三世因果经(&S)"), false},
          {"Menu_Xinming", QStringLiteral("心命歌(&M)"), false}});
    menu("Menu_Tool", QStringLiteral("工具(&T)"),
         {{"Menu_NewWindow", QStringLiteral("打开新窗口(&N)"), false},
          {"Menu_CorrectZiku", QStringLiteral("修改字库(&C)"), false},
          {"mnu_Info", QStringLiteral("抬头及结尾信息(&I)"), false},
          {"mnu_SetPass", QStringLiteral("设置启动密码(&D)"), false}});
    menu("Menu_bangzhu", QStringLiteral("帮助(&H)"),
         {{"Menu_ruanjianjieshao", QStringLiteral("帮助主题(&H)"), false},
          {"Menu_myweb", QStringLiteral("进入主页(&I)"), false},
          {"Menu_Bar5", {}, true},
          {"Menu_softprotect", QStringLiteral("计算机软件保护条例(&C)"), false},
          {"Menu_Bar7", {}, true},
          {"Menu_about", QStringLiteral("关于起名程序(&A)"), false}});
    connect(findChild<QAction *>(QStringLiteral("Menu_Exit")), &QAction::triggered, this, &QWidget::close);
}

void MainWindow::startUp()
{
    StartupSequence::run(m_dispatcher, *this, m_pane);
}

void MainWindow::cmdOk_Click()
{
    m_dispatcher.execute({m_cmbOptions->currentText(), m_txtName->text(), m_cmbOtherOptions->currentText(),
                          m_txtOther->text()});
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
    const int innerWidth = m_central->width() * kTwipsPerInch / logicalDpiX();
    const int innerHeight = m_central->height() * kTwipsPerInch / logicalDpiY();
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

void MainWindow::clearGridLabels()
{
    for (QLabel *l : std::as_const(m_gridLabels))
        l->clear();
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

} // namespace tolvane
