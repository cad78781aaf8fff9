#include "analysis/CompoundSurnames.h"
#include "analysis/NameAnalysis.h"
#include "analysis/NameAnalysisTexts.h"
#include "analysis/NameSound.h"
#include "analysis/StrokeNumbersParser.h"
#include "app/AppPaths.h"
#include "app/ReportInfo.h"
#include "data/Library.h"
#include "fakes/TestLibrary.h"
#include "reference/NumerologyReference.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

FiveGrids grids(int t, int r, int d, int z, int w)
{
    return FiveGrids{qint16(t), qint16(r), qint16(d), qint16(z), qint16(w)};
}

QString manMeaning(int id)
{
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Man81});
    const std::optional<MeaningRow> row = db.numberMeaning(DbTable::Man81, id).row;
    return row ? row->meaning + QStringLiteral(" （") + row->flag + QStringLiteral("）") : QString();
}

QString report(const FiveGrids &g)
{
    return *NameAnalysis::buildReport(QStringLiteral("H\r\n"), g, Library(TestLibrary::realDatabasePath())).value;
}

const NameSoundChecker &soundChecker()
{
    static const std::optional<NameSoundChecker> checker
        = NameSoundChecker::load(AppPaths(TestLibrary::binDir()).nameSoundPath());
    return *checker;
}

// The same file with its characters' lines in reverse order, as a hand edit might leave them: read all the same.
const NameSoundChecker &reversedSoundChecker()
{
    static QTemporaryDir dir;
    static const std::optional<NameSoundChecker> checker = [] {
        QFile source(AppPaths(TestLibrary::binDir()).nameSoundPath());
        if (!source.open(QIODevice::ReadOnly))
            return std::optional<NameSoundChecker>();
        QList<QByteArray> lines = source.readAll().split('\n');
        QList<QByteArray> characters;
        QList<QByteArray> others;
        for (const QByteArray &line : std::as_const(lines))
            (line.startsWith("C\t") ? characters : others).append(line);
        std::reverse(characters.begin(), characters.end());
        QFile copy(dir.filePath(NameSoundChecker::fileName()));
        if (!copy.open(QIODevice::WriteOnly))
            return std::optional<NameSoundChecker>();
        copy.write((QList<QByteArray> { others.value(0) } + characters + others.mid(1)).join('\n'));
        copy.close();
        return NameSoundChecker::load(copy.fileName());
    }();
    return *checker;
}

// The lines of a curated file of data/sound, split at tabs, without comments.
QList<QStringList> soundDataRows(const QString &file)
{
    QFile f(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/sound/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1Char('#')))
            rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

// The paragraphs after "更多信息：", each without its two closing line breaks.
QStringList moreInformation(const QString &text)
{
    return text.section(QStringLiteral("更多信息：\r\n"), 1).split(QStringLiteral("\r\n\r\n"), Qt::SkipEmptyParts);
}

} // namespace

class TestNameAnalysis : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lengthChecks_data();
    void lengthChecks();
    void gridsByKind_data();
    void gridsByKind();
    void headings();
    void numberLinesWidthAndFolding_data();
    void numberLinesWidthAndFolding();
    void luckWarningsAndSpecialNumbers();
    void specialSetsOfFourteen();
    void specialNumbersAndRemarksForWomen_data();
    void specialNumbersAndRemarksForWomen();
    void personalityOpenings();
    void luckTexts_data();
    void luckTexts();
    void moreInformationForEveryElementTriple();
    void databaseFailures_data();
    void databaseFailures();
    void strokeNumbers_data();
    void strokeNumbers();
    void infoFile();
    void kindByTheCompoundSurnameList_data();
    void kindByTheCompoundSurnameList();
    void compoundSurnameFile();
    void infoFileWriteFailureKeepsTheOldFile();
    void soundOfJudgedNames_data();
    void soundOfJudgedNames();
    void soundFalseAlarmsOnCommonNames();
    void soundReadsTheSurnameAsASurname_data();
    void soundReadsTheSurnameAsASurname();
    void soundTones_data();
    void soundTones();
};

void TestNameAnalysis::lengthChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("您选择“姓名分析”吗？请输入全名。");
    QTest::newRow("one") << QStringLiteral("王") << QStringLiteral("您选择“姓名分析”吗？请输入全名。");
    QTest::newRow("two") << QStringLiteral("王明") << QString();
    QTest::newRow("four") << QStringLiteral("欧阳小明") << QString();
    QTest::newRow("five") << QStringLiteral("欧阳小明明") << QStringLiteral("姓名太长，本程序最长分析4个字的名字。");
    QTest::newRow("inner space counts") << QStringLiteral("王 小 明") << QStringLiteral("姓名太长，本程序最长分析4个字的名字。");
}

