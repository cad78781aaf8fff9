#pragma once

#include "data/Library.h"
#include "data/Outcome.h"

#include <QString>


namespace tolvane {

// The stroke-count correction of the character library: checks the two typed texts, then writes the new count
// into the first row of the character in the library every other operation reads.
class LibraryCorrection final {
public:
    // Once the new count is committed, the status the window shows (kDone); else the message saying why not.
    static Outcome<QString> apply(const Library &library, const QString &character, const QString &strokes);

    // What the window shows while a character is typed: its count in the library now, or that the library
    // lacks it; empty text for anything but one character, or when the library cannot be read (applying
    // the correction says why).
    static QString presentStrokes(const Library &library, const QString &character);

    static constexpr int kMaxStrokes = 50;
    static const QString kDone;
};

} // namespace tolvane
