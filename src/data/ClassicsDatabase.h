#pragma once

#include "data/Classics.h"
#include "data/Statement.h"
#include "text/UserMessage.h"

#include <QString>

#include <optional>
#include <vector>

struct sqlite3;

namespace tolvane {

// classics.db, the verses names from the classics are drawn from: a plain SQLite file generated at build time
// beside namedbs.mdb (data/README.md describes its tables). Opened read-only for one search by
// ClassicsLibrary::open; the destructor closes it. Characters are passed as code points.
class ClassicsDatabase final {
public:
    // The format the program reads, stored as meta.format.
    static constexpr int kFormat = 2;

    ~ClassicsDatabase();
    ClassicsDatabase(const ClassicsDatabase &) = delete;
    ClassicsDatabase &operator=(const ClassicsDatabase &) = delete;

    // False for a missing, foreign or damaged file.
    bool isOpen() const { return m_db != nullptr; }
    // The message for a file that cannot be opened or read.
    static UserMessage failureMessage();

    // A pair of characters making a word of a line, or a character in a line: the other character of the pair
    // (the character itself for a single), the collection, the best line of that collection, the pair's rank
    // there (0 a word of a line a parent would quote, higher is worse; 0 for a single) and the one sex the pair
    // is kept for as a whole, if any.
    enum class PairSex : quint8 { Any = 0, Male = 1, Female = 2 };
    struct Link {
        char32_t other = 0;
        Classic classic = Classic::Shijing;
        qint32 line = 0;
        quint8 rank = 0;
        PairSex sex = PairSex::Any;
    };
    // The pairs of the chosen collections whose first character is first, ordered by collection in order of
    // preference (classicPreference), then by the second character: the first link of a character is its best
    // one. Replaces out; false when the file cannot be read.
    bool pairsStartingWith(char32_t first, ClassicSet classics, std::vector<Link> &out);
    // The pairs whose second character is second (other is the first character), ordered the same way.
    bool pairsEndingWith(char32_t second, ClassicSet classics, std::vector<Link> &out);
    // The best line of each chosen collection that holds the character, in order of preference.
    bool linesHolding(char32_t character, ClassicSet classics, std::vector<Link> &out);
    // Every pair of the chosen collections in one read (first character, link), or every character with a line
    // (other is the character): for a search that weighs thousands of pairs at once, where a query per character
    // would cost more than reading them all. In no particular order; replaces out; false when the file cannot be
    // read.
    bool everyPair(ClassicSet classics, std::vector<std::pair<char32_t, Link>> &out);
    bool everySingle(ClassicSet classics, std::vector<Link> &out);

    struct Verse {
        Classic classic = Classic::Shijing;
        QString title;
        QString author;
        QString text;
    };
    std::optional<Verse> verse(qint32 line);

private:
    friend class ClassicsLibrary;
    // Opens the file and checks its format.
    explicit ClassicsDatabase(const QString &path);
    void close();

    enum Query { After, Before, Single, QueryCount };
    bool links(Query query, char32_t character, ClassicSet classics, std::vector<Link> &out);

    sqlite3 *m_db = nullptr;
    // Prepared for the collections last asked for.
    struct Prepared {
        std::optional<Statement> stmt;
        ClassicSet classics;
    };
    Prepared m_queries[QueryCount];
    std::optional<Statement> m_verse;
};

} // namespace tolvane
