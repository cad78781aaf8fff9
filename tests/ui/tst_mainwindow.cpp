#include "fakes/TestLibrary.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QDir>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QSet>
#include <QAbstractTextDocumentLayout>
#include <QTimer>

using namespace tolvane;

namespace {

// Answers the next modal message box: records its text, title and icon, then presses OK.
struct BoxAnswer {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
};

// Types text as an input method delivers it: one key event per character.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void answerNextBox(BoxAnswer &answer)
{
    QTimer::singleShot(0, [&answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(answer);
            return;
        }
        answer.text = box->text();
        answer.title = box->windowTitle();
        answer.icon = box->icon();
        answer.seen = true;
        box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void controlsAndCaptions();
    void companyNameByEnter();
    void companyMessageBox();
    void otherFunctionsPanel();
    void nameAnalysisEndsWithHowTheNameSounds();
    void enterInTheLookupBoxRunsExecute();
    void birthChartLookup_data();
    void birthChartLookup();
    void resizeKeepsTheArrangement();
    void everyControlFits_data();
    void everyControlFits();
    void typedTextIsNoListItem_data();
    void typedTextIsNoListItem();
    void keyboardPasteReplacesTheSelection_data();
    void keyboardPasteReplacesTheSelection();
    void editKeysChooseTheEditItems_data();
    void editKeysChooseTheEditItems();
    void damagedLibraryClearsTheWaitNotice();
    void keyboardReachesEveryControl_data();
    void keyboardReachesEveryControl();
    void progressPanelOnlyWhileListing();
    void undoStopsAtTheResult();
    void charactersByStrokesInOneFace();
    void suggestKeepAndCompare();
    void suggestRefusesABrokenWordList();

private:
    void choose(const char *combo, const QString &text);

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindow::init()
{
    FontSetup::install();
    m_dir = new QTemporaryDir;
    // The window reads and writes the settings store: keep it in the test's folder, not the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->filePath(QStringLiteral("config")));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), m_dir->filePath(QStringLiteral("namedbs.mdb"))));
    m_window = new MainWindow(AppPaths(m_dir->path()));
    m_window->startUp();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestMainWindow::cleanup()
{
    delete m_window;
    delete m_dir;
}

void TestMainWindow::choose(const char *combo, const QString &text)
{
    auto *box = m_window->findChild<QComboBox *>(QString::fromLatin1(combo));
    QVERIFY(box);
    const int index = box->findText(text);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

void TestMainWindow::controlsAndCaptions()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("青禾起名程序 V1.7   <青禾易学系列程序>"));
    const QStringList labels{QStringLiteral("lblTiange"),   QStringLiteral("lblRenge"),     QStringLiteral("lblDige"),
                             QStringLiteral("lblZongge"),   QStringLiteral("lblWaige"),     QStringLiteral("lblTiangeShu"),
                             QStringLiteral("lblRengeShu"), QStringLiteral("lblDigeShu"),   QStringLiteral("lblZonggeShu"),
                             QStringLiteral("lblWaigeShu"), QStringLiteral("lblXing1"),     QStringLiteral("lblXing2"),
                             QStringLiteral("lblming1"),    QStringLiteral("lblming2"),     QStringLiteral("lblXing1Shu"),
                             QStringLiteral("lblxing2Shu"), QStringLiteral("lblming1Shu"), QStringLiteral("lblMing2Shu")};
    auto *grid = m_window->findChild<QGroupBox *>(QStringLiteral("fraXingMWG"));
    QVERIFY(grid);
    QCOMPARE(grid->title(), QStringLiteral("姓名五格"));
    for (const QString &name : labels) {
        auto *label = grid->findChild<QLabel *>(name);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), QString());
    }
    QVERIFY(!grid->isEnabled());
    QVERIFY(grid->isVisible());
    QVERIFY(!m_window->findChild<QGroupBox *>(QStringLiteral("frmProgress"))->isVisible());
    auto *other = m_window->findChild<QGroupBox *>(QStringLiteral("fraOther"));
    QCOMPARE(other->title(), QStringLiteral("其他功能"));
    QVERIFY(!other->isEnabled());
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblOtherInfo"))->text(),
             QStringLiteral("要用此功能，先在右边“选项”里选择“其他功能”。"));
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("cmbOptions"))->currentText(), QStringLiteral("个人起名"));
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("cmbOtherOptions"))->currentText(),
             QStringLiteral("81数解释（个人）"));
    QCOMPARE(m_window->findChild<QLineEdit *>(QStringLiteral("txtName"))->toolTip(),
             QStringLiteral("在此输入姓氏，然后按回车或点击“执行”。"));
    auto *ok = m_window->findChild<QPushButton *>(QStringLiteral("cmdOk"));
    QCOMPARE(ok->text(), QStringLiteral("执行"));
    QCOMPARE(ok->toolTip(), QStringLiteral("执行程序"));
    QCOMPARE(m_window->findChild<QPushButton *>(QStringLiteral("cmdExit"))->toolTip(), QStringLiteral("退出起名软件"));
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("Menu_Exit"))->text(), QStringLiteral("退出(&E)"));
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("Menu_Undo"))->text(), QStringLiteral("撤消(&U)"));
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("mnu_SetPass"))->text(), QStringLiteral("设置启动密码(&D)"));
}

