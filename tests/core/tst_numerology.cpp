#include "numerology/ConfigSearch.h"
#include "numerology/DigitTables.h"
#include "numerology/FiveGrids.h"
#include "numerology/LuckRules.h"
#include "reference/NumerologyReference.h"

#include <QTest>

using namespace tolvane;

namespace {

FiveGrids grids(std::initializer_list<int> surname, std::initializer_list<int> given)
{
    const std::vector<int> s(surname);
    const std::vector<int> g(given);
    return FiveGrids::compute(int(s.size()), s.data(), int(g.size()), g.data());
}

SearchInput request(int surnameLength, std::array<qint16, 2> strokes, int nameLength, const char16_t *luck,
                    const char16_t *sex, int groupLimit = 7, int start = 1)
{
    SearchInput in;
    in.surnameLength = surnameLength;
    in.surnameStrokes = strokes;
    in.nameLength = nameLength;
    in.luckLevel = luckLevelFromText(QStringView(luck));
    in.sex = sexFromText(QStringView(sex)).value_or(Sex::Male);
    in.groupLimit = groupLimit;
    in.firstStrokeStart = start;
    return in;
}

QList<QList<int>> foundStrokes(const ConfigTables &t, int nameLength)
{
    QList<QList<int>> groups;
    for (int k = 1; k < t.configNext; ++k) {
        QList<int> g;
        for (int p = 0; p < nameLength; ++p)
            g.append(t.strokes[k][p]);
        groups.append(g);
    }
    return groups;
}

} // namespace

class TestNumerology : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void digitClasses_data();
    void digitClasses();
    void sancaiAndPairKeys();
    void gridRule_data();
    void gridRule();
    void numberClasses_data();
    void numberClasses();
    void tripleAndPairLists();
    void judgingEveryConfiguration_data();
    void judgingEveryConfiguration();
    void search_data();
    void search();
    void searchKeepsStalePositions();
    void searchWithoutRequest();
    void summaryLines();
};

void TestNumerology::digitClasses_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("numeral");
    QTest::addColumn<QString>("element");
    const QStringList numerals{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"), QStringLiteral("四"),
                               QStringLiteral("五"), QStringLiteral("六"), QStringLiteral("七"), QStringLiteral("八"),
                               QStringLiteral("九"), QStringLiteral("十")};
    const QStringList elements{QStringLiteral("木"), QStringLiteral("木"), QStringLiteral("火"), QStringLiteral("火"),
                               QStringLiteral("土"), QStringLiteral("土"), QStringLiteral("金"), QStringLiteral("金"),
                               QStringLiteral("水"), QStringLiteral("水")};
    for (int n = 1; n <= 10; ++n)
        QTest::addRow("%d", n) << n << numerals.at(n - 1) << elements.at(n - 1);
    QTest::newRow("81") << 81 << QStringLiteral("一") << QStringLiteral("木");
    QTest::newRow("100") << 100 << QStringLiteral("十") << QStringLiteral("水");
    QTest::newRow("1003, a character missing from the library") << 1003 << QStringLiteral("三") << QStringLiteral("火");
}

void TestNumerology::digitClasses()
{
    QFETCH(int, n);
    QFETCH(QString, numeral);
    QFETCH(QString, element);
    QCOMPARE(QString(DigitTables::numeral(n)), numeral);
    QCOMPARE(QString(DigitTables::elementChar(n)), element);
}

void TestNumerology::sancaiAndPairKeys()
{
    const Sancai s = Sancai::compute(5, 12, 9);
    QCOMPARE(s.numeralTriple, QStringLiteral("五二九"));
    QCOMPARE(s.elementTriple, QStringLiteral("土木水"));
    QCOMPARE(computePairKey(12, 2), QStringLiteral("二二"));
    QCOMPARE(Sancai::compute(10, 20, 30).numeralTriple, QStringLiteral("十十十"));
    QCOMPARE(Sancai::compute(10, 20, 30).elementTriple, QStringLiteral("水水水"));
    QCOMPARE(computePairKey(15, 8), QStringLiteral("五八"));
    QCOMPARE(computePairKey(20, 1), QStringLiteral("十一"));
}

