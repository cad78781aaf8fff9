#include "app/AppInfo.h"
#include "app/SettingsStore.h"
#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/TextPane.h"
#include "fakes/CliProcess.h"
#include "fakes/FakePrompter.h"
#include "fakes/TestFiles.h"
#include "fakes/TestLibrary.h"
#include "text/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace tolvane;

namespace {

// The settings store of every command run here: the user's own is never read or written.
QTemporaryDir &configHome()
{
    static QTemporaryDir dir;
    return dir;
}

// The value at a path of keys and indexes ("grids/0/number") in a JSON document.
QJsonValue at(const QJsonValue &root, const QString &path)
{
    QJsonValue value = root;
    for (const QString &step : path.split(QLatin1Char('/'))) {
        bool index = false;
        const int i = step.toInt(&index);
        value = index ? value.toArray().at(i) : value.toObject().value(step);
    }
    return value;
}

// A JSON text of any value, scalars included.
QJsonValue jsonValue(const QString &text)
{
    return QJsonDocument::fromJson(QStringLiteral("[%1]").arg(text).toUtf8()).array().at(0);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void companyPrintsThePane();
    void rtfIsWhatTheWindowStores_data();
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
    void surnameKindFromTheList_data();
    void surnameKindFromTheList();
    void groupsInFixedCharacterNaming_data();
    void groupsInFixedCharacterNaming();
    void json_data();
    void json();
    void batch_data();
    void batch();
    void batchAsJsonLines();
    void batchWithoutItsFile();
    void formatOnlyWhereThereIsOne_data();
    void formatOnlyWhereThereIsOne();
    void birthChart_data();
    void birthChart();
    void namingFromTheBirthChart();
    void classicsReadWhereShipped_data();
    void classicsReadWhereShipped();
    void startupPassword_data();
    void startupPassword();
    void startupPasswordAtATerminal_data();
    void startupPasswordAtATerminal();
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

void TestCli::rtfIsWhatTheWindowStores_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a file") << QStringLiteral("file");
    // A FIFO, like a device, is written to, never replaced by a file.
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("- for standard output") << QStringLiteral("-");
    // Standard output sent to a file: the file gets the RTF, then the text, and loses neither.
    QTest::newRow("/dev/stdout sent to a file") << QStringLiteral("/dev/stdout");
}

void TestCli::rtfIsWhatTheWindowStores()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString company = QStringLiteral("青禾科技有限公司");
    // The same controller, run in-process over the same library, stores byte for byte the same file.
    TextPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher(AppPaths(TestLibrary::binDir()), pane, view, prompter);
    const QString stored = dir.filePath(QStringLiteral("name.rtf"));
    dispatcher.setResultPath(stored);
    dispatcher.execute({Function::CompanyAnalysis, company, {}, {}});
    const QByteArray expected = readAll(stored);
    QVERIFY(expected.startsWith("{\\rtf1\\ansi\\ansicpg936"));

    const QString rtf = dir.filePath(QStringLiteral("out.rtf"));
    const QString output = dir.filePath(QStringLiteral("output.txt"));
    int fifo = -1;
    if (target == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(rtf).constData(), 0600), 0);
        fifo = ::open(QFile::encodeName(rtf).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(fifo >= 0);
    }
    const auto closeFifo = qScopeGuard([fifo] {
        if (fifo >= 0)
            ::close(fifo);
    });
    QProcess p;
    if (target == u"/dev/stdout")
        p.setStandardOutputFile(output);
    p.start(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")),
        {QStringLiteral("company"), company, QStringLiteral("--rtf"), target == u"fifo" || target == u"file" ? rtf : target});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(p.readAllStandardError(), QByteArray());
    if (target == u"file") {
        QCOMPARE(readAll(rtf), expected);
    } else if (target == u"fifo") {
        QByteArray bytes(expected.size() + 1, '\0');
        QCOMPARE(::read(fifo, bytes.data(), size_t(bytes.size())), ssize_t(expected.size()));
        bytes.chop(1);
        QCOMPARE(bytes, expected);
        QVERIFY(QFileInfo(rtf).exists() && !QFileInfo(rtf).isFile());
    } else if (target == u"-") {
        QCOMPARE(p.readAllStandardOutput(), expected);
    } else {
        const QByteArray bytes = readAll(output);
        QVERIFY(bytes.startsWith(expected));
        QVERIFY(bytes.mid(expected.size()).startsWith(company.toUtf8() + " "));
    }
}

void TestCli::messagesGoToStandardError_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("您还没有输入公司名称。\n");
    QTest::newRow("too long") << QString(51, QChar(u'青'))
                              << QStringLiteral("在此最多输入50个字，本程序最多分析50个字的名称。\n");
    // A letter: the same words as in the window, that only Chinese characters count and the name was refused.
    QTest::newRow("not in library") << QStringLiteral("青禾Q")
        << QStringLiteral("公司名分析只计算汉字的笔画数。“青禾Q”中的Q不是汉字，本程序没有分析这个名称。"
                          "如果只分析其中的汉字，请输入“青禾”。\n");
}

