#pragma once

#include "text/RtfDocument.h"

#include <QString>

namespace tolvane {

// Stores a completed result: the pane's whole content as RTF followed by CR LF. The file is replaced through
// DurableFile, so a failed write leaves the previous result intact.
class ResultStore final {
public:
    // Returns an empty text on success, else why the file could not be written.
    static QString write(const RtfDocument &document, const QString &path);
};

} // namespace tolvane
