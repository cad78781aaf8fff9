#include "analysis/CharacterLookups.h"
#include "data/DatabaseKey.h"
#include "data/Library.h"
#include "fakes/TestLibrary.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace tolvane;

namespace {

const QString kAddress = QStringLiteral("https://example.org/");
const QString kNoCharacter = QStringLiteral("您还没有输入汉字。");

// The four lookups behind one signature, by the names the command line gives them.
LookupAnswer runLookup(const QString &kind, const QString &input, const QString &db, const WaitNotice &notice = {})
{
    if (kind == QLatin1String("strokes"))
        return CharacterLookups::characterStrokes(input, Library(db), notice);
    if (kind == QLatin1String("by-strokes"))
        return CharacterLookups::charactersByStrokes(input, Library(db), notice);
    if (kind == QLatin1String("homophones"))
        return CharacterLookups::homophones(input, Library(db), notice);
    return CharacterLookups::characterMeanings(input, Library(db), kAddress, notice);
}

QString strokeLine(const QString &c, const QString &strokes, const QString &spaces, const QString &element)
{
    return QStringLiteral("“") + c + QStringLiteral("” 字笔画数是： ") + strokes + spaces + QStringLiteral("五行属： ")
        + element + QStringLiteral("\r\n");
}

QString byStrokesText(const QString &n, const QStringList &groups)
{
    return n + QStringLiteral(" 画的字如下所示：\r\n五行属“金”的字有：\r\n") + groups.at(0)
        + QStringLiteral("\r\n\r\n五行属“木”的字有：\r\n") + groups.at(1)
        + QStringLiteral("\r\n\r\n五行属“水”的字有：\r\n") + groups.at(2)
        + QStringLiteral("\r\n\r\n五行属“火”的字有：\r\n") + groups.at(3)
        + QStringLiteral("\r\n\r\n五行属“土”的字有：\r\n") + groups.at(4);
}

// One row of the name table as a plain scan from the first row reads it.
struct ScannedRow {
    QString namechr;
    int strokes = 0;
    QString wuxing;
    QString pinyin;
};

QString text16(sqlite3_stmt *stmt, int column)
{
    const auto *data = static_cast<const char16_t *>(sqlite3_column_text16(stmt, column));
    return data ? QString::fromUtf16(data, sqlite3_column_bytes16(stmt, column) / 2) : QString();
}

// Every row of name in stored order, read without any index.
QList<ScannedRow> scanLibrary(const QString &path)
{
    QList<ScannedRow> rows;
    sqlite3 *db = nullptr;
    const std::optional<QByteArray> key = DatabaseKey::rawKeyPragmaFor(path);
    if (!key || sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK
        || sqlite3_exec(db, key->constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT namechr, strokes, wuxing, pinyin FROM name NOT INDEXED ORDER BY rowid;", -1, &stmt,
                       nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        rows.append({text16(stmt, 0), sqlite3_column_int(stmt, 1), text16(stmt, 2), text16(stmt, 3)});
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

} // namespace

class TestCharacterLookups : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void answers_data();
    void answers();
    void inputMessages_data();
    void inputMessages();
    void fiftyCharactersWithSpaces();
    void realLibraryLines();
    void meaningsNotFoundEmptyThePane();
    void meaningShowsTheReadingsOfNames_data();
    void meaningShowsTheReadingsOfNames();
    void waitNotices_data();
    void waitNotices();
    void databaseFailures_data();
    void databaseFailures();
    void queriesAgreeWithAScanOfTheRealLibrary();

private:
    QTemporaryDir m_dir;
    QString m_fixture;
};

void TestCharacterLookups::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_fixture = TestLibrary::write(TestLibrary::fixtureContents(), m_dir.path());
}

void TestCharacterLookups::answers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const QString five = QStringLiteral("     ");
    const QString four = QStringLiteral("    ");
    QTest::newRow("strokes: one digit pads five, two digits four")
        << QStringLiteral("strokes") << QStringLiteral("一十")
        << strokeLine(QStringLiteral("一"), QStringLiteral("1"), five, QStringLiteral("土"))
            + strokeLine(QStringLiteral("十"), QStringLiteral("10"), four, QStringLiteral("金"));
    QTest::newRow("strokes: spaces anywhere are dropped")
        << QStringLiteral("strokes") << QStringLiteral("  一 十  ")
        << strokeLine(QStringLiteral("一"), QStringLiteral("1"), five, QStringLiteral("土"))
            + strokeLine(QStringLiteral("十"), QStringLiteral("10"), four, QStringLiteral("金"));
    QTest::newRow("strokes: every row of a character")
        << QStringLiteral("strokes") << QStringLiteral("重")
        << strokeLine(QStringLiteral("重"), QStringLiteral("9"), five, QStringLiteral("火"))
            + strokeLine(QStringLiteral("重"), QStringLiteral("20"), four, QStringLiteral("火"));
    QTest::newRow("strokes: typed twice, looked up twice")
        << QStringLiteral("strokes") << QStringLiteral("四四")
        << strokeLine(QStringLiteral("四"), QStringLiteral("4"), five, QStringLiteral("金")).repeated(2);
    QTest::newRow("strokes: missing character")
        << QStringLiteral("strokes") << QStringLiteral("一龙")
        << strokeLine(QStringLiteral("一"), QStringLiteral("1"), five, QStringLiteral("土"))
            + QStringLiteral(" 对不起，字库中没有“龙” 字\r\n");
    QTest::newRow("strokes: outside the BMP is one character")
        << QStringLiteral("strokes") << QStringLiteral("𠀀")
        << strokeLine(QStringLiteral("𠀀"), QStringLiteral("7"), five, QStringLiteral("土"));

