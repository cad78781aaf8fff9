#pragma once

#include "ClassicsContents.h"

#include <QString>

namespace tolvane::mkclassics {

// Writes classics.db: a plain SQLite file with the tables meta, classic, poem, line, pair and single and the
// view verse (data/README.md). Written beside the target and renamed over it, so a failed build never leaves
// half a file.
class ClassicsWriter final {
public:
    static bool write(const ClassicsContents &contents, const QString &path, QString *error = nullptr);
};

} // namespace tolvane::mkclassics
