#include "data/Statement.h"

#include <sqlite3.h>

#include <utility>

namespace tolvane {

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

Statement &Statement::bindCodePoint(int index, char32_t c)
{
    static constexpr unsigned char lead[] = { 0, 0, 0xC0, 0xE0, 0xF0 };
    const int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    char utf8[4];
    for (int i = length - 1; i > 0; --i, c >>= 6)
        utf8[i] = char(0x80 | (c & 0x3F));
    utf8[0] = char(lead[length] | c);
    sqlite3_bind_text(m_stmt, index, utf8, length, SQLITE_TRANSIENT);
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
    const int length = !s || bytes <= 0 ? 0
        : s[0] < 0x80                   ? 1
        : (s[0] & 0xE0) == 0xC0         ? 2
        : (s[0] & 0xF0) == 0xE0         ? 3
        : (s[0] & 0xF8) == 0xF0         ? 4
                                        : 0;
    if (length == 0 || bytes < length)
        return 0;
    char32_t cp = length == 1 ? s[0] : s[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    return cp;
}

} // namespace tolvane
