// Checks the character rows built from the real Unihan files and the project's curated lists.
#include "NameSoundData.h"
#include "UnihanLibrary.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace tolvane::mkdb;

namespace {

const QString kTraditionalMark = QStringLiteral("繁");
constexpr qsizetype kStandardCount = 8105;

QString unihanDir()
{
    return qEnvironmentVariable("TOLVANE_UNIHAN_DIR");
}

QString dataDir()
{
    return qEnvironmentVariable("TOLVANE_SOURCE_DIR") + QStringLiteral("/data");
}

// The failure tests build from ten characters: their lines of Unihan, cut from the installed files at build
// time, and curated files of their own (tests/data/unihan-small).
QString smallUnihanDir()
{
    return qEnvironmentVariable("TOLVANE_SMALL_UNIHAN_DIR");
}

QString smallDataDir()
{
    return qEnvironmentVariable("TOLVANE_TEST_DATA") + QStringLiteral("/unihan-small");
}

bool isOneCharacter(const QString &text)
{
    return text.toUcs4().size() == 1;
}

// A data folder of our own: copies of the curated files (the small library's unless another folder is named), so a
// test can spoil one of them.
bool copyCuratedFiles(const QTemporaryDir &into, const QString &from = smallDataDir())
{
    const QDir source(from + QStringLiteral("/characters"));
    QDir target(into.path());
    if (!target.mkpath(QStringLiteral("characters")))
        return false;
    const QStringList files = source.entryList({ QStringLiteral("*.tsv") }, QDir::Files);
    for (const QString &name : files) {
        if (!QFile::copy(source.filePath(name), into.path() + QStringLiteral("/characters/") + name))
            return false;
    }
    return !files.isEmpty();
}

// One line of tests/data/kangxi-reference.tsv: naming_a, naming_b, kangxi_c, kangxi_d, wuxing_a, wuxing_b.
struct ReferenceRow {
    QString character;
    QStringList values;
};

QList<ReferenceRow> readReference()
{
    QFile file(qEnvironmentVariable("TOLVANE_TEST_DATA") + QStringLiteral("/kangxi-reference.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<ReferenceRow> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QStringLiteral("char\t")))
            continue;
        QStringList fields = line.split(QLatin1Char('\t'));
        while (fields.size() < 7)
            fields.append(QString());
        rows.append({ fields.takeFirst(), fields });
    }
    return rows;
}

// The one value two sources agree on, or nothing when either lacks it, gives several, or they differ.
std::optional<QString> agreed(const QString &a, const QString &b)
{
    if (a.isEmpty() || a.contains(QLatin1Char('/')) || a != b)
        return std::nullopt;
    return a;
}

struct Agreement {
    int compared = 0;
    int agreeing = 0;
    QStringList misses;
    double ratio() const { return compared ? double(agreeing) / compared : 0; }
    QString describe() const
    {
        return QStringLiteral("%1 of %2 (%3%), differing: %4")
            .arg(agreeing)
            .arg(compared)
            .arg(100 * ratio(), 0, 'f', 2)
            .arg(misses.join(QLatin1Char(' ')));
    }
};

} // namespace

class TestUnihanLibrary : public QObject {
    Q_OBJECT

private:
    QList<CharacterRow> m_rows;
    QHash<QString, qsizetype> m_index;

    const CharacterRow *find(const QString &character) const
    {
        const auto it = m_index.constFind(character);
        return it == m_index.cend() ? nullptr : &m_rows.at(*it);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!unihanDir().isEmpty(), "TOLVANE_UNIHAN_DIR is not set");
        QVERIFY2(!qEnvironmentVariable("TOLVANE_SOURCE_DIR").isEmpty(), "TOLVANE_SOURCE_DIR is not set");
        QString error;
        const auto rows = UnihanLibrary::build(unihanDir(), dataDir(), &error);
        QVERIFY2(rows.has_value(), qPrintable(error));
        m_rows = *rows;
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            m_index.insert(m_rows.at(i).namechr, i);
    }

    void standardCharactersComeFirstInTableOrder()
    {
        QVERIFY(m_rows.size() > kStandardCount);
        for (qsizetype i = 0; i < kStandardCount; ++i)
            QVERIFY2(m_rows.at(i).xiong != kTraditionalMark, qPrintable(m_rows.at(i).namechr));
        for (qsizetype i = kStandardCount; i < m_rows.size(); ++i)
            QVERIFY2(m_rows.at(i).xiong == kTraditionalMark, qPrintable(m_rows.at(i).namechr));

        // The opening of the table and its last entry (numbers 1–12 and 8105).
        const QString opening = QStringLiteral("一乙二十丁厂七卜八人入儿");
        for (qsizetype i = 0; i < opening.size(); ++i)
            QCOMPARE(m_rows.at(i).namechr, opening.at(i));
        QCOMPARE(m_rows.at(kStandardCount - 1).namechr, QStringLiteral("蠼"));
    }

    void traditionalRowsFollowInOrderFirstMet()
    {
        // Every traditional form a standard row is counted by is itself a row...
        QList<qsizetype> firstMet;
        QSet<QString> seen;
        for (qsizetype i = 0; i < kStandardCount; ++i) {
            const CharacterRow &row = m_rows.at(i);
            const CharacterRow *form = find(row.fantizi);
            QVERIFY2(form, qPrintable(row.namechr + QStringLiteral(" → ") + row.fantizi));
            const qsizetype at = m_index.value(row.fantizi);
            if (at >= kStandardCount && !seen.contains(row.fantizi)) {
                seen.insert(row.fantizi);
                firstMet.append(at);
            }
        }
        QVERIFY(!firstMet.isEmpty());
        // ...and they appear in the order their standard characters come.
        QVERIFY(std::is_sorted(firstMet.cbegin(), firstMet.cend()));

        for (qsizetype i = kStandardCount; i < m_rows.size(); ++i) {
            const CharacterRow &row = m_rows.at(i);
            QCOMPARE(row.fantizi, row.namechr);
            QVERIFY2(row.xiong != QStringLiteral("0"), qPrintable(row.namechr));
        }
    }

