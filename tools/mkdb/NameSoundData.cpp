#include "NameSoundData.h"

#include "common/DataLines.h"
#include "text/Characters.h"
#include "text/Pinyin.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace tolvane::mkdb {

namespace {

using tools::forEachDataLine;
using Syllables = QList<PinyinSyllable>;

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Blank-separated syllables; "-" is none. Nothing when one of them is not a syllable.
std::optional<Syllables> parseSyllables(const QString &text)
{
    Syllables out;
    if (text.trimmed() == QLatin1String("-"))
        return out;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const std::optional<PinyinSyllable> s = PinyinSyllable::parse(part);
        if (!s)
            return std::nullopt;
        out.append(*s);
    }
    return out;
}

QString numbered(const Syllables &syllables)
{
    QStringList parts;
    for (const PinyinSyllable &s : syllables)
        parts.append(s.numbered());
    return parts.join(QLatin1Char(' '));
}

// The readings of today's dictionaries that carry a tone; the neutral-tone ones (子 zi, 家 jia) only when the
// character has no other.
Syllables tonedReadings(const CharacterRow &row)
{
    Syllables toned;
    Syllables neutral;
    for (const QString &r : row.modernReadings) {
        const std::optional<PinyinSyllable> s = PinyinSyllable::parse(r);
        if (!s)
            continue;
        Syllables &list = s->tone == 5 ? neutral : toned;
        if (!list.contains(*s))
            list.append(*s);
    }
    return toned.isEmpty() ? neutral : toned;
}

struct ReadingDecision {
    PinyinSyllable name;
    Syllables misread;
    Syllables leftOut;
    QString reason;
    int line = 0;
};

// readings.tsv: character, name reading, misread as, left out, reason.
bool readDecisions(const QString &path, const QHash<QString, Syllables> &readings,
    QHash<QString, ReadingDecision> &out, QString *error)
{
    return forEachDataLine(path, error, [&](const QStringList &f, const QString &where, int lineNo) {
        if (f.size() != 5 || f.at(4).trimmed().isEmpty()) {
            fail(error, QStringLiteral("%1: expected character, name reading, misread as, left out and reason").arg(where));
            return false;
        }
        const QString ch = f.at(0);
        if (splitCharacters(ch).size() != 1 || !readings.contains(ch)) {
            fail(error, QStringLiteral("%1: \"%2\" is not a character of the library").arg(where, ch));
            return false;
        }
        if (out.contains(ch)) {
            fail(error, QStringLiteral("%1: %2 is already listed on line %3").arg(where, ch).arg(out.value(ch).line));
            return false;
        }
        const std::optional<Syllables> name = parseSyllables(f.at(1));
        const std::optional<Syllables> misread = parseSyllables(f.at(2));
        const std::optional<Syllables> leftOut = parseSyllables(f.at(3));
        if (!name || name->size() != 1 || !misread || !leftOut) {
            fail(error, QStringLiteral("%1: a reading is not one pinyin syllable with its tone").arg(where));
            return false;
        }
        const Syllables &known = readings.value(ch);
        for (const Syllables *list : { &*name, &*misread, &*leftOut }) {
            for (const PinyinSyllable &s : *list) {
                if (!known.contains(s)) {
                    fail(error, QStringLiteral("%1: %2 is not a reading of %3 in today's dictionaries")
                                    .arg(where, s.marked(), ch));
                    return false;
                }
            }
        }
        if (misread->contains(name->first()) || leftOut->contains(name->first())) {
            fail(error, QStringLiteral("%1: the name reading is also misread or left out").arg(where));
            return false;
        }
        out.insert(ch, ReadingDecision { name->first(), *misread, *leftOut, f.at(4).trimmed(), lineNo });
        return true;
    });
}

} // namespace

const QStringList &NameSoundData::trapCategories()
{
    static const QStringList categories { QStringLiteral("疾病"), QStringLiteral("死亡"), QStringLiteral("骂人"),
        QStringLiteral("身体"), QStringLiteral("秽物"), QStringLiteral("动物"), QStringLiteral("不吉"),
        QStringLiteral("色情"), QStringLiteral("恶名"), QStringLiteral("笑名") };
    return categories;
}