void TestMainWindow::companyNameByEnter()
{
    choose("cmbOptions", QStringLiteral("公司名分析"));
    auto *name = m_window->findChild<QLineEdit *>(QStringLiteral("txtName"));
    QCOMPARE(name->toolTip(), QStringLiteral("在此输入公司名称，然后按回车或点击“执行”。"));
    name->setFocus();
    typeText(name, QStringLiteral("百度"));
    QTest::keyClick(name, Qt::Key_Return);

    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    const QString text = pane->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("百度 15 数暗示为（总笔画数是15）：\n\n")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("注：如果名称总笔画数超过81，则减去80用其余数。")));
    QVERIFY(text.endsWith(QStringLiteral("这些数适宜于“医药业”。\n")));
    // The text takes the pane's reset format.
    QTextCursor cursor(pane->document());
    cursor.movePosition(QTextCursor::Right);
    QCOMPARE(cursor.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("宋体"));
    QCOMPARE(cursor.charFormat().fontPointSize(), 10.5);

    QFile rtf(m_dir->filePath(QStringLiteral("name.rtf")));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    const QByteArray bytes = rtf.readAll();
    QVERIFY(bytes.startsWith("{\\rtf1\\ansi\\ansicpg936"));
    QVERIFY(bytes.contains("\\u30334")); // 百
    QVERIFY(bytes.contains("\\fs21"));
    QVERIFY(bytes.endsWith("}\r\n"));
}

void TestMainWindow::companyMessageBox()
{
    choose("cmbOptions", QStringLiteral("公司名分析"));
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    pane->setPlainText(QStringLiteral("保留的文字"));
    BoxAnswer answer;
    answerNextBox(answer);
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QVERIFY(answer.seen);
    QCOMPARE(answer.text, QStringLiteral("您还没有输入公司名称。"));
    QCOMPARE(answer.title, QStringLiteral("青禾起名程序"));
    QCOMPARE(answer.icon, QMessageBox::Warning);
    QCOMPARE(pane->toPlainText(), QStringLiteral("保留的文字"));
}

void TestMainWindow::otherFunctionsPanel()
{
    choose("cmbOtherOptions", QStringLiteral("同音字查询"));
    auto *other = m_window->findChild<QLineEdit *>(QStringLiteral("txtOther"));
    QCOMPARE(other->toolTip(), QStringLiteral("在此输入要查的同音字，然后按回车或点击“执行”。"));
    choose("cmbOptions", QStringLiteral("其他功能"));
    QVERIFY(m_window->findChild<QGroupBox *>(QStringLiteral("fraOther"))->isEnabled());
    QCOMPARE(other->toolTip(), QStringLiteral("在此输入一个1到81之间的数字，然后按回车或点击“执行”。"));
    choose("cmbOptions", QStringLiteral("姓名分析"));
    QVERIFY(!m_window->findChild<QGroupBox *>(QStringLiteral("fraOther"))->isEnabled());
    QVERIFY(m_window->findChild<QGroupBox *>(QStringLiteral("fraXingMWG"))->isEnabled());
}

