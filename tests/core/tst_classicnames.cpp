// Names from the classics: the search over classics.db for the configurations of a surname, with the sex and
// element wishes, fixed-character naming, what an empty result says, and the pane's text. The rows run on a
// classics.db generated from tests/data/classics; the last test runs on the real generated files.
#include "data/ClassicsDatabase.h"
#include "data/DatabaseKey.h"
#include "fakes/TestLibrary.h"
#include "fakes/RealClassicsRules.h"
#include "mkclassics/ClassicsGenerator.h"
#include "mkclassics/ClassicsWriter.h"
#include "naming/CandidateListing.h"
#include "naming/ClassicNameSearch.h"
#include "naming/ClassicNameText.h"
#include "numerology/LuckRules.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace tolvane;

namespace {

const QString kAll = QStringLiteral("诗经,论语,楚辞,孟子,大学,中庸,唐诗,宋词,宋诗");
const QString kClassicsFailed = QStringLiteral("找不到classics.db典籍库，或者它已损坏，无法从典籍取名。");

NameRequest request(int nameLength, const QString &sex, const QString &wishes)
{
    NameRequest r;
    r.nameLength = qint16(nameLength);
    r.sex = *sexFromText(sex);
    r.luckLevel = LuckLevel::Half;
    r.elementWishes = ElementSet::fromText(wishes).value_or(ElementSet {});
    return r;
}

// Configurations of a single surname of 4 strokes: "5+9,24+7" (two characters) or "14,9" (one).
QList<GoodConfiguration> configs(const QString &text)
{
    QList<GoodConfiguration> list;
    for (const QString &group : text.split(QLatin1Char(','))) {
        std::vector<int> given;
        for (const QString &s : group.split(QLatin1Char('+')))
            given.push_back(s.toInt());
        const int surname[1] = { 4 };
        GoodConfiguration c;
        c.grids = FiveGrids::compute(1, surname, int(given.size()), given.data());
        for (size_t p = 0; p < given.size(); ++p)
            c.strokes[p] = qint16(given[p]);
        list.append(c);
    }
    return list;
}

// Fixed-character configurations of 王 with the free position's strokes "12,9".
FixedTables fixedConfigs(const QString &free, bool firstFree, int fixedStrokes)
{
    FixedTables t;
    const QStringList groups = free.split(QLatin1Char(','));
    for (int g = 0; g < groups.size(); ++g) {
        const int c = groups.at(g).toInt();
        const int given[2] = { firstFree ? c : fixedStrokes, firstFree ? fixedStrokes : c };
        const int surname[1] = { 4 };
        t.grids[g + 1] = FiveGrids::compute(1, surname, 2, given);
        t.strokes[g + 1] = { qint16(given[0]), qint16(given[1]), 0 };
        t.freeCharStrokes[g + 1] = qint16(c);
    }
    return t;
}

// "1:正则(楚辞) 灵均(楚辞); 4:夭夭(诗经)": each group with names, by configuration number.
QString namesText(const ClassicListing &listing)
{
    QStringList groups;
    for (const ClassicGroup &g : listing.groups) {
        QStringList names;
        for (const ClassicName &n : g.names)
            names.append(n.given + QLatin1Char('(') + classicName(n.verse.classic) + QLatin1Char(')'));
        groups.append(QString::number(g.group) + QLatin1Char(':') + names.join(QLatin1Char(' ')));
    }
    return groups.join(QStringLiteral("; "));
}

} // namespace

class TestClassicNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void personalNames_data();
    void personalNames();
    void fixedCharacter_data();
    void fixedCharacter();
    void nothingFound_data();
    void nothingFound();
    void choiceOfCollections_data();
    void choiceOfCollections();
    void paneText();
    void missingOrForeignClassicsFile();
    void damagedLibrary_data();
    void damagedLibrary();
    void girlForWangFromShijingOnTheRealFiles();

private:
    QTemporaryDir m_dir;
    QString m_library;
    QString m_classics;
};

