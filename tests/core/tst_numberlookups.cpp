#include "analysis/NumberLookups.h"
#include "fakes/TestLibrary.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

using Lookup = LookupAnswer (*)(const QString &, const Library &);

Lookup lookupNamed(const QString &name)
{
    if (name == QLatin1String("81man"))
        return &NumberLookups::personalNumber;
    if (name == QLatin1String("81corp"))
        return &NumberLookups::companyNumber;
    if (name == QLatin1String("sancai"))
        return &NumberLookups::sancai;
    return &NumberLookups::personOuterPairing;
}

} // namespace

class TestNumberLookups : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void inputMessages_data();
    void inputMessages();
    void databaseFailures_data();
    void databaseFailures();
    void noMatchingRowLeavesThePane();
    void everyKeyHasARow();
};

void TestNumberLookups::answers_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("heading");
    QTest::newRow("person 7 with spaces") << QStringLiteral("81man") << QStringLiteral("  7 ")
                                          << QStringLiteral("第7数暗示意义为：");
    QTest::newRow("person 07") << QStringLiteral("81man") << QStringLiteral("07") << QStringLiteral("第7数暗示意义为：");
    QTest::newRow("person 7.5 rounds to 8") << QStringLiteral("81man") << QStringLiteral("7.5")
                                            << QStringLiteral("第8数暗示意义为：");
    QTest::newRow("company 81") << QStringLiteral("81corp") << QStringLiteral("81") << QStringLiteral("第81数暗示意义为：");
    QTest::newRow("sancai 1 2 3") << QStringLiteral("sancai") << QStringLiteral("1 2 3")
                                  << QStringLiteral("天格、人格、地格： 1、2、3 之三才五行为：木木火 解释如下：");
    QTest::newRow("sancai 11   12 13") << QStringLiteral("sancai") << QStringLiteral("11   12 13")
                                       << QStringLiteral("天格、人格、地格： 11、12、13 之三才五行为：木木火 解释如下：");
    QTest::newRow("sancai 10 20 30") << QStringLiteral("sancai") << QStringLiteral("10 20 30")
                                     << QStringLiteral("天格、人格、地格： 10、20、30 之三才五行为：水水水 解释如下：");
    QTest::newRow("pair 15 8") << QStringLiteral("pair") << QStringLiteral("15 8")
                               << QStringLiteral("人格、外格数： 15、8 所暗示的人际关系、社交能力及事业发展等解释如下：");
    QTest::newRow("pair 20 1") << QStringLiteral("pair") << QStringLiteral("20 1")
                               << QStringLiteral("人格、外格数： 20、1 所暗示的人际关系、社交能力及事业发展等解释如下：");
}

void TestNumberLookups::answers()
{
    QFETCH(QString, lookup);
    QFETCH(QString, input);
    QFETCH(QString, heading);
    const LookupAnswer a = lookupNamed(lookup)(input, Library(TestLibrary::realDatabasePath()));
    QVERIFY2(!a.message(), qPrintable(a.message() ? a.message()->text : QString()));
    QVERIFY(a.value);
    const QStringList lines = a.value->text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), heading);
    QCOMPARE(lines.at(1), QString());
    QVERIFY(lines.at(2).contains(QStringLiteral("。  （")));
    QVERIFY(lines.at(2).endsWith(QStringLiteral("）")));
}

void TestNumberLookups::inputMessages_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("warning");
    const QString range = QStringLiteral("输入81数应为在1至81之间。");
    const QString number = QStringLiteral("输入81数应为数字。");
    for (const QString &table : {QStringLiteral("81man"), QStringLiteral("81corp")}) {
        QTest::addRow("%s 0", qPrintable(table)) << table << QStringLiteral("0") << range << true;
        QTest::addRow("%s 82", qPrintable(table)) << table << QStringLiteral("82") << range << true;
        QTest::addRow("%s -3", qPrintable(table)) << table << QStringLiteral("-3") << range << true;
        QTest::addRow("%s empty", qPrintable(table)) << table << QString() << number << true;
        QTest::addRow("%s abc", qPrintable(table)) << table << QStringLiteral("abc") << number << true;
        QTest::addRow("%s 40000", qPrintable(table)) << table << QStringLiteral("40000") << number << true;
    }
    QTest::newRow("sancai too few") << QStringLiteral("sancai") << QStringLiteral("5 8")
                                    << QStringLiteral("输入位数不够，应有三位数，并以空格隔开。") << false;
    QTest::newRow("pair range") << QStringLiteral("pair") << QStringLiteral("15 0")
                                << QStringLiteral("外格数必须在1至81之间。") << false;
}