    void strokes_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("strokes");

        // Common surnames and name characters, counted by the traditional form with radicals in full.
        QTest::newRow("张 as 張 (弓 3 + 8)") << QStringLiteral("张") << 11;
        QTest::newRow("王: a reduced radical, own count") << QStringLiteral("王") << 4;
        QTest::newRow("刘 as 劉 (Unihan lists 刘 itself first)") << QStringLiteral("刘") << 15;
        QTest::newRow("陈 as 陳 (阜 8 + 8)") << QStringLiteral("陈") << 16;
        QTest::newRow("江 (水 4 + 3)") << QStringLiteral("江") << 7;
        QTest::newRow("黄: a radical, full count of 黃") << QStringLiteral("黄") << 12;
        QTest::newRow("欧 as 歐") << QStringLiteral("欧") << 15;
        QTest::newRow("阳 as 陽") << QStringLiteral("阳") << 17;
        QTest::newRow("玲 (玉 5 + 5)") << QStringLiteral("玲") << 10;
        QTest::newRow("鬼: a radical, full count") << QStringLiteral("鬼") << 10;
        QTest::newRow("艹: counted as 艸") << QStringLiteral("艹") << 6;
        QTest::newRow("茓: no kRSKangXi, by kRSUnicode") << QStringLiteral("茓") << 11;

        // The numerals count by their value.
        const QString numerals = QStringLiteral("一二三四五六七八九十");
        for (qsizetype i = 0; i < numerals.size(); ++i)
            QTest::addRow("numeral %s", qPrintable(numerals.at(i))) << QString(numerals.at(i)) << int(i) + 1;

        // Traditional rows are counted as written.
        QTest::newRow("traditional 張") << QStringLiteral("張") << 11;
        QTest::newRow("traditional 劉") << QStringLiteral("劉") << 15;
        QTest::newRow("traditional 萬") << QStringLiteral("萬") << 15;

