#include "app/AppInfo.h"
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
    void damagedLibrary_data();
    void damagedLibrary();
    void listing();
    void analysis();
    void naming_data();
    void naming();
    void lookups_data();
    void lookups();
    void correctThenLookUp();
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
    dispatcher.execute({Function::CompanyAnalysis, QStringLiteral("青禾科技有限公司"), {}, {}});
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

void TestCli::damagedLibrary_data()
{
    QTest::addColumn<QStringList>("arguments");
    const auto row = [](const char *name, std::initializer_list<const char16_t *> arguments) {
        QStringList list;
        for (const char16_t *a : arguments)
            list << QString::fromUtf16(a);
        QTest::newRow(name) << list;
    };
    row("analysis", {u"analyze", u"王明"});
    row("analysis of typed strokes", {u"strokes-report", u"4 8"});
    row("company", {u"company", u"百度"});
    row("personal naming", {u"name", u"王", u"--length", u"1", u"--luck", u"全吉"});
    row("81man", {u"lookup", u"81man", u"24"});
    row("81corp", {u"lookup", u"81corp", u"24"});
    row("sancai", {u"lookup", u"sancai", u"11 12 13"});
    row("pair", {u"lookup", u"pair", u"15 8"});
    row("strokes", {u"lookup", u"strokes", u"王"});
    row("by strokes", {u"lookup", u"by-strokes", u"5"});
    row("homophones", {u"lookup", u"homophones", u"王"});
    row("meaning", {u"lookup", u"meaning", u"王"});
    row("reading text", {u"read", u"xinmingge"});
    row("correction", {u"correct", u"王", u"5"});
}

// Every page after the first is damaged: the library opens, and the first read past its first page fails.
// That is the library failing, said once, with nothing printed; never a character or row that is "not there",
// and never a wait notice left standing.
void TestCli::damagedLibrary()
{
    QFETCH(QStringList, arguments);
    static QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("tolvane-cli"));
    if (!QFile::exists(program)) {
        QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
        TestLibrary::writeDamagedCopy(dir.path());
    }
    const CliResult r = runCli(arguments, program);
    QCOMPARE(r.err, QStringLiteral("找不到namedbs.mdb数据库。\n"));
    QCOMPARE(r.out, QString());
    QCOMPARE(r.status, 1);
}

void TestCli::naming_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString header = QStringLiteral("以下是为您找出的良好配置数，如果要程序继续在字库找字，点击“确定”，如果不想找字，点击“退出”。\n\n");
    QTest::newRow("王, one character, 全吉")
        << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
                       QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--summary-only")}
        << 0 << header + QStringLiteral("姓名笔画数：4 20    五格数：5 24 21 24 2     三才五行：土火木\n") << QString();
    QTest::newRow("王, girl: nothing found")
        << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
                       QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--sex"), QStringLiteral("女")}
        << 1 << QString()
        << QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过更改名字字数、允许半吉再试试。\n");
    QTest::newRow("one group")
        << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--luck"), QStringLiteral("全吉"),
                       QStringLiteral("--groups"), QStringLiteral("1"), QStringLiteral("--summary-only")}
        << 0 << header + QStringLiteral("姓名笔画数：4 1 2       五格数：5 5 3 7 3        三才五行：土土火\n") << QString();
    QTest::newRow("groups out of range")
        << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--groups"), QStringLiteral("21")}
        << 1 << QString() << QStringLiteral("取名组数应在1至20之间。\n");
    QTest::newRow("compound surname, three characters")
        << QStringList{QStringLiteral("name"), QStringLiteral("欧阳"), QStringLiteral("--length"), QStringLiteral("3")}
        << 1 << QString() << QStringLiteral("复姓最多只能取双字名。\n");
    QTest::newRow("surname too long")
        << QStringList{QStringLiteral("name"), QStringLiteral("诸葛孔明")} << 1 << QString()
        << QStringLiteral("您选择“个人起名”吗？姓氏最多是两个字。\n");
    QTest::newRow("bad sex") << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--sex"),
                                            QStringLiteral("x")}
                             << 2 << QString() << QString();
}

