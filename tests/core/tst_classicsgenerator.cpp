// The generator of classics.db: lines and pairs of a verse, the conversion through OpenCC, the file it writes
// from a few poems in the package's layout (tests/data/classics) and the characters of a small library, the list
// of unfit pairs it leaves out, and that list applied to the real generated file.
#include "data/Library.h"
#include "fakes/TestFiles.h"
#include "fakes/TestLibrary.h"
#include "fakes/RealClassicsRules.h"
#include "mkclassics/ClassicsGenerator.h"
#include "mkclassics/ClassicsWriter.h"
#include "mkclassics/TraditionalConverter.h"
#include "mkclassics/UnfitPairs.h"
#include "mkclassics/VerseText.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace tolvane;
using namespace tolvane::mkclassics;

namespace {

QSet<char32_t> charactersOf(const QString &text)
{
    QSet<char32_t> set;
    for (uint c : text.toUcs4())
        set.insert(char32_t(c));
    return set;
}

QString packageDir()
{
    return qEnvironmentVariable("TOLVANE_TEST_DATA") + QStringLiteral("/classics/package");
}

// Whether the file has the pair in the collections, and the character alone.
bool hasPair(ClassicsDatabase &db, const QString &pair, const ClassicSet &classics)
{
    const QList<uint> chars = pair.toUcs4();
    std::vector<ClassicsDatabase::Link> links;
    return db.pairsStartingWith(char32_t(chars[0]), classics, links)
        && std::any_of(links.begin(), links.end(), [&](const auto &l) { return l.other == char32_t(chars[1]); });
}

bool hasCharacter(ClassicsDatabase &db, const QString &character, const ClassicSet &classics)
{
    std::vector<ClassicsDatabase::Link> links;
    return db.linesHolding(char32_t(character.toUcs4().first()), classics, links) && !links.empty();
}

} // namespace

class TestClassicsGenerator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void verseLines_data();
    void verseLines();
    void namePairs_data();
    void namePairs();
    void contexts_data();
    void contexts();
    void traditionalToSimplified_data();
    void traditionalToSimplified();
    void bestLines_data();
    void bestLines();
    void onlyConvertedSimplifiedLinesAreKept();
    void missingPackageStopsTheBuild();
    void unfitPairsAreLeftOut();
    void rarelyUsedWordsAreLeftOut();
    void malformedUnfitLineStopsTheBuild_data();
    void malformedUnfitLineStopsTheBuild();
    void realFileWithoutTheUnfitPairs_data();
    void realFileWithoutTheUnfitPairs();
    void realFileTexts();
    void realFileRules_data();
    void realFileRules();
    void realFileReduplications_data();
    void realFileReduplications();
    void realFileSingleLines_data();
    void realFileSingleLines();

private:
    QTemporaryDir m_dir;
    QString m_library;
    QString m_classics;
    std::optional<QSet<char32_t>> m_fit;
    ClassicsRules m_rules;
};

void TestClassicsGenerator::initTestCase()
{
    m_library = TestLibrary::write(TestLibrary::fixtureContents(QStringLiteral("classics")), m_dir.path());
    QString error;
    m_fit = ClassicsGenerator::fitCharacters(m_library, &error);
    QVERIFY2(m_fit, qPrintable(error));
    m_rules = realClassicsRules();
    const std::optional<ClassicsContents> contents
        = ClassicsGenerator::build(packageDir(), *m_fit, m_rules, QStringLiteral("t2s.json"), &error);
    QVERIFY2(contents, qPrintable(error));
    m_classics = m_dir.filePath(QStringLiteral("classics.db"));
    QVERIFY2(ClassicsWriter::write(*contents, m_classics, &error), qPrintable(error));
}