std::optional<QByteArray> NameSoundData::build(const QList<CharacterRow> &rows, const QString &dataDir, QString *error)
{
    QHash<QString, Syllables> readings;
    QSet<QString> offered;
    for (const CharacterRow &row : rows) {
        if (readings.contains(row.namechr))
            continue;
        readings.insert(row.namechr, tonedReadings(row));
        if (row.xiong == QLatin1String("0"))
            offered.insert(row.namechr);
    }

    const QString sound = dataDir + QStringLiteral("/sound/");
    QHash<QString, ReadingDecision> decisions;
    if (!readDecisions(sound + QStringLiteral("readings.tsv"), readings, decisions, error))
        return std::nullopt;

    // A character that can be offered and keeps two readings must have its name reading on record.
    for (const CharacterRow &row : rows) {
        if (!offered.contains(row.namechr) || decisions.contains(row.namechr))
            continue;
        if (readings.value(row.namechr).size() > 1) {
            QStringList marked;
            for (const PinyinSyllable &s : readings.value(row.namechr))
                marked.append(s.marked());
            fail(error, QStringLiteral("%1readings.tsv: %2 can be offered and has the readings %3: say which a "
                                       "name uses")
                            .arg(sound, row.namechr, marked.join(QLatin1Char(' '))));
            return std::nullopt;
        }
    }

    // Surnames: their own readings, checked against the characters' readings.
    QHash<QString, Syllables> surnameReadings;
    QStringList surnameOrder;
    bool ok = forEachDataLine(sound + QStringLiteral("surnames.tsv"), error,
        [&](const QStringList &f, const QString &where, int) {
            if (f.size() != 3 || f.at(2).trimmed().isEmpty()) {
                fail(error, QStringLiteral("%1: expected surname, its reading and reason").arg(where));
                return false;
            }
            const QStringList chars = splitCharacters(f.at(0));
            const std::optional<Syllables> syl = parseSyllables(f.at(1));
            if (!syl || syl->size() != chars.size() || chars.isEmpty() || chars.size() > 2) {
                fail(error, QStringLiteral("%1: one syllable with its tone for each character of the surname").arg(where));
                return false;
            }
            for (qsizetype i = 0; i < chars.size(); ++i) {
                if (!readings.value(chars.at(i)).contains(syl->at(i))) {
                    fail(error, QStringLiteral("%1: %2 is not a reading of %3 in today's dictionaries")
                                    .arg(where, syl->at(i).marked(), chars.at(i)));
                    return false;
                }
            }
            if (surnameReadings.contains(f.at(0))) {
                fail(error, QStringLiteral("%1: %2 is listed twice").arg(where, f.at(0)));
                return false;
            }
            surnameReadings.insert(f.at(0), *syl);
            surnameOrder.append(f.at(0));
            return true;
        });
    if (!ok)
        return std::nullopt;

    // Every common and compound surname read more than one way has its reading on record.
    QStringList surnames;
    ok = forEachDataLine(dataDir + QStringLiteral("/surnames/common.tsv"), error,
             [&](const QStringList &f, const QString &, int) {
                 surnames.append(f.value(1));
                 return true;
             })
        && forEachDataLine(dataDir + QStringLiteral("/surnames/compound.tsv"), error,
            [&](const QStringList &f, const QString &, int) {
                surnames.append(f.value(0));
                return true;
            });
    if (!ok)
        return std::nullopt;
    for (const QString &surname : std::as_const(surnames)) {
        for (const QString &ch : splitCharacters(surname)) {
            if (readings.value(ch).isEmpty()) {
                fail(error, QStringLiteral("the surname %1: %2 has no reading").arg(surname, ch));
                return std::nullopt;
            }
            if (readings.value(ch).size() > 1 && !surnameReadings.contains(surname)) {
                fail(error, QStringLiteral("%1surnames.tsv: the surname %2 is read more than one way: say how")
                                .arg(sound, surname));
                return std::nullopt;
            }
        }
    }

    QByteArray out;
    out += "# name-sound.tsv, generated by mkdb from Unihan and data/sound: the readings of names and the homophone "
           "traps.\n";
    QSet<QString> written;
    // The characters' lines in code point order: the program then finds them without sorting at every start.
    std::vector<std::pair<char32_t, QByteArray>> characterLines;
    for (const CharacterRow &row : rows) {
        if (written.contains(row.namechr))
            continue;
        written.insert(row.namechr);
        const Syllables all = readings.value(row.namechr);
        if (all.isEmpty())
            continue;
        const auto d = decisions.constFind(row.namechr);
        const PinyinSyllable name = d != decisions.cend() ? d->name : all.first();
        Syllables others;
        for (const PinyinSyllable &s : all) {
            if (!(s == name) && (d == decisions.cend() || !d->leftOut.contains(s)))
                others.append(s);
        }
        const QString misread = d != decisions.cend() ? numbered(d->misread) : QString();
        const QString note = d != decisions.cend() && !d->misread.isEmpty() ? d->reason : QString();
        characterLines.emplace_back(char32_t(row.namechr.toUcs4().value(0)),
            QStringList { QStringLiteral("C"), row.namechr, name.numbered(), numbered(others), misread, note }
                    .join(QLatin1Char('\t'))
                    .toUtf8()
                + '\n');
    }
    std::stable_sort(characterLines.begin(), characterLines.end(),
        [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &line : characterLines)
        out += line.second;
    for (const QString &surname : std::as_const(surnameOrder)) {
        out += QStringList { QStringLiteral("S"), surname, numbered(surnameReadings.value(surname)) }
                   .join(QLatin1Char('\t'))
                   .toUtf8();
        out += '\n';
    }

    QSet<QString> words;
    ok = forEachDataLine(sound + QStringLiteral("traps.tsv"), error,
        [&](const QStringList &f, const QString &where, int) {
            if (f.size() != 5 || f.at(4).trimmed().isEmpty()) {
                fail(error, QStringLiteral("%1: expected reading, word, match, category and reason").arg(where));
                return false;
            }
            const std::optional<Syllables> syl = parseSyllables(f.at(0));
            const qsizetype length = splitCharacters(f.at(1)).size();
            if (!syl || syl->size() != length || length < 2) {
                fail(error, QStringLiteral("%1: a word of two or more characters, one syllable each").arg(where));
                return false;
            }
            if (f.at(2) != u"同音" && f.at(2) != u"近音") {
                fail(error, QStringLiteral("%1: the match is 同音 or 近音, not \"%2\"").arg(where, f.at(2)));
                return false;
            }
            if (!trapCategories().contains(f.at(3))) {
                fail(error, QStringLiteral("%1: \"%2\" is not one of %3")
                                .arg(where, f.at(3), trapCategories().join(QLatin1Char(' '))));
                return false;
            }
            if (words.contains(f.at(1))) {
                fail(error, QStringLiteral("%1: %2 is listed twice").arg(where, f.at(1)));
                return false;
            }
            words.insert(f.at(1));
            out += QStringList { QStringLiteral("T"), numbered(*syl), f.at(1), f.at(2), f.at(3), f.at(4).trimmed() }
                       .join(QLatin1Char('\t'))
                       .toUtf8();
            out += '\n';
            return true;
        });
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace tolvane::mkdb
