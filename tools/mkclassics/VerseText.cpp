#include "VerseText.h"

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

QList<std::pair<char32_t, char32_t>> VerseText::namePairs(const QString &line, const QSet<char32_t> &fit)
{
    QList<std::pair<char32_t, char32_t>> pairs;
    const QList<uint> chars = line.toUcs4();
    for (qsizetype i = 0; i + 1 < chars.size(); ++i) {
        if (fit.contains(char32_t(chars.at(i))) && fit.contains(char32_t(chars.at(i + 1))))
            pairs.append({ char32_t(chars.at(i)), char32_t(chars.at(i + 1)) });
    }
    return pairs;
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