void TestCli::messagesGoToStandardError()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    // As text and as JSON: a run without a result prints nothing, not an empty object.
    for (const QStringList &format : { QStringList {}, QStringList { QStringLiteral("--format"), QStringLiteral("json") } }) {
        const CliResult r = runCli(QStringList { QStringLiteral("company"), name } + format);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, message);
        QCOMPARE(r.out, QString());
    }
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
    row("fixed second character", {u"name", u"王-明"});
    row("batch", {u"analyze", u"--batch", u"@names.txt"});
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
        QFile names(dir.filePath(QStringLiteral("names.txt")));
        QVERIFY(names.open(QIODevice::WriteOnly));
        names.write("王明\n李娜\n");
    }
    for (QString &argument : arguments) {
        if (argument.startsWith(QLatin1Char('@')))
            argument = dir.filePath(argument.mid(1));
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
        << 2 << QString() << QString();
    // A surname outside the BMP is one character (two UTF-16 units), not a compound surname: the same
    // configurations as 王, which has the same four strokes.
    QTest::newRow("surname outside the BMP")
        << QStringList{QStringLiteral("name"), QStringLiteral("𠙶"), QStringLiteral("--length"), QStringLiteral("1"),
                       QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--summary-only")}
        << 0 << header + QStringLiteral("姓名笔画数：4 20    五格数：5 24 21 24 2     三才五行：土火木\n") << QString();
    QTest::newRow("compound surname, three characters")
        << QStringList{QStringLiteral("name"), QStringLiteral("欧阳"), QStringLiteral("--length"), QStringLiteral("3")}
        << 1 << QString() << QStringLiteral("复姓最多只能取双字名。\n");
    QTest::newRow("surname too long")
        << QStringList{QStringLiteral("name"), QStringLiteral("诸葛孔明")} << 1 << QString()
        << QStringLiteral("您选择“个人起名”吗？姓氏最多是两个字。\n");
    QTest::newRow("bad sex") << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--sex"),
                                            QStringLiteral("x")}
                             << 2 << QString() << QString();
    const QString listingHeader = QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\n\n");
    QTest::newRow("one character from 诗经, 水") << QStringList { QStringLiteral("name"), QStringLiteral("王"),
        QStringLiteral("--length"), QStringLiteral("1"), QStringLiteral("--luck"), QStringLiteral("全吉"),
        QStringLiteral("--elements"), QStringLiteral("水"), QStringLiteral("--from"), QStringLiteral("诗经") }
                                                 << 0
                                                 << listingHeader
            + QStringLiteral(
                "王姓配20画字，取自诗经，有以下名字可选：\n王怀\n　　怀柔百神，及河乔岳，允王维后。——《诗经·周颂·时迈》\n"
                "王潇\n　　风雨潇潇，鸡鸣胶胶。——《诗经·郑风·风雨》\n"
                "其五格数是（天格、人格、地格、总格、外格）：5 24 21 24 2\n三才是：五四一（土火木）\n\n\n"
                "共有1组良好配置供您选择。\n") << QString();
    QTest::newRow("from 论语, 金: relax the elements")
        << QStringList { QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
               QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--elements"), QStringLiteral("金"),
               QStringLiteral("--from"), QStringLiteral("论语") }
        << 1 << header + QStringLiteral("姓名笔画数：4 20    五格数：5 24 21 24 2     三才五行：土火木\n")
        << QStringLiteral("对不起，在论语中没有找出任何良好名字。您可放宽五行要求再试试。\n");
    QTest::newRow("three characters from the classics")
        << QStringList { QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("3"),
               QStringLiteral("--from"), QStringLiteral("楚辞，宋词") }
        << 1 << QString() << QStringLiteral("从典籍取名只取单字名或双字名，请把名字字数改为单字名或双字名再试试。\n");
    QTest::newRow("a collection not offered") << QStringList { QStringLiteral("name"), QStringLiteral("王"),
        QStringLiteral("--from"), QStringLiteral("诗经,红楼梦") }
                                              << 2 << QString() << QString();
    const QString suggest = QStringLiteral("suggest");
    QTest::newRow("suggest: three characters") << QStringList { suggest, QStringLiteral("王"), QStringLiteral("--length"),
        QStringLiteral("3") } << 1 << QString() << QStringLiteral("推荐名字只推荐单字名或双字名。\n");
    QTest::newRow("suggest: two characters to include") << QStringList { suggest, QStringLiteral("王"),
        QStringLiteral("--include"), QStringLiteral("山水") } << 1 << QString() << QStringLiteral("必须用的字只能填一个字。\n");
    QTest::newRow("suggest: no names asked for") << QStringList { suggest, QStringLiteral("王"), QStringLiteral("--count"),
        QStringLiteral("0") } << 2 << QString() << QString();
    QTest::newRow("suggest: strokes the wrong way round") << QStringList { suggest, QStringLiteral("王"),
        QStringLiteral("--min-strokes"), QStringLiteral("20"), QStringLiteral("--max-strokes"), QStringLiteral("10") }
        << 1 << QString() << QStringLiteral("每个字的最少、最多笔画数须在1到30之间，且最少不大于最多。\n");
    QTest::newRow("suggest: a character not in the library") << QStringList { suggest, QStringLiteral("王"),
        QStringLiteral("--include"), QStringLiteral("Q") } << 1 << QString() << QStringLiteral("字库中没有“Q”字，无法用它起名。\n");
    QTest::newRow("compare: a name of five characters") << QStringList { QStringLiteral("compare"), QStringLiteral("王明"),
        QStringLiteral("诸葛孔明明") } << 1 << QString() << QStringLiteral("“诸葛孔明明”不是两到四个字的全名。\n");
    QTest::newRow("compare: one name") << QStringList { QStringLiteral("compare"), QStringLiteral("王明") } << 2
                                       << QString() << QString();
}

void TestCli::listing()
{
    const CliResult r = runCli({QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
                                QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--elements"), QStringLiteral("木")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\n\n王姓配20画字，有以下字可选：\n")));
    QVERIFY(r.out.contains(QStringLiteral("\n其五格数是（天格、人格、地格、总格、外格）：5 24 21 24 2\n三才是：五四一（土火木）\n\n\n共有1组良好配置供您选择。\n")));

    // Fixed-character naming: 王-明 keeps 明 second; nothing fits whatever the options, and the message says
    // that the fixed character is the cause.
    const CliResult fixed = runCli({QStringLiteral("name"), QStringLiteral("王-明"), QStringLiteral("--sex"), QStringLiteral("女")});
    QCOMPARE(fixed.status, 1);
    QCOMPARE(fixed.err, QStringLiteral("“明”字作为名字的第二个字，与“王”姓配出的所有笔画组合都不吉利，无论选择哪种性别、"
                                       "是否允许半吉，都找不出合适的名字。“明”字放在名字的哪个位置都是这样，请换一个字再试。\n"));
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

    // 欧阳明: a compound surname by the list, unless told otherwise.
    const CliResult single = runCli({ QStringLiteral("analyze"), QStringLiteral("欧阳明"),
        QStringLiteral("--surname-kind"), QStringLiteral("单") });
    const CliResult compound = runCli({ QStringLiteral("analyze"), QStringLiteral("欧阳明") });
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
                                << 0 << QStringLiteral("4 画的字如下所示：\n五行属“金”的字有：\n");
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
    QTest::addColumn<QString>("error"); // the first line on standard error; empty: the help itself
    QTest::newRow("no command") << QStringList{} << 2 << QString();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("fly")} << 2
                                     << QStringLiteral("tolvane-cli：没有“fly”这个命令。");
    QTest::newRow("missing name") << QStringList{QStringLiteral("company")} << 2
                                  << QStringLiteral("tolvane-cli：company 的参数不对，应为：tolvane-cli company NAME");
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QString();
    QTest::newRow("unknown option") << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--lenght=2")}
                                    << 2 << QStringLiteral("tolvane-cli：没有 --lenght 这个选项。");
    QTest::newRow("option without its value")
        << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length")} << 2
        << QStringLiteral("tolvane-cli：选项 --length 后面缺少值 N。");
    QTest::newRow("a choice not offered")
        << QStringList{QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--sex"), QStringLiteral("中")} << 2
        << QStringLiteral("tolvane-cli：选项 --sex 只能是 男、女 之一，而不是“中”。");
    QTest::newRow("negative count without --")
        << QStringList{QStringLiteral("correct"), QStringLiteral("王"), QStringLiteral("-5")} << 2
        << QStringLiteral("tolvane-cli：没有 -5 这个选项；负数请写在 -- 之后，如 correct 王 -- -5。");
    // What the input brings is shown, not obeyed: no line break, escape sequence or right-to-left override
    // reaches the terminal.
    QTest::newRow("control characters")
        << QStringList{QStringLiteral("fly\n\x1b[2J\u202Eevil")} << 2
        << QStringLiteral("tolvane-cli：没有“fly\\n\\x1b[2J\\u202eevil”这个命令。");
    QTest::newRow("an element that is none") << QStringList { QStringLiteral("name"), QStringLiteral("王"),
        QStringLiteral("--elements"), QStringLiteral("金X") } << 2
        << QStringLiteral("tolvane-cli：选项 --elements 的值只能由金木水火土中的字组成，而不是“金X”。");
}

void TestCli::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("COLUMNS"));
    const CliResult r = runCli(arguments, {}, {}, environment);
    QCOMPARE(r.status, status);
    const QString said = status == 0 ? r.out : r.err;
    QVERIFY(said.contains(QStringLiteral("用法：tolvane-cli")));
    if (!error.isEmpty()) {
        QCOMPARE(said.section(QLatin1Char('\n'), 0, 0), error);
        return;
    }
    // The help fits a terminal of 80 columns, where a Chinese character takes two.
    for (const QString &line : said.split(QLatin1Char('\n'))) {
        int columns = 0;
        for (const char32_t c : line.toUcs4())
            columns += c >= 0x1100 ? 2 : 1;
        QVERIFY2(columns <= 80, qPrintable(line));
    }
}