// The real window over the library and the sound file as shipped: the pane's report ends with the name's pinyin,
// tones and the homophone.
void TestMainWindow::nameAnalysisEndsWithHowTheNameSounds()
{
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("name-sound.tsv")),
        m_dir->filePath(QStringLiteral("name-sound.tsv"))));
    choose("cmbOptions", QStringLiteral("姓名分析"));
    m_window->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("杨伟"));
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    const QString text = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"))->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("杨伟：")));
    QVERIFY2(text.endsWith(QStringLiteral("读音：\n    拼音：Yáng Wěi\n    声调：二声 三声（平仄）\n"
                                          "    注意：“杨伟”读作yáng wěi，与“阳痿”同音：男性疾病，著名的笑话名“杨伟”。\n\n")),
        qPrintable(text.right(200)));
}

void TestMainWindow::enterInTheLookupBoxRunsExecute()
{
    choose("cmbOptions", QStringLiteral("其他功能"));
    // A lookup typed into the editable selector is not one of its items.
    auto *lookup = m_window->findChild<QComboBox *>(QStringLiteral("cmbOtherOptions"));
    lookup->setEditText(QStringLiteral("查生日"));
    auto *other = m_window->findChild<QLineEdit *>(QStringLiteral("txtOther"));
    other->setFocus();
    BoxAnswer answer;
    answerNextBox(answer);
    QTest::keyClick(other, Qt::Key_Return);
    QVERIFY(answer.seen);
    QCOMPARE(answer.text, QStringLiteral("没有此选项，请与程序员联系。"));
    QCOMPARE(answer.icon, QMessageBox::Warning);
    // The result is stored even after a message.
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("name.rtf"))));
}

void TestMainWindow::birthChartLookup_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("message"); // empty: the chart is shown
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Beijing time") << QStringLiteral("2024-02-04 16:30") << QString()
                                  << QStringList { QStringLiteral("八字：甲辰 丙寅 戊戌 庚申"),
                                         QStringLiteral(
                                             "节气：立春 2024年2月4日 16:27交节，下一节惊蛰 2024年3月5日 10:23"),
                                         QStringLiteral("建议名字补：火、土") };
    // Three minutes before 立春 the year is still 癸卯 and the month 乙丑.
    QTest::newRow("before 立春") << QStringLiteral("2024-02-04 16:24") << QString()
                                 << QStringList { QStringLiteral("八字：癸卯 乙丑 戊戌 庚申") };
    QTest::newRow("longitude and zone") << QStringLiteral("2024-02-04 17:10 116.4 +08:00") << QString()
                                        << QStringList { QStringLiteral("真太阳时：2024年2月4日 16:41（东经116.4°"),
                                               QStringLiteral("八字：甲辰 丙寅 戊戌 庚申") };
    QTest::newRow("no such day") << QStringLiteral("2024-02-30 16:30")
                                 << QStringLiteral("2024年2月只有29天，没有30日。") << QStringList {};
    QTest::newRow("year out of range") << QStringLiteral("1899-12-31 12:00")
                                       << QStringLiteral("出生年份须在1900年至2100年之间。") << QStringList {};
    QTest::newRow("two longitudes") << QStringLiteral("2024-02-04 16:30 116.4 120")
                                    << QStringLiteral(
                                           "出生时间后最多再写出生地经度和时区，例如 2024-02-04 16:30 116.4 +08:00。")
                                    << QStringList {};
}

// 生辰八字 in the lookup list: the chart goes into the pane and into name.rtf like any result; input that is no
// birth time gives its message and no chart.
void TestMainWindow::birthChartLookup()
{
    QFETCH(QString, birth);
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    choose("cmbOptions", QStringLiteral("其他功能"));
    choose("cmbOtherOptions", QStringLiteral("生辰八字"));
    auto *other = m_window->findChild<QLineEdit *>(QStringLiteral("txtOther"));
    QVERIFY(other->toolTip().startsWith(QStringLiteral("在此输入出生日期和时间（北京时间）")));
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    const QString before = pane->toPlainText();
    other->setFocus();
    other->setText(birth);
    BoxAnswer answer;
    if (!message.isEmpty())
        answerNextBox(answer);
    QTest::keyClick(other, Qt::Key_Return);

    const QString text = pane->toPlainText();
    if (!message.isEmpty()) {
        QVERIFY(answer.seen);
        QCOMPARE(answer.text, message);
        QCOMPARE(text, before);
        QVERIFY(!text.contains(QStringLiteral("八字：")));
        return;
    }
    QVERIFY2(text.startsWith(QStringLiteral("生辰八字\n")), qPrintable(text));
    for (const QString &line : lines)
        QVERIFY2(text.contains(line), qPrintable(line));
    QFile rtf(m_dir->filePath(QStringLiteral("name.rtf")));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    QVERIFY(rtf.readAll().contains("\\u20843\\'b0\\'cb\\u23383\\'d7\\'d6")); // 八字
}

