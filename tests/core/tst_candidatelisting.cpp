#include "data/Library.h"
#include "fakes/TestLibrary.h"
#include "naming/CandidateListing.h"
#include "naming/FixedListing.h"
#include "numerology/ConfigSearch.h"
#include "numerology/FixedConfigSearch.h"
#include "numerology/LuckRules.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

const QString kHeading = QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：\r\n\r\n");
const QString kHint = QStringLiteral("您可通过更改“高级”选项里第一个字的笔画数获取其他良好配置。\r\n");
const QString kComplete = QStringLiteral("所有良好配置都为您找出来了。\r\n\r\n注：字的五行属性按字形、字义、五音十二律来定。\r\n");

NameRequest request(int nameLength, const QString &sex, QStringList wishes = {})
{
    NameRequest r;
    r.nameLength = qint16(nameLength);
    r.sex = *sexFromText(sex);
    r.luckLevel = LuckLevel::Half;
    // The wish slots as the window fills them; none given: all five.
    r.elementWishes = wishes.isEmpty() ? ElementSet::all() : *ElementSet::fromText(wishes.join(QString()));
    return r;
}

// Whether personal naming stops after the listing: nothing to show, or no library.
bool aborted(const Outcome<CandidateListing::Listing> &listing)
{
    return !listing.value || listing.value->namingAborted;
}

// Groups of a single surname of 4 strokes with the given first-position (and further) stroke counts.
ConfigTables groups(const QList<QList<int>> &strokes)
{
    ConfigTables t;
    for (int g = 0; g < strokes.size(); ++g) {
        const QList<int> &s = strokes.at(g);
        std::vector<int> given(s.begin(), s.end());
        const int surname[1] = {4};
        t.grids[g + 1] = FiveGrids::compute(1, surname, int(given.size()), given.data());
        for (int p = 0; p < s.size(); ++p)
            t.strokes[g + 1][p] = qint16(s.at(p));
    }
    t.configNext = qint16(strokes.size() + 1);
    return t;
}

} // namespace

class TestCandidateListing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void oneCharacterReport();
    void candidateFilter_data();
    void candidateFilter();
    void twoAndThreeCharacterBlocks();
    void closingLines_data();
    void closingLines();
    void nothingFound();
    void withdrawnRequest();
    void databaseMissing();
    void realLibraryCandidatesFitTheRequest();
    void fixedSearch_data();
    void fixedSearch();
    void fixedListing();
    void fixedListingWithoutLibraryShowsNoStaleText();

private:
    QTemporaryDir m_dir;
    Library m_db;
};

void TestCandidateListing::initTestCase()
{
    m_db = Library(TestLibrary::write(TestLibrary::fixtureContents(), m_dir.path()));
}

void TestCandidateListing::oneCharacterReport()
{
    const ConfigTables t = groups({{5}, {3}, {8}});
    CandidateListing::Input in{QStringLiteral("四"), request(1, QStringLiteral("男")), false, &t};
    const Outcome<CandidateListing::Listing> r = CandidateListing::run(in, m_db, nullptr);
    QVERIFY(!r.message());
    QVERIFY(!aborted(r));
    // Group 2 (3 strokes: only a traditional form, never a candidate) is left out and not counted; 空 has no
    // element and matches no wish.
    QCOMPARE(r.value->reportText,
             kHeading
                 + QStringLiteral("四姓配5画字，有以下字可选：\r\n禾  司  \r\n其五格数是（天格、人格、地格、总格、外格）：5 9 6 9 2\r\n"
                                  "三才是：五九六（土水土）\r\n\r\n\r\n"
                                  "四姓配8画字，有以下字可选：\r\n青  \r\n其五格数是（天格、人格、地格、总格、外格）：5 12 9 12 2\r\n"
                                  "三才是：五二九（土木水）\r\n\r\n\r\n"
                                  "共有2组良好配置供您选择。\r\n")
                 + kHint);
    QCOMPARE(r.value->groupsPrinted, 2);
}

