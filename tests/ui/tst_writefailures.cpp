#include "app/PaneFiles.h"
#include "app/PasswordRules.h"
#include "fakes/CliProcess.h"
#include "fakes/DiskFaults.h"
#include "fakes/TestFiles.h"
#include "fakes/TestLibrary.h"
#include "text/DurableFile.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace tolvane;

namespace {

// Runs answer on the next modal window whose object name is name (any modal window when name is empty).
void answerNext(const QString &name, std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [name, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || (!name.isEmpty() && modal->objectName() != name)) {
            answerNext(name, answer);
            return;
        }
        answer(modal);
    });
}

// Answers the next message box with OK and keeps its text. The file dialog's question whether to replace the
// old file is answered yes on the way.
void answerBox(QString &text)
{
    answerNext({}, [&text](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->button(QMessageBox::Ok)) {
            text = box->text();
            box->button(QMessageBox::Ok)->click();
            return;
        }
        if (box && box->button(QMessageBox::Yes))
            box->button(QMessageBox::Yes)->click();
        answerBox(text);
    });
}

// A text long enough that one free block cannot take it.
QString longText()
{
    return QString(3000, QChar(u'青'));
}

} // namespace

// Every file the program writes, on a disk that is full or has one block left: the old file stays whole, no
// temporary is left behind, and the failure is reported with the message of the window (or the command line)
// for that file.
class TestWriteFailures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fullDisk_data();
    void fullDisk();
    void readOnlyProgramFolder_data();
    void readOnlyProgramFolder();
};

void TestWriteFailures::initTestCase()
{
    FontSetup::install();
}

void TestWriteFailures::fullDisk_data()
{
    QTest::addColumn<QString>("write");
    QTest::addColumn<int>("freeBlocks");
    for (const char *write : { "name.rtf", "--rtf", "Info.txt", "Save As .rtf", "Save As .txt", "start-up password",
             "stroke correction" }) {
        QTest::addRow("%s, full", write) << QString::fromLatin1(write) << 0;
        QTest::addRow("%s, one block free", write) << QString::fromLatin1(write) << 1;
    }
    // Room for the locks and a draft of the old settings, not for the new ones: QSettings says nothing of that.
    QTest::newRow("start-up password, three blocks free") << QStringLiteral("start-up password") << 3;
    // The names kept are a few lines: one free block holds them, only a full disk refuses them.
    QTest::addRow("favourites, full") << QStringLiteral("favourites") << 0;
}

