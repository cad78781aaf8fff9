#include "analysis/GridNumberParser.h"

#include <QTest>

using namespace tolvane;

class TestGridNumberParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void three_data();
    void three();
    void two_data();
    void two();
};

namespace {

void addColumns()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QList<int>>("numbers");
}

} // namespace

void TestGridNumberParser::three_data()
{
    addColumns();
    const QString tooFew = QStringLiteral("输入位数不够，应有三位数，并以空格隔开。");
    const QString notDigits = QStringLiteral("输入必须为数字！");
    const QString tooBig = QStringLiteral("输入的数据太大，应小于81。");
    QTest::newRow("1 2 3") << QStringLiteral("1 2 3") << QString() << QList<int>{1, 2, 3};
    QTest::newRow("several spaces") << QStringLiteral("  11   12 13 ") << QString() << QList<int>{11, 12, 13};
    QTest::newRow("leading zeros") << QStringLiteral("010 020 030") << QString() << QList<int>{10, 20, 30};
    QTest::newRow("too few") << QStringLiteral("5 8") << tooFew << QList<int>{};
    QTest::newRow("empty") << QString() << tooFew << QList<int>{};
    QTest::newRow("commas") << QStringLiteral("5,8,9") << notDigits << QList<int>{};
    QTest::newRow("full-width digits") << QStringLiteral("１ 2 3") << notDigits << QList<int>{};
    QTest::newRow("81 everywhere") << QStringLiteral("81 81 81") << QString() << QList<int>{81, 81, 81};
    QTest::newRow("82 third") << QStringLiteral("81 81 82") << QStringLiteral("地格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("82 second") << QStringLiteral("81 82 81") << QStringLiteral("人格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("82 first") << QStringLiteral("82 1 1") << QStringLiteral("天格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("0 second") << QStringLiteral("1 0 1") << QStringLiteral("人格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("0 third") << QStringLiteral("1 1 0") << QStringLiteral("地格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("four numbers") << QStringLiteral("1 2 3 4") << QString() << QList<int>{1, 2, 3};
    QTest::newRow("walk ends at the fourth") << QStringLiteral("1 2 3 4 x") << QString() << QList<int>{1, 2, 3};
    QTest::newRow("letter before the fourth") << QStringLiteral("1 2 3 x") << notDigits << QList<int>{};
    QTest::newRow("overflow") << QStringLiteral("1 99999 3") << tooBig << QList<int>{};
    QTest::newRow("overflow then letter: the letter first") << QStringLiteral("99999 x") << notDigits << QList<int>{};
    QTest::newRow("overflow, too few: too few first") << QStringLiteral("99999 1") << tooFew << QList<int>{};
    QTest::newRow("32767 is a number") << QStringLiteral("32767 1 1") << QStringLiteral("天格数必须在1至81之间。")
                                       << QList<int>{};
    QTest::newRow("60 characters are read") << QStringLiteral("1 2 3 ") + QString(54, QLatin1Char('0'))
                                            << QString() << QList<int>{1, 2, 3};
    QTest::newRow("61 characters") << QString(61, QLatin1Char('1')) << QStringLiteral("输入的数据太长,请重新输入!")
                                   << QList<int>{};
    QTest::newRow("tab ends a number, then is no digit") << QStringLiteral("1\t2 3") << notDigits << QList<int>{};
}

void TestGridNumberParser::three()
{
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(QList<int>, numbers);
    const GridNumberParser::Numbers r = GridNumberParser::parseThree(input);
    QCOMPARE(r.message() ? r.message()->text : QString(), message);
    if (r.message())
        QCOMPARE(int(r.message()->style), int(UserMessage::Style::Plain));
    else
        QCOMPARE((QList<int>{(*r.value)[0], (*r.value)[1], (*r.value)[2]}), numbers);
}

void TestGridNumberParser::two_data()
{
    addColumns();
    const QString tooBig = QStringLiteral("输入的数据太大，应小于81。");
    QTest::newRow("15 8") << QStringLiteral("15 8") << QString() << QList<int>{15, 8};
    QTest::newRow("20 1") << QStringLiteral("20 1") << QString() << QList<int>{20, 1};
    QTest::newRow("third read, not used") << QStringLiteral("15 8 99") << QString() << QList<int>{15, 8};
    QTest::newRow("walk ends at the third") << QStringLiteral("15 8 9 x") << QString() << QList<int>{15, 8};
    QTest::newRow("81 81") << QStringLiteral("81 81") << QString() << QList<int>{81, 81};
    QTest::newRow("82 outer") << QStringLiteral("81 82") << QStringLiteral("外格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("one number") << QStringLiteral("15") << QStringLiteral("输入位数不够，应有两位数，并以空格隔开。")
                                << QList<int>{};
    QTest::newRow("0 outer") << QStringLiteral("15 0") << QStringLiteral("外格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("82 person") << QStringLiteral("82 5") << QStringLiteral("人格数必须在1至81之间。") << QList<int>{};
    QTest::newRow("overflow then letter: overflow first") << QStringLiteral("99999 x") << tooBig << QList<int>{};
    QTest::newRow("overflow in the unused third") << QStringLiteral("1 2 99999") << tooBig << QList<int>{};
    QTest::newRow("letter") << QStringLiteral("1a 2") << QStringLiteral("输入必须为数字！") << QList<int>{};
}

void TestGridNumberParser::two()
{
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(QList<int>, numbers);
    const GridNumberParser::Numbers r = GridNumberParser::parseTwo(input);
    QCOMPARE(r.message() ? r.message()->text : QString(), message);
    if (!r.message())
        QCOMPARE((QList<int>{(*r.value)[0], (*r.value)[1]}), numbers);
}

QTEST_GUILESS_MAIN(TestGridNumberParser)
#include "tst_gridnumberparser.moc"
