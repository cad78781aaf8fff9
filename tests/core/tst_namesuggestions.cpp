// Suggested names: the ranking rules as rows, the exclude and include wishes, the configurations offered to girls,
// the variety of the shortlist and what an empty result says, on the real generated library, verses and words.
#include "analysis/NameAnalysis.h"
#include "analysis/NameSound.h"
#include "fakes/TestFiles.h"
#include "fakes/TestLibrary.h"
#include "naming/NameScore.h"
#include "naming/NameSuggestions.h"
#include "naming/SuggestionText.h"
#include "data/NameDatabase.h"
#include "numerology/LuckRules.h"
#include "text/Characters.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

SuggestionSources realSources()
{
    const QDir bin(TestLibrary::binDir());
    return { Library(TestLibrary::realDatabasePath()), ClassicsLibrary(bin.filePath(QStringLiteral("classics.db"))),
        bin.filePath(NameWords::fileName()), {} };
}

// The same sources with each name's sound judged as the program judges it: only a homophone whose tones match too
// counts as strong.
SuggestionSources realSourcesWithSound()
{
    static const std::optional<NameSoundChecker> checker
        = NameSoundChecker::load(QDir(TestLibrary::binDir()).filePath(NameSoundChecker::fileName()));
    SuggestionSources sources = realSources();
    if (!checker)
        return sources;
    sources.sound = [](const QString &surname, const QString &given) -> std::optional<SoundVerdict> {
        SoundVerdict verdict;
        for (const SoundFinding &finding : checker->check(surname, given).findings) {
            const bool strong = finding.strong && finding.kind == SoundFinding::Kind::Homophone;
            (strong ? verdict.strong : verdict.weak).append(finding.text);
        }
        return verdict;
    };
    return sources;
}

SuggestionRequest request(const QString &surname, Sex sex, int length = 2)
{
    SuggestionRequest r;
    r.surname = surname;
    r.sex = sex;
    r.nameLength = length;
    return r;
}

