#pragma once

#include "text/UserMessage.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// Stroke counts from the library and the splitting of the surname input. Each lookup opens the library
// anew, so a library replaced or corrected meanwhile is seen at once. Messages come back in the order the
// window shows them.
class StrokeLookup final {
public:
    static constexpr qint16 kNotInLibrary = 999;

    struct Result {
        qint16 strokes = 0; // 0 when the library could not be read
        std::optional<UserMessage> message;
    };
    // LookupStrokes: the strokes of the first row whose namechr is exactly ch; 999 when there is none.
    static Result lookupStrokes(const QString &databasePath, const QString &ch);

    // QumingCheckxing: the surname check of personal naming.
    struct SurnameCheck {
        bool aborted = true;
        qint16 surnameLength = 0;
        std::array<qint16, 2> strokes{};
        bool databaseFailed = false;
        QList<UserMessage> messages;
    };
    static SurnameCheck checkSurname(const QString &databasePath, const QString &input);

    // ParseFixedPattern: the three characters of X-Y or XY-, the surname's strokes and the fixed
    // character's strokes (unset when neither position 2 nor 3 holds a character other than "-").
    struct FixedPattern {
        std::array<QString, 3> chars;
        qint16 surnameStrokes = 0;
        std::optional<qint16> fixedCharStrokes;
        bool databaseFailed = false;
        QList<UserMessage> messages;
    };
    static FixedPattern parseFixedPattern(const QString &databasePath, const QString &pattern);
};

} // namespace tolvane
