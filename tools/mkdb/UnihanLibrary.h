#pragma once

#include "LibraryContents.h"

#include <QList>
#include <QString>

#include <optional>

namespace tolvane::mkdb {

// Builds the rows of table name from Unihan (Unihan_*.txt.bz2 in unihanDir) and the curated files under
// dataDir/characters. The rules are written down in data/README.md.
class UnihanLibrary final {
public:
    static std::optional<QList<CharacterRow>> build(const QString &unihanDir, const QString &dataDir,
                                                    QString *error = nullptr);

    // Full stroke count of Kangxi radical number `radical` (1–214), written in its full form as naming
    // practice counts it (氵 as 水 = 4); 0 outside that range.
    static int radicalStrokes(int radical);
};

} // namespace tolvane::mkdb
