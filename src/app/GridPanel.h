#pragma once

#include "numerology/FiveGrids.h"
#include "text/PersonName.h"

#include <QList>
#include <QString>

#include <array>

namespace tolvane {

// What the five-grid panel shows, by place: the characters of the name and their stroke counts in the places
// surname 1, surname 2, given name 1, given name 2; the five grid captions and the five grid numbers in the
// order 天格 人格 地格 总格 外格. Empty texts leave a place blank.
struct GridPanel {
    std::array<QString, 4> characters;
    std::array<QString, 4> strokes;
    std::array<QString, 5> captions;
    std::array<QString, 5> numbers;

    // A name of two to four characters by position, whatever its surname kind: two characters take the first
    // surname and the first given-name place, three the two surname places and the first given-name place,
    // four all of them.
    static GridPanel forName(const PersonName &name, const QList<int> &strokes, const FiveGrids &grids);

    bool operator==(const GridPanel &) const = default;
};

} // namespace tolvane