void TestMainWindow::damagedLibraryClearsTheWaitNotice()
{
    // The stroke lookup puts up its wait notice once the library is open; the first read then fails.
    delete m_window;
    QFile::remove(m_dir->filePath(QStringLiteral("namedbs.mdb")));
    TestLibrary::writeDamagedCopy(m_dir->path());
    m_window = new MainWindow(AppPaths(m_dir->path()));
    m_window->show();
    choose("cmbOptions", QStringLiteral("其他功能"));
    choose("cmbOtherOptions", QStringLiteral("单字笔画数"));
    m_window->findChild<QLineEdit *>(QStringLiteral("txtOther"))->setText(QStringLiteral("王"));
    BoxAnswer answer;
    answerNextBox(answer);
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QVERIFY(answer.seen);
    QCOMPARE(answer.text, QStringLiteral("找不到namedbs.mdb数据库。"));
    QCOMPARE(m_window->findChild<QTextEdit *>(QStringLiteral("RichText"))->toPlainText(), QString());
    QCOMPARE(m_window->cursor().shape(), Qt::ArrowCursor);
}

void TestMainWindow::resizeKeepsTheArrangement()
{
    m_window->resize(1000, 700);
    QTest::qWait(20);
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    auto *ok = m_window->findChild<QPushButton *>(QStringLiteral("cmdOk"));
    auto *exit = m_window->findChild<QPushButton *>(QStringLiteral("cmdExit"));
    auto *print = m_window->findChild<QPushButton *>(QStringLiteral("cmdPrint"));
    QVERIFY(pane->geometry().right() < ok->geometry().left());
    QCOMPARE(ok->x(), exit->x());
    QCOMPARE(ok->x(), print->x());
    QVERIFY(ok->y() < print->y() && print->y() < exit->y());
    const int before = pane->width();
    m_window->resize(1200, 700);
    QTest::qWait(20);
    QCOMPARE(pane->width(), before + 200);
}

void TestMainWindow::everyControlFits_data()
{
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::addColumn<QString>("function");
    QTest::newRow("minimum size") << 8000 << 6250 << QStringLiteral("姓名分析");
    QTest::newRow("minimum, progress panel shown") << 8000 << 6250 << QStringLiteral("个人起名");
    QTest::newRow("700 px wide") << 10500 << 6250 << QStringLiteral("其他功能");
    QTest::newRow("just under the full band") << 11300 << 7000 << QStringLiteral("姓名分析");
    QTest::newRow("default size") << 12500 << 9000 << QStringLiteral("个人起名");
    QTest::newRow("large") << 24000 << 15000 << QStringLiteral("公司名分析");
}

