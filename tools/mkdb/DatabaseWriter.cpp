#include "DatabaseWriter.h"

#include "common/GeneratedDatabase.h"
#include "data/DatabaseKey.h"

#include <sqlite3.h>

namespace tolvane::mkdb {

namespace {

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    sqlite3_bind_text16(stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
}

} // namespace

bool DatabaseWriter::write(
    const LibraryContents &contents, const QString &path, const QString &password, QString *error, int kdfIterations)
{
    tools::GeneratedDatabase w(path, error);
    QByteArray quoted = password.toUtf8();
    quoted.replace('\'', "''");
    if (!w.create() || !w.exec("PRAGMA key = '" + quoted + "';")
        || !w.exec("PRAGMA kdf_iter = " + QByteArray::number(kdfIterations) + ";")
        || !w.exec("PRAGMA cipher_page_size = " + QByteArray::number(kDatabasePageSize) + ";")
        || !w.exec("BEGIN;"))
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
                         [](sqlite3_stmt *s, qint64, const CharacterRow &r) {
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
                        [](sqlite3_stmt *s, qint64, const NumberTextRow &r) {
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
                        [](sqlite3_stmt *s, qint64, const KeyedTextRow &r) {
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
                         [](sqlite3_stmt *s, qint64, const TextRow &r) {
                             bindText(s, 1, r.name);
                             bindText(s, 2, r.content);
                         }))
            return false;
    }
    if (!w.exec("COMMIT;"))
        return false;
    return w.finish();
}

} // namespace tolvane::mkdb
