#include "data/NameDatabase.h"

#include "data/DatabaseKey.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace tolvane {

namespace {

// One step of a single-row lookup: the row read by take (which may find the row's value missing) when there is
// one; failed when the step neither found a row nor came to the end of the result.
template <typename T, typename Take> RowRead<T> stepOnce(Statement &stmt, Take take)
{
    RowRead<T> result;
    if (stmt.next())
        result.row = take(stmt);
    else
        result.failed = !stmt.finished();
    return result;
}

// The column the rows of a meaning table are looked up by.
QString keyColumn(DbTable table)
{
    return table == DbTable::Man81 || table == DbTable::Corp81 ? QStringLiteral("ID")
        : table == DbTable::Sancai                              ? QStringLiteral("trdgewuxing")
                                                                : QStringLiteral("rwGeshu");
}

// The last row of a meaning table whose key is key.
template <typename Key> RowRead<MeaningRow> lastMeaning(sqlite3 *db, DbTable table, const Key &key)
{
    Statement stmt(db, QStringLiteral("SELECT meaning, flag FROM \"%1\" WHERE %2 = ?1 ORDER BY rowid DESC LIMIT 1;")
                           .arg(tableName(table), keyColumn(table))
                           .toUtf8());
    stmt.bind(1, key);
    return stepOnce<MeaningRow>(stmt, [](const Statement &row) { return MeaningRow{row.text(0), row.text(1)}; });
}

} // namespace

NameDatabase::NameDatabase(const QString &path, std::initializer_list<DbTable> tables,
                           DatabaseFailure::Wording wording)
{
    // sqlite would treat a directory or an empty file as an empty database; neither is our library. A library
    // written by an earlier version took more rounds to derive its key: tried when the current key does not
    // open the file.
    if (!QFileInfo(path).isFile()
        || (!connect(path, kDatabaseKdfIterations) && !connect(path, kLegacyDatabaseKdfIterations))) {
        m_failure = DatabaseFailure{DatabaseFailure::Kind::File};
        return;
    }
    for (DbTable table : tables) {
        const QByteArray sql
            = QStringLiteral("SELECT %1 FROM \"%2\" LIMIT 0;").arg(tableColumns(table), tableName(table)).toUtf8();
        if (!Statement(m_db.get(), sql).isValid()) {
            close();
            m_failure = DatabaseFailure{DatabaseFailure::Kind::Table, table, wording};
            return;
        }
    }
}

bool NameDatabase::connect(const QString &path, int keyRounds)
{
    DatabaseKey::prepareCryptography();
    const std::optional<QByteArray> keyPragma = DatabaseKey::rawKeyPragmaFor(path, keyRounds);
    sqlite3 *db = nullptr;
    if (!keyPragma
        || sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                           nullptr)
            != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    m_db.reset(db);
    sqlite3_busy_timeout(db, 2000);
    // The first read proves the key: with any other password the pages do not decrypt.
    if (sqlite3_exec(db, keyPragma->constData(), nullptr, nullptr, nullptr) != SQLITE_OK
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        close();
        return false;
    }
    return true;
}

void NameDatabase::Closer::operator()(sqlite3 *db) const
{
    sqlite3_close_v2(db);
}

void NameDatabase::close()
{
    m_strokesQuery.reset();
    m_rowsQuery.reset();
    m_strokeRowsQuery.reset();
    m_db.reset();
}

RowRead<qint16> NameDatabase::strokesOf(const QString &ch)
{
    if (!m_strokesQuery)
        m_strokesQuery.emplace(m_db.get(), "SELECT strokes FROM name WHERE namechr = ?1 ORDER BY rowid LIMIT 1;");
    Statement &query = m_strokesQuery->reset().bind(1, ch);
    const RowRead<qint16> result
        = stepOnce<qint16>(query, [](const Statement &row) { return static_cast<qint16>(row.integer(0)); });
    query.reset();
    return result;
}

std::optional<QList<NameDatabase::Candidate>> NameDatabase::candidates(const QString &sex,
                                                                        const QStringList &elementWishes)
{
    // One pass over the covering index answers every group and position of a listing; the rows come back in
    // index order and are put in stored order here, which is cheaper than a sort inside the query.
    Statement stmt(m_db.get(), "SELECT rowid, strokes, namechr FROM name WHERE xiong = '0' AND (sex = ?1 OR sex = '0') "
                         "AND wuxing IN (?2, ?3, ?4, ?5, ?6) AND strokes IS NOT NULL AND namechr IS NOT NULL;");
    stmt.bind(1, sex);
    for (int i = 0; i < 5; ++i)
        stmt.bind(i + 2, elementWishes.value(i));
    struct Row {
        qint64 rowid;
        Candidate candidate;
    };
    std::vector<Row> rows;
    rows.reserve(9000);
    while (stmt.next())
        rows.push_back({stmt.integer(0), {static_cast<qint16>(stmt.integer(1)), stmt.utf8(2)}});
    if (!stmt.finished())
        return std::nullopt;
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.rowid < b.rowid; });
    QList<Candidate> result;
    result.reserve(qsizetype(rows.size()));
    for (Row &r : rows)
        result.append(std::move(r.candidate));
    return result;
}