void TestMainWindow::everyControlFits()
{
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    QFETCH(QString, function);
    // The widest texts the panels show: a four-character name with two-digit counts.
    choose("cmbOptions", function);
    auto *grid = m_window->findChild<QGroupBox *>(QStringLiteral("fraXingMWG"));
    for (QLabel *label : grid->findChildren<QLabel *>())
        label->setText(label->objectName().startsWith(QStringLiteral("lbl")) && label->objectName().endsWith(u"Shu")
                ? QStringLiteral("48")
                : QStringLiteral("诸葛"));
    auto *progress = m_window->findChild<QGroupBox *>(QStringLiteral("frmProgress"));
    progress->setVisible(function == u"个人起名");
    m_window->setProgressLabels(QStringLiteral("第 20 组"), QStringLiteral("100%"));
    const int dpiX = m_window->logicalDpiX();
    const int dpiY = m_window->logicalDpiY();
    m_window->resize(widthTwips * dpiX / 1440, heightTwips * dpiY / 1440);
    QTest::qWait(20);
    QCOMPARE(m_window->minimumSize(), QSize(8000 * dpiX / 1440, 6250 * dpiY / 1440));
    QVERIFY(m_window->width() <= std::max(m_window->minimumWidth(), widthTwips * dpiX / 1440));

    // Every control of the window lies inside the window's area, is at least as large as its contents need,
    // and no two controls of the same panel overlap; the progress panel covers the five-grid panel exactly.
    QWidget *central = m_window->centralWidget();
    const QRect area = central->rect();
    QList<QWidget *> controls;
    for (QWidget *w : central->findChildren<QWidget *>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_") && w->isVisibleTo(m_window))
            controls.append(w);
    }
    QVERIFY(controls.size() >= 30);
    for (QWidget *w : std::as_const(controls)) {
        const QRect inWindow(w->mapTo(central, QPoint(0, 0)), w->size());
        QVERIFY2(area.contains(inWindow), qPrintable(w->objectName()));
        const bool wrapped = qobject_cast<QLabel *>(w) && static_cast<QLabel *>(w)->wordWrap();
        const QSize needed
            = wrapped ? QSize(w->minimumSizeHint().width(), w->heightForWidth(w->width())) : w->minimumSizeHint();
        QVERIFY2(w->width() >= needed.width() && w->height() >= needed.height(),
            qPrintable(QStringLiteral("%1 %2x%3 < %4x%5")
                           .arg(w->objectName())
                           .arg(w->width())
                           .arg(w->height())
                           .arg(needed.width())
                           .arg(needed.height())));
        for (QWidget *other : std::as_const(controls)) {
            if (other != w && other->parentWidget() == w->parentWidget() && w->objectName() != u"frmProgress"
                && other->objectName() != u"frmProgress")
                QVERIFY2(!w->geometry().intersects(other->geometry()),
                    qPrintable(w->objectName() + QStringLiteral(" overlaps ") + other->objectName()));
        }
    }
    QCOMPARE(progress->geometry(), grid->geometry());
    // The selectors' list rows are taller than the characters they show, which the Song face draws a pixel above
    // its own ascent.
    for (const char *name : { "cmbOptions", "cmbOtherOptions" }) {
        auto *combo = m_window->findChild<QComboBox *>(QString::fromLatin1(name));
        const QFontMetrics metrics(combo->view()->font());
        QVERIFY(combo->view()->sizeHintForRow(0) >= metrics.tightBoundingRect(combo->itemText(0)).height() + 4);
    }
    // The result pane has room for a few lines, and the buttons stand beside it.
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    QVERIFY(pane->height() >= 5 * pane->fontMetrics().height());
    QVERIFY(pane->geometry().right() < m_window->findChild<QPushButton *>(QStringLiteral("cmdOk"))->x());
}

void TestMainWindow::typedTextIsNoListItem_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("typed");
    QTest::newRow("function selector") << QStringLiteral("cmbOptions") << QStringLiteral("xyz");
    QTest::newRow("lookup selector") << QStringLiteral("cmbOtherOptions") << QStringLiteral("查生日");
    QTest::newRow("an item's own text") << QStringLiteral("cmbOptions") << QStringLiteral("姓名分析");
}

void TestMainWindow::typedTextIsNoListItem()
{
    QFETCH(QString, selector);
    QFETCH(QString, typed);
    choose("cmbOptions", QStringLiteral("其他功能"));
    auto *combo = m_window->findChild<QComboBox *>(selector);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    typeText(combo->lineEdit(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QStringList after;
    for (int i = 0; i < combo->count(); ++i)
        after.append(combo->itemText(i));
    QCOMPARE(after, items);
    QCOMPARE(combo->currentText(), typed);
}

void TestMainWindow::keyboardPasteReplacesTheSelection_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name box, last character") << QStringLiteral("txtName") << 2 << 1 << QStringLiteral("王明李");
    QTest::newRow("name box, selected backwards") << QStringLiteral("txtName") << 3 << -2 << QStringLiteral("王李");
    QTest::newRow("lookup box") << QStringLiteral("txtOther") << 0 << 3 << QStringLiteral("李");
    QTest::newRow("no selection: at the cursor") << QStringLiteral("txtName") << 1 << 0 << QStringLiteral("王李明华");
}

void TestMainWindow::keyboardPasteReplacesTheSelection()
{
    QFETCH(QString, box);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, expected);
    choose("cmbOptions", QStringLiteral("其他功能"));
    QApplication::clipboard()->setText(QStringLiteral("李"));
    // The Edit menu's items follow the clipboard when the pane changes.
    m_window->findChild<QTextEdit *>(QStringLiteral("RichText"))->setPlainText(QStringLiteral("结果"));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto *edit = m_window->findChild<QLineEdit *>(box);
    edit->setFocus(Qt::MouseFocusReason);
    edit->setText(QStringLiteral("王明华"));
    if (selectionLength == 0)
        edit->setCursorPosition(selectionStart);
    else
        edit->setSelection(selectionStart, selectionLength);

    // Alt+E opens 编辑 from the keyboard, P chooses 粘贴.
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("Menu_Edit"));
    QTest::keyClick(m_window, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!edit->hasFocus());
    QTest::keyClick(menu, Qt::Key_P);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(edit->text(), expected);
    QVERIFY(edit->hasFocus());
}

