#pragma once

#include "LibraryContents.h"

#include <QString>

namespace tolvane::mkdb {

// Reads the interpretive texts under dataDir/texts into the text tables of contents.
// Files are UTF-8, tab-separated, one row a line; lines starting with "#" and empty lines are skipped;
// "\n" inside a field stands for a line break (CR LF in the library).
class TextSources final {
public:
    static bool read(const QString &dataDir, LibraryContents &contents, QString *error = nullptr);
};

} // namespace tolvane::mkdb
