#pragma once

#include "data/Library.h"
#include "data/Outcome.h"
#include "text/PersonName.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// Stroke counts from the library, and the checks of the surname and the fixed-character pattern. Each lookup opens the library
// anew, so a library replaced or corrected meanwhile is seen at once. Messages come back in the order the
// window shows them.
class StrokeLookup final {
public:
    static constexpr qint16 kNotInLibrary = 999;

    // The strokes of the first row whose namechr is exactly ch; 999 when there is none, 0 (with the
    // library's message) when the library cannot be read.
    static Outcome<qint16> strokesOf(const Library &library, const QString &ch);

    // The surname check of personal naming: one or two characters, each in the library.
    struct Surname {
        bool accepted = false;
        qint16 length = 0; // set once the length is right
        std::array<qint16, 2> strokes {};
    };
    static Outcome<Surname> checkSurname(const Library &library, const PersonName &surname);

    // The three characters of a fixed-character pattern (X-Y or XY-), the surname's strokes and the fixed
    // character's strokes (unset when neither position 2 nor 3 holds a character other than "-"); 999 for a
    // character missing from the library. A library that cannot be read gives its one message and no pattern.
    struct FixedPattern {
        std::array<QString, 3> chars;
        qint16 surnameStrokes = 0;
        std::optional<qint16> fixedCharStrokes;
    };
    static Outcome<FixedPattern> parseFixedPattern(const Library &library, const PersonName &pattern);

    // The strokes of every character of a name, from one connection. The first character missing from the
    // library is named in the message, and the rest are not looked up.
    static Outcome<QList<int>> strokesOfName(const Library &library, const PersonName &name);
    // The same on a connection already open (and checked) for more reads.
    static Outcome<QList<int>> strokesOfName(NameDatabase &db, const PersonName &name);
};

} // namespace tolvane