QString suggestionsFile(const QString &name)
{
    QFile file(QDir(qEnvironmentVariable("TOLVANE_SOURCE_DIR")).filePath(QStringLiteral("data/suggestions/") + name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString rulesText()
{
    return suggestionsFile(QStringLiteral("ranking.tsv"));
}

} // namespace

class TestNameSuggestions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rulesFile_data();
    void rulesFile();
    void characterTastes_data();
    void characterTastes();
    void scoreParts_data();
    void scoreParts();
    void excludeAndInclude_data();
    void excludeAndInclude();
    void girlsConfigurations_data();
    void girlsConfigurations();
    void shortlistVariety();
    void halfOnlyWhenTooFew();
    void nothingFoundSaysWhatToRelax_data();
    void nothingFoundSaysWhatToRelax();
    void characterLists_data();
    void characterLists();
    void wholeNameRules_data();
    void wholeNameRules();
    void shortListsLoosened_data();
    void shortListsLoosened();
    void shortListSaysWhatGivesMore_data();
    void shortListSaysWhatGivesMore();
    void famousNamesLeftOut_data();
    void famousNamesLeftOut();
    void classicsCountOnlyWords_data();
    void classicsCountOnlyWords();
    void brokenBuiltInFilesRefuse_data();
    void brokenBuiltInFilesRefuse();
};

void TestNameSuggestions::rulesFile_data()
{
    QTest::addColumn<QString>("edit"); // a line appended to the real file, or a rule taken out
    QTest::addColumn<bool>("valid");
    QTest::newRow("the file as it is") << QString() << true;
    QTest::newRow("an unknown rule") << QStringLiteral("+grids.perfect\t40\t理由") << false;
    QTest::newRow("a rule twice") << QStringLiteral("+meaning.word\t20\t理由") << false;
    QTest::newRow("a rule missing") << QStringLiteral("-sound.strong") << false;
    QTest::newRow("no reason") << QStringLiteral("-meaning.sex+meaning.sex\t2\t") << false;
    QTest::newRow("a variety limit of 0") << QStringLiteral("-variety.first+variety.first\t0\t理由") << false;
}

// The rules are read from data/ when the program is built; a file a reviewer breaks must not build a program that
// ranks by half a table.
void TestNameSuggestions::rulesFile()
{
    QFETCH(QString, edit);
    QFETCH(bool, valid);
    QString text = rulesText();
    QVERIFY(!text.isEmpty());
    for (const QString &step : edit.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
        if (step.startsWith(QLatin1Char('-'))) {
            QStringList lines = text.split(QLatin1Char('\n'));
            lines.removeIf([&](const QString &l) { return l.startsWith(step.mid(1) + QLatin1Char('\t')); });
            text = lines.join(QLatin1Char('\n'));
        } else {
            text += QLatin1Char('\n') + step + QLatin1Char('\n');
        }
    }
    QString error;
    QCOMPARE(RankingRules::parse(text, &error).has_value(), valid);
    QCOMPARE(error.isEmpty(), valid);
    if (valid)
        QCOMPARE(RankingRules::builtIn().value(QStringLiteral("meaning.name")),
            RankingRules::parse(text)->value(QStringLiteral("meaning.name")));
}

void TestNameSuggestions::characterTastes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QFile file(QDir(qEnvironmentVariable("TOLVANE_SOURCE_DIR")).filePath(QStringLiteral("data/suggestions/name-characters.tsv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTest::newRow("the file as it is") << QString::fromUtf8(file.readAll()) << true;
    QTest::newRow("out of range") << QStringLiteral("宇\t11\t理由\n") << false;
    QTest::newRow("two characters") << QStringLiteral("宇宙\t2\t理由\n") << false;
    QTest::newRow("listed twice") << QStringLiteral("宇\t2\t理由\n宇\t3\t理由\n") << false;
    QTest::newRow("no reason") << QStringLiteral("宇\t2\t\n") << false;
}

// The characters' points are read from data/ as the rules are; a broken line must stop, not shift the ranking.
void TestNameSuggestions::characterTastes()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    RankingRules rules;
    QString error;
    QCOMPARE(rules.readTastes(text, &error), valid);
    QCOMPARE(error.isEmpty(), valid);
    if (valid)
        QCOMPARE(rules.taste(QStringLiteral("富")), RankingRules::builtIn().taste(QStringLiteral("富")));
}

void TestNameSuggestions::scoreParts_data()
{
    QTest::addColumn<QList<int>>("strokes"); // surname, then given
    QTest::addColumn<QString>("wishes");
    QTest::addColumn<QString>("elements"); // of the given characters
    QTest::addColumn<QString>("sexes"); // 男 女 or 0 per given character
    QTest::addColumn<int>("word"); // 0 none, 1 word, 2 given name (weight 10), 3 a name of today
    QTest::addColumn<bool>("classic");
    QTest::addColumn<QString>("characters"); // for their points in name-characters.tsv; empty: none
    QTest::addColumn<QList<int>>("parts"); // numerology, elements, meaning
    // 王 4 + 1 + 2: 人格 5, 地格 3, 总格 7, 外格 3, all 全吉; 三才 土土火 and 五三 全吉.
    QTest::newRow("all full, plain pair") << QList<int> { 4, 1, 2 } << QStringLiteral("金木水火土")
                                          << QStringLiteral("土木") << QStringLiteral("00") << 0 << false
                                          << QString() << QList<int> { 50, 15, 0 };
    // 4 + 3 + 4: 人格 7 全吉, 地格 7, 总格 11, 外格 5; 三才 土金金 全吉, 七五 全吉.
    QTest::newRow("given name of ten surnames") << QList<int> { 4, 3, 4 } << QStringLiteral("金木水火土")
                                                << QStringLiteral("金金") << QStringLiteral("00") << 2 << false
                                                << QString() << QList<int> { 50, 15, 11 };
    QTest::newRow("word in a classic, one character for boys")
        << QList<int> { 4, 3, 4 } << QStringLiteral("金木水火土") << QStringLiteral("金金") << QStringLiteral("男0") << 1
        << true << QString() << QList<int> { 50, 15, 20 };
    QTest::newRow("a girl's character counts nothing for a boy")
        << QList<int> { 4, 3, 4 } << QStringLiteral("金木水火土") << QStringLiteral("金金") << QStringLiteral("女0") << 0
        << false << QString() << QList<int> { 50, 15, 0 };
    // Wished 水: neither character nor 人格 (7, 金) is 水.
    QTest::newRow("elements outside the wish") << QList<int> { 4, 3, 4 } << QStringLiteral("水") << QStringLiteral("金木")
                                               << QStringLiteral("00") << 0 << false << QString() << QList<int> { 50, 0, 0 };
    QTest::newRow("one character and 人格 wished") << QList<int> { 4, 3, 4 } << QStringLiteral("金")
                                                  << QStringLiteral("金木") << QStringLiteral("00") << 0 << false
                                                  << QString() << QList<int> { 50, 10, 0 };
    // 4 + 4 + 4: 人格 8 半吉, 地格 8 半吉, 总格 12 凶, 外格 5: (0 + 15 + 15 + 30) / 4 = 15; 三才 土金金 全吉; 八五 全吉.
    QTest::newRow("half and bad grids") << QList<int> { 4, 4, 4 } << QStringLiteral("金木水火土")
                                        << QStringLiteral("金金") << QStringLiteral("00") << 0 << false
                                        << QString() << QList<int> { 35, 15, 0 };
    // 宇 reads as today's name, 富 as a crude wish: their points from name-characters.tsv.
    QTest::newRow("how the characters read today") << QList<int> { 4, 3, 4 } << QStringLiteral("金木水火土")
                                                   << QStringLiteral("金金") << QStringLiteral("00") << 0 << false
                                                   << QStringLiteral("宇富") << QList<int> { 50, 15, -2 };
    // A name parents choose today outweighs an old one (6 + 5 above); 建国 loses its characters' points and the
    // whole name's (dated-names.tsv).
    QTest::newRow("a name of today") << QList<int> { 4, 3, 4 } << QStringLiteral("金木水火土") << QStringLiteral("金金")
                                     << QStringLiteral("00") << 3 << false << QString() << QList<int> { 50, 15, 28 };
    QTest::newRow("a dated whole name") << QList<int> { 4, 3, 4 } << QStringLiteral("金木水火土")
                                        << QStringLiteral("金金") << QStringLiteral("00") << 2 << false
                                        << QStringLiteral("建国") << QList<int> { 50, 15, 11 - 3 - 3 - 20 };
}

// The score's parts by the rules of ranking.tsv as built in: each row breaks if a weight is read under the wrong
// rule, a grid is left untested or a sex mark is matched to the wrong sex.
void TestNameSuggestions::scoreParts()
{
    QFETCH(QList<int>, strokes);
    QFETCH(QString, wishes);
    QFETCH(QString, elements);
    QFETCH(QString, sexes);
    QFETCH(int, word);
    QFETCH(bool, classic);
    QFETCH(QString, characters);
    QFETCH(QList<int>, parts);
    NameFacts facts;
    const int surname[1] = { strokes.at(0) };
    facts.givenCount = int(strokes.size() - 1);
    facts.grids = FiveGrids::compute(1, surname, facts.givenCount, strokes.constData() + 1);
    facts.sex = Sex::Male;
    facts.wishes = *ElementSet::fromText(wishes);
    for (int i = 0; i < facts.givenCount; ++i) {
        facts.elements[size_t(i)] = elementFromChar(elements.at(i));
        facts.sexes[size_t(i)] = sexes.at(i) == QLatin1Char('0') ? std::nullopt : sexFromText(sexes.mid(i, 1));
    }
    facts.word = word == 3 ? NameWords::Entry { NameWords::Kind::Current, 0, {} }
        : word == 2        ? NameWords::Entry { NameWords::Kind::GivenName, 10, {} }
        : word == 1        ? NameWords::Entry { NameWords::Kind::Word, 5000, {} }
                           : NameWords::Entry {};
    if (characters.size() == 2)
        facts.dated = RankingRules::builtIn().datedPoints(characters.at(0).unicode(), characters.at(1).unicode());
    facts.inClassics = classic;
    for (int i = 0; i < characters.size() && i < 2; ++i)
        facts.tastes[size_t(i)] = RankingRules::builtIn().taste(characters.mid(i, 1));
    const NameScore score = scoreName(facts, std::nullopt, RankingRules::builtIn());
    QCOMPARE((QList<int> { score.parts.at(0).points, score.parts.at(1).points, score.parts.at(3).points }), parts);
    QVERIFY(!score.parts.at(2).judged);
    QCOMPARE(score.total, parts.at(0) + parts.at(1) + parts.at(2));
    // A strong sound finding sinks a name below any name without one.
    const NameScore sunk = rescoreWithSound(score, SoundVerdict { {}, { QStringLiteral("谐音") }, {} }, RankingRules::builtIn());
    QVERIFY(sunk.total < score.total - RankingRules::builtIn().value(QStringLiteral("meaning.name")));
}

void TestNameSuggestions::excludeAndInclude_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<QString>("include");
    QTest::newRow("王, elders' characters left out") << QStringLiteral("王") << 2 << QStringLiteral("明华子") << QString();
    QTest::newRow("李, generation character 承") << QStringLiteral("李") << 2 << QString() << QStringLiteral("承");
    QTest::newRow("欧阳, both") << QStringLiteral("欧阳") << 2 << QStringLiteral("文") << QStringLiteral("思");
    QTest::newRow("张, one character, exclude") << QStringLiteral("张") << 1 << QStringLiteral("涵") << QString();
}

// The family's wishes hold for every name: no excluded character, the included one in each, never the surname's
// own characters.
void TestNameSuggestions::excludeAndInclude()
{
    QFETCH(QString, surname);
    QFETCH(int, length);
    QFETCH(QString, exclude);
    QFETCH(QString, include);
    SuggestionRequest r = request(surname, Sex::Male, length);
    r.exclude = exclude;
    r.include = include;
    const Suggestions s = NameSuggestions::run(r, realSources());
    QVERIFY2(!s.message, qPrintable(s.message ? s.message->text : QString()));
    QCOMPARE(s.names.size(), 50);
    for (const SuggestedName &n : s.names) {
        QCOMPARE(splitCharacters(n.given).size(), length);
        for (const QString &c : splitCharacters(n.given)) {
            QVERIFY2(!exclude.contains(c), qPrintable(n.fullName()));
            QVERIFY2(!surname.contains(c), qPrintable(n.fullName()));
        }
        if (!include.isEmpty())
            QVERIFY2(n.given.contains(include), qPrintable(n.fullName()));
    }
}

void TestNameSuggestions::girlsConfigurations_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("length");
    // The names the issue found the analysis warning about: 欧阳捷忆 and 高滢凌, 地格 29.
    QTest::newRow("欧阳") << QStringLiteral("欧阳") << 2;
    QTest::newRow("高") << QStringLiteral("高") << 2;
    QTest::newRow("孙, one character") << QStringLiteral("孙") << 1;
}

