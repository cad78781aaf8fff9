#pragma once

#include "ClassicsContents.h"
#include "PoetryPackage.h"
#include "UnfitPairs.h"
#include "WordSegmenter.h"

#include <QHash>
#include <QSet>

namespace tolvane::mkclassics {

// Turns poems into the rows of classics.db: for each collection the pairs that make a word of a line and the
// single characters fit for names, each with its best line, and those lines with their poems. Poems are added
// in order of preference of their collections and in the package's order within one. A pair's best line is the
// one where it ranks best (a word before half of a four-character phrase, a line that is not sad before a sad
// one), on a tie the first such line without a character outside the common ones, else the first; a character's best line is its first line that ranks best: not sad, then
// without a character outside the common ones, then with the character inside a word of the line.
// No pair with a particle where the list keeps it out or listed as unfit is written (its characters are still
// listed singly), nor a pair of the Tang and Song collections used as a word in fewer than kLeastUses lines, far
// more frequent in today's language than in verse (kModernRatio) or made a plain word by a part of
// plain-parts.tsv, and nothing takes its line from a line or poem of an unfit context, nor from a Tang or Song poem
// that is prose.
class ClassicsBuilder final {
public:
    // common: the characters every reader knows (CharacterForms::commonCharacters); none, no line is rare.
    ClassicsBuilder(QSet<char32_t> fit, UnfitPairs unfit, const WordSegmenter &words, int leastUses = kLeastUses,
        int modernRatio = kModernRatio, QSet<char32_t> common = {});

    void add(Classic classic, const SourcePoem &poem);
    // The rows, pairs and singles sorted as the file keeps them, the lines no pair or character points to
    // left out.
    ClassicsContents take();

    // A clause of a Tang or Song poem longer than this is prose (a preface, an inscription), not verse.
    static constexpr int kLongestVerseClause = 11;
    // A pair of 唐诗, 宋词 or 宋诗 is written only where it is a word on a foot of at least this many lines of 唐诗
    // and 宋诗: words of the poets' language, not words of today's dictionary the cut happened to find.
    static constexpr int kLeastUses = 3;
    // Nor where its frequency in the word list, which counts today's written language, is more than kModernRatio
    // times those lines: 路程, 图书, 樱桃, 敏捷 are words of today's speech that poets seldom used, while the words of
    // verse (明月 2,655 lines and 358 in the list, 清风 2,478 and 901) stay. Nor where a character of plain-parts.tsv
    // makes it a plain word of things (林中, 家书, 画作, 小花).
    static constexpr int kModernRatio = 8;

private:
    QSet<char32_t> m_fit;
    QSet<char32_t> m_common;
    UnfitPairs m_unfit;
    const WordSegmenter &m_words;
    int m_leastUses = kLeastUses;
    int m_modernRatio = kModernRatio;
    ClassicsContents m_contents;
    QHash<quint64, qsizetype> m_pairRows; // collection, first, second -> index in pairs
    QHash<quint64, int> m_uses; // first, second -> lines of 唐诗, 宋词 and 宋诗 where the pair is a word on a foot
    QHash<quint64, qsizetype> m_singleRows; // collection, character -> index in singles
    std::vector<int> m_singleRanks; // the rank of each single's line, lower is better
    std::vector<bool> m_rarePairLines; // whether each pair's line has a character outside the common ones
    QSet<quint64> m_unfitMet; // collection, first, second of the unfit pairs met
};

} // namespace tolvane::mkclassics