void TestCli::surnameKindFromTheList_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("grids");
    const QString analyze = QStringLiteral("analyze");
    const QString kind = QStringLiteral("--surname-kind");
    QTest::newRow("欧阳明华: listed") << QStringList { analyze, QStringLiteral("欧阳明华") }
                                      << QStringLiteral("32 25 22 54 29");
    QTest::newRow("欧阳明华 told 单") << QStringList { analyze, QStringLiteral("欧阳明华"), kind, QStringLiteral("单") }
                                      << QStringLiteral("16 32 39 54 22");
    QTest::newRow("司马迁: listed") << QStringList { analyze, QStringLiteral("司马迁") }
                                    << QStringLiteral("15 29 20 34 6");
    QTest::newRow("诸葛亮: listed") << QStringList { analyze, QStringLiteral("诸葛亮") }
                                    << QStringLiteral("31 24 10 40 17");
    QTest::newRow("王小明: not listed") << QStringList { analyze, QStringLiteral("王小明") }
                                        << QStringLiteral("5 7 11 15 9");
    QTest::newRow("王小明 told 复") << QStringList { analyze, QStringLiteral("王小明"), kind, QStringLiteral("复") }
                                    << QStringLiteral("7 11 9 15 5");
    // Two characters are a single surname and a given name, whatever the list holds.
    QTest::newRow("欧阳: two characters")
        << QStringList { analyze, QStringLiteral("欧阳") } << QStringLiteral("16 32 18 32 2");
    // 马司: the list's order of the characters counts.
    QTest::newRow("马司明: not listed") << QStringList { analyze, QStringLiteral("马司明") }
                                        << QStringLiteral("11 15 13 23 9");
}

void TestCli::surnameKindFromTheList()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, grids);
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("天格、人格、地格、总格、外格数分别为：") + grids + QStringLiteral(" \n")),
        qPrintable(r.out.left(200)));
}

void TestCli::groupsInFixedCharacterNaming_data()
{
    QTest::addColumn<QString>("groups"); // empty: the option left out
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QString>("err");
    QTest::newRow("left out: six") << QString() << 0 << 6 << QString();
    QTest::newRow("one") << QStringLiteral("1") << 0 << 1 << QString();
    QTest::newRow("two") << QStringLiteral("2") << 0 << 2 << QString();
    // 王-华 has seven good configurations with the free character counted from 1 to 30.
    QTest::newRow("twenty: all seven there are") << QStringLiteral("20") << 0 << 7 << QString();
    QTest::newRow("21") << QStringLiteral("21") << 2 << 0
                        << QStringLiteral("tolvane-cli：选项 --groups 的值应在 1 至 20 之间，而不是 21。\n");
    QTest::newRow("32768, past 16 bits") << QStringLiteral("32768") << 2 << 0
                        << QStringLiteral("tolvane-cli：选项 --groups 的值应在 1 至 20 之间，而不是 32768。\n");
    QTest::newRow("text") << QStringLiteral("六") << 2 << 0
                          << QStringLiteral("tolvane-cli：选项 --groups 的值应为 1 至 20 之间的整数，而不是“六”。\n");
}

void TestCli::groupsInFixedCharacterNaming()
{
    QFETCH(QString, groups);
    QFETCH(int, status);
    QFETCH(int, listed);
    QFETCH(QString, err);
    QStringList arguments { QStringLiteral("name"), QStringLiteral("王-华") };
    if (!groups.isEmpty())
        arguments << QStringLiteral("--groups") << groups;
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, status);
    QCOMPARE(r.err.left(err.isEmpty() ? -1 : err.size()), err);
    QCOMPARE(r.out.count(QStringLiteral("画的字有：")), listed);
}