// A girl is never offered a name whose analysis then says her marriage will be unhappy.
void TestNameSuggestions::girlsConfigurations()
{
    QFETCH(QString, surname);
    QFETCH(int, length);
    SuggestionRequest r = request(surname, Sex::Female, length);
    r.count = 500;
    const Suggestions s = NameSuggestions::run(r, realSources());
    QVERIFY(!s.names.isEmpty());
    ReportMeanings none;
    for (const SuggestedName &n : s.names) {
        const NameReport report = NameAnalysis::compose(n.configuration.grids, none);
        for (const QString &remark : report.womenRemarks)
            QVERIFY2(!remark.contains(QStringLiteral("婚姻难得美满")), qPrintable(n.fullName() + remark));
    }
    QVERIFY(s.girlsLeftOut > 0);
}

// No character in more than three names and no first character in more than a fifth of the list.
void TestNameSuggestions::shortlistVariety()
{
    for (const QString &surname : { QStringLiteral("孙"), QStringLiteral("司马") }) {
        const Suggestions s = NameSuggestions::run(request(surname, Sex::Male), realSources());
        QCOMPARE(s.names.size(), 50);
        QHash<QString, int> uses;
        QHash<QString, int> firsts;
        int last = std::numeric_limits<int>::max();
        for (const SuggestedName &n : s.names) {
            QVERIFY(n.score <= last); // best first
            last = n.score;
            const QStringList chars = splitCharacters(n.given);
            ++firsts[chars.at(0)];
            for (const QString &c : QSet<QString>(chars.begin(), chars.end()))
                ++uses[c];
        }
        for (auto it = uses.cbegin(); it != uses.cend(); ++it)
            QVERIFY2(it.value() <= 3, qPrintable(surname + it.key()));
        for (auto it = firsts.cbegin(); it != firsts.cend(); ++it)
            QVERIFY2(it.value() <= 10, qPrintable(surname + it.key()));
    }
}

