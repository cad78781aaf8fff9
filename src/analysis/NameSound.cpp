#include "analysis/NameSound.h"

#include "text/Characters.h"
#include "text/VbText.h"

#include <QFile>
#include <QJsonArray>

#include <algorithm>
#include <cstring>

namespace tolvane {

namespace {

using Syllables = QList<PinyinSyllable>;

std::optional<Syllables> parseNumbered(QStringView text)
{
    Syllables out;
    for (const QStringView part : text.split(u' ', Qt::SkipEmptyParts)) {
        const std::optional<PinyinSyllable> s = PinyinSyllable::parse(part);
        if (!s)
            return std::nullopt;
        out.append(*s);
    }
    return out;
}

QString markedList(const Syllables &syllables, QChar separator = QLatin1Char(' '))
{
    QStringList parts;
    for (const PinyinSyllable &s : syllables)
        parts.append(s.marked());
    return parts.join(separator);
}

QString toneName(int tone)
{
    static const std::array<const char16_t *, 5> names { u"一声", u"二声", u"三声", u"四声", u"轻声" };
    return tone >= 1 && tone <= 5 ? QString::fromUtf16(names[std::size_t(tone - 1)]) : QStringLiteral("？");
}

bool tonesMatch(int a, int b)
{
    return a == b || a == 5 || b == 5;
}

// A word of the name in pinyin as names are written: syllables joined, the first letter a capital, an
// apostrophe before a joined syllable that begins with a, o or e (Xī'ān).
QString joinedName(const QList<std::optional<PinyinSyllable>> &syllables)
{
    QString word;
    for (const std::optional<PinyinSyllable> &s : syllables) {
        const QString part = s ? s->marked() : QStringLiteral("?");
        if (!word.isEmpty() && s && QStringLiteral("aoe").contains(s->letters.at(0)))
            word += QLatin1Char('\'');
        word += part;
    }
    if (!word.isEmpty())
        word[0] = word.at(0).toUpper();
    return word;
}

QString nasalCoda(const QString &final)
{
    if (final.endsWith(QLatin1String("ng")))
        return QStringLiteral("ng");
    if (final.endsWith(QLatin1Char('n')))
        return QStringLiteral("n");
    return {};
}

// The medial of a final: i, u or ü before another vowel (iang, uan, üe); none for a final without one.
QChar medial(const QString &final)
{
    return final.size() > 1 && (final.at(0) == u'i' || final.at(0) == u'u' || final.at(0) == u'ü') ? final.at(0)
                                                                                                  : QChar();
}

// Initials that many speakers do not keep apart.
bool confusableInitials(const QString &a, const QString &b)
{
    static const QList<QPair<QString, QString>> pairs { { QStringLiteral("z"), QStringLiteral("zh") },
        { QStringLiteral("c"), QStringLiteral("ch") }, { QStringLiteral("s"), QStringLiteral("sh") },
        { QStringLiteral("n"), QStringLiteral("l") } };
    for (const auto &[x, y] : pairs) {
        if ((a == x && b == y) || (a == y && b == x))
            return true;
    }
    return false;
}

} // namespace

std::optional<NameSoundChecker> NameSoundChecker::load(const QString &path, QString *problem)
{
    const auto refuse = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return std::optional<NameSoundChecker>();
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("找不到读音资料%1，无法给出读音。").arg(fileName()));
    NameSoundChecker checker;
    checker.m_text = file.readAll();
    const QByteArray &bytes = checker.m_text;
    // The characters' lines are not read here but looked up when a name needs them: a name reads four of ten
    // thousand, and the command line loads the file for one name. The generator writes them as one block in code
    // point order, found by halving (a file edited by hand is still read, by a plain search). Only the few lines
    // of surnames and traps are taken apart here, and the file is read as bytes.
    qsizetype start = 0;
    while (start < bytes.size() && !QByteArrayView(bytes).sliced(start).startsWith("C\t")) {
        const qsizetype end = bytes.indexOf('\n', start);
        start = end < 0 ? bytes.size() : end + 1;
    }
    if (start < bytes.size()) {
        // The block ends with the last line that begins with C<TAB> (at its line break, or the file's end).
        checker.m_charactersBegin = start;
        const char *const data = bytes.constData();
        const char *const last = data + bytes.size();
        const char *line = data + start;
        const char *blockEnd = last;
        while (line < last && line[0] == 'C' && line + 1 < last && line[1] == '\t') {
            const auto *lineBreak = static_cast<const char *>(std::memchr(line, '\n', size_t(last - line)));
            if (!lineBreak) {
                blockEnd = last;
                line = last;
                break;
            }
            blockEnd = lineBreak;
            line = lineBreak + 1;
        }
        checker.m_charactersEnd = blockEnd - data;
    }
    for (start = 0; start < bytes.size();) {
        if (start == checker.m_charactersBegin && checker.m_charactersEnd > start) {
            start = checker.m_charactersEnd + 1;
            continue;
        }
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView raw = QByteArrayView(bytes).sliced(start, end - start);
        if (!raw.startsWith("S\t") && !raw.startsWith("T\t")) {
            start = end + 1;
            continue;
        }
        const QString text = QString::fromUtf8(raw);
        const QStringView line(text);
        {
            const QList<QStringView> f = line.split(u'\t');
            if (f.at(0) == u"S" && f.size() == 3) {
                if (const std::optional<Syllables> s = parseNumbered(f.at(2)))
                    checker.m_surnames.insert(f.at(1).toString(), *s);
            } else if (f.at(0) == u"T" && f.size() == 6) {
                const std::optional<Syllables> s = parseNumbered(f.at(1));
                if (!s || s->size() < 2) {
                    start = end + 1;
                    continue;
                }
                QStringList key;
                Trap trap { {}, f.at(3) == u"同音", f.at(2).toString(), f.at(4).toString(), f.at(5).toString() };
                for (const PinyinSyllable &syllable : *s) {
                    key.append(syllable.letters);
                    trap.tones.append(syllable.tone);
                }
                checker.m_traps[key.join(QLatin1Char(' '))].append(trap);
                ++checker.m_trapCount;
            }
        }
        start = end + 1;
    }
    if (checker.m_charactersEnd <= checker.m_charactersBegin)
        return refuse(QStringLiteral("读音资料%1已损坏，无法给出读音。").arg(fileName()));
    return checker;
}