void TestNumerology::gridRule_data()
{
    QTest::addColumn<QList<int>>("surname");
    QTest::addColumn<QList<int>>("given");
    QTest::addColumn<QList<int>>("expected"); // 天 人 地 总 外
    QTest::newRow("single, one character") << QList<int>{4} << QList<int>{8} << QList<int>{5, 12, 9, 12, 2};
    QTest::newRow("single, two characters") << QList<int>{7} << QList<int>{5, 11} << QList<int>{8, 12, 16, 23, 12};
    QTest::newRow("single, three characters: no added 1 in 外格")
        << QList<int>{7} << QList<int>{5, 11, 3} << QList<int>{8, 12, 19, 26, 14};
    QTest::newRow("compound, one character") << QList<int>{10, 6} << QList<int>{9} << QList<int>{16, 15, 10, 25, 11};
    QTest::newRow("compound, two characters: 外格 is S1 + G2")
        << QList<int>{10, 6} << QList<int>{9, 4} << QList<int>{16, 15, 13, 29, 14};
    QTest::newRow("missing character (999)") << QList<int>{999} << QList<int>{5, 6}
                                             << QList<int>{1000, 1004, 11, 1010, 7};
}

void TestNumerology::gridRule()
{
    QFETCH(QList<int>, surname);
    QFETCH(QList<int>, given);
    QFETCH(QList<int>, expected);
    const FiveGrids g = FiveGrids::compute(int(surname.size()), surname.constData(), int(given.size()), given.constData());
    const auto list = g.list();
    QCOMPARE(QList<int>(list.begin(), list.end()), expected);
}

void TestNumerology::numberClasses_data()
{
    QTest::addColumn<QString>("luckClass");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("全吉") << QStringLiteral("全吉") << reference::kFullNumbers;
    QTest::newRow("半吉") << QStringLiteral("半吉") << reference::kHalfOnlyNumbers;
    QTest::newRow("凶") << QStringLiteral("凶") << reference::kBadNumbers + QList<int>{0, -1, 82, 100, 1000};
}

void TestNumerology::numberClasses()
{
    QFETCH(QString, luckClass);
    QFETCH(QList<int>, numbers);
    for (int n : numbers) {
        QCOMPARE(luckLevelText(LuckRules::luckClass(n)), luckClass);
        QCOMPARE(LuckRules::isFullNumber(n), luckClass == u"全吉");
        QCOMPARE(LuckRules::isHalfNumber(n), luckClass != u"凶");
    }
    // The three lists hold every number 1..81 once.
    const QList<int> all = reference::kFullNumbers + reference::kHalfOnlyNumbers + reference::kBadNumbers;
    QCOMPARE(QSet<int>(all.begin(), all.end()).size(), 81);
    QCOMPARE(all.size(), 81);
}

