#include "data/NameDatabase.h"

#include "data/DatabaseKey.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace tolvane {

namespace {

QString columnText(sqlite3_stmt *stmt, int column)
{
    const auto *data = static_cast<const char16_t *>(sqlite3_column_text16(stmt, column));
    if (!data)
        return {};
    const int bytes = sqlite3_column_bytes16(stmt, column);
    return QString::fromUtf16(data, bytes / 2);
}

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
}

// One step of a single-row lookup: the row read by take (which may find the row's value missing) when there is
// one; failed when the step neither found a row nor came to the end of the result.
template <typename T, typename Take> RowRead<T> stepOnce(sqlite3_stmt *stmt, Take take)
{
    RowRead<T> result;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        result.row = take(stmt);
    else
        result.failed = rc != SQLITE_DONE;
    return result;
}

} // namespace

NameDatabase::NameDatabase(QString path)
    : m_path(std::move(path))
{
}

NameDatabase::~NameDatabase()
{
    close();
}

void NameDatabase::close()
{
    if (m_strokesQuery) {
        sqlite3_finalize(m_strokesQuery);
        m_strokesQuery = nullptr;
    }
    if (m_rowsQuery) {
        sqlite3_finalize(m_rowsQuery);
        m_rowsQuery = nullptr;
    }
    if (m_strokeRowsQuery) {
        sqlite3_finalize(m_strokeRowsQuery);
        m_strokeRowsQuery = nullptr;
    }
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

std::optional<DatabaseFailure> NameDatabase::open()
{
    close();
    const DatabaseFailure failure{DatabaseFailure::Kind::File};
    // sqlite would treat a directory or an empty file as an empty database; neither is our library.
    const QFileInfo info(m_path);
    if (!info.isFile())
        return failure;
    const std::optional<QByteArray> keyPragma = DatabaseKey::rawKeyPragmaFor(m_path);
    if (!keyPragma)
        return failure;

    const QByteArray path = QFile::encodeName(m_path);
    if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        close();
        return failure;
    }
    sqlite3_busy_timeout(m_db, 2000);
    // The first read proves the key: with any other password the pages do not decrypt.
    if (sqlite3_exec(m_db, keyPragma->constData(), nullptr, nullptr, nullptr) != SQLITE_OK
        || sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        close();
        return openWithEarlierRounds() ? std::nullopt : std::optional(failure);
    }
    return std::nullopt;
}

// A library written by an earlier version took more rounds to derive its key: tried on a fresh connection when
// the current key does not open the file.
bool NameDatabase::openWithEarlierRounds()
{
    const std::optional<QByteArray> keyPragma = DatabaseKey::rawKeyPragmaFor(m_path, kLegacyDatabaseKdfIterations);
    if (!keyPragma
        || sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
               nullptr)
            != SQLITE_OK) {
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, 2000);
    if (sqlite3_exec(m_db, keyPragma->constData(), nullptr, nullptr, nullptr) != SQLITE_OK
        || sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        close();
        return false;
    }
    return true;
}

std::optional<DatabaseFailure> NameDatabase::openTable(DbTable table, DatabaseFailure::Wording wording)
{
    const DatabaseFailure failure{DatabaseFailure::Kind::Table, table, wording};
    if (!m_db)
        return failure;
    const QByteArray sql = QStringLiteral("SELECT %1 FROM \"%2\" LIMIT 0;")
                               .arg(tableColumns(table), tableName(table))
                               .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.constData(), -1, &stmt, nullptr);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK)
        return failure;
    return std::nullopt;
}

std::optional<DatabaseFailure> NameDatabase::openWith(std::initializer_list<DbTable> tables)
{
    if (auto failure = open())
        return failure;
    for (DbTable table : tables) {
        if (auto failure = openTable(table))
            return failure;
    }
    return std::nullopt;
}

