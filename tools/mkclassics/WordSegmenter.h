#pragma once

#include <QString>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tolvane::mkclassics {

// Cuts a line into words by the most probable segmentation over a word list with frequencies, the way jieba
// does without its model of unknown words: among every way to cut the line into listed words (a character not
// listed is a word of its own with frequency 1) the one whose product of word probabilities is largest.
class WordSegmenter final {
public:
    // jieba's dictionary: one word a line, "word frequency [tag]" separated by blanks. Nothing, with the line in
    // the error, when a line has no frequency or the file cannot be read.
    static std::optional<WordSegmenter> read(const QString &path, QString *error = nullptr);

    // Adds a word (or raises the frequency of a listed one to at least frequency).
    void add(const std::u32string &word, qint64 frequency);
    // Whether a listed word may be a name by its part of speech in the list: a noun, adjective, descriptive or
    // time word, idiom or person's name, not a verb, adverb, pronoun, conjunction, preposition, particle,
    // interjection, onomatopoeia, abbreviation, numeral, measure word, direction, place, organisation or
    // transliterated foreign name (jieba's tags v vn vg vi d r c p u y e o j m q mq vq f ns nt nrt nrfg x). Words
    // added without a tag may.
    bool isNameWord(const std::u32string &word) const;
    // The lengths of the words of the line's best segmentation, in order; they add up to the line's length.
    // Punctuation and other characters are words of their own.
    std::vector<int> segment(const std::u32string &line) const;
    bool contains(const std::u32string &word) const { return m_frequency.contains(word); }
    // The word's frequency in the list, 0 when it is not listed.
    qint64 frequency(const std::u32string &word) const
    {
        const auto it = m_frequency.find(word);
        return it == m_frequency.end() ? 0 : it->second;
    }
    qsizetype size() const { return qsizetype(m_frequency.size()); }

private:
    std::unordered_map<std::u32string, qint64> m_frequency;
    std::unordered_map<std::u32string, bool> m_notName; // listed words whose tag keeps them from names
    qint64 m_total = 0;
    int m_longest = 1;
};

} // namespace tolvane::mkclassics
