#pragma once

#include "data/DatabaseFailure.h"
#include "data/DbTable.h"
#include "data/Statement.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct sqlite3;

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

// One connection to namedbs.mdb for the length of one operation, made by Library::open; the destructor closes
// it. A connection that could not be made holds the failure, and every read of it fails.
// "Stored order" is rowid order; single lookups answer with the first (or, where the caller's scan would
// keep overwriting, the last) matching row in that order.
class NameDatabase final {
public:
    NameDatabase(NameDatabase &&other) noexcept = default;
    NameDatabase &operator=(NameDatabase &&other) noexcept = default;
    NameDatabase(const NameDatabase &) = delete;
    NameDatabase &operator=(const NameDatabase &) = delete;

    // Why the file or one of the tables asked for could not be opened; nothing once the connection is open.
    const std::optional<DatabaseFailure> &failure() const { return m_failure; }
    bool isOpen() const { return m_db != nullptr; }
    // Closes the connection before the end of its scope, once everything is read.
    void close();

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
    friend class Library;
    NameDatabase(const QString &path, std::initializer_list<DbTable> tables, DatabaseFailure::Wording wording);
    bool connect(const QString &path, int keyRounds);

    std::optional<DatabaseFailure> m_failure;
    struct Closer {
        void operator()(sqlite3 *db) const;
    };
    // Declared before the statements, so that they are finalised first.
    std::unique_ptr<sqlite3, Closer> m_db;
    // Kept prepared: a lookup asks for up to 50 characters in a row.
    std::optional<Statement> m_strokesQuery;
    std::optional<Statement> m_rowsQuery;
    std::optional<Statement> m_strokeRowsQuery;
};

} // namespace tolvane