void TestMainWindow::editKeysChooseTheEditItems_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("撤消") << QStringLiteral("Menu_Undo") << int(Qt::Key_Z) << QStringLiteral("Ctrl+Z");
    QTest::newRow("剪切") << QStringLiteral("Menu_Cut") << int(Qt::Key_X) << QStringLiteral("Ctrl+X");
    QTest::newRow("复制") << QStringLiteral("Menu_Copy") << int(Qt::Key_C) << QStringLiteral("Ctrl+C");
    QTest::newRow("粘贴") << QStringLiteral("Menu_Paste") << int(Qt::Key_V) << QStringLiteral("Ctrl+V");
    QTest::newRow("全选") << QStringLiteral("Menu_All") << int(Qt::Key_A) << QStringLiteral("Ctrl+A");
}

// The edit keys stand beside their items, in the menu bar and in the pane's context menu, and choose them
// wherever no text box takes them; a box with the focus takes them as its own, and acts once.
void TestMainWindow::editKeysChooseTheEditItems()
{
    QFETCH(QString, item);
    QFETCH(int, key);
    QFETCH(QString, shown);
    auto *action = m_window->findChild<QAction *>(item);
    QCOMPARE(action->shortcut().toString(QKeySequence::NativeText), shown);
    // Also where the desktop leaves keys out of context menus.
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus);
    const bool inContextMenu = action->isShortcutVisibleInContextMenu();
    QCoreApplication::setAttribute(Qt::AA_DontShowShortcutsInContextMenus, false);
    QVERIFY(inContextMenu);

    // A result with a selection and text on the clipboard: every item is usable once 编辑 has been opened.
    QApplication::clipboard()->setText(QStringLiteral("李"));
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    pane->setPlainText(QStringLiteral("结果"));
    pane->selectAll();
    Q_EMIT m_window->findChild<QMenu *>(QStringLiteral("Menu_Edit"))->aboutToShow();
    QVERIFY(action->isEnabled());
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));

    QSignalSpy chosen(action, &QAction::triggered);
    auto *ok = m_window->findChild<QPushButton *>(QStringLiteral("cmdOk"));
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(chosen.count(), 1);

    auto *name = m_window->findChild<QLineEdit *>(QStringLiteral("txtName"));
    name->setFocus();
    name->setText(QStringLiteral("王明华"));
    name->setCursorPosition(1);
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(name->text(), QStringLiteral("王李明华"));
    QCOMPARE(chosen.count(), 1);
}

// The control that has the keyboard, by the name the window gives it (an editable selector's line edit counts
// as the selector).
static QString focusedControl()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")))
            return w->objectName();
    }
    return {};
}

void TestMainWindow::keyboardReachesEveryControl_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("visited");
    const QStringList order { QStringLiteral("cmbOptions"), QStringLiteral("txtName"), QStringLiteral("cmbOtherOptions"),
        QStringLiteral("txtOther"), QStringLiteral("cmdOk"), QStringLiteral("cmdPrint"), QStringLiteral("cmdExit"),
        QStringLiteral("RichText") };
    QTest::newRow("Tab from 选项 through every control")
        << QStringLiteral("cmbOptions") << int(Qt::Key_Tab) << int(Qt::NoModifier) << order.mid(1);
    // In the pane Tab is a character; Ctrl+Tab and Ctrl+Shift+Tab leave it.
    QTest::newRow("Ctrl+Tab leaves the pane") << QStringLiteral("RichText") << int(Qt::Key_Tab)
                                              << int(Qt::ControlModifier) << QStringList { QStringLiteral("cmbOptions") };
    QTest::newRow("Ctrl+Shift+Tab leaves the pane backwards")
        << QStringLiteral("RichText") << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier)
        << QStringList { QStringLiteral("cmdExit") };
}

