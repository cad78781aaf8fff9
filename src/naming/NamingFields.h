#pragma once

#include "naming/CandidateListing.h"
#include "naming/ClassicNameSearch.h"
#include "naming/FixedListing.h"
#include "naming/NameRequest.h"
#include "numerology/ConfigSearch.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace tolvane {

// Personal naming as fields for machines (the command line's --format json); grids are listed in the order
// 天格 人格 地格 总格 外格, texts with LF line breaks.

// The request and the good configurations the search found, before the library is searched.
QJsonObject configurationFields(
    const QString &surname, const QList<int> &surnameStrokes, const NameRequest &request, const ConfigTables &configs);

// The groups the listing shows, with the characters offered for each given-name position.
QJsonArray listedGroupFields(const QList<CandidateListing::Group> &groups, int nameLength);

// Fixed-character naming (王-明, 王明-): the pattern, the request and the groups listed.
struct FixedNamingFacts {
    QString pattern;
    int surnameStrokes = 0;
    int fixedStrokes = 0;
    bool firstFree = true;
};
QJsonObject fixedNamingFields(
    const FixedNamingFacts &facts, const NameRequest &request, const FixedListing::Listing &listing);

// Names from the classics: the configurations with names, each with the strokes of both given-name positions
// (the fixed character's included), grids, sancai and its names, each name with its line: collection, title,
// author and the line's text.
QJsonArray classicGroupFields(const ClassicListing &listing, int fixedStrokes = 0);

} // namespace tolvane
