#include "ClassicsWriter.h"

#include "data/ClassicsDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace tolvane::mkclassics {

namespace {

class Connection {
public:
    explicit Connection(QString *error)
        : m_error(error)
    {
    }
    ~Connection() { close(); }

    bool open(const QString &path)
    {
        if (sqlite3_open_v2(
                QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK)
            return fail("cannot create " + path.toUtf8());
        // Nothing to recover from: a failed build writes the file anew.
        return exec("PRAGMA journal_mode = OFF;") && exec("PRAGMA synchronous = OFF;");
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

    template <typename Rows, typename Bind> bool insert(const QByteArray &sql, const Rows &rows, Bind bind)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return fail(QByteArray(sqlite3_errmsg(m_db)) + " in: " + sql);
        qint64 index = 0;
        for (const auto &row : rows) {
            bind(stmt, ++index, row);
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

    void close()
    {
        if (m_db)
            sqlite3_close_v2(m_db);
        m_db = nullptr;
    }

private:
    bool fail(const QByteArray &message)
    {
        if (m_error)
            *m_error = QString::fromUtf8(message);
        return false;
    }

    sqlite3 *m_db = nullptr;
    QString *m_error;
};

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void bindCharacter(sqlite3_stmt *stmt, int index, char32_t c)
{
    bindText(stmt, index, QString::fromUcs4(&c, 1));
}

} // namespace

bool ClassicsWriter::write(const ClassicsContents &contents, const QString &path, QString *error)
{
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        Connection c(error);
        QList<std::pair<QString, QString>> meta { { QStringLiteral("format"),
            QString::number(ClassicsDatabase::kFormat) } };
        meta += contents.meta;
        const bool ok = c.open(temp) && c.exec("BEGIN;")
            && c.exec("CREATE TABLE meta (name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;")
            && c.exec("CREATE TABLE classic (id INTEGER PRIMARY KEY, name TEXT NOT NULL);")
            && c.exec("CREATE TABLE poem (id INTEGER PRIMARY KEY, classic INTEGER NOT NULL, title TEXT NOT NULL, "
                      "author TEXT NOT NULL);")
            && c.exec("CREATE TABLE line (id INTEGER PRIMARY KEY, poem INTEGER NOT NULL, text TEXT NOT NULL);")
            && c.exec("CREATE TABLE pair (first TEXT NOT NULL, second TEXT NOT NULL, classic INTEGER NOT NULL, "
                      "line INTEGER NOT NULL, PRIMARY KEY (first, classic, second)) WITHOUT ROWID;")
            && c.exec("CREATE TABLE single (character TEXT NOT NULL, classic INTEGER NOT NULL, line INTEGER NOT NULL, "
                      "PRIMARY KEY (character, classic)) WITHOUT ROWID;")
            && c.exec("CREATE VIEW verse AS SELECT line.id AS line, classic.name AS classic, poem.title, poem.author, "
                      "line.text FROM line JOIN poem ON poem.id = line.poem JOIN classic ON classic.id = poem.classic;")
            && c.insert("INSERT INTO meta VALUES (?1, ?2);", meta,
                [](sqlite3_stmt *s, qint64, const std::pair<QString, QString> &r) {
                    bindText(s, 1, r.first);
                    bindText(s, 2, r.second);
                })
            && c.insert("INSERT INTO classic VALUES (?1, ?2);", kAllClassics,
                [](sqlite3_stmt *s, qint64, Classic r) {
                    sqlite3_bind_int(s, 1, int(r));
                    bindText(s, 2, classicName(r));
                })
            && c.insert("INSERT INTO poem VALUES (?1, ?2, ?3, ?4);", contents.poems,
                [](sqlite3_stmt *s, qint64 id, const ClassicsContents::Poem &r) {
                    sqlite3_bind_int64(s, 1, id);
                    sqlite3_bind_int(s, 2, int(r.classic));
                    bindText(s, 3, r.title);
                    bindText(s, 4, r.author);
                })
            && c.insert("INSERT INTO line VALUES (?1, ?2, ?3);", contents.lines,
                [](sqlite3_stmt *s, qint64 id, const ClassicsContents::Line &r) {
                    sqlite3_bind_int64(s, 1, id);
                    sqlite3_bind_int(s, 2, r.poem);
                    bindText(s, 3, r.text);
                })
            && c.insert("INSERT INTO pair VALUES (?1, ?2, ?3, ?4);", contents.pairs,
                [](sqlite3_stmt *s, qint64, const ClassicsContents::PairRow &r) {
                    bindCharacter(s, 1, r.first);
                    bindCharacter(s, 2, r.second);
                    sqlite3_bind_int(s, 3, int(r.classic));
                    sqlite3_bind_int(s, 4, r.line);
                })
            && c.insert("INSERT INTO single VALUES (?1, ?2, ?3);", contents.singles,
                [](sqlite3_stmt *s, qint64, const ClassicsContents::SingleRow &r) {
                    bindCharacter(s, 1, r.character);
                    sqlite3_bind_int(s, 2, int(r.classic));
                    sqlite3_bind_int(s, 3, r.line);
                })
            // Fixed-character naming looks pairs up by their second character.
            && c.exec("CREATE INDEX pair_second ON pair (second, classic, first, line);") && c.exec("COMMIT;");
        if (!ok)
            return false;
        c.close();
    }
    QFile::remove(path);
    if (!QFile::rename(temp, path)) {
        if (error)
            *error = QStringLiteral("cannot move %1 to %2").arg(temp, path);
        return false;
    }
    return true;
}

} // namespace tolvane::mkclassics