        // The curated files.
        QTest::newRow("秋 counted as itself, not 鞦") << QStringLiteral("秋") << 9;
        QTest::newRow("沈 counted as itself, not 瀋") << QStringLiteral("沈") << 8;
        QTest::newRow("么 counted as 麼, not 幺") << QStringLiteral("么") << 14;
        QTest::newRow("鸡 counted as 鷄, a form Unihan lacks") << QStringLiteral("鸡") << 21;
        QTest::newRow("视 by strokes.tsv") << QStringLiteral("视") << 12;
        QTest::newRow("响: naming practice, 音 9 + old 鄉 13") << QStringLiteral("响") << 22;
        QTest::newRow("traditional 響 as the Kangxi tables") << QStringLiteral("響") << 20;
        QTest::newRow("熙 13") << QStringLiteral("熙") << 13;
        QTest::newRow("the surname 姬 9") << QStringLiteral("姬") << 9;
        QTest::newRow("the surname 于 as itself") << QStringLiteral("于") << 3;
        QTest::newRow("the surname 余 as itself") << QStringLiteral("余") << 7;
        QTest::newRow("万 as 萬") << QStringLiteral("万") << 15;
        QTest::newRow("the surname 范 as written, not 範") << QStringLiteral("范") << 11;
        QTest::newRow("钟 as the surname 鍾") << QStringLiteral("钟") << 17;
        QTest::newRow("发 as 發") << QStringLiteral("发") << 12;
        QTest::newRow("乃 as 迺") << QStringLiteral("乃") << 13;
        QTest::newRow("迟 as 遲 as written (辵 7 + 12)") << QStringLiteral("迟") << 19;
        // A simplified character that is a traditional word of its own, while its Unihan form is another word.
        QTest::newRow("芸 as itself, not 蕓 (rape)") << QStringLiteral("芸") << 10;
        QTest::newRow("征 as itself, not 徵 (summon)") << QStringLiteral("征") << 8;
        QTest::newRow("the surname 党 as itself, not 黨 (party)") << QStringLiteral("党") << 10;
        QTest::newRow("采 as itself, not Unihan's 埰 (fief)") << QStringLiteral("采") << 8;
    }

    void strokes()
    {
        QFETCH(QString, character);
        QFETCH(int, strokes);
        const CharacterRow *row = find(character);
        if (!row && character == QStringLiteral("艹"))
            QSKIP("艹 is not a character of the library");
        QVERIFY2(row, qPrintable(character));
        QCOMPARE(row->strokes, strokes);
    }

    void radicalStrokes_data()
    {
        QTest::addColumn<int>("radical");
        QTest::addColumn<int>("strokes");
        // The first and last radical of each full stroke count, and the numbers outside the table.
        QTest::newRow("0 (none)") << 0 << 0;
        QTest::newRow("1 一") << 1 << 1;
        QTest::newRow("6 亅") << 6 << 1;
        QTest::newRow("7 二") << 7 << 2;
        QTest::newRow("29 又") << 29 << 2;
        QTest::newRow("30 口") << 30 << 3;
        QTest::newRow("60 彳") << 60 << 3;
        QTest::newRow("61 心") << 61 << 4;
        QTest::newRow("85 水") << 85 << 4;
        QTest::newRow("94 犬") << 94 << 4;
        QTest::newRow("95 玄") << 95 << 5;
        QTest::newRow("117 立") << 117 << 5;
        QTest::newRow("118 竹") << 118 << 6;
        QTest::newRow("140 艸") << 140 << 6;
        QTest::newRow("146 襾") << 146 << 6;
        QTest::newRow("147 見") << 147 << 7;
        QTest::newRow("163 邑") << 163 << 7;
        QTest::newRow("166 里") << 166 << 7;
        QTest::newRow("167 金") << 167 << 8;
        QTest::newRow("170 阜") << 170 << 8;
        QTest::newRow("175 非") << 175 << 8;
        QTest::newRow("176 面") << 176 << 9;
        QTest::newRow("186 香") << 186 << 9;
        QTest::newRow("187 馬") << 187 << 10;
        QTest::newRow("194 鬼") << 194 << 10;
        QTest::newRow("195 魚") << 195 << 11;
        QTest::newRow("200 麻") << 200 << 11;
        QTest::newRow("201 黃") << 201 << 12;
        QTest::newRow("204 黹") << 204 << 12;
        QTest::newRow("205 黽") << 205 << 13;
        QTest::newRow("208 鼠") << 208 << 13;
        QTest::newRow("209 鼻") << 209 << 14;
        QTest::newRow("210 齊") << 210 << 14;
        QTest::newRow("211 齒") << 211 << 15;
        QTest::newRow("212 龍") << 212 << 16;
        QTest::newRow("213 龜") << 213 << 16;
        QTest::newRow("214 龠") << 214 << 17;
        QTest::newRow("215 (none)") << 215 << 0;
    }

    void radicalStrokes()
    {
        QFETCH(int, radical);
        QFETCH(int, strokes);
        QCOMPARE(UnihanLibrary::radicalStrokes(radical), strokes);
    }

    void pinyin_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("pinyin");

        QTest::newRow("张: the same reading in every source, once") << QStringLiteral("张") << QStringLiteral("zhāng");
        QTest::newRow("一") << QStringLiteral("一") << QStringLiteral("yī");
        // kMandarin first, then kTGHZ2013, then kHanyuPinyin.
        QTest::newRow("行") << QStringLiteral("行") << QStringLiteral("xíng、háng、héng、xìng、hàng");
        QTest::newRow("叶") << QStringLiteral("叶") << QStringLiteral("yè、xié");
        QTest::newRow("乐") << QStringLiteral("乐") << QStringLiteral("lè、yuè");
        QTest::newRow("王") << QStringLiteral("王") << QStringLiteral("wáng、wàng、yù");
        QTest::newRow("traditional 張, its own readings") << QStringLiteral("張") << QStringLiteral("zhāng、zhàng");
    }

    void pinyin()
    {
        QFETCH(QString, character);
        QFETCH(QString, pinyin);
        const CharacterRow *row = find(character);
        QVERIFY2(row, qPrintable(character));
        QCOMPARE(row->pinyin, pinyin);
    }

    void fantizi_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("fantizi");

        QTest::newRow("张") << QStringLiteral("张") << QStringLiteral("張");
        QTest::newRow("王 has none") << QStringLiteral("王") << QStringLiteral("王");
        QTest::newRow("刘: 刘 itself is listed first") << QStringLiteral("刘") << QStringLiteral("劉");
        QTest::newRow("黄") << QStringLiteral("黄") << QStringLiteral("黃");
        QTest::newRow("万") << QStringLiteral("万") << QStringLiteral("萬");
        QTest::newRow("秋 stays itself") << QStringLiteral("秋") << QStringLiteral("秋");
        QTest::newRow("么 as 麼") << QStringLiteral("么") << QStringLiteral("麼");
        QTest::newRow("traditional 張 is its own") << QStringLiteral("張") << QStringLiteral("張");
        QTest::newRow("芸 stays itself") << QStringLiteral("芸") << QStringLiteral("芸");
        QTest::newRow("the surname 里 stays itself, not 裡 (inside)") << QStringLiteral("里") << QStringLiteral("里");
    }

    void fantizi()
    {
        QFETCH(QString, character);
        QFETCH(QString, fantizi);
        const CharacterRow *row = find(character);
        QVERIFY2(row, qPrintable(character));
        QCOMPARE(row->fantizi, fantizi);
    }

    void wuxing_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("wuxing");

        // By the radical of the form counted.
        QTest::newRow("林 木") << QStringLiteral("林") << QStringLiteral("木");
        QTest::newRow("江 水") << QStringLiteral("江") << QStringLiteral("水");
        QTest::newRow("炎 火") << QStringLiteral("炎") << QStringLiteral("火");
        QTest::newRow("钱 金 (錢)") << QStringLiteral("钱") << QStringLiteral("金");
        QTest::newRow("坤 土") << QStringLiteral("坤") << QStringLiteral("土");
        QTest::newRow("东 木: 東 is under 木, 东 under 一") << QStringLiteral("东") << QStringLiteral("木");
        // By the initial where the radical says nothing.
        QTest::newRow("周 zh 金") << QStringLiteral("周") << QStringLiteral("金");
        QTest::newRow("马 m 水") << QStringLiteral("马") << QStringLiteral("水");
        QTest::newRow("王 w 土") << QStringLiteral("王") << QStringLiteral("土");
        QTest::newRow("国 g 木") << QStringLiteral("国") << QStringLiteral("木");
        QTest::newRow("丁 d 火") << QStringLiteral("丁") << QStringLiteral("火");
        QTest::newRow("安: no initial, 土") << QStringLiteral("安") << QStringLiteral("土");
        // wuxing.tsv, and a traditional row following its simplified character.
        QTest::newRow("松 木 by wuxing.tsv") << QStringLiteral("松") << QStringLiteral("木");
        QTest::newRow("张 火 by wuxing.tsv, not zh 金") << QStringLiteral("张") << QStringLiteral("火");
        QTest::newRow("庄 金 by wuxing.tsv, not 艸 木") << QStringLiteral("庄") << QStringLiteral("金");
        QTest::newRow("traditional 張 as 张") << QStringLiteral("張") << QStringLiteral("火");
        QTest::newRow("traditional 東 as 东") << QStringLiteral("東") << QStringLiteral("木");
    }

    void wuxing()
    {
        QFETCH(QString, character);
        QFETCH(QString, wuxing);
        const CharacterRow *row = find(character);
        QVERIFY2(row, qPrintable(character));
        QCOMPARE(row->wuxing, wuxing);
    }

    void marks_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<bool>("bad");

        QTest::newRow("婷") << QStringLiteral("婷") << QStringLiteral("女") << false;
        QTest::newRow("刚") << QStringLiteral("刚") << QStringLiteral("男") << false;
        QTest::newRow("一") << QStringLiteral("一") << QStringLiteral("0") << false;
        QTest::newRow("华") << QStringLiteral("华") << QStringLiteral("0") << false;
        QTest::newRow("鬼") << QStringLiteral("鬼") << QStringLiteral("0") << true;
        QTest::newRow("死") << QStringLiteral("死") << QStringLiteral("0") << true;
        QTest::newRow("病") << QStringLiteral("病") << QStringLiteral("0") << true;
        QTest::newRow("traditional 麗 keeps 丽's sex") << QStringLiteral("麗") << QStringLiteral("女") << true;
        QTest::newRow("武 男") << QStringLiteral("武") << QStringLiteral("男") << false;
        QTest::newRow("娜 女") << QStringLiteral("娜") << QStringLiteral("女") << false;
        QTest::newRow("明: given to both sexes") << QStringLiteral("明") << QStringLiteral("0") << false;
        QTest::newRow("了: a particle") << QStringLiteral("了") << QStringLiteral("0") << true;
        QTest::newRow("男: boys only") << QStringLiteral("男") << QStringLiteral("男") << false;
        QTest::newRow("龙: boys only") << QStringLiteral("龙") << QStringLiteral("男") << false;
        QTest::newRow("霸: a bully, unfit") << QStringLiteral("霸") << QStringLiteral("0") << true;
        QTest::newRow("檀 sandalwood") << QStringLiteral("檀") << QStringLiteral("0") << false;
        QTest::newRow("瞳 bright eyes") << QStringLiteral("瞳") << QStringLiteral("0") << false;
        QTest::newRow("穗 ear of grain") << QStringLiteral("穗") << QStringLiteral("0") << false;
        QTest::newRow("鸾: second level, popular") << QStringLiteral("鸾") << QStringLiteral("女") << false;
        QTest::newRow("淼: third level, popular") << QStringLiteral("淼") << QStringLiteral("0") << false;
        QTest::newRow("垚: third level, popular") << QStringLiteral("垚") << QStringLiteral("男") << false;
    }

    void marks()
    {
        QFETCH(QString, character);
        QFETCH(QString, sex);
        QFETCH(bool, bad);
        const CharacterRow *row = find(character);
        QVERIFY2(row, qPrintable(character));
        QCOMPARE(row->sex, sex);
        QCOMPARE(row->xiong != QStringLiteral("0"), bad);
    }

    void everyRowIsWellFormed()
    {
        const QString elements = QStringLiteral("金木水火土");
        const QStringList sexes { QStringLiteral("男"), QStringLiteral("女"), QStringLiteral("0") };
        QSet<QString> names;
        for (const CharacterRow &row : std::as_const(m_rows)) {
            const QByteArray what = row.namechr.toUtf8();
            QVERIFY2(isOneCharacter(row.namechr), what.constData());
            QVERIFY2(!names.contains(row.namechr), what.constData());
            names.insert(row.namechr);
            QVERIFY2(row.strokes >= 1 && row.strokes <= 64, what.constData());
            QVERIFY2(row.wuxing.size() == 1 && elements.contains(row.wuxing), what.constData());
            QVERIFY2(sexes.contains(row.sex), what.constData());
            QVERIFY2(!row.xiong.isEmpty(), what.constData());
            QVERIFY2(isOneCharacter(row.fantizi), what.constData());
            QVERIFY2(!row.meaning.contains(QLatin1Char('\t')) && !row.meaning.contains(QLatin1Char('\n')),
                what.constData());
            const QStringList readings = row.pinyin.split(QStringLiteral("、"));
            QVERIFY2(!row.pinyin.isEmpty(), what.constData());
            QCOMPARE(QSet<QString>(readings.cbegin(), readings.cend()).size(), readings.size());
            for (const QString &reading : readings)
                QVERIFY2(
                    !reading.isEmpty() && !reading.contains(QLatin1Char(' ')) && !reading.contains(QLatin1Char(',')),
                    qPrintable(row.namechr + QLatin1Char(' ') + row.pinyin));
        }
    }

    // Naming strokes where the two naming tables agree on one value. Where we count otherwise, the decision and
    // its reason are on record in strokes.tsv or fantizi.tsv (芸 10, not 蕓 18; the surname 姜 9, not 薑 19).
    void strokesAgreeWithNamingPractice()
    {
        QSet<QString> decided;
        for (const QString file : { QStringLiteral("strokes.tsv"), QStringLiteral("fantizi.tsv") }) {
            QFile f(dataDir() + QStringLiteral("/characters/") + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            for (const QByteArray &line : f.readAll().split('\n')) {
                if (!line.isEmpty() && !line.startsWith('#'))
                    decided.insert(QString::fromUtf8(line.left(line.indexOf('\t'))));
            }
        }
        const QList<ReferenceRow> reference = readReference();
        QVERIFY2(!reference.isEmpty(), "tests/data/kangxi-reference.tsv is missing");
        Agreement naming;
        for (const ReferenceRow &ref : reference) {
            const CharacterRow *row = find(ref.character);
            const std::optional<QString> value = agreed(ref.values.at(0), ref.values.at(1));
            if (!row || !value)
                continue;
            ++naming.compared;
            if (row->strokes == value->toInt())
                ++naming.agreeing;
            else
                naming.misses.append(ref.character);
        }
        qInfo("naming practice: %s", qPrintable(naming.describe()));
        QVERIFY(naming.compared > 5000);
        QVERIFY2(naming.ratio() >= 0.99, qPrintable(naming.describe()));
        for (const QString &miss : std::as_const(naming.misses))
            QVERIFY2(decided.contains(miss), qPrintable(miss + QStringLiteral(" differs from both naming tables undecided")));
    }

    // Characters that are their own traditional form, where the two Kangxi tables agree. The numerals are
    // counted by their value on purpose (naming practice), so they are the only misses allowed beyond the
    // 0.1%; any other difference must be decided in strokes.tsv.
    void strokesAgreeWithKangxiTables()
    {
        const QList<ReferenceRow> reference = readReference();
        QVERIFY2(!reference.isEmpty(), "tests/data/kangxi-reference.tsv is missing");
        const QString numerals = QStringLiteral("一二三四五六七八九十");
        Agreement all;
        Agreement beyondNumerals;
        for (const ReferenceRow &ref : reference) {
            const CharacterRow *row = find(ref.character);
            const std::optional<QString> value = agreed(ref.values.at(2), ref.values.at(3));
            if (!row || !value || row->fantizi != row->namechr)
                continue;
            const bool same = row->strokes == value->toInt();
            for (Agreement *a : { &all, &beyondNumerals }) {
                if (a == &beyondNumerals && numerals.contains(ref.character))
                    continue;
                ++a->compared;
                if (same)
                    ++a->agreeing;
                else
                    a->misses.append(ref.character);
            }
        }
        qInfo("Kangxi tables: %s", qPrintable(all.describe()));
        QVERIFY(all.compared > 6000);
        QVERIFY2(all.ratio() >= 0.998, qPrintable(all.describe()));
        QVERIFY2(beyondNumerals.ratio() >= 0.999, qPrintable(beyondNumerals.describe()));
    }

    void elementsAgreeWithNamingPractice()
    {
        const QList<ReferenceRow> reference = readReference();
        QVERIFY2(!reference.isEmpty(), "tests/data/kangxi-reference.tsv is missing");
        Agreement elements;
        for (const ReferenceRow &ref : reference) {
            const CharacterRow *row = find(ref.character);
            const std::optional<QString> value = agreed(ref.values.at(4), ref.values.at(5));
            if (!row || !value)
                continue;
            ++elements.compared;
            if (row->wuxing == *value)
                ++elements.agreeing;
        }
        qInfo("elements: %d of %d (%.2f%%)", elements.agreeing, elements.compared, 100 * elements.ratio());
        QVERIFY(elements.compared > 6000);
        QVERIFY2(elements.ratio() >= 0.90, qPrintable(QString::number(100 * elements.ratio(), 'f', 2)));
    }

    void neverOffered_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::newRow("death and burial") << QStringLiteral("死亡尸丧棺坟墓葬殡殓冢");
        QTest::newRow("disease") << QStringLiteral("病疾癌瘟疫疮瘤瘫痔疯癫");
        QTest::newRow("crime") << QStringLiteral("贼盗匪劫罪囚狱骗赃窃");
        QTest::newRow("filth and body functions") << QStringLiteral("屎尿粪屁臭秽垢蛆虱");
        QTest::newRow("insults and ill omen") << QStringLiteral("凶鬼魔妖贱蠢傻祸灾恶");
        QTest::newRow("particles and interjections") << QStringLiteral("了吗呢吧啊的们哦嘛");
        QTest::newRow("chemistry only") << QStringLiteral("钾烷苯氯醛氘氰肽唑");
        QTest::newRow("mourning") << QStringLiteral("唁奠妣剐骼");
        QTest::newRow("more disease") << QStringLiteral("痉痞痧瘰哮");
        QTest::newRow("bodily and sexual") << QStringLiteral("孕娠乳阉牝");
        QTest::newRow("more filth") << QStringLiteral("厕圊圾滓");
        QTest::newRow("insults and slurs") << QStringLiteral("刁氓彘龟倭");
        QTest::newRow("vermin") << QStringLiteral("蝎蚣蠊螂");
        QTest::newRow("misfortune and sorrow") << QStringLiteral("丢危坠哭恨");
        QTest::newRow("kinship words") << QStringLiteral("娘姑妞姨妻奶她爸爹兄弟");
        QTest::newRow("everyday words") << QStringLiteral("桌碗锅吃搬");
    }

    // What a listing may offer: a first-level character, or one of the other levels listed in popular.tsv; never
    // one outside the BMP, one listed in xiong.tsv, or one without a meaning written in Chinese.
    void offeredRowsAreFitCommonAndExplained()
    {
        const auto firstColumn = [](const QString &file) {
            QSet<QString> set;
            QFile f(dataDir() + QStringLiteral("/characters/") + file);
            if (!f.open(QIODevice::ReadOnly))
                return set;
            for (const QByteArray &line : f.readAll().split('\n')) {
                if (!line.isEmpty() && !line.startsWith('#'))
                    set.insert(QString::fromUtf8(line.left(line.indexOf('\t'))));
            }
            return set;
        };
        const QSet<QString> popular = firstColumn(QStringLiteral("popular.tsv"));
        const QSet<QString> unfit = firstColumn(QStringLiteral("xiong.tsv"));
        QVERIFY(!popular.isEmpty() && !unfit.isEmpty());
        int offered = 0;
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            const CharacterRow &row = m_rows.at(i);
            if (row.xiong != QStringLiteral("0"))
                continue;
            ++offered;
            const QByteArray what = QStringLiteral("%1 (%2)").arg(row.namechr).arg(i + 1).toUtf8();
            QVERIFY2(i < 3500 || (i < kStandardCount && popular.contains(row.namechr)), what.constData());
            QVERIFY2(row.namechr.size() == 1, what.constData());
            QVERIFY2(!unfit.contains(row.namechr), what.constData());
            QVERIFY2(!row.meaning.isEmpty() && !row.meaning.startsWith(QStringLiteral("英文：")), what.constData());
        }
        qInfo("characters offered: %d", offered);
    }

    void neverOffered()
    {
        QFETCH(QString, characters);
        for (const QChar c : std::as_const(characters)) {
            const CharacterRow *row = find(QString(c));
            QVERIFY2(row, qPrintable(QString(c)));
            QVERIFY2(row->xiong != QStringLiteral("0"), qPrintable(QString(c)));
            // Its traditional form, looked up for a name written in traditional characters, is not offered either.
            const CharacterRow *form = find(row->fantizi);
            QVERIFY2(form && form->xiong != QStringLiteral("0"), qPrintable(row->fantizi));
        }
    }

    // The 300 most common surnames and the characters of the compound surnames have a Chinese meaning that
    // gives the surname sense.
    void surnamesHaveChineseMeanings()
    {
        QStringList surnames;
        const auto readColumn = [&surnames](const QString &file, int column) {
            QFile f(dataDir() + QStringLiteral("/surnames/") + file);
            if (!f.open(QIODevice::ReadOnly))
                return;
            for (const QByteArray &line : f.readAll().split('\n')) {
                if (!line.isEmpty() && !line.startsWith('#'))
                    surnames.append(QString::fromUtf8(line.split('\t').value(column)));
            }
        };
        readColumn(QStringLiteral("common.tsv"), 1);
        readColumn(QStringLiteral("compound.tsv"), 0);
        QVERIFY(surnames.size() > 380);
        for (const QString &surname : std::as_const(surnames)) {
            for (const QChar c : surname) {
                const CharacterRow *row = find(QString(c));
                QVERIFY2(row, qPrintable(surname));
                QVERIFY2(row->meaning.contains(QStringLiteral("姓")) && !row->meaning.startsWith(QStringLiteral("英文：")),
                         qPrintable(QStringLiteral("%1: %2").arg(surname, row->meaning)));
            }
        }
    }

    void meaningsFromTheRealFiles()
    {
        // Written in meanings.tsv for the first level of the table.
        const CharacterRow *one = find(QStringLiteral("一"));
        QVERIFY(one);
        QVERIFY(!one->meaning.isEmpty());
        QVERIFY2(!one->meaning.startsWith(QStringLiteral("英文：")), qPrintable(one->meaning));
        // A rare character takes Unihan's gloss, marked as English.
        const CharacterRow *earwig = find(QStringLiteral("蠼"));
        QVERIFY(earwig);
        QCOMPARE(earwig->meaning, QStringLiteral("英文：earwig"));
    }

    void meaningsFile_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // character, meaning, character, meaning...

        const QStringList glossOnly { QStringLiteral("一"), QStringLiteral("英文：one; a, an; alone"),
            QStringLiteral("炅"), QStringLiteral("英文：brilliance"), QStringLiteral("拤"), QString() };
        QTest::newRow("missing: Unihan glosses only") << false << QString() << glossOnly;
        QTest::newRow("comments and blank lines only")
            << true << QStringLiteral("# nothing yet\n\n") << glossOnly;
        QTest::newRow("written meanings replace the gloss, CR LF, traditional row")
            << true << QStringLiteral("# 释义\r\n一\t数目，最小的正整数。\r\n拤\t用手卡住。\r\n張\t張开。\r\n")
            << QStringList { QStringLiteral("一"), QStringLiteral("数目，最小的正整数。"), QStringLiteral("炅"),
                   QStringLiteral("英文：brilliance"), QStringLiteral("拤"), QStringLiteral("用手卡住。"),
                   QStringLiteral("張"), QStringLiteral("張开。") };
    }

    void meaningsFile()
    {
        QFETCH(bool, present);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(copyCuratedFiles(dir));
        QFile file(dir.path() + QStringLiteral("/characters/meanings.tsv"));
        file.remove();
        if (present) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
            file.close();
        }
        QString error;
        const auto rows = UnihanLibrary::build(smallUnihanDir(), dir.path(), &error);
        QVERIFY2(rows.has_value(), qPrintable(error));
        for (qsizetype i = 0; i + 1 < expected.size(); i += 2) {
            const auto it = std::find_if(rows->cbegin(), rows->cend(),
                [&](const CharacterRow &row) { return row.namechr == expected.at(i); });
            QVERIFY2(it != rows->cend(), qPrintable(expected.at(i)));
            QCOMPARE(it->meaning, expected.at(i + 1));
        }
    }

    void rejectsBadMeaningLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("no tab") << QStringLiteral("一 数目");
        QTest::newRow("empty meaning") << QStringLiteral("一\t ");
        QTest::newRow("three fields") << QStringLiteral("一\t数目\t多余");
        QTest::newRow("two characters") << QStringLiteral("一二\t数目");
        QTest::newRow("not a row") << QStringLiteral("𠀀\t数目");
        QTest::newRow("listed twice") << QStringLiteral("乙\t又一次");
    }

    void rejectsBadMeaningLines()
    {
        QFETCH(QString, line);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(copyCuratedFiles(dir));
        QFile file(dir.path() + QStringLiteral("/characters/meanings.tsv"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("# 释义\n乙\t天干的第二位。\n\n%1\n").arg(line).toUtf8());
        file.close();
        QString error;
        QVERIFY(!UnihanLibrary::build(smallUnihanDir(), dir.path(), &error).has_value());
        QVERIFY2(error.contains(QStringLiteral("meanings.tsv:4")), qPrintable(error));
    }

    void buildingTwiceGivesTheSameRows()
    {
        QString error;
        const auto again = UnihanLibrary::build(unihanDir(), dataDir(), &error);
        QVERIFY2(again.has_value(), qPrintable(error));
        QCOMPARE(again->size(), m_rows.size());
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            const CharacterRow &a = m_rows.at(i);
            const CharacterRow &b = again->at(i);
            const bool same = a.namechr == b.namechr && a.strokes == b.strokes && a.wuxing == b.wuxing && a.sex == b.sex
                && a.xiong == b.xiong && a.pinyin == b.pinyin && a.fantizi == b.fantizi && a.meaning == b.meaning;
            QVERIFY2(same, qPrintable(QStringLiteral("row %1: %2").arg(i).arg(a.namechr)));
        }
    }

    void rejectsBadCuratedLines_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("line");

        QTest::newRow("count not a number") << QStringLiteral("strokes.tsv") << QStringLiteral("张\t十一\treason");
        QTest::newRow("reason missing") << QStringLiteral("sex.tsv") << QStringLiteral("张\t男\t");
        QTest::newRow("two fields") << QStringLiteral("sex.tsv") << QStringLiteral("张\t男");
        QTest::newRow("two characters") << QStringLiteral("sex.tsv") << QStringLiteral("张三\t男\treason");
        QTest::newRow("not an element") << QStringLiteral("wuxing.tsv") << QStringLiteral("张\t风\treason");
        QTest::newRow("not a row") << QStringLiteral("strokes.tsv") << QStringLiteral("𠀀\t5\treason");
        QTest::newRow("listed twice") << QStringLiteral("xiong.tsv") << QStringLiteral("死\t死丧\tagain");
        QTest::newRow("xiong on a traditional row") << QStringLiteral("xiong.tsv") << QStringLiteral("張\t凶\treason");
        QTest::newRow("fantizi of a traditional row")
            << QStringLiteral("fantizi.tsv") << QStringLiteral("張\t張\treason");
        QTest::newRow("fantizi without Unihan data")
            << QStringLiteral("fantizi.tsv") << QStringLiteral("张\t\uE000\treason");
    }

    void rejectsBadCuratedLines()
    {
        QFETCH(QString, file);
        QFETCH(QString, line);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(copyCuratedFiles(dir));
        QFile target(dir.path() + QStringLiteral("/characters/") + file);
        QVERIFY(target.open(QIODevice::ReadOnly));
        QByteArray text = target.readAll();
        target.close();
        if (!text.endsWith('\n'))
            text.append('\n');
        const qsizetype lineNo = text.count('\n') + 1;
        text.append(line.toUtf8() + '\n');
        QVERIFY(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
        target.write(text);
        target.close();

        QString error;
        QVERIFY(!UnihanLibrary::build(smallUnihanDir(), dir.path(), &error).has_value());
        QVERIFY2(error.contains(QStringLiteral("%1:%2").arg(file).arg(lineNo)), qPrintable(error));
    }

    void undecidedMergedCharacterStopsTheBuild_data()
    {
        QTest::addColumn<QString>("character");
        QTest::newRow("芸, its own form beside 蕓") << QStringLiteral("芸");
        QTest::newRow("云, a form of 雲 beside its own") << QStringLiteral("云");
    }

    // A character that may be offered and is a traditional character of its own as well as the simplified form
    // of another is counted by the form fantizi.tsv decides; without a decision the build stops.
    void undecidedMergedCharacterStopsTheBuild()
    {
        QFETCH(QString, character);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(copyCuratedFiles(dir, dataDir()));
        QFile file(dir.path() + QStringLiteral("/characters/fantizi.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArrayList lines = file.readAll().split('\n');
        file.close();
        const qsizetype before = lines.size();
        lines.removeIf([&](const QByteArray &line) { return line.startsWith((character + QLatin1Char('\t')).toUtf8()); });
        QCOMPARE(lines.size(), before - 1);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n'));
        file.close();
        QString error;
        QVERIFY(!UnihanLibrary::build(unihanDir(), dir.path(), &error).has_value());
        QVERIFY2(error.contains(QStringLiteral("fantizi.tsv")) && error.contains(character), qPrintable(error));
    }

    // name-sound.tsv from the real rows and data/sound with one line added or taken away: each decision the build
    // relies on is checked, with the file and line.
    void rejectsBadSoundLines_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("removed"); // the start of a line to take away
        QTest::addColumn<QString>("error");
        QTest::newRow("not a reading of the character")
            << QStringLiteral("readings.tsv") << QStringLiteral("天\tdiān\t-\t-\treason") << QString()
            << QStringLiteral("is not a reading of 天");
        QTest::newRow("reason missing") << QStringLiteral("readings.tsv") << QStringLiteral("天\ttiān\t-\t-\t")
                                        << QString() << QStringLiteral("expected character");
        QTest::newRow("an offered character read two ways, undecided")
            << QStringLiteral("readings.tsv") << QString() << QStringLiteral("长\t")
            << QStringLiteral("长 can be offered and has the readings");
        QTest::newRow("a surname read two ways, undecided")
            << QStringLiteral("surnames.tsv") << QString() << QStringLiteral("单\t")
            << QStringLiteral("the surname 单 is read more than one way");
        QTest::newRow("a surname reading the character lacks")
            << QStringLiteral("surnames.tsv") << QStringLiteral("张\tzhàng\treason") << QString()
            << QStringLiteral("is not a reading of 张");
        QTest::newRow("a syllable short") << QStringLiteral("traps.tsv")
                                          << QStringLiteral("gǒu\t狗蛋\t近音\t骂人\treason") << QString()
                                          << QStringLiteral("one syllable each");
        QTest::newRow("match neither 同音 nor 近音")
            << QStringLiteral("traps.tsv") << QStringLiteral("gǒu dàn\t狗蛋\t同调\t骂人\treason") << QString()
            << QStringLiteral("the match is");
        QTest::newRow("unknown category") << QStringLiteral("traps.tsv")
                                          << QStringLiteral("gǒu dàn\t狗蛋\t近音\t坏话\treason") << QString()
                                          << QStringLiteral("is not one of");
    }

    void rejectsBadSoundLines()
    {
        QFETCH(QString, file);
        QFETCH(QString, added);
        QFETCH(QString, removed);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString folder : { QStringLiteral("sound"), QStringLiteral("surnames") }) {
            QVERIFY(QDir(dir.path()).mkpath(folder));
            const QDir source(dataDir() + QLatin1Char('/') + folder);
            for (const QString &name : source.entryList({ QStringLiteral("*.tsv") }, QDir::Files))
                QVERIFY(QFile::copy(source.filePath(name), dir.path() + QLatin1Char('/') + folder + QLatin1Char('/') + name));
        }
        QString problem;
        QVERIFY2(NameSoundData::build(m_rows, dir.path(), &problem).has_value(), qPrintable(problem));

        QFile target(dir.path() + QStringLiteral("/sound/") + file);
        QVERIFY(target.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(target.readAll()).split(QLatin1Char('\n'));
        target.close();
        if (!removed.isEmpty()) {
            const qsizetype before = lines.size();
            lines.erase(std::remove_if(lines.begin(), lines.end(), [&](const QString &l) { return l.startsWith(removed); }),
                lines.end());
            QCOMPARE(lines.size(), before - 1);
        }
        if (!added.isEmpty())
            lines.append(added);
        QVERIFY(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
        target.write(lines.join(QLatin1Char('\n')).toUtf8());
        target.close();
        QVERIFY(!NameSoundData::build(m_rows, dir.path(), &problem).has_value());
        QVERIFY2(problem.contains(error), qPrintable(problem));
    }

    void rejectsMissingCuratedFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(copyCuratedFiles(dir));
        QVERIFY(QFile::remove(dir.path() + QStringLiteral("/characters/wuxing.tsv")));
        QString error;
        QVERIFY(!UnihanLibrary::build(smallUnihanDir(), dir.path(), &error).has_value());
        QVERIFY2(error.contains(QStringLiteral("wuxing.tsv")), qPrintable(error));
    }

    void rejectsBrokenUnihan_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage");

        QTest::newRow("missing") << QStringLiteral("Unihan_Readings.txt.bz2") << QStringLiteral("missing");
        QTest::newRow("not bzip2") << QStringLiteral("Unihan_Variants.txt.bz2") << QStringLiteral("garbage");
        QTest::newRow("cut short") << QStringLiteral("Unihan_IRGSources.txt.bz2") << QStringLiteral("truncated");
    }

    void rejectsBrokenUnihan()
    {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDir source(smallUnihanDir());
        for (const QString &name : source.entryList({ QStringLiteral("Unihan_*.txt.bz2") }, QDir::Files)) {
            if (name != file)
                QVERIFY(QFile::link(source.filePath(name), dir.filePath(name)));
        }
        QFile broken(dir.filePath(file));
        if (damage == QStringLiteral("garbage")) {
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("U+4E00\tkTraditionalVariant\tU+4E00\n");
        } else if (damage == QStringLiteral("truncated")) {
            QFile whole(source.filePath(file));
            QVERIFY(whole.open(QIODevice::ReadOnly));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(whole.read(whole.size() / 2));
        }
        broken.close();

        QString error;
        QVERIFY(!UnihanLibrary::build(dir.path(), smallDataDir(), &error).has_value());
        QVERIFY2(error.contains(file), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestUnihanLibrary)
#include "tst_unihanlibrary.moc"
