#include "VerseText.h"

#include "WordSegmenter.h"

#include <algorithm>

namespace tolvane::mkclassics {

namespace {

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar(0x3000);
}

// Index after the bracket that closes the one opened at `from`, counting nested pairs; the end of the text
// when it is never closed.
qsizetype skipBracketed(const QString &text, qsizetype from, const QString &opening, const QString &closing)
{
    int depth = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        if (opening.contains(text.at(i)))
            ++depth;
        else if (closing.contains(text.at(i)) && --depth == 0)
            return i + 1;
    }
    return text.size();
}

} // namespace

bool VerseText::isHan(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0x20000 && c <= 0x323AF);
}

QString VerseText::cleaned(const QString &paragraph)
{
    static const QString noteOpen = QStringLiteral("（(");
    static const QString noteClose = QStringLiteral("）)");
    QString out;
    out.reserve(paragraph.size());
    qsizetype i = 0;
    while (i < paragraph.size()) {
        const QChar c = paragraph.at(i);
        if (noteOpen.contains(c)) {
            i = skipBracketed(paragraph, i, noteOpen, noteClose);
        } else if (c == u'〖') {
            i = skipBracketed(paragraph, i, QStringLiteral("〖"), QStringLiteral("〗"));
        } else if (c == u'{') {
            i = skipBracketed(paragraph, i, QStringLiteral("{"), QStringLiteral("}"));
            out += QChar(0x25A1);
        } else {
            // A closing bracket without its opening one ends a note begun in the paragraph before: it goes.
            if (c != u'[' && c != u']' && !noteClose.contains(c))
                out += c;
            ++i;
        }
    }
    qsizetype start = 0;
    qsizetype end = out.size();
    while (start < end && isBlank(out.at(start)))
        ++start;
    while (end > start && isBlank(out.at(end - 1)))
        --end;
    return out.mid(start, end - start);
}

