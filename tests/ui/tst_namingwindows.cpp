#include "fakes/RequestTexts.h"
#include "fakes/TestLibrary.h"
#include "naming/FindCharacterForm.h"
#include "naming/FixedOptionsForm.h"
#include "text/RtfReader.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"
#include "ui/PersonalInfoDialog.h"
#include "ui/WidgetPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace tolvane;

namespace {

// Runs step on the next modal dialog as soon as it is shown.
void onNextModal(std::function<void(QWidget *)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            onNextModal(step);
            return;
        }
        step(modal);
    });
}

void click(QWidget *dialog, const char *name)
{
    auto *b = dialog->findChild<QAbstractButton *>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    b->click();
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

} // namespace

class TestNamingWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void findCharacterWindow_data();
    void findCharacterWindow();
    void fixedOptionsWindow();
    void personalInfoWindow();
    void personalNamingInTheWindow();
    void analysisPreselectsTheListedSurnameKind_data();
    void analysisPreselectsTheListedSurnameKind();
    void classicNamesInTheWindow();
    void fixedOptionsSource_data();
    void fixedOptionsSource();

private:
    QWidget m_parent;
};

void TestNamingWindows::initTestCase()
{
    FontSetup::install();
    m_parent.resize(800, 600);
    m_parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_parent));
}

void TestNamingWindows::findCharacterWindow_data()
{
    QTest::addColumn<QString>("button"); // empty: the frame button
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("确定") << QStringLiteral("cmdOK") << true;
    QTest::newRow("退出") << QStringLiteral("cmdExit") << false;
    QTest::newRow("frame") << QString() << false;
}

void TestNamingWindows::findCharacterWindow()
{
    QFETCH(QString, button);
    QFETCH(bool, goesOn);
    NameRequest request;
    request.nameLength = 2;
    request.surnameKind = SurnameKind::Single;
    WizardFlags flags;
    FindCharacterForm form(request, flags, 1);
    WidgetPrompter prompter(&m_parent);
    QString label;
    QString caption;
    onNextModal([&](QWidget *dialog) {
        caption = dialog->windowTitle();
        label = dialog->findChild<QLabel *>(QStringLiteral("lblLast2info"))->text();
        if (button.isEmpty())
            dialog->close();
        else
            click(dialog, qPrintable(button));
    });
    prompter.askFindCharacters(form);
    QCOMPARE(caption, QStringLiteral("是否在字库找字"));
    QVERIFY(label.startsWith(QStringLiteral("电脑已为您找出 1 组良好配置，")));
    QCOMPARE(flags.wizardDone, goesOn);
    QCOMPARE(flags.namingCancelled, !goesOn);
    QCOMPARE(int(request.nameLength), goesOn ? 2 : 0);
    QCOMPARE(request.surnameKind.has_value(), goesOn);
}

void TestNamingWindows::fixedOptionsWindow()
{
    NameRequest request;
    bool cancelled = true;
    WidgetPrompter prompter(&m_parent);
    {
        FixedOptionsForm form(request, cancelled);
        QPoint where;
        onNextModal([&](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("选择取名信息"));
            QVERIFY(dialog->findChild<QRadioButton *>(QStringLiteral("OptNan"))->isChecked());
            QVERIFY(dialog->findChild<QRadioButton *>(QStringLiteral("OptBanji"))->isChecked());
            for (const char *name : {"ChkJin", "ChkMu", "ChkShui", "ChkHuo", "ChkTu"})
                QVERIFY(dialog->findChild<QCheckBox *>(QString::fromLatin1(name))->isChecked());
            dialog->findChild<QRadioButton *>(QStringLiteral("OptNv"))->setChecked(true);
            dialog->findChild<QRadioButton *>(QStringLiteral("OptQuanji"))->setChecked(true);
            dialog->findChild<QCheckBox *>(QStringLiteral("ChkHuo"))->setChecked(false);
            where = dialog->frameGeometry().center();
            click(dialog, "cmdOk");
        });
        prompter.askFixedOptions(form);
        // Centred on the main window.
        QVERIFY((where - m_parent.frameGeometry().center()).manhattanLength() <= 4);
    }
    QVERIFY(!cancelled);
    QCOMPARE(sexText(request.sex), QStringLiteral("女"));
    QCOMPARE(luckText(request), QStringLiteral("全吉"));
    QCOMPARE(wishSlots(request), (QStringList{QStringLiteral("金"), QStringLiteral("木"), QStringLiteral("水"), QString(),
                                                 QStringLiteral("土")}));
    // Any way of closing other than 确定 cancels.
    for (bool frame : {false, true}) {
        FixedOptionsForm again(request, cancelled);
        onNextModal([&](QWidget *dialog) {
            if (frame)
                dialog->close();
            else
                click(dialog, "cmdCancel");
        });
        prompter.askFixedOptions(again);
        QVERIFY(cancelled);
    }
}