// 半吉 configurations are searched only when the 全吉 ones give too few names, and the result says so.
void TestNameSuggestions::halfOnlyWhenTooFew()
{
    SuggestionRequest r = request(QStringLiteral("马"), Sex::Male);
    r.count = 10;
    const Suggestions enough = NameSuggestions::run(r, realSources());
    QVERIFY(!enough.halfUsed);
    QCOMPARE(enough.halfConfigurations, 0);
    for (const SuggestedName &n : enough.names)
        QCOMPARE(n.level, LuckLevel::Full);
    r.count = 200;
    const Suggestions few = NameSuggestions::run(r, realSources());
    QVERIFY(few.halfUsed);
    QVERIFY(few.halfConfigurations > 0);
    QVERIFY(std::any_of(few.names.begin(), few.names.end(), [](const SuggestedName &n) { return n.level == LuckLevel::Half; }));
}

void TestNameSuggestions::nothingFoundSaysWhatToRelax_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("elements");
    QTest::addColumn<QString>("include");
    QTest::addColumn<int>("minStrokes");
    QTest::addColumn<QString>("relax"); // what the message offers
    QTest::newRow("马, 土, at least 14 strokes") << QStringLiteral("马") << 2 << QStringLiteral("土") << QString() << 14
                                             << QStringLiteral("不限笔画数");
    QTest::newRow("郭, 木, with 鑫") << QStringLiteral("郭") << 2 << QStringLiteral("木") << QStringLiteral("鑫") << 0
                                  << QStringLiteral("不指定必须用的“鑫”字");
    QTest::newRow("郭, one character") << QStringLiteral("郭") << 1 << QStringLiteral("金木水火土") << QString() << 0
                                      << QStringLiteral("改起双字名");
}

// Nothing found: the message names the wish to relax and how many names that would give, and the count is the
// length of the list a request so relaxed shows.
void TestNameSuggestions::nothingFoundSaysWhatToRelax()
{
    QFETCH(QString, surname);
    QFETCH(int, length);
    QFETCH(QString, elements);
    QFETCH(QString, include);
    QFETCH(int, minStrokes);
    QFETCH(QString, relax);
    SuggestionRequest r = request(surname, minStrokes > 0 ? Sex::Male : Sex::Female, length);
    r.elements = *ElementSet::fromText(elements);
    r.include = include;
    r.minStrokes = minStrokes;
    const Suggestions s = NameSuggestions::run(r, realSources());
    QVERIFY(s.names.isEmpty());
    QVERIFY(s.message);
    const QRegularExpressionMatch offer
        = QRegularExpression(QRegularExpression::escape(relax) + QStringLiteral("可得 (\\d+) 个名字")).match(s.message->text);
    QVERIFY2(s.message->text.startsWith(QStringLiteral("对不起，按您的要求没有找出任何名字。")) && offer.hasMatch(),
        qPrintable(s.message->text));
    if (minStrokes > 0)
        r.minStrokes = 0;
    else if (!include.isEmpty())
        r.include.clear();
    else
        r.nameLength = 3 - length;
    // The count offered is the length of the list the request so relaxed shows.
    const Suggestions relaxed = NameSuggestions::run(r, realSources());
    QVERIFY(!relaxed.names.isEmpty());
    QCOMPARE(int(relaxed.names.size()), offer.captured(1).toInt());
}

void TestNameSuggestions::characterLists_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text"); // empty: the file as it is
    QTest::addColumn<bool>("valid");
    for (const char *file : { "name-leaning.tsv", "particles.tsv", "dated-names.tsv", "famous-names.tsv" })
        QTest::addRow("%s as it is", file) << QString::fromLatin1(file) << QString() << true;
    QTest::newRow("a leaning other than 女 or 中") << QStringLiteral("name-leaning.tsv") << QStringLiteral("雨\t男\t理由\n") << false;
    QTest::newRow("a leaning listed twice") << QStringLiteral("name-leaning.tsv")
                                            << QStringLiteral("雨\t女\t理由\n雨\t中\t理由\n") << false;
    QTest::newRow("a place other than 首, 末 or 两端") << QStringLiteral("particles.tsv") << QStringLiteral("尔\t中\t理由\n")
                                                  << false;
    QTest::newRow("a particle without its reason") << QStringLiteral("particles.tsv") << QStringLiteral("尔\t末\t\n") << false;
    QTest::newRow("a dated name that gains") << QStringLiteral("dated-names.tsv") << QStringLiteral("建国\t5\t理由\n") << false;
    QTest::newRow("a dated name of one character") << QStringLiteral("dated-names.tsv") << QStringLiteral("建\t-5\t理由\n")
                                                   << false;
    QTest::newRow("a dated name listed twice") << QStringLiteral("dated-names.tsv")
                                               << QStringLiteral("建国\t-5\t理由\n建国\t-6\t理由\n") << false;
    QTest::newRow("a famous name of one character") << QStringLiteral("famous-names.tsv")
                                                    << QStringLiteral("王\t歌手\t理由\n") << false;
    QTest::newRow("a famous name without who bears it") << QStringLiteral("famous-names.tsv")
                                                        << QStringLiteral("王源\t \t理由\n") << false;
    QTest::newRow("a famous name listed twice") << QStringLiteral("famous-names.tsv")
                                                << QStringLiteral("王源\t歌手\t理由\n王源\t歌手\t理由\n") << false;
}

