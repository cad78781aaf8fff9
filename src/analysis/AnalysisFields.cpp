#include "analysis/AnalysisFields.h"

#include "text/JsonNumbers.h"
#include "text/VbText.h"

#include <QJsonArray>

namespace tolvane {

namespace {

QJsonArray textArray(const QStringList &texts)
{
    QJsonArray array;
    for (const QString &text : texts)
        array.append(withLineFeeds(text));
    return array;
}

} // namespace

QJsonObject meaningFields(const std::optional<MeaningRow> &row)
{
    QJsonObject fields;
    fields.insert(QStringLiteral("verdict"), row ? QJsonValue(row->flag) : QJsonValue());
    fields.insert(QStringLiteral("meaning"), row ? QJsonValue(withLineFeeds(row->meaning)) : QJsonValue());
    return fields;
}

QJsonObject nameReportFields(const NameReport &report)
{
    QJsonObject fields;
    QJsonArray grids;
    const std::array<qint16, 5> numbers = report.grids.list();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        QJsonObject grid = meaningFields(report.gridMeanings[i]);
        grid.insert(QStringLiteral("grid"), QString::fromUtf16(NameAnalysis::kGridNames[i]));
        grid.insert(QStringLiteral("number"), numbers[i]);
        grid.insert(QStringLiteral("meaningNumber"), report.meaningNumbers[i]);
        grids.append(grid);
    }
    fields.insert(QStringLiteral("grids"), grids);

    QJsonObject sancai = meaningFields(report.sancaiMeaning);
    sancai.insert(QStringLiteral("numerals"), report.sancai.numeralTriple);
    sancai.insert(QStringLiteral("elements"), report.sancai.elementTriple);
    fields.insert(QStringLiteral("sancai"), sancai);
    QJsonObject pairing = meaningFields(report.pairMeaning);
    pairing.insert(QStringLiteral("key"), report.pairKey);
    fields.insert(QStringLiteral("pairing"), pairing);

    fields.insert(QStringLiteral("personality"), withLineFeeds(report.personality));
    fields.insert(QStringLiteral("successLuck"), withLineFeeds(report.successLuck));
    fields.insert(QStringLiteral("basisLuck"), withLineFeeds(report.basisLuck));
    fields.insert(QStringLiteral("warnings"), textArray(report.warnings));
    fields.insert(QStringLiteral("womenRemarks"), textArray(report.womenRemarks));
    fields.insert(QStringLiteral("specialNumbers"), textArray(report.specialNumbers));
    return fields;
}

QJsonObject nameAnalysisFields(
    const PersonName &name, const QList<int> &strokes, const NameReport &report, const QString &text)
{
    QJsonObject fields = nameReportFields(report);
    fields.insert(QStringLiteral("name"), name.text());
    fields.insert(QStringLiteral("surname"), name.surname());
    fields.insert(QStringLiteral("givenName"), name.givenName());
    fields.insert(QStringLiteral("surnameKind"), surnameKindText(name.surnameKind().value_or(SurnameKind::Single)));
    fields.insert(QStringLiteral("strokes"), jsonNumbers(strokes));
    if (!text.isEmpty())
        fields.insert(QStringLiteral("text"), withLineFeeds(text));
    return fields;
}

QJsonObject strokeNumbersFields(
    const QList<int> &strokes, SurnameKind kind, const NameReport &report, const QString &text)
{
    QJsonObject fields = nameReportFields(report);
    fields.insert(QStringLiteral("surnameKind"), surnameKindText(kind));
    fields.insert(QStringLiteral("strokes"), jsonNumbers(strokes));
    fields.insert(QStringLiteral("text"), withLineFeeds(text));
    return fields;
}

} // namespace tolvane
