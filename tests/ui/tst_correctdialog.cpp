#include "app/AppInfo.h"
#include "data/StrokeLookup.h"
#include "fakes/TestLibrary.h"
#include "ui/CorrectDialog.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tolvane;

namespace {

// What a message box showed; the box is answered with OK.
struct BoxAnswer {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

// Answers every message box that opens while it lives, so that an unexpected box cannot block the test.
class BoxWatcher {
public:
    explicit BoxWatcher(BoxAnswer &answer)
        : m_answer(answer)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_answer.text = box->text();
            m_answer.title = box->windowTitle();
            m_answer.icon = box->icon();
            ++m_answer.count;
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(10);
    }

private:
    BoxAnswer &m_answer;
    QTimer m_timer;
};

// Runs script once the correction window is the active modal window.
void whenCorrectionOpens(const std::function<void(QDialog *)> &script)
{
    QTimer::singleShot(10, [script] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("frmCorrect")) {
            whenCorrectionOpens(script);
            return;
        }
        script(dialog);
    });
}

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

template<typename T>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

qint16 strokesOf(const QString &library, const QString &ch)
{
    return *StrokeLookup::strokesOf(Library(library), ch).value;
}

} // namespace

class TestCorrectDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void controlsAndCaptions();
    void enterInEitherBox_data();
    void enterInEitherBox();
    void doneStaysAfterALaterRefusal();
    void messageBoxes_data();
    void messageBoxes();
    void menuOpensItAndLookupsSeeTheCorrection();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_library;
};

void TestCorrectDialog::initTestCase()
{
    FontSetup::install();
}

void TestCorrectDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_library = TestLibrary::write(TestLibrary::fixtureContents(), m_dir->path());
}

void TestCorrectDialog::controlsAndCaptions()
{
    CorrectDialog dialog{Library(m_library)};
    QCOMPARE(dialog.objectName(), QStringLiteral("frmCorrect"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("修改字库"));
    QCOMPARE(child<QLabel>(&dialog, "lblInfo")->text(),
             QStringLiteral("本程序可允许用户更改起名字库的笔画数。在下面输入框分别输入汉字和笔画数，然后点击“确定”；"
                            "如果不做更改，点击“退出”即可。"));
    QCOMPARE(child<QLabel>(&dialog, "lblZi")->text(), QStringLiteral("汉字："));
    QCOMPARE(child<QLabel>(&dialog, "lblBihuashu")->text(), QStringLiteral("字的笔画数："));
    QCOMPARE(child<QPushButton>(&dialog, "cmdOk")->text(), QStringLiteral("确定"));
    QCOMPARE(child<QPushButton>(&dialog, "cmdExit")->text(), QStringLiteral("退出"));
    QCOMPARE(child<QLabel>(&dialog, "lblOk")->text(), QString());
    QVERIFY(child<QLineEdit>(&dialog, "txtZi"));
    QVERIFY(child<QLineEdit>(&dialog, "txtBihua"));
}

void TestCorrectDialog::enterInEitherBox_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::newRow("txtZi") << QByteArray("txtZi");
    QTest::newRow("txtBihua") << QByteArray("txtBihua");
}

void TestCorrectDialog::enterInEitherBox()
{
    QFETCH(QByteArray, box);
    CorrectDialog dialog{Library(m_library)};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    BoxAnswer answer;
    BoxWatcher watcher(answer);
    typeText(child<QLineEdit>(&dialog, "txtZi"), QStringLiteral("十"));
    // The count the library holds now is shown as soon as the character is typed, and again once changed.
    QCOMPARE(child<QLabel>(&dialog, "lblNow")->text(), QStringLiteral("“十”字现在的笔画数是 10。"));
    typeText(child<QLineEdit>(&dialog, "txtBihua"), QStringLiteral("12"));
    auto *edit = child<QLineEdit>(&dialog, box.constData());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(answer.count, 0);
    QCOMPARE(child<QLabel>(&dialog, "lblOk")->text(), QStringLiteral("更改完毕！"));
    QCOMPARE(child<QLabel>(&dialog, "lblNow")->text(), QStringLiteral("“十”字现在的笔画数是 12。"));
    QCOMPARE(strokesOf(m_library, QStringLiteral("十")), qint16(12));
    QVERIFY(dialog.isVisible());
}

void TestCorrectDialog::doneStaysAfterALaterRefusal()
{
    CorrectDialog dialog{Library(m_library)};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    BoxAnswer answer;
    BoxWatcher watcher(answer);
    child<QLineEdit>(&dialog, "txtZi")->setText(QStringLiteral("十"));
    child<QLineEdit>(&dialog, "txtBihua")->setText(QStringLiteral("0"));
    QTest::mouseClick(child<QPushButton>(&dialog, "cmdOk"), Qt::LeftButton);
    QCOMPARE(answer.count, 0);
    QCOMPARE(strokesOf(m_library, QStringLiteral("十")), qint16(0));

    child<QLineEdit>(&dialog, "txtBihua")->setText(QStringLiteral("51"));
    QTest::mouseClick(child<QPushButton>(&dialog, "cmdOk"), Qt::LeftButton);
    QTRY_COMPARE(answer.count, 1);
    QCOMPARE(answer.text, QStringLiteral("笔画数不能是负数或太大。"));
    QCOMPARE(answer.icon, QMessageBox::Warning);
    QCOMPARE(answer.title, AppInfo::title());
    QCOMPARE(child<QLabel>(&dialog, "lblOk")->text(), QStringLiteral("更改完毕！"));
    // The inputs stay for the next attempt.
    QCOMPARE(child<QLineEdit>(&dialog, "txtZi")->text(), QStringLiteral("十"));
    QCOMPARE(child<QLineEdit>(&dialog, "txtBihua")->text(), QStringLiteral("51"));
    QCOMPARE(strokesOf(m_library, QStringLiteral("十")), qint16(0));
}

