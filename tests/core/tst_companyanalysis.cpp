#include "analysis/CompanyAnalysis.h"
#include "data/NameDatabase.h"
#include "fakes/TestLibrary.h"
#include "reference/NumerologyReference.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

const QString kNote = QStringLiteral("注：如果名称总笔画数超过81，则减去80用其余数。");

// The trade sentences for a total, one per line, as the trade table lists them.
QString tradeLines(int total)
{
    QString lines;
    for (const QString &sentence : reference::sentencesFor(reference::kTrades, total))
        lines += sentence + QStringLiteral("\r\n");
    return lines;
}

QString tens(int count)
{
    return QString(count, QChar(u'十'));
}

// The meaning of a number as the project's own 81corp source gives it.
std::pair<QString, QString> corpSource(int id)
{
    QFile file(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/texts/81corp.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() == 3 && f.at(0) == QString::number(id))
            return {f.at(2), f.at(1)};
    }
    return {};
}

} // namespace

class TestCompanyAnalysis : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void totals_data();
    void totals();
    void headingLayout();
    void inputMessages_data();
    void inputMessages();
    void databaseFailures_data();
    void databaseFailures();
    void tradeSentencesInOrder_data();
    void tradeSentencesInOrder();
    void tradeSentencesForEveryTotal();
    void realCompanyNames_data();
    void realCompanyNames();

private:
    QTemporaryDir m_dir;
    Library m_fixture;
};

void TestCompanyAnalysis::initTestCase()
{
    m_fixture = Library(TestLibrary::write(TestLibrary::fixtureContents(), m_dir.path()));
}

void TestCompanyAnalysis::totals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("folded");
    QTest::addColumn<QString>("meaning"); // empty: no row, the pane keeps its text

    QTest::newRow("24") << tens(2) + QStringLiteral("四") << 24 << 24 << QStringLiteral("二十四数之意（后一行）");
    QTest::newRow("52") << tens(5) + QStringLiteral("二") << 52 << 52 << QStringLiteral("五十二数之意");
    QTest::newRow("81 stays") << tens(8) + QStringLiteral("一") << 81 << 81 << QStringLiteral("八十一数之意");
    QTest::newRow("82 folds to 2") << tens(8) + QStringLiteral("二") << 82 << 2 << QStringLiteral("二数之意");
    QTest::newRow("160 folds to 80") << tens(16) << 160 << 80 << QStringLiteral("八十数之意");
    QTest::newRow("161 folds to 1") << tens(16) + QStringLiteral("一") << 161 << 1 << QStringLiteral("一数之意");
    QTest::newRow("no row for 10") << tens(1) << 10 << 10 << QString();
    QTest::newRow("duplicate rows: first") << QStringLiteral("重") << 9 << 9 << QString();
    QTest::newRow("letter in library") << QStringLiteral("A公司") << 12 << 12 << QString();
    QTest::newRow("outside the BMP") << QStringLiteral("𠀀二十四") << 23 << 23 << QString();
    QTest::newRow("spaces trimmed") << QStringLiteral("  十十四 ") << 24 << 24 << QStringLiteral("二十四数之意（后一行）");
    QTest::newRow("50 characters") << QString(50, QChar(u'一')) << 50 << 50 << QString();
    // 52 UTF-16 units, 26 characters: within the limit.
    QTest::newRow("26 characters outside the BMP") << QStringLiteral("𠀀").repeated(26) << 182 << 22 << QString();
}

void TestCompanyAnalysis::totals()
{
    QFETCH(QString, name);
    QFETCH(int, total);
    QFETCH(int, folded);
    QFETCH(QString, meaning);
    const Outcome<CompanyReport> r = CompanyAnalysis::analyze(name, m_fixture);
    QVERIFY2(!r.message(), qPrintable(r.message() ? r.message()->text : QString()));
    QCOMPARE(r.value->total, total);
    QCOMPARE(r.value->folded, folded);
    QCOMPARE(r.value->replacement.has_value(), !meaning.isEmpty());
    if (r.value->replacement)
        QVERIFY(r.value->replacement->contains(QStringLiteral("\r\n\r\n") + meaning + QStringLiteral(" （")));
    QCOMPARE(r.value->appended, tradeLines(total));
}

