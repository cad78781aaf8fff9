#pragma once

#include "data/DatabaseFailure.h"
#include "data/DbTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace tolvane {

// A meaning row of 81man, 81corp, sancai or wrGe.
struct MeaningRow {
    QString meaning;
    QString flag;
};

// What a lookup of a single row found: the row, no such row, or nothing because the read failed (a damaged
// page, an I/O error, a lock held too long). A failed read is a database failure, never "no such row".
template <typename T> struct RowRead {
    std::optional<T> row;
    bool failed = false;
};

// One connection to namedbs.mdb for the length of one operation. Every operation opens the library anew
// (so that a file replaced or corrected while the program runs is seen at once) and the destructor closes it.
// The file is never created: a missing file is a failure, not a new empty library.
// "Stored order" is rowid order; single lookups answer with the first (or, where the caller's scan would
// keep overwriting, the last) matching row in that order.
class NameDatabase final {
public:
    explicit NameDatabase(QString path);
    ~NameDatabase();
    NameDatabase(const NameDatabase &) = delete;
    NameDatabase &operator=(const NameDatabase &) = delete;

    // Opens and unlocks the file; fails for a missing, locked, foreign or damaged file or a wrong key.
    std::optional<DatabaseFailure> open();
    // Checks that a table exists with the columns its readers use.
    std::optional<DatabaseFailure> openTable(DbTable table,
                                             DatabaseFailure::Wording wording = DatabaseFailure::Wording::InDesign);
    // open() followed by openTable() for each table in order; the first failure is returned.
    std::optional<DatabaseFailure> openWith(std::initializer_list<DbTable> tables);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // strokes of the first row whose namechr equals ch, as a signed 16-bit value; no row when none matches.
    RowRead<qint16> strokesOf(const QString &ch);
    // The last row of 81man or 81corp whose ID equals id.
    RowRead<MeaningRow> numberMeaning(DbTable table, int id);
    // The last row of sancai or wrGe whose key (trdgewuxing, rwGeshu) equals key.
    RowRead<MeaningRow> keyedMeaning(DbTable table, const QString &key);
    // Every row of 81man, 81corp, sancai or wrGe by its key (ID as decimal text, trdgewuxing, rwGeshu), the last
    // row of a key winning as above: for reports that look up many keys. Nothing when the table cannot be read
    // to its end.
    std::optional<QHash<QString, MeaningRow>> meaningsByKey(DbTable table);

    // The rows a name may be made of, for the candidate listings: xiong "0", sex the given one or "0", wuxing
    // one of the wishes (an empty wish matches an empty wuxing). In stored order; rows with a missing value
    // in any of these columns never qualify. Nothing when the rows cannot be read to the end.
    struct Candidate {
        qint16 strokes;
        QString namechr;
    };
    std::optional<QList<Candidate>> candidates(const QString &sex, const QStringList &elementWishes);
    // namechr of every row fit for names (xiong "0"), whatever its sex and element, in stored order.
    std::optional<QStringList> nameCharacters();
    // Every row fit for names (xiong "0") with what the suggested names weigh and show, in stored order; rows
    // without a character or a stroke count are left out. Nothing when the rows cannot be read to the end.
    struct NameRow {
        QString namechr;
        qint16 strokes = 0;
        QString wuxing;
        QString sex;
        QString pinyin;
        QString meaning;
    };
    std::optional<QList<NameRow>> nameRows();
    // The same rows without their readings and meanings, each with its rowid, in stored order: read from an index
    // alone, for a search over every character that shows only a few of them.
    struct NameKey {
        qint64 rowid = 0;
        QString namechr;
        qint16 strokes = 0;
        QString wuxing;
        QString sex;
    };
    std::optional<QList<NameKey>> nameKeys();
    // The reading and meaning of each of these rows (pinyin, meaning); a row not there is left out.
    std::optional<QHash<qint64, std::pair<QString, QString>>> readingsAndMeanings(const QList<qint64> &rowids);

    // A row of name as the character lookups show it; a missing value reads as empty text.
    struct LibraryRow {
        QString namechr;
        QString strokes; // as stored, in decimal
        QString wuxing;
        QString pinyin;
        QString fantizi;
        QString meaning;
    };
    // Every row whose namechr equals ch, in stored order; nothing when the table cannot be read.
    std::optional<QList<LibraryRow>> rowsOf(const QString &ch);
    // The same rows with only namechr, strokes and wuxing read.
    std::optional<QList<LibraryRow>> strokeRowsOf(const QString &ch);
    // Every row with this stroke count whose wuxing is exactly one of 金 木 水 火 土, in stored order; only
    // namechr, strokes and wuxing are read.
    std::optional<QList<LibraryRow>> rowsWithStrokes(int strokes);
    // namechr of every row whose whole pinyin equals reading, in stored order; an empty reading matches the
    // rows without a reading.
    std::optional<QStringList> charactersReading(const QString &reading);

    // Unreadable: the row could not be looked for (a damaged library); Failed: it could not be written.
    enum class WriteOutcome { Written, NoSuchRow, Unreadable, Failed };
    // Sets strokes of the first row whose namechr equals ch, in one transaction: Written only once the new
    // value is committed; after any other outcome the table is as it was.
    WriteOutcome setFirstStrokes(const QString &ch, qint16 strokes);

    // Content of the first row of table text whose Name equals key; no row when none has it (or its Content
    // is missing).
    RowRead<QString> textContent(const QString &key);

private:
    bool openWithEarlierRounds();
    sqlite3_stmt *prepare(const char *sql);
    RowRead<MeaningRow> lastMeaning(const QString &sql, const std::function<void(sqlite3_stmt *)> &bind);

    QString m_path;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_strokesQuery = nullptr;
    sqlite3_stmt *m_rowsQuery = nullptr;
    sqlite3_stmt *m_strokeRowsQuery = nullptr;
};

} // namespace tolvane
