#include "data/ClassicsDatabase.h"

#include "data/DatabaseKey.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

namespace tolvane {

ClassicsDatabase::ClassicsDatabase(const QString &path)
{
    DatabaseKey::prepareCryptography();
    // sqlite would take a directory or an empty file for an empty database.
    if (!QFileInfo(path).isFile()
        || sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                           nullptr)
            != SQLITE_OK) {
        close();
        return;
    }
    // One read transaction for the whole search: the file is locked and checked once, not for every query, and
    // its pages are read through a memory map.
    sqlite3_exec(m_db, "PRAGMA mmap_size = 268435456;", nullptr, nullptr, nullptr);
    bool ok = sqlite3_exec(m_db, "BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (ok) {
        Statement format(m_db, "SELECT value FROM meta WHERE name = 'format';");
        ok = format.next() && format.integer(0) == kFormat;
    }
    if (!ok)
        close();
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
    for (Prepared &q : m_queries)
        q = Prepared {};
    m_verse.reset();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
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
        q.stmt.emplace(m_db, sql);
        if (!q.stmt->isValid()) {
            q = Prepared {};
            return false;
        }
        q.classics = classics;
    }
    Statement &stmt = q.stmt->reset().bindCodePoint(1, character);
    while (stmt.next()) {
        const std::optional<Classic> classic = classicFromNumber(int(stmt.integer(1)));
        if (!classic)
            continue;
        const qint64 sex = stmt.integer(4);
        out.push_back({ stmt.firstCodePoint(0), *classic, qint32(stmt.integer(2)),
            quint8(std::clamp<qint64>(stmt.integer(3), 0, 255)),
            sex == 1 ? PairSex::Male : sex == 2 ? PairSex::Female : PairSex::Any });
    }
    const bool complete = stmt.finished();
    stmt.reset();
    // The stored numbers are not the order of preference.
    std::stable_sort(out.begin(), out.end(),
        [](const Link &a, const Link &b) { return classicPreference(a.classic) < classicPreference(b.classic); });
    return complete;
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
    Statement stmt(m_db, "SELECT first, second, classic, line, rank, sex FROM pair;");
    out.reserve(8192);
    while (stmt.next()) {
        const std::optional<Classic> classic = classicFromNumber(int(stmt.integer(2)));
        if (!classic || !classics.contains(*classic))
            continue;
        const qint64 sex = stmt.integer(5);
        out.push_back({ stmt.firstCodePoint(0),
            { stmt.firstCodePoint(1), *classic, qint32(stmt.integer(3)),
                quint8(std::clamp<qint64>(stmt.integer(4), 0, 255)),
                sex == 1 ? PairSex::Male : sex == 2 ? PairSex::Female : PairSex::Any } });
    }
    return stmt.finished();
}

bool ClassicsDatabase::everySingle(ClassicSet classics, std::vector<Link> &out)
{
    out.clear();
    if (!m_db)
        return false;
    Statement stmt(m_db, "SELECT character, classic, line FROM single;");
    while (stmt.next()) {
        const std::optional<Classic> classic = classicFromNumber(int(stmt.integer(1)));
        if (!classic || !classics.contains(*classic))
            continue;
        out.push_back({ stmt.firstCodePoint(0), *classic, qint32(stmt.integer(2)), 0, PairSex::Any });
    }
    return stmt.finished();
}

std::optional<ClassicsDatabase::Verse> ClassicsDatabase::verse(qint32 line)
{
    if (!m_db)
        return std::nullopt;
    if (!m_verse) {
        m_verse.emplace(m_db, "SELECT poem.classic, poem.title, poem.author, line.text FROM line "
                              "JOIN poem ON poem.id = line.poem WHERE line.id = ?1;");
    }
    Statement &stmt = m_verse->reset().bind(1, line);
    std::optional<Verse> result;
    if (stmt.next()) {
        if (const std::optional<Classic> classic = classicFromNumber(int(stmt.integer(0))))
            result = Verse { *classic, stmt.utf8(1), stmt.utf8(2), stmt.utf8(3) };
    }
    stmt.reset();
    return result;
}

} // namespace tolvane
