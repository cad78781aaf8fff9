#pragma once

#include "data/DatabaseFailure.h"
#include "data/DbTable.h"

#include <QString>

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

    // strokes of the first row whose namechr equals ch, as a signed 16-bit value; nothing when no row matches.
    std::optional<qint16> strokesOf(const QString &ch);
    // The last row of 81man or 81corp whose ID equals id.
    std::optional<MeaningRow> numberMeaning(DbTable table, int id);
    // The last row of sancai or wrGe whose key (trdgewuxing, rwGeshu) equals key.
    std::optional<MeaningRow> keyedMeaning(DbTable table, const QString &key);

private:
    sqlite3_stmt *prepare(const char *sql);
    std::optional<MeaningRow> lastMeaning(const QString &sql, const std::function<void(sqlite3_stmt *)> &bind);

    QString m_path;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_strokesQuery = nullptr;
};

} // namespace tolvane