void TestCli::json_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("checks"); // path=JSON value
    const QString lookup = QStringLiteral("lookup");
    QTest::newRow("analyze 欧阳明华")
        << QStringList { QStringLiteral("analyze"), QStringLiteral("欧阳明华") }
        << QStringList { QStringLiteral("surname=\"欧阳\""), QStringLiteral("givenName=\"明华\""),
               QStringLiteral("surnameKind=\"复\""), QStringLiteral("strokes=[15,17,8,14]"),
               QStringLiteral("grids/0/grid=\"天格\""), QStringLiteral("grids/0/number=32"),
               QStringLiteral("grids/3/number=54"), QStringLiteral("grids/3/meaningNumber=54"),
               QStringLiteral("grids/0/verdict=\"吉\""), QStringLiteral("sancai/elements=\"木土木\""),
               QStringLiteral("sancai/numerals=\"二五二\""), QStringLiteral("pairing/key=\"五九\""),
               QStringLiteral("pairing/verdict=\"凶\""), QStringLiteral("sound/pinyin=\"Ōuyáng Mínghuá\"") };
    QTest::newRow("analyze 张三") << QStringList { QStringLiteral("analyze"), QStringLiteral("张三") }
                                  << QStringList { QStringLiteral("surnameKind=\"单\""),
                                         QStringLiteral("strokes=[11,3]"), QStringLiteral("grids/4/number=2") };
    QTest::newRow("strokes-report") << QStringList { QStringLiteral("strokes-report"), QStringLiteral("5 8 12") }
                                    << QStringList { QStringLiteral("strokes=[5,8,12]"),
                                           QStringLiteral("grids/1/number=13"), QStringLiteral("surnameKind=\"单\"") };
    QTest::newRow("company 百度") << QStringList { QStringLiteral("company"), QStringLiteral("百度") }
                                  << QStringList { QStringLiteral("total=15"), QStringLiteral("number=15"),
                                         QStringLiteral("verdict=\"吉\""),
                                         QStringLiteral("characters/1/character=\"度\""),
                                         QStringLiteral("characters/1/strokes=9"),
                                         QStringLiteral("trades/0=\"15、16、21、24、32、33、35这些数适宜于“店”。\"") };
    QTest::newRow("81man 7") << QStringList { lookup, QStringLiteral("81man"), QStringLiteral("7") }
                             << QStringList { QStringLiteral("number=7"), QStringLiteral("verdict=\"吉\"") };
    QTest::newRow("sancai") << QStringList { lookup, QStringLiteral("sancai"), QStringLiteral("1 2 3") }
                            << QStringList { QStringLiteral("numbers=[1,2,3]"), QStringLiteral("elements=\"木木火\"") };
    QTest::newRow("pair") << QStringList { lookup, QStringLiteral("pair"), QStringLiteral("15 8") }
                          << QStringList { QStringLiteral("numbers=[15,8]"), QStringLiteral("key=\"五八\"") };
    QTest::newRow("strokes") << QStringList { lookup, QStringLiteral("strokes"), QStringLiteral("张Q") }
                             << QStringList { QStringLiteral("characters/0/strokes=11"),
                                    QStringLiteral("characters/0/element=\"火\""),
                                    QStringLiteral("characters/1/character=\"Q\""),
                                    QStringLiteral("characters/1/strokes=null") };
    QTest::newRow("by-strokes") << QStringList { lookup, QStringLiteral("by-strokes"), QStringLiteral("4") }
                                << QStringList { QStringLiteral("strokes=4"),
                                       QStringLiteral("elements/0/element=\"金\""),
                                       QStringLiteral("elements/4/element=\"土\""),
                                       QStringLiteral("elements/0/characters/0=\"才\"") };
    QTest::newRow("homophones") << QStringList { lookup, QStringLiteral("homophones"), QStringLiteral("李") }
                                << QStringList { QStringLiteral("character=\"李\""),
                                       QStringLiteral("readings/0/reading=\"lǐ\""),
                                       QStringLiteral("readings/0/characters/1=\"李\"") };
    QTest::newRow("meaning") << QStringList { lookup, QStringLiteral("meaning"), QStringLiteral("青") }
                             << QStringList { QStringLiteral("characters/0/pinyin=\"qīng\""),
                                    QStringLiteral("characters/0/traditional=\"青\"") };
    QTest::newRow("name, configurations only")
        << QStringList { QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
               QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--summary-only") }
        << QStringList { QStringLiteral("surnameStrokes=[4]"), QStringLiteral("configurations/0/strokes=[20]"),
               QStringLiteral("configurations/0/grids=[5,24,21,24,2]"),
               QStringLiteral("configurations/0/sancai/elements=\"土火木\""), QStringLiteral("groups=null") };
    QTest::newRow("name, listed") << QStringList { QStringLiteral("name"), QStringLiteral("王"),
        QStringLiteral("--length"), QStringLiteral("1"), QStringLiteral("--luck"), QStringLiteral("全吉"),
        QStringLiteral("--elements"), QStringLiteral("木") }
                                  << QStringList { QStringLiteral("elements=\"木\""), QStringLiteral("luck=\"全吉\""),
                                         QStringLiteral("groups/0/strokes=[20]"),
                                         QStringLiteral("groups/0/candidates/0/0=\"觉\"") };
    QTest::newRow("name 王-华") << QStringList { QStringLiteral("name"), QStringLiteral("王-华"),
        QStringLiteral("--groups"), QStringLiteral("2") }
                                << QStringList { QStringLiteral("fixed=\"华\""), QStringLiteral("fixedStrokes=14"),
                                       QStringLiteral("freePosition=1"), QStringLiteral("groups/0/strokes=[3,14]"),
                                       QStringLiteral("groups/0/grids=[5,7,17,21,15]"),
                                       QStringLiteral("groups/2=null") };
    QTest::newRow("name --from") << QStringList { QStringLiteral("name"), QStringLiteral("王"),
        QStringLiteral("--length"), QStringLiteral("1"), QStringLiteral("--luck"), QStringLiteral("全吉"),
        QStringLiteral("--from"), QStringLiteral("诗经") }
                                 << QStringList { QStringLiteral("groups/0/strokes=[20]"),
                                        QStringLiteral("groups/0/grids=[5,24,21,24,2]"),
                                        QStringLiteral("groups/0/names/0/name=\"怀\""),
                                        QStringLiteral("groups/0/names/0/collection=\"诗经\""),
                                        QStringLiteral("groups/0/names/0/title=\"周颂·时迈\""),
                                        QStringLiteral("groups/0/names/0/verse=\"怀柔百神，及河乔岳，允王维后。\"") };
    // A birth time heads the suggestions with its chart, as it heads every naming from a birth time.
    QTest::newRow("suggest 王 --born") << QStringList { QStringLiteral("suggest"), QStringLiteral("王"), QStringLiteral("--count"),
        QStringLiteral("1"), QStringLiteral("--born"), QStringLiteral("2024-02-04 16:30") }
                                       << QStringList { QStringLiteral("elements=\"火土\""),
                                              QStringLiteral("birthChart/pillars/3=\"庚申\""),
                                              QStringLiteral("birthChart/suggested/1=\"土\"") };
    QTest::newRow("suggest 王") << QStringList { QStringLiteral("suggest"), QStringLiteral("王"), QStringLiteral("--count"),
        QStringLiteral("5"), QStringLiteral("--exclude"), QStringLiteral("子") }
                                << QStringList { QStringLiteral("surname=\"王\""), QStringLiteral("sex=\"男\""),
                                       QStringLiteral("length=2"), QStringLiteral("count=5"), QStringLiteral("exclude=\"子\""),
                                       QStringLiteral("sources=[\"字库\",\"诗经,论语,楚辞,孟子,大学,中庸,唐诗,宋词,宋诗\"]"),
                                       QStringLiteral("halfUsed=false"), QStringLiteral("names/0/surname=\"王\""),
                                       QStringLiteral("names/0/grids/0=5"), QStringLiteral("names/0/level=\"全吉\""),
                                       QStringLiteral("names/4/gridLuck/1=\"全吉\""), QStringLiteral("names/5=null") };
    QTest::newRow("compare") << QStringList { QStringLiteral("compare"), QStringLiteral("王思远"), QStringLiteral("欧阳明华"),
        QStringLiteral("--sex"), QStringLiteral("男") }
                             << QStringList { QStringLiteral("names/0/name=\"王思远\""), QStringLiteral("names/0/strokes=[9,17]"),
                                    QStringLiteral("names/0/grids=[5,13,26,30,18]"), QStringLiteral("names/0/gridLuck/2=\"凶\""),
                                    QStringLiteral("names/1/surname=\"欧阳\""), QStringLiteral("names/1/given=\"明华\""),
                                    QStringLiteral("names/1/grids=[32,25,22,54,29]"), QStringLiteral("names/1/pairKey=\"五九\""),
                                    QStringLiteral("names/1/level=\"凶\""), QStringLiteral("names/2=null") };
    QTest::newRow("name 王-华 --from") << QStringList { QStringLiteral("name"), QStringLiteral("王-华"),
        QStringLiteral("--groups"), QStringLiteral("2"), QStringLiteral("--from"), QStringLiteral("唐诗") }
                                       // The verses are searched over every good configuration: 11 strokes is
                                       // the third, beyond the two groups asked for the summary.
                                       << QStringList { QStringLiteral("fixed=\"华\""),
                                              QStringLiteral("groups/0/strokes=[11,14]"),
                                              QStringLiteral("groups/0/names/0/name=\"英华\""),
                                              QStringLiteral("groups/0/names/0/author=\"元结\"") };
}

void TestCli::json()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, checks);
    const CliResult r = runCli(arguments + QStringList { QStringLiteral("--format"), QStringLiteral("json") });
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    // One object on one line.
    QCOMPARE(r.out.count(QLatin1Char('\n')), 1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    for (const QString &check : checks) {
        const QString path = check.section(QLatin1Char('='), 0, 0);
        const QJsonValue expected = jsonValue(check.section(QLatin1Char('='), 1));
        const QJsonValue actual = at(document.object(), path);
        QVERIFY2(actual == expected || (expected.isNull() && actual.isUndefined()),
            qPrintable(path + QStringLiteral(": ") + QString::fromUtf8(QJsonDocument(QJsonArray { actual }).toJson())));
    }
    // The text is what the pane shows, as the text output prints it.
    QString text = document.object().value(QStringLiteral("text")).toString();
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    QCOMPARE(text, runCli(arguments).out);
}