sqlite3_stmt *NameDatabase::prepare(const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

RowRead<qint16> NameDatabase::strokesOf(const QString &ch)
{
    if (!m_strokesQuery)
        m_strokesQuery = prepare("SELECT strokes FROM name WHERE namechr = ?1 ORDER BY rowid LIMIT 1;");
    if (!m_strokesQuery)
        return { std::nullopt, true };
    sqlite3_reset(m_strokesQuery);
    bindText(m_strokesQuery, 1, ch);
    const RowRead<qint16> result = stepOnce<qint16>(
        m_strokesQuery, [](sqlite3_stmt *stmt) { return static_cast<qint16>(sqlite3_column_int(stmt, 0)); });
    sqlite3_reset(m_strokesQuery);
    return result;
}

RowRead<MeaningRow> NameDatabase::lastMeaning(const QString &sql, const std::function<void(sqlite3_stmt *)> &bind)
{
    sqlite3_stmt *stmt = prepare(sql.toUtf8().constData());
    if (!stmt)
        return { std::nullopt, true };
    bind(stmt);
    const RowRead<MeaningRow> result
        = stepOnce<MeaningRow>(stmt, [](sqlite3_stmt *row) { return MeaningRow { columnText(row, 0), columnText(row, 1) }; });
    sqlite3_finalize(stmt);
    return result;
}

std::optional<QList<NameDatabase::Candidate>> NameDatabase::candidates(const QString &sex,
                                                                        const QStringList &elementWishes)
{
    // One pass over the covering index answers every group and position of a listing; the rows come back in
    // index order and are put in stored order here, which is cheaper than a sort inside the query.
    sqlite3_stmt *stmt = prepare("SELECT rowid, strokes, namechr FROM name WHERE xiong = '0' AND (sex = ?1 OR sex = '0') "
                                 "AND wuxing IN (?2, ?3, ?4, ?5, ?6) AND strokes IS NOT NULL AND namechr IS NOT NULL;");
    if (!stmt)
        return std::nullopt;
    bindText(stmt, 1, sex);
    for (int i = 0; i < 5; ++i)
        bindText(stmt, i + 2, elementWishes.value(i));
    struct Row {
        sqlite3_int64 rowid;
        Candidate candidate;
    };
    std::vector<Row> rows;
    rows.reserve(9000);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2));
        rows.push_back({sqlite3_column_int64(stmt, 0),
                        {static_cast<qint16>(sqlite3_column_int(stmt, 1)),
                         QString::fromUtf8(text, sqlite3_column_bytes(stmt, 2))}});
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
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
    sqlite3_stmt *stmt = prepare("SELECT namechr FROM name WHERE xiong = '0' AND namechr IS NOT NULL ORDER BY rowid;");
    if (!stmt)
        return std::nullopt;
    QStringList chars;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
        chars.append(QString::fromUtf8(text, sqlite3_column_bytes(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return chars;
}

std::optional<QList<NameDatabase::NameRow>> NameDatabase::nameRows()
{
    sqlite3_stmt *stmt = prepare("SELECT namechr, strokes, wuxing, sex, pinyin, meaning FROM name WHERE xiong = '0' "
                                 "AND namechr IS NOT NULL AND strokes IS NOT NULL ORDER BY rowid;");
    if (!stmt)
        return std::nullopt;
    const auto column = [stmt](int i) {
        return QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)), sqlite3_column_bytes(stmt, i));
    };
    QList<NameRow> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        rows.append({ column(0), static_cast<qint16>(sqlite3_column_int(stmt, 1)), column(2), column(3), column(4),
            column(5) });
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

std::optional<QList<NameDatabase::NameKey>> NameDatabase::nameKeys()
{
    // No ORDER BY: the index on (xiong, sex, wuxing, strokes, namechr) holds every column asked for, and sorting
    // here by rowid would make SQLite read the table itself, meanings and all.
    sqlite3_stmt *stmt = prepare("SELECT rowid, namechr, strokes, wuxing, sex FROM name WHERE xiong = '0' "
                                 "AND namechr IS NOT NULL AND strokes IS NOT NULL;");
    if (!stmt)
        return std::nullopt;
    const auto column = [stmt](int i) {
        return QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)), sqlite3_column_bytes(stmt, i));
    };
    QList<NameKey> keys;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        keys.append({ sqlite3_column_int64(stmt, 0), column(1), static_cast<qint16>(sqlite3_column_int(stmt, 2)),
            column(3), column(4) });
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    std::sort(keys.begin(), keys.end(), [](const NameKey &a, const NameKey &b) { return a.rowid < b.rowid; });
    return keys;
}