void TestCli::listing()
{
    const CliResult r = runCli({QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
                                QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--elements"), QStringLiteral("木")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\n\n王姓配20画字，有以下字可选：\n")));
    QVERIFY(r.out.contains(QStringLiteral("\n其五格数是（天格、人格、地格、总格、外格）：5 24 21 24 2\n三才是：五四一（土火木）\n\n\n共有1组良好配置供您选择。\n")));

    // Fixed-character naming: 王-明 keeps 明 second; nothing fits a girl, and the box says so.
    const CliResult fixed = runCli({QStringLiteral("name"), QStringLiteral("王-明"), QStringLiteral("--sex"), QStringLiteral("女")});
    QCOMPARE(fixed.status, 1);
    QCOMPARE(fixed.err, QStringLiteral("对不起，没有找出一组合适的名字来。请更改一些选项后再试试。\n"));
    // 王-华 (华 counts 14 as 華): the free first character runs 3, 7, 11, 17, 19, 21.
    const CliResult fixedBoy = runCli({QStringLiteral("name"), QStringLiteral("王-华")});
    QCOMPARE(fixedBoy.status, 0);
    QVERIFY(fixedBoy.out.startsWith(QStringLiteral("姓名笔画数：4 3 14      五格数：5 7 17 21 15     三才五行：土金金\n")));
    QCOMPARE(fixedBoy.out.count(QStringLiteral("姓名笔画数：")), 6);
    QVERIFY(fixedBoy.out.contains(QStringLiteral("\n\n\n以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\n\n3画的字有：\n")));
}

void TestCli::analysis()
{
    const CliResult two = runCli({QStringLiteral("analyze"), QStringLiteral("张三")});
    QCOMPARE(two.status, 0);
    QVERIFY(two.out.startsWith(QStringLiteral("张三：\n\n    姓名笔画数分别是：11 3 \n    天格、人格、地格、总格、外格数分别为：12 14 4 14 2 \n\n"
                                              "    天格数12数理意义：")));
    QVERIFY(two.out.contains(QStringLiteral("\n    人格与外格数理（四二）搭配，表示个人的人际关系、社交能力、事业等暗示信息：\n")));
    QVERIFY(two.out.contains(QStringLiteral("\n更多信息：\n人格数 14 暗示性格为：内具爆发性品质")));

    // 欧阳明: a compound surname only when asked for.
    const CliResult single = runCli({QStringLiteral("analyze"), QStringLiteral("欧阳明")});
    const CliResult compound = runCli({QStringLiteral("analyze"), QStringLiteral("欧阳明"), QStringLiteral("--surname-kind"),
                                       QStringLiteral("复")});
    QVERIFY(single.out.contains(QStringLiteral("分别为：16 32 25 40 9 \n")));
    QVERIFY(compound.out.contains(QStringLiteral("分别为：32 25 9 40 16 \n")));

    const CliResult missing = runCli({QStringLiteral("analyze"), QStringLiteral("张Q")});
    QCOMPARE(missing.status, 1);
    QCOMPARE(missing.err, QStringLiteral("字库中没有 Q 字，请与程序员联系。\n"));

    const CliResult strokes = runCli({QStringLiteral("strokes-report"), QStringLiteral("5 8 12")});
    QCOMPARE(strokes.status, 0);
    QVERIFY(strokes.out.startsWith(QStringLiteral("姓名笔画数是 5 8 12 的五格数分别是：\n天格、人格、地格、总格、外格：6 13 20 25 13\n\n")));
    const CliResult bad = runCli({QStringLiteral("strokes-report"), QStringLiteral("5 31")});
    QCOMPARE(bad.status, 1);
    QCOMPARE(bad.err, QStringLiteral("汉字笔画数最大是30。\n"));
}

void TestCli::naming()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, status);
    if (status != 2) {
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err);
    }
}

