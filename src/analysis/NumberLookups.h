#pragma once

#include "data/Outcome.h"

#include <QString>

namespace tolvane {

// What a lookup of "其他功能" does to the result pane: its value replaces the pane's whole text; without one
// (a message, or no matching row) the pane stays as it was.
using LookupAnswer = Outcome<QString>;

// The four number-meaning lookups: an 81-number for a person or a company, a 三才 triple from three grid
// numbers, and the 人格/外格 pairing from two.
class NumberLookups final {
public:
    static LookupAnswer personalNumber(const QString &input, const QString &databasePath);
    static LookupAnswer companyNumber(const QString &input, const QString &databasePath);
    static LookupAnswer sancai(const QString &input, const QString &databasePath);
    static LookupAnswer personOuterPairing(const QString &input, const QString &databasePath);
};

} // namespace tolvane