std::optional<NameSoundChecker::CharacterReadings> NameSoundChecker::entry(const QString &character) const
{
    const auto known = m_entries.constFind(character);
    if (known != m_entries.constEnd())
        return *known;
    const std::optional<CharacterReadings> read = readEntry(character);
    m_entries.insert(character, read);
    return read;
}

namespace {

// The character after "C<TAB>" at the start of a line, decoded from its UTF-8 bytes; 0 for a line that is not a
// character's.
char32_t characterOfLine(QByteArrayView line)
{
    if (!line.startsWith("C\t"))
        return 0;
    line = line.sliced(2);
    const char32_t c = takeUtf8Character(line);
    return line.startsWith('\t') ? c : 0;
}

} // namespace

qsizetype NameSoundChecker::lineOf(char32_t c) const
{
    if (m_charactersBegin < 0)
        return -1;
    const QByteArrayView text(m_text);
    // Halving the block of characters' lines, which the generator writes in code point order.
    qsizetype low = m_charactersBegin;
    qsizetype high = m_charactersEnd;
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        const qsizetype begin = middle == low ? low : text.first(middle).lastIndexOf('\n') + 1;
        const qsizetype begun = std::max(begin, low);
        qsizetype end = text.indexOf('\n', begun);
        if (end < 0 || end > high)
            end = high;
        const char32_t here = characterOfLine(text.sliced(begun, end - begun));
        if (here == 0)
            break;
        if (here == c)
            return begun;
        if (here < c)
            low = end + 1;
        else
            high = begun;
    }
    // Not found that way (a character the file does not know, or a file not in order): the plain search.
    const QByteArray wanted = QByteArrayLiteral("C\t") + QString::fromUcs4(&c, 1).toUtf8() + '\t';
    if (text.sliced(m_charactersBegin).startsWith(wanted))
        return m_charactersBegin;
    const qsizetype at = text.indexOf(QByteArray('\n' + wanted));
    return at < 0 ? -1 : at + 1;
}

qsizetype NameSoundChecker::characterCount() const
{
    qsizetype count = QByteArrayView(m_text).startsWith("C\t") ? 1 : 0;
    for (qsizetype at = 0; (at = m_text.indexOf("\nC\t", at)) >= 0; ++at)
        ++count;
    return count;
}

