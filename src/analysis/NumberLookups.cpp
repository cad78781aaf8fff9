#include "analysis/NumberLookups.h"

#include "analysis/GridNumberParser.h"
#include "data/NameDatabase.h"
#include "numerology/DigitTables.h"
#include "text/VbText.h"

#include <QJsonArray>

namespace tolvane {

namespace {

QString meaningTail(const MeaningRow &row)
{
    return row.meaning + QStringLiteral("  （") + row.flag + QStringLiteral("）");
}

// The answer: the heading and the row for the pane; the given fields with the row's verdict and meaning.
LookupResult answerWith(const QString &heading, const MeaningRow &row, QJsonObject fields)
{
    LookupResult result { heading + kCrLf + kCrLf + meaningTail(row), {} };
    fields.insert(QStringLiteral("verdict"), row.flag);
    fields.insert(QStringLiteral("meaning"), withLineFeeds(row.meaning));
    fields.insert(QStringLiteral("text"), withLineFeeds(result.text));
    result.fields = fields;
    return result;
}

LookupAnswer numberMeaning(const QString &input, const Library &library, DbTable table)
{
    const std::optional<qint16> n = toInt16(trimSpaces(input));
    if (!n)
        return LookupAnswer::refused(UserMessage::warning(QStringLiteral("输入81数应为数字。")));
    if (*n < 1 || *n > 81)
        return LookupAnswer::refused(UserMessage::warning(QStringLiteral("输入81数应为在1至81之间。")));
    NameDatabase db = library.open({table});
    if (auto failure = db.failure())
        return LookupAnswer::failed(*failure);
    const RowRead<MeaningRow> row = db.numberMeaning(table, *n);
    if (row.failed)
        return LookupAnswer::failed(DatabaseFailure::unreadable());
    if (row.row) {
        return answerWith(QStringLiteral("第") + decimal(*n) + QStringLiteral("数暗示意义为："), *row.row,
            { { QStringLiteral("number"), *n } });
    }
    return {};
}

// Looks the key up in sancai or wrGe and builds the answer from its heading.
LookupAnswer keyedMeaning(
    const Library &library, DbTable table, const QString &key, const QString &heading, const QJsonObject &fields)
{
    NameDatabase db = library.open({table});
    if (auto failure = db.failure())
        return LookupAnswer::failed(*failure);
    const RowRead<MeaningRow> row = db.keyedMeaning(table, key);
    if (row.failed)
        return LookupAnswer::failed(DatabaseFailure::unreadable());
    if (row.row)
        return answerWith(heading, *row.row, fields);
    return {};
}

} // namespace

LookupAnswer NumberLookups::personalNumber(const QString &input, const Library &library)
{
    return numberMeaning(input, library, DbTable::Man81);
}

LookupAnswer NumberLookups::companyNumber(const QString &input, const Library &library)
{
    return numberMeaning(input, library, DbTable::Corp81);
}

LookupAnswer NumberLookups::sancai(const QString &input, const Library &library)
{
    const GridNumberParser::Numbers parsed = GridNumberParser::parseThree(input);
    if (!parsed.value)
        return LookupAnswer::refused(*parsed.message());
    const auto [heaven, person, earth] = *parsed.value;
    const QString triple = Sancai::compute(heaven, person, earth).elementTriple;
    return keyedMeaning(library, DbTable::Sancai, triple,
        QStringLiteral("天格、人格、地格： ") + decimal(heaven) + QStringLiteral("、") + decimal(person)
            + QStringLiteral("、") + decimal(earth) + QStringLiteral(" 之三才五行为：") + triple
            + QStringLiteral(" 解释如下："),
        { { QStringLiteral("numbers"), QJsonArray { heaven, person, earth } },
            { QStringLiteral("elements"), triple } });
}

LookupAnswer NumberLookups::personOuterPairing(const QString &input, const Library &library)
{
    const GridNumberParser::Numbers parsed = GridNumberParser::parseTwo(input);
    if (!parsed.value)
        return LookupAnswer::refused(*parsed.message());
    const int person = (*parsed.value)[0];
    const int outer = (*parsed.value)[1];
    const QString key = computePairKey(person, outer);
    return keyedMeaning(library, DbTable::WrGe, key,
        QStringLiteral("人格、外格数： ") + decimal(person) + QStringLiteral("、") + decimal(outer)
            + QStringLiteral(" 所暗示的人际关系、社交能力及事业发展等解释如下："),
        { { QStringLiteral("numbers"), QJsonArray { person, outer } }, { QStringLiteral("key"), key } });
}

} // namespace tolvane