void TestCandidateListing::candidateFilter_data()
{
    QTest::addColumn<int>("strokes");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QStringList>("wishes");
    QTest::addColumn<QString>("list");
    const QStringList all;
    QTest::newRow("sex 0 for a boy") << 9 << QStringLiteral("男") << all << QStringLiteral("重  ");
    QTest::newRow("sex 0 and 女 for a girl") << 9 << QStringLiteral("女") << all << QStringLiteral("重  妍  ");
    QTest::newRow("男 only for a boy") << 10 << QStringLiteral("男") << all << QStringLiteral("十  刚  ");
    QTest::newRow("not for a girl") << 10 << QStringLiteral("女") << all << QStringLiteral("十  ");
    QTest::newRow("xiong keeps 凶 out") << 4 << QStringLiteral("男") << all << QStringLiteral("四  公  ");
    QTest::newRow("wished elements only") << 5 << QStringLiteral("男")
                                          << QStringList{QString(), QStringLiteral("木"), QString(), QString(), QString()}
                                          << QStringLiteral("禾  ");
    QTest::newRow("no wish matches an empty element") << 8 << QStringLiteral("男")
                                                      << QStringList{QString(), QString(), QString(), QString(), QString()}
                                                      << QStringLiteral("空  ");
    QTest::newRow("second row of a duplicate counts by its own strokes") << 20 << QStringLiteral("男") << all
                                                                         << QStringLiteral("重  ");
}

void TestCandidateListing::candidateFilter()
{
    QFETCH(int, strokes);
    QFETCH(QString, sex);
    QFETCH(QStringList, wishes);
    QFETCH(QString, list);
    const ConfigTables t = groups({{strokes}});
    CandidateListing::Input in{QStringLiteral("四"), request(1, sex, wishes), false, &t};
    const Outcome<CandidateListing::Listing> r = CandidateListing::run(in, m_db, nullptr);
    QVERIFY2(r.value->reportText.contains(QStringLiteral("有以下字可选：\r\n") + list + QStringLiteral("\r\n")),
             qPrintable(r.value->reportText));
}

void TestCandidateListing::twoAndThreeCharacterBlocks()
{
    // Equal stroke counts give equal lists; a configuration with nothing to offer at one position is left out.
    const ConfigTables two = groups({{5, 5}, {8, 3}, {3, 5}});
    CandidateListing::Input in{QStringLiteral("四"), request(2, QStringLiteral("男")), false, &two};
    const Outcome<CandidateListing::Listing> r = CandidateListing::run(in, m_db, nullptr);
    QCOMPARE(r.value->reportText,
             kHeading
                 + QStringLiteral("四姓配5+5画字组成的双字名，有以下字可选：\r\n第一组字：\r\n禾  司  \r\n第二组字：\r\n禾  司  \r\n"
                                  "其五格数是（天格、人格、地格、总格、外格）：5 9 10 14 6\r\n三才是：五九十（土水水）\r\n\r\n\r\n"
                                  "共有1组良好配置供您选择。\r\n")
                 + kHint);

    const ConfigTables three = groups({{1, 2, 10}});
    CandidateListing::Input in3{QStringLiteral("四"), request(3, QStringLiteral("女")), false, &three};
    QVERIFY(CandidateListing::run(in3, m_db, nullptr)
                .value->reportText.contains(QStringLiteral("四姓配1+2+10画字组成的三字名，有以下字可选：\r\n第一组字：\r\n一  \r\n"
                                                     "第二组字：\r\n二  \r\n第三组字：\r\n十  \r\n")));
}

void TestCandidateListing::closingLines_data()
{
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("tail");
    QTest::newRow("19: the hint") << 19 << kHint;
    QTest::newRow("20: neither") << 20 << QString();
    QTest::newRow("21: all found") << 21 << kComplete;
}

void TestCandidateListing::closingLines()
{
    QFETCH(int, last);
    QFETCH(QString, tail);
    const ConfigTables t = groups({{5}, {last}});
    CandidateListing::Input in{QStringLiteral("四"), request(1, QStringLiteral("男")), false, &t};
    const QString report = CandidateListing::run(in, m_db, nullptr).value->reportText;
    QVERIFY(report.endsWith(QStringLiteral("组良好配置供您选择。\r\n") + tail));
}