std::optional<NameSoundChecker::CharacterReadings> NameSoundChecker::readEntry(const QString &character) const
{
    const QList<uint> ucs4 = character.toUcs4();
    if (ucs4.size() != 1)
        return std::nullopt;
    const qsizetype begin = lineOf(char32_t(ucs4.first()));
    if (begin < 0)
        return std::nullopt;
    qsizetype end = m_text.indexOf('\n', begin);
    if (end < 0)
        end = m_text.size();
    const QString line = QString::fromUtf8(QByteArrayView(m_text).sliced(begin, end - begin));
    const QList<QStringView> f = QStringView(line).split(u'\t');
    if (f.size() != 6)
        return std::nullopt;
    const std::optional<Syllables> name = parseNumbered(f.at(2));
    const std::optional<Syllables> others = parseNumbered(f.at(3));
    const std::optional<Syllables> misread = parseNumbered(f.at(4));
    if (!name || name->size() != 1 || !others || !misread)
        return std::nullopt;
    return CharacterReadings { name->first(), *others, *misread, f.at(5).toString() };
}

QStringList NameSoundChecker::readings(const QString &character) const
{
    const std::optional<CharacterReadings> e = entry(character);
    if (!e)
        return {};
    QStringList out { e->name.marked() };
    for (const PinyinSyllable &s : e->others)
        out.append(s.marked());
    return out;
}

