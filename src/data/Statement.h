#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace tolvane {

// One prepared SQLite statement: prepared by the constructor, finalised by the destructor. A statement that
// could not be prepared is not valid, and every step of it fails. Rows are walked with next(); finished()
// then tells a result read to its end from a failed step (a damaged page, an I/O error, a lock held too long).
class Statement final {
public:
    Statement(sqlite3 *db, const QByteArray &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // Starts the statement afresh for new values.
    Statement &reset();
    Statement &bind(int index, const QString &text);
    // One character as its UTF-8 text.
    Statement &bindCodePoint(int index, char32_t character);
    Statement &bind(int index, qint64 value);

    // Steps to the next row: true while there is one.
    bool next();
    // The last step came to the end of the result.
    bool finished() const;
    // The last step's result code (SQLITE_ROW, SQLITE_DONE, SQLITE_BUSY, ...).
    int lastCode() const { return m_code; }

    bool isNull(int column) const;
    qint64 integer(int column) const;
    // Text read as UTF-16 (SQLite converts) or as the stored UTF-8; a missing value is empty text.
    QString text(int column) const;
    QString utf8(int column) const;
    // The first code point of the stored UTF-8 text; 0 for empty or malformed text.
    char32_t firstCodePoint(int column) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_code = 0;
};

} // namespace tolvane