void TestNameAnalysis::lengthChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const std::optional<UserMessage> m = NameAnalysis::checkLength(name);
    QCOMPARE(m ? m->text : QString(), message);
    if (m)
        QCOMPARE(int(m->style), int(UserMessage::Style::Warning));
}

void TestNameAnalysis::gridsByKind_data()
{
    QTest::addColumn<QList<int>>("strokes");
    QTest::addColumn<bool>("compound");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("2, always single") << QList<int>{11, 3} << true << QList<int>{12, 14, 4, 14, 2};
    QTest::newRow("3 single") << QList<int>{7, 5, 11} << false << QList<int>{8, 12, 16, 23, 12};
    QTest::newRow("3 compound") << QList<int>{10, 6, 9} << true << QList<int>{16, 15, 10, 25, 11};
    QTest::newRow("4 single") << QList<int>{7, 5, 11, 3} << false << QList<int>{8, 12, 19, 26, 14};
    QTest::newRow("4 compound") << QList<int>{10, 6, 9, 4} << true << QList<int>{16, 15, 13, 29, 14};
}

void TestNameAnalysis::gridsByKind()
{
    QFETCH(QList<int>, strokes);
    QFETCH(bool, compound);
    QFETCH(QList<int>, expected);
    const auto list = NameAnalysis::gridsFor(strokes, compound).list();
    QCOMPARE(QList<int>(list.begin(), list.end()), expected);
}

void TestNameAnalysis::headings()
{
    QCOMPARE(NameAnalysis::nameHeading(QStringLiteral("张三"), {11, 3}, grids(12, 14, 4, 14, 2)),
             QStringLiteral("张三：\r\n\r\n    姓名笔画数分别是：11 3 \r\n    天格、人格、地格、总格、外格数分别为：12 14 4 14 2 \r\n\r\n"));
    QCOMPARE(NameAnalysis::strokeNumbersHeading(QStringLiteral("5  8 12"), grids(6, 13, 20, 25, 13)),
             QStringLiteral("姓名笔画数是 5  8 12 的五格数分别是：\r\n天格、人格、地格、总格、外格：6 13 20 25 13\r\n\r\n"));
}

void TestNameAnalysis::numberLinesWidthAndFolding_data()
{
    QTest::addColumn<QList<int>>("grid");
    QTest::addColumn<QStringList>("lines"); // the start of each number line, up to "数理意义："
    QTest::addColumn<QList<int>>("keys");
    QTest::newRow("one digit everywhere") << QList<int>{5, 7, 3, 8, 2}
                                          << QStringList{QStringLiteral("    天格数5数理意义："), QStringLiteral("    人格数7数理意义："),
                                                         QStringLiteral("    地格数3数理意义："), QStringLiteral("    总格数8数理意义："),
                                                         QStringLiteral("    外格数2数理意义：")}
                                          << QList<int>{5, 7, 3, 8, 2};
    QTest::newRow("a two-digit 总格") << QList<int>{5, 7, 3, 15, 2}
                                      << QStringList{QStringLiteral("    天格数5 数理意义："), QStringLiteral("    人格数7 数理意义："),
                                                     QStringLiteral("    地格数3 数理意义："), QStringLiteral("    总格数15数理意义："),
                                                     QStringLiteral("    外格数2 数理意义：")}
                                      << QList<int>{5, 7, 3, 15, 2};
    QTest::newRow("85 as 5, 81 as 81, 160 as 80") << QList<int>{41, 50, 81, 85, 160}
                                                  << QStringList{QStringLiteral("    天格数41 数理意义："), QStringLiteral("    人格数50 数理意义："),
                                                                 QStringLiteral("    地格数81 数理意义："), QStringLiteral("    总格数85 数理意义："),
                                                                 QStringLiteral("    外格数160数理意义：")}
                                                  << QList<int>{41, 50, 81, 5, 80};
}

void TestNameAnalysis::numberLinesWidthAndFolding()
{
    QFETCH(QList<int>, grid);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, keys);
    const QString text = report(grids(grid[0], grid[1], grid[2], grid[3], grid[4]));
    const QStringList all = text.split(QStringLiteral("\r\n"));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(all.at(1 + i), lines.at(i) + manMeaning(keys.at(i)));
    }
    QCOMPARE(all.at(6), QString()); // the 外格 line has a second line break
}

