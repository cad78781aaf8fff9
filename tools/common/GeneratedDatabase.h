#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sqlite3.h>

namespace tolvane::tools {

// A database file a generator writes. It is built as PATH.part, which replaces PATH only once it is complete,
// so that a failed or interrupted build never leaves a half file under the real name. The first failure is
// kept as the message in error.
class GeneratedDatabase final {
public:
    GeneratedDatabase(QString path, QString *error)
        : m_path(std::move(path))
        , m_part(m_path + QStringLiteral(".part"))
        , m_error(error)
    {
    }
    ~GeneratedDatabase() { close(); }
    GeneratedDatabase(const GeneratedDatabase &) = delete;
    GeneratedDatabase &operator=(const GeneratedDatabase &) = delete;

    // Starts the file anew: a .part left by an earlier build is removed and the folder made.
    bool create()
    {
        QFile::remove(m_part);
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        if (sqlite3_open_v2(QFile::encodeName(m_part).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                nullptr)
            != SQLITE_OK)
            return fail("cannot create " + m_part.toUtf8());
        return true;
    }

    bool exec(const QByteArray &sql)
    {
        char *message = nullptr;
        if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
            return true;
        const QByteArray text = message ? QByteArray(message) : QByteArray("unknown error");
        sqlite3_free(message);
        return fail(text + " in: " + sql.left(120));
    }

    // Inserts rows through one prepared statement; bind(stmt, id, row) binds the values of one row, id counting
    // the rows from 1.
    template <typename Rows, typename Bind> bool insert(const QByteArray &sql, const Rows &rows, Bind bind)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return fail(QByteArray(sqlite3_errmsg(m_db)) + " in: " + sql);
        qint64 id = 0;
        for (const auto &row : rows) {
            bind(stmt, ++id, row);
            if (sqlite3_step(stmt) != SQLITE_DONE) {
                const QByteArray message = sqlite3_errmsg(m_db);
                sqlite3_finalize(stmt);
                return fail(message + " in: " + sql);
            }
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        return true;
    }

    // Closes the file and puts it in place of PATH.
    bool finish()
    {
        close();
        QFile::remove(m_path);
        if (!QFile::rename(m_part, m_path)) {
            if (m_error)
                *m_error = QStringLiteral("cannot move %1 to %2").arg(m_part, m_path);
            return false;
        }
        return true;
    }

private:
    void close()
    {
        if (m_db)
            sqlite3_close_v2(m_db);
        m_db = nullptr;
    }

    bool fail(const QByteArray &message)
    {
        if (m_error)
            *m_error = QString::fromUtf8(message);
        return false;
    }

    QString m_path;
    QString m_part;
    QString *m_error;
    sqlite3 *m_db = nullptr;
};

} // namespace tolvane::tools