void TestWriteFailures::fullDisk()
{
    QFETCH(QString, write);
    QFETCH(int, freeBlocks);
    SmallDisk disk(freeBlocks);
    QVERIFY(disk.isValid());
    if (freeBlocks == 3 && !disk.isMounted())
        QSKIP("a file-size limit takes the new settings for a full disk, with its own reason");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, disk.filePath(QStringLiteral("config")));
    const QString settingsFile = QSettings(QStringLiteral("TolVane"), QStringLiteral("TolVane")).fileName();

    const QHash<QString, QString> targets { { QStringLiteral("name.rtf"), disk.filePath(QStringLiteral("name.rtf")) },
        { QStringLiteral("--rtf"), disk.filePath(QStringLiteral("cli.rtf")) },
        { QStringLiteral("Info.txt"), disk.filePath(QStringLiteral("Info.txt")) },
        { QStringLiteral("Save As .rtf"), disk.filePath(QStringLiteral("saved.rtf")) },
        { QStringLiteral("Save As .txt"), disk.filePath(QStringLiteral("saved.txt")) },
        { QStringLiteral("start-up password"), settingsFile },
        { QStringLiteral("stroke correction"), disk.filePath(QStringLiteral("namedbs.mdb")) },
        { QStringLiteral("favourites"), disk.filePath(QStringLiteral("favourites.tsv")) } };
    const QString target = targets.value(write);
    QByteArray old = QByteArrayLiteral("抬头信息：旧的抬头结尾信息：旧的结尾\r\n");
    if (write == u"start-up password")
        old = QByteArrayLiteral("[Name]\nStartPass=old\n");
    if (write == u"favourites")
        old = QByteArrayLiteral("王\t明华\n");
    if (write == u"stroke correction") {
        // A copy of the program and its library on the small disk: the library is the file written.
        old = readAll(TestLibrary::realDatabasePath());
        QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")),
                            disk.filePath(QStringLiteral("tolvane-cli"))));
    }
    QVERIFY(writeAll(target, old));
    const QStringList before = disk.files();

    MainWindow window(AppPaths(disk.path(), TestLibrary::realDatabasePath()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *pane = window.findChild<QTextEdit *>(QStringLiteral("RichText"));
    pane->setPlainText(longText());
    disk.fill();

    QString shown;
    QString expected;
    if (write == u"name.rtf") {
        auto *options = window.findChild<QComboBox *>(QStringLiteral("cmbOptions"));
        options->setCurrentIndex(options->findText(QStringLiteral("姓名分析")));
        window.findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("王明"));
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
        QVERIFY(pane->toPlainText().startsWith(QStringLiteral("王明：")));
        shown = window.statusBar()->currentMessage();
        expected = QStringLiteral("无法保存结果文件 %1：%2").arg(target, disk.reason());
    } else if (write == u"--rtf") {
        const QString program = QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli"));
        const CliResult r
            = runCli({ QStringLiteral("analyze"), QStringLiteral("王明"), QStringLiteral("--rtf"), target }, program);
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.startsWith(QStringLiteral("王明：")));
        shown = r.err;
        expected = QStringLiteral("无法保存结果文件 %1：%2\n").arg(target, disk.reason());
    } else if (write == u"stroke correction") {
        // SQLite's own journal keeps the library whole; the correction says it was not written.
        const CliResult r = runCli({ QStringLiteral("correct"), QStringLiteral("王"), QStringLiteral("5") },
            disk.filePath(QStringLiteral("tolvane-cli")));
        QCOMPARE(r.status, 1);
        shown = r.err;
        expected = QStringLiteral("新的笔画数没能写入起名字库，字库保持原样。请确认namedbs.mdb没有被其他程序占用、"
                                  "文件可以写入，然后再试一次。\n");
    } else if (write == u"Info.txt") {
        answerNext(QStringLiteral("frmPersonalInfo"), [&shown](QWidget *dialog) {
            dialog->findChild<QTextEdit *>(QStringLiteral("BeginInfoRichtxt"))->setPlainText(longText());
            answerBox(shown);
            dialog->findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
            // The window stays open with what was typed.
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        });
        window.findChild<QAction *>(QStringLiteral("mnu_Info"))->trigger();
        expected = QStringLiteral("请关闭文件Info.txt。");
    } else if (write == u"favourites") {
        QStringList listed;
        answerNext(QStringLiteral("frmShoucang"), [&shown, &listed](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("txtShoucangName"))->setText(QStringLiteral("王思远"));
            answerBox(shown);
            dialog->findChild<QPushButton *>(QStringLiteral("cmdShoucangAdd"))->click();
            // The list shows what is kept on the disk, not the name that could not be written.
            auto *kept = dialog->findChild<QListWidget *>(QStringLiteral("lstShoucang"));
            for (int i = 0; i < kept->count(); ++i)
                listed.append(kept->item(i)->text());
            static_cast<QDialog *>(dialog)->reject();
        });
        window.findChild<QAction *>(QStringLiteral("mnu_Shoucang"))->trigger();
        QCOMPARE(listed, QStringList { QStringLiteral("王明华") });
        expected = QStringLiteral("无法保存收藏文件 %1：%2。收藏没有改动。").arg(target, disk.reason());
    } else if (write.startsWith(u"Save As")) {
        const int filter = write.endsWith(u".rtf") ? 2 : 3;
        answerNext(QStringLiteral("CommonDialog1"), [&](QWidget *w) {
            auto *dialog = static_cast<QFileDialog *>(w);
            dialog->selectNameFilter(dialog->nameFilters().at(filter - 1));
            dialog->selectFile(target);
            answerBox(shown);
            static_cast<QDialog *>(dialog)->accept();
        });
        window.findChild<QAction *>(QStringLiteral("Menu_SaveAs"))->trigger();
        expected = PaneFiles::saveFailedText(target, disk.reason());
    } else {
        answerNext(QStringLiteral("frmSetPass"), [&shown](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(longText());
            dialog->findChild<QLineEdit *>(QStringLiteral("txtConfirm"))->setText(longText());
            answerBox(shown);
            dialog->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        });
        window.findChild<QAction *>(QStringLiteral("mnu_SetPass"))->trigger();
        expected = PasswordRules::notSaved(settingsFile, disk.reason()).text;
    }

    QCOMPARE(shown, expected);
    QCOMPARE(readAll(target), old);
    QStringList after = disk.files();
    // The file dialog keeps its own history there (Qt's QtProject.conf); it is not one of the program's files.
    after.removeAll(QStringLiteral("config/QtProject.conf"));
    QCOMPARE(after, before);
}