void TestCompanyAnalysis::headingLayout()
{
    const Outcome<CompanyReport> r = CompanyAnalysis::analyze(tens(16) + QStringLiteral("一"), m_fixture);
    QCOMPARE(*r.value->replacement, tens(16) + QStringLiteral("一 1 数暗示为（总笔画数是161）：\r\n\r\n一数之意 （吉）\r\n\r\n\r\n")
                                 + kNote + QStringLiteral("\r\n\r\n\r\n"));
    QCOMPARE(r.value->appended, QString()); // nothing above 68 is in a trade list

    const Outcome<CompanyReport> lines = CompanyAnalysis::analyze(QStringLiteral("十十四"), m_fixture);
    QCOMPARE(*lines.value->replacement, QStringLiteral("十十四 24 数暗示为（总笔画数是24）：\r\n\r\n二十四数之意（后一行） （吉）\r\n\r\n\r\n")
                                     + kNote + QStringLiteral("\r\n\r\n\r\n"));
    QCOMPARE(lines.value->appended, QStringLiteral("24、31、41、52、63这些数适宜于“旅社”。\r\n"
                                            "15、16、21、24、32、33、35这些数适宜于“店”。\r\n"
                                            "13、23、24、33、39、41、47、61这些数适宜于“花丽业、银行”。\r\n"
                                            "8、15、18、24、35、38、39、41、52这些数适宜于“古品业”。\r\n"
                                            "11、24、32、35、37、48、61、63、67这些数适宜于“加工业”。\r\n"
                                            "13、23、24、33、37、42、57、63、68这些数适宜于“文艺业”。\r\n"));
}

void TestCompanyAnalysis::inputMessages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("51 characters") << QString(51, QChar(u'一'))
                                   << QStringLiteral("在此最多输入50个字，本程序最多分析50个字的名称。");
    QTest::newRow("51 after trimming") << QStringLiteral(" ") + QString(51, QChar(u'一')) + QStringLiteral(" ")
                                       << QStringLiteral("在此最多输入50个字，本程序最多分析50个字的名称。");
    QTest::newRow("empty") << QString() << QStringLiteral("您还没有输入公司名称。");
    QTest::newRow("spaces only") << QStringLiteral("    ") << QStringLiteral("您还没有输入公司名称。");
    // Letters and blanks the library lacks: said to be no Chinese characters, the name refused.
    QTest::newRow("letter not in library") << QStringLiteral("B公司")
        << QStringLiteral("公司名分析只计算汉字的笔画数。“B公司”中的B不是汉字，本程序没有分析这个名称。"
                          "如果只分析其中的汉字，请输入“公司”。");
    QTest::newRow("letters all named") << QStringLiteral("BCB十们")
        << QStringLiteral("公司名分析只计算汉字的笔画数。“BCB十们”中的B、C不是汉字，本程序没有分析这个名称。"
                          "如果只分析其中的汉字，请输入“十们”。");
    QTest::newRow("space inside") << QStringLiteral("公 司")
        << QStringLiteral("公司名分析只计算汉字的笔画数。“公 司”中的空格不是汉字，本程序没有分析这个名称。"
                          "如果只分析其中的汉字，请输入“公司”。");
    QTest::newRow("full-width space inside") << QStringLiteral("公　司")
        << QStringLiteral("公司名分析只计算汉字的笔画数。“公　司”中的空格不是汉字，本程序没有分析这个名称。"
                          "如果只分析其中的汉字，请输入“公司”。");
    QTest::newRow("unknown character last") << QStringLiteral("公司们") << QStringLiteral("字库里没有 们 字，请与程序员联系。");
}

void TestCompanyAnalysis::inputMessages()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const Outcome<CompanyReport> r = CompanyAnalysis::analyze(name, m_fixture);
    QVERIFY(r.message());
    QCOMPARE(r.message()->text, message);
    QCOMPARE(r.message()->title, QString());
    QCOMPARE(int(r.message()->style), int(UserMessage::Style::Warning));
    QVERIFY(!r.value);
    QVERIFY(!r.databaseFailed);
}

void TestCompanyAnalysis::databaseFailures_data()
{
    QTest::addColumn<QString>("omit");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("missing file") << QString() << QStringLiteral("找不到namedbs.mdb数据库。") << QStringLiteral("找不到数据库");
    QTest::newRow("no name table") << QStringLiteral("name")
                                   << QStringLiteral("找不到namedbs.mdb数据库里的name表或此表在设计状态。")
                                   << QStringLiteral("数据库问题");
    QTest::newRow("no 81corp table") << QStringLiteral("81corp")
                                     << QStringLiteral("找不到namedbs.mdb数据库里的81corp表或此表在设计状态。")
                                     << QStringLiteral("数据库问题");
}