void TestClassicNames::initTestCase()
{
    m_library = TestLibrary::write(TestLibrary::fixtureContents(QStringLiteral("classics")), m_dir.path());
    QString error;
    const auto fit = mkclassics::ClassicsGenerator::fitCharacters(m_library, &error);
    QVERIFY2(fit, qPrintable(error));
    const auto contents = mkclassics::ClassicsGenerator::build(
        qEnvironmentVariable("TOLVANE_TEST_DATA") + QStringLiteral("/classics/package"), *fit,
        realClassicsRules(), QStringLiteral("t2s.json"), &error);
    QVERIFY2(contents, qPrintable(error));
    m_classics = m_dir.filePath(QStringLiteral("classics.db"));
    QVERIFY2(mkclassics::ClassicsWriter::write(*contents, m_classics, &error), qPrintable(error));
}

void TestClassicNames::personalNames_data()
{
    QTest::addColumn<QString>("configs");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("wishes");
    QTest::addColumn<QString>("classics");
    QTest::addColumn<QString>("names");
    const QString fourGroups = QStringLiteral("5+9,24+7,7+9,4+4");
    QTest::newRow("boy: girls' characters left out")
        << fourGroups << QStringLiteral("男") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("1:正则(楚辞)");
    QTest::newRow("girl: boys' characters left out")
        << fourGroups << QStringLiteral("女") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("1:正则(楚辞); 2:灵均(楚辞); 4:夭夭(诗经)");
    QTest::newRow("both characters need a wished element")
        << QStringLiteral("8+6,5+9,12+9") << QStringLiteral("女") << QStringLiteral("火木") << kAll
        << QStringLiteral("1:明月(唐诗)");
    QTest::newRow("one wished element") << QStringLiteral("8+6,5+9,12+9") << QStringLiteral("女")
                                        << QStringLiteral("水") << kAll << QStringLiteral("3:清泉(唐诗)");
    QTest::newRow("舜华 suits a girl as a whole")
        << QStringLiteral("12+14") << QStringLiteral("女") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("1:舜华(诗经)");
    QTest::newRow("舜华 is no boy's name, though 舜 and 华 are")
        << QStringLiteral("12+14") << QStringLiteral("男") << QStringLiteral("金木水火土") << kAll << QString();
    QTest::newRow("the strokes of each position count")
        << QStringLiteral("6+8,9+5") << QStringLiteral("女") << QStringLiteral("金木水火土") << kAll << QString();
    QTest::newRow("older collection gives the verse")
        << QStringLiteral("8+6") << QStringLiteral("女") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("1:明月(唐诗)");
    QTest::newRow("only the chosen collections")
        << QStringLiteral("8+6,8+4") << QStringLiteral("女") << QStringLiteral("金木水火土") << QStringLiteral("宋词")
        << QStringLiteral("1:明月(宋词)");
    QTest::newRow("one character: the older collection first, then stored order")
        << QStringLiteral("14,9") << QStringLiteral("男") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("1:华(诗经) 嘉(诗经); 2:则(楚辞) 风(楚辞) 秋(楚辞) 泉(唐诗) 皇(唐诗)");
    QTest::newRow("one character in one collection")
        << QStringLiteral("9") << QStringLiteral("男") << QStringLiteral("金木水火土") << QStringLiteral("唐诗")
        << QStringLiteral("1:泉(唐诗) 皇(唐诗) 风(唐诗) 秋(唐诗)");
}

void TestClassicNames::personalNames()
{
    QFETCH(QString, configs);
    QFETCH(QString, sex);
    QFETCH(QString, wishes);
    QFETCH(QString, classics);
    QFETCH(QString, names);
    const QList<GoodConfiguration> t = ::configs(configs);
    const int length = int(configs.section(QLatin1Char(','), 0, 0).count(QLatin1Char('+'))) + 1;
    const ClassicListing listing = ClassicNameSearch::run(
        QStringLiteral("王"), t, request(length, sex, wishes), *ClassicSet::parse(classics), Library(m_library), ClassicsLibrary(m_classics));
    QVERIFY(!listing.databaseFailed);
    QCOMPARE(namesText(listing), names);
    // Every name stands in its verse, its characters side by side.
    for (const ClassicGroup &g : listing.groups) {
        for (const ClassicName &n : g.names)
            QVERIFY2(ClassicNameText::namePosition(n.verse.text, n.given) >= 0, qPrintable(n.given));
    }
    QCOMPARE(listing.message.has_value(), names.isEmpty());
}

