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

ClassicsBuilder::ClassicsBuilder(QSet<char32_t> fit, UnfitPairs unfit, const WordSegmenter &words, int leastUses,
    int modernRatio, QSet<char32_t> common)
    : m_fit(std::move(fit))
    , m_common(std::move(common))
    , m_unfit(std::move(unfit))
    , m_words(words)
    , m_leastUses(leastUses)
    , m_modernRatio(modernRatio)
{
}

void ClassicsBuilder::add(Classic classic, const SourcePoem &poem)
{
    using Context = UnfitPairs::Context;
    QList<QString> lines;
    for (const QString &paragraph : poem.paragraphs)
        lines += VerseText::lines(paragraph);
    const bool poetry = classic == Classic::Tangshi || classic == Classic::Songci || classic == Classic::Songshi;
    if (poetry) {
        // The Tang and Song collections keep editors' notes among the verses; a name is never drawn from one,
        // nor from a preface or an inscription in prose filed among the poems.
        lines.removeIf([](const QString &line) { return VerseText::isEditorsNote(line); });
        if (std::any_of(lines.cbegin(), lines.cend(),
                [](const QString &line) { return VerseText::longestClause(line) > kLongestVerseClause; }))
            return;
    }
    // 诗经 and the poems keep the beats of shi in their clauses of four to seven characters, and so do most clauses
    // of the lyrics; where a leading word shifts them (有仙风道骨, 满东风兰雾) the cut of the whole clause disagrees
    // with the feet and no pair is taken.
    const bool metred = poetry || classic == Classic::Shijing;
    const Context title = m_unfit.context(poem.title);
    if (lines.isEmpty() || title == Context::Unfit)
        return;
    m_contents.poems.append({ classic, poem.title, poem.author });
    const auto poemId = qint32(m_contents.poems.size());
    for (const QString &text : std::as_const(lines)) {
        const Context context = std::max(title, m_unfit.context(text));
        if (context == Context::Unfit)
            continue;
        const bool sad = context == Context::Sad;
        m_contents.lines.append({ poemId, text });
        const auto lineId = qint32(m_contents.lines.size());
        const bool rare = !m_common.isEmpty() && VerseText::hasCharacterOutside(text, m_common);
        for (const VerseText::WordPair &pair : VerseText::wordPairs(text, m_fit, m_words, metred, classic == Classic::Shijing)) {
            if (m_unfit.hasParticle(pair.first, pair.second)
                || (pair.kind == VerseText::PairKind::Phrase && m_unfit.notPhraseFirst(pair.first)))
                continue;
            const quint64 key = pairKey(classic, pair.first, pair.second);
            if (m_unfit.contains(pair.first, pair.second)) {
                m_unfitMet.insert(key);
                continue;
            }
            // Uses are counted on the feet of the poems and lyrics, where the cut is surest.
            if (metred && classic != Classic::Shijing)
                m_uses[pairKey(Classic(0), pair.first, pair.second)] += 1;
            const int rank = int(pair.kind) + (sad ? 2 : 0);
            const auto known = m_pairRows.constFind(key);
            if (known == m_pairRows.cend()) {
                m_pairRows.insert(key, qsizetype(m_contents.pairs.size()));
                m_contents.pairs.push_back({ pair.first, pair.second, classic, lineId, rank,
                    m_unfit.pairSex(pair.first, pair.second) });
                m_rarePairLines.push_back(rare);
            } else if (rank < m_contents.pairs[size_t(*known)].rank
                || (rank == m_contents.pairs[size_t(*known)].rank && m_rarePairLines[size_t(*known)] && !rare)) {
                // Of the lines where it ranks alike, one every reader can read is quoted before one with a rare
                // character.
                m_contents.pairs[size_t(*known)].rank = rank;
                m_contents.pairs[size_t(*known)].line = lineId;
                m_rarePairLines[size_t(*known)] = rare;
            }
        }
        const QList<char32_t> characters = VerseText::nameCharacters(text, m_fit);
        if (characters.isEmpty())
            continue;
        // A character's line is the one a parent would most gladly quote: not sad, without a rare character (瘏 and
        // 痡 of 我马瘏矣，我仆痡矣，云何吁矣 are illnesses few readers know), and where the character stands in a word of
        // the line (云汉) rather than alone, as 云 "says" does there. The first such line of the collection wins.
        const QSet<char32_t> inWords = VerseText::characterInNameWords(text, m_words, m_fit);
        for (char32_t c : characters) {
            const int singleRank = (sad ? 4 : 0) + (rare ? 2 : 0) + (inWords.contains(c) ? 0 : 1);
            const quint64 key = pairKey(classic, 0, c);
            const auto known = m_singleRows.constFind(key);
            if (known == m_singleRows.cend()) {
                m_singleRows.insert(key, qsizetype(m_contents.singles.size()));
                m_singleRanks.push_back(singleRank);
                m_contents.singles.push_back({ c, classic, lineId });
            } else if (singleRank < m_singleRanks[size_t(*known)]) {
                m_singleRanks[size_t(*known)] = singleRank;
                m_contents.singles[size_t(*known)].line = lineId;
            }
        }
    }
}

ClassicsContents ClassicsBuilder::take()
{
    // A word the Tang and Song poets used on a foot of their poems fewer than m_leastUses times is no word of the
    // poetic language, however the dictionary tags it (信道, 柔道, 海通), or the cut was wrong (风良 of 好风良月).
    // A word of today's speech far more than of verse (路程, 图书), or a plain word of things (林中, 家书), is no name
    // either.
    std::erase_if(m_contents.pairs, [this](const ClassicsContents::PairRow &p) {
        const bool poetry = p.classic == Classic::Tangshi || p.classic == Classic::Songci || p.classic == Classic::Songshi;
        if (!poetry)
            return false;
        const int uses = m_uses.value(pairKey(Classic(0), p.first, p.second));
        return uses < m_leastUses || m_unfit.hasPlainPart(p.first, p.second)
            || (m_modernRatio > 0 && m_words.frequency({ p.first, p.second }) > qint64(m_modernRatio) * uses);
    });
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
    m_pairRows.clear();
    m_uses.clear();
    m_singleRows.clear();
    m_singleRanks.clear();
    m_rarePairLines.clear();
    m_unfitMet.clear();
    return std::move(m_contents);
}

} // namespace tolvane::mkclassics