void TestNameAnalysis::luckWarningsAndSpecialNumbers()
{
    // 人格 15 (土) with 天格 11 (木) and 地格 9 (水).
    const QStringList more = moreInformation(report(grids(11, 15, 9, 20, 6)));
    QCOMPARE(more.size(), 7);
    QCOMPARE(more.at(0), QStringLiteral("人格数 15") + NameAnalysisTexts::personality(5));
    QCOMPARE(more.at(1),
             QStringLiteral("人格与天格数理表示的成功运：") + NameAnalysisTexts::successLuck(Element::Earth, Element::Wood));
    QCOMPARE(more.at(2),
             QStringLiteral("人格与地格数理表示的基础运：") + NameAnalysisTexts::basisLuck(Element::Earth, Element::Water));
    QCOMPARE(more.at(3), QStringLiteral("人格与地格数理易诱发以下疾病或灾祸：脑溢血、心机梗塞、急难、自杀等，最好更名。"));
    QVERIFY(more.at(4).startsWith(QStringLiteral("人格或地格中有2、4、9、10、12、14、19、20、22、26、36等败财运")));
    QVERIFY(more.at(5).startsWith(QStringLiteral("人格或地格中有15、16、23、24、32、33、41、42等财运")));
    QVERIFY(more.at(6).startsWith(QStringLiteral("人格或地格中有4、9、10、14、19、20、28、34、44等损寿运")));

    // 基础运 comes first when 地格's element precedes 天格's: 人格 11 (木), 天格 10 (水), 地格 3 (火).
    const QStringList reversed = moreInformation(report(grids(10, 11, 3, 13, 3)));
    QVERIFY(reversed.at(1).startsWith(QStringLiteral("人格与地格数理表示的基础运：")));
    QVERIFY(reversed.at(2).startsWith(QStringLiteral("人格与天格数理表示的成功运：")));

    // Row 7 of the warnings takes class 6 alone: 人格 16 with 天格 and 地格 木.
    QVERIFY(report(grids(11, 16, 12, 20, 6)).contains(QStringLiteral("天格、人格与地格数理易诱发以下难治疾病：发狂")));
    QVERIFY(!report(grids(11, 15, 12, 20, 6)).contains(QStringLiteral("难治疾病")));
    // A heading without text: 人 金, 地 水, 天 金.
    QVERIFY(report(grids(17, 17, 19, 30, 14)).contains(QStringLiteral("\r\n天格、人格与地格数理易诱发外伤等事故。\r\n\r\n")));
}

void TestNameAnalysis::specialSetsOfFourteen()
{
    const QStringList more = moreInformation(report(grids(5, 14, 5, 18, 5)));
    QStringList sets;
    for (const QString &p : more) {
        if (p.startsWith(QStringLiteral("人格或地格中有")))
            sets.append(p.section(QStringLiteral("等"), 1, 1).left(3));
    }
    QCOMPARE(sets, (QStringList{QStringLiteral("败财运"), QStringLiteral("孤独运"), QStringLiteral("损寿运"),
                                QStringLiteral("品行外")}));
}

void TestNameAnalysis::specialNumbersAndRemarksForWomen_data()
{
    QTest::addColumn<bool>("earth"); // the number is 地格, else 人格; the other of the two is 1, in no set
    QTest::newRow("人格 1..81") << false;
    QTest::newRow("地格 1..81") << true;
}

void TestNameAnalysis::specialNumbersAndRemarksForWomen()
{
    QFETCH(bool, earth);
    for (int n = 1; n <= 81; ++n) {
        const QStringList more = moreInformation(report(earth ? grids(5, 1, n, 20, 2) : grids(5, n, 1, 20, 2)));
        QStringList special;
        QStringList remarks;
        for (const QString &p : more) {
            if (p.startsWith(QStringLiteral("人格或地格中有")))
                special.append(p);
            if (p.contains(QStringLiteral("如果是女性")))
                remarks.append(p);
        }
        QCOMPARE(special, reference::sentencesFor(reference::kSpecialSets, n));
        QStringList expectedRemarks;
        if (earth && reference::kUnhappyMarriage.contains(n))
            expectedRemarks.append(QStringLiteral("地格数 %1，如果是女性，婚姻难得美满。 ").arg(n));
        if (earth && reference::kVirtuousWife.contains(n))
            expectedRemarks.append(QStringLiteral("地格数 %1，如果是女性，则德行优良，助夫爱子。 ").arg(n));
        QCOMPARE(remarks, expectedRemarks);
    }
}