void TestClassicNames::fixedCharacter_data()
{
    QTest::addColumn<QString>("pattern"); // -华 (王-华) or 华- (王华-)
    QTest::addColumn<QString>("free"); // strokes of the position to find, by configuration
    QTest::addColumn<QString>("wishes");
    QTest::addColumn<QString>("classics");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("message");
    QTest::newRow("王-华 keeps 华 second")
        << QStringLiteral("-华") << QStringLiteral("9,12") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("2:舜华(诗经)") << QString();
    QTest::newRow("王华- keeps 华 first")
        << QStringLiteral("华-") << QStringLiteral("12") << QStringLiteral("金木水火土") << kAll
        << QStringLiteral("1:华发(宋词)") << QString();
    QTest::newRow("wishes apply to the character found")
        << QStringLiteral("-华") << QStringLiteral("12") << QStringLiteral("金水") << kAll << QString()
        << QStringLiteral("对不起，在诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗中没有找出任何良好名字。您可放宽五行要求再试试。");
    QTest::newRow("fixed character unpaired in the collections chosen")
        << QStringLiteral("-华") << QStringLiteral("12") << QStringLiteral("金木水火土") << QStringLiteral("唐诗")
        << QString()
        << QStringLiteral(
               "对不起，在唐诗中没有找出任何良好名字。这些典籍里“华”字不与取名用字相连，您可多选几部典籍再试试。");
    QTest::newRow("fixed character never beside a name character")
        << QStringLiteral("-余") << QStringLiteral("12") << QStringLiteral("金木水火土") << kAll << QString()
        << QStringLiteral("对不起，在诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗中没有找出任何良好名字。"
                          "典籍里没有取名用字紧挨在“余”字前，您可换一个固定字再试试。");
}

void TestClassicNames::fixedCharacter()
{
    QFETCH(QString, pattern);
    QFETCH(QString, free);
    QFETCH(QString, wishes);
    QFETCH(QString, classics);
    QFETCH(QString, names);
    QFETCH(QString, message);
    const bool firstFree = pattern.startsWith(QLatin1Char('-'));
    const QString fixedChar = pattern.remove(QLatin1Char('-'));
    const FixedTables t = fixedConfigs(free, firstFree, 14);
    const ClassicListing listing = ClassicNameSearch::runFixed(QStringLiteral("王"), fixedChar, firstFree, t,
        int(free.count(QLatin1Char(','))) + 2, request(2, QStringLiteral("女"), wishes), *ClassicSet::parse(classics),
        Library(m_library), ClassicsLibrary(m_classics));
    QCOMPARE(namesText(listing), names);
    QCOMPARE(listing.message.value_or(UserMessage {}).text, message);
    for (const ClassicGroup &g : listing.groups) {
        QCOMPARE(g.freeStrokes, t.freeCharStrokes[g.group]);
        QCOMPARE(g.grids, t.grids[g.group]);
    }
}

void TestClassicNames::nothingFound_data()
{
    QTest::addColumn<QString>("configs");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("wishes");
    QTest::addColumn<QString>("classics");
    QTest::addColumn<QString>("message");
    const QString inShijing = QStringLiteral("对不起，在诗经中没有找出任何良好名字。");
    const QString inAll = QStringLiteral("对不起，在诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗中没有找出任何良好名字。");
    QTest::newRow("the element wishes") << QStringLiteral("8+6") << QStringLiteral("女") << QStringLiteral("金") << kAll
                                        << inAll + QStringLiteral("您可放宽五行要求再试试。");
    QTest::newRow("the collections") << QStringLiteral("8+6") << QStringLiteral("女") << QStringLiteral("金木水火土")
                                     << QStringLiteral("诗经")
                                     << inShijing + QStringLiteral("您可多选几部典籍再试试。");
    QTest::newRow("both") << QStringLiteral("8+6") << QStringLiteral("女") << QStringLiteral("金")
                          << QStringLiteral("诗经")
                          << inShijing + QStringLiteral("您可放宽五行要求，并多选几部典籍再试试。");
    QTest::newRow("nothing helps: the pair crosses a comma")
        << QStringLiteral("4+7") << QStringLiteral("女") << QStringLiteral("金") << QStringLiteral("诗经")
        << inShijing + QStringLiteral("您可通过更改名字字数、允许半吉，或改从字库选字再试试。");
    QTest::newRow("the sex is never relaxed")
        << QStringLiteral("7+9") << QStringLiteral("女") << QStringLiteral("金木水火土") << kAll
        << inAll + QStringLiteral("您可通过更改名字字数、允许半吉，或改从字库选字再试试。");
    QTest::newRow("no collection chosen")
        << QStringLiteral("5+9") << QStringLiteral("女") << QStringLiteral("金木水火土") << QString()
        << QStringLiteral("请至少选择一部典籍（诗经、论语、楚辞、孟子、大学、中庸、唐诗、宋词、宋诗）。");
    QTest::newRow("three characters") << QStringLiteral("5+9+7") << QStringLiteral("女") << QStringLiteral("金木水火土")
                                      << kAll
                                      << QStringLiteral(
                                             "从典籍取名只取单字名或双字名，请把名字字数改为单字名或双字名再试试。");
}