NameSound NameSoundChecker::check(const QString &surname, const QString &givenName) const
{
    const QStringList surnameChars = splitCharacters(surname);
    const QStringList chars = surnameChars + splitCharacters(givenName);
    const qsizetype surnameLength = surnameChars.size();
    const qsizetype n = chars.size();

    // Each character's reading, and for a given-name character the readings it may be misread with.
    QList<std::optional<PinyinSyllable>> syllables(n);
    QList<Syllables> alternatives(n);
    QList<std::optional<CharacterReadings>> entries(n);
    for (qsizetype i = 0; i < n; ++i)
        entries[i] = entry(chars.at(i));
    const auto surnameIt = m_surnames.constFind(surname);
    for (qsizetype i = 0; i < n; ++i) {
        if (i < surnameLength && surnameIt != m_surnames.constEnd() && surnameIt->size() == surnameLength) {
            syllables[i] = surnameIt->at(i);
        } else if (const std::optional<CharacterReadings> &e = entries.at(i)) {
            syllables[i] = e->name;
            if (i >= surnameLength)
                alternatives[i] = e->misread;
        }
    }

    NameSound sound;
    QStringList tones;
    QString levels;
    bool allKnown = true;
    for (const std::optional<PinyinSyllable> &s : std::as_const(syllables)) {
        sound.syllables.append(s ? s->marked() : QStringLiteral("?"));
        tones.append(toneName(s ? s->tone : 0));
        levels += s && s->level() ? u'平' : s && s->oblique() ? u'仄' : u'·';
        allKnown = allKnown && s.has_value();
    }
    sound.pinyin = joinedName(syllables.mid(0, surnameLength)) + QLatin1Char(' ')
        + joinedName(syllables.mid(surnameLength));
    sound.tonePattern = tones.join(QLatin1Char(' ')) + QStringLiteral("（") + levels + QStringLiteral("）");

    // Homophones: every run of two or more characters that is not the surname alone, read as the name reads it
    // and with each misreading of a character read two ways. A run inside a longer run that sounds like a trap
    // is not reported again (杜子 within 杜子腾).
    struct Found {
        qsizetype from;
        qsizetype to;
        SoundFinding finding;
    };
    QList<Found> found;
    QSet<QString> trapsFound;
    for (qsizetype length = n; length >= 2; --length) {
        for (qsizetype from = 0; from + length <= n; ++from) {
            const qsizetype to = from + length;
            if (to <= surnameLength)
                continue;
            bool known = true;
            for (qsizetype i = from; i < to; ++i)
                known = known && syllables.at(i).has_value();
            if (!known)
                continue;
            const bool inside = std::any_of(found.cbegin(), found.cend(),
                [&](const Found &f) { return f.from <= from && to <= f.to; });
            if (inside)
                continue;
            // The readings to try: the name's own first, then one misread character at a time.
            QList<Syllables> tries { {} };
            for (qsizetype i = from; i < to; ++i)
                tries.first().append(*syllables.at(i));
            for (qsizetype i = from; i < to; ++i) {
                for (const PinyinSyllable &other : alternatives.at(i)) {
                    Syllables t = tries.first();
                    t[i - from] = other;
                    tries.append(t);
                }
            }
            for (qsizetype k = 0; k < tries.size(); ++k) {
                const Syllables &t = tries.at(k);
                QStringList key;
                for (const PinyinSyllable &s : t)
                    key.append(s.letters);
                const auto traps = m_traps.constFind(key.join(QLatin1Char(' ')));
                if (traps == m_traps.constEnd())
                    continue;
                for (const Trap &trap : *traps) {
                    if (trapsFound.contains(trap.word))
                        continue;
                    int differing = 0;
                    Syllables trapSyllables;
                    for (qsizetype i = 0; i < t.size(); ++i) {
                        differing += tonesMatch(t.at(i).tone, trap.tones.at(i)) ? 0 : 1;
                        trapSyllables.append(PinyinSyllable { t.at(i).letters, trap.tones.at(i) });
                    }
                    const bool strong = differing == 0;
                    if (differing > (trap.tonesRequired ? 0 : t.size() - 1))
                        continue;
                    trapsFound.insert(trap.word);
                    const QString part = chars.mid(from, length).join(QString());
                    QString text = QStringLiteral("“%1”%2%3，%4“%5”%6：%7")
                                       .arg(part, k == 0 ? QStringLiteral("读作") : QStringLiteral("若读作"),
                                           markedList(t), strong ? QStringLiteral("与") : QStringLiteral("音近"),
                                           trap.word,
                                           strong ? QStringLiteral("同音")
                                                  : QStringLiteral("（") + markedList(trapSyllables)
                                                   + QStringLiteral("）"),
                                           trap.reason);
                    if (part == trap.word) {
                        // The name writes the word itself (孙子轩).
                        text = QStringLiteral("“%1”连起来就是“%2”这个词：%3").arg(part, trap.word, trap.reason);
                    }
                    if (!text.endsWith(u'。'))
                        text += u'。';
                    found.append(Found { from, to, SoundFinding { SoundFinding::Kind::Homophone, strong, text } });
                }
            }
        }
    }
    // The homophones that sound the same first, then those that sound alike.
    for (const bool strong : { true, false }) {
        for (const Found &f : std::as_const(found)) {
            if (f.finding.strong == strong)
                sound.findings.append(f.finding);
        }
    }

    // Characters of the given name read two ways.
    QSet<QString> doubleRead;
    for (qsizetype i = surnameLength; i < n; ++i) {
        const std::optional<CharacterReadings> &it = entries.at(i);
        if (!it || it->misread.isEmpty() || doubleRead.contains(chars.at(i)))
            continue;
        doubleRead.insert(chars.at(i));
        QString text = QStringLiteral("“%1”字有%2两读，名字里读%3，旁人容易读成%4")
                           .arg(chars.at(i), markedList(Syllables { it->name } + it->misread, u'、'),
                               it->name.marked(), markedList(it->misread, u'、'));
        if (!it->note.isEmpty())
            text += QStringLiteral("（") + it->note + QStringLiteral("）");
        sound.findings.append(SoundFinding { SoundFinding::Kind::TwoReadings, false, text + u'。' });
    }

    // Tones: a name of three or four characters all level or all oblique.
    if (allKnown && n >= 3) {
        const bool allLevel = !levels.contains(u'仄') && !levels.contains(u'·');
        const bool allOblique = !levels.contains(u'平') && !levels.contains(u'·');
        const bool oneTone = std::all_of(syllables.cbegin(), syllables.cend(),
            [&](const std::optional<PinyinSyllable> &s) { return s->tone == syllables.first()->tone; });
        const QString count = n == 3 ? QStringLiteral("三") : QStringLiteral("四");
        if (oneTone && (allLevel || allOblique)) {
            sound.findings.append(SoundFinding { SoundFinding::Kind::SameTones, true,
                QStringLiteral("全名%1个字都是%2，读来平板，没有抑扬。").arg(count, tones.first()) });
        } else if (allLevel) {
            sound.findings.append(SoundFinding { SoundFinding::Kind::SameTones, false,
                QStringLiteral("全名%1个字都是平声（%2），读来平直，少了起伏。").arg(count, tones.join(u'、')) });
        } else if (allOblique) {
            sound.findings.append(SoundFinding { SoundFinding::Kind::SameTones, false,
                QStringLiteral("全名%1个字都是仄声（%2），读来急促拗口。").arg(count, tones.join(u'、')) });
        }
    }

    // Neighbours across the surname boundary and within the given name; a doubled character is meant so.
    for (qsizetype i = std::max<qsizetype>(0, surnameLength - 1); i + 1 < n; ++i) {
        const std::optional<PinyinSyllable> &a = syllables.at(i);
        const std::optional<PinyinSyllable> &b = syllables.at(i + 1);
        if (!a || !b || chars.at(i) == chars.at(i + 1))
            continue;
        const QString pair = chars.at(i) + chars.at(i + 1);
        const QString read = a->marked() + QLatin1Char(' ') + b->marked();
        const QString ia = a->initial();
        const QString ib = b->initial();
        const QString fa = a->final();
        const QString fb = b->final();
        if (a->letters == b->letters && a->tone == b->tone) {
            sound.findings.append(SoundFinding { SoundFinding::Kind::SameInitial, false,
                QStringLiteral("“%1”两字都读%2，同音相连，听来重复，不易分辨。").arg(pair, a->marked()) });
        } else if (!ia.isEmpty() && ia == ib && fa != fb && medial(fa) == medial(fb) && !nasalCoda(fa).isEmpty()
                   && nasalCoda(fa) == nasalCoda(fb)) {
            sound.findings.append(SoundFinding { SoundFinding::Kind::SameInitial, false,
                QStringLiteral("“%1”读%2，声母都是%3，韵母%4和%5只差一个元音，连读像绕口令。")
                    .arg(pair, read, ia, fa, fb) });
        } else if (fa == fb && confusableInitials(ia, ib)) {
            sound.findings.append(SoundFinding { SoundFinding::Kind::SameFinal, false,
                QStringLiteral("“%1”读%2，韵母都是%3，声母%4和%5容易混读，连读拗口。").arg(pair, read, fa, ia, ib) });
        }
    }
    return sound;
}