// The lists of data/suggestions the ranking builds in are read whole, or not at all.
void TestNameSuggestions::characterLists()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const QString content = text.isEmpty() ? suggestionsFile(file) : text;
    QVERIFY(!content.isEmpty());
    RankingRules rules = RankingRules::builtIn();
    QString error;
    const bool read = file == QStringLiteral("name-leaning.tsv") ? rules.readLeanings(content, &error)
        : file == QStringLiteral("particles.tsv")                 ? rules.readParticles(content, &error)
        : file == QStringLiteral("famous-names.tsv")              ? rules.readFamousNames(content, &error)
                                                                  : rules.readDatedNames(content, &error);
    QCOMPARE(read, valid);
    QCOMPARE(error.isEmpty(), valid);
    if (!valid)
        QVERIFY2(error.startsWith(file), qPrintable(error));
}

void TestNameSuggestions::wholeNameRules_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("sex"); // 0 男, 1 女
    QTest::addColumn<int>("length");
    // 王子方, 王子丹, 王子文 and 王小文 once opened a girl's list; 王珠尔 ended in a particle; 胡尔纯 began with one.
    QTest::newRow("王, girl") << QStringLiteral("王") << 1 << 2;
    QTest::newRow("胡, girl") << QStringLiteral("胡") << 1 << 2;
    QTest::newRow("郑, girl, loosened") << QStringLiteral("郑") << 1 << 2;
    QTest::newRow("欧阳, boy") << QStringLiteral("欧阳") << 0 << 2;
    QTest::newRow("林, boy") << QStringLiteral("林") << 0 << 2;
    QTest::newRow("张, boy, one character") << QStringLiteral("张") << 0 << 1;
}

// Every name reads as the sex asked for (a girl's has a character that reads as a girl's or an elegant neutral
// one, a boy's is not all girl's characters), and no function word stands where particles.tsv forbids it.
void TestNameSuggestions::wholeNameRules()
{
    QFETCH(QString, surname);
    QFETCH(int, sex);
    QFETCH(int, length);
    const Sex wanted = sex == 1 ? Sex::Female : Sex::Male;
    SuggestionRequest r = request(surname, wanted, length);
    r.count = 100;
    const Suggestions s = NameSuggestions::run(r, realSources());
    // 郑's girls' list is short (eight names): few strokes fit, and loose pairs of characters liked only a little
    // (景心, 皓灵) are no longer offered.
    QVERIFY(s.names.size() >= 5);
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({ DbTable::Name });
    QVERIFY(!db.failure());
    QHash<QString, QString> librarySex;
    const std::optional<QList<NameDatabase::NameRow>> rows = db.nameRows();
    QVERIFY(rows);
    for (const NameDatabase::NameRow &row : *rows)
        librarySex.insert(row.namechr, row.sex);
    const std::optional<NameWords> words = NameWords::read(realSources().wordsPath);
    QVERIFY(words);
    const RankingRules &rules = RankingRules::builtIn();
    const auto girlish = [&](const QString &c) {
        return librarySex.value(c) == QStringLiteral("女") || rules.keptFor(c) == Sex::Female
            || rules.leaning(c) != RankingRules::Leaning::None;
    };
    for (const SuggestedName &n : s.names) {
        const QStringList chars = splitCharacters(n.given);
        QCOMPARE(chars.size(), length);
        const NameWords::Entry whole = length == 2
            ? words->find(chars.at(0).toUcs4().value(0), chars.at(1).toUcs4().value(0))
            : NameWords::Entry {};
        if (wanted == Sex::Female)
            QVERIFY2(whole.sex == Sex::Female || std::any_of(chars.begin(), chars.end(), girlish), qPrintable(n.fullName()));
        else
            QVERIFY2(std::any_of(chars.begin(), chars.end(),
                         [&](const QString &c) { return rules.leaning(c) != RankingRules::Leaning::Girl; }),
                qPrintable(n.fullName()));
        // A name of today is used as parents use it (馨予, 婉如).
        if (whole.kind == NameWords::Kind::Current)
            continue;
        QVERIFY2(!(rules.particlePlaces(chars.first()) & RankingRules::NotFirst), qPrintable(n.fullName()));
        QVERIFY2(!(rules.particlePlaces(chars.last()) & RankingRules::NotLast), qPrintable(n.fullName()));
    }
}