void TestClassicNames::nothingFound()
{
    QFETCH(QString, configs);
    QFETCH(QString, sex);
    QFETCH(QString, wishes);
    QFETCH(QString, classics);
    QFETCH(QString, message);
    const int length = int(configs.count(QLatin1Char('+'))) + 1;
    const ClassicListing listing = ClassicNameSearch::run(QStringLiteral("王"), ::configs(configs),
        request(length, sex, wishes), ClassicSet::parse(classics).value_or(ClassicSet {}), Library(m_library), ClassicsLibrary(m_classics));
    QVERIFY(listing.groups.isEmpty());
    QVERIFY(!listing.databaseFailed);
    QVERIFY(listing.message);
    QCOMPARE(listing.message->text, message);
    QCOMPARE(listing.message->style, UserMessage::Style::Warning);
}

void TestClassicNames::choiceOfCollections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("names"); // in order of preference; "-" when the text is refused
    QTest::newRow("comma list") << QStringLiteral("楚辞,诗经") << QStringLiteral("诗经、楚辞");
    QTest::newRow("full-width comma and 、")
        << QStringLiteral("宋词，唐诗、论语") << QStringLiteral("论语、唐诗、宋词");
    QTest::newRow("blanks and a repeat") << QStringLiteral(" 诗经  诗经 ") << QStringLiteral("诗经");
    QTest::newRow("全唐诗 is 唐诗") << QStringLiteral("全唐诗") << QStringLiteral("唐诗");
    QTest::newRow("unknown collection") << QStringLiteral("诗经,元曲") << QStringLiteral("-");
    QTest::newRow("nothing named") << QStringLiteral(" , ") << QStringLiteral("-");
}

void TestClassicNames::choiceOfCollections()
{
    QFETCH(QString, text);
    QFETCH(QString, names);
    const std::optional<ClassicSet> set = ClassicSet::parse(text);
    QCOMPARE(set ? set->names(QStringLiteral("、")) : QStringLiteral("-"), names);
}

