#pragma once

#include "data/Library.h"
#include "data/Outcome.h"

#include <QJsonObject>
#include <QString>

namespace tolvane {

// What a lookup of "其他功能" gives: the text for the result pane and the same facts as fields for machines (the
// command line's --format json; texts with LF line breaks).
struct LookupResult {
    QString text;
    QJsonObject fields;
};

// What a lookup does to the result pane: its value's text replaces the pane's whole text; without one (a
// message, or no matching row) the pane stays as it was.
using LookupAnswer = Outcome<LookupResult>;

// The four number-meaning lookups: an 81-number for a person or a company, a 三才 triple from three grid
// numbers, and the 人格/外格 pairing from two.
class NumberLookups final {
public:
    static LookupAnswer personalNumber(const QString &input, const Library &library);
    static LookupAnswer companyNumber(const QString &input, const Library &library);
    static LookupAnswer sancai(const QString &input, const Library &library);
    static LookupAnswer personOuterPairing(const QString &input, const Library &library);
};

} // namespace tolvane