std::optional<QHash<qint64, std::pair<QString, QString>>> NameDatabase::readingsAndMeanings(const QList<qint64> &rowids)
{
    sqlite3_stmt *stmt = prepare("SELECT pinyin, meaning FROM name WHERE rowid = ?1;");
    if (!stmt)
        return std::nullopt;
    const auto column = [stmt](int i) {
        return QString::fromUtf8(
            reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)), sqlite3_column_bytes(stmt, i));
    };
    QHash<qint64, std::pair<QString, QString>> found;
    for (qint64 rowid : rowids) {
        sqlite3_reset(stmt);
        sqlite3_bind_int64(stmt, 1, rowid);
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            found.insert(rowid, { column(0), column(1) });
        else if (rc != SQLITE_DONE) {
            sqlite3_finalize(stmt);
            return std::nullopt;
        }
    }
    sqlite3_finalize(stmt);
    return found;
}

RowRead<MeaningRow> NameDatabase::numberMeaning(DbTable table, int id)
{
    return lastMeaning(QStringLiteral("SELECT meaning, flag FROM \"%1\" WHERE ID = ?1 ORDER BY rowid DESC LIMIT 1;")
                           .arg(tableName(table)),
                       [id](sqlite3_stmt *stmt) { sqlite3_bind_int(stmt, 1, id); });
}

RowRead<MeaningRow> NameDatabase::keyedMeaning(DbTable table, const QString &key)
{
    const QString column = table == DbTable::Sancai ? QStringLiteral("trdgewuxing") : QStringLiteral("rwGeshu");
    return lastMeaning(QStringLiteral("SELECT meaning, flag FROM \"%1\" WHERE %2 = ?1 ORDER BY rowid DESC LIMIT 1;")
                           .arg(tableName(table), column),
                       [&key](sqlite3_stmt *stmt) { bindText(stmt, 1, key); });
}

std::optional<QHash<QString, MeaningRow>> NameDatabase::meaningsByKey(DbTable table)
{
    const bool numbered = table == DbTable::Man81 || table == DbTable::Corp81;
    const QString key = numbered   ? QStringLiteral("ID")
        : table == DbTable::Sancai ? QStringLiteral("trdgewuxing")
                                   : QStringLiteral("rwGeshu");
    sqlite3_stmt *stmt = prepare(QStringLiteral("SELECT %1, meaning, flag FROM \"%2\" ORDER BY rowid;")
                                     .arg(key, tableName(table))
                                     .toUtf8()
                                     .constData());
    if (!stmt)
        return std::nullopt;
    QHash<QString, MeaningRow> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const QString id = numbered ? QString::number(sqlite3_column_int(stmt, 0)) : columnText(stmt, 0);
        rows.insert(id, MeaningRow { columnText(stmt, 1), columnText(stmt, 2) });
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

namespace {

// The library stores UTF-8: reading it as such spares SQLite a converted copy of every value.
QString columnUtf8(sqlite3_stmt *stmt, int column)
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(stmt, column)) : QString();
}

NameDatabase::LibraryRow libraryRow(sqlite3_stmt *stmt)
{
    return {columnUtf8(stmt, 0), columnUtf8(stmt, 1), columnUtf8(stmt, 2),
            columnUtf8(stmt, 3), columnUtf8(stmt, 4), columnUtf8(stmt, 5)};
}

// Steps through all rows; nothing unless the statement ran to its end.
std::optional<QList<NameDatabase::LibraryRow>> libraryRows(sqlite3_stmt *stmt)
{
    QList<NameDatabase::LibraryRow> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        rows.append(libraryRow(stmt));
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

} // namespace

std::optional<QList<NameDatabase::LibraryRow>> NameDatabase::rowsOf(const QString &ch)
{
    // Kept prepared: a lookup asks for up to 50 characters in a row.
    if (!m_rowsQuery)
        m_rowsQuery = prepare("SELECT namechr, strokes, wuxing, pinyin, fantizi, meaning FROM name "
                              "WHERE namechr = ?1 ORDER BY rowid;");
    if (!m_rowsQuery)
        return std::nullopt;
    sqlite3_reset(m_rowsQuery);
    bindText(m_rowsQuery, 1, ch);
    std::optional<QList<LibraryRow>> rows = libraryRows(m_rowsQuery);
    sqlite3_reset(m_rowsQuery);
    return rows;
}