std::optional<QStringList> NameDatabase::nameCharacters()
{
    Statement stmt(m_db.get(), "SELECT namechr FROM name WHERE xiong = '0' AND namechr IS NOT NULL ORDER BY rowid;");
    QStringList chars;
    while (stmt.next())
        chars.append(stmt.utf8(0));
    return stmt.finished() ? std::optional(chars) : std::nullopt;
}

std::optional<QList<NameDatabase::NameRow>> NameDatabase::nameRows()
{
    Statement stmt(m_db.get(), "SELECT namechr, strokes, wuxing, sex, pinyin, meaning FROM name WHERE xiong = '0' "
                         "AND namechr IS NOT NULL AND strokes IS NOT NULL ORDER BY rowid;");
    QList<NameRow> rows;
    while (stmt.next()) {
        rows.append({stmt.utf8(0), static_cast<qint16>(stmt.integer(1)), stmt.utf8(2), stmt.utf8(3), stmt.utf8(4),
                     stmt.utf8(5)});
    }
    return stmt.finished() ? std::optional(rows) : std::nullopt;
}

std::optional<QList<NameDatabase::NameKey>> NameDatabase::nameKeys()
{
    // No ORDER BY: the index on (xiong, sex, wuxing, strokes, namechr) holds every column asked for, and sorting
    // here by rowid would make SQLite read the table itself, meanings and all.
    Statement stmt(m_db.get(), "SELECT rowid, namechr, strokes, wuxing, sex FROM name WHERE xiong = '0' "
                               "AND namechr IS NOT NULL AND strokes IS NOT NULL;");
    QList<NameKey> keys;
    while (stmt.next())
        keys.append({ stmt.integer(0), stmt.utf8(1), static_cast<qint16>(stmt.integer(2)), stmt.utf8(3), stmt.utf8(4) });
    if (!stmt.finished())
        return std::nullopt;
    std::sort(keys.begin(), keys.end(), [](const NameKey &a, const NameKey &b) { return a.rowid < b.rowid; });
    return keys;
}