    // Rows of 27 strokes: 行 木, 形 水, 杭 金, 衡 (no element), 杏 火, 沆 木, 央 金木.
    QTest::newRow("by-strokes: groups in the order 金 木 水 火 土, odd elements left out")
        << QStringLiteral("by-strokes") << QStringLiteral(" 27 ")
        << byStrokesText(QStringLiteral("27"), {QStringLiteral("杭"), QStringLiteral("行 沆"), QStringLiteral("形"),
                                                QStringLiteral("杏"), QString()});
    QTest::newRow("by-strokes: 0 gives five empty groups")
        << QStringLiteral("by-strokes") << QStringLiteral("0") << byStrokesText(QStringLiteral("0"), QStringList(5));
    QTest::newRow("by-strokes: 4.5 rounds to 4, the even neighbour")
        << QStringLiteral("by-strokes") << QStringLiteral("4.5")
        << byStrokesText(QStringLiteral("4"), {QStringLiteral("四"), QStringLiteral("公"), QStringLiteral("凶"),
                                               QString(), QString()});
    QTest::newRow("by-strokes: 30 is allowed")
        << QStringLiteral("by-strokes") << QStringLiteral("30") << byStrokesText(QStringLiteral("30"), QStringList(5));

    QTest::newRow("homophones: at most four readings")
        << QStringLiteral("homophones") << QStringLiteral("行")
        << QStringLiteral("“行”字的同音字有：\r\n\r\n读 xíng 的字：形\r\n\r\n读 háng 的字：杭\r\n\r\n"
                          "读 héng 的字：衡\r\n\r\n读 xìng 的字：杏\r\n\r\n");
    QTest::newRow("homophones: two readings give two groups")
        << QStringLiteral("homophones") << QStringLiteral(" 重 ")
        << QStringLiteral("“重”字的同音字有：\r\n\r\n读 zhòng 的字：重\r\n\r\n读 chóng 的字：\r\n\r\n");
    QTest::newRow("homophones: a single reading includes the character")
        << QStringLiteral("homophones") << QStringLiteral("形")
        << QStringLiteral("“形”字的同音字有：\r\n\r\n读 xíng 的字：形\r\n\r\n");
    QTest::newRow("homophones: a missing character lists the rows without a reading")
        << QStringLiteral("homophones") << QStringLiteral("龙")
        << QStringLiteral("“龙”字的同音字有：\r\n\r\n读音不详的字：A\r\n\r\n");
    QTest::newRow("homophones: outside the BMP is one character")
        << QStringLiteral("homophones") << QStringLiteral("𠀀")
        << QStringLiteral("“𠀀”字的同音字有：\r\n\r\n读 qiū 的字：𠀀\r\n\r\n");

    QTest::newRow("meaning: one character")
        << QStringLiteral("meaning") << QStringLiteral("青")
        << QStringLiteral("“青” 字义如下： \r\n\r\nqīng\r\n青\r\n颜色名\r\n\r\n\r\n");
    QTest::newRow("meaning: every row, characters without meaning still shown")
        << QStringLiteral("meaning") << QStringLiteral("一重")
        << QStringLiteral("“一重” 字义如下： \r\n\r\nyī\r\n一\r\n\r\n\r\n\r\nzhòng、chóng\r\n重\r\n第一行\r\n\r\n\r\n"
                          "zhòng\r\n重\r\n第二行\r\n\r\n\r\n");
    QTest::newRow("meaning: a leading space is kept and counted")
        << QStringLiteral("meaning") << QStringLiteral(" 青二四")
        << QStringLiteral("“ 青二四” 字义如下： \r\n\r\nqīng\r\n青\r\n颜色名\r\n\r\n\r\nèr\r\n二\r\n\r\n\r\n\r\n"
                          "sì\r\n四\r\n\r\n\r\n\r\n");
}