void TestNameAnalysis::personalityOpenings()
{
    for (int c = 1; c <= 10; ++c) {
        QVERIFY2(NameAnalysisTexts::personality(c).startsWith(QStringLiteral(" 暗示性格为：")
                                                              + reference::kPersonalityOpenings.at(c - 1)),
                 qPrintable(QString::number(c)));
    }
    QCOMPARE(NameAnalysisTexts::personality(1),
             QStringLiteral(" 暗示性格为：性情多好静，富于理智。温厚中带有华丽气质，具有不屈不挠的精神。表面看似非活动家，"
                            "其实蕴涵着相当实力，必取得相当的成功。其人生虽属渐进型，但终能为人首领。还可获得家庭幸福。"
                            "但其人含有嫉妒心，大都好利。"));
    QCOMPARE(NameAnalysisTexts::personality(8),
             QStringLiteral(" 暗示性格为：顽固如砺石，刚毅木讷，富于持久力。爱打抱不平。若善加修养，必能光明磊落。"
                            "有如黄钟，击之则响。此数不适应女人，有强顽之嫌。"));
}

void TestNameAnalysis::luckTexts_data()
{
    QTest::addColumn<bool>("success"); // 成功运 (人格 with 天格), else 基础运 (人格 with 地格)
    QTest::addColumn<int>("person");
    QTest::addColumn<int>("other");
    QTest::addColumn<QString>("opening");
    // The opening words of each text, rows 人格 木火土金水, columns the other grid.
    const char16_t *const success[5][5] = {
        {u"同为木，相辅", u"人格之木生天", u"人格木克天格", u"天格金克人格", u"天格水生人格"},
        {u"木来生火，火", u"两火相逢，火", u"人格火生天格", u"人格火克天格", u"天格水克人格"},
        {u"天格木克人格", u"火来生土，得", u"两土相叠，稳", u"人格土生天格", u"人格土克天格"},
        {u"人格金克天格", u"天格火克人格", u"土来生金，得", u"两金相碰，刚", u"人格金生天格"},
        {u"人格水生天格", u"人格水克天格", u"天格土克人格", u"天格金虽来生", u"两水相合，流"}};
    const char16_t *const basis[5][5] = {
        {u"人格与地格同", u"基础安泰，但", u"木扎根于土，", u"地格金克人格", u"地格水虽生木"},
        {u"木来生火，基", u"两火并立，基", u"人格火生地格", u"人格火克地格", u"地格水克人格"},
        {u"地格木克人格", u"火来生土，基", u"两土相合，厚", u"人格土生地格", u"人格土克地格"},
        {u"人格金克地格", u"地格火克人格", u"土来生金，基", u"两金相撞，刚", u"人格金生地格"},
        {u"人格水生地格", u"人格水克地格", u"地格土克人格", u"地格金虽生人", u"两水汇流，漂"}};
    const QString elements = reference::kElements;
    for (int p = 0; p < 5; ++p) {
        for (int o = 0; o < 5; ++o) {
            QTest::addRow("成功运 %s/%s", qPrintable(elements.mid(p, 1)), qPrintable(elements.mid(o, 1)))
                << true << p << o << QString::fromUtf16(success[p][o]);
            QTest::addRow("基础运 %s/%s", qPrintable(elements.mid(p, 1)), qPrintable(elements.mid(o, 1)))
                << false << p << o << QString::fromUtf16(basis[p][o]);
        }
    }
}

void TestNameAnalysis::luckTexts()
{
    QFETCH(bool, success);
    QFETCH(int, person);
    QFETCH(int, other);
    QFETCH(QString, opening);
    const QString text = success ? NameAnalysisTexts::successLuck(Element(person), Element(other))
                                 : NameAnalysisTexts::basisLuck(Element(person), Element(other));
    const QString verdict = (success ? reference::kSuccessVerdicts : reference::kBasisVerdicts)[person][other];
    QVERIFY2(text.startsWith(opening), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("（") + verdict + QStringLiteral("）。")), qPrintable(text));
    if (success && person == 0 && other == 0)
        QCOMPARE(text, QStringLiteral("同为木，相辅相成，成功顺利，能平安实现自己的目标（吉）。"));
    if (!success && person == 0 && other == 1)
        QCOMPARE(text, QStringLiteral("基础安泰，但天格为9或10时，则天地格相克而变为凶兆（吉）。"));
}