void TestNamingWindows::personalInfoWindow()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Info.txt"));
    WidgetPrompter prompter(&m_parent);
    {
        PersonalInfoDialog dialog(path, prompter, &m_parent);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("输入抬头及结尾信息"));
        dialog.findChild<QTextEdit *>(QStringLiteral("BeginInfoRichtxt"))->setPlainText(QStringLiteral("欢迎\n日期"));
        dialog.findChild<QTextEdit *>(QStringLiteral("EndInfoRichtxt"))->setPlainText(QStringLiteral("青禾工作室"));
        QString help;
        onNextModal([&](QWidget *box) {
            help = qobject_cast<QMessageBox *>(box)->text();
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
        });
        click(&dialog, "cmdHelp");
        QVERIFY(help.startsWith(QStringLiteral("抬头信息和结尾信息为一些专业用户提供方便。")));
        click(&dialog, "cmdOk");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.header(), QStringLiteral("欢迎\r\n日期"));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("抬头信息：欢迎\r\n日期结尾信息：青禾工作室\r\n"));
    file.close();
    // Opening again and saving without edits keeps the file as it was.
    {
        PersonalInfoDialog dialog(path, prompter, &m_parent);
        QCOMPARE(dialog.findChild<QTextEdit *>(QStringLiteral("EndInfoRichtxt"))->toPlainText(), QStringLiteral("青禾工作室"));
        click(&dialog, "cmdOk");
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("抬头信息：欢迎\r\n日期结尾信息：青禾工作室\r\n"));
    file.close();
    // A file that cannot be written: the message, and the window stays open with its text.
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path + QStringLiteral("/x")));
    PersonalInfoDialog blocked(path, prompter, &m_parent);
    QString message;
    onNextModal([&](QWidget *box) {
        message = qobject_cast<QMessageBox *>(box)->text();
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
    });
    click(&blocked, "cmdOk");
    QCOMPARE(message, QStringLiteral("请关闭文件Info.txt。"));
    QCOMPARE(blocked.result(), 0);
}

void TestNamingWindows::personalNamingInTheWindow()
{
    // 王, one character, 全吉, a boy, in the real window with the real dialogs and the real library.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), dir.filePath(QStringLiteral("namedbs.mdb"))));
    MainWindow window(AppPaths(dir.path()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("txtName"));
    name->setFocus();
    typeText(name, QStringLiteral("王"));

    QStringList seen;
    onNextModal([&](QWidget *wizard) {
        seen << wizard->objectName();
        wizard->findChild<QRadioButton *>(QStringLiteral("optName1"))->setChecked(true);
        click(wizard, "cmdNameOK");
        click(wizard, "cmdMoreOK");
        wizard->findChild<QRadioButton *>(QStringLiteral("optquanji"))->setChecked(true);
        onNextModal([&](QWidget *last) {
            seen << last->objectName();
            click(last, "OKButton");
            onNextModal([&](QWidget *find) {
                seen << find->objectName();
                // The summary is in the pane while the window asks.
                QVERIFY(window.findChild<QTextEdit *>(QStringLiteral("RichText"))->toPlainText().contains(
                    QStringLiteral("姓名笔画数：4 20    五格数：5 24 21 24 2")));
                click(find, "cmdOK");
            });
        });
        click(wizard, "cmdjibanjiOK");
    });
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(seen, (QStringList{QStringLiteral("dlgdanfuxing"), QStringLiteral("DialogLast"), QStringLiteral("frmZhaozi")}));
    const QString text = window.findChild<QTextEdit *>(QStringLiteral("RichText"))->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\n\n王姓配20画字，有以下字可选：\n")));
    QVERIFY(text.contains(QStringLiteral("共有1组良好配置供您选择。")));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("name.rtf"))));
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
}