void TestCharacterLookups::answers()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    const LookupAnswer a = runLookup(kind, input, m_fixture);
    QVERIFY2(!a.message(), qPrintable(a.message() ? a.message()->text : QString()));
    QVERIFY(!a.databaseFailed);
    QVERIFY(a.value);
    QCOMPARE(a.value->text, expected);
}

void TestCharacterLookups::inputMessages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("warning");

    QTest::newRow("strokes: empty") << QStringLiteral("strokes") << QString() << kNoCharacter << QString() << true;
    QTest::newRow("strokes: only spaces") << QStringLiteral("strokes") << QStringLiteral("    ") << kNoCharacter
                                          << QString() << true;
    QTest::newRow("by-strokes: empty") << QStringLiteral("by-strokes") << QStringLiteral("  ")
                                       << QStringLiteral("您还没有输入笔画数。") << QString() << true;
    QTest::newRow("by-strokes: 31") << QStringLiteral("by-strokes") << QStringLiteral("31")
                                    << QStringLiteral("笔画数最大应是30。") << QString() << true;
    QTest::newRow("by-strokes: abc") << QStringLiteral("by-strokes") << QStringLiteral("abc")
                                     << QStringLiteral("输入的笔画数不是数字或太大。") << QStringLiteral("笔画数错误")
                                     << true;
    QTest::newRow("by-strokes: 40000 is not a 16-bit number")
        << QStringLiteral("by-strokes") << QStringLiteral("40000") << QStringLiteral("输入的笔画数不是数字或太大。")
        << QStringLiteral("笔画数错误") << true;
    QTest::newRow("homophones: empty") << QStringLiteral("homophones") << QStringLiteral(" ") << kNoCharacter
                                       << QString() << true;
    QTest::newRow("homophones: two characters") << QStringLiteral("homophones") << QStringLiteral("重行")
                                                << QStringLiteral("在此只能输入一个字。") << QString() << true;
    QTest::newRow("meaning: empty") << QStringLiteral("meaning") << QString() << kNoCharacter << QString() << false;
    QTest::newRow("meaning: four characters and a leading space")
        << QStringLiteral("meaning") << QStringLiteral(" 一二四十") << QStringLiteral("在此最多输入四个汉字。")
        << QString() << false;
}

void TestCharacterLookups::inputMessages()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(bool, warning);
    int notices = 0;
    const LookupAnswer a = runLookup(kind, input, m_fixture, [&notices](const QString &) { ++notices; });
    QVERIFY(a.message());
    QCOMPARE(a.message()->text, message);
    QCOMPARE(a.message()->title, title);
    QCOMPARE(a.message()->style == UserMessage::Style::Warning, warning);
    QVERIFY(!a.value);
    QVERIFY(!a.databaseFailed);
    QCOMPARE(notices, 0);
}

void TestCharacterLookups::fiftyCharactersWithSpaces()
{
    const QString fifty = QStringLiteral("一二三四五六七八九十").repeated(5);
    QStringList spaced;
    for (QChar c : fifty)
        spaced.append(QString(c));
    const LookupAnswer accepted =
        CharacterLookups::characterStrokes(QStringLiteral(" ") + spaced.join(QStringLiteral("  ")) + QStringLiteral(" "),
                                               Library(TestLibrary::realDatabasePath()));
    QVERIFY(!accepted.message());
    QVERIFY(accepted.value);
    QCOMPARE(accepted.value->text.count(QStringLiteral("\r\n")), 50);
    QVERIFY(!accepted.value->text.contains(QStringLiteral("对不起")));

    const LookupAnswer refused =
        CharacterLookups::characterStrokes(fifty + QStringLiteral(" 一"), Library(TestLibrary::realDatabasePath()));
    QVERIFY(refused.message());
    QCOMPARE(*refused.message(), UserMessage::warning(QStringLiteral("在此最多可输入50个汉字。")));
    QVERIFY(!refused.value);
}