void TestClassicNames::paneText()
{
    const QList<GoodConfiguration> t = configs(QStringLiteral("5+9,8+6"));
    ClassicSet set;
    set.insert(Classic::Chuci);
    set.insert(Classic::Songci);
    const ClassicListing listing = ClassicNameSearch::run(QStringLiteral("王"), t,
        request(2, QStringLiteral("女"), QStringLiteral("金木水火土")), set, Library(m_library), ClassicsLibrary(m_classics));
    const MarkedText text = ClassicNameText::listing(listing);
    const QString verse1 = QStringLiteral("　　名余曰正则兮，字余曰灵均。——屈原《楚辞·离骚》\r\n");
    const QString verse2 = QStringLiteral("　　明月几时有？——苏轼《水调歌头》\r\n");
    QCOMPARE(text.text,
        CandidateListing::heading()
            + QStringLiteral("王姓配5+9画字组成的双字名，取自楚辞、宋词，有以下名字可选：\r\n王正则\r\n") + verse1
            + CandidateListing::gridLines(t[0].grids) + QStringLiteral("\r\n\r\n")
            + QStringLiteral("王姓配8+6画字组成的双字名，取自楚辞、宋词，有以下名字可选：\r\n王明月\r\n") + verse2
            + CandidateListing::gridLines(t[1].grids) + QStringLiteral("\r\n\r\n") + CandidateListing::countLine(2));
    // The name's characters in each verse are bold, and nothing else.
    QCOMPARE(text.bold.size(), 2);
    QCOMPARE(text.text.mid(text.bold[0].start, text.bold[0].length), QStringLiteral("正则"));
    QCOMPARE(text.bold[0].start, text.text.indexOf(verse1) + 5);
    QCOMPARE(text.text.mid(text.bold[1].start, text.bold[1].length), QStringLiteral("明月"));
    QCOMPARE(text.bold[1].start, text.text.indexOf(verse2) + 2);
    // The runs the RTF writer takes: plain, bold, plain, ... with the pane's format.
    RtfRun plain;
    plain.fontFamily = QStringLiteral("宋体");
    const RtfDocument runs = text.runs(plain);
    QCOMPARE(runs.size(), 5);
    QString joined;
    for (const RtfRun &r : runs) {
        joined += r.text;
        QCOMPARE(r.fontFamily, plain.fontFamily);
    }
    QCOMPARE(joined, text.text);
    QVERIFY(!runs[0].bold && runs[1].bold && !runs[2].bold && runs[3].bold && !runs[4].bold);
    QCOMPARE(runs[3].text, QStringLiteral("明月"));
}

void TestClassicNames::missingOrForeignClassicsFile()
{
    const QList<GoodConfiguration> t = configs(QStringLiteral("5+9"));
    const NameRequest r = request(2, QStringLiteral("女"), QStringLiteral("金木水火土"));
    for (const QString &path : { m_dir.filePath(QStringLiteral("missing.db")), m_library, m_dir.path() }) {
        const ClassicListing listing
            = ClassicNameSearch::run(QStringLiteral("王"), t, r, ClassicSet::all(), Library(m_library), ClassicsLibrary(path));
        QVERIFY(listing.databaseFailed);
        QVERIFY(listing.groups.isEmpty());
        QVERIFY(listing.message);
        QCOMPARE(listing.message->text, kClassicsFailed);
        QCOMPARE(listing.message->style, UserMessage::Style::Warning);
    }
    // A missing library is the library's own failure.
    const ClassicListing listing = ClassicNameSearch::run(
        QStringLiteral("王"), t, r, ClassicSet::all(), Library(m_dir.filePath(QStringLiteral("none.mdb"))), ClassicsLibrary(m_classics));
    QVERIFY(listing.databaseFailed);
    QCOMPARE(listing.message->text, QStringLiteral("找不到namedbs.mdb数据库。"));
}

void TestClassicNames::damagedLibrary_data()
{
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<bool>("classicsDamaged"); // else namedbs.mdb
    QTest::newRow("personal naming") << false << false;
    QTest::newRow("fixed character") << true << false;
    QTest::newRow("personal naming, classics.db damaged") << false << true;
    QTest::newRow("fixed character, classics.db damaged") << true << true;
}

