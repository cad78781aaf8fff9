#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane::mkclassics {

// What keeps a pair of characters, each fit for names, from being a name drawn from a line: the lists of
// data/classics, each a file of lines "term<TAB>[value<TAB>]reason" kept in code point order (LC_ALL=C sort), each
// term once, lines starting with # and blank lines skipped.
//   unfit-pairs.tsv     two characters that side by side make a word no parent would choose (深渊, 小心, 子之)
//   unfit-verse-pairs.tsv  the same, judged on the names drawn from the verses: plain words of today, verb phrases,
//                       places, people, weapons and era names of the lines (秋天, 愿闻, 丰溪, 子方, 天宝); the
//                       suggestions read unfit-pairs.tsv only
//   unfit-contexts.tsv  words that make a whole line (or a poem, by its title) unfit to be quoted for a name: death,
//                       lust, war's horror, known villains; or, with the kind 哀愁, a sad line that is quoted last
//   particles.tsv       characters that are particles in the classics and never begin or end a name (之, 亦),
//                       with where: 两端 (either end), 首 (never first), 末 (never last: 如 of 颜如舜华) or 短语首
//                       (never first of a phrase, a foot that is no word: 子 "you" of 子惠思我)
//   pair-sex.tsv        pairs that as a whole suit one sex only (淑女 for girls), with 男 or 女
//   reduplications.tsv  doubled characters (叠字) and how they are given: 女, 男 or 通 (either sex), or 不取 (never a
//                       name: 关关 is a bird's call, 年年 "every year"); an unlisted one is a girl's name as a whole
//   plain-parts.tsv     characters that make a pair of the Tang and Song collections a plain word of things, places
//                       or times where they stand (中 last: 林中; 小 first: 小花), with 两端, 首 or 末
// classics.db holds none of the unfit pairs nor a pair with a particle, and no pair or character takes its line
// from an unfit context.
class UnfitPairs final {
public:
    // The pairs file alone. Nothing, with the file and line in the error, when a line is not two characters and a
    // reason, or does not come after the line before it in code point order (so no pair is listed twice).
    static std::optional<UnfitPairs> read(const QString &path, QString *error = nullptr);
    // Every list of the folder (data/classics); the same checks for each file, and a context's reason must begin
    // with one of the kinds, a pair sex must be 男 or 女.
    static std::optional<UnfitPairs> readFolder(const QString &dir, QString *error = nullptr);

    bool contains(char32_t first, char32_t second) const { return m_pairs.contains(key(first, second)); }
    qsizetype size() const { return m_pairs.size(); }

    // Whether a particle stands where the list keeps it from a name: first at the start, second at the end.
    bool hasParticle(char32_t first, char32_t second) const
    {
        return (m_particles.value(first) & kNotFirst) || (m_particles.value(second) & kNotLast);
    }
    // Whether a character of plain-parts.tsv stands where it makes the pair a plain word of things (林中, 家书, 画作,
    // 小花): first at the start, second at the end.
    bool hasPlainPart(char32_t first, char32_t second) const
    {
        return (m_plainParts.value(first) & kNotFirst) || (m_plainParts.value(second) & kNotLast);
    }
    // Whether a particle of the list may not begin a phrase (短语首): 子 "you" in 子惠思我, 子兴视夜.
    bool notPhraseFirst(char32_t first) const { return m_particles.value(first) & kNotPhraseFirst; }
    // The sex a pair suits as a whole: 0 either, 1 男, 2 女. A doubled character (依依, 盈盈) is a girl's name unless
    // reduplications.tsv says otherwise.
    int pairSex(char32_t first, char32_t second) const
    {
        return m_pairSex.value(key(first, second), first == second ? 2 : 0);
    }

    enum class Context { Fine, Sad, Unfit };
    // The worst context any listed word found in the text gives.
    Context context(const QString &text) const;
    qsizetype contextCount() const { return m_contextCount; }

private:
    // Adds the pairs of one file; false with the file and line in the error (a pair listed before counts).
    bool readPairs(const QString &path, QString *error);
    // A character and where it stands (两端, 首 or 末) into places; false with the problem.
    static bool placeOf(
        const std::u32string &term, const QStringList &fields, QString &problem, QHash<char32_t, int> &places);
    // Code points take 21 bits.
    static quint64 key(char32_t first, char32_t second) { return (quint64(first) << 21) | quint64(second); }

    QSet<quint64> m_pairs;
    static constexpr int kNotFirst = 1;
    static constexpr int kNotLast = 2;
    static constexpr int kNotPhraseFirst = 4;
    QHash<char32_t, int> m_particles;
    QHash<char32_t, int> m_plainParts;
    QHash<quint64, int> m_pairSex;
    // The listed words by their first character: the rest of the word and its context.
    QMultiHash<char32_t, std::pair<std::u32string, Context>> m_contexts;
    qsizetype m_contextCount = 0;
};

} // namespace tolvane::mkclassics