std::optional<QHash<qint64, std::pair<QString, QString>>> NameDatabase::readingsAndMeanings(const QList<qint64> &rowids)
{
    // One read transaction for all the lookups: otherwise each would lock and unlock the file and look for a
    // journal on its own.
    const bool transaction = sqlite3_exec(m_db.get(), "BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK;
    std::optional<QHash<qint64, std::pair<QString, QString>>> found;
    {
        Statement stmt(m_db.get(), "SELECT pinyin, meaning FROM name WHERE rowid = ?1;");
        found.emplace();
        for (qint64 rowid : rowids) {
            if (stmt.reset().bind(1, rowid).next()) {
                found->insert(rowid, { stmt.utf8(0), stmt.utf8(1) });
            } else if (!stmt.finished()) {
                found.reset();
                break;
            }
        }
    }
    if (transaction)
        sqlite3_exec(m_db.get(), "COMMIT;", nullptr, nullptr, nullptr);
    return found;
}

RowRead<MeaningRow> NameDatabase::numberMeaning(DbTable table, int id)
{
    return lastMeaning(m_db.get(), table, qint64(id));
}

RowRead<MeaningRow> NameDatabase::keyedMeaning(DbTable table, const QString &key)
{
    return lastMeaning(m_db.get(), table, key);
}

std::optional<QHash<QString, MeaningRow>> NameDatabase::meaningsByKey(DbTable table)
{
    const bool numbered = table == DbTable::Man81 || table == DbTable::Corp81;
    Statement stmt(m_db.get(), QStringLiteral("SELECT %1, meaning, flag FROM \"%2\" ORDER BY rowid;")
                             .arg(keyColumn(table), tableName(table))
                             .toUtf8());
    QHash<QString, MeaningRow> rows;
    while (stmt.next()) {
        const QString id = numbered ? QString::number(int(stmt.integer(0))) : stmt.text(0);
        rows.insert(id, MeaningRow{stmt.text(1), stmt.text(2)});
    }
    return stmt.finished() ? std::optional(rows) : std::nullopt;
}

namespace {

// Steps through all rows; nothing unless the statement ran to its end.
std::optional<QList<NameDatabase::LibraryRow>> libraryRows(Statement &stmt)
{
    QList<NameDatabase::LibraryRow> rows;
    while (stmt.next())
        rows.append({stmt.utf8(0), stmt.utf8(1), stmt.utf8(2), stmt.utf8(3), stmt.utf8(4), stmt.utf8(5)});
    std::optional<QList<NameDatabase::LibraryRow>> result
        = stmt.finished() ? std::optional(rows) : std::nullopt;
    stmt.reset();
    return result;
}

} // namespace

std::optional<QList<NameDatabase::LibraryRow>> NameDatabase::rowsOf(const QString &ch)
{
    if (!m_rowsQuery)
        m_rowsQuery.emplace(m_db.get(), "SELECT namechr, strokes, wuxing, pinyin, fantizi, meaning FROM name "
                                  "WHERE namechr = ?1 ORDER BY rowid;");
    return libraryRows(m_rowsQuery->reset().bind(1, ch));
}

std::optional<QList<NameDatabase::LibraryRow>> NameDatabase::strokeRowsOf(const QString &ch)
{
    // The index on namechr holds these columns: the table itself is not read.
    if (!m_strokeRowsQuery)
        m_strokeRowsQuery.emplace(m_db.get(), "SELECT namechr, strokes, wuxing, NULL, NULL, NULL FROM name "
                                        "WHERE namechr = ?1 ORDER BY rowid;");
    return libraryRows(m_strokeRowsQuery->reset().bind(1, ch));
}

std::optional<QList<NameDatabase::LibraryRow>> NameDatabase::rowsWithStrokes(int strokes)
{
    // Only the columns the index holds, so that the table itself is not read; the rows come in index order
    // and are put back into stored order here, which is cheaper than SQLite's sorter.
    Statement stmt(m_db.get(), "SELECT rowid, namechr, strokes, wuxing FROM name "
                         "WHERE strokes = ?1 AND wuxing IN ('金', '木', '水', '火', '土');");
    stmt.bind(1, strokes);
    std::vector<std::pair<qint64, LibraryRow>> found;
    while (stmt.next())
        found.push_back({stmt.integer(0), {stmt.utf8(1), stmt.utf8(2), stmt.utf8(3), {}, {}, {}}});
    if (!stmt.finished())
        return std::nullopt;
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<LibraryRow> rows;
    rows.reserve(qsizetype(found.size()));
    for (auto &entry : found)
        rows.append(std::move(entry.second));
    return rows;
}

std::optional<QStringList> NameDatabase::charactersReading(const QString &reading)
{
    // A missing pinyin reads as empty text, so the empty reading finds both.
    Statement stmt(m_db.get(), reading.isEmpty()
                             ? "SELECT namechr FROM name WHERE pinyin = '' OR pinyin IS NULL ORDER BY rowid;"
                             : "SELECT namechr FROM name WHERE pinyin = ?1 ORDER BY rowid;");
    if (!reading.isEmpty())
        stmt.bind(1, reading);
    QStringList chars;
    while (stmt.next())
        chars.append(stmt.utf8(0));
    return stmt.finished() ? std::optional(chars) : std::nullopt;
}

NameDatabase::WriteOutcome NameDatabase::setFirstStrokes(const QString &ch, qint16 strokes)
{
    if (!m_db || sqlite3_exec(m_db.get(), "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return WriteOutcome::Failed;
    const auto rollBack = [this](WriteOutcome outcome) {
        sqlite3_exec(m_db.get(), "ROLLBACK;", nullptr, nullptr, nullptr);
        return outcome;
    };

    sqlite3_int64 rowid = 0;
    {
        Statement find(m_db.get(), "SELECT rowid FROM name WHERE namechr = ?1 ORDER BY rowid LIMIT 1;");
        if (!find.isValid())
            return rollBack(WriteOutcome::Unreadable);
        if (find.bind(1, ch).next())
            rowid = find.integer(0);
        else if (find.finished())
            return rollBack(WriteOutcome::NoSuchRow);
        else if (find.lastCode() == SQLITE_BUSY || find.lastCode() == SQLITE_LOCKED)
            return rollBack(WriteOutcome::Failed);
        else
            return rollBack(WriteOutcome::Unreadable);
    }
    Statement update(m_db.get(), "UPDATE name SET strokes = ?1 WHERE rowid = ?2;");
    update.bind(1, strokes).bind(2, rowid).next();
    if (!update.finished() || sqlite3_changes(m_db.get()) != 1)
        return rollBack(WriteOutcome::Failed);
    if (sqlite3_exec(m_db.get(), "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return rollBack(WriteOutcome::Failed);
    return WriteOutcome::Written;
}

RowRead<QString> NameDatabase::textContent(const QString &key)
{
    Statement stmt(m_db.get(), "SELECT Content FROM text WHERE Name = ?1 ORDER BY rowid LIMIT 1;");
    stmt.bind(1, key);
    // A row whose Content is missing counts as no row.
    return stepOnce<QString>(stmt, [](const Statement &row) {
        return !row.isNull(0) ? std::optional<QString>(row.text(0)) : std::nullopt;
    });
}

} // namespace tolvane