QStringList VerseText::lines(const QString &paragraph)
{
    static const QString terminators = QStringLiteral("。！？；!?;");
    static const QString closers = QStringLiteral("”’」』》）)\"'");
    const QString text = cleaned(paragraph);
    QStringList result;
    const auto keep = [&result](const QString &line) {
        const QString trimmed = cleaned(line);
        for (uint c : trimmed.toUcs4()) {
            if (isHan(c)) {
                result.append(trimmed);
                return;
            }
        }
    };
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (terminators.contains(text.at(i))) {
            ++i;
            while (i < text.size() && (terminators.contains(text.at(i)) || closers.contains(text.at(i))))
                ++i;
            keep(text.mid(start, i - start));
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        keep(text.mid(start));
    return result;
}

bool VerseText::isEditorsNote(const QString &line)
{
    static const QString marks = QStringLiteral("「」『』《》□");
    return std::any_of(line.begin(), line.end(), [](QChar c) { return marks.contains(c); });
}

namespace {

// The feet of a clause of shi: 2+2, 2+3 and 2+2+3; none for a clause of any other length.
std::vector<size_t> feetOf(size_t length)
{
    switch (length) {
    case 4:
        return { 2, 2 };
    case 5:
        return { 2, 3 };
    case 6:
        return { 2, 2, 2 };
    case 7:
        return { 2, 2, 3 };
    default:
        return {};
    }
}

// 诗经 names its odes by dropping the 之 of a line (桃之夭夭 桃夭, 葛之覃兮 葛覃, 汉之广矣 汉广, 麟之趾 麟趾). A clause
// that is only "A 之 B" (麟之趾), "A 之 BB" (桃之夭夭) or "A 之 B" and a closing particle (汉之广矣, 邦之媛也) makes the
// phrase AB, where the cut leaves A and B words of their own (or B the start of the doubled word). Longer clauses
// (宾之初筵, 民之秉彝, 如月之恒) go on after B, and the two characters are then seldom a phrase of their own.
void addContracted(QList<VerseText::WordPair> &pairs, const std::u32string &run, const std::vector<int> &wordAt,
    const QSet<char32_t> &fit)
{
    static const std::u32string closing = U"矣兮也哉";
    if (run.size() < 3 || run.size() > 4 || run[1] != U'之' || wordAt[0] != 1 || wordAt[1] != 1)
        return;
    const bool doubled = run.size() == 4 && wordAt[2] == 2 && run[2] == run[3];
    const bool closed = run.size() == 3 || (wordAt[2] == 1 && closing.find(run[3]) != std::u32string::npos);
    if ((doubled || closed) && fit.contains(run[0]) && fit.contains(run[2]))
        pairs.append({ run[0], run[2], VerseText::PairKind::Phrase });
}

// 诗经 frames two words with one word twice (如切如磋, 允文允武, 令闻令望) or with 既 and 且 (既明且哲, 既和且平): the
// two framed characters make a phrase of the line where they are a word the list knows and lets be a name (文武,
// 明哲, 和平, 圭璋), never two things merely listed side by side (如山如阜, 维熊维罴).
void addFramed(QList<VerseText::WordPair> &pairs, const std::u32string &run, const QSet<char32_t> &fit,
    const WordSegmenter &words)
{
    if (run.size() != 4 || run[1] == run[3] || !(run[0] == run[2] || (run[0] == U'既' && run[2] == U'且')))
        return;
    const std::u32string framed { run[1], run[3] };
    if (fit.contains(run[1]) && fit.contains(run[3]) && words.contains(framed) && words.isNameWord(framed))
        pairs.append({ run[1], run[3], VerseText::PairKind::Phrase });
}

} // namespace

QList<VerseText::WordPair> VerseText::wordPairs(
    const QString &line, const QSet<char32_t> &fit, const WordSegmenter &words, bool metred, bool feetArePhrases)
{
    QList<WordPair> pairs;
    const auto add = [&](const std::u32string &run, size_t i, PairKind kind) {
        if (fit.contains(run[i]) && fit.contains(run[i + 1]))
            pairs.append({ run[i], run[i + 1], kind });
    };
    const QList<uint> chars = line.toUcs4();
    qsizetype start = 0;
    while (start < chars.size()) {
        if (!isHan(chars.at(start))) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < chars.size() && isHan(chars.at(end)))
            ++end;
        const std::u32string run(chars.begin() + start, chars.begin() + end);
        start = end;
        if (feetArePhrases) {
            std::vector<int> wordAt(run.size(), 0); // the length of the word of the cut that begins there
            size_t from = 0;
            for (const int length : words.segment(run)) {
                wordAt[from] = length;
                from += size_t(length);
            }
            addContracted(pairs, run, wordAt, fit);
            addFramed(pairs, run, fit, words);
        }
        const std::vector<size_t> feet = metred ? feetOf(run.size()) : std::vector<size_t> {};
        if (!feet.empty()) {
            // Each foot is cut on its own, so that no word crosses a pause; a pair is the first two characters of
            // a foot, where the cut keeps them together. Outside 诗经 a word of the whole clause's cut that crosses
            // an edge of the foot and is more frequent than the foot's word wins: the line is read across the
            // metre there (a half of a four-character word crosses nothing). The rarer 泉石 does not take 清泉 of
            // 清泉石上流.
            // In 诗经 a foot that is no word is a phrase only where no word of the cut crosses its edges (为公子裳
            // is not 为公 and 子裳).
            std::vector<qint64> crossed(run.size() + 1, 0); // the frequency of a word crossing the edge
            {
                size_t from = 0;
                for (const int length : words.segment(run)) {
                    const qint64 frequency = std::max<qint64>(words.frequency(run.substr(from, size_t(length))), 1);
                    for (size_t inside = 1; inside < size_t(length); ++inside)
                        crossed[from + inside] = length == 4 && inside == 2 ? 0 : frequency;
                    from += size_t(length);
                }
            }
            size_t at = 0;
            for (const size_t length : feet) {
                // The last foot of three characters is read 2+1 or 1+2, and the cut often reads it wrongly (若真梦,
                // 易学仙): only the feet of two characters give names.
                if (length == 2) {
                    const std::u32string foot = run.substr(at, length);
                    const qint64 frequency = words.frequency(foot);
                    const bool whole = words.segment(foot).front() == 2;
                    const bool together = whole && (feetArePhrases || (crossed[at] <= frequency && crossed[at + 2] <= frequency));
                    if (foot[0] == foot[1]) {
                        // A doubled character on a foot is a word of the verse (依依, 皎皎, 蓁蓁), listed or not, as
                        // frequent as a word of the classics the dictionary lacks (words.tsv), unless a more frequent
                        // word of the clause's cut crosses the foot's edge (人民 of 人人民安乐; not 皎白 of 皎皎白驹).
                        constexpr qint64 kDoubledFrequency = 100;
                        const qint64 least = std::max(frequency, kDoubledFrequency);
                        if (crossed[at] <= least && crossed[at + 2] <= least)
                            add(run, at, PairKind::Word);
                    } else if (together && words.isNameWord(foot))
                        add(run, at, PairKind::Word);
                    else if (!whole && feetArePhrases && !crossed[at] && !crossed[at + 2])
                        add(run, at, PairKind::Phrase);
                }
                at += length;
            }
            continue;
        }
        size_t at = 0;
        for (const int length : words.segment(run)) {
            if (length == 2 && words.isNameWord(run.substr(at, 2))) {
                add(run, at, PairKind::Word);
            } else if (length == 4) {
                add(run, at, PairKind::Phrase);
                add(run, at + 2, PairKind::Phrase);
            }
            at += size_t(length);
        }
    }
    return pairs;
}

int VerseText::longestClause(const QString &line)
{
    int longest = 0;
    int run = 0;
    for (uint c : line.toUcs4()) {
        run = isHan(c) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

bool VerseText::hasCharacterOutside(const QString &line, const QSet<char32_t> &characters)
{
    const QList<uint> chars = line.toUcs4();
    return std::any_of(chars.cbegin(), chars.cend(), [&](uint c) { return isHan(c) && !characters.contains(c); });
}

QSet<char32_t> VerseText::characterInNameWords(const QString &line, const WordSegmenter &words, const QSet<char32_t> &fit)
{
    QSet<char32_t> found;
    const QList<uint> chars = line.toUcs4();
    const std::u32string text(chars.begin(), chars.end());
    size_t at = 0;
    for (const int length : words.segment(text)) {
        const std::u32string word = text.substr(at, size_t(length));
        const bool allFit = std::all_of(word.begin(), word.end(), [&](char32_t c) { return fit.contains(c); });
        if (length >= 2 && allFit && words.contains(word) && words.isNameWord(word)) {
            for (char32_t c : word)
                found.insert(c);
        }
        at += size_t(length);
    }
    return found;
}

QList<char32_t> VerseText::nameCharacters(const QString &line, const QSet<char32_t> &fit)
{
    QList<char32_t> found;
    for (uint c : line.toUcs4()) {
        if (fit.contains(char32_t(c)))
            found.append(char32_t(c));
    }
    return found;
}

} // namespace tolvane::mkclassics