void TestClassicsGenerator::verseLines_data()
{
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("a stanza is cut after each full stop")
        << QStringLiteral("关关雎鸠，在河之洲。窈窕淑女，君子好逑。")
        << QStringList { QStringLiteral("关关雎鸠，在河之洲。"), QStringLiteral("窈窕淑女，君子好逑。") };
    QTest::newRow("closing quotation mark stays with its line")
        << QStringLiteral("子曰：“巧言令色，鲜矣仁！”有子曰：“其为人也孝弟。”")
        << QStringList { QStringLiteral("子曰：“巧言令色，鲜矣仁！”"), QStringLiteral("有子曰：“其为人也孝弟。”") };
    QTest::newRow("question mark and semicolon end lines")
        << QStringLiteral("明月几时有？把酒问青天；不知天上宫阙")
        << QStringList { QStringLiteral("明月几时有？"), QStringLiteral("把酒问青天；"),
               QStringLiteral("不知天上宫阙") };
    QTest::newRow("variant readings in brackets are dropped")
        << QStringLiteral("阑风长雨（一作「东风细雨」）秋纷纷，四海（一作「万里」）八荒同一云。")
        << QStringList { QStringLiteral("阑风长雨秋纷纷，四海八荒同一云。") };
    QTest::newRow("an unclosed note runs to the end")
        << QStringLiteral("江南好，（下缺") << QStringList { QStringLiteral("江南好，") };
    QTest::newRow("editors' numbered notes are dropped") << QStringLiteral("〖2〗大宋丁巳熙宁十年〖一○七七〗八月。")
                                                         << QStringList { QStringLiteral("大宋丁巳熙宁十年八月。") };
    QTest::newRow("restored character kept, its brackets dropped")
        << QStringLiteral("德迈娥台敞，仁高[姒]幄披。") << QStringList { QStringLiteral("德迈娥台敞，仁高姒幄披。") };
    QTest::newRow("described character becomes a box")
        << QStringLiteral("疲{艹/尔}竟何人，洒涕巴东峡。") << QStringList { QStringLiteral("疲□竟何人，洒涕巴东峡。") };
    QTest::newRow("nothing but a note leaves no line") << QStringLiteral("（下缺）") << QStringList {};
    QTest::newRow("the close of a note begun in the paragraph before goes")
        << QStringLiteral("）独酌高吟问山水，到头山景属何人。")
        << QStringList { QStringLiteral("独酌高吟问山水，到头山景属何人。") };
    QTest::newRow("blanks trimmed") << QStringLiteral("　 春眠不觉晓。 ")
                                    << QStringList { QStringLiteral("春眠不觉晓。") };
}

void TestClassicsGenerator::verseLines()
{
    QFETCH(QString, paragraph);
    QFETCH(QStringList, lines);
    QCOMPARE(VerseText::lines(paragraph), lines);
}