void TestCli::batch_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines");
    const QString zhangSan = QStringLiteral("张三\t单\t11 3\t12 14 4 14 2\t凶 凶 凶 凶 凶\t木火火 吉\t四二 吉");
    const QString ouyang
        = QStringLiteral("欧阳明华\t复\t15 17 8 14\t32 25 22 54 29\t吉 半吉 凶 凶 吉\t木土木 凶\t五九 凶");
    const QStringList both { zhangSan, ouyang };
    const QByteArray names = QStringLiteral("张三\n欧阳明华\n").toUtf8();
    QTest::newRow("UTF-8") << names << QStringList {} << 0 << both;
    QTest::newRow("UTF-8 with BOM, CR LF, no last line break")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("张三\r\n欧阳明华").toUtf8() << QStringList {} << 0 << both;
    QStringEncoder gb18030("GB18030");
    QTest::newRow("GB18030") << QByteArray(gb18030.encode(QStringLiteral("张三\r\n欧阳明华\r\n"))) << QStringList {}
                             << 0 << both;
    // Notepad's "Unicode", both byte orders.
    for (const auto &[name, encoding] : { std::pair { "UTF-16LE", QStringEncoder::Utf16LE },
             std::pair { "UTF-16BE", QStringEncoder::Utf16BE } }) {
        QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
        QTest::newRow(name) << QByteArray(encoder.encode(QStringLiteral("张三\r\n欧阳明华\r\n"))) << QStringList {}
                            << 0 << both;
    }
    QTest::newRow("bad lines, and the run goes on")
        << QStringLiteral("\n张Q\nJohn\n王明明明明\n王\n王𪚥\n张三\n").toUtf8() << QStringList {} << 1
        << QStringList { QStringLiteral("\t错误：空行，没有姓名。"),
               QStringLiteral("张Q\t错误：“Q”不是汉字，姓名只能由汉字组成。"),
               QStringLiteral("John\t错误：“J”不是汉字，姓名只能由汉字组成。"),
               QStringLiteral("王明明明明\t错误：姓名太长，本程序最长分析4个字的名字。"),
               QStringLiteral("王\t错误：您选择“姓名分析”吗？请输入全名。"),
               QStringLiteral("王𪚥\t错误：字库中没有 𪚥 字。"), zhangSan };
    QTest::newRow("the kind on the line")
        << QStringLiteral("欧阳明\t单\n王小明\t复\n王明\t复\n王明\tX\n王明\t单\t多\n欧阳明华\t\n").toUtf8()
        << QStringList {} << 1
        << QStringList { QStringLiteral("欧阳明\t单\t15 17 8\t16 32 25 40 9\t吉 吉 半吉 凶 凶\t土木土 凶\t二九 半吉"),
               QStringLiteral("王小明\t复\t4 3 8\t7 11 9 15 5\t吉 吉 凶 吉 吉\t金木水 凶\t一五 吉"),
               QStringLiteral("王明 复\t错误：两个字的姓名不能是复姓。"),
               QStringLiteral("王明 X\t错误：第二栏只能是“单”或“复”。"),
               QStringLiteral("王明 单 多\t错误：一行只能有两栏：姓名，和可省略的“单”或“复”，以制表符隔开。"), ouyang };
    // --surname-kind answers for every name of three or four characters whose line does not say.
    QTest::newRow("the kind for the run")
        << QStringLiteral("欧阳明华\n欧阳明华\t复\n张三\n").toUtf8()
        << QStringList { QStringLiteral("--surname-kind"), QStringLiteral("单") } << 0
        << QStringList { QStringLiteral(
                             "欧阳明华\t单\t15 17 8 14\t16 32 39 54 22\t吉 吉 半吉 凶 凶\t土木水 凶\t二二 半吉"),
               ouyang, zhangSan };
    QTest::newRow("--surname-kind leaves two-character names alone")
        << QStringLiteral("欧阳明华\n张三\n").toUtf8()
        << QStringList { QStringLiteral("--surname-kind"), QStringLiteral("复") } << 0 << QStringList { ouyang, zhangSan };
    QTest::newRow("CR LF: the line break is no part of the input echoed")
        << QStringLiteral("John\r\n张三\t单\r\n").toUtf8() << QStringList {} << 1
        << QStringList { QStringLiteral("John\t错误：“J”不是汉字，姓名只能由汉字组成。"), zhangSan };
    QTest::newRow("empty input") << QByteArray() << QStringList {} << 0 << QStringList {};
    // GBK bytes that are also valid UTF-8 (the guess would read other characters): the encoding named.
    QTest::newRow("GBK that is valid UTF-8, --encoding gb18030")
        << QByteArray(gb18030.encode(QStringLiteral("郑伟\r\n"))) << QStringList { QStringLiteral("--encoding"), QStringLiteral("gb18030") }
        << 0 << QStringList { QStringLiteral("郑伟\t单\t19 11\t20 30 12 30 2\t凶 半吉 凶 半吉 凶\t水水木 凶\t十二 半吉") };
}

void TestCli::batch()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    // From a file, and from standard input.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("names.txt"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(input);
    f.close();
    for (const QString &source : { file, QStringLiteral("-") }) {
        const CliResult r
            = runCli(QStringList { QStringLiteral("analyze"), QStringLiteral("--batch"), source } + arguments, {},
                source == file ? QByteArray() : input);
        QCOMPARE(r.status, status);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
    // Each analysed line says what analysing the name alone says.
    for (const QString &line : lines) {
        const QStringList columns = line.split(QLatin1Char('\t'));
        if (columns.size() < 7)
            continue;
        const CliResult alone = runCli({ QStringLiteral("analyze"), columns[0], QStringLiteral("--surname-kind"),
            columns[1], QStringLiteral("--format"), QStringLiteral("json") });
        const QJsonObject fields = QJsonDocument::fromJson(alone.out.toUtf8()).object();
        QStringList grids;
        QStringList verdicts;
        for (const QJsonValue &grid : fields.value(QStringLiteral("grids")).toArray()) {
            grids << QString::number(grid[QStringLiteral("number")].toInt());
            verdicts << grid[QStringLiteral("verdict")].toString();
        }
        QCOMPARE(columns[3], grids.join(QLatin1Char(' ')));
        QCOMPARE(columns[4], verdicts.join(QLatin1Char(' ')));
        QCOMPARE(columns[5],
            at(fields, QStringLiteral("sancai/elements")).toString() + QLatin1Char(' ')
                + at(fields, QStringLiteral("sancai/verdict")).toString());
    }
}