void TestNumberLookups::inputMessages()
{
    QFETCH(QString, lookup);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(bool, warning);
    const LookupAnswer a = lookupNamed(lookup)(input, Library(TestLibrary::realDatabasePath()));
    QVERIFY(a.message());
    QCOMPARE(a.message()->text, message);
    QCOMPARE(a.message()->style == UserMessage::Style::Warning, warning);
    QCOMPARE(a.message()->title, QString());
    QVERIFY(!a.value);
}

void TestNumberLookups::databaseFailures_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("input");
    QTest::newRow("81man") << QStringLiteral("81man") << QStringLiteral("5");
    QTest::newRow("81corp") << QStringLiteral("81corp") << QStringLiteral("5");
    QTest::newRow("sancai") << QStringLiteral("sancai") << QStringLiteral("1 2 3");
    QTest::newRow("wrGe") << QStringLiteral("pair") << QStringLiteral("1 2");
}

void TestNumberLookups::databaseFailures()
{
    QFETCH(QString, lookup);
    QFETCH(QString, input);
    QTemporaryDir dir;
    const LookupAnswer missing = lookupNamed(lookup)(input, Library(dir.filePath(QStringLiteral("namedbs.mdb"))));
    QVERIFY(missing.databaseFailed);
    QCOMPARE(missing.message()->text, QStringLiteral("找不到namedbs.mdb数据库。"));

    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    const QString table = QString::fromLatin1(QTest::currentDataTag());
    contents.omitTables.insert(table);
    const LookupAnswer noTable = lookupNamed(lookup)(input, Library(TestLibrary::write(contents, dir.path())));
    QVERIFY(noTable.databaseFailed);
    QCOMPARE(noTable.message()->text, QStringLiteral("找不到namedbs.mdb数据库里的%1表或此表在设计状态。").arg(table));
    QCOMPARE(noTable.message()->title, QStringLiteral("数据库问题"));
}

void TestNumberLookups::noMatchingRowLeavesThePane()
{
    // The fixture library has company meanings for a few numbers only and no 三才 rows.
    QTemporaryDir dir;
    const Library db(TestLibrary::write(TestLibrary::fixtureContents(), dir.path()));
    const LookupAnswer company = NumberLookups::companyNumber(QStringLiteral("3"), db);
    QVERIFY(!company.message());
    QVERIFY(!company.value);
    const LookupAnswer last = NumberLookups::companyNumber(QStringLiteral("24"), db);
    QVERIFY(last.value->text.endsWith(QStringLiteral("二十四数之意（后一行）  （吉）")));
    QVERIFY(!NumberLookups::sancai(QStringLiteral("1 2 3"), db).value);
}

void TestNumberLookups::everyKeyHasARow()
{
    // The library's texts answer every number, triple and pair a person can type.
    const Library db(TestLibrary::realDatabasePath());
    for (int n = 1; n <= 81; ++n)
        QVERIFY2(NumberLookups::personalNumber(QString::number(n), db).value, qPrintable(QString::number(n)));
    for (int a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b) {
            const QString pair = QStringLiteral("%1 %2").arg(a).arg(b);
            QVERIFY2(NumberLookups::personOuterPairing(pair, db).value, qPrintable(pair));
            for (int c = 1; c <= 10; c += 2) {
                const QString triple = QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(c);
                QVERIFY2(NumberLookups::sancai(triple, db).value, qPrintable(triple));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestNumberLookups)
#include "tst_numberlookups.moc"
