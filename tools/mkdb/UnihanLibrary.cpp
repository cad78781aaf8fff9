#include "UnihanLibrary.h"

#include "common/DataLines.h"
#include "common/UnihanText.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <array>
#include <bzlib.h>
#include <cstdio>
#include <functional>
#include <future>
#include <memory>
#include <tuple>
#include <vector>

namespace tolvane::mkdb {

using tools::forEachField;
using tools::parseCodePoint;
using tools::readBz2;

namespace {

// The raw Unihan values one code point carries, parsed only when a row needs them.
struct UnihanEntry {
    int tghIndex = 0;
    QList<char32_t> traditional;
    QByteArray mandarin;
    QByteArray tghz2013;
    QByteArray hanyuPinyin;
    QByteArray hanyuPinlu;
    QByteArray xhc1983;
    QByteArray definition;
    QByteArray rsKangXi;
    QByteArray rsUnicode;
    QByteArray totalStrokes;
};

using UnihanMap = QHash<char32_t, UnihanEntry>;

// One curated override: its value and where it was written, for error messages.
struct Override {
    QString value;
    int line = 0;
};

using OverrideMap = QHash<char32_t, Override>;

struct RadicalStroke {
    int radical = 0;
    int residual = 0;
};

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString charString(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

QList<QByteArrayView> splitView(QByteArrayView text, char sep)
{
    QList<QByteArrayView> parts;
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = text.indexOf(sep, pos);
        if (end < 0)
            end = text.size();
        if (end > pos)
            parts.append(text.sliced(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

// "120'.3" -> {120, 3}; "96.-1" -> {96, -1}. Apostrophes only mark a simplified radical form.
std::optional<RadicalStroke> parseRadicalStroke(QByteArrayView value)
{
    const QList<QByteArrayView> values = splitView(value, ' ');
    if (values.isEmpty())
        return std::nullopt;
    const QByteArrayView first = values.first();
    const qsizetype dot = first.indexOf('.');
    if (dot <= 0)
        return std::nullopt;
    QByteArrayView radicalText = first.first(dot);
    while (radicalText.endsWith('\''))
        radicalText.chop(1);
    bool radicalOk = false;
    bool residualOk = false;
    const int radical = radicalText.toByteArray().toInt(&radicalOk);
    const int residual = first.sliced(dot + 1).toByteArray().toInt(&residualOk);
    if (!radicalOk || !residualOk || UnihanLibrary::radicalStrokes(radical) == 0)
        return std::nullopt;
    return RadicalStroke { radical, residual };
}

std::optional<RadicalStroke> radicalStrokeOf(const UnihanEntry &entry)
{
    if (!entry.rsKangXi.isEmpty()) {
        if (auto rs = parseRadicalStroke(entry.rsKangXi))
            return rs;
    }
    return parseRadicalStroke(entry.rsUnicode);
}

// Naming strokes of a character counted as written (the caller has already picked the traditional form).
std::optional<int> countStrokes(const UnihanEntry &entry)
{
    const std::optional<RadicalStroke> rs = radicalStrokeOf(entry);
    if (!rs)
        return std::nullopt;
    if (rs->residual < 0) {
        // A reduced radical form such as 王 (玉 less a stroke) is written with its own strokes.
        const QList<QByteArrayView> totals = splitView(entry.totalStrokes, ' ');
        if (totals.isEmpty())
            return std::nullopt;
        bool ok = false;
        const int total = totals.first().toByteArray().toInt(&ok);
        return ok && total > 0 ? std::optional<int>(total) : std::nullopt;
    }
    return UnihanLibrary::radicalStrokes(rs->radical) + rs->residual;
}

// Appends each reading once, in order: first the plain readings (one field of readings apart by blanks), then
// those of the dictionary fields ("page.position:reading,reading ...").
void appendReadings(QStringList &readings, const QList<QByteArrayView> &plain, const QList<QByteArrayView> &dictionaries)
{
    const auto add = [&readings](QByteArrayView reading) {
        const QString text = QString::fromUtf8(reading);
        if (!text.isEmpty() && !readings.contains(text))
            readings.append(text);
    };
    for (const QByteArrayView field : plain) {
        for (const QByteArrayView r : splitView(field, ' ')) {
            const qsizetype count = r.indexOf('('); // kHanyuPinlu's frequency
            add(count < 0 ? r : r.first(count));
        }
    }
    for (const QByteArrayView field : dictionaries) {
        for (const QByteArrayView token : splitView(field, ' ')) {
            const qsizetype colon = token.indexOf(':');
            if (colon < 0)
                continue;
            for (const QByteArrayView r : splitView(token.sliced(colon + 1), ','))
                add(r);
        }
    }
}

// Readings in order: kMandarin, then kTGHZ2013, then kHanyuPinyin, each reading once.
QStringList readingsOf(const UnihanEntry &entry)
{
    QStringList readings;
    appendReadings(readings, { QByteArrayView(entry.mandarin) },
        { QByteArrayView(entry.tghz2013), QByteArrayView(entry.hanyuPinyin) });
    return readings;
}

// The readings of today's dictionaries and usage, as written: kHanyuPinlu (most frequent first), kMandarin,
// kTGHZ2013, kXHC1983, each reading once; kHanyuPinyin's older readings are not among them.
QStringList modernReadingsOf(const UnihanEntry &entry)
{
    QStringList readings;
    appendReadings(readings, { QByteArrayView(entry.hanyuPinlu), QByteArrayView(entry.mandarin) },
        { QByteArrayView(entry.tghz2013), QByteArrayView(entry.xhc1983) });
    return readings;
}

// Element by the Kangxi radical that carries a character's meaning; empty for the many radicals whose
// characters naming practice does not file by radical.
QString elementOfRadical(int radical)
{
    switch (radical) {
    case 75: // 木
    case 118: // 竹
    case 140: // 艸
        return QStringLiteral("木");
    case 15: // 冫
    case 85: // 水
    case 173: // 雨
        return QStringLiteral("水");
    case 72: // 日
    case 86: // 火
        return QStringLiteral("火");
    case 18: // 刀
    case 167: // 金
        return QStringLiteral("金");
    case 32: // 土
    case 46: // 山
    case 112: // 石
        return QStringLiteral("土");
    default:
        return {};
    }
}

// Element by the initial of a reading: g k and j q (which mostly descend from the velars) 木; d t n l 火;
// z c s zh ch sh r x 金; b p m f and h 水; y w and no initial 土.
QString elementOfReading(const QString &reading)
{
    const QString bare = reading.normalized(QString::NormalizationForm_D);
    QChar first;
    for (const QChar ch : bare) {
        if (ch.isLetter()) {
            first = ch.toLower();
            break;
        }
    }
    switch (first.unicode()) {
    case u'g':
    case u'k':
    case u'j':
    case u'q':
        return QStringLiteral("木");
    case u'd':
    case u't':
    case u'n':
    case u'l':
        return QStringLiteral("火");
    case u'z':
    case u'c':
    case u's':
    case u'r':
    case u'x':
        return QStringLiteral("金");
    case u'b':
    case u'p':
    case u'm':
    case u'f':
    case u'h':
        return QStringLiteral("水");
    default:
        return QStringLiteral("土");
    }
}

using tools::forEachDataLine;

// A curated file: character<TAB>value<TAB>reason, or character<TAB>meaning for the meanings file, which has
// no reason column and may be absent (then no row carries a written meaning). `accept` checks the value and
// returns an error text or "".
bool readCuratedFile(const QString &path, bool withReason, const std::function<QString(const QString &)> &accept,
                     OverrideMap &out, QString *error)
{
    if (!withReason && !QFile::exists(path))
        return true;
    return forEachDataLine(path, error, [&](const QStringList &fields, const QString &where, int lineNo) {
        if (fields.size() != (withReason ? 3 : 2)) {
            fail(error, withReason
                     ? QStringLiteral("%1: expected character, value and reason separated by tabs").arg(where)
                     : QStringLiteral("%1: expected character and meaning separated by a tab").arg(where));
            return false;
        }
        const QList<uint> ucs4 = fields.at(0).toUcs4();
        if (ucs4.size() != 1) {
            fail(error, QStringLiteral("%1: \"%2\" is not a single character").arg(where, fields.at(0)));
            return false;
        }
        if (withReason && fields.at(2).trimmed().isEmpty()) {
            fail(error, QStringLiteral("%1: the reason is missing").arg(where));
            return false;
        }
        const QString value = withReason ? fields.at(1) : fields.at(1).trimmed();
        const QString problem = accept(value);
        if (!problem.isEmpty()) {
            fail(error, QStringLiteral("%1: %2").arg(where, problem));
            return false;
        }
        const char32_t c = char32_t(ucs4.first());
        if (out.contains(c)) {
            fail(error,
                QStringLiteral("%1: %2 is already listed on line %3").arg(where, fields.at(0)).arg(out.value(c).line));
            return false;
        }
        out.insert(c, Override { value, lineNo });
        return true;
    });
}

bool readOverrides(
    const QString &path, const std::function<QString(const QString &)> &accept, OverrideMap &out, QString *error)
{
    return readCuratedFile(path, true, accept, out, error);
}

bool readMeanings(const QString &path, OverrideMap &out, QString *error)
{
    return readCuratedFile(
        path, false,
        [](const QString &meaning) { return meaning.isEmpty() ? QStringLiteral("the meaning is missing") : QString(); },
        out, error);
}

// The meaning a row shows: the written one, else Unihan's English gloss marked as such, else nothing.
QString meaningOf(const OverrideMap &meanings, char32_t c, const UnihanEntry &entry)
{
    if (meanings.contains(c))
        return meanings.value(c).value;
    const QString gloss = QString::fromUtf8(entry.definition).trimmed();
    return gloss.isEmpty() ? QString() : QStringLiteral("英文：") + gloss;
}

// Decompresses the named Unihan files side by side (bzip2 is most of the build's time); texts in the order
// named, or the first failure in that order.
std::optional<QList<QByteArray>> readUnihanFiles(const QString &unihanDir, const QStringList &names, QString *error)
{
    QList<QString> errors(names.size());
    std::vector<std::future<std::optional<QByteArray>>> jobs;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString path = unihanDir + QLatin1Char('/') + names.at(i);
        jobs.push_back(std::async(std::launch::async, readBz2, path, &errors[i]));
    }
    QList<QByteArray> texts;
    bool ok = true;
    for (qsizetype i = 0; i < names.size(); ++i) {
        std::optional<QByteArray> text = jobs[size_t(i)].get();
        if (ok && !text) {
            fail(error, errors.at(i));
            ok = false;
        }
        texts.append(text.value_or(QByteArray()));
    }
    return ok ? std::optional<QList<QByteArray>>(texts) : std::nullopt;
}

// The table's first level ends at 3500; the second and third levels run to 8105.
constexpr int kFirstLevelSize = 3500;
const QString kRareMark = QStringLiteral("僻");

// groups.tsv: group<TAB>mark<TAB>reason. The mark is what the xiong column of a listed character holds.
bool readUnfitGroups(const QString &path, QHash<QString, QString> &groups, QString *error)
{
    return forEachDataLine(path, error, [&](const QStringList &fields, const QString &where, int) {
        if (fields.size() != 3 || fields.at(0).isEmpty() || fields.at(2).trimmed().isEmpty()) {
            fail(error, QStringLiteral("%1: expected group, mark and reason separated by tabs").arg(where));
            return false;
        }
        const QString &mark = fields.at(1);
        if (mark.isEmpty() || mark == QStringLiteral("0") || mark == QStringLiteral("繁") || mark == kRareMark) {
            fail(error, QStringLiteral("%1: \"%2\" cannot mark a group").arg(where, mark));
            return false;
        }
        if (groups.contains(fields.at(0))) {
            fail(error, QStringLiteral("%1: group %2 is defined twice").arg(where, fields.at(0)));
            return false;
        }
        groups.insert(fields.at(0), mark);
        return true;
    });
}

// Whether a character of the standard table may be offered for a name ("0"), and if not, why: the mark of
// its group in xiong.tsv; else 僻 for a character outside the BMP, or of the second or third level unless
// popular.tsv lists it.
QString offeringMark(char32_t c, int tghIndex, const OverrideMap &unfit, const QHash<QString, QString> &groups,
    const OverrideMap &popular)
{
    if (unfit.contains(c))
        return groups.value(unfit.value(c).value);
    if (c > 0xFFFF || (tghIndex > kFirstLevelSize && !popular.contains(c)))
        return kRareMark;
    return QStringLiteral("0");
}

const QString kElements = QStringLiteral("金木水火土");
const QString kNumerals = QStringLiteral("一二三四五六七八九十");

} // namespace

int UnihanLibrary::radicalStrokes(int radical)
{
    // Last radical number of each full stroke count: 1–6 have 1 stroke, 7–29 have 2, ... 214 has 17.
    static constexpr std::array<int, 17> lastOfCount { 6, 29, 60, 94, 117, 146, 166, 175, 186, 194, 200, 204, 208, 210,
        211, 213, 214 };
    if (radical < 1 || radical > 214)
        return 0;
    const auto it = std::lower_bound(lastOfCount.begin(), lastOfCount.end(), radical);
    return int(it - lastOfCount.begin()) + 1;
}

std::optional<QList<CharacterRow>> UnihanLibrary::build(
    const QString &unihanDir, const QString &dataDir, QString *error)
{
    enum File { OtherMappings, Variants, Readings, RadicalStrokeCounts, IRGSources };
    const std::optional<QList<QByteArray>> files = readUnihanFiles(unihanDir,
        { QStringLiteral("Unihan_OtherMappings.txt.bz2"), QStringLiteral("Unihan_Variants.txt.bz2"),
            QStringLiteral("Unihan_Readings.txt.bz2"), QStringLiteral("Unihan_RadicalStrokeCounts.txt.bz2"),
            QStringLiteral("Unihan_IRGSources.txt.bz2") },
        error);
    if (!files)
        return std::nullopt;

    // First the character list and its traditional forms; the bigger files are then kept only for those.
    UnihanMap unihan;
    forEachField(files->at(OtherMappings), [&](char32_t cp, QByteArrayView field, QByteArrayView value) {
        if (field != "kTGH")
            return;
        const qsizetype colon = value.indexOf(':');
        bool ok = false;
        const int index = value.sliced(colon + 1).toByteArray().toInt(&ok);
        if (colon > 0 && ok && index > 0)
            unihan[cp].tghIndex = index;
    });
    forEachField(files->at(Variants), [&](char32_t cp, QByteArrayView field, QByteArrayView value) {
        if (field != "kTraditionalVariant")
            return;
        QList<char32_t> forms;
        for (const QByteArrayView token : splitView(value, ' ')) {
            if (const char32_t t = parseCodePoint(token))
                forms.append(t);
        }
        unihan[cp].traditional = forms;
    });

    QList<char32_t> standard;
    for (auto it = unihan.cbegin(); it != unihan.cend(); ++it) {
        if (it->tghIndex > 0)
            standard.append(it.key());
    }
    if (standard.isEmpty()) {
        fail(error, QStringLiteral("%1 lists no kTGH characters").arg(unihanDir));
        return std::nullopt;
    }
    std::sort(standard.begin(), standard.end(), [&unihan](char32_t a, char32_t b) {
        const int ia = unihan.value(a).tghIndex;
        const int ib = unihan.value(b).tghIndex;
        return ia != ib ? ia < ib : a < b;
    });
    const QSet<char32_t> standardSet(standard.cbegin(), standard.cend());

    // The curated files come next: fantizi.tsv may name traditional forms whose Unihan data is needed.
    const QString characters = dataDir + QStringLiteral("/characters/");
    OverrideMap fantiziOverrides;
    OverrideMap strokesOverrides;
    OverrideMap sexOverrides;
    OverrideMap xiongOverrides;
    OverrideMap wuxingOverrides;
    OverrideMap meanings;
    OverrideMap popular;
    QHash<QString, QString> unfitGroups;
    const bool curatedOk
        = readOverrides(
              characters + QStringLiteral("fantizi.tsv"),
              [](const QString &v) {
                  return v.toUcs4().size() == 1 ? QString() : QStringLiteral("\"%1\" is not a single character").arg(v);
              },
              fantiziOverrides, error)
        && readOverrides(
            characters + QStringLiteral("strokes.tsv"),
            [](const QString &v) {
                bool ok = false;
                const int n = v.toInt(&ok);
                return ok && n > 0 && n < 100 ? QString() : QStringLiteral("\"%1\" is not a stroke count").arg(v);
            },
            strokesOverrides, error)
        && readOverrides(
            characters + QStringLiteral("sex.tsv"),
            [](const QString &v) {
                return v == QStringLiteral("男") || v == QStringLiteral("女")
                    ? QString()
                    : QStringLiteral("\"%1\" is neither 男 nor 女").arg(v);
            },
            sexOverrides, error)
        && readUnfitGroups(characters + QStringLiteral("groups.tsv"), unfitGroups, error)
        && readOverrides(
            characters + QStringLiteral("xiong.tsv"),
            [&unfitGroups](const QString &v) {
                return unfitGroups.contains(v) ? QString()
                                               : QStringLiteral("\"%1\" is not a group of groups.tsv").arg(v);
            },
            xiongOverrides, error)
        && readOverrides(
            characters + QStringLiteral("popular.tsv"),
            [](const QString &v) {
                return v.trimmed().isEmpty() ? QStringLiteral("the example names are missing") : QString();
            },
            popular, error)
        && readOverrides(
            characters + QStringLiteral("wuxing.tsv"),
            [](const QString &v) {
                return v.size() == 1 && kElements.contains(v)
                    ? QString()
                    : QStringLiteral("\"%1\" is not one of 金木水火土").arg(v);
            },
            wuxingOverrides, error)
        && readMeanings(characters + QStringLiteral("meanings.tsv"), meanings, error);
    if (!curatedOk)
        return std::nullopt;

    // The form each character is counted by, and the traditional rows in the order first met (each
    // remembering the character that led to it).
    QHash<char32_t, char32_t> countedForm;
    QList<std::pair<char32_t, char32_t>> traditionalRows;
    QSet<char32_t> needed = standardSet;
    for (const char32_t c : std::as_const(standard)) {
        QList<char32_t> forms = unihan.value(c).traditional;
        char32_t counted = c;
        if (fantiziOverrides.contains(c)) {
            counted = char32_t(fantiziOverrides.value(c).value.toUcs4().first());
        } else {
            // Of several forms, one that differs: Unihan often lists the character itself first.
            const auto differing = std::find_if(forms.cbegin(), forms.cend(), [c](char32_t t) { return t != c; });
            if (differing != forms.cend())
                counted = *differing;
        }
        countedForm.insert(c, counted);
        if (!forms.contains(counted))
            forms.append(counted);
        for (const char32_t t : std::as_const(forms)) {
            if (t == c || needed.contains(t))
                continue;
            needed.insert(t);
            traditionalRows.append({ t, c });
        }
    }

    const auto keep = [&](char32_t cp, QByteArrayView field, QByteArrayView value, const char *name,
                          QByteArray UnihanEntry::*member) {
        if (field == name && needed.contains(cp))
            unihan[cp].*member = value.toByteArray();
    };
    forEachField(files->at(Readings), [&](char32_t cp, QByteArrayView field, QByteArrayView value) {
        keep(cp, field, value, "kMandarin", &UnihanEntry::mandarin);
        keep(cp, field, value, "kTGHZ2013", &UnihanEntry::tghz2013);
        keep(cp, field, value, "kHanyuPinyin", &UnihanEntry::hanyuPinyin);
        keep(cp, field, value, "kHanyuPinlu", &UnihanEntry::hanyuPinlu);
        keep(cp, field, value, "kXHC1983", &UnihanEntry::xhc1983);
        keep(cp, field, value, "kDefinition", &UnihanEntry::definition);
    });
    forEachField(files->at(RadicalStrokeCounts), [&](char32_t cp, QByteArrayView field, QByteArrayView value) {
        keep(cp, field, value, "kRSKangXi", &UnihanEntry::rsKangXi);
    });
    forEachField(files->at(IRGSources), [&](char32_t cp, QByteArrayView field, QByteArrayView value) {
        keep(cp, field, value, "kRSUnicode", &UnihanEntry::rsUnicode);
        keep(cp, field, value, "kTotalStrokes", &UnihanEntry::totalStrokes);
    });

    // A listed character that is not a row would be ignored without a word; a typo must not pass.
    // fantizi.tsv and xiong.tsv concern General Standard characters only: a traditional row is its own
    // traditional form and is always marked 繁.
    const std::array<std::tuple<const OverrideMap *, QString, bool>, 5> allOverrides { {
        { &fantiziOverrides, QStringLiteral("fantizi.tsv"), true },
        { &strokesOverrides, QStringLiteral("strokes.tsv"), false },
        { &sexOverrides, QStringLiteral("sex.tsv"), false },
        { &xiongOverrides, QStringLiteral("xiong.tsv"), true },
        { &wuxingOverrides, QStringLiteral("wuxing.tsv"), false },
    } };
    for (const auto &[map, file, standardOnly] : allOverrides) {
        for (auto it = map->cbegin(); it != map->cend(); ++it) {
            const bool fits = standardOnly ? standardSet.contains(it.key()) : needed.contains(it.key());
            if (!fits) {
                fail(error,
                    QStringLiteral("%1%2:%3: %4 is not a %5 of the library")
                        .arg(characters, file)
                        .arg(it->line)
                        .arg(charString(it.key()),
                            standardOnly ? QStringLiteral("General Standard character") : QStringLiteral("character")));
                return std::nullopt;
            }
        }
    }
    for (auto it = popular.cbegin(); it != popular.cend(); ++it) {
        const int index = unihan.value(it.key()).tghIndex;
        if (index <= kFirstLevelSize || it.key() > 0xFFFF) {
            fail(error,
                QStringLiteral("%1popular.tsv:%2: %3 is not a second- or third-level character of the BMP")
                    .arg(characters)
                    .arg(it->line)
                    .arg(charString(it.key())));
            return std::nullopt;
        }
    }
    for (auto it = meanings.cbegin(); it != meanings.cend(); ++it) {
        if (!needed.contains(it.key())) {
            fail(error,
                QStringLiteral("%1meanings.tsv:%2: %3 is not a character of the library")
                    .arg(characters)
                    .arg(it->line)
                    .arg(charString(it.key())));
            return std::nullopt;
        }
    }
    for (auto it = fantiziOverrides.cbegin(); it != fantiziOverrides.cend(); ++it) {
        const char32_t form = countedForm.value(it.key());
        if (!radicalStrokeOf(unihan.value(form))) {
            fail(error,
                QStringLiteral("%1fantizi.tsv:%2: Unihan has no radical-stroke count for %3")
                    .arg(characters)
                    .arg(it->line)
                    .arg(charString(form)));
            return std::nullopt;
        }
    }

    const auto strokesOf = [&](char32_t c, char32_t counted, int *strokes) {
        if (const std::optional<int> n = countStrokes(unihan.value(counted))) {
            *strokes = *n;
            return true;
        }
        fail(error,
            QStringLiteral("Unihan has no usable radical-stroke count for %1 (counted as %2)")
                .arg(charString(c), charString(counted)));
        return false;
    };
    const auto overridden = [](const OverrideMap &map, char32_t c, const QString &otherwise) {
        return map.contains(c) ? map.value(c).value : otherwise;
    };

    QList<CharacterRow> rows;
    rows.reserve(standard.size() + traditionalRows.size());
    QHash<char32_t, qsizetype> rowOf;
    for (const char32_t c : std::as_const(standard)) {
        const char32_t counted = countedForm.value(c);
        CharacterRow row;
        row.namechr = charString(c);
        const qsizetype numeral = kNumerals.indexOf(row.namechr);
        if (numeral >= 0)
            row.strokes = int(numeral) + 1;
        else if (!strokesOf(c, counted, &row.strokes))
            return std::nullopt;
        const QStringList readings = readingsOf(unihan.value(c));
        row.pinyin = readings.join(QStringLiteral("、"));
        row.modernReadings = modernReadingsOf(unihan.value(c));
        row.fantizi = charString(counted);
        const std::optional<RadicalStroke> rs = radicalStrokeOf(unihan.value(counted));
        row.wuxing = rs ? elementOfRadical(rs->radical) : QString();
        if (row.wuxing.isEmpty())
            row.wuxing = elementOfReading(readings.value(0));
        row.wuxing = overridden(wuxingOverrides, c, row.wuxing);
        row.sex = overridden(sexOverrides, c, QStringLiteral("0"));
        row.xiong = offeringMark(c, unihan.value(c).tghIndex, xiongOverrides, unfitGroups, popular);
        if (strokesOverrides.contains(c))
            row.strokes = strokesOverrides.value(c).value.toInt();
        row.meaning = meaningOf(meanings, c, unihan.value(c));
        // A character that is a traditional character of its own as well as the simplified form of another
        // (芸 and 蕓) is counted by whichever of them is the word names use: never by Unihan's first form
        // unseen, when a listing may offer it.
        const QList<char32_t> &forms = unihan.value(c).traditional;
        if (row.xiong == QStringLiteral("0") && forms.contains(c) && forms.size() > 1 && !fantiziOverrides.contains(c)) {
            fail(error,
                QStringLiteral("%1fantizi.tsv: %2 may be offered and is its own traditional form as well as the "
                               "simplified form of another; decide the form it is counted by")
                    .arg(characters, charString(c)));
            return std::nullopt;
        }
        rowOf.insert(c, rows.size());
        rows.append(row);
    }

    for (const auto &[t, source] : std::as_const(traditionalRows)) {
        const CharacterRow from = rows.at(rowOf.value(source));
        CharacterRow row;
        row.namechr = charString(t);
        if (!strokesOf(t, t, &row.strokes))
            return std::nullopt;
        const QStringList readings = readingsOf(unihan.value(t));
        row.pinyin = readings.isEmpty() ? from.pinyin : readings.join(QStringLiteral("、"));
        // A traditional form is read as the character it was met from.
        row.modernReadings = from.modernReadings;
        row.fantizi = row.namechr;
        // Looked up in place of its simplified form, so it judges the same unless listed itself.
        row.wuxing = overridden(wuxingOverrides, t, from.wuxing);
        row.sex = overridden(sexOverrides, t, from.sex);
        row.xiong = QStringLiteral("繁");
        row.meaning = meaningOf(meanings, t, unihan.value(t));
        if (strokesOverrides.contains(t))
            row.strokes = strokesOverrides.value(t).value.toInt();
        rows.append(row);
    }
    return rows;
}

} // namespace tolvane::mkdb