void TestNameSuggestions::shortListsLoosened_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("sex"); // 0 男, 1 女
    QTest::addColumn<bool>("loosened");
    QTest::newRow("王, boy: enough names") << QStringLiteral("王") << 0 << false;
    QTest::newRow("郑, girl: few strokes fit") << QStringLiteral("郑") << 1 << true;
    QTest::newRow("林, girl") << QStringLiteral("林") << 1 << true;
    // A short list whose best names once began with three characters: 逸, 乐 and 慧 five times each of 19.
    QTest::newRow("欧阳, girl") << QStringLiteral("欧阳") << 1 << true;
}

// A short list is loosened step by step, and only then: pairs that only their characters' places speak for, then a
// character in a few more names; the list says which.
void TestNameSuggestions::shortListsLoosened()
{
    QFETCH(QString, surname);
    QFETCH(int, sex);
    QFETCH(bool, loosened);
    const Suggestions s = NameSuggestions::run(request(surname, sex == 1 ? Sex::Female : Sex::Male), realSources());
    const RankingRules &rules = RankingRules::builtIn();
    QCOMPARE(s.nameLikeUsed, loosened);
    const QString text = SuggestionText::shortlist(s, QString());
    QCOMPARE(text.contains(QStringLiteral("又加入了一些不成词的搭配")), s.nameLikeUsed);
    QCOMPARE(text.contains(QStringLiteral("为凑足名单，放宽了用字重复的限制")), s.varietyRelaxed);
    // Loosened only for a list that is short without it.
    if (!loosened)
        QCOMPARE(s.names.size(), s.request.count);
    // A short list never claims to be the best of what was found: it lists all, or says how many the variety
    // limit left out.
    if (s.names.size() < s.request.count) {
        QVERIFY2(!text.contains(QStringLiteral("得分最高的")), qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("其中 %1 个与得分更高的名字用字重复太多，略去不列，按得分从高到低列出其余 %2 个。")
                                   .arg(s.candidates - s.names.size())
                                   .arg(s.names.size())),
            s.candidates > s.names.size());
    }
    QHash<QString, int> uses;
    QHash<QString, int> firsts;
    for (const SuggestedName &n : s.names) {
        QVERIFY2(!n.nameLike || s.nameLikeUsed, qPrintable(n.fullName()));
        const QStringList chars = splitCharacters(n.given);
        for (const QString &c : QSet<QString>(chars.begin(), chars.end()))
            ++uses[c];
        ++firsts[chars.first()];
    }
    // No first character in more than a fifth of the list as it stands, though always in two.
    const int perFirst = std::max(2, int(s.names.size()) / rules.value(QStringLiteral("variety.first")));
    for (auto it = firsts.cbegin(); it != firsts.cend(); ++it)
        QVERIFY2(it.value() <= perFirst, qPrintable(it.key()));
    const int limit = s.varietyRelaxed ? rules.weights().relaxedCharacter : rules.value(QStringLiteral("variety.character"));
    QCOMPARE(s.characterLimit, limit);
    for (auto it = uses.cbegin(); it != uses.cend(); ++it)
        QVERIFY2(it.value() <= limit, qPrintable(it.key()));
    if (s.varietyRelaxed)
        QVERIFY(std::any_of(uses.cbegin(), uses.cend(),
            [&](int n) { return n > rules.value(QStringLiteral("variety.character")); }));
}

void TestNameSuggestions::shortListSaysWhatGivesMore_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("sex"); // 0 男, 1 女
    QTest::addColumn<QString>("elements");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("wish"); // a wish the list must name; empty: the list is long enough
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("maxStrokes");
    QTest::addColumn<QString>("include");
    QTest::addColumn<bool>("classics"); // names from the classics as well
    // The birth chart of 2024-02-04 16:30 asks 火土: a handful of names.
    QTest::newRow("孙, girl, 火土") << QStringLiteral("孙") << 1 << QStringLiteral("火土") << QString() << 50
                                  << QStringLiteral("放宽五行要求") << 2 << 0 << QString() << false;
    QTest::newRow("孙, girl, 水木: one character") << QStringLiteral("孙") << 1 << QStringLiteral("水木") << QString() << 50
                                                << QStringLiteral("改起单字名") << 2 << 0 << QString() << false;
    QTest::newRow("孙, girl, without 涵") << QStringLiteral("孙") << 1 << QStringLiteral("金木水火土") << QStringLiteral("涵")
                                       << 50 << QStringLiteral("不排除“涵”") << 2 << 0 << QString() << false;
    QTest::newRow("张, boy, one character of at most 8 strokes")
        << QStringLiteral("张") << 0 << QStringLiteral("金木水火土") << QString() << 50 << QStringLiteral("不限笔画数") << 1
        << 8 << QString() << false;
    QTest::newRow("王, boy: long enough") << QStringLiteral("王") << 0 << QStringLiteral("金木水火土") << QString() << 30
                                       << QString() << 2 << 0 << QString() << false;
    // 浩 is water: a list without it keeps to wood, and the family's character is not offered in it.
    QTest::newRow("王, boy, 木 with 浩") << QStringLiteral("王") << 0 << QStringLiteral("木") << QString() << 300
                                     << QStringLiteral("放宽五行要求") << 2 << 0 << QStringLiteral("浩") << true;
}

