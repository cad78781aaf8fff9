#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>

namespace tolvane::mkclassics {

// How a paragraph of the poetry package becomes lines, and which characters of a line make names. The rules
// are written down in data/README.md.
class VerseText final {
public:
    // The paragraph without the editors' marks: notes in （） or () and numbered notes in 〖〗 are dropped with
    // their text, the brackets of a restored character [姒] are dropped and the character kept, and a
    // character described by its parts {艹/尔} becomes □. Blanks at both ends are trimmed.
    static QString cleaned(const QString &paragraph);
    // The cleaned paragraph cut into lines after every 。！？； (and ! ? ;), a closing quotation mark or
    // bracket staying with its line. Lines without a Chinese character are left out.
    static QStringList lines(const QString &paragraph);
    // The pairs of characters that stand side by side in the line and are both in fit, in the order of the
    // line (a pair met twice is listed twice). Nothing pairs across a punctuation mark or any other character.
    static QList<std::pair<char32_t, char32_t>> namePairs(const QString &line, const QSet<char32_t> &fit);
    // The characters of the line that are in fit, in the order of the line.
    static QList<char32_t> nameCharacters(const QString &line, const QSet<char32_t> &fit);

    // A line of the Tang and Song collections that is an editor's note rather than verse: it quotes or cites
    // (「」『』《》) or has a lost character (□). Such notes stand in those collections as paragraphs of their own.
    static bool isEditorsNote(const QString &line);

    static bool isHan(char32_t c);
};

} // namespace tolvane::mkclassics
