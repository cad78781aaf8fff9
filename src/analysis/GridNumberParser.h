#pragma once

#include "data/Outcome.h"

#include <QString>

#include <array>

namespace tolvane {

// Reads the grid numbers typed for the 三才 lookup (天格 人格 地格) and the pairing lookup (人格 外格):
// numbers of ASCII digits separated by spaces, checked character by character in a fixed order so that each
// rejected input gets exactly one message.
class GridNumberParser final {
public:
    // The numbers in the order typed (the third is 0 for two), or the one rejection in a plain box.
    using Numbers = Outcome<std::array<qint16, 3>>;

    // 天格 人格 地格.
    static Numbers parseThree(const QString &text);
    // 人格 外格: the first two numbers; a third is read but not used.
    static Numbers parseTwo(const QString &text);

    // The walk's pieces, shared with the stroke-number parse: whether the digit at i ends a number (a space,
    // the end of the text or a control character below U+000A follows), and a run's value with leading zeros
    // dropped (anything above 16 bits comes back as 99999).
    static bool endsNumber(const QString &text, qsizetype i);
    static int runValue(QStringView run);
};

} // namespace tolvane
