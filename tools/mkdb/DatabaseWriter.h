#pragma once

#include "LibraryContents.h"
#include "data/DatabaseKey.h"

#include <QString>

namespace tolvane::mkdb {

// Writes a complete namedbs.mdb: an SQLCipher file keyed with the given password (its key derived with the
// given rounds: the current count unless a test asks for an earlier version's), tables in the fixed
// schema, rows in the order given (that order is the stored order, rowid 1, 2, ...). The file is written
// beside the target and renamed over it, so a failed build never leaves half a library.
class DatabaseWriter final {
public:
    static bool write(const LibraryContents &contents, const QString &path, const QString &password,
        QString *error = nullptr, int kdfIterations = kDatabaseKdfIterations);
};

} // namespace tolvane::mkdb