void TestNameAnalysis::moreInformationForEveryElementTriple()
{
    // 天格 1 3 5 7 9 and 地格 21 23 25 27 29 run through 木火土金水; 人格 11..20 through the digit classes.
    const QString elements = reference::kElements;
    const QString success = QStringLiteral("人格与天格数理表示的成功运：");
    const QString basis = QStringLiteral("人格与地格数理表示的基础运：");
    for (int personClass = 1; personClass <= 10; ++personClass) {
        for (int h = 0; h < 5; ++h) {
            for (int e = 0; e < 5; ++e) {
                const int heaven = 2 * h + 1;
                const int person = 10 + personClass;
                const int earth = 21 + 2 * e;
                const QString where = QStringLiteral("天格 %1, 人格 %2, 地格 %3").arg(heaven).arg(person).arg(earth);
                const QStringList more = moreInformation(report(grids(heaven, person, earth, 40, 2)));
                const int p = int(elements.indexOf(reference::element(person)));

                QVERIFY2(more.at(0).startsWith(QStringLiteral("人格数 %1 暗示性格为：").arg(person)
                                               + reference::kPersonalityOpenings.at(personClass - 1)),
                         qPrintable(where));
                // 成功运 before 基础运, unless 地格's element comes before 天格's in 木火土金水.
                const int first = h <= e ? 1 : 2;
                const int second = h <= e ? 2 : 1;
                QVERIFY2(more.at(first).startsWith(success), qPrintable(where));
                QVERIFY2(more.at(second).startsWith(basis), qPrintable(where));
                const auto verdict = [](const QString &v) { return QStringLiteral("（") + v + QStringLiteral("）。"); };
                QVERIFY2(more.at(first).endsWith(verdict(reference::kSuccessVerdicts[p][h])), qPrintable(where));
                QVERIFY2(more.at(second).endsWith(verdict(reference::kBasisVerdicts[p][e])), qPrintable(where));

                QStringList warnings;
                for (const QString &paragraph : more) {
                    if (paragraph.contains(QStringLiteral("数理易诱发")))
                        warnings.append(paragraph);
                }
                QStringList expected;
                for (const reference::Warning &w : reference::kWarnings) {
                    const bool personMatches = w.classSix ? personClass == 6 : w.person == reference::element(person);
                    if (personMatches && w.earth == reference::element(earth)
                        && (w.heaven == u'\0' || w.heaven == reference::element(heaven)))
                        expected.append(w.sentence);
                }
                QVERIFY2(warnings == expected, qPrintable(where + QStringLiteral(": ") + warnings.join(u'|')));
            }
        }
    }
}

void TestNameAnalysis::databaseFailures_data()
{
    QTest::addColumn<QString>("table");
    for (const char *t : {"name", "81man", "sancai", "wrGe"})
        QTest::newRow(t) << QString::fromLatin1(t);
}

void TestNameAnalysis::databaseFailures()
{
    QFETCH(QString, table);
    QTemporaryDir dir;
    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    contents.omitTables.insert(table);
    const Outcome<QString> r =
        NameAnalysis::buildReport(QStringLiteral("H"), grids(5, 7, 3, 8, 2), Library(TestLibrary::write(contents, dir.path())));
    QVERIFY(r.databaseFailed);
    QVERIFY(!r.value);
    QCOMPARE(r.message()->text, QStringLiteral("找不到namedbs.mdb数据库里的%1表或此表在设计状态。").arg(table));
}

void TestNameAnalysis::strokeNumbers_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("5 8") << QStringLiteral("5 8") << QList<int>{5, 8} << QStringList{};
    QTest::newRow("5 8 12 4, spaces") << QStringLiteral("  5   8 12 4 ") << QList<int>{5, 8, 12, 4} << QStringList{};
    QTest::newRow("5 alone") << QStringLiteral("5") << QList<int>{} << QStringList{QStringLiteral("至少需输入两个数字。")};
    QTest::newRow("blank") << QStringLiteral("   ") << QList<int>{} << QStringList{QStringLiteral("至少需输入两个数字。")};
    QTest::newRow("five numbers") << QStringLiteral("1 2 3 4 5") << QList<int>{}
                                  << QStringList{QStringLiteral("最多只能输入四个数字。")};
    QTest::newRow("31") << QStringLiteral("5 31") << QList<int>{} << QStringList{QStringLiteral("汉字笔画数最大是30。")};
    QTest::newRow("0") << QStringLiteral("5 0") << QList<int>{} << QStringList{QStringLiteral("汉字笔画数不能是0。")};
    QTest::newRow("overflow") << QStringLiteral("5 40000") << QList<int>{} << QStringList{QStringLiteral("输入的数据不对或太大。")};
    QTest::newRow("5 x") << QStringLiteral("5 x") << QList<int>{} << QStringList{QStringLiteral("输入必须为数字！")};
    QTest::newRow("40 x") << QStringLiteral("40 x") << QList<int>{}
                          << QStringList{QStringLiteral("输入必须为数字！"), QStringLiteral("汉字笔画数最大是30。")};
}