void TestCompanyAnalysis::databaseFailures()
{
    QFETCH(QString, omit);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("namedbs.mdb"));
    if (!omit.isEmpty()) {
        mkdb::LibraryContents contents = TestLibrary::fixtureContents();
        contents.omitTables.insert(omit);
        path = TestLibrary::write(contents, dir.path());
    }
    const Outcome<CompanyReport> r = CompanyAnalysis::analyze(QStringLiteral("青禾"), Library(path));
    QVERIFY(r.message());
    QCOMPARE(r.message()->text, message);
    QCOMPARE(r.message()->title, title);
    QVERIFY(r.databaseFailed);
    QVERIFY(!r.value);
}

void TestCompanyAnalysis::tradeSentencesInOrder_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("trades");
    QTest::newRow("52") << 52
                        << QStringList{QStringLiteral("旅社"), QStringLiteral("厂"), QStringLiteral("公司"),
                                       QStringLiteral("制造业"), QStringLiteral("技艺业"), QStringLiteral("古品业"),
                                       QStringLiteral("医药业"), QStringLiteral("食品业"), QStringLiteral("交通业"),
                                       QStringLiteral("教育业"), QStringLiteral("化工业")};
    QTest::newRow("3") << 3 << QStringList{QStringLiteral("包办业"), QStringLiteral("化工业")};
    QTest::newRow("42") << 42 << QStringList{QStringLiteral("文艺业")};
    QTest::newRow("17") << 17
                        << QStringList{QStringLiteral("制造业"), QStringLiteral("技艺业"), QStringLiteral("包办业"),
                                       QStringLiteral("教育业"), QStringLiteral("钢铁业")};
    QTest::newRow("1") << 1 << QStringList{};
    QTest::newRow("69") << 69 << QStringList{};
    QTest::newRow("124, not folded") << 124 << QStringList{};
}

void TestCompanyAnalysis::tradeSentencesInOrder()
{
    QFETCH(int, total);
    QFETCH(QStringList, trades);
    QStringList found;
    const QStringList lines = CompanyAnalysis::tradeSentences(total).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        QVERIFY(line.endsWith(QStringLiteral("”。")));
        QVERIFY2(line.contains(QString::number(total) + QStringLiteral("、"))
                     || line.contains(QStringLiteral("、") + QString::number(total) + QStringLiteral("这")),
                 qPrintable(line));
        found.append(line.section(QStringLiteral("“"), 1).section(QStringLiteral("”"), 0, 0));
    }
    QCOMPARE(found, trades);
}

void TestCompanyAnalysis::tradeSentencesForEveryTotal()
{
    for (int total = 0; total <= 170; ++total)
        QCOMPARE(CompanyAnalysis::tradeSentences(total), tradeLines(total));
}

void TestCompanyAnalysis::realCompanyNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("trades");
    // Naming strokes count the traditional form and full radicals: 百 6, 度 9; 青 8, 禾 5, 科 9, 技 8 (扌 as 手),
    // 有 6 (月 as 肉), 限 14 (阝 as 阜), 公 4, 司 5; 江 7 (氵 as 水), 河 9.
    QTest::newRow("百度") << QStringLiteral("百度") << 15
                        << QStringList{QStringLiteral("店"), QStringLiteral("美术业"), QStringLiteral("古品业"),
                                       QStringLiteral("医药业")};
    QTest::newRow("青禾科技有限公司") << QStringLiteral("青禾科技有限公司") << 59 << QStringList{};
    QTest::newRow("江河") << QStringLiteral("江河") << 16
                        << QStringList{QStringLiteral("店"), QStringLiteral("美术业"), QStringLiteral("医药业"),
                                       QStringLiteral("交通业")};
}

void TestCompanyAnalysis::realCompanyNames()
{
    QFETCH(QString, name);
    QFETCH(int, total);
    QFETCH(QStringList, trades);
    const Outcome<CompanyReport> r = CompanyAnalysis::analyze(name, Library(TestLibrary::realDatabasePath()));
    QVERIFY2(!r.message(), qPrintable(r.message() ? r.message()->text : QString()));
    QCOMPARE(r.value->total, total);
    const auto [meaning, flag] = corpSource(total);
    QVERIFY(!meaning.isEmpty());
    QCOMPARE(*r.value->replacement, name + QStringLiteral(" %1 数暗示为（总笔画数是%1）：\r\n\r\n").arg(total) + meaning
                                 + QStringLiteral(" （") + flag + QStringLiteral("）\r\n\r\n\r\n") + kNote
                                 + QStringLiteral("\r\n\r\n\r\n"));
    QCOMPARE(r.value->appended.count(QStringLiteral("\r\n")), trades.size());
    for (const QString &trade : trades)
        QVERIFY(r.value->appended.contains(QStringLiteral("“") + trade + QStringLiteral("”")));
}

QTEST_GUILESS_MAIN(TestCompanyAnalysis)
#include "tst_companyanalysis.moc"
