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
            if (c != u'[' && c != u']')
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
    case 7:
        return { 2, 2, 3 };
    default:
        return {};
    }
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
        const std::vector<size_t> feet = metred ? feetOf(run.size()) : std::vector<size_t> {};
        if (!feet.empty()) {
            // Each foot is cut on its own, so that no word crosses a pause; a pair is the first two characters of
            // a foot, where the cut keeps them together.
            size_t at = 0;
            for (const size_t length : feet) {
                // The last foot of three characters is read 2+1 or 1+2, and the cut often reads it wrongly (若真梦,
                // 易学仙): only the feet of two characters give names.
                if (length == 2) {
                    const std::u32string foot = run.substr(at, length);
                    const bool together = words.segment(foot).front() == 2;
                    if (together && words.isNameWord(foot))
                        add(run, at, PairKind::Word);
                    else if (!together && feetArePhrases)
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
