#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/TextPane.h"
#include "fakes/FakePrompter.h"
#include "fakes/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

CliResult runCli(const QStringList &arguments, const QString &program = {})
{
    QProcess p;
    p.start(program.isEmpty() ? QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")) : program,
            arguments);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void companyPrintsThePane();
    void rtfIsWhatTheWindowStores();
    void messagesGoToStandardError_data();
    void messagesGoToStandardError();
    void missingLibrary();
    void usage_data();
    void usage();
};

void TestCli::companyPrintsThePane()
{
    const CliResult r = runCli({QStringLiteral("company"), QStringLiteral("百度")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.startsWith(QStringLiteral("百度 15 数暗示为（总笔画数是15）：\n\n")));
    QVERIFY(r.out.endsWith(QStringLiteral("15、16、32、37、41、47、52、61、63这些数适宜于“医药业”。\n")));
    QVERIFY(!r.out.contains(QLatin1Char('\r')));
}

void TestCli::rtfIsWhatTheWindowStores()
{
    QTemporaryDir dir;
    const QString rtf = dir.filePath(QStringLiteral("out.rtf"));
    const CliResult r = runCli({QStringLiteral("company"), QStringLiteral("青禾科技有限公司"), QStringLiteral("--rtf"), rtf});
    QCOMPARE(r.status, 0);

    // The same controller, run in-process over the same library, stores byte for byte the same file.
    TextPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher(AppPaths(TestLibrary::binDir()), pane, view, prompter);
    const QString stored = dir.filePath(QStringLiteral("name.rtf"));
    dispatcher.setResultPath(stored);
    dispatcher.execute({QStringLiteral("公司名分析"), QStringLiteral("青禾科技有限公司"), {}, {}});
    QFile a(rtf);
    QFile b(stored);
    QVERIFY(a.open(QIODevice::ReadOnly));
    QVERIFY(b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    QCOMPARE(bytes, b.readAll());
    QVERIFY(bytes.startsWith("{\\rtf1\\ansi\\ansicpg936"));
}

void TestCli::messagesGoToStandardError_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("您还没有输入公司名称。\n");
    QTest::newRow("too long") << QString(51, QChar(u'青'))
                              << QStringLiteral("在此最多输入50个字，本程序最多分析50个字的名称。\n");
    QTest::newRow("not in library") << QStringLiteral("青禾Q") << QStringLiteral("字库里没有 Q 字，请与程序员联系。\n");
}

void TestCli::messagesGoToStandardError()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const CliResult r = runCli({QStringLiteral("company"), name});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, message);
    QCOMPARE(r.out, QString());
}

void TestCli::missingLibrary()
{
    // A copy of the program in a folder without namedbs.mdb.
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("tolvane-cli"));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
    const CliResult r = runCli({QStringLiteral("company"), QStringLiteral("青禾")}, program);
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("找不到namedbs.mdb数据库。\n"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("namedbs.mdb"))));
}

void TestCli::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("no command") << QStringList{} << 2;
    QTest::newRow("unknown command") << QStringList{QStringLiteral("fly")} << 2;
    QTest::newRow("missing name") << QStringList{QStringLiteral("company")} << 2;
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
}

void TestCli::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, status);
    QVERIFY((status == 0 ? r.out : r.err).contains(QStringLiteral("Usage: tolvane-cli")));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