void TestClassicsGenerator::namePairs_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("fit");
    QTest::addColumn<QString>("verse"); // prose, shi (metred), 诗经 (metred, its feet phrases)
    QTest::addColumn<QString>("pairs"); // a phrase marked +
    const QString prose = QStringLiteral("prose");
    const QString shi = QStringLiteral("shi");
    const QString shijing = QStringLiteral("诗经");
    QTest::newRow("two words of one line")
        << QStringLiteral("名余曰正则兮，字余曰灵均。") << QStringLiteral("正则灵均") << prose << QStringLiteral("正则 灵均");
    QTest::newRow("never across a comma")
        << QStringLiteral("桃之夭夭，灼灼其华。") << QStringLiteral("夭灼华") << shijing << QStringLiteral("夭夭 灼灼");
    QTest::newRow("never across a full stop")
        << QStringLiteral("早生华发。明月几时有") << QStringLiteral("发明") << prose << QString();
    QTest::newRow("never across a quotation mark")
        << QStringLiteral("子曰“学而时习之”") << QStringLiteral("曰学") << prose << QString();
    QTest::newRow("a character not fit breaks the run")
        << QStringLiteral("明月松间照") << QStringLiteral("明月间照") << shi << QStringLiteral("明月");
    QTest::newRow("尔桐 of 感尔桐花意 is no word")
        << QStringLiteral("感尔桐花意") << QStringLiteral("尔桐") << shi << QString();
    QTest::newRow("丰贺 of 时丰贺国祯 is no word")
        << QStringLiteral("时丰贺国祯") << QStringLiteral("丰贺") << shi << QString();
    QTest::newRow("一亦 of 无一亦无二 is no word")
        << QStringLiteral("无一亦无二") << QStringLiteral("一亦") << shi << QString();
    QTest::newRow("礼喜 of 瞻礼喜成悲 is no word")
        << QStringLiteral("瞻礼喜成悲") << QStringLiteral("礼喜") << shi << QString();
    QTest::newRow("the pause decides: 清泉, not 泉石")
        << QStringLiteral("明月松间照，清泉石上流。") << QStringLiteral("明月清泉石上流") << shi
        << QStringLiteral("明月 清泉");
    QTest::newRow("no word across the pause") << QStringLiteral("大舜门中亚绣旗") << QStringLiteral("舜门中亚绣旗")
                                              << shi << QString();
    QTest::newRow("a line's last two characters in shi")
        << QStringLiteral("温润还将六美学") << QStringLiteral("六美学") << shi << QString();
    QTest::newRow("prose has no feet")
        << QStringLiteral("温润还将六美学") << QStringLiteral("六美学") << prose << QStringLiteral("美学");
    QTest::newRow("诗经: a foot that is no word is a phrase")
        << QStringLiteral("蒹葭苍苍，白露为霜。") << QStringLiteral("蒹葭苍白露为霜") << shijing
        << QStringLiteral("蒹葭 苍苍 白露 为霜+");
    QTest::newRow("shi: a foot that is no word is nothing")
        << QStringLiteral("蒹葭苍苍，白露为霜。") << QStringLiteral("蒹葭苍白露为霜") << shi
        << QStringLiteral("蒹葭 苍苍 白露");
    QTest::newRow("halves of a four-character word")
        << QStringLiteral("天下海晏河清") << QStringLiteral("海晏河清") << prose << QStringLiteral("海晏+ 河清+");
    QTest::newRow("shi: a foot yields to a more frequent word across it")
        << QStringLiteral("人生活在世") << QStringLiteral("人生活") << shi << QString();
    QTest::newRow("诗经: 之 dropped as in the odes' titles (汉广)")
        << QStringLiteral("汉之广矣，不可泳思。") << QStringLiteral("汉广") << shijing << QStringLiteral("汉广+");
    QTest::newRow("诗经: 之 in a clause of three (麟趾)")
        << QStringLiteral("麟之趾") << QStringLiteral("麟趾") << shijing << QStringLiteral("麟趾+");
    QTest::newRow("诗经: 之 in a longer clause is no phrase")
        << QStringLiteral("宾之初筵") << QStringLiteral("宾初") << shijing << QString();
    QTest::newRow("诗经: two words framed by 既 and 且 (明哲)")
        << QStringLiteral("既明且哲，以保其身。") << QStringLiteral("明哲") << shijing << QStringLiteral("明哲+");
    QTest::newRow("诗经: framed characters that are no word")
        << QStringLiteral("如山如阜") << QStringLiteral("山阜") << shijing << QString();
    QTest::newRow("诗经: no phrase across a word of the cut")
        << QStringLiteral("为公子裳") << QStringLiteral("为公子裳") << shijing << QString();
    QTest::newRow("shi: a doubled character is a word, listed or not (皎皎)")
        << QStringLiteral("皎皎河汉女") << QStringLiteral("皎河汉女") << shi << QStringLiteral("皎皎");
    QTest::newRow("诗经: a doubled character is a word, not a phrase (皎皎)")
        << QStringLiteral("皎皎白驹") << QStringLiteral("皎") << shijing << QStringLiteral("皎皎");
    QTest::newRow("shi: a doubled character yields to a word across the foot")
        << QStringLiteral("人人民安乐") << QStringLiteral("人民") << shi << QString();
    QTest::newRow("a verb is no name")
        << QStringLiteral("天子闻知动颜色") << QStringLiteral("闻知颜色") << prose << QStringLiteral("颜色");
}

void TestClassicsGenerator::namePairs()
{
    QFETCH(QString, line);
    QFETCH(QString, fit);
    QFETCH(QString, verse);
    QFETCH(QString, pairs);
    QStringList found;
    for (const VerseText::WordPair &p :
        VerseText::wordPairs(line, charactersOf(fit), m_rules.words, verse != u"prose", verse == u"诗经")) {
        found.append(QString::fromUcs4(&p.first, 1) + QString::fromUcs4(&p.second, 1)
            + (p.kind == VerseText::PairKind::Phrase ? QStringLiteral("+") : QString()));
    }
    QCOMPARE(found.join(QLatin1Char(' ')), pairs);
}

void TestClassicsGenerator::contexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("context"); // 0 fine, 1 sad (quoted last), 2 unfit
    QTest::newRow("a fine line") << QStringLiteral("明月松间照，清泉石上流。") << 0;
    QTest::newRow("death") << QStringLiteral("人生自古谁无死") << 2;
    QTest::newRow("lust: 巫山云雨") << QStringLiteral("曾经沧海难为水，除却巫山不是云。") << 2;
    QTest::newRow("war's horror") << QStringLiteral("可怜无定河边骨，犹是春闺梦里人。古来白骨无人收") << 2;
    QTest::newRow("a known villain") << QStringLiteral("杨国忠") << 2;
    QTest::newRow("杨贵妃 as 太真") << QStringLiteral("中有一人字太真，雪肤花貌参差是。") << 2;
    QTest::newRow("a poem on toads, by its title") << QStringLiteral("虾蟆") << 2;
    QTest::newRow("an elegy, by its title") << QStringLiteral("哭孟浩然") << 2;
    QTest::newRow("a gatha, by its title") << QStringLiteral("偈一百二十首") << 2;
    QTest::newRow("sad: quoted last") << QStringLiteral("感时花溅泪，恨别鸟惊心。") << 1;
    QTest::newRow("the worst context counts") << QStringLiteral("泪眼问花花不语，乱红飞过秋千去。死") << 2;
}