void TestCharacterLookups::realLibraryLines()
{
    const LookupAnswer a = CharacterLookups::characterStrokes(QStringLiteral("张王"), Library(TestLibrary::realDatabasePath()));
    QVERIFY(a.value);
    QCOMPARE(a.value->text,
        strokeLine(QStringLiteral("张"), QStringLiteral("11"), QStringLiteral("    "), QStringLiteral("火"))
            + strokeLine(QStringLiteral("王"), QStringLiteral("4"), QStringLiteral("     "), QStringLiteral("土")));

    const LookupAnswer homophones = CharacterLookups::homophones(QStringLiteral("李"), Library(TestLibrary::realDatabasePath()));
    QVERIFY(homophones.value);
    QVERIFY(homophones.value->text.startsWith(QStringLiteral("“李”字的同音字有：\r\n\r\n")));
    QVERIFY(homophones.value->text.contains(QStringLiteral("李")));
    QVERIFY(homophones.value->text.contains(QStringLiteral("理")));

    // Each group says its reading, and a simplified character whose traditional form reads the same stands
    // once, with that form in brackets.
    const LookupAnswer ming = CharacterLookups::homophones(QStringLiteral("明"), Library(TestLibrary::realDatabasePath()));
    QVERIFY(ming.value);
    QVERIFY2(ming.value->text.contains(QStringLiteral("读 míng 的字：鸣（鳴） 铭（銘） ")), qPrintable(ming.value->text));
    QCOMPARE(ming.value->text.count(QStringLiteral("鳴")), 1);
    QVERIFY(ming.value->text.contains(QStringLiteral("读 mèng 的字：")));
}

// 字义查询 with the sound checks: the reading a name uses first, readings no one uses today left out; without
// them the library's readings as stored.
void TestCharacterLookups::meaningShowsTheReadingsOfNames_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("withSound");
    QTest::addColumn<QString>("readings");
    QTest::newRow("子: not the neutral tone") << QStringLiteral("子") << true << QStringLiteral("zǐ");
    QTest::newRow("泊") << QStringLiteral("泊") << true << QStringLiteral("bó、pō");
    QTest::newRow("罗") << QStringLiteral("罗") << true << QStringLiteral("luó");
    QTest::newRow("长") << QStringLiteral("长") << true << QStringLiteral("cháng、zhǎng");
    QTest::newRow("朝") << QStringLiteral("朝") << true << QStringLiteral("zhāo、cháo");
    QTest::newRow("桃: old readings left out") << QStringLiteral("桃") << true << QStringLiteral("táo");
    QTest::newRow("虹: jiàng left out") << QStringLiteral("虹") << true << QStringLiteral("hóng");
    QTest::newRow("家") << QStringLiteral("家") << true << QStringLiteral("jiā");
    QTest::newRow("行") << QStringLiteral("行") << true << QStringLiteral("xíng、háng");
    QTest::newRow("桃 without the sound file") << QStringLiteral("桃") << false
                                               << QStringLiteral("táo、tiāo、zhào");
}

void TestCharacterLookups::meaningShowsTheReadingsOfNames()
{
    QFETCH(QString, character);
    QFETCH(bool, withSound);
    QFETCH(QString, readings);
    const std::optional<NameSoundChecker> sound
        = NameSoundChecker::load(TestLibrary::binDir() + QLatin1Char('/') + NameSoundChecker::fileName());
    QVERIFY(sound);
    const LookupAnswer a = CharacterLookups::characterMeanings(
        character, Library(TestLibrary::realDatabasePath()), kAddress, {}, withSound ? &*sound : nullptr);
    QVERIFY(a.value);
    QCOMPARE(a.value->text.section(QStringLiteral("\r\n"), 2, 2), readings);
}

void TestCharacterLookups::meaningsNotFoundEmptyThePane()
{
    for (const QString &input : {QStringLiteral("一二"), QStringLiteral("龙"), QStringLiteral(" ")}) {
        const LookupAnswer a = CharacterLookups::characterMeanings(input, Library(m_fixture), kAddress);
        QVERIFY(a.message());
        QCOMPARE(*a.message(),
                 UserMessage::plain(QStringLiteral("字库里没有您输入的字，或者您目前使用的起名字库没有输入字义。如果是后者，")
                                    + QStringLiteral("请去青禾主页下载带字义的字库。") + kAddress));
        QVERIFY(a.value);
        QCOMPARE(a.value->text, QString());
        QVERIFY(a.value->fields.isEmpty());
    }
}

void TestCharacterLookups::waitNotices_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("notice");
    QTest::newRow("strokes") << QStringLiteral("strokes") << QStringLiteral("一") << QStringLiteral("请等待1-25秒...");
    QTest::newRow("by-strokes") << QStringLiteral("by-strokes") << QStringLiteral("5")
                                << QStringLiteral("请等待3-10秒...");
    QTest::newRow("homophones") << QStringLiteral("homophones") << QStringLiteral("一")
                                << QStringLiteral("请等待1-10秒...");
    QTest::newRow("meaning") << QStringLiteral("meaning") << QStringLiteral("青") << QStringLiteral("请等待1-10秒...");
    QTest::newRow("meaning not found") << QStringLiteral("meaning") << QStringLiteral("一")
                                       << QStringLiteral("请等待1-10秒...");
}

