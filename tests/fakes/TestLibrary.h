#pragma once

#include "data/DatabaseKey.h"
#include "mkdb/LibraryContents.h"

#include <QString>

namespace tolvane {

// Libraries for tests: the real generated namedbs.mdb, and small ones written by the generator's own
// DatabaseWriter from the fixture files in tests/data/library.
class TestLibrary final {
public:
    // The namedbs.mdb the build generated.
    static QString realDatabasePath();
    static QString binDir();
    // The fixture library: tests/data/library/name.tsv and the texts under tests/data/library/texts, or the
    // same files under another folder of tests/data.
    static mkdb::LibraryContents fixtureContents(const QString &folder = QStringLiteral("library"));
    // A copy of the real library in dir with one byte changed in every page after the first: it opens and
    // unlocks, and every read that goes past the first page fails.
    static QString writeDamagedCopy(const QString &dir);
    // Writes contents as namedbs.mdb into dir (with the library's password unless another is given, and its key
    // derived with the current rounds unless others are given).
    static QString write(const mkdb::LibraryContents &contents, const QString &dir, const QString &password = {},
        int kdfIterations = kDatabaseKdfIterations);
};

} // namespace tolvane