// A list shorter than asked for names each wish that relaxed on its own makes it longer, with the length of that
// list; a list as long as asked for names none.
void TestNameSuggestions::shortListSaysWhatGivesMore()
{
    QFETCH(QString, surname);
    QFETCH(int, sex);
    QFETCH(QString, elements);
    QFETCH(QString, exclude);
    QFETCH(int, count);
    QFETCH(QString, wish);
    QFETCH(int, length);
    QFETCH(int, maxStrokes);
    QFETCH(QString, include);
    QFETCH(bool, classics);
    SuggestionRequest r = request(surname, sex == 1 ? Sex::Female : Sex::Male, length);
    if (classics)
        r.classics = ClassicSet::all();
    r.elements = *ElementSet::fromText(elements);
    r.exclude = exclude;
    r.count = count;
    r.maxStrokes = maxStrokes;
    r.include = include;
    const Suggestions s = NameSuggestions::run(r, realSources());
    QVERIFY(!s.names.isEmpty());
    const QString text = SuggestionText::shortlist(s, QString());
    if (wish.isEmpty()) {
        QCOMPARE(s.names.size(), count);
        QVERIFY(s.moreWith.isEmpty());
        QVERIFY(!text.contains(QStringLiteral("名单不足")));
        return;
    }
    QVERIFY(s.names.size() < count);
    const auto it = std::find_if(s.moreWith.cbegin(), s.moreWith.cend(),
        [&](const Suggestions::Relaxation &more) { return more.wish == wish; });
    QVERIFY(it != s.moreWith.cend());
    QVERIFY2(text.contains(wish + QStringLiteral("可得 %1 个名字").arg(it->names)), qPrintable(text));
    // Each wish relaxed on its own: the length said is the length of the list the request so relaxed shows on its
    // own, and a wish not named gives no longer list.
    QList<std::pair<QString, SuggestionRequest>> relaxations;
    const auto relax = [&](const QString &what, const std::function<void(SuggestionRequest &)> &change) {
        SuggestionRequest relaxed = r;
        change(relaxed);
        relaxations.append({ what, relaxed });
    };
    if (elements != QStringLiteral("金木水火土"))
        relax(QStringLiteral("放宽五行要求"), [](SuggestionRequest &q) { q.elements = ElementSet::all(); });
    if (!include.isEmpty())
        relax(QStringLiteral("不指定必须用的“%1”字").arg(include), [](SuggestionRequest &q) { q.include.clear(); });
    if (!exclude.isEmpty())
        relax(QStringLiteral("不排除“%1”").arg(exclude), [](SuggestionRequest &q) { q.exclude.clear(); });
    if (maxStrokes > 0)
        relax(QStringLiteral("不限笔画数"), [](SuggestionRequest &q) { q.maxStrokes = 0; });
    relax(length == 2 ? QStringLiteral("改起单字名") : QStringLiteral("改起双字名"),
        [](SuggestionRequest &q) { q.nameLength = 3 - q.nameLength; });
    QVERIFY(std::any_of(relaxations.cbegin(), relaxations.cend(), [&](const auto &x) { return x.first == wish; }));
    for (const auto &[what, relaxed] : relaxations) {
        const int names = int(NameSuggestions::run(relaxed, realSources()).names.size());
        const auto said = std::find_if(s.moreWith.cbegin(), s.moreWith.cend(),
            [&](const Suggestions::Relaxation &more) { return more.wish == what; });
        if (said == s.moreWith.cend())
            QVERIFY2(names <= s.names.size(), qPrintable(what));
        else
            QCOMPARE(said->names, names);
    }
    QCOMPARE(s.moreWith.size(), std::count_if(relaxations.cbegin(), relaxations.cend(),
        [&](const auto &x) { return int(NameSuggestions::run(x.second, realSources()).names.size()) > s.names.size(); }));
}

void TestNameSuggestions::famousNamesLeftOut_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<int>("sex"); // 0 男, 1 女
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("listed");
    QTest::newRow("王俊凯, a singer") << QStringLiteral("王") << 0 << QStringLiteral("俊凯") << false;
    QTest::newRow("王俊杰, no one in particular") << QStringLiteral("王") << 0 << QStringLiteral("俊杰") << true;
    QTest::newRow("陈俊凯, the same name with another surname") << QStringLiteral("陈") << 0 << QStringLiteral("俊凯")
                                                          << true;
    // The pairs judged in the data: 姗笑 is 讪笑 (unfit-names.tsv); 景心 is two characters liked only a little, a
    // loose pair below meaning.plain.
    QTest::newRow("李姗笑, mocking laughter") << QStringLiteral("李") << 1 << QStringLiteral("姗笑") << false;
    QTest::newRow("郑景心, a loose pair") << QStringLiteral("郑") << 1 << QStringLiteral("景心") << false;
    QTest::newRow("郑雅丹, two characters in their places") << QStringLiteral("郑") << 1 << QStringLiteral("雅丹") << true;
    // 孙子涵 begins with 孙子, an insult: not even a short list takes a name that sounds like one.
    QTest::newRow("孙子涵, sounds like an insult") << QStringLiteral("孙") << 1 << QStringLiteral("子涵") << false;
    // 予 may not end a name, except in a name of today (馨予, current-names.tsv).
    QTest::newRow("胡馨予, a name of today") << QStringLiteral("胡") << 1 << QStringLiteral("馨予") << true;
}