void TestNumerology::tripleAndPairLists()
{
    const QString elements = reference::kElements;
    for (QChar a : elements) {
        for (QChar b : elements) {
            for (QChar c : elements) {
                const QString triple = QString(a) + b + c;
                const bool full = reference::kFullSancai.contains(triple);
                QCOMPARE(LuckRules::isFullSancai(triple), full);
                QCOMPARE(LuckRules::isHalfSancai(triple), full || reference::kHalfOnlySancai.contains(triple));
            }
        }
    }
    for (QChar a : reference::kNumerals) {
        for (QChar b : reference::kNumerals) {
            const QString pair = QString(a) + b;
            const bool full = reference::kFullPairs.contains(pair);
            QCOMPARE(LuckRules::isFullPair(pair), full);
            QCOMPARE(LuckRules::isHalfPair(pair), full || reference::kHalfOnlyPairs.contains(pair));
        }
    }
    for (const QString &wrong : {QString(), QStringLiteral("木火"), QStringLiteral("木火土金"), QStringLiteral("一")}) {
        QVERIFY(!LuckRules::isHalfSancai(wrong));
        QVERIFY(!LuckRules::isHalfPair(wrong));
    }
    // The keyed forms the search uses agree, for every digit class.
    for (int a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b) {
            const QString pair = QString(reference::numeral(a)) + reference::numeral(b);
            QCOMPARE(LuckRules::pairPasses(LuckLevel::Full, a, b), reference::kFullPairs.contains(pair));
            QCOMPARE(LuckRules::pairPasses(LuckLevel::Half, a + 20, b + 30), LuckRules::isHalfPair(pair));
            for (int c = 1; c <= 10; ++c) {
                const QString triple = QString(reference::element(a)) + reference::element(b) + reference::element(c);
                QCOMPARE(LuckRules::sancaiPasses(LuckLevel::Full, a, b, c + 10), reference::kFullSancai.contains(triple));
                QCOMPARE(LuckRules::sancaiPasses(LuckLevel::Half, a, b, c), LuckRules::isHalfSancai(triple));
            }
        }
    }
}

void TestNumerology::judgingEveryConfiguration_data()
{
    QTest::addColumn<QList<int>>("surnames"); // the first surname counts tried; a compound surname adds 6
    QTest::addColumn<bool>("compound");
    QTest::addColumn<int>("givenCount");
    QList<int> all;
    for (int s = 1; s <= 30; ++s)
        all.append(s);
    QTest::newRow("single, one character") << all << false << 1;
    QTest::newRow("single, two characters") << all << false << 2;
    QTest::newRow("compound, one character") << all << true << 1;
    QTest::newRow("compound, two characters") << QList<int>{2, 5, 10, 17} << true << 2;
}

void TestNumerology::judgingEveryConfiguration()
{
    QFETCH(QList<int>, surnames);
    QFETCH(bool, compound);
    QFETCH(int, givenCount);
    int accepted = 0;
    for (int s : surnames) {
        for (int g1 = 1; g1 <= 30; ++g1) {
            for (int g2 = 1; g2 <= (givenCount == 2 ? 30 : 1); ++g2) {
                const int given[3] = {g1, g2, 0};
                const int surname[2] = {s, 6};
                const FiveGrids g = FiveGrids::compute(compound ? 2 : 1, surname, givenCount, given);
                const auto list = g.list();
                const QList<int> numbers(list.begin(), list.end());
                for (const QString &luck : {QStringLiteral("全吉"), QStringLiteral("半吉")}) {
                    for (const QString &sex : {QStringLiteral("男"), QStringLiteral("女")}) {
                        const bool expected = reference::accepts(numbers, givenCount, luck == u"全吉", sex == u"女");
                        accepted += expected ? 1 : 0;
                        const bool judged = LuckRules::accepts(g, givenCount, *luckLevelFromText(luck), *sexFromText(sex));
                        if (judged != expected) {
                            QFAIL(qPrintable(QStringLiteral("grids %1 %2 %3 %4 %5, %6, %7")
                                                 .arg(g.tiange).arg(g.renge).arg(g.dige).arg(g.zongge).arg(g.waige)
                                                 .arg(luck, sex)));
                        }
                    }
                }
            }
        }
    }
    QVERIFY(accepted > 0);
    // Without a luck level nothing is taken.
    QVERIFY(LuckRules::accepts(grids({4}, {20}), 1, LuckLevel::Full, Sex::Male));
    QVERIFY(!LuckRules::accepts(grids({4}, {20}), 1, LuckLevel::Bad, Sex::Male));
}

