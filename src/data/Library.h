#pragma once

#include "data/ClassicsDatabase.h"
#include "data/NameDatabase.h"

#include <QString>

namespace tolvane {

// namedbs.mdb, the character library, as the operations are handed it: where it is and how it is unlocked.
// Each operation opens its own connection, so that a file replaced or corrected while the program runs is
// seen at once; the file is never created, so a missing file is a failure and not a new empty library.
class Library final {
public:
    Library() = default;
    explicit Library(QString path)
        : m_path(std::move(path))
    {
    }
    const QString &path() const { return m_path; }

    // A connection with the tables its readers use checked, in order; otherwise NameDatabase::failure() holds
    // the first failure (a missing, locked, foreign or damaged file, a wrong key, a table in design state).
    NameDatabase open(std::initializer_list<DbTable> tables,
                      DatabaseFailure::Wording wording = DatabaseFailure::Wording::InDesign) const
    {
        return NameDatabase(m_path, tables, wording);
    }

private:
    QString m_path;
};

// classics.db, the verses names from the classics are drawn from; opened read-only for one search.
class ClassicsLibrary final {
public:
    ClassicsLibrary() = default;
    explicit ClassicsLibrary(QString path)
        : m_path(std::move(path))
    {
    }
    const QString &path() const { return m_path; }
    // A connection for one search; ClassicsDatabase::isOpen() is false for a missing, foreign or damaged file.
    ClassicsDatabase open() const { return ClassicsDatabase(m_path); }

private:
    QString m_path;
};

} // namespace tolvane
