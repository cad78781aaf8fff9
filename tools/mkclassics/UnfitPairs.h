#pragma once

#include <QSet>
#include <QString>

#include <optional>

namespace tolvane::mkclassics {

// The pairs of data/classics/unfit-pairs.tsv: two characters, each fit for names, that side by side make a word
// no parent would choose as a name (深渊, 小心, 子之). classics.db holds none of them.
class UnfitPairs final {
public:
    // The file's pairs: one a line, the two characters, a tab and the reason; lines starting with # and blank
    // lines are skipped. Nothing, with the file and line in the error, when a line is not two characters and a
    // reason, or does not come after the line before it in code point order (so no pair is listed twice).
    static std::optional<UnfitPairs> read(const QString &path, QString *error = nullptr);

    bool contains(char32_t first, char32_t second) const { return m_pairs.contains(key(first, second)); }
    qsizetype size() const { return m_pairs.size(); }

private:
    // Code points take 21 bits.
    static quint64 key(char32_t first, char32_t second) { return (quint64(first) << 21) | quint64(second); }

    QSet<quint64> m_pairs;
};

} // namespace tolvane::mkclassics
