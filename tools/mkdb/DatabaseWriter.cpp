#include "DatabaseWriter.h"

#include "data/DatabaseKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace tolvane::mkdb {

namespace {

class Writer {
public:
    explicit Writer(QString *error)
        : m_error(error)
    {
    }
    ~Writer()
    {
        if (m_db)
            sqlite3_close_v2(m_db);
    }

    bool open(const QString &path, const QString &password, int kdfIterations)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK)
            return fail("cannot create " + path.toUtf8());
        QByteArray quoted = password.toUtf8();
        quoted.replace('\'', "''");
        return exec("PRAGMA key = '" + quoted + "';")
            && exec("PRAGMA kdf_iter = " + QByteArray::number(kdfIterations) + ";")
            && exec("PRAGMA cipher_page_size = " + QByteArray::number(kDatabasePageSize) + ";");
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

    // Inserts rows through one prepared statement; bind(stmt, row) binds the values of one row.
    template <typename Row, typename Bind>
    bool insert(const QByteArray &sql, const QList<Row> &rows, Bind bind)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return fail(QByteArray(sqlite3_errmsg(m_db)) + " in: " + sql);
        for (const Row &row : rows) {
            bind(stmt, row);
            if (sqlite3_step(stmt) != SQLITE_DONE) {
                sqlite3_finalize(stmt);
                return fail(QByteArray(sqlite3_errmsg(m_db)) + " in: " + sql);
            }
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        return true;
    }

    void close()
    {
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
    sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
}

} // namespace

bool DatabaseWriter::write(
    const LibraryContents &contents, const QString &path, const QString &password, QString *error, int kdfIterations)
{
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        Writer w(error);
        if (!w.open(temp, password, kdfIterations) || !w.exec("BEGIN;"))
            return false;
        const auto wanted = [&](const char *table) {
            return !contents.omitTables.contains(QString::fromLatin1(table));
        };
        if (wanted("name")) {
            if (!w.exec("CREATE TABLE name (namechr TEXT NOT NULL, strokes INTEGER NOT NULL, wuxing TEXT, "
                        "sex TEXT, xiong TEXT, pinyin TEXT, fantizi TEXT, meaning TEXT);")
                // Cover the stroke lookups and the listings by stroke count and by reading, so that they read
                // a few index pages instead of a table page per character.
                || !w.exec("CREATE INDEX name_namechr ON name(namechr, strokes, wuxing);")
                || !w.exec("CREATE INDEX name_strokes ON name(strokes, wuxing, namechr);")
                || !w.exec("CREATE INDEX name_pinyin ON name(pinyin, namechr);")
                // Covers the candidate listings, which then read a small index instead of the whole table.
                || !w.exec("CREATE INDEX name_candidates ON name(xiong, sex, wuxing, strokes, namechr);")
                || !w.insert("INSERT INTO name VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8);", contents.name,
                             [](sqlite3_stmt *s, const CharacterRow &r) {
                                 bindText(s, 1, r.namechr);
                                 sqlite3_bind_int(s, 2, r.strokes);
                                 bindText(s, 3, r.wuxing);
                                 bindText(s, 4, r.sex);
                                 bindText(s, 5, r.xiong);
                                 bindText(s, 6, r.pinyin);
                                 bindText(s, 7, r.fantizi);
                                 bindText(s, 8, r.meaning);
                             }))
                return false;
        }
        const auto numberTable = [&](const char *table, const QList<NumberTextRow> &rows) {
            if (!wanted(table))
                return true;
            const QByteArray name(table);
            return w.exec("CREATE TABLE \"" + name + "\" (ID INTEGER NOT NULL, meaning TEXT, flag TEXT);")
                && w.exec("CREATE INDEX \"" + name + "_id\" ON \"" + name + "\"(ID);")
                && w.insert("INSERT INTO \"" + name + "\" VALUES (?1, ?2, ?3);", rows,
                            [](sqlite3_stmt *s, const NumberTextRow &r) {
                                sqlite3_bind_int(s, 1, r.id);
                                bindText(s, 2, r.meaning);
                                bindText(s, 3, r.flag);
                            });
        };
        const auto keyedTable = [&](const char *table, const char *keyColumn, const QList<KeyedTextRow> &rows) {
            if (!wanted(table))
                return true;
            const QByteArray name(table);
            const QByteArray key(keyColumn);
            return w.exec("CREATE TABLE " + name + " (" + key + " TEXT NOT NULL, meaning TEXT, flag TEXT);")
                && w.exec("CREATE INDEX " + name + "_key ON " + name + "(" + key + ");")
                && w.insert("INSERT INTO " + name + " VALUES (?1, ?2, ?3);", rows,
                            [](sqlite3_stmt *s, const KeyedTextRow &r) {
                                bindText(s, 1, r.key);
                                bindText(s, 2, r.meaning);
                                bindText(s, 3, r.flag);
                            });
        };
        if (!numberTable("81man", contents.man81) || !numberTable("81corp", contents.corp81)
            || !keyedTable("sancai", "trdgewuxing", contents.sancai) || !keyedTable("wrGe", "rwGeshu", contents.wrGe))
            return false;
        if (wanted("text")) {
            if (!w.exec("CREATE TABLE text (Name TEXT NOT NULL, Content TEXT);")
                || !w.insert("INSERT INTO text VALUES (?1, ?2);", contents.text,
                             [](sqlite3_stmt *s, const TextRow &r) {
                                 bindText(s, 1, r.name);
                                 bindText(s, 2, r.content);
                             }))
                return false;
        }
        if (!w.exec("COMMIT;"))
            return false;
        w.close();
    }
    QFile::remove(path);
    if (!QFile::rename(temp, path)) {
        if (error)
            *error = QStringLiteral("cannot move %1 to %2").arg(temp, path);
        return false;
    }
    return true;
}

} // namespace tolvane::mkdb