void TestCorrectDialog::messageBoxes_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::newRow("not in the library") << QString() << QStringLiteral("龙") << QStringLiteral("起名字库中没有您输入的汉字。")
                                        << AppInfo::title() << int(QMessageBox::Warning);
    QTest::newRow("no library") << QStringLiteral("missing") << QStringLiteral("十")
                                << QStringLiteral("找不到namedbs.mdb数据库。") << QStringLiteral("找不到数据库")
                                << int(QMessageBox::Warning);
    QTest::newRow("no name table") << QStringLiteral("no table") << QStringLiteral("十")
                                   << QStringLiteral("找不到namedbs.mdb数据库里的name表或此表已打开在设计状态。")
                                   << AppInfo::title() << int(QMessageBox::NoIcon);
}

void TestCorrectDialog::messageBoxes()
{
    QFETCH(QString, library);
    QFETCH(QString, character);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QString path = m_library;
    QTemporaryDir other;
    if (library == QLatin1String("missing")) {
        path = other.filePath(QStringLiteral("namedbs.mdb"));
    } else if (library == QLatin1String("no table")) {
        mkdb::LibraryContents contents = TestLibrary::fixtureContents();
        contents.omitTables.insert(QStringLiteral("name"));
        path = TestLibrary::write(contents, other.path());
    }
    CorrectDialog dialog{Library(path)};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    BoxAnswer answer;
    BoxWatcher watcher(answer);
    child<QLineEdit>(&dialog, "txtZi")->setText(character);
    child<QLineEdit>(&dialog, "txtBihua")->setText(QStringLiteral("5"));
    QTest::mouseClick(child<QPushButton>(&dialog, "cmdOk"), Qt::LeftButton);
    QTRY_COMPARE(answer.count, 1);
    QCOMPARE(answer.text, text);
    QCOMPARE(answer.title, title);
    QCOMPARE(int(answer.icon), icon);
    QCOMPARE(child<QLabel>(&dialog, "lblOk")->text(), QString());
}

// Through the menu on the real library: the next lookup and the next company-name analysis in the same
// window use the new count, and so does a window started afresh.
void TestCorrectDialog::menuOpensItAndLookupsSeeTheCorrection()
{
    QTemporaryDir dir;
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), dir.filePath(QStringLiteral("namedbs.mdb"))));
    QFile::setPermissions(dir.filePath(QStringLiteral("namedbs.mdb")), QFile::ReadOwner | QFile::WriteOwner);
    auto window = std::make_unique<MainWindow>(AppPaths(dir.path()));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    auto *menuItem = window->findChild<QAction *>(QStringLiteral("Menu_CorrectZiku"));
    QVERIFY(menuItem);
    QVERIFY(menuItem->isEnabled());
    QCOMPARE(menuItem->text(), QStringLiteral("修改字库(&C)"));
    QString done;
    whenCorrectionOpens([&done](QDialog *dialog) {
        child<QLineEdit>(dialog, "txtZi")->setText(QStringLiteral("十"));
        auto *strokes = child<QLineEdit>(dialog, "txtBihua");
        strokes->setText(QStringLiteral("12"));
        QTest::keyClick(strokes, Qt::Key_Return);
        done = child<QLabel>(dialog, "lblOk")->text();
        QTest::mouseClick(child<QPushButton>(dialog, "cmdExit"), Qt::LeftButton);
    });
    menuItem->trigger();
    QCOMPARE(done, QStringLiteral("更改完毕！"));

    const auto execute = [](MainWindow &w, const QString &function, const QString &lookup, const QString &name,
                            const QString &other) {
        auto *functions = w.findChild<QComboBox *>(QStringLiteral("cmbOptions"));
        functions->setCurrentIndex(functions->findText(function));
        Q_EMIT functions->activated(functions->currentIndex());
        auto *lookups = w.findChild<QComboBox *>(QStringLiteral("cmbOtherOptions"));
        lookups->setCurrentIndex(lookups->findText(lookup));
        w.findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(name);
        w.findChild<QLineEdit *>(QStringLiteral("txtOther"))->setText(other);
        QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
        return w.findChild<QTextEdit *>(QStringLiteral("RichText"))->toPlainText();
    };
    const QString line = QStringLiteral("“十” 字笔画数是： 12    五行属： 金\n");
    QCOMPARE(execute(*window, QStringLiteral("其他功能"), QStringLiteral("单字笔画数"), {}, QStringLiteral("十")), line);
    QVERIFY(execute(*window, QStringLiteral("公司名分析"), {}, QStringLiteral("十十四"), {})
                .startsWith(QStringLiteral("十十四 28 数暗示为（总笔画数是28）：")));

    window = std::make_unique<MainWindow>(AppPaths(dir.path()));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(execute(*window, QStringLiteral("其他功能"), QStringLiteral("单字笔画数"), {}, QStringLiteral("十")), line);
}

QTEST_MAIN(TestCorrectDialog)
#include "tst_correctdialog.moc"