void TestClassicsGenerator::contexts()
{
    QFETCH(QString, text);
    QFETCH(int, context);
    QCOMPARE(int(m_rules.unfit.context(text)), context);
}

void TestClassicsGenerator::traditionalToSimplified_data()
{
    QTest::addColumn<QString>("traditional");
    QTest::addColumn<QString>("simplified");
    QTest::newRow("characters") << QStringLiteral("秦川雄帝宅，函谷壯皇居。")
                                << QStringLiteral("秦川雄帝宅，函谷壮皇居。");
    QTest::newRow("a line of a lyric") << QStringLiteral("明月幾時有？把酒問青天。")
                                       << QStringLiteral("明月几时有？把酒问青天。");
    QTest::newRow("phrases decide: 乾坤 stays") << QStringLiteral("乾坤") << QStringLiteral("乾坤");
    QTest::newRow("phrases decide: 乾燥 becomes 干燥") << QStringLiteral("乾燥") << QStringLiteral("干燥");
    QTest::newRow("simplified text unchanged") << QStringLiteral("名余曰正则兮") << QStringLiteral("名余曰正则兮");
}

void TestClassicsGenerator::traditionalToSimplified()
{
    QFETCH(QString, traditional);
    QFETCH(QString, simplified);
    const TraditionalConverter converter;
    QVERIFY2(converter.isValid(), qPrintable(converter.error()));
    QCOMPARE(converter.toSimplified(traditional), simplified);
}

void TestClassicsGenerator::bestLines_data()
{
    QTest::addColumn<QString>("name"); // one character, or a pair
    QTest::addColumn<QString>("classics"); // the collections asked for
    QTest::addColumn<QString>("line"); // empty: no such name
    QTest::addColumn<QString>("source"); // collection|title|author

    const QString all = QStringLiteral("诗经,论语,楚辞,孟子,大学,中庸,唐诗,宋词,宋诗");
    const QString lisao = QStringLiteral("名余曰正则兮，字余曰灵均。");
    QTest::newRow("pair in 楚辞") << QStringLiteral("正则") << all << lisao << QStringLiteral("楚辞|离骚|屈原");
    QTest::newRow("second pair of the same line")
        << QStringLiteral("灵均") << all << lisao << QStringLiteral("楚辞|离骚|屈原");
    QTest::newRow("doubled character") << QStringLiteral("夭夭") << all << QStringLiteral("桃之夭夭，灼灼其华。")
                                       << QStringLiteral("诗经|周南·桃夭|");
    QTest::newRow("across a comma: no pair") << QStringLiteral("夭灼") << all << QString() << QString();
    QTest::newRow("traditional Tang line, simplified")
        << QStringLiteral("壮") << all << QStringLiteral("秦川雄帝宅，函谷壮皇居。")
        << QStringLiteral("唐诗|帝京篇十首 一|太宗皇帝");
    QTest::newRow("壮皇 of 函谷壮皇居 is no word") << QStringLiteral("壮皇") << all << QString() << QString();
    QTest::newRow("the traditional form never pairs") << QStringLiteral("壯皇") << all << QString() << QString();
    QTest::newRow("older collection preferred")
        << QStringLiteral("明月") << all << QStringLiteral("明月松间照，清泉石上流。")
        << QStringLiteral("唐诗|山居秋暝|王维");
    QTest::newRow("only the collections asked for")
        << QStringLiteral("明月") << QStringLiteral("宋词") << QStringLiteral("明月几时有？")
        << QStringLiteral("宋词|水调歌头|苏轼");
    QTest::newRow("numbered files in numeric order, note dropped")
        << QStringLiteral("风") << QStringLiteral("唐诗") << QStringLiteral("阑风长雨秋纷纷，四海八荒同一云。")
        << QStringLiteral("唐诗|秋雨叹三首 二|杜甫");
    QTest::newRow("pair only inside a note: none") << QStringLiteral("细雨") << all << QString() << QString();
    // The Tang poem also has the editor's note 按《嘉舜》一本作「華發」。: neither pair is drawn from it.
    QTest::newRow("editor's note among Tang verses: none") << QStringLiteral("嘉舜") << all << QString() << QString();
    // The same poem has 細風吹□雨。: a line with a lost character is taken for a note too.
    QTest::newRow("Tang line with a lost character: none") << QStringLiteral("细风") << all << QString() << QString();
    QTest::newRow("论语 prose") << QStringLiteral("习") << all << QStringLiteral("子曰：“学而时习之，不亦说乎？")
                                << QStringLiteral("论语|学而篇|");
    QTest::newRow("楚辞 section before title, text not converted")
        << QStringLiteral("秋风") << all << QStringLiteral("嫋嫋兮秋风，洞庭波兮木叶下。")
        << QStringLiteral("楚辞|九歌·湘夫人|屈原");
    QTest::newRow("宋词 by its tune") << QStringLiteral("华发") << all
                                      << QStringLiteral("故国神游，多情应笑我，早生华发。")
                                      << QStringLiteral("宋词|念奴娇|苏轼");
    QTest::newRow("files outside the numbered set are not read")
        << QStringLiteral("清华") << all << QString() << QString();
    QTest::newRow("single character, 小雅 cited by chapter")
        << QStringLiteral("嘉") << all << QStringLiteral("我有嘉宾，鼓瑟吹笙。") << QStringLiteral("诗经|小雅·鹿鸣|");
    QTest::newRow("single character, preferred collection")
        << QStringLiteral("秋") << all << QStringLiteral("嫋嫋兮秋风，洞庭波兮木叶下。")
        << QStringLiteral("楚辞|九歌·湘夫人|屈原");
    QTest::newRow("pair, of two lines where it is a word the one without a rare character")
        << QStringLiteral("秋月") << QStringLiteral("唐诗") << QStringLiteral("秋月照寒窗。")
        << QStringLiteral("唐诗|测试用诗|无名氏");
    QTest::newRow("single character, first line of its collection")
        << QStringLiteral("雨") << QStringLiteral("唐诗") << QStringLiteral("空山新雨后，天气晚来秋。")
        << QStringLiteral("唐诗|山居秋暝|王维");
    // 秋 stands alone in 天气晚来秋 and 秋纷纷, in the word 秋月 in the last two lines, the first of which has the
    // rare 窅.
    QTest::newRow("single character, in a word of a line without rare characters")
        << QStringLiteral("秋") << QStringLiteral("唐诗") << QStringLiteral("秋月照寒窗。")
        << QStringLiteral("唐诗|测试用诗|无名氏");
    QTest::newRow("single character not fit for names") << QStringLiteral("余") << all << QString() << QString();
}

