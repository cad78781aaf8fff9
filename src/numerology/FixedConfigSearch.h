#pragma once

#include "numerology/FiveGrids.h"

#include <QString>

#include <array>

namespace tolvane {

// The search of fixed-character naming: a single surname, two given-name characters, one of them fixed.
struct FixedTables {
    static constexpr int kSlots = 21;
    std::array<std::array<qint16, 3>, kSlots + 1> strokes{}; // FixedConfigStrokes: positions 1 and 2 by group
    std::array<FiveGrids, kSlots + 1> grids{};
    std::array<qint16, 31> freeCharStrokes{};
    std::array<QString, 32> triples;
    std::array<QString, 32> pairs;
    QString configText;
};

struct FixedSearchInput {
    bool firstFree = true; // X-Y: the first given-name character is to be found; XY-: the second
    int surnameStrokes = 0;
    int fixedStrokes = 0;
    QString sex;
    QString luckLevel;
    int groupLimit = 7;
};

class FixedConfigSearch final {
public:
    // SearchFixedConfigs: the free position runs from 1 to 30, and the first groupLimit - 1 configurations the
    // rules accept are taken. Returns ConfigNext.
    static qint16 search(const FixedSearchInput &input, FixedTables &tables);
};

} // namespace tolvane
