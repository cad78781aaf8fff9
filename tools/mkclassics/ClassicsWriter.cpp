#include "ClassicsWriter.h"

#include "common/GeneratedDatabase.h"
#include "data/ClassicsDatabase.h"

#include <sqlite3.h>

namespace tolvane::mkclassics {

namespace {

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
    tools::GeneratedDatabase c(path, error);
    QList<std::pair<QString, QString>> meta { { QStringLiteral("format"),
        QString::number(ClassicsDatabase::kFormat) } };
    meta += contents.meta;
    // Nothing to recover from: a failed build writes the file anew.
    const bool ok = c.create() && c.exec("PRAGMA journal_mode = OFF;") && c.exec("PRAGMA synchronous = OFF;")
        && c.exec("BEGIN;") && c.exec("CREATE TABLE meta (name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;")
        && c.exec("CREATE TABLE classic (id INTEGER PRIMARY KEY, name TEXT NOT NULL);")
        && c.exec("CREATE TABLE poem (id INTEGER PRIMARY KEY, classic INTEGER NOT NULL, title TEXT NOT NULL, "
                  "author TEXT NOT NULL);")
        && c.exec("CREATE TABLE line (id INTEGER PRIMARY KEY, poem INTEGER NOT NULL, text TEXT NOT NULL);")
        && c.exec("CREATE TABLE pair (first TEXT NOT NULL, second TEXT NOT NULL, classic INTEGER NOT NULL, "
                  "line INTEGER NOT NULL, rank INTEGER NOT NULL, sex INTEGER NOT NULL, "
                  "PRIMARY KEY (first, classic, second)) WITHOUT ROWID;")
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
        && c.insert("INSERT INTO pair VALUES (?1, ?2, ?3, ?4, ?5, ?6);", contents.pairs,
            [](sqlite3_stmt *s, qint64, const ClassicsContents::PairRow &r) {
                bindCharacter(s, 1, r.first);
                bindCharacter(s, 2, r.second);
                sqlite3_bind_int(s, 3, int(r.classic));
                sqlite3_bind_int(s, 4, r.line);
                sqlite3_bind_int(s, 5, r.rank);
                sqlite3_bind_int(s, 6, r.sex);
            })
        && c.insert("INSERT INTO single VALUES (?1, ?2, ?3);", contents.singles,
            [](sqlite3_stmt *s, qint64, const ClassicsContents::SingleRow &r) {
                bindCharacter(s, 1, r.character);
                sqlite3_bind_int(s, 2, int(r.classic));
                sqlite3_bind_int(s, 3, r.line);
            })
        // Fixed-character naming looks pairs up by their second character.
        && c.exec("CREATE INDEX pair_second ON pair (second, classic, first, line, rank, sex);") && c.exec("COMMIT;");
    return ok && c.finish();
}

} // namespace tolvane::mkclassics
