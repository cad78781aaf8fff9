#include "data/Statement.h"

#include <sqlite3.h>

#include <utility>

namespace tolvane {

namespace {

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

} // namespace

Statement::Statement(sqlite3 *db, const QByteArray &sql)
    : m_code(SQLITE_MISUSE)
{
    if (!db || sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr))
    , m_code(other.m_code)
{
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_code = other.m_code;
    }
    return *this;
}

Statement &Statement::reset()
{
    sqlite3_reset(m_stmt);
    return *this;
}

Statement &Statement::bind(int index, const QString &text)
{
    sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bindCodePoint(int index, char32_t character)
{
    char key[4];
    sqlite3_bind_text(m_stmt, index, key, encodeUtf8(character, key), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

bool Statement::next()
{
    m_code = m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE;
    return m_code == SQLITE_ROW;
}

bool Statement::finished() const
{
    return m_code == SQLITE_DONE;
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto *data = static_cast<const char16_t *>(sqlite3_column_text16(m_stmt, column));
    return data ? QString::fromUtf16(data, sqlite3_column_bytes16(m_stmt, column) / 2) : QString();
}

QString Statement::utf8(int column) const
{
    // The libraries store UTF-8: reading it as such spares SQLite a converted copy of every value.
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

char32_t Statement::firstCodePoint(int column) const
{
    const unsigned char *s = sqlite3_column_text(m_stmt, column);
    const int bytes = sqlite3_column_bytes(m_stmt, column);
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

} // namespace tolvane
