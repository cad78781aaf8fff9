#include "fakes/TestLibrary.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
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
    void enterInTheLookupBoxRunsExecute();
    void resizeKeepsTheArrangement();
    void damagedLibraryClearsTheWaitNotice();

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
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("Menu_Undo"))->text(), QStringLiteral("撤消(&U)     Ctrl+Z"));
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
