#include "data/NameDatabase.h"

#include "data/DatabaseKey.h"

#include <QFileInfo>

#include <sqlite3.h>

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
        return failure;
    }
    return std::nullopt;
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

std::optional<qint16> NameDatabase::strokesOf(const QString &ch)
{
    if (!m_strokesQuery)
        m_strokesQuery = prepare("SELECT strokes FROM name WHERE namechr = ?1 ORDER BY rowid LIMIT 1;");
    if (!m_strokesQuery)
        return std::nullopt;
    sqlite3_reset(m_strokesQuery);
    bindText(m_strokesQuery, 1, ch);
    std::optional<qint16> result;
    if (sqlite3_step(m_strokesQuery) == SQLITE_ROW)
        result = static_cast<qint16>(sqlite3_column_int(m_strokesQuery, 0));
    sqlite3_reset(m_strokesQuery);
    return result;
}

std::optional<MeaningRow> NameDatabase::lastMeaning(const QString &sql,
                                                    const std::function<void(sqlite3_stmt *)> &bind)
{
    sqlite3_stmt *stmt = prepare(sql.toUtf8().constData());
    if (!stmt)
        return std::nullopt;
    bind(stmt);
    std::optional<MeaningRow> result;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = MeaningRow{columnText(stmt, 0), columnText(stmt, 1)};
    sqlite3_finalize(stmt);
    return result;
}

std::optional<MeaningRow> NameDatabase::numberMeaning(DbTable table, int id)
{
    return lastMeaning(QStringLiteral("SELECT meaning, flag FROM \"%1\" WHERE ID = ?1 ORDER BY rowid DESC LIMIT 1;")
                           .arg(tableName(table)),
                       [id](sqlite3_stmt *stmt) { sqlite3_bind_int(stmt, 1, id); });
}

std::optional<MeaningRow> NameDatabase::keyedMeaning(DbTable table, const QString &key)
{
    const QString column = table == DbTable::Sancai ? QStringLiteral("trdgewuxing") : QStringLiteral("rwGeshu");
    return lastMeaning(QStringLiteral("SELECT meaning, flag FROM \"%1\" WHERE %2 = ?1 ORDER BY rowid DESC LIMIT 1;")
                           .arg(tableName(table), column),
                       [&key](sqlite3_stmt *stmt) { bindText(stmt, 1, key); });
}

} // namespace tolvane