void TestClassicsGenerator::bestLines()
{
    QFETCH(QString, name);
    QFETCH(QString, classics);
    QFETCH(QString, line);
    QFETCH(QString, source);
    ClassicsDatabase db = ClassicsLibrary(m_classics).open();
    QVERIFY(db.isOpen());
    const std::optional<ClassicSet> set = ClassicSet::parse(classics);
    QVERIFY(set);
    std::vector<ClassicsDatabase::Link> links;
    const QList<uint> chars = name.toUcs4();
    QVERIFY(chars.size() == 2 ? db.pairsStartingWith(char32_t(chars[0]), *set, links)
                              : db.linesHolding(char32_t(chars[0]), *set, links));
    // The first link to the character is its best line.
    const char32_t wanted = char32_t(chars.last());
    const auto found = std::find_if(links.begin(), links.end(), [&](const auto &l) { return l.other == wanted; });
    if (line.isEmpty()) {
        QVERIFY(found == links.end());
        return;
    }
    QVERIFY(found != links.end());
    const std::optional<ClassicsDatabase::Verse> verse = db.verse(found->line);
    QVERIFY(verse);
    QCOMPARE(verse->text, line);
    QCOMPARE(classicName(verse->classic) + QLatin1Char('|') + verse->title + QLatin1Char('|') + verse->author, source);
}

void TestClassicsGenerator::onlyConvertedSimplifiedLinesAreKept()
{
    // Lines are kept only where a name points; no traditional form of a converted collection is left in them.
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(m_classics).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const auto scalar = [db](const char *sql) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        QString value;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return value;
    };
    QCOMPARE(scalar("SELECT count(*) FROM line WHERE id NOT IN (SELECT line FROM pair UNION SELECT line FROM single);"),
        QStringLiteral("0"));
    QCOMPARE(scalar("SELECT count(*) FROM verse WHERE text GLOB '*[壯間後氣來幾問闌長紛雲燈裏閒獨時]*' "
                    "AND classic IN ('唐诗', '宋词');"),
        QStringLiteral("0"));
    QCOMPARE(scalar("SELECT value FROM meta WHERE name = 'source';"), QStringLiteral("chinese-poetry 2.0.1-fixture"));
    sqlite3_close_v2(db);
}