// A famous person's whole name is never suggested; the same given name with another surname is. Neither are the
// pairs the data judges unfit or too loose, nor a name that sounds like an insult.
void TestNameSuggestions::famousNamesLeftOut()
{
    QFETCH(QString, surname);
    QFETCH(int, sex);
    QFETCH(QString, given);
    QFETCH(bool, listed);
    SuggestionRequest r = request(surname, sex == 1 ? Sex::Female : Sex::Male);
    r.count = 100;
    const Suggestions s = NameSuggestions::run(r, realSourcesWithSound());
    QVERIFY(s.soundJudged);
    const bool found = std::any_of(
        s.names.cbegin(), s.names.cend(), [&](const SuggestedName &n) { return n.given == given; });
    QCOMPARE(found, listed);
}

void TestNameSuggestions::classicsCountOnlyWords_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("counted");
    QTest::newRow("春晓, a word of its line") << QStringLiteral("春晓") << true;
    QTest::newRow("和乐, two words side by side") << QStringLiteral("和乐") << false;
    QTest::newRow("思乐, two words side by side") << QStringLiteral("思乐") << false;
}

// A pair gets the classics' points and its line only where the line has it as a word.
void TestNameSuggestions::classicsCountOnlyWords()
{
    QFETCH(QString, given);
    QFETCH(bool, counted);
    const Outcome<SuggestedName> judged
        = NameSuggestions::judge(QStringLiteral("王"), given, Sex::Male, ElementSet::all(), realSources());
    QVERIFY(judged.value);
    QCOMPARE(judged.value->inClassics, counted);
    QCOMPARE(judged.value->verse.has_value(), counted);
}

QTEST_GUILESS_MAIN(TestNameSuggestions)
void TestNameSuggestions::brokenBuiltInFilesRefuse_data()
{
    QTest::addColumn<QString>("file"); // the file broken
    QTest::addColumn<QByteArray>("line"); // the line appended to it; empty: the file emptied
    QTest::addColumn<QString>("said"); // what the message names
    QTest::newRow("ranking.tsv: a rule twice") << QStringLiteral("ranking.tsv") << QByteArray("meaning.word\t20\t理由")
                                               << QStringLiteral("ranking.tsv:");
    QTest::newRow("name-characters.tsv: points out of range")
        << QStringLiteral("name-characters.tsv") << QByteArray("涵\t40\t理由") << QStringLiteral("name-characters.tsv:");
    QTest::newRow("name-leaning.tsv: a leaning of 男") << QStringLiteral("name-leaning.tsv") << QByteArray("雨\t男\t理由")
                                                     << QStringLiteral("name-leaning.tsv:");
    QTest::newRow("particles.tsv: no reason") << QStringLiteral("particles.tsv") << QByteArray("尔\t末\t")
                                              << QStringLiteral("particles.tsv:");
    QTest::newRow("dated-names.tsv: points that gain") << QStringLiteral("dated-names.tsv") << QByteArray("建国\t5\t理由")
                                                       << QStringLiteral("dated-names.tsv:");
    QTest::newRow("famous-names.tsv: one character") << QStringLiteral("famous-names.tsv") << QByteArray("王\t歌手\t理由")
                                                     << QStringLiteral("famous-names.tsv:");
    QTest::newRow("namewords.tsv: an unknown kind") << NameWords::fileName() << QByteArray("安然\t好\t3\t0")
                                                    << QStringLiteral("namewords.tsv第");
    QTest::newRow("namewords.tsv: emptied") << NameWords::fileName() << QByteArray() << QStringLiteral("namewords.tsv没有内容");
}

// A file of the ranking built into the program, or the list of words installed beside it, that does not parse
// stops the suggestions and the comparison with a message that names it: never a list ranked by half the rules.
void TestNameSuggestions::brokenBuiltInFilesRefuse()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, line);
    QFETCH(QString, said);
    RankingRules::Texts texts = RankingRules::builtInTexts();
    SuggestionSources sources = realSources();
    QTemporaryDir dir;
    if (file == NameWords::fileName()) {
        const QByteArray words = line.isEmpty() ? QByteArray("# nothing left\n") : readAll(sources.wordsPath) + line + '\n';
        sources.wordsPath = dir.filePath(file);
        QVERIFY(writeAll(sources.wordsPath, words));
    } else {
        QString *text = file == QStringLiteral("ranking.tsv") ? &texts.ranking
            : file == QStringLiteral("name-characters.tsv")   ? &texts.characters
            : file == QStringLiteral("name-leaning.tsv")      ? &texts.leaning
            : file == QStringLiteral("particles.tsv")         ? &texts.particles
            : file == QStringLiteral("dated-names.tsv")       ? &texts.dated
                                                              : &texts.famous;
        *text += QLatin1Char('\n') + QString::fromUtf8(line) + QLatin1Char('\n');
    }
    const RankingRules rules = RankingRules::fromTexts(texts);
    QVERIFY(RankingRules::fromTexts(RankingRules::builtInTexts()).problem().isEmpty());
    const Suggestions s = NameSuggestions::run(request(QStringLiteral("王"), Sex::Male), sources, rules);
    QVERIFY(s.names.isEmpty());
    QVERIFY(s.message);
    QVERIFY2(s.message->text.contains(said) && s.message->text.contains(QStringLiteral("请重新安装本程序")),
        qPrintable(s.message->text));
    const Outcome<SuggestedName> judged
        = NameSuggestions::judge(QStringLiteral("王"), QStringLiteral("俊杰"), Sex::Male, ElementSet::all(), sources, rules);
    QVERIFY(!judged.value);
    QVERIFY(judged.message());
    QVERIFY2(judged.message()->text.contains(said), qPrintable(judged.message()->text));
}

#include "tst_namesuggestions.moc"