void TestNamingWindows::analysisPreselectsTheListedSurnameKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("grids");
    QTest::newRow("欧阳明华") << QStringLiteral("欧阳明华") << true << QStringLiteral("32 25 22 54 29");
    QTest::newRow("王小明") << QStringLiteral("王小明") << false << QStringLiteral("5 7 11 15 9");
}

// 姓名分析 in the real window: the surname-kind question opens with the kind the compound-surname list beside the
// library gives, and confirming it analyses the name so.
void TestNamingWindows::analysisPreselectsTheListedSurnameKind()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QFETCH(QString, grids);
    QTemporaryDir dir;
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), dir.filePath(QStringLiteral("namedbs.mdb"))));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("compound-surnames.tsv")),
        dir.filePath(QStringLiteral("compound-surnames.tsv"))));
    MainWindow window(AppPaths(dir.path()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QComboBox *>(QStringLiteral("cmbOptions"))->setCurrentText(QStringLiteral("姓名分析"));
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("txtName"));
    box->setFocus();
    typeText(box, name);

    bool compoundChecked = !listed;
    onNextModal([&](QWidget *wizard) {
        compoundChecked = wizard->findChild<QRadioButton *>(QStringLiteral("optfuxing"))->isChecked();
        click(wizard, "cmdOK");
    });
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(compoundChecked, listed);
    const QString text = window.findChild<QTextEdit *>(QStringLiteral("RichText"))->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("天格、人格、地格、总格、外格数分别为：") + grids + QLatin1Char(' ')),
        qPrintable(text.left(200)));
}

void TestNamingWindows::classicNamesInTheWindow()
{
    // A girl's name for 王 from 诗经 alone, from 5 strokes on, three groups, in the real window over the real
    // library and classics.db.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), dir.filePath(QStringLiteral("namedbs.mdb"))));
    QVERIFY(QFile::link(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db")),
        dir.filePath(QStringLiteral("classics.db"))));
    MainWindow window(AppPaths(dir.path()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("txtName"));
    name->setFocus();
    typeText(name, QStringLiteral("王"));

    QString findText;
    onNextModal([&](QWidget *wizard) {
        click(wizard, "cmdNameOK");
        wizard->findChild<QRadioButton *>(QStringLiteral("optMoreFemale"))->setChecked(true);
        click(wizard, "cmdMoreOK");
        click(wizard, "optSourceClassics");
        click(wizard, "chkChuci");
        click(wizard, "cmdjibanjiSuper");
        wizard->findChild<QComboBox *>(QStringLiteral("cmbsuperBihuashu"))->setEditText(QStringLiteral("5"));
        wizard->findChild<QComboBox *>(QStringLiteral("cmbsuperJizu"))->setEditText(QStringLiteral("3"));
        onNextModal([&](QWidget *last) {
            click(last, "OKButton");
            onNextModal([&](QWidget *find) {
                findText = find->findChild<QLabel *>(QStringLiteral("lblLast2info"))->text();
                click(find, "cmdOK");
            });
        });
        click(wizard, "cmdsuperOk");
    });
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY2(findText.contains(QStringLiteral("接下来电脑要在诗经中为您找出合适的名字")), qPrintable(findText));

    // Each name stands on its line with its verse under it; in the verse exactly the name's characters are bold.
    auto *pane = window.findChild<QTextEdit *>(QStringLiteral("RichText"));
    const QString text = pane->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\n\n王姓配")),
        qPrintable(text.left(200)));
    QVERIFY(text.contains(QStringLiteral("画字组成的双字名，取自诗经，有以下名字可选：\n")));
    QStringList names;
    QString previous;
    for (QTextBlock block = pane->document()->begin(); block.isValid(); block = block.next()) {
        QString bold;
        bool plainInside = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold)
                bold += it.fragment().text();
            else if (!bold.isEmpty())
                plainInside = true;
        }
        if (block.text().startsWith(QStringLiteral("　　"))) {
            QVERIFY2(block.text().contains(QStringLiteral("——《诗经·")), qPrintable(block.text()));
            QVERIFY(previous.startsWith(u'王') && previous.size() == 3);
            QCOMPARE(bold, previous.mid(1));
            QVERIFY(plainInside);
            names.append(previous);
        } else {
            QCOMPARE(bold, QString());
        }
        previous = block.text();
    }
    QVERIFY2(names.size() >= 3, qPrintable(names.join(u' ')));

    // name.rtf holds the same runs, and the command line writes it byte for byte.
    QFile stored(dir.filePath(QStringLiteral("name.rtf")));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray bytes = stored.readAll();
    const std::optional<RtfDocument> runs = RtfReader::read(bytes);
    QVERIFY(runs);
    QStringList boldRuns;
    for (const RtfRun &run : *runs) {
        if (run.bold)
            boldRuns.append(run.text);
    }
    QStringList given;
    for (const QString &n : std::as_const(names))
        given.append(n.mid(1));
    QCOMPARE(boldRuns, given);
    QProcess cli;
    const QString rtf = dir.filePath(QStringLiteral("cli.rtf"));
    cli.start(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")),
        { QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--sex"), QStringLiteral("女"),
            QStringLiteral("--from"), QStringLiteral("诗经"), QStringLiteral("--start"), QStringLiteral("5"),
            QStringLiteral("--groups"), QStringLiteral("3"), QStringLiteral("--rtf"), rtf });
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), text.endsWith(u'\n') ? text : text + u'\n');
    QFile written(rtf);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), bytes);
}