std::optional<QList<NameDatabase::LibraryRow>> NameDatabase::strokeRowsOf(const QString &ch)
{
    // The index on namechr holds these columns: the table itself is not read.
    if (!m_strokeRowsQuery)
        m_strokeRowsQuery = prepare("SELECT namechr, strokes, wuxing, NULL, NULL, NULL FROM name "
                                    "WHERE namechr = ?1 ORDER BY rowid;");
    if (!m_strokeRowsQuery)
        return std::nullopt;
    sqlite3_reset(m_strokeRowsQuery);
    bindText(m_strokeRowsQuery, 1, ch);
    std::optional<QList<LibraryRow>> rows = libraryRows(m_strokeRowsQuery);
    sqlite3_reset(m_strokeRowsQuery);
    return rows;
}

std::optional<QList<NameDatabase::LibraryRow>> NameDatabase::rowsWithStrokes(int strokes)
{
    // Only the columns the index holds, so that the table itself is not read; the rows come in index order
    // and are put back into stored order here, which is cheaper than SQLite's sorter.
    sqlite3_stmt *stmt = prepare("SELECT rowid, namechr, strokes, wuxing FROM name "
                                 "WHERE strokes = ?1 AND wuxing IN ('金', '木', '水', '火', '土');");
    if (!stmt)
        return std::nullopt;
    sqlite3_bind_int(stmt, 1, strokes);
    std::vector<std::pair<sqlite3_int64, LibraryRow>> found;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        found.push_back({sqlite3_column_int64(stmt, 0),
                         {columnUtf8(stmt, 1), columnUtf8(stmt, 2), columnUtf8(stmt, 3), {}, {}, {}}});
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
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
    sqlite3_stmt *stmt = reading.isEmpty()
        ? prepare("SELECT namechr FROM name WHERE pinyin = '' OR pinyin IS NULL ORDER BY rowid;")
        : prepare("SELECT namechr FROM name WHERE pinyin = ?1 ORDER BY rowid;");
    if (!stmt)
        return std::nullopt;
    if (!reading.isEmpty())
        bindText(stmt, 1, reading);
    QStringList chars;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        chars.append(columnUtf8(stmt, 0));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return chars;
}

NameDatabase::WriteOutcome NameDatabase::setFirstStrokes(const QString &ch, qint16 strokes)
{
    if (!m_db || sqlite3_exec(m_db, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return WriteOutcome::Failed;
    const auto rollBack = [this](WriteOutcome outcome) {
        sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
        return outcome;
    };

    sqlite3_stmt *find = prepare("SELECT rowid FROM name WHERE namechr = ?1 ORDER BY rowid LIMIT 1;");
    if (!find)
        return rollBack(WriteOutcome::Unreadable);
    bindText(find, 1, ch);
    const int found = sqlite3_step(find);
    const sqlite3_int64 rowid = found == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
    sqlite3_finalize(find);
    if (found == SQLITE_DONE)
        return rollBack(WriteOutcome::NoSuchRow);
    if (found == SQLITE_BUSY || found == SQLITE_LOCKED)
        return rollBack(WriteOutcome::Failed);
    if (found != SQLITE_ROW)
        return rollBack(WriteOutcome::Unreadable);

    sqlite3_stmt *update = prepare("UPDATE name SET strokes = ?1 WHERE rowid = ?2;");
    if (!update)
        return rollBack(WriteOutcome::Failed);
    sqlite3_bind_int(update, 1, strokes);
    sqlite3_bind_int64(update, 2, rowid);
    const int updated = sqlite3_step(update);
    sqlite3_finalize(update);
    if (updated != SQLITE_DONE || sqlite3_changes(m_db) != 1)
        return rollBack(WriteOutcome::Failed);
    if (sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return rollBack(WriteOutcome::Failed);
    return WriteOutcome::Written;
}

RowRead<QString> NameDatabase::textContent(const QString &key)
{
    sqlite3_stmt *stmt = prepare("SELECT Content FROM text WHERE Name = ?1 ORDER BY rowid LIMIT 1;");
    if (!stmt)
        return { std::nullopt, true };
    bindText(stmt, 1, key);
    // A row whose Content is missing counts as no row.
    const RowRead<QString> content = stepOnce<QString>(stmt, [](sqlite3_stmt *row) {
        return sqlite3_column_type(row, 0) != SQLITE_NULL ? std::optional<QString>(columnText(row, 0)) : std::nullopt;
    });
    sqlite3_finalize(stmt);
    return content;
}

} // namespace tolvane