void TestNameAnalysis::strokeNumbers()
{
    QFETCH(QString, input);
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, messages);
    const Outcome<QList<int>> r = StrokeNumbersParser::parse(input);
    QCOMPARE(r.value.value_or(QList<int>()), numbers);
    QStringList texts;
    for (const UserMessage &m : r.messages) {
        texts.append(m.text);
        const bool tooBig = m.text == u"输入的数据不对或太大。";
        QCOMPARE(m.title, tooBig ? QStringLiteral("笔画数错误") : QString());
        QCOMPARE(m.style == UserMessage::Style::Warning, tooBig);
    }
    QCOMPARE(texts, messages);
}

void TestNameAnalysis::infoFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Info.txt"));
    QCOMPARE(ReportInfo::load(path).header, QString());

    QVERIFY(ReportInfo::save(path, QString(), QString()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("抬头信息：结尾信息：\r\n"));
    f.close();
    QCOMPARE(ReportInfo::load(path).footer, QString());

    // Saving what was loaded, again and again, keeps the texts as they are.
    const QString header = QStringLiteral("\r\n欢迎！\r\n2026年12月7日\r\n");
    const QString footer = QStringLiteral("青禾起名工作室\r\n预测师：李明");
    QVERIFY(ReportInfo::save(path, header, footer));
    for (int i = 0; i < 3; ++i) {
        const ReportInfo::Texts t = ReportInfo::load(path);
        QCOMPARE(t.header, header);
        QCOMPARE(t.footer, footer);
        QVERIFY(ReportInfo::save(path, t.header, t.footer));
    }

    // Files from older systems: GB18030, without the footer marker, or with the footer first.
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringEncoder("GB18030").encode(QStringLiteral("前言抬头信息：您好")));
    f.close();
    QCOMPARE(ReportInfo::load(path).header, QStringLiteral("您好"));
    QCOMPARE(ReportInfo::load(path).footer, QString());
    QCOMPARE(ReportInfo::parse(QStringLiteral("结尾信息：尾抬头信息：头")).header, QStringLiteral("头"));
    QCOMPARE(ReportInfo::parse(QStringLiteral("结尾信息：尾抬头信息：头")).footer, QStringLiteral("尾"));
}

void TestNameAnalysis::infoFileWriteFailureKeepsTheOldFile()
{
    // Info.txt cannot be replaced where a folder of that name stands (root cannot do it either).
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Info.txt"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/keep")));
    QVERIFY(!ReportInfo::save(path, QStringLiteral("新"), QStringLiteral("新")));
    QVERIFY(QFileInfo(path + QStringLiteral("/keep")).isDir());
    QCOMPARE(ReportInfo::load(path).header, QString());
    QCOMPARE(ReportInfo::saveFailedText(), QStringLiteral("请关闭文件Info.txt。"));
}

void TestNameAnalysis::kindByTheCompoundSurnameList_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::newRow("欧阳明华") << QStringLiteral("欧阳明华") << QStringLiteral("复");
    QTest::newRow("司马迁") << QStringLiteral("司马迁") << QStringLiteral("复");
    QTest::newRow("第五伦: rarer, still listed") << QStringLiteral("第五伦") << QStringLiteral("复");
    QTest::newRow("张廖家豪: listed double surname") << QStringLiteral("张廖家豪") << QStringLiteral("复");
    QTest::newRow("王小明") << QStringLiteral("王小明") << QStringLiteral("单");
    QTest::newRow("欧阳: two characters are never compound") << QStringLiteral("欧阳") << QStringLiteral("单");
    QTest::newRow("欧阳明华丽: five characters") << QStringLiteral("欧阳明华丽") << QStringLiteral("单");
    QTest::newRow("阳欧明: order counts") << QStringLiteral("阳欧明") << QStringLiteral("单");
    QTest::newRow("欧明阳") << QStringLiteral("欧明阳") << QStringLiteral("单");
}

