#pragma once

#include <QHash>
#include <QString>

#include "naming/PairTable.h"
#include "numerology/Vocabulary.h"

#include <optional>

namespace tolvane {

// namewords.tsv, generated beside the library from jieba's dictionary and the lists of unfit pairs: what a pair of
// name characters is as a whole.
class NameWords final {
public:
    enum class Kind : quint8 {
        None,      // two characters with nothing between them
        Word,      // a word of the language
        GivenName, // a given name people use
        Unfit,     // a pair no parent would choose: never suggested
        Current,   // a given name parents choose today (suggestions/current-names.tsv)
    };
    struct Entry {
        Kind kind = Kind::None;
        int weight = 0; // given names: how many common surnames it follows; words: jieba's frequency
        std::optional<Sex> sex; // a name meant for one sex as a whole (秀英 for girls); none: either
    };

    static QString fileName() { return QStringLiteral("namewords.tsv"); }
    // Nothing when the file cannot be read, a line is malformed or there are no pairs at all; badLine is then
    // the malformed line's number (0 for a file that cannot be read, -1 for one without pairs).
    static std::optional<NameWords> read(const QString &path, int *badLine = nullptr);
    static std::optional<NameWords> parse(const QByteArray &bytes, int *badLine = nullptr);

    Entry find(char32_t first, char32_t second) const
    {
        const Entry *entry = m_pairs.find(characterPair(first, second));
        return entry ? *entry : Entry {};
    }
    qsizetype size() const { return m_pairs.size(); }
    // In how many given names (people's or today's) the character stands first, or second: how naturally it
    // takes that place in a name.
    int asFirst(char32_t c) const { return m_asFirst.value(c); }
    int asSecond(char32_t c) const { return m_asSecond.value(c); }

private:
    PairTable<Entry> m_pairs;
    PairTable<int> m_asFirst; // by the character alone
    PairTable<int> m_asSecond;
};

} // namespace tolvane