// A library that opens but whose rows cannot be read (every page after the first damaged) is the library
// failing, said as for a missing one; never a search that found nothing and suggests what to relax. The same
// for classics.db whose table of pairs is damaged: it opens, and the first read of a pair fails.
void TestClassicNames::damagedLibrary()
{
    QFETCH(bool, fixed);
    QFETCH(bool, classicsDamaged);
    QTemporaryDir dir;
    const QString library = classicsDamaged ? m_library : TestLibrary::writeDamagedCopy(dir.path());
    QString classics = m_classics;
    if (classicsDamaged) {
        classics = dir.filePath(QStringLiteral("classics.db"));
        QVERIFY(QFile::copy(m_classics, classics));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(classics).constData(), &db, SQLITE_OPEN_READONLY, nullptr),
            SQLITE_OK);
        const auto number = [db](const char *sql) {
            sqlite3_stmt *stmt = nullptr;
            qint64 value = 0;
            if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
                value = sqlite3_column_int64(stmt, 0);
            sqlite3_finalize(stmt);
            return value;
        };
        // The pairs by their first character, and the index by their second.
        const qint64 roots[2] = { number("SELECT rootpage FROM sqlite_master WHERE name = 'pair';"),
            number("SELECT rootpage FROM sqlite_master WHERE name = 'pair_second';") };
        const qint64 pageSize = number("PRAGMA page_size;");
        sqlite3_close_v2(db);
        QFile file(classics);
        QVERIFY(file.open(QIODevice::ReadWrite));
        for (const qint64 root : roots) {
            QVERIFY(root > 1 && pageSize > 0);
            QVERIFY(file.seek((root - 1) * pageSize));
            QCOMPARE(file.write(QByteArray(pageSize, '\xff')), pageSize);
        }
    }
    const NameRequest r = request(2, QStringLiteral("女"), QStringLiteral("金木水火土"));
    const ClassicListing listing = fixed
        ? ClassicNameSearch::runFixed(QStringLiteral("王"), QStringLiteral("月"), true,
            fixedConfigs(QStringLiteral("12,9"), true, 4), 3, r, ClassicSet::all(), Library(library), ClassicsLibrary(classics))
        : ClassicNameSearch::run(
            QStringLiteral("王"), configs(QStringLiteral("5+9")), r, ClassicSet::all(), Library(library), ClassicsLibrary(classics));
    QVERIFY(listing.databaseFailed);
    QVERIFY(listing.groups.isEmpty());
    QVERIFY(listing.message);
    QCOMPARE(listing.message->text,
        classicsDamaged ? kClassicsFailed : QStringLiteral("找不到namedbs.mdb数据库。"));
}

void TestClassicNames::girlForWangFromShijingOnTheRealFiles()
{
    // A parent asks for a girl's name for 王 from 诗经: names with their verse, each made of characters the
    // library marks fit for names and for girls, with the strokes of a configuration the five-grid rules accept.
    const QString library = TestLibrary::realDatabasePath();
    const QString classics = QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db"));
    NameRequest r = request(2, QStringLiteral("女"), QStringLiteral("金木水火土"));
    r.groupLimit = 21;
    SearchInput in;
    in.surnameStrokes = { 4, 0 };
    in.nameLength = 2;
    in.sex = r.sex;
    in.luckLevel = r.luckLevel;
    in.groupLimit = r.groupLimit;
    ClassicSet shijing;
    shijing.insert(Classic::Shijing);
    const ClassicListing listing = ClassicNameSearch::run(
        QStringLiteral("王"), ConfigSearch::everyGood(in), r, shijing, Library(library), ClassicsLibrary(classics));
    QVERIFY(!listing.databaseFailed);
    // Every good configuration is searched, not only the first groups the summary shows (these give one name).
    QVERIFY2(listing.namesFound() >= 3, qPrintable(QString::number(listing.namesFound())));

    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(library).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    QCOMPARE(
        sqlite3_exec(db, DatabaseKey::rawKeyPragmaFor(library)->constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt *row = nullptr;
    QCOMPARE(sqlite3_prepare_v2(db, "SELECT strokes, sex, xiong FROM name WHERE namechr = ?1 ORDER BY rowid LIMIT 1;",
                 -1, &row, nullptr),
        SQLITE_OK);
    for (const ClassicGroup &g : listing.groups) {
        QVERIFY(LuckRules::accepts(g.grids, 2, *r.luckLevel, r.sex));
        for (const ClassicName &n : g.names) {
            QCOMPARE(n.verse.classic, Classic::Shijing);
            QVERIFY2(n.verse.text.contains(n.given), qPrintable(n.given + n.verse.text));
            for (int p = 0; p < 2; ++p) {
                const QByteArray c = n.given.mid(p, 1).toUtf8();
                sqlite3_reset(row);
                sqlite3_bind_text(row, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
                QCOMPARE(sqlite3_step(row), SQLITE_ROW);
                QCOMPARE(sqlite3_column_int(row, 0), int(g.strokes[p]));
                const QString sex = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(row, 1)));
                QVERIFY2(sex == u"0" || sex == u"女", qPrintable(n.given));
                QCOMPARE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(row, 2))),
                    QStringLiteral("0"));
            }
        }
    }
    sqlite3_finalize(row);
    sqlite3_close_v2(db);
}

QTEST_GUILESS_MAIN(TestClassicNames)
#include "tst_classicnames.moc"
