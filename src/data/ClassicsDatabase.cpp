#include "data/ClassicsDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

namespace tolvane {

namespace {

// The first code point of UTF-8 text; 0 for empty or malformed text.
char32_t firstCodePoint(const unsigned char *s, int bytes)
{
    if (!s || bytes <= 0)
        return 0;
    const unsigned char b0 = s[0];
    if (b0 < 0x80)
        return b0;
    int length = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (bytes < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    return cp;
}

// Writes the UTF-8 form of cp into buffer and returns its length.
int encodeUtf8(char32_t cp, char buffer[4])
{
    if (cp < 0x80) {
        buffer[0] = char(cp);
        return 1;
    }
    if (cp < 0x800) {
        buffer[0] = char(0xC0 | (cp >> 6));
        buffer[1] = char(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        buffer[0] = char(0xE0 | (cp >> 12));
        buffer[1] = char(0x80 | ((cp >> 6) & 0x3F));
        buffer[2] = char(0x80 | (cp & 0x3F));
        return 3;
    }
    buffer[0] = char(0xF0 | (cp >> 18));
    buffer[1] = char(0x80 | ((cp >> 12) & 0x3F));
    buffer[2] = char(0x80 | ((cp >> 6) & 0x3F));
    buffer[3] = char(0x80 | (cp & 0x3F));
    return 4;
}

QString columnUtf8(sqlite3_stmt *stmt, int column)
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(stmt, column)) : QString();
}

} // namespace

ClassicsDatabase::ClassicsDatabase(QString path)
    : m_path(std::move(path))
{
}

ClassicsDatabase::~ClassicsDatabase()
{
    close();
}

UserMessage ClassicsDatabase::failureMessage()
{
    return UserMessage::warning(
        QStringLiteral("找不到classics.db典籍库，或者它已损坏，无法从典籍取名。"), QStringLiteral("找不到典籍库"));
}

void ClassicsDatabase::close()
{
    for (Prepared &q : m_queries) {
        sqlite3_finalize(q.stmt);
        q = Prepared {};
    }
    sqlite3_finalize(m_verse);
    m_verse = nullptr;
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool ClassicsDatabase::open()
{
    close();
    // sqlite would take a directory or an empty file for an empty database.
    if (!QFileInfo(m_path).isFile())
        return false;
    if (sqlite3_open_v2(
            QFile::encodeName(m_path).constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        close();
        return false;
    }
    // One read transaction for the whole search: the file is locked and checked once, not for every query, and
    // its pages are read through a memory map.
    sqlite3_exec(m_db, "PRAGMA mmap_size = 268435456;", nullptr, nullptr, nullptr);
    sqlite3_stmt *stmt = nullptr;
    bool ok = sqlite3_exec(m_db, "BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(m_db, "SELECT value FROM meta WHERE name = 'format';", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) == kFormat;
    sqlite3_finalize(stmt);
    if (!ok)
        close();
    return ok;
}

bool ClassicsDatabase::links(Query query, char32_t character, ClassicSet classics, std::vector<Link> &out)
{
    out.clear();
    if (!m_db)
        return false;
    if (classics.isEmpty())
        return true;
    Prepared &q = m_queries[query];
    if (!q.stmt || q.classics != classics) {
        sqlite3_finalize(q.stmt);
        q = Prepared {};
        QStringList numbers;
        for (Classic c : classics.members())
            numbers.append(QString::number(int(c)));
        // The keys lead with the collection, so SQLite reads one range per chosen collection, in order.
        static const char *const templates[QueryCount] = {
            "SELECT second, classic, line, rank, sex FROM pair WHERE first = ?1 AND classic IN (%1) "
            "ORDER BY classic, second;",
            "SELECT first, classic, line, rank, sex FROM pair WHERE second = ?1 AND classic IN (%1) "
            "ORDER BY classic, first;",
            "SELECT character, classic, line, 0, 0 FROM single WHERE character = ?1 AND classic IN (%1) "
            "ORDER BY classic;"
        };
        const QByteArray sql = QString::fromLatin1(templates[query]).arg(numbers.join(QLatin1Char(','))).toUtf8();
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &q.stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(q.stmt);
            q = Prepared {};
            return false;
        }
        q.classics = classics;
    }
    char key[4];
    const int keyLength = encodeUtf8(character, key);
    sqlite3_reset(q.stmt);
    sqlite3_bind_text(q.stmt, 1, key, keyLength, SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(q.stmt)) == SQLITE_ROW) {
        const std::optional<Classic> classic = classicFromNumber(sqlite3_column_int(q.stmt, 1));
        if (!classic)
            continue;
        const int sex = sqlite3_column_int(q.stmt, 4);
        out.push_back({ firstCodePoint(sqlite3_column_text(q.stmt, 0), sqlite3_column_bytes(q.stmt, 0)), *classic,
            qint32(sqlite3_column_int(q.stmt, 2)), quint8(std::clamp(sqlite3_column_int(q.stmt, 3), 0, 255)),
            sex == 1 ? PairSex::Male : sex == 2 ? PairSex::Female : PairSex::Any });
    }
    sqlite3_reset(q.stmt);
    // The stored numbers are not the order of preference.
    std::stable_sort(out.begin(), out.end(),
        [](const Link &a, const Link &b) { return classicPreference(a.classic) < classicPreference(b.classic); });
    return rc == SQLITE_DONE;
}

bool ClassicsDatabase::pairsStartingWith(char32_t first, ClassicSet classics, std::vector<Link> &out)
{
    return links(After, first, classics, out);
}

bool ClassicsDatabase::pairsEndingWith(char32_t second, ClassicSet classics, std::vector<Link> &out)
{
    return links(Before, second, classics, out);
}

bool ClassicsDatabase::linesHolding(char32_t character, ClassicSet classics, std::vector<Link> &out)
{
    return links(Single, character, classics, out);
}

bool ClassicsDatabase::everyPair(ClassicSet classics, std::vector<std::pair<char32_t, Link>> &out)
{
    out.clear();
    if (!m_db)
        return false;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT first, second, classic, line, rank, sex FROM pair;", -1, &stmt, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return false;
    }
    out.reserve(8192);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const std::optional<Classic> classic = classicFromNumber(sqlite3_column_int(stmt, 2));
        if (!classic || !classics.contains(*classic))
            continue;
        const int sex = sqlite3_column_int(stmt, 5);
        out.push_back({ firstCodePoint(sqlite3_column_text(stmt, 0), sqlite3_column_bytes(stmt, 0)),
            { firstCodePoint(sqlite3_column_text(stmt, 1), sqlite3_column_bytes(stmt, 1)), *classic,
                qint32(sqlite3_column_int(stmt, 3)), quint8(std::clamp(sqlite3_column_int(stmt, 4), 0, 255)),
                sex == 1 ? PairSex::Male : sex == 2 ? PairSex::Female : PairSex::Any } });
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

bool ClassicsDatabase::everySingle(ClassicSet classics, std::vector<Link> &out)
{
    out.clear();
    if (!m_db)
        return false;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT character, classic, line FROM single;", -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const std::optional<Classic> classic = classicFromNumber(sqlite3_column_int(stmt, 1));
        if (!classic || !classics.contains(*classic))
            continue;
        out.push_back({ firstCodePoint(sqlite3_column_text(stmt, 0), sqlite3_column_bytes(stmt, 0)), *classic,
            qint32(sqlite3_column_int(stmt, 2)), 0, PairSex::Any });
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

std::optional<ClassicsDatabase::Verse> ClassicsDatabase::verse(qint32 line)
{
    if (!m_db)
        return std::nullopt;
    if (!m_verse
        && sqlite3_prepare_v2(m_db,
               "SELECT poem.classic, poem.title, poem.author, line.text FROM line "
               "JOIN poem ON poem.id = line.poem WHERE line.id = ?1;",
               -1, &m_verse, nullptr)
            != SQLITE_OK) {
        sqlite3_finalize(m_verse);
        m_verse = nullptr;
        return std::nullopt;
    }
    sqlite3_reset(m_verse);
    sqlite3_bind_int(m_verse, 1, line);
    std::optional<Verse> result;
    if (sqlite3_step(m_verse) == SQLITE_ROW) {
        if (const std::optional<Classic> classic = classicFromNumber(sqlite3_column_int(m_verse, 0)))
            result = Verse { *classic, columnUtf8(m_verse, 1), columnUtf8(m_verse, 2), columnUtf8(m_verse, 3) };
    }
    sqlite3_reset(m_verse);
    return result;
}

} // namespace tolvane
