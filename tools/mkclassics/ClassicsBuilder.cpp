#include "ClassicsBuilder.h"

#include "PoetryPackage.h"
#include "VerseText.h"

#include <algorithm>

namespace tolvane::mkclassics {

namespace {

// Code points take 21 bits.
quint64 pairKey(Classic classic, char32_t first, char32_t second)
{
    return (quint64(classic) << 42) | (quint64(first) << 21) | quint64(second);
}

} // namespace

ClassicsBuilder::ClassicsBuilder(QSet<char32_t> fit, UnfitPairs unfit)
    : m_fit(std::move(fit))
    , m_unfit(std::move(unfit))
{
}

void ClassicsBuilder::add(Classic classic, const SourcePoem &poem)
{
    QList<QString> lines;
    for (const QString &paragraph : poem.paragraphs)
        lines += VerseText::lines(paragraph);
    // The Tang and Song collections keep editors' notes among the verses; a name is never drawn from one.
    if (PoetryPackage::isTraditional(classic))
        lines.removeIf([](const QString &line) { return VerseText::isEditorsNote(line); });
    if (lines.isEmpty())
        return;
    m_contents.poems.append({ classic, poem.title, poem.author });
    const auto poemId = qint32(m_contents.poems.size());
    for (const QString &text : std::as_const(lines)) {
        m_contents.lines.append({ poemId, text });
        const auto lineId = qint32(m_contents.lines.size());
        for (const auto &[first, second] : VerseText::namePairs(text, m_fit)) {
            if (m_unfit.contains(first, second)) {
                m_unfitMet.insert(pairKey(classic, first, second));
                continue;
            }
            if (!m_pairLines.contains(pairKey(classic, first, second))) {
                m_pairLines.insert(pairKey(classic, first, second), lineId);
                m_contents.pairs.push_back({ first, second, classic, lineId });
            }
        }
        for (char32_t c : VerseText::nameCharacters(text, m_fit)) {
            if (!m_singleLines.contains(pairKey(classic, 0, c))) {
                m_singleLines.insert(pairKey(classic, 0, c), lineId);
                m_contents.singles.push_back({ c, classic, lineId });
            }
        }
    }
}

ClassicsContents ClassicsBuilder::take()
{
    // Only the lines a pair or a character points to are kept, with their poems; both are numbered anew in
    // the same order.
    QList<qint32> newLine(m_contents.lines.size() + 1, 0);
    for (const auto &p : m_contents.pairs)
        newLine[p.line] = 1;
    for (const auto &s : m_contents.singles)
        newLine[s.line] = 1;
    QList<qint32> newPoem(m_contents.poems.size() + 1, 0);
    QList<ClassicsContents::Line> lines;
    QList<ClassicsContents::Poem> poems;
    for (qsizetype id = 1; id <= m_contents.lines.size(); ++id) {
        if (!newLine[id])
            continue;
        ClassicsContents::Line line = m_contents.lines.at(id - 1);
        if (!newPoem[line.poem]) {
            poems.append(m_contents.poems.at(line.poem - 1));
            newPoem[line.poem] = qint32(poems.size());
        }
        line.poem = newPoem[line.poem];
        lines.append(line);
        newLine[id] = qint32(lines.size());
    }
    m_contents.lines = lines;
    m_contents.poems = poems;
    for (auto &p : m_contents.pairs)
        p.line = newLine[p.line];
    for (auto &s : m_contents.singles)
        s.line = newLine[s.line];

    // Code point order is the byte order of UTF-8, the order SQLite keeps the text keys in.
    std::sort(m_contents.pairs.begin(), m_contents.pairs.end(), [](const auto &a, const auto &b) {
        return std::tie(a.first, a.classic, a.second) < std::tie(b.first, b.classic, b.second);
    });
    std::sort(m_contents.singles.begin(), m_contents.singles.end(), [](const auto &a, const auto &b) {
        return std::tie(a.character, a.classic) < std::tie(b.character, b.classic);
    });
    m_contents.unfitPairsLeftOut = m_unfitMet.size();
    m_pairLines.clear();
    m_singleLines.clear();
    m_unfitMet.clear();
    return std::move(m_contents);
}

} // namespace tolvane::mkclassics