void TestClassicsGenerator::missingPackageStopsTheBuild()
{
    QString error;
    QVERIFY(!ClassicsGenerator::build(
        m_dir.filePath(QStringLiteral("nowhere")), *m_fit, m_rules, QStringLiteral("t2s.json"), &error));
    QVERIFY2(error.contains(QStringLiteral("scripts/setup.sh")), qPrintable(error));
    QVERIFY(
        !ClassicsGenerator::build(packageDir(), *m_fit, m_rules, QStringLiteral("no-such-config.json"), &error));
    QVERIFY2(error.contains(QStringLiteral("OpenCC")), qPrintable(error));
}

void TestClassicsGenerator::unfitPairsAreLeftOut()
{
    // 明月 is listed: gone from every collection, while 清泉 of the same line and 明 and 月 alone stay.
    const QString list = m_dir.filePath(QStringLiteral("unfit-pairs.tsv"));
    QVERIFY(writeAll(list, QStringLiteral("# 测试\n\n明月\t其他词义：测试\n").toUtf8()));
    QString error;
    const std::optional<UnfitPairs> unfit = UnfitPairs::read(list, &error);
    QVERIFY2(unfit, qPrintable(error));
    ClassicsRules rules = realClassicsRules();
    rules.unfit = *unfit;
    const std::optional<ClassicsContents> contents
        = ClassicsGenerator::build(packageDir(), *m_fit, rules, QStringLiteral("t2s.json"), &error);
    QVERIFY2(contents, qPrintable(error));
    QCOMPARE(contents->unfitPairsLeftOut, 2); // 唐诗 and 宋词
    const QString file = m_dir.filePath(QStringLiteral("without-mingyue.db"));
    QVERIFY2(ClassicsWriter::write(*contents, file, &error), qPrintable(error));
    ClassicsDatabase db = ClassicsLibrary(file).open();
    QVERIFY(db.isOpen());
    const ClassicSet all = *ClassicSet::parse(QStringLiteral("诗经,论语,楚辞,孟子,大学,中庸,唐诗,宋词,宋诗"));
    QVERIFY(!hasPair(db, QStringLiteral("明月"), all));
    QVERIFY(hasPair(db, QStringLiteral("清泉"), all));
    QVERIFY(hasCharacter(db, QStringLiteral("明"), all));
    QVERIFY(hasCharacter(db, QStringLiteral("月"), all));
}

void TestClassicsGenerator::rarelyUsedWordsAreLeftOut()
{
    // 明月 is a word on a foot of a Tang poem and of a lyric (明月松间照, 明月几时有), 华发 of one lyric only (早生华发):
    // with two uses asked for, 宋词 keeps 明月 and loses 华发, while 华 and 发 alone stay.
    ClassicsRules rules = realClassicsRules();
    rules.leastUses = 2;
    QString error;
    const std::optional<ClassicsContents> contents
        = ClassicsGenerator::build(packageDir(), *m_fit, rules, QStringLiteral("t2s.json"), &error);
    QVERIFY2(contents, qPrintable(error));
    const QString file = m_dir.filePath(QStringLiteral("used-once.db"));
    QVERIFY2(ClassicsWriter::write(*contents, file, &error), qPrintable(error));
    ClassicsDatabase db = ClassicsLibrary(file).open();
    QVERIFY(db.isOpen());
    const ClassicSet songci = *ClassicSet::parse(QStringLiteral("宋词"));
    QVERIFY(hasPair(db, QStringLiteral("明月"), songci));
    QVERIFY(!hasPair(db, QStringLiteral("华发"), songci));
    QVERIFY(hasCharacter(db, QStringLiteral("华"), songci));
    QVERIFY(hasCharacter(db, QStringLiteral("发"), songci));
}

void TestClassicsGenerator::malformedUnfitLineStopsTheBuild_data()
{
    QTest::addColumn<QString>("lines"); // after a first good line 明月
    QTest::addColumn<int>("badLine");
    QTest::newRow("one character") << QStringLiteral("清\t理由") << 3;
    QTest::newRow("no tab") << QStringLiteral("清泉 理由") << 3;
    QTest::newRow("no reason") << QStringLiteral("清泉\t ") << 3;
    QTest::newRow("out of order") << QStringLiteral("清泉\t理由\n明镜\t理由") << 4;
    QTest::newRow("listed twice") << QStringLiteral("明月\t另一个理由") << 3;
    QTest::newRow("three characters") << QStringLiteral("清泉石\t理由") << 3;
}