void TestCli::batchAsJsonLines()
{
    const QByteArray input = QStringLiteral("欧阳明华\nJohn\n司马迁\t单\n").toUtf8();
    const CliResult r = runCli({ QStringLiteral("analyze"), QStringLiteral("--batch"), QStringLiteral("-"),
                                   QStringLiteral("--format"), QStringLiteral("json") },
        {}, input);
    QCOMPARE(r.status, 1);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QList<QJsonObject> objects;
    for (const QString &line : lines) {
        QJsonParseError error;
        objects.append(QJsonDocument::fromJson(line.toUtf8(), &error).object());
        QCOMPARE(error.error, QJsonParseError::NoError);
    }
    QCOMPARE(objects[0].value(QStringLiteral("line")).toInt(), 1);
    QCOMPARE(objects[0].value(QStringLiteral("surname")).toString(), QStringLiteral("欧阳"));
    QCOMPARE(objects[0].value(QStringLiteral("surnameKindGiven")).toBool(), false);
    QCOMPARE(objects[1].value(QStringLiteral("input")).toString(), QStringLiteral("John"));
    QCOMPARE(objects[1].value(QStringLiteral("error")).toString(), QStringLiteral("“J”不是汉字，姓名只能由汉字组成。"));
    QVERIFY(!objects[1].contains(QStringLiteral("grids")));
    QCOMPARE(objects[2].value(QStringLiteral("surname")).toString(), QStringLiteral("司"));
    QCOMPARE(objects[2].value(QStringLiteral("surnameKindGiven")).toBool(), true);

    // A batch line holds the fields of the same name analysed alone, without the report's whole text.
    const CliResult alone = runCli(
        { QStringLiteral("analyze"), QStringLiteral("欧阳明华"), QStringLiteral("--format"), QStringLiteral("json") });
    QJsonObject single = QJsonDocument::fromJson(alone.out.toUtf8()).object();
    QVERIFY(single.contains(QStringLiteral("text")));
    single.remove(QStringLiteral("text"));
    QJsonObject fromBatch = objects[0];
    for (const char *key : { "line", "input", "surnameKindGiven" })
        fromBatch.remove(QLatin1String(key));
    QCOMPARE(fromBatch, single);
}

void TestCli::batchWithoutItsFile()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.txt"));
    CliResult r = runCli({ QStringLiteral("analyze"), QStringLiteral("--batch"), missing });
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("找不到姓名文件“%1”。\n").arg(missing));
    r = runCli({ QStringLiteral("analyze"), QStringLiteral("--batch"), dir.path() });
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("找不到姓名文件“%1”。\n").arg(dir.path()));

    // Without the library, the library's message and nothing else.
    const QString program = dir.filePath(QStringLiteral("tolvane-cli"));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
    r = runCli({ QStringLiteral("analyze"), QStringLiteral("--batch"), QStringLiteral("-") }, program,
        QStringLiteral("张三\n").toUtf8());
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("找不到namedbs.mdb数据库。\n"));
}

void TestCli::formatOnlyWhereThereIsOne_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a name and a batch") << QStringList { QStringLiteral("analyze"), QStringLiteral("张三"),
        QStringLiteral("--batch"), QStringLiteral("-") };
    QTest::newRow("a batch stores no name.rtf") << QStringList { QStringLiteral("analyze"), QStringLiteral("--batch"),
        QStringLiteral("-"), QStringLiteral("--rtf"), QStringLiteral("x.rtf") };
    QTest::newRow("unknown format") << QStringList { QStringLiteral("company"), QStringLiteral("百度"),
        QStringLiteral("--format"), QStringLiteral("xml") };
    QTest::newRow("read has no JSON") << QStringList { QStringLiteral("read"), QStringLiteral("xinmingge"),
        QStringLiteral("--format"), QStringLiteral("json") };
    QTest::newRow("correct has no JSON") << QStringList { QStringLiteral("correct"), QStringLiteral("十"),
        QStringLiteral("10"), QStringLiteral("--format"), QStringLiteral("json") };
    QTest::newRow("JSON and RTF both on standard output") << QStringList { QStringLiteral("company"),
        QStringLiteral("百度"), QStringLiteral("--rtf"), QStringLiteral("-"), QStringLiteral("--format"),
        QStringLiteral("json") };
}

void TestCli::formatOnlyWhereThereIsOne()
{
    QFETCH(QStringList, arguments);
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, 2);
    QCOMPARE(r.out, QString());
    QVERIFY(r.err.contains(QStringLiteral("用法：tolvane-cli")));
}

void TestCli::birthChart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line"); // a line of the chart, or the message
    const QString bazi = QStringLiteral("bazi");
    QTest::newRow("after 立春") << QStringList { bazi, QStringLiteral("2024-02-04 16:30") } << 0
                                << QStringLiteral("八字：甲辰 丙寅 戊戌 庚申");
    QTest::newRow("23:30 is the next day's 子 hour")
        << QStringList { bazi, QStringLiteral("2024-02-04 23:30") } << 0 << QStringLiteral("八字：甲辰 丙寅 己亥 甲子");
    QTest::newRow("夜子时 keeps the day's pillar")
        << QStringList { bazi, QStringLiteral("2024-02-04 23:30"), QStringLiteral("--late-zi-same-day") } << 0
        << QStringLiteral("八字：甲辰 丙寅 戊戌 甲子");
    // 16:30 in Tokyo is 15:30 in Beijing, before 立春.
    QTest::newRow("another zone") << QStringList { bazi, QStringLiteral("2024-02-04 16:30"),
        QStringLiteral("--utc-offset"), QStringLiteral("+09:00") }
                                  << 0 << QStringLiteral("八字：癸卯 乙丑 戊戌 庚申");
    QTest::newRow("true solar time") << QStringList { bazi, QStringLiteral("2024-02-04 17:10"),
        QStringLiteral("--longitude"), QStringLiteral("116.4") }
                                     << 0 << QStringLiteral("真太阳时：2024年2月4日 16:41（东经116.4°");
    QTest::newRow("leap day") << QStringList { bazi, QStringLiteral("2024-02-29 12:00") } << 0
                              << QStringLiteral("八字：甲辰 丙寅 癸亥 戊午");
    QTest::newRow("no such day") << QStringList { bazi, QStringLiteral("2023-02-29 08:00") } << 1
                                 << QStringLiteral("2023年2月只有28天，没有29日。");
    QTest::newRow("24:00") << QStringList { bazi, QStringLiteral("2024-02-04 24:00") } << 1
                           << QStringLiteral("小时须在0至23之间，午夜零点请写作次日的 00:00。");
    QTest::newRow("text") << QStringList { bazi, QStringLiteral("昨天") } << 1
                          << QStringLiteral(
                                 "无法识别出生时间“昨天”，请按“年-月-日 时:分”输入，例如 2024-02-04 16:30。");
    QTest::newRow("year out of range") << QStringList { bazi, QStringLiteral("2101-01-01 00:00") } << 1
                                       << QStringLiteral("出生年份须在1900年至2100年之间。");
    QTest::newRow("bad longitude") << QStringList {
        bazi, QStringLiteral("2024-02-04 16:30"), QStringLiteral("--longitude"), QStringLiteral("200")
    } << 1 << QStringLiteral("经度须是-180至180之间的数（东经为正，西经为负），例如 116.4。");
    QTest::newRow("bad zone") << QStringList { bazi, QStringLiteral("2024-02-04 16:30"), QStringLiteral("--utc-offset"),
        QStringLiteral("+15:00") }
                              << 1 << QStringLiteral("时区须写作 +08:00 这样的形式，在 -12:00 至 +14:00 之间。");
}

void TestCli::birthChart()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, line);
    const CliResult r = runCli(arguments);
    QCOMPARE(r.status, status);
    if (status != 0) {
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, line + QLatin1Char('\n'));
        return;
    }
    QCOMPARE(r.err, QString());
    QVERIFY2(r.out.contains(line), qPrintable(r.out));
    // The same chart as the lookup of the window's list, and as JSON.
    QStringList lookup { QStringLiteral("lookup"), QStringLiteral("bazi"), arguments.at(1) };
    if (arguments.contains(QStringLiteral("--longitude")))
        lookup.last() += QStringLiteral(" 116.4");
    if (arguments.contains(QStringLiteral("--utc-offset")))
        lookup.last() += QStringLiteral(" +09:00");
    if (arguments.contains(QStringLiteral("--late-zi-same-day")))
        lookup.last() += QStringLiteral(" 夜子时");
    QCOMPARE(runCli(lookup).out, r.out);
    const CliResult json = runCli(arguments + QStringList { QStringLiteral("--format"), QStringLiteral("json") });
    QCOMPARE(json.status, 0);
    const QJsonObject fields = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(fields.value(QStringLiteral("text")).toString(), r.out);
    const QString pillars = r.out.section(QStringLiteral("八字："), 1).section(QLatin1Char('\n'), 0, 0);
    QStringList fromJson;
    for (const QJsonValue &pillar : fields.value(QStringLiteral("pillars")).toArray())
        fromJson << pillar.toString();
    QCOMPARE(fromJson.join(QLatin1Char(' ')), pillars);
}