void TestNumerology::search_data()
{
    QTest::addColumn<int>("surnameLength");
    QTest::addColumn<int>("s1");
    QTest::addColumn<int>("s2");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<QString>("luck");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<int>("groupLimit");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<QList<int>>>("expected");

    const QString full = QStringLiteral("全吉");
    const QString half = QStringLiteral("半吉");
    const QString male = QStringLiteral("男");
    const QString female = QStringLiteral("女");
    QTest::newRow("4, one character, 全吉, boy") << 1 << 4 << 0 << 1 << full << male << 7 << 1
                                               << QList<QList<int>>{{20}};
    QTest::newRow("4, one character, 全吉, girl: 地格 21") << 1 << 4 << 0 << 1 << full << female << 7 << 1
                                                        << QList<QList<int>>{};
    QTest::newRow("4, one character, 半吉, boy") << 1 << 4 << 0 << 1 << half << male << 7 << 1
                                               << QList<QList<int>>{{2}, {12}, {20}};
    QTest::newRow("4, two characters, 全吉, boy")
        << 1 << 4 << 0 << 2 << full << male << 7 << 1
        << QList<QList<int>>{{1, 2}, {1, 6}, {3, 4}, {9, 2}, {9, 22}, {11, 22}};
    QTest::newRow("compound 10 6, two characters, 全吉, girl, two groups")
        << 2 << 10 << 6 << 2 << full << female << 3 << 1 << QList<QList<int>>{{7, 25}, {9, 6}};
    QTest::newRow("GroupLimit 2 takes the first") << 1 << 4 << 0 << 2 << full << male << 2 << 1
                                                  << QList<QList<int>>{{1, 2}};
    QTest::newRow("FirstStrokeStart 29 tries 29 and 30 only") << 1 << 4 << 0 << 1 << half << male << 7 << 29
                                                              << QList<QList<int>>{};
    QTest::newRow("3, one character from 29: 30 is tried") << 1 << 3 << 0 << 1 << full << male << 7 << 29
                                                           << QList<QList<int>>{{30}};
    QTest::newRow("17, two characters, girl: 30 in either place")
        << 1 << 17 << 0 << 2 << full << female << 7 << 1 << QList<QList<int>>{{18, 30}, {20, 15}, {30, 5}};
    QTest::newRow("2, three characters from 30, girl: 30 last") << 1 << 2 << 0 << 3 << full << female << 3 << 30
                                                               << QList<QList<int>>{{30, 1, 30}, {30, 2, 29}};
    QTest::newRow("unknown luck level takes nothing") << 1 << 4 << 0 << 1 << QStringLiteral("凶") << male << 7 << 1
                                                      << QList<QList<int>>{};
}

void TestNumerology::search()
{
    QFETCH(int, surnameLength);
    QFETCH(int, s1);
    QFETCH(int, s2);
    QFETCH(int, nameLength);
    QFETCH(QString, luck);
    QFETCH(QString, sex);
    QFETCH(int, groupLimit);
    QFETCH(int, start);
    QFETCH(QList<QList<int>>, expected);

    SearchInput in = request(surnameLength, {qint16(s1), qint16(s2)}, nameLength, u"", u"", groupLimit, start);
    in.luckLevel = luckLevelFromText(luck);
    in.sex = *sexFromText(sex);
    ConfigTables t;
    ConfigSearch::search(in, t);
    QCOMPARE(foundStrokes(t, nameLength), expected);
    QCOMPARE(int(t.configNext), int(expected.size()) + 1);
    // Every group taken is a good configuration, and its keys are its grids'.
    for (int k = 1; k < t.configNext; ++k) {
        const FiveGrids &g = t.grids[k];
        const auto list = g.list();
        QVERIFY(reference::accepts(QList<int>(list.begin(), list.end()), nameLength, luck == u"全吉", sex == u"女"));
        QCOMPARE(t.triples[k], Sancai::compute(g.tiange, g.renge, g.dige).elementTriple);
        QCOMPARE(t.pairs[k], computePairKey(g.renge, g.waige));
    }
    // Without the group limit, from 1 stroke: the same configurations first, then more, all good.
    if (start == 1) {
        const QList<GoodConfiguration> every = ConfigSearch::everyGood(in);
        QVERIFY(every.size() >= t.groupCount());
        for (int k = 1; k < t.configNext; ++k) {
            QCOMPARE(every[k - 1].grids, t.grids[k]);
            QCOMPARE(every[k - 1].pairKey, t.pairs[k]);
        }
        for (const GoodConfiguration &c : every) {
            const auto list = c.grids.list();
            QVERIFY(reference::accepts(QList<int>(list.begin(), list.end()), nameLength, luck == u"全吉", sex == u"女"));
        }
    }
}