void TestClassicsGenerator::malformedUnfitLineStopsTheBuild()
{
    QFETCH(QString, lines);
    QFETCH(int, badLine);
    const QString list = m_dir.filePath(QStringLiteral("unfit-pairs.tsv"));
    QVERIFY(writeAll(list, (QStringLiteral("# 不宜作名字的字对\n明月\t其他词义：测试\n") + lines + QLatin1Char('\n')).toUtf8()));
    QString error;
    QVERIFY(!UnfitPairs::read(list, &error));
    QVERIFY2(error.startsWith(QStringLiteral("%1:%2: ").arg(list).arg(badLine)), qPrintable(error));
}

void TestClassicsGenerator::realFileWithoutTheUnfitPairs_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<bool>("listed");
    QTest::newRow("深渊 of 如临深渊") << QStringLiteral("深渊") << true;
    QTest::newRow("子之 of 执子之手") << QStringLiteral("子之") << true;
    QTest::newRow("之子 of 之子于归") << QStringLiteral("之子") << true;
    QTest::newRow("明月, a word of 明月松间照") << QStringLiteral("明月") << false;
}

void TestClassicsGenerator::realFileWithoutTheUnfitPairs()
{
    QFETCH(QString, pair);
    QFETCH(bool, listed);
    const QString source
        = qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/classics/unfit-pairs.tsv");
    QString error;
    const std::optional<UnfitPairs> unfit = UnfitPairs::read(source, &error);
    QVERIFY2(unfit, qPrintable(error));
    const QList<uint> chars = pair.toUcs4();
    QCOMPARE(unfit->contains(char32_t(chars[0]), char32_t(chars[1])), listed);

    ClassicsDatabase db = ClassicsLibrary(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db"))).open();
    QVERIFY(db.isOpen());
    const ClassicSet all = *ClassicSet::parse(QStringLiteral("诗经,论语,楚辞,孟子,大学,中庸,唐诗,宋词,宋诗"));
    QCOMPARE(hasPair(db, pair, all), !listed);
    // Listing a pair takes nothing from its characters alone.
    QVERIFY(hasCharacter(db, pair.left(1), all));
    QVERIFY(hasCharacter(db, pair.mid(1), all));
}

void TestClassicsGenerator::realFileTexts()
{
    // The verses as a reader sees them: standard forms, poets' names as they are, and none of the pairs a
    // reader found splitting a word or quoting an ugly context.
    const QString path = QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db"));
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const auto count = [db](const QString &sql) {
        sqlite3_stmt *stmt = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_prepare_v2(db, utf8.constData(), -1, &stmt, nullptr);
        const int n = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
        sqlite3_finalize(stmt);
        return n;
    };
    const QString variants = QStringLiteral("*[鴈劒覩慙廻堦謩蕋飡敍荅浄珮羣鶑逈巖]*");
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM line WHERE text GLOB '%1';").arg(variants)), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM poem WHERE title GLOB '%1';").arg(variants)), 0);
    // A tune and its other name are joined by the interpunct, never the katakana middle dot (百字令·念奴娇).
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM poem WHERE title GLOB '*%1*';").arg(QChar(0x30FB))), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM poem WHERE author GLOB '*[0-9]' OR author GLOB '*[[]*';")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM poem WHERE author = '侯置';")), 0);
    QVERIFY(count(QStringLiteral("SELECT count(*) FROM poem WHERE author = '侯寘';")) > 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM poem WHERE author = '向子𬤇';")), 0);
    QVERIFY(count(QStringLiteral("SELECT count(*) FROM poem WHERE author = '向子諲';")) > 0);
    // No particle at either end (之昭, 朱禹亦), and 如 never last (颜如 of 颜如舜华).
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM pair WHERE first IN ('之', '亦', '尔', '维', '言') "
                                  "OR second IN ('之', '亦', '尔', '维', '言', '如');")),
        0);
    for (const char *pair : { "尔桐", "丰贺", "一亦", "礼喜", "奇颖", "雨洛", "至夏", "大杨", "太真", "之昭" }) {
        const QString p = QString::fromUtf8(pair);
        QVERIFY2(count(QStringLiteral("SELECT count(*) FROM pair WHERE first = '%1' AND second = '%2';")
                           .arg(p.left(1), p.mid(1)))
                == 0,
            pair);
    }
    sqlite3_close_v2(db);
}