void TestMainWindow::keyboardReachesEveryControl()
{
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, visited);
    choose("cmbOptions", QStringLiteral("其他功能")); // the lookup panel takes part only when chosen
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->findChild<QWidget *>(start)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focusedControl(), start);
    QStringList seen;
    for (qsizetype i = 0; i < visited.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        seen.append(focusedControl());
    }
    QCOMPARE(seen, visited);
    // Plain Tab in the pane is still a tab character.
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    pane->clear();
    pane->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pane, Qt::Key_Tab);
    QCOMPARE(pane->toPlainText(), QStringLiteral("\t"));
    QCOMPARE(focusedControl(), QStringLiteral("RichText"));
}

// The progress panel stands over the five-grid panel only while a listing drives its bars; while the naming
// questions are open it would be an empty frame.
void TestMainWindow::progressPanelOnlyWhileListing()
{
    auto *progress = m_window->findChild<QGroupBox *>(QStringLiteral("frmProgress"));
    m_window->setProgressPanelVisible(true);
    QVERIFY(!progress->isVisible());
    m_window->setProgressBarsVisible(true);
    QVERIFY(progress->isVisible());
    m_window->setProgressBarsVisible(false);
    QVERIFY(!progress->isVisible());
    QVERIFY(m_window->findChild<QGroupBox *>(QStringLiteral("fraXingMWG"))->isVisible());
}

// Each result starts the undo history anew: undo after a second result does not bring back the first.
void TestMainWindow::undoStopsAtTheResult()
{
    choose("cmbOptions", QStringLiteral("公司名分析"));
    auto *name = m_window->findChild<QLineEdit *>(QStringLiteral("txtName"));
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    for (const QString &company : { QStringLiteral("百度"), QStringLiteral("青禾") }) {
        name->setText(company);
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    }
    const QString second = pane->toPlainText();
    QVERIFY(second.startsWith(QStringLiteral("青禾 ")));
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pane->toPlainText(), second);
    QVERIFY(!pane->document()->isUndoAvailable());
}

// 笔画查字 lists rare characters too: they come in the pane's own Song face, not a bolder stand-in with other
// line heights, so that every line of the answer is as high as the next.
void TestMainWindow::charactersByStrokesInOneFace()
{
    choose("cmbOptions", QStringLiteral("其他功能"));
    choose("cmbOtherOptions", QStringLiteral("笔画查字"));
    auto *other = m_window->findChild<QLineEdit *>(QStringLiteral("txtOther"));
    other->setText(QStringLiteral("10"));
    QTest::keyClick(other, Qt::Key_Return);
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    QVERIFY(pane->toPlainText().startsWith(QStringLiteral("10 画的字如下所示：")));
    QTextDocument *document = pane->document();
    document->documentLayout(); // laid out at the pane's width
    QSet<int> heights;
    QSet<QString> faces;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; layout && i < layout->lineCount(); ++i) {
            // The distance from one line to the next, in the long groups that wrap.
            if (i > 0)
                heights.insert(qRound(layout->lineAt(i).y() - layout->lineAt(i - 1).y()));
            for (const QGlyphRun &run : layout->lineAt(i).glyphRuns())
                faces.insert(run.rawFont().familyName().toLower());
        }
    }
    QVERIFY2(heights.size() == 1, qPrintable(QStringLiteral("%1 line heights").arg(heights.size())));
    // Song faces only: AR PL UMing and, for the characters it lacks, Noto Serif CJK.
    for (const QString &face : faces)
        QVERIFY2(face.startsWith(QStringLiteral("ar pl uming")) || face.startsWith(QStringLiteral("noto serif cjk")),
            qPrintable(face));
}