void TestNameAnalysis::kindByTheCompoundSurnameList()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    const CompoundSurnames list = CompoundSurnames::read(AppPaths(TestLibrary::binDir()).compoundSurnamesPath());
    QCOMPARE(surnameKindText(list.kindOf(name)), kind);
}

// The shipped file: every line that is no comment is one surname of two characters, and the reader takes each;
// a file in GB18030 with CR LF reads the same; a missing file is an empty list.
void TestNameAnalysis::compoundSurnameFile()
{
    QFile source(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/surnames/compound.tsv"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(source.readAll());
    int entries = 0;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList columns = line.split(QLatin1Char('\t'));
        QCOMPARE(columns.size(), 2);
        QCOMPARE(columns[0].size(), 2);
        QVERIFY2(!columns[1].trimmed().isEmpty(), qPrintable(line));
        ++entries;
    }
    QVERIFY(entries >= 80);
    const CompoundSurnames shipped = CompoundSurnames::read(AppPaths(TestLibrary::binDir()).compoundSurnamesPath());
    QCOMPARE(shipped.size(), entries);

    QTemporaryDir dir;
    const QString gbk = dir.filePath(QStringLiteral("list.tsv"));
    QFile file(gbk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QStringEncoder encoder("GB18030");
    file.write(encoder.encode(QStringLiteral("# 注释\r\n欧阳\t说明\r\n\r\n 司马 \r\n")));
    file.close();
    const CompoundSurnames read = CompoundSurnames::read(gbk);
    QCOMPARE(read.size(), 2);
    QVERIFY(read.contains(QStringLiteral("欧阳")));
    QVERIFY(read.contains(QStringLiteral("司马")));
    QCOMPARE(CompoundSurnames::read(dir.filePath(QStringLiteral("none.tsv"))).size(), 0);
}

QTEST_GUILESS_MAIN(TestNameAnalysis)
#include "tst_nameanalysis.moc"

// Every name of the judged list gets the finding a reader expects, naming the word or character.
void TestNameAnalysis::soundOfJudgedNames_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("mention");
    const QList<QStringList> rows = soundDataRows(QStringLiteral("judged-names.tsv"));
    QVERIFY(rows.size() >= 40);
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.value(0) + row.value(1))) << row.value(0) << row.value(1) << row.value(2)
                                                               << row.value(3);
}

void TestNameAnalysis::soundOfJudgedNames()
{
    QFETCH(QString, surname);
    QFETCH(QString, given);
    QFETCH(QString, kind);
    QFETCH(QString, mention);
    const NameSound sound = soundChecker().check(surname, given);
    QStringList texts;
    bool found = false;
    for (const SoundFinding &f : sound.findings) {
        texts.append(NameSoundChecker::kindName(f.kind) + QLatin1Char(' ') + f.text);
        found = found || (NameSoundChecker::kindName(f.kind) == kind && f.text.contains(mention));
    }
    QVERIFY2(found, qPrintable(texts.join(QLatin1Char('\n'))));
}

// The most common given names with the hundred most common surnames: homophones, characters read two ways and
// neighbours are rare; the tone notes are counted apart (a name of three level tones is common and mild).
void TestNameAnalysis::soundFalseAlarmsOnCommonNames()
{
    QStringList surnames;
    QFile common(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data/surnames/common.tsv"));
    QVERIFY(common.open(QIODevice::ReadOnly));
    for (const QString &line : QString::fromUtf8(common.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1Char('#')) && surnames.size() < 100)
            surnames.append(line.section(QLatin1Char('\t'), 1, 1).trimmed());
    }
    const QList<QStringList> given = soundDataRows(QStringLiteral("common-given-names.tsv"));
    QCOMPARE(given.size(), 300);
    int names = 0;
    int homophones = 0;
    int strongHomophones = 0;
    int otherThanTones = 0;
    int tones = 0;
    for (const QString &surname : std::as_const(surnames)) {
        for (const QStringList &row : given) {
            const NameSound sound = soundChecker().check(surname, row.at(0));
            ++names;
            bool homophone = false;
            bool strong = false;
            bool other = false;
            bool tone = false;
            for (const SoundFinding &f : sound.findings) {
                homophone = homophone || f.kind == SoundFinding::Kind::Homophone;
                strong = strong || (f.kind == SoundFinding::Kind::Homophone && f.strong);
                other = other || f.kind != SoundFinding::Kind::SameTones;
                tone = tone || f.kind == SoundFinding::Kind::SameTones;
            }
            homophones += homophone;
            strongHomophones += strong;
            otherThanTones += other;
            tones += tone;
        }
    }
    qInfo("%d names: %d with a homophone (%d sounding the same), %d with any finding but tones, %d with a tone note",
        names, homophones, strongHomophones, otherThanTones, tones);
    QCOMPARE(names, 30000);
    QVERIFY(homophones <= 200);
    QVERIFY(otherThanTones <= 600);
}