QString NameSoundChecker::reportSection(const NameSound &sound)
{
    QString text = QStringLiteral("读音：") + kCrLf + QStringLiteral("    拼音：") + sound.pinyin + kCrLf
        + QStringLiteral("    声调：") + sound.tonePattern + kCrLf;
    for (const SoundFinding &f : sound.findings)
        text += (f.strong ? QStringLiteral("    注意：") : QStringLiteral("    提醒：")) + f.text + kCrLf;
    if (sound.findings.isEmpty())
        text += QStringLiteral("    未见不好的谐音、易读错的字和拗口的声韵。") + kCrLf;
    return text + kCrLf;
}

QString NameSoundChecker::missingSection(const QString &problem)
{
    return QStringLiteral("读音：") + kCrLf + QStringLiteral("    ") + problem + kCrLf + kCrLf;
}

QString NameSoundChecker::kindName(SoundFinding::Kind kind)
{
    switch (kind) {
    case SoundFinding::Kind::Homophone:
        return QStringLiteral("homophone");
    case SoundFinding::Kind::TwoReadings:
        return QStringLiteral("twoReadings");
    case SoundFinding::Kind::SameTones:
        return QStringLiteral("sameTones");
    case SoundFinding::Kind::SameInitial:
        return QStringLiteral("sameInitial");
    case SoundFinding::Kind::SameFinal:
        return QStringLiteral("sameFinal");
    }
    return {};
}

QJsonObject NameSoundChecker::fields(const NameSound &sound)
{
    QJsonObject fields;
    fields.insert(QStringLiteral("pinyin"), sound.pinyin);
    fields.insert(QStringLiteral("syllables"), QJsonArray::fromStringList(sound.syllables));
    fields.insert(QStringLiteral("tonePattern"), sound.tonePattern);
    QJsonArray findings;
    for (const SoundFinding &f : sound.findings) {
        findings.append(QJsonObject { { QStringLiteral("kind"), kindName(f.kind) },
            { QStringLiteral("strong"), f.strong }, { QStringLiteral("text"), f.text } });
    }
    fields.insert(QStringLiteral("findings"), findings);
    return fields;
}

} // namespace tolvane
