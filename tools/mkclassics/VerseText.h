#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>

namespace tolvane::mkclassics {

class WordSegmenter;

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
    // How a pair stands in its line: as a word of it, or as half of a four-character word (a fixed phrase or an
    // idiom such as 窈窕淑女 or 海晏河清).
    enum class PairKind { Word = 0, Phrase = 1 };
    struct WordPair {
        char32_t first = 0;
        char32_t second = 0;
        PairKind kind = PairKind::Word;
    };
    // The pairs of characters that stand side by side in the line and make a word of it, in the order of the line
    // (a pair met twice is listed twice), both characters in fit: each run of Chinese characters (so never across
    // a punctuation mark) is cut into words, and a pair is a two-character word the segmenter lets be a name, or
    // either half of a four-character word (a phrase). In metred verse (metred true) a clause of four to seven
    // characters is cut foot by foot (2+2, 2+3, 2+2+2, 2+2+3), so that no word crosses a pause, and a pair is a
    // foot of two characters that its cut keeps together as a word that may be a name: 清泉石上流 gives 清泉 (not
    // 清 泉石 上流), 大舜门中亚绣旗 never 中亚, 温润还将六美学 never 美学; the last foot of three characters, which the
    // cut often reads wrongly, gives none; a word of the whole clause's cut that crosses an edge of the foot and is
    // more frequent than the foot's word takes it (人生活在世 gives no 人生). A foot of one character doubled is a word
    // whatever the dictionary says of it (杨柳依依, 其叶蓁蓁), on the same condition. With feetArePhrases (诗经) a foot of two
    // characters that is no word and that no word of the cut crosses is a phrase of the line (白露为霜: 白露 a word,
    // 为霜 a phrase; 为公子裳 nothing), and so are the odes' contractions of 之 (汉之广矣: 汉广) and the two
    // characters framed by one word twice or by 既 and 且 where they are a word of the list (既明且哲: 明哲).
    static QList<WordPair> wordPairs(const QString &line, const QSet<char32_t> &fit, const WordSegmenter &words,
        bool metred = false, bool feetArePhrases = false);
    // The longest run of Chinese characters between two punctuation marks (a clause), in characters.
    static int longestClause(const QString &line);
    // Whether the line has a Chinese character outside the set (a rare character when the set is the common ones).
    static bool hasCharacterOutside(const QString &line, const QSet<char32_t> &characters);
    // The characters of the line that stand inside a word of two or more characters of its cut that may be a name,
    // every character of it in fit (白云 of 白云回望合, 如云 of 有女如云; not 云 "says" of 云何吁矣, nor 顺 of 不顺).
    static QSet<char32_t> characterInNameWords(const QString &line, const WordSegmenter &words, const QSet<char32_t> &fit);
    // The characters of the line that are in fit, in the order of the line.
    static QList<char32_t> nameCharacters(const QString &line, const QSet<char32_t> &fit);

    // A line of the Tang and Song collections that is an editor's note rather than verse: it quotes or cites
    // (「」『』《》) or has a lost character (□). Such notes stand in those collections as paragraphs of their own.
    static bool isEditorsNote(const QString &line);

    static bool isHan(char32_t c);
};

} // namespace tolvane::mkclassics