// name --born ticks the elements the chart suggests: the same run as --elements with them, headed by the chart
// (its pillars, the elements and the reason) in the text, the RTF and the JSON.
void TestCli::namingFromTheBirthChart()
{
    const QStringList naming { QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"),
        QStringLiteral("1"), QStringLiteral("--luck"), QStringLiteral("全吉") };
    QTemporaryDir dir;
    const QString rtf = dir.filePath(QStringLiteral("born.rtf"));
    const CliResult born = runCli(naming
        + QStringList { QStringLiteral("--born"), QStringLiteral("2024-02-04 16:30"), QStringLiteral("--rtf"), rtf });
    const CliResult ticked = runCli(naming + QStringList { QStringLiteral("--elements"), QStringLiteral("火土") });
    QCOMPARE(born.status, 0);
    const QString header = QStringLiteral("生辰八字：甲辰 丙寅 戊戌 庚申（2024年2月4日 16:30 北京时间）\n名字五行：火、土\n"
                                          "理由：日主戊土生于寅月，");
    QVERIFY2(born.out.startsWith(header), qPrintable(born.out.left(300)));
    const qsizetype blank = born.out.indexOf(QStringLiteral("\n\n"));
    QCOMPARE(born.out.left(blank).count(QLatin1Char('\n')), 2);
    QCOMPARE(born.out.mid(blank + 2), ticked.out);
    QVERIFY(born.out.contains(QStringLiteral("有以下字可选")));
    QVERIFY(!ticked.out.contains(QStringLiteral("生辰八字")));
    QFile stored(rtf);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const std::optional<RtfDocument> document = RtfReader::read(stored.readAll());
    QVERIFY(document);
    QString storedText;
    for (const RtfRun &run : *document)
        storedText += run.text;
    QVERIFY2(storedText.startsWith(header), qPrintable(storedText.left(300)));

    const CliResult json = runCli(naming
        + QStringList { QStringLiteral("--born"), QStringLiteral("2024-02-04 16:30"), QStringLiteral("--format"),
            QStringLiteral("json") });
    const QJsonObject fields = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(fields.value(QStringLiteral("elements")).toString(), QStringLiteral("火土"));
    const QJsonObject chart = fields.value(QStringLiteral("birthChart")).toObject();
    QCOMPARE(chart.value(QStringLiteral("pillars")).toArray(),
        (QJsonArray { QStringLiteral("甲辰"), QStringLiteral("丙寅"), QStringLiteral("戊戌"), QStringLiteral("庚申") }));
    QCOMPARE(chart.value(QStringLiteral("suggested")).toArray(), (QJsonArray { QStringLiteral("火"), QStringLiteral("土") }));
    QVERIFY(chart.value(QStringLiteral("reason")).toString().startsWith(QStringLiteral("日主戊土生于寅月")));
    QCOMPARE(fields.value(QStringLiteral("text")).toString(), born.out);
    const CliResult tickedJson
        = runCli(naming + QStringList { QStringLiteral("--elements"), QStringLiteral("火土"), QStringLiteral("--format"),
            QStringLiteral("json") });
    QVERIFY(!QJsonDocument::fromJson(tickedJson.out.toUtf8()).object().contains(QStringLiteral("birthChart")));
    // Fixed-character naming is headed the same way.
    const CliResult fixed = runCli({ QStringLiteral("name"), QStringLiteral("李-华"), QStringLiteral("--born"),
        QStringLiteral("2024-02-04 16:30") });
    QCOMPARE(fixed.status, 0);
    QVERIFY2(fixed.out.startsWith(header), qPrintable(fixed.out.left(300)));
    // A zone moves the birth before 立春: 癸卯 乙丑 戊戌 庚申 is another chart.
    const CliResult tokyo = runCli(naming
        + QStringList { QStringLiteral("--born"), QStringLiteral("2024-02-04 16:30"), QStringLiteral("--utc-offset"),
            QStringLiteral("+09:00"), QStringLiteral("--summary-only"), QStringLiteral("--format"),
            QStringLiteral("json") });
    QCOMPARE(tokyo.status, 0);
    QVERIFY(QJsonDocument::fromJson(tokyo.out.toUtf8()).object().contains(QStringLiteral("elements")));

    const CliResult bad = runCli(naming + QStringList { QStringLiteral("--born"), QStringLiteral("2024-13-01 08:00") });
    QCOMPARE(bad.status, 1);
    QCOMPARE(bad.out, QString());
    QCOMPARE(bad.err, QStringLiteral("月份须在1至12之间。\n"));
    const CliResult both = runCli(naming
        + QStringList { QStringLiteral("--born"), QStringLiteral("2024-02-04 16:30"), QStringLiteral("--elements"),
            QStringLiteral("金") });
    QCOMPARE(both.status, 2);
}

void TestCli::classicsReadWhereShipped_data()
{
    QTest::addColumn<QString>("place"); // where classics.db lies, relative to the program's folder; empty: nowhere
    QTest::newRow("beside the program") << QStringLiteral("classics.db");
    QTest::newRow("installed, in share/tolvane") << QStringLiteral("../share/tolvane/classics.db");
    QTest::newRow("nowhere") << QString();
    // No result as JSON: the configurations alone are not what was asked for.
    QTest::newRow("nowhere, as JSON") << QStringLiteral("json");
}

// A copy of the program reads classics.db where it was shipped, beside itself or in the installed data folder,
// and never copies it.
void TestCli::classicsReadWhereShipped()
{
    QFETCH(QString, place);
    const bool json = place == u"json";
    if (json)
        place.clear();
    QTemporaryDir dir;
    const QDir bin(dir.filePath(QStringLiteral("bin")));
    QVERIFY(QDir().mkpath(bin.path()));
    const QString program = bin.filePath(QStringLiteral("tolvane-cli"));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), bin.filePath(QStringLiteral("namedbs.mdb"))));
    if (!place.isEmpty()) {
        const QString target = QDir::cleanPath(bin.filePath(place));
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        QVERIFY(QFile::link(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db")), target));
    }
    const CliResult r = runCli(
        QStringList { QStringLiteral("name"), QStringLiteral("王"), QStringLiteral("--length"), QStringLiteral("1"),
            QStringLiteral("--luck"), QStringLiteral("全吉"), QStringLiteral("--from"), QStringLiteral("诗经") }
            + (json ? QStringList { QStringLiteral("--format"), QStringLiteral("json") } : QStringList {}),
        program);
    QCOMPARE(r.status, place.isEmpty() ? 1 : 0);
    if (json)
        QCOMPARE(r.out, QString());
    QCOMPARE(r.out.contains(QStringLiteral("王怀\n　　怀柔百神，及河乔岳，允王维后。——《诗经·周颂·时迈》\n")), !place.isEmpty());
    QCOMPARE(r.err,
        place.isEmpty() ? QStringLiteral("找不到classics.db典籍库，或者它已损坏，无法从典籍取名。\n") : QString());
    QCOMPARE(QFile::exists(bin.filePath(QStringLiteral("classics.db"))), place == u"classics.db");
}

void TestCli::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome().path()));
}