void TestCandidateListing::nothingFound()
{
    const ConfigTables t = groups({{3}, {6}});
    CandidateListing::Input in{QStringLiteral("四"), request(1, QStringLiteral("男")), false, &t};
    const Outcome<CandidateListing::Listing> r = CandidateListing::run(in, m_db, nullptr);
    QVERIFY(aborted(r));
    QCOMPARE(r.message()->text, QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过更改名字字数、允许半吉、或放宽其他起名条件再试试。"));
    QVERIFY(r.value->reportText.contains(QStringLiteral("共有0组良好配置供您选择。")));

    // A request without a luck level scans nothing.
    const ConfigTables five = groups({{5}});
    NameRequest odd = request(1, QStringLiteral("男"));
    odd.luckLevel.reset();
    CandidateListing::Input in2{QStringLiteral("四"), odd, false, &five};
    QVERIFY(aborted(CandidateListing::run(in2, m_db, nullptr)));
}

void TestCandidateListing::withdrawnRequest()
{
    const ConfigTables t = groups({{5}});
    CandidateListing::Input in{QStringLiteral("四"), request(0, QStringLiteral("男")), true, &t};
    const Outcome<CandidateListing::Listing> r = CandidateListing::run(in, m_db, nullptr);
    QVERIFY(!r.message());
    QVERIFY(!aborted(r));
    QCOMPARE(r.value->reportText, kHeading + kHint);
}

void TestCandidateListing::databaseMissing()
{
    QTemporaryDir dir;
    const ConfigTables t = groups({{5}});
    CandidateListing::Input in{QStringLiteral("四"), request(1, QStringLiteral("男")), false, &t};
    const Outcome<CandidateListing::Listing> r =
        CandidateListing::run(in, Library(dir.filePath(QStringLiteral("namedbs.mdb"))), nullptr);
    QVERIFY(r.databaseFailed);
    QVERIFY(aborted(r));
    QVERIFY(!r.value);
    QCOMPARE(r.message()->title, QStringLiteral("找不到数据库"));
}

void TestCandidateListing::realLibraryCandidatesFitTheRequest()
{
    // 王 with one given-name character, 全吉, a boy: one group, 20 strokes.
    SearchInput search;
    search.surnameStrokes = {4, 0};
    search.nameLength = 1;
    search.luckLevel = LuckLevel::Full;
    search.sex = Sex::Male;
    ConfigTables t;
    ConfigSearch::search(search, t);
    NameRequest r = request(1, QStringLiteral("男"), {QString(), QStringLiteral("木"), QString(), QString(), QString()});
    r.luckLevel = LuckLevel::Full;
    CandidateListing::Input in{QStringLiteral("王"), r, false, &t};
    const Outcome<CandidateListing::Listing> result =
        CandidateListing::run(in, Library(TestLibrary::realDatabasePath()), nullptr);
    QVERIFY(!result.message());
    const QString list = result.value->reportText.section(QStringLiteral("\r\n"), 3, 3);
    const QStringList chars = list.split(QStringLiteral("  "), Qt::SkipEmptyParts);
    QVERIFY(chars.size() > 3);
    // 蘭 and the like are traditional rows and never offered; every offered character counts 20 and is 木.
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Name});
    QVERIFY(!db.failure());
    for (const QString &c : chars)
        QCOMPARE(int(*db.strokesOf(c).row), 20);
}

void TestCandidateListing::fixedSearch_data()
{
    QTest::addColumn<bool>("firstFree");
    QTest::addColumn<int>("surname");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<QString>("luck");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QList<int>>("expected"); // the free counts taken, in order
    const QString half = QStringLiteral("半吉");
    const QString full = QStringLiteral("全吉");
    const QString boy = QStringLiteral("男");
    const QString girl = QStringLiteral("女");
    QTest::newRow("X-Y, half, boy") << true << 4 << 7 << half << boy << QList<int>{};
    QTest::newRow("XY-, half, boy") << false << 4 << 7 << half << boy << QList<int>{4, 6, 14, 24};
    QTest::newRow("X-Y, full, girl") << true << 7 << 6 << full << girl << QList<int>{};
    QTest::newRow("XY-, full, girl") << false << 12 << 11 << full << girl << QList<int>{};
    QTest::newRow("missing character") << true << 999 << 7 << half << boy << QList<int>{};
    QTest::newRow("X-Y, half, girl") << true << 4 << 14 << half << girl << QList<int>{11, 21, 27};
    QTest::newRow("X-Y, half, boy, 21 and 23 allowed") << true << 4 << 14 << half << boy
                                                       << QList<int>{3, 7, 11, 17, 19, 21};
    QTest::newRow("X-Y, full, 30 is tried") << true << 7 << 15 << full << boy << QList<int>{30};
    QTest::newRow("XY-, full, girl, 30 is tried") << false << 10 << 1 << full << girl << QList<int>{2, 4, 30};
}

