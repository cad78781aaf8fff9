#pragma once

#include "text/UserMessage.h"

#include <QString>

#include <optional>

namespace tolvane {

// The stroke-count correction of the character library (frmCorrect): checks the two typed texts, then
// writes the new count into the first row of the character in the library every other operation reads.
class LibraryCorrection final {
public:
    struct Result {
        bool written = false; // the new count is committed; the window then reads kDone
        std::optional<UserMessage> message;
    };

    static Result apply(const QString &databasePath, const QString &character, const QString &strokes);

    static constexpr int kMaxStrokes = 50;
    static const QString kDone;
};

} // namespace tolvane