void TestWriteFailures::readOnlyProgramFolder_data()
{
    QTest::addColumn<bool>("userFolderOnFullDisk");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    const QString analyze = QStringLiteral("analyze");
    const QString name = QStringLiteral("王明");
    for (const bool full : { false, true }) {
        const char *where = full ? "per-user folder on a full disk" : "no per-user folder";
        QTest::addRow("%s: analysis", where) << full << QStringList { analyze, name } << 0 << QString();
        QTest::addRow("%s: --rtf refused", where)
            << full << QStringList { analyze, name, QStringLiteral("--rtf"), QStringLiteral("@/out.rtf") } << 1
            << QStringLiteral("无法保存结果文件 @/out.rtf：");
        QTest::addRow("%s: correction refused", where)
            << full << QStringList { QStringLiteral("correct"), QStringLiteral("王"), QStringLiteral("5") } << 1
            << QStringLiteral("新的笔画数没能写入起名字库，字库保持原样。请确认namedbs."
                              "mdb没有被其他程序占用、文件可以写入，然后再试一次。\n");
    }
}

// The program in a folder it cannot write, and no per-user folder that can hold a copy of the library: it
// reads the library it was shipped with, and only the writes fail, each with its message.
void TestWriteFailures::readOnlyProgramFolder()
{
    QFETCH(bool, userFolderOnFullDisk);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, err);
    ReadOnlyFolder folder;
    const QString program = folder.filePath(QStringLiteral("tolvane-cli"));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), folder.filePath(QStringLiteral("namedbs.mdb"))));
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("home"))));
    const QByteArray library = readAll(folder.filePath(QStringLiteral("namedbs.mdb")));
    if (!folder.makeReadOnly())
        QSKIP("a read-only folder needs the right to mount, or a user other than root");

    SmallDisk disk(0);
    const QString home = userFolderOnFullDisk ? disk.path() : folder.filePath(QStringLiteral("home"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    if (userFolderOnFullDisk)
        disk.fill();

    for (QString &a : arguments)
        a.replace(u'@', folder.path());
    const CliResult r = runCli(arguments, program, {}, environment);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.startsWith(err.replace(u'@', folder.path())), qPrintable(r.err));
    if (status == 0)
        QVERIFY(r.out.startsWith(QStringLiteral("王明：")));
    QCOMPARE(readAll(folder.filePath(QStringLiteral("namedbs.mdb"))), library);
    // A copy of the library cut off by the full disk would pass for the library at the next start.
    if (userFolderOnFullDisk)
        QCOMPARE(disk.files(), QStringList());
}

QTEST_MAIN(TestWriteFailures)
#include "tst_writefailures.moc"
