#include "analysis/NameBatch.h"

#include "analysis/AnalysisFields.h"
#include "text/PlainTextFile.h"

namespace tolvane {

namespace {

QString numberList(const auto &numbers)
{
    QStringList texts;
    for (const int n : numbers)
        texts.append(QString::number(n));
    return texts.join(QLatin1Char(' '));
}

QString verdict(const std::optional<MeaningRow> &row)
{
    return row ? row->flag : QStringLiteral("-");
}

} // namespace

Outcome<NameBatch> NameBatch::open(
    const Library &library, CompoundSurnames surnames, std::optional<NameSoundChecker> sound)
{
    NameBatch batch;
    batch.m_db = std::make_unique<NameDatabase>(
        library.open({ DbTable::Name, DbTable::Man81, DbTable::Sancai, DbTable::WrGe }));
    if (auto failure = batch.m_db->failure())
        return Outcome<NameBatch>::failed(*failure);
    std::optional<ReportMeanings> meanings = ReportMeanings::read(*batch.m_db);
    if (!meanings)
        return Outcome<NameBatch>::failed(DatabaseFailure::unreadable());
    batch.m_meanings = std::move(*meanings);
    batch.m_surnames = std::move(surnames);
    batch.m_sound = std::move(sound);
    return Outcome<NameBatch>(std::move(batch));
}

RowRead<qint16> NameBatch::strokesOf(const QString &character)
{
    // Only characters found are kept: a failed read is never remembered as a missing row.
    if (const auto it = m_strokes.constFind(character); it != m_strokes.constEnd())
        return { *it, false };
    const RowRead<qint16> read = m_db->strokesOf(character);
    if (read.row)
        m_strokes.insert(character, *read.row);
    return read;
}

NameBatch::Result NameBatch::analyze(int line, const QString &input, std::optional<SurnameKind> kindForAll)
{
    Result result;
    result.line = line;
    result.input = input;
    const auto refuse = [&result](const QString &reason) {
        result.error = reason;
        return result;
    };

    const QStringList columns = input.split(QLatin1Char('\t'));
    if (columns.size() > 2)
        return refuse(QStringLiteral("一行只能有两栏：姓名，和可省略的“单”或“复”，以制表符隔开。"));
    const PersonName name(columns.constFirst().trimmed());
    if (name.isEmpty())
        return refuse(QStringLiteral("空行，没有姓名。"));
    for (const QString &ch : name.characters()) {
        if (QChar::script(ch.toUcs4().value(0)) != QChar::Script_Han)
            return refuse(QStringLiteral("“") + ch + QStringLiteral("”不是汉字，姓名只能由汉字组成。"));
    }
    if (const std::optional<UserMessage> message = NameAnalysis::checkLength(name))
        return refuse(message->text);

    if (columns.size() == 2 && !columns.at(1).trimmed().isEmpty()) {
        const std::optional<SurnameKind> kind = surnameKindFromText(columns.at(1).trimmed());
        if (!kind)
            return refuse(QStringLiteral("第二栏只能是“单”或“复”。"));
        if (*kind == SurnameKind::Compound && name.length() == 2)
            return refuse(QStringLiteral("两个字的姓名不能是复姓。"));
        result.name = name.withSurnameKind(*kind);
        result.kindGiven = true;
    } else if (kindForAll && name.length() > 2) {
        result.name = name.withSurnameKind(*kindForAll);
        result.kindGiven = true;
    } else {
        result.name = name.withSurnameKind(m_surnames.kindOf(name));
    }

    for (const QString &ch : name.characters()) {
        const RowRead<qint16> strokes = strokesOf(ch);
        if (strokes.failed) {
            result.libraryFailure = DatabaseFailure::unreadable();
            return refuse(result.libraryFailure->message().text);
        }
        if (!strokes.row)
            return refuse(QStringLiteral("字库中没有 ") + ch + QStringLiteral(" 字。"));
        result.strokes.append(*strokes.row);
    }
    result.report = NameAnalysis::compose(NameAnalysis::gridsFor(result.strokes, result.name), m_meanings);
    if (m_sound)
        result.sound = m_sound->check(result.name.surname(), result.name.givenName());
    return result;
}

QStringList NameBatch::lines(const QByteArray &bytes)
{
    return splitLines(PlainTextFile::decode(bytes));
}

QStringList NameBatch::splitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

QString NameBatch::textLine(const Result &result)
{
    // The input keeps to the first column: a tab in it becomes a blank.
    if (result.error)
        return QString(result.input).replace(QLatin1Char('\t'), QLatin1Char(' ')) + QStringLiteral("\t错误：")
            + *result.error;
    const NameReport &r = result.report;
    QStringList verdicts;
    for (const std::optional<MeaningRow> &row : r.gridMeanings)
        verdicts.append(verdict(row));
    return QStringList { result.name.text(), surnameKindText(*result.name.surnameKind()), numberList(result.strokes),
        numberList(r.grids.list()), verdicts.join(QLatin1Char(' ')),
        r.sancai.elementTriple + QLatin1Char(' ') + verdict(r.sancaiMeaning),
        r.pairKey + QLatin1Char(' ') + verdict(r.pairMeaning) }
        .join(QLatin1Char('\t'));
}

QJsonObject NameBatch::fields(const Result &result)
{
    QJsonObject fields;
    if (result.error) {
        fields.insert(QStringLiteral("error"), *result.error);
    } else {
        // The report's whole text is left out: it only repeats the parts, and would double a long batch.
        fields = nameAnalysisFields(result.name, result.strokes, result.report, QString());
        fields.insert(QStringLiteral("surnameKindGiven"), result.kindGiven);
        if (result.sound)
            fields.insert(QStringLiteral("sound"), NameSoundChecker::fields(*result.sound));
    }
    fields.insert(QStringLiteral("line"), result.line);
    fields.insert(QStringLiteral("input"), result.input);
    return fields;
}

} // namespace tolvane