void TestCli::lookups_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("start");
    QTest::newRow("81man 7") << QStringList{QStringLiteral("lookup"), QStringLiteral("81man"), QStringLiteral("7")} << 0
                             << QStringLiteral("第7数暗示意义为：\n\n");
    QTest::newRow("81corp 81") << QStringList{QStringLiteral("lookup"), QStringLiteral("81corp"), QStringLiteral("81")}
                               << 0 << QStringLiteral("第81数暗示意义为：\n\n");
    QTest::newRow("sancai") << QStringList{QStringLiteral("lookup"), QStringLiteral("sancai"), QStringLiteral("1 2 3")}
                            << 0 << QStringLiteral("天格、人格、地格： 1、2、3 之三才五行为：木木火 解释如下：\n\n");
    QTest::newRow("pair") << QStringList{QStringLiteral("lookup"), QStringLiteral("pair"), QStringLiteral("15 8")} << 0
                          << QStringLiteral("人格、外格数： 15、8 所暗示的人际关系、社交能力及事业发展等解释如下：\n\n");
    QTest::newRow("strokes") << QStringList{QStringLiteral("lookup"), QStringLiteral("strokes"), QStringLiteral("张 王")}
                             << 0 << QStringLiteral("“张” 字笔画数是： 11    五行属： 火\n“王” 字笔画数是： 4     五行属： 土\n");
    QTest::newRow("by-strokes") << QStringList{QStringLiteral("lookup"), QStringLiteral("by-strokes"), QStringLiteral("4")}
                                << 0 << QStringLiteral("4 画的字如以所示：\n五行属“金”的字有：\n");
    QTest::newRow("homophones") << QStringList{QStringLiteral("lookup"), QStringLiteral("homophones"), QStringLiteral("李")}
                                << 0 << QStringLiteral("“李”字的同音字有：\n\n");
    QTest::newRow("82") << QStringList{QStringLiteral("lookup"), QStringLiteral("81man"), QStringLiteral("82")} << 1
                        << QString();
    QTest::newRow("unknown kind") << QStringList{QStringLiteral("lookup"), QStringLiteral("81"), QStringLiteral("8")}
                                  << 2 << QString();
}

void TestCli::lookups()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, start);
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, status);
    QVERIFY2(r.out.startsWith(start), qPrintable(r.out));
    if (status == 1)
        QCOMPARE(r.err, QStringLiteral("输入81数应为在1至81之间。\n"));
}

// A copy of the program beside a fixture library: corrections there leave the real library alone, and each
// run is a fresh start of the program.
void TestCli::correctThenLookUp()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("tolvane-cli"));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
    TestLibrary::write(TestLibrary::fixtureContents(), dir.path());
    const auto run = [&program](QStringList arguments) { return runCli(arguments, program); };

    CliResult r = run({QStringLiteral("correct"), QStringLiteral("十"), QStringLiteral("12")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("更改完毕！\n"));
    QCOMPARE(r.err, QString());
    r = run({QStringLiteral("lookup"), QStringLiteral("strokes"), QStringLiteral("十")});
    QCOMPARE(r.out, QStringLiteral("“十” 字笔画数是： 12    五行属： 金\n"));

    const QString range = QStringLiteral("笔画数不能是负数或太大。\n");
    r = run({QStringLiteral("correct"), QStringLiteral("十"), QStringLiteral("51")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, range);
    r = run({QStringLiteral("correct"), QStringLiteral("十"), QStringLiteral("--"), QStringLiteral("-1")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, range);
    r = run({QStringLiteral("correct"), QStringLiteral("龙"), QStringLiteral("5")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("起名字库中没有您输入的汉字。\n"));

    r = run({QStringLiteral("lookup"), QStringLiteral("meaning"), QStringLiteral("青")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("“青” 字义如下： \n\nqīng\n青\n颜色名\n\n\n"));
    r = run({QStringLiteral("lookup"), QStringLiteral("meaning"), QStringLiteral("一")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("字库里没有您输入的字，或者您目前使用的起名字库没有输入字义。如果是后者，请去青禾主页下载带字义的字库。")
                        + AppInfo::webAddress() + QStringLiteral("\n"));
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