void TestNameAnalysis::soundReadsTheSurnameAsASurname_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("pinyin");
    QTest::newRow("单") << QStringLiteral("单") << QStringLiteral("田芳") << QStringLiteral("Shàn Tiánfāng");
    QTest::newRow("解") << QStringLiteral("解") << QStringLiteral("放") << QStringLiteral("Xiè Fàng");
    QTest::newRow("仇") << QStringLiteral("仇") << QStringLiteral("英") << QStringLiteral("Qiú Yīng");
    QTest::newRow("区") << QStringLiteral("区") << QStringLiteral("雅") << QStringLiteral("Ōu Yǎ");
    QTest::newRow("朴") << QStringLiteral("朴") << QStringLiteral("正") << QStringLiteral("Piáo Zhèng");
    QTest::newRow("曾") << QStringLiteral("曾") << QStringLiteral("子墨") << QStringLiteral("Zēng Zǐmò");
    QTest::newRow("尉迟") << QStringLiteral("尉迟") << QStringLiteral("恭") << QStringLiteral("Yùchí Gōng");
    QTest::newRow("万俟") << QStringLiteral("万俟") << QStringLiteral("雪") << QStringLiteral("Mòqí Xuě");
    QTest::newRow("吕: ü with its mark") << QStringLiteral("吕") << QStringLiteral("静") << QStringLiteral("Lǚ Jìng");
    QTest::newRow("西安: apostrophe") << QStringLiteral("王") << QStringLiteral("西安") << QStringLiteral("Wáng Xī'ān");
    QTest::newRow("名字里的单读dān") << QStringLiteral("王") << QStringLiteral("单") << QStringLiteral("Wáng Dān");
}

void TestNameAnalysis::soundReadsTheSurnameAsASurname()
{
    QFETCH(QString, surname);
    QFETCH(QString, given);
    QFETCH(QString, pinyin);
    QCOMPARE(soundChecker().check(surname, given).pinyin, pinyin);
}

void TestNameAnalysis::soundTones_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("toneFinding"); // 0 none, 1 mild, 2 strong
    QTest::newRow("胡容宁: one tone") << QStringLiteral("胡") << QStringLiteral("容宁")
                                      << QStringLiteral("二声 二声 二声（平平平）") << 2;
    QTest::newRow("何一贤: level") << QStringLiteral("何") << QStringLiteral("一贤")
                                   << QStringLiteral("二声 一声 二声（平平平）") << 1;
    QTest::newRow("李小雨: one tone") << QStringLiteral("李") << QStringLiteral("小雨")
                                      << QStringLiteral("三声 三声 三声（仄仄仄）") << 2;
    QTest::newRow("赵宇浩: oblique") << QStringLiteral("赵") << QStringLiteral("宇浩")
                                     << QStringLiteral("四声 三声 四声（仄仄仄）") << 1;
    QTest::newRow("王伟华") << QStringLiteral("王") << QStringLiteral("伟华")
                            << QStringLiteral("二声 三声 二声（平仄平）") << 0;
    QTest::newRow("张三: two characters") << QStringLiteral("张") << QStringLiteral("三")
                                          << QStringLiteral("一声 一声（平平）") << 0;
    QTest::newRow("欧阳朝优") << QStringLiteral("欧阳") << QStringLiteral("朝优")
                              << QStringLiteral("一声 二声 一声 一声（平平平平）") << 1;
}

void TestNameAnalysis::soundTones()
{
    QFETCH(QString, surname);
    QFETCH(QString, given);
    QFETCH(QString, pattern);
    QFETCH(int, toneFinding);
    const NameSound sound = soundChecker().check(surname, given);
    QCOMPARE(sound.tonePattern, pattern);
    QCOMPARE(reversedSoundChecker().check(surname, given).tonePattern, pattern);
    int found = 0;
    for (const SoundFinding &f : sound.findings) {
        if (f.kind == SoundFinding::Kind::SameTones)
            found = f.strong ? 2 : 1;
    }
    QCOMPARE(found, toneFinding);
}