void TestClassicsGenerator::realFileRules_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("collection");
    QTest::addColumn<bool>("present");
    QTest::newRow("a lyric is cut by its feet: no 子方 of 鸣榔艇子方云扰")
        << QStringLiteral("子方") << QStringLiteral("宋词") << false;
    QTest::newRow("a word of today's speech far more than of verse: 敏捷")
        << QStringLiteral("敏捷") << QStringLiteral("唐诗") << false;
    QTest::newRow("a plain word of place: 林中") << QStringLiteral("林中") << QStringLiteral("唐诗") << false;
    QTest::newRow("子 \"you\" begins no phrase: 子兴 of 子兴视夜") << QStringLiteral("子兴") << QStringLiteral("诗经")
                                                                 << false;
    QTest::newRow("a pair judged unfit for the verses only: 秋天")
        << QStringLiteral("秋天") << QStringLiteral("唐诗") << false;
    QTest::newRow("汉广 of 汉之广矣") << QStringLiteral("汉广") << QStringLiteral("诗经") << true;
    QTest::newRow("明哲 of 既明且哲") << QStringLiteral("明哲") << QStringLiteral("诗经") << true;
    QTest::newRow("明月 of the Tang poets") << QStringLiteral("明月") << QStringLiteral("唐诗") << true;
    QTest::newRow("清泉 against the rarer 泉石") << QStringLiteral("清泉") << QStringLiteral("唐诗") << true;
}

void TestClassicsGenerator::realFileRules()
{
    QFETCH(QString, pair);
    QFETCH(QString, collection);
    QFETCH(bool, present);
    ClassicsDatabase db = ClassicsLibrary(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db"))).open();
    QVERIFY(db.isOpen());
    QCOMPARE(hasPair(db, pair, *ClassicSet::parse(collection)), present);
}

void TestClassicsGenerator::realFileReduplications_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("collection");
    QTest::addColumn<QString>("sex"); // 女, 男, 通 (either), or empty: not in the file
    QTest::newRow("an unlisted doubled character is a girl's name: 依依") << QStringLiteral("依依") << QStringLiteral("诗经")
                                                                     << QStringLiteral("女");
    QTest::newRow("a doubled character the dictionary lacks: 皎皎") << QStringLiteral("皎皎") << QStringLiteral("唐诗")
                                                                  << QStringLiteral("女");
    QTest::newRow("listed for boys: 浩浩") << QStringLiteral("浩浩") << QStringLiteral("诗经") << QStringLiteral("男");
    QTest::newRow("listed for either: 明明") << QStringLiteral("明明") << QStringLiteral("诗经") << QStringLiteral("通");
    QTest::newRow("refused, half of 小心翼翼: 翼翼") << QStringLiteral("翼翼") << QStringLiteral("诗经") << QString();
    QTest::newRow("refused, \"every year\": 世世") << QStringLiteral("世世") << QStringLiteral("唐诗") << QString();
}

void TestClassicsGenerator::realFileReduplications()
{
    QFETCH(QString, pair);
    QFETCH(QString, collection);
    QFETCH(QString, sex);
    ClassicsDatabase db = ClassicsLibrary(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db"))).open();
    QVERIFY(db.isOpen());
    const char32_t c = char32_t(pair.toUcs4().first());
    std::vector<ClassicsDatabase::Link> links;
    QVERIFY(db.pairsStartingWith(c, *ClassicSet::parse(collection), links));
    const auto found = std::find_if(links.begin(), links.end(), [&](const auto &l) { return l.other == c; });
    if (sex.isEmpty()) {
        QVERIFY(found == links.end());
        return;
    }
    QVERIFY(found != links.end());
    using PairSex = ClassicsDatabase::PairSex;
    const PairSex expected = sex == u"女" ? PairSex::Female : sex == u"男" ? PairSex::Male : PairSex::Any;
    QCOMPARE(found->sex, expected);
}

void TestClassicsGenerator::realFileSingleLines_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("collection");
    QTest::addColumn<QString>("line");
    // Not 陟彼砠矣，我马瘏矣，我仆痡矣，云何吁矣。: 云 "says" there, among the rare words of illness 瘏 and 痡.
    QTest::newRow("云 of 有女如云") << QStringLiteral("云") << QStringLiteral("诗经") << QStringLiteral("出其东门，有女如云。");
}

void TestClassicsGenerator::realFileSingleLines()
{
    QFETCH(QString, character);
    QFETCH(QString, collection);
    QFETCH(QString, line);
    ClassicsDatabase db = ClassicsLibrary(QDir(TestLibrary::binDir()).filePath(QStringLiteral("classics.db"))).open();
    QVERIFY(db.isOpen());
    std::vector<ClassicsDatabase::Link> links;
    QVERIFY(db.linesHolding(char32_t(character.toUcs4().first()), *ClassicSet::parse(collection), links));
    QVERIFY(!links.empty());
    const std::optional<ClassicsDatabase::Verse> verse = db.verse(links.front().line);
    QVERIFY(verse);
    QCOMPARE(verse->text, line);
}

QTEST_GUILESS_MAIN(TestClassicsGenerator)
#include "tst_classicsgenerator.moc"