void TestNamingWindows::fixedOptionsSource_data()
{
    QTest::addColumn<QString>("earlier"); // "-" for the library
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("chosen"); // "-" for the library; empty when the window stays
    QTest::newRow("library, as it opens") << QStringLiteral("-") << QStringList() << QString() << QStringLiteral("-");
    QTest::newRow("唐诗 and 宋词") << QStringLiteral("-")
                                   << QStringList { QStringLiteral("optSourceClassics"), QStringLiteral("chkShijing"),
                                          QStringLiteral("chkChuci"), QStringLiteral("chkTangshi"),
                                          QStringLiteral("chkSongci") }
                                   << QString() << QStringLiteral("唐诗、宋词");
    QTest::newRow("the last choice comes back")
        << QStringLiteral("论语") << QStringList() << QString() << QStringLiteral("论语");
    QTest::newRow("no collection ticked")
        << QStringLiteral("诗经") << QStringList { QStringLiteral("chkShijing") }
        << QStringLiteral("请至少选择一部典籍（诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗）。") << QString();
}

void TestNamingWindows::fixedOptionsSource()
{
    QFETCH(QString, earlier);
    QFETCH(QStringList, clicks);
    QFETCH(QString, message);
    QFETCH(QString, chosen);
    NameRequest request;
    if (earlier != u"-")
        request.classics = ClassicSet::parse(earlier);
    bool cancelled = true;
    WidgetPrompter prompter(&m_parent);
    FixedOptionsForm form(request, cancelled);
    QString seen;
    onNextModal([&](QWidget *dialog) {
        QCOMPARE(dialog->findChild<QRadioButton *>(QStringLiteral("optSourceClassics"))->isChecked(), earlier != u"-");
        for (const QString &name : std::as_const(clicks))
            click(dialog, qPrintable(name));
        if (!message.isEmpty()) {
            onNextModal([&, dialog](QWidget *box) {
                seen = qobject_cast<QMessageBox *>(box)->text();
                qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
                // The window stays for another choice.
                QTimer::singleShot(0, dialog, [dialog] { click(dialog, "cmdCancel"); });
            });
        }
        click(dialog, "cmdOk");
    });
    prompter.askFixedOptions(form);
    QCOMPARE(seen, message);
    QCOMPARE(cancelled, chosen.isEmpty());
    if (!chosen.isEmpty())
        QCOMPARE(request.classics ? request.classics->names(QStringLiteral("、")) : QStringLiteral("-"), chosen);
}

QTEST_MAIN(TestNamingWindows)
#include "tst_namingwindows.moc"