void TestCharacterLookups::waitNotices()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, notice);
    QStringList notices;
    runLookup(kind, input, m_fixture, [&notices](const QString &text) { notices.append(text); });
    QCOMPARE(notices, QStringList{notice});
}

void TestCharacterLookups::databaseFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::newRow("strokes") << QStringLiteral("strokes") << QStringLiteral("一");
    QTest::newRow("by-strokes") << QStringLiteral("by-strokes") << QStringLiteral("5");
    QTest::newRow("homophones") << QStringLiteral("homophones") << QStringLiteral("一");
    QTest::newRow("meaning") << QStringLiteral("meaning") << QStringLiteral("一");
}

void TestCharacterLookups::databaseFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QTemporaryDir dir;
    int notices = 0;
    const WaitNotice count = [&notices](const QString &) { ++notices; };

    const LookupAnswer missing = runLookup(kind, input, dir.filePath(QStringLiteral("namedbs.mdb")), count);
    QVERIFY(missing.databaseFailed);
    QCOMPARE(*missing.message(), UserMessage::warning(QStringLiteral("找不到namedbs.mdb数据库。"), QStringLiteral("找不到数据库")));
    QVERIFY(!missing.value);

    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    contents.omitTables.insert(QStringLiteral("name"));
    const LookupAnswer noTable = runLookup(kind, input, TestLibrary::write(contents, dir.path()), count);
    QVERIFY(noTable.databaseFailed);
    QCOMPARE(*noTable.message(), UserMessage::warning(QStringLiteral("找不到namedbs.mdb数据库里的name表或此表在设计状态。"),
                                                     QStringLiteral("数据库问题")));
    QVERIFY(!noTable.value);
    QCOMPARE(notices, 0);
}

// The lookups ask indexed queries; they must give exactly the rows a scan from the first row gives.
void TestCharacterLookups::queriesAgreeWithAScanOfTheRealLibrary()
{
    const QList<ScannedRow> rows = scanLibrary(TestLibrary::realDatabasePath());
    QVERIFY(rows.size() > 10000);
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Name});
    QVERIFY(!db.failure());

    const QStringList elements{QStringLiteral("金"), QStringLiteral("木"), QStringLiteral("水"), QStringLiteral("火"),
                               QStringLiteral("土")};
    for (int n = -1; n <= 31; ++n) {
        QStringList expected;
        for (const ScannedRow &row : rows) {
            if (row.strokes == n && elements.contains(row.wuxing))
                expected.append(row.namechr);
        }
        const QList<NameDatabase::LibraryRow> found = db.rowsWithStrokes(n).value();
        QStringList actual;
        for (const NameDatabase::LibraryRow &row : found)
            actual.append(row.namechr);
        QCOMPARE(actual, expected);
    }

    QHash<QString, QStringList> byReading;
    QHash<QString, QStringList> strokesByChar;
    for (const ScannedRow &row : rows) {
        byReading[row.pinyin].append(row.namechr);
        strokesByChar[row.namechr].append(QString::number(row.strokes) + row.wuxing);
    }
    // Every single reading that occurs, whether or not some row has it alone.
    QSet<QString> readings;
    for (const ScannedRow &row : rows) {
        for (const QString &reading : row.pinyin.split(QStringLiteral("、")))
            readings.insert(reading);
    }
    for (const QString &reading : std::as_const(readings))
        QCOMPARE(db.charactersReading(reading).value(), byReading.value(reading));

    for (auto it = strokesByChar.cbegin(); it != strokesByChar.cend(); ++it) {
        const QList<NameDatabase::LibraryRow> full = db.rowsOf(it.key()).value();
        const QList<NameDatabase::LibraryRow> brief = db.strokeRowsOf(it.key()).value();
        QStringList fromFull;
        for (const NameDatabase::LibraryRow &row : full)
            fromFull.append(row.strokes + row.wuxing);
        QStringList fromBrief;
        for (const NameDatabase::LibraryRow &row : brief)
            fromBrief.append(row.strokes + row.wuxing);
        QCOMPARE(fromFull, it.value());
        QCOMPARE(fromBrief, it.value());
    }
}

QTEST_GUILESS_MAIN(TestCharacterLookups)
#include "tst_characterlookups.moc"