void TestCandidateListing::fixedSearch()
{
    QFETCH(bool, firstFree);
    QFETCH(int, surname);
    QFETCH(int, fixed);
    QFETCH(QString, luck);
    QFETCH(QString, sex);
    QFETCH(QList<int>, expected);
    FixedSearchInput in{firstFree, surname, fixed, *sexFromText(sex), luckLevelFromText(luck), 7};
    FixedTables t;
    const int next = FixedConfigSearch::search(in, t);
    QList<int> found;
    for (int g = 1; g < next; ++g) {
        found.append(t.freeCharStrokes[g]);
        QCOMPARE(int(t.strokes[g][firstFree ? 0 : 1]), int(t.freeCharStrokes[g]));
        QCOMPARE(int(t.strokes[g][firstFree ? 1 : 0]), fixed);
        QCOMPARE(int(t.grids[g].tiange), surname + 1);
        QCOMPARE(int(t.grids[g].waige), int(t.grids[g].zongge - t.grids[g].renge + 1));
    }
    QCOMPARE(found, expected);
    QCOMPARE(t.configText.count(QStringLiteral("\r\n")), next - 1);
    if (sex == u"女") {
        for (int g = 1; g < next; ++g) {
            for (int n : {t.grids[g].renge, t.grids[g].dige, t.grids[g].zongge, t.grids[g].waige})
                QVERIFY2(n != 21 && n != 23 && n != 28 && n != 33, qPrintable(QString::number(n)));
        }
    }
    if (surname == 999)
        QCOMPARE(next, 1);
    // Without the group limit (names from the classics): the same configurations first, then every other free
    // count the rules accept; 王-华 as a boy's name with 半吉 allowed has more than the six the listing shows.
    const QList<GoodConfiguration> every = FixedConfigSearch::everyGood(in);
    QVERIFY(every.size() >= next - 1);
    for (int g = 1; g < next; ++g) {
        QCOMPARE(every[g - 1].grids, t.grids[g]);
        QCOMPARE(every[g - 1].strokes[0], t.strokes[g][0]);
        QCOMPARE(every[g - 1].strokes[1], t.strokes[g][1]);
    }
    for (const GoodConfiguration &c : every)
        QVERIFY(LuckRules::accepts(c.grids, 2, in.luckLevel.value_or(LuckLevel::Bad), in.sex));
    if (firstFree && surname == 4 && fixed == 14 && luck == u"半吉" && sex == u"男")
        QVERIFY2(every.size() > 6, qPrintable(QString::number(every.size())));
}

void TestCandidateListing::fixedListing()
{
    // 四-Y with a fixed character of 6 strokes, 半吉, a boy: free counts 1, 7, 11, 19, 27 and 29.
    FixedTables t;
    const int next = FixedConfigSearch::search({true, 4, 6, Sex::Male, LuckLevel::Half, 7}, t);
    QCOMPARE(next, 7);
    QCOMPARE((QList<int>{t.freeCharStrokes[1], t.freeCharStrokes[2], t.freeCharStrokes[3], t.freeCharStrokes[4],
                         t.freeCharStrokes[5], t.freeCharStrokes[6]}),
             (QList<int>{1, 7, 11, 19, 27, 29}));
    QVERIFY(t.configText.startsWith(QStringLiteral("姓名笔画数：4 1 6       五格数：5 5 7 11 7       三才五行：土土金\r\n")));
    // Only 1 and 7 strokes have characters in the small library; the other groups are left out.
    const Outcome<FixedListing::Listing> r = FixedListing::run(t, next, request(2, QStringLiteral("男")), m_db, nullptr);
    QVERIFY(!r.message());
    QCOMPARE(r.value->listingText,
             kHeading
                 + QStringLiteral("1画的字有：\r\n一  \r\n其五格数是（天格、人格、地格、总格、外格）：5 5 7 11 7\r\n\r\n\r\n"
                                  "7画的字有：\r\n𠀀  \r\n其五格数是（天格、人格、地格、总格、外格）：5 11 13 17 7\r\n\r\n\r\n"
                                  "共有2组良好配置供您选择。\r\n")
                 + kComplete);
}

void TestCandidateListing::fixedListingWithoutLibraryShowsNoStaleText()
{
    QTemporaryDir dir;
    FixedTables t;
    const int next = FixedConfigSearch::search({true, 4, 7, Sex::Male, LuckLevel::Half, 7}, t);
    const Outcome<FixedListing::Listing> r =
        FixedListing::run(t, next, request(2, QStringLiteral("男")), Library(dir.filePath(QStringLiteral("namedbs.mdb"))), nullptr);
    QVERIFY(r.databaseFailed);
    QVERIFY(!r.value);
    QCOMPARE(r.message()->text, QStringLiteral("找不到namedbs.mdb数据库。"));
}

QTEST_GUILESS_MAIN(TestCandidateListing)
#include "tst_candidatelisting.moc"