void TestNumerology::searchKeepsStalePositions()
{
    ConfigTables t;
    ConfigSearch::search(request(1, {4, 0}, 2, u"全吉", u"男"), t);
    QCOMPARE(int(t.strokes[1][1]), 2);
    ConfigSearch::search(request(1, {4, 0}, 1, u"全吉", u"男"), t);
    QCOMPARE(int(t.configNext), 2);
    QCOMPARE(int(t.strokes[1][0]), 20);
    QCOMPARE(int(t.strokes[1][1]), 2); // left from the first search
    QCOMPARE(t.grids[2], FiveGrids{});  // grids are cleared for every search
    // The 半吉 example: 1 and 12 pass only through the half pair list (六二).
    ConfigSearch::search(request(1, {4, 0}, 1, u"半吉", u"男"), t);
    QCOMPARE(t.pairs[1], QStringLiteral("六二"));
    QVERIFY(!LuckRules::isFullPair(t.pairs[1]));
}

void TestNumerology::searchWithoutRequest()
{
    ConfigTables t;
    t.configNext = 5;
    ConfigSearch::search(request(1, {4, 0}, 0, u"全吉", u"男"), t);
    QCOMPARE(int(t.configNext), 0);
    ConfigSearch::search(request(3, {4, 0}, 2, u"全吉", u"男"), t);
    QCOMPARE(int(t.configNext), 0);
    const QString header = ConfigSearch::summary(request(1, {4, 0}, 0, u"全吉", u"男"), t);
    QCOMPARE(header, QStringLiteral("以下是为您找出的良好配置数，如果要程序继续在字库找字，点击“确定”，如果不想找字，点击“退出”。\r\n\r\n"));
}

void TestNumerology::summaryLines()
{
    ConfigTables t;
    SearchInput one = request(1, {4, 0}, 1, u"全吉", u"男");
    ConfigSearch::search(one, t);
    const QStringList lines = ConfigSearch::summary(one, t).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(2), QStringLiteral("姓名笔画数：4 20    五格数：5 24 21 24 2     三才五行：土火木"));

    SearchInput two = request(1, {4, 0}, 2, u"全吉", u"男");
    ConfigSearch::search(two, t);
    QCOMPARE(ConfigSearch::summary(two, t).split(QStringLiteral("\r\n")).at(6),
             QStringLiteral("姓名笔画数：4 9 22      五格数：5 13 31 35 23    三才五行：土火木"));

    SearchInput compound = request(2, {10, 6}, 2, u"全吉", u"女", 3);
    ConfigSearch::search(compound, t);
    QCOMPARE(ConfigSearch::summary(compound, t).split(QStringLiteral("\r\n")).at(2),
             QStringLiteral("姓名笔画数：10 6 7 25    五格数：16 13 32 48 35   三才五行：土火木"));

    // Three given-name characters: four strokes padded to 13, and always a single surname.
    SearchInput three = request(2, {4, 0}, 3, u"半吉", u"男", 3);
    ConfigSearch::search(three, t);
    QVERIFY(t.configNext > 1);
    const QString line = ConfigSearch::summary(three, t).split(QStringLiteral("\r\n")).at(2);
    const QString strokes = line.mid(6, 13);
    QCOMPARE(strokes.trimmed().split(QLatin1Char(' ')).size(), 4);
    QCOMPARE(line.mid(19, 4), QStringLiteral("五格数："));
}

QTEST_GUILESS_MAIN(TestNumerology)
#include "tst_numerology.moc"