// 推荐名字 from the function selector: the questions, the shortlist in the pane and name.rtf; then 收藏与比较 keeps two
// of its names in the per-user favourites file and sets them side by side in the pane.
void TestMainWindow::suggestKeepAndCompare()
{
    for (const QString &file : { QStringLiteral("classics.db"), QStringLiteral("namewords.tsv") })
        QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(file), m_dir->filePath(file)));
    choose("cmbOptions", QStringLiteral("推荐名字"));
    auto *name = m_window->findChild<QLineEdit *>(QStringLiteral("txtName"));
    name->setText(QStringLiteral("欧阳"));
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == u"dlgTuijian");
        asked = true;
        // Every collection is offered, ticked, under its own name.
        for (const char *tick : { "chkTuijianShijing", "chkTuijianMengzi", "chkTuijianTangshi", "chkTuijianSongshi" }) {
            auto *box = dialog->findChild<QCheckBox *>(QLatin1String(tick));
            QVERIFY2(box && box->isChecked(), tick);
        }
        QCOMPARE(dialog->findChild<QCheckBox *>(QStringLiteral("chkTuijianSongshi"))->text(), QStringLiteral("宋诗"));
        dialog->findChild<QRadioButton *>(QStringLiteral("optTuijianFemale"))->setChecked(true);
        dialog->findChild<QLineEdit *>(QStringLiteral("txtTuijianExclude"))->setText(QStringLiteral("雪"));
        dialog->findChild<QPushButton *>(QStringLiteral("cmdTuijianOK"))->click();
    });
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QVERIFY(asked);
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    QVERIFY2(pane->toPlainText().startsWith(QStringLiteral("推荐名字：欧阳姓女孩，双字名，")), qPrintable(pane->toPlainText().left(200)));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("\n1. 欧阳")));
    QVERIFY(!pane->toPlainText().contains(QStringLiteral("欧阳雪")));
    const int shown = int(pane->toPlainText().count(QRegularExpression(QStringLiteral("\\n\\d+\\. 欧阳"))));
    QFile rtf(m_dir->filePath(QStringLiteral("name.rtf")));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    QVERIFY(rtf.readAll().contains("\\u25512")); // 推

    QStringList kept;
    int listed = 0;
    QTimer::singleShot(0, [&kept, &listed] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == u"frmShoucang");
        auto *suggested = dialog->findChild<QListWidget *>(QStringLiteral("lstTuijian"));
        listed = suggested->count();
        if (listed < 2) {
            static_cast<QDialog *>(dialog)->reject();
            return;
        }
        suggested->item(0)->setSelected(true);
        suggested->item(1)->setSelected(true);
        dialog->findChild<QPushButton *>(QStringLiteral("cmdShoucang"))->click();
        auto *favourites = dialog->findChild<QListWidget *>(QStringLiteral("lstShoucang"));
        for (int i = 0; i < favourites->count(); ++i) {
            kept.append(favourites->item(i)->text());
            favourites->item(i)->setSelected(true);
        }
        dialog->findChild<QPushButton *>(QStringLiteral("cmdBijiao"))->click();
    });
    m_window->findChild<QAction *>(QStringLiteral("mnu_Shoucang"))->trigger();
    // Every name of the shortlist is offered for keeping.
    QCOMPARE(listed, shown);
    QCOMPARE(kept.size(), 2);
    QVERIFY2(pane->toPlainText().startsWith(QStringLiteral("名字比较：") + kept.join(QStringLiteral("、"))),
        qPrintable(pane->toPlainText().left(100)));
    // Kept across starts: the file in the per-user folder.
    QFile favourites(m_dir->filePath(QStringLiteral("favourites.tsv")));
    QVERIFY(favourites.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(favourites.readAll());
    for (const QString &n : kept)
        QVERIFY(written.contains(QStringLiteral("欧阳\t") + n.mid(2)));
}

// A word list installed with the program that does not parse stops 推荐名字 with a message box that names it; the
// pane keeps what it showed.
void TestMainWindow::suggestRefusesABrokenWordList()
{
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db")),
        m_dir->filePath(QStringLiteral("classics.db"))));
    QFile words(m_dir->filePath(QStringLiteral("namewords.tsv")));
    QVERIFY(words.open(QIODevice::WriteOnly));
    words.write("安然\t词\t3\t0\n安然\t好\t3\t0\n");
    words.close();
    choose("cmbOptions", QStringLiteral("推荐名字"));
    m_window->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("王"));
    auto *pane = m_window->findChild<QTextEdit *>(QStringLiteral("RichText"));
    pane->setPlainText(QStringLiteral("保留的文字"));
    BoxAnswer answer;
    QTimer::singleShot(0, [&answer] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == u"dlgTuijian");
        answerNextBox(answer);
        dialog->findChild<QPushButton *>(QStringLiteral("cmdTuijianOK"))->click();
    });
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QVERIFY(answer.seen);
    QVERIFY2(answer.text.contains(QStringLiteral("名字词表namewords.tsv第 2 行有误")), qPrintable(answer.text));
    QCOMPARE(answer.icon, QMessageBox::Warning);
    QCOMPARE(pane->toPlainText(), QStringLiteral("保留的文字"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