void TestCli::startupPassword_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("passwordFile"); // written to pw.txt when not empty
    QTest::addColumn<QString>("err");
    const QString wrong = QStringLiteral("密码不对，请重新输入密码。忘记密码请与青禾联系！\n");
    const QStringList lookup { QStringLiteral("lookup"), QStringLiteral("strokes"), QStringLiteral("王") };
    const QStringList fromFile = lookup + QStringList { QStringLiteral("--password-file"), QStringLiteral("@pw.txt") };
    QTest::newRow("piped, blanks around") << lookup << QByteArray(" 青禾 1 \n") << QByteArray() << QString();
    QTest::newRow("from a file, CRLF") << fromFile << QByteArray("wrong\n") << QByteArray("青禾 1\r\nmore\r\n")
                                       << QString();
    QTest::newRow("piped, CR LF") << lookup << QByteArray("青禾 1\r\n") << QByteArray() << QString();
    QTest::newRow("piped, no line break after it") << lookup << QByteArray("青禾 1") << QByteArray() << QString();
    QTest::newRow("wrong") << lookup << QByteArray("青禾\n") << QByteArray() << wrong;
    QTest::newRow("none given") << lookup << QByteArray() << QByteArray() << wrong;
    QTest::newRow("wrong in the file") << fromFile << QByteArray("青禾 1\n") << QByteArray("青禾\n") << wrong;
    QTest::newRow("no such file") << fromFile << QByteArray("青禾 1\n") << QByteArray()
                                  << QStringLiteral("无法读取密码文件“%1”。\n");
    QTest::newRow("the correction too") << QStringList { QStringLiteral("correct"), QStringLiteral("王"),
        QStringLiteral("5") } << QByteArray("青禾\n") << QByteArray() << wrong;
    QTest::newRow("batch on standard input")
        << QStringList { QStringLiteral("analyze"), QStringLiteral("--batch"), QStringLiteral("-") }
        << QByteArray("青禾 1\n王明\n") << QByteArray()
        << QStringLiteral("已设置启动密码，而标准输入是姓名文件：请用 --password-file 给出启动密码。\n");
    QTest::newRow("batch on /dev/stdin")
        << QStringList { QStringLiteral("analyze"), QStringLiteral("--batch"), QStringLiteral("/dev/stdin") }
        << QByteArray("青禾 1\n王明\n") << QByteArray()
        << QStringLiteral("已设置启动密码，而标准输入是姓名文件：请用 --password-file 给出启动密码。\n");
}

// With a start-up password set in the window, nothing runs from the command line without it: no output, status
// 1, the window's message, and the library as it was.
void TestCli::startupPassword()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, passwordFile);
    QFETCH(QString, err);
    SettingsStore settings;
    QVERIFY(settings.write(QStringLiteral("StartPass"), QStringLiteral("青禾 1")));
    const auto noPassword = qScopeGuard([&settings] { (void)settings.write(QStringLiteral("StartPass"), QString()); });

    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("tolvane-cli"));
    const QString library = dir.filePath(QStringLiteral("namedbs.mdb"));
    QVERIFY(QFile::copy(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")), program));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), library));
    if (!passwordFile.isEmpty()) {
        QFile file(dir.filePath(QStringLiteral("pw.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(passwordFile);
    }
    for (QString &argument : arguments) {
        if (argument.startsWith(QLatin1Char('@')))
            argument = dir.filePath(argument.mid(1));
    }
    QFile before(library);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();

    const CliResult r = runCli(arguments, program, input);
    if (err.contains(QLatin1String("%1")))
        err = err.arg(dir.filePath(QStringLiteral("pw.txt")));
    QCOMPARE(r.err, err);
    QCOMPARE(r.status, err.isEmpty() ? 0 : 1);
    if (err.isEmpty()) {
        QVERIFY(r.out.startsWith(QStringLiteral("“王” 字笔画数是： 4")));
        return;
    }
    QCOMPARE(r.out, QString());
    QFile after(library);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QVERIFY(after.readAll() == bytes);
}

void TestCli::startupPasswordAtATerminal_data()
{
    QTest::addColumn<QList<QByteArray>>("typed"); // one entry for each prompt, in order
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("wrongMessages");
    QTest::newRow("wrong, asked again, right") << QList<QByteArray> { "青禾\n", "青禾 1\n" } << 0 << 1;
    QTest::newRow("wrong twice, then Ctrl-D") << QList<QByteArray> { "x\n", "y\n", "\x04" } << 1 << 2;
}

// At a terminal the password is typed unseen and asked for again after a wrong one, as the window does; Ctrl-D
// gives up. The program runs with its standard input on a pseudo-terminal, and each line is typed once the
// prompt is shown and the echo is off.
void TestCli::startupPasswordAtATerminal()
{
    QFETCH(QList<QByteArray>, typed);
    QFETCH(int, status);
    QFETCH(int, wrongMessages);
    SettingsStore settings;
    QVERIFY(settings.write(QStringLiteral("StartPass"), QStringLiteral("青禾 1")));
    const auto noPassword = qScopeGuard([&settings] { (void)settings.write(QStringLiteral("StartPass"), QString()); });

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    const auto closeMaster = qScopeGuard([master] { ::close(master); });
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const QByteArray terminal = ::ptsname(master);
    QProcess p;
    p.setChildProcessModifier([terminal] {
        ::setsid();
        const int fd = ::open(terminal.constData(), O_RDWR);
        ::dup2(fd, STDIN_FILENO);
        ::close(fd);
    });
    p.setReadChannel(QProcess::StandardError);
    p.start(QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")),
        { QStringLiteral("lookup"), QStringLiteral("strokes"), QStringLiteral("王") });
    QVERIFY(p.waitForStarted());
    const QString prompt = QStringLiteral("输入启动密码:");
    QByteArray err;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        QDeadlineTimer deadline(20000);
        const auto echoOff = [master] {
            termios t {};
            return ::tcgetattr(master, &t) == 0 && !(t.c_lflag & ECHO);
        };
        while (QString::fromUtf8(err).count(prompt) <= i || !echoOff()) {
            QVERIFY2(!deadline.hasExpired() && p.state() == QProcess::Running,
                qPrintable(QStringLiteral("no prompt %1: %2").arg(i + 1).arg(QString::fromUtf8(err))));
            p.waitForReadyRead(50);
            err += p.readAllStandardError();
        }
        QCOMPARE(::write(master, typed.at(i).constData(), size_t(typed.at(i).size())), ssize_t(typed.at(i).size()));
    }
    QVERIFY(p.waitForFinished(20000));
    err += p.readAllStandardError();
    const QString errText = QString::fromUtf8(err);
    QCOMPARE(p.exitCode(), status);
    QCOMPARE(errText.count(prompt), typed.size());
    QCOMPARE(errText.count(QStringLiteral("密码不对，请重新输入密码。")), wrongMessages);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QCOMPARE(out.startsWith(QStringLiteral("“王” 字笔画数是： 4")), status == 0);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
