#include "naming/NamingFields.h"

#include "numerology/DigitTables.h"
#include "text/JsonNumbers.h"
#include "text/VbText.h"

#include <QJsonArray>

namespace tolvane {

namespace {

QJsonArray gridNumbers(const FiveGrids &grids)
{
    return jsonNumbers(grids.list());
}

QJsonObject sancaiFields(const FiveGrids &grids)
{
    const Sancai sancai = Sancai::compute(grids.tiange, grids.renge, grids.dige);
    return { { QStringLiteral("numerals"), sancai.numeralTriple },
        { QStringLiteral("elements"), sancai.elementTriple } };
}

// The strokes of both given-name characters in fixed-character naming, in the name's order.
QList<int> fixedNameStrokes(bool firstFree, int freeStrokes, int fixedStrokes)
{
    return firstFree ? QList<int> { freeStrokes, fixedStrokes } : QList<int> { fixedStrokes, freeStrokes };
}

void insertRequest(QJsonObject &fields, const NameRequest &request)
{
    fields.insert(QStringLiteral("sex"), sexText(request.sex));
    fields.insert(
        QStringLiteral("luck"), request.luckLevel ? QJsonValue(luckLevelText(*request.luckLevel)) : QJsonValue());
    fields.insert(QStringLiteral("elements"), request.elementWishes.text());
}

} // namespace

QJsonObject configurationFields(
    const QString &surname, const QList<int> &surnameStrokes, const NameRequest &request, const ConfigTables &configs)
{
    QJsonObject fields;
    fields.insert(QStringLiteral("surname"), surname);
    fields.insert(QStringLiteral("surnameStrokes"), jsonNumbers(surnameStrokes));
    fields.insert(QStringLiteral("nameLength"), request.nameLength);
    insertRequest(fields, request);
    QJsonArray configurations;
    for (int g = 1; g <= configs.groupCount(); ++g) {
        QList<int> strokes;
        for (int p = 0; p < request.nameLength; ++p)
            strokes.append(configs.strokes[g][p]);
        configurations.append(QJsonObject { { QStringLiteral("strokes"), jsonNumbers(strokes) },
            { QStringLiteral("grids"), gridNumbers(configs.grids[g]) },
            { QStringLiteral("sancai"), sancaiFields(configs.grids[g]) } });
    }
    fields.insert(QStringLiteral("configurations"), configurations);
    return fields;
}

QJsonArray listedGroupFields(const QList<CandidateListing::Group> &groups, int nameLength)
{
    QJsonArray array;
    for (const CandidateListing::Group &group : groups) {
        QList<int> strokes;
        QJsonArray candidates;
        for (int p = 0; p < nameLength; ++p) {
            strokes.append(group.strokes[p]);
            candidates.append(QJsonArray::fromStringList(group.candidates.value(p)));
        }
        array.append(QJsonObject { { QStringLiteral("strokes"), jsonNumbers(strokes) },
            { QStringLiteral("grids"), gridNumbers(group.grids) },
            { QStringLiteral("sancai"), sancaiFields(group.grids) }, { QStringLiteral("candidates"), candidates } });
    }
    return array;
}

QJsonObject fixedNamingFields(
    const FixedNamingFacts &facts, const NameRequest &request, const FixedListing::Listing &listing)
{
    QJsonObject fields;
    fields.insert(QStringLiteral("pattern"), facts.pattern);
    fields.insert(QStringLiteral("surname"), facts.pattern.left(1));
    fields.insert(QStringLiteral("surnameStrokes"), facts.surnameStrokes);
    fields.insert(QStringLiteral("fixed"), facts.pattern.mid(facts.firstFree ? 2 : 1, 1));
    fields.insert(QStringLiteral("fixedStrokes"), facts.fixedStrokes);
    fields.insert(QStringLiteral("freePosition"), facts.firstFree ? 1 : 2);
    insertRequest(fields, request);
    QJsonArray groups;
    for (const FixedListing::Group &group : listing.groups) {
        const QList<int> strokes = fixedNameStrokes(facts.firstFree, group.freeStrokes, facts.fixedStrokes);
        groups.append(QJsonObject { { QStringLiteral("strokes"), jsonNumbers(strokes) },
            { QStringLiteral("grids"), gridNumbers(group.grids) },
            { QStringLiteral("sancai"), sancaiFields(group.grids) },
            { QStringLiteral("candidates"), QJsonArray::fromStringList(group.candidates) } });
    }
    fields.insert(QStringLiteral("groups"), groups);
    return fields;
}

QJsonArray classicGroupFields(const ClassicListing &listing, int fixedStrokes)
{
    QJsonArray array;
    for (const ClassicGroup &group : listing.groups) {
        QList<int> strokes;
        if (listing.kind == ClassicListing::Kind::Fixed) {
            strokes = fixedNameStrokes(listing.firstFree, group.freeStrokes, fixedStrokes);
        } else {
            for (int p = 0; p < listing.nameLength; ++p)
                strokes.append(group.strokes[p]);
        }
        QJsonArray names;
        for (const ClassicName &name : group.names) {
            names.append(QJsonObject { { QStringLiteral("name"), name.given },
                { QStringLiteral("collection"), classicName(name.verse.classic) },
                { QStringLiteral("title"), name.verse.title }, { QStringLiteral("author"), name.verse.author },
                { QStringLiteral("verse"), name.verse.text } });
        }
        array.append(QJsonObject { { QStringLiteral("strokes"), jsonNumbers(strokes) },
            { QStringLiteral("grids"), gridNumbers(group.grids) },
            { QStringLiteral("sancai"), sancaiFields(group.grids) }, { QStringLiteral("names"), names } });
    }
    return array;
}

} // namespace tolvane
