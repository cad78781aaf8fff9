#include "analysis/NameAnalysis.h"

#include "analysis/NameAnalysisTexts.h"
#include "data/NameDatabase.h"
#include "numerology/DigitTables.h"
#include "numerology/Fold81.h"
#include "numerology/LuckRules.h"
#include "text/VbText.h"

#include <QSet>

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

QString spaces(int n)
{
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

int digits(int n)
{
    return int(QString::number(n).size());
}

const QString kWarningA = QStringLiteral("脑溢血、心机梗塞、急难、自杀等，最好更名。");
const QString kWarningB = QStringLiteral("发狂、神经衰弱、肺病、气管炎等，最好更名。");

// A warning is given when the elements of 人格, 地格 and 天格 are the row's (no element: any), or, for the
// row marked so, when the 人格 digit class is exactly 6.
struct Warning {
    std::optional<Element> person;
    Element earth;
    std::optional<Element> heaven;
    bool personClassSix;
    const char16_t *heading;
    const QString *text;
};

using enum Element;

const std::array<Warning, 13> kWarnings{{
    {Earth, Water, std::nullopt, false, u"人格与地格数理易诱发以下疾病或灾祸：", &kWarningA},
    {Water, Earth, Earth, false, u"天格、人格与地格数理易诱发以下疾病或灾祸：", &kWarningA},
    {Fire, Water, Water, false, u"天格、人格与地格数理易诱发以下疾病或灾祸：", &kWarningA},
    {Water, Fire, Fire, false, u"天格、人格与地格数理易诱发以下疾病或灾祸：", &kWarningA},
    {Fire, Metal, Metal, false, u"天格、人格与地格数理易诱发以下难治疾病：", &kWarningB},
    {Metal, Fire, Fire, false, u"天格、人格与地格数理易诱发以下难治疾病：", &kWarningB},
    {std::nullopt, Wood, Wood, true, u"天格、人格与地格数理易诱发以下难治疾病：", &kWarningB},
    {Earth, Water, Metal, false, u"天格、人格与地格数理易诱发外伤等事故。", nullptr},
    {Metal, Water, Metal, false, u"天格、人格与地格数理易诱发外伤等事故。", nullptr},
    {Water, Fire, Water, false, u"天格、人格与地格数理易诱发外伤等事故。", nullptr},
    {Metal, Water, Earth, false, u"天格、人格与地格数理易诱发外伤等事故。", nullptr},
    {Fire, Water, Fire, false, u"天格、人格与地格数理易诱发外伤等事故。", nullptr},
    {Fire, Water, Metal, false, u"天格、人格与地格数理易诱发外伤等事故。", nullptr},
}};

struct SpecialSet {
    QSet<int> numbers;
    const char16_t *sentence;
};

const std::array<SpecialSet, 7> &specialSets()
{
    static const std::array<SpecialSet, 7> sets{{
        {{2, 4, 9, 10, 12, 14, 19, 20, 22, 26, 36},
         u"人格或地格中有2、4、9、10、12、14、19、20、22、26、36等败财运诱导之数（凶险病弱，家族缘薄）。"},
        {{4, 10, 12, 14, 22, 28, 34}, u"人格或地格中有4、10、12、14、22、28、34等孤独运诱导之数（妻凌夫或夫克妻）。"},
        {{15, 16, 23, 24, 32, 33, 41, 42}, u"人格或地格中有15、16、23、24、32、33、41、42等财运诱导之数（多钱财，富贵）。"},
        {{3, 13, 16, 21, 23, 31, 33, 41},
         u"人格或地格中有3、13、16、21、23、31、33、41等首领诱导之数（智仁勇德全备，能领导众人）。"},
        {{4, 9, 10, 14, 19, 20, 28, 34, 44},
         u"人格或地格中有4、9、10、14、19、20、28、34、44等损寿运诱导之数（若天、地、人三格中两格有此数，难逃此命）。"},
        {{22, 30, 36, 40, 50, 52, 54, 56, 59, 80}, u"人格或地格中有22、30、36、40、50、52、54、56、59、80等遭难诱导之数。"},
        {{12, 14, 51}, u"人格或地格中有12、14、51等品行外柔内刚诱导之数。"},
    }};
    return sets;
}

} // namespace

std::optional<UserMessage> NameAnalysis::checkLength(const PersonName &name)
{
    const qsizetype length = name.length();
    if (length <= 1)
        return UserMessage::warning(QStringLiteral("您选择“姓名分析”吗？请输入全名。"));
    if (length >= 5)
        return UserMessage::warning(QStringLiteral("姓名太长，本程序最长分析4个字的名字。"));
    return std::nullopt;
}

FiveGrids NameAnalysis::gridsFor(const QList<int> &strokes, bool compoundSurname)
{
    const int n = int(strokes.size());
    const int surnameCount = n >= 3 && compoundSurname ? 2 : 1;
    return FiveGrids::compute(surnameCount, strokes.constData(), n - surnameCount, strokes.constData() + surnameCount);
}

QString NameAnalysis::nameHeading(const QString &name, const QList<int> &strokes, const FiveGrids &grids)
{
    QString heading = name + QStringLiteral("：") + kCrLf + kCrLf + QStringLiteral("    姓名笔画数分别是：");
    for (int s : strokes)
        heading += decimal(s) + QLatin1Char(' ');
    heading += kCrLf + QStringLiteral("    天格、人格、地格、总格、外格数分别为：");
    for (qint16 g : grids.list())
        heading += decimal(g) + QLatin1Char(' ');
    return heading + kCrLf + kCrLf;
}

QString NameAnalysis::strokeNumbersHeading(const QString &typed, const FiveGrids &grids)
{
    QStringList numbers;
    for (qint16 g : grids.list())
        numbers.append(decimal(g));
    return QStringLiteral("姓名笔画数是 ") + typed + QStringLiteral(" 的五格数分别是：") + kCrLf
        + QStringLiteral("天格、人格、地格、总格、外格：") + numbers.join(QLatin1Char(' ')) + kCrLf + kCrLf;
}

std::optional<ReportMeanings> ReportMeanings::read(NameDatabase &db)
{
    ReportMeanings meanings;
    std::optional<QHash<QString, MeaningRow>> numbers = db.meaningsByKey(DbTable::Man81);
    std::optional<QHash<QString, MeaningRow>> sancai = db.meaningsByKey(DbTable::Sancai);
    std::optional<QHash<QString, MeaningRow>> pairs = db.meaningsByKey(DbTable::WrGe);
    if (!numbers || !sancai || !pairs)
        return std::nullopt;
    meanings.numbers = std::move(*numbers);
    meanings.sancai = std::move(*sancai);
    meanings.pairs = std::move(*pairs);
    return meanings;
}

NameReport NameAnalysis::compose(const FiveGrids &grids, const ReportMeanings &meanings)
{
    const auto find = [](const QHash<QString, MeaningRow> &rows, const QString &key) {
        const auto it = rows.constFind(key);
        return it == rows.constEnd() ? std::optional<MeaningRow>() : std::optional<MeaningRow>(*it);
    };
    NameReport report;
    report.grids = grids;
    // The meanings of the numbers: 天格 as it is, the others folded into the 81 numbers.
    const int tian = grids.tiange;
    const int ren = grids.renge;
    const int di = grids.dige;
    const std::array<qint16, 5> list = grids.list();
    for (std::size_t i = 0; i < list.size(); ++i) {
        report.meaningNumbers[i] = i == 0 ? list[i] : fold81(list[i]);
        report.gridMeanings[i] = find(meanings.numbers, QString::number(report.meaningNumbers[i]));
    }
    report.sancai = Sancai::compute(tian, ren, di);
    report.sancaiMeaning = find(meanings.sancai, report.sancai.elementTriple);
    report.pairKey = computePairKey(ren, grids.waige);
    report.pairMeaning = find(meanings.pairs, report.pairKey);

    report.personality
        = QStringLiteral("人格数 ") + decimal(ren) + NameAnalysisTexts::personality(DigitTables::digitClass(ren));

    // Success and basis luck, in the order of the luck table: by the element of 人格, then of the other grid,
    // 成功运 before 基础运 for each pair.
    const Element person = DigitTables::element(ren);
    const Element heaven = DigitTables::element(tian);
    const Element earth = DigitTables::element(di);
    report.successLuck = NameAnalysisTexts::successLuck(person, heaven);
    report.basisLuck = NameAnalysisTexts::basisLuck(person, earth);
    for (Element other : kElementOrder) {
        if (other == heaven || other == earth) {
            report.successFirst = other == heaven;
            break;
        }
    }

    for (const Warning &w : kWarnings) {
        const bool personMatches = w.personClassSix ? DigitTables::digitClass(ren) == 6 : w.person == person;
        if (personMatches && w.earth == earth && (!w.heaven || w.heaven == heaven))
            report.warnings.append(QString::fromUtf16(w.heading) + (w.text ? *w.text : QString()));
    }

    if (LuckRules::earthWarnsWomen(di))
        report.womenRemarks.append(
            QStringLiteral("地格数 ") + decimal(di) + QStringLiteral("，如果是女性，婚姻难得美满。 "));
    if (LuckRules::earthPraisesWomen(di))
        report.womenRemarks.append(
            QStringLiteral("地格数 ") + decimal(di) + QStringLiteral("，如果是女性，则德行优良，助夫爱子。 "));

    for (const SpecialSet &set : specialSets()) {
        if (set.numbers.contains(ren) || set.numbers.contains(di))
            report.specialNumbers.append(QString::fromUtf16(set.sentence));
    }
    return report;
}

Outcome<NameReport> NameAnalysis::read(const FiveGrids &grids, const Library &library)
{
    NameDatabase db = library.open({ DbTable::Name, DbTable::Man81, DbTable::Sancai, DbTable::WrGe });
    if (auto failure = db.failure())
        return Outcome<NameReport>::failed(*failure);
    const std::optional<ReportMeanings> meanings = ReportMeanings::read(db);
    if (!meanings)
        return Outcome<NameReport>::failed(DatabaseFailure::unreadable());
    return compose(grids, *meanings);
}

QString NameAnalysis::text(const QString &heading, const NameReport &report)
{
    QString text = heading;
    const std::array<qint16, 5> numbers = report.grids.list();
    int width = 2;
    if (std::all_of(numbers.begin() + 1, numbers.end(), [](int n) { return n < 10; }))
        width = 1;
    else if (std::any_of(numbers.begin() + 1, numbers.end(), [](int n) { return n >= 100; }))
        width = 3;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::optional<MeaningRow> &row = report.gridMeanings[i];
        if (!row)
            continue;
        text += QStringLiteral("    ") + QString::fromUtf16(kGridNames[i]) + QStringLiteral("数") + decimal(numbers[i])
            + spaces(width - digits(numbers[i])) + QStringLiteral("数理意义：") + row->meaning + QStringLiteral(" （")
            + row->flag + QStringLiteral("）") + kCrLf;
        if (i == 4)
            text += kCrLf;
    }

    if (const std::optional<MeaningRow> &row = report.sancaiMeaning) {
        text += QStringLiteral("    ") + report.sancai.numeralTriple + QStringLiteral("（")
            + report.sancai.elementTriple + QStringLiteral("）三才数理暗示为：") + kCrLf + QStringLiteral("    ")
            + row->meaning + QStringLiteral(" （") + row->flag + QStringLiteral("）") + kCrLf + kCrLf + kCrLf;
    }
    if (const std::optional<MeaningRow> &row = report.pairMeaning) {
        text += QStringLiteral("    人格与外格数理（") + report.pairKey
            + QStringLiteral("）搭配，表示个人的人际关系、社交能力、事业等暗示信息：") + kCrLf + QStringLiteral("    ")
            + row->meaning + QStringLiteral(" （") + row->flag + QStringLiteral("）") + kCrLf + kCrLf + kCrLf;
    }
    text += QStringLiteral("更多信息：") + kCrLf;
    text += report.personality + kCrLf + kCrLf;

    const QString success = QStringLiteral("人格与天格数理表示的成功运：") + report.successLuck + kCrLf + kCrLf;
    const QString basis = QStringLiteral("人格与地格数理表示的基础运：") + report.basisLuck + kCrLf + kCrLf;
    text += report.successFirst ? success + basis : basis + success;
    for (const QStringList *part : { &report.warnings, &report.womenRemarks, &report.specialNumbers }) {
        for (const QString &sentence : *part)
            text += sentence + kCrLf + kCrLf;
    }
    return text;
}

Outcome<QString> NameAnalysis::buildReport(const QString &heading, const FiveGrids &grids, const Library &library)
{
    Outcome<NameReport> report = read(grids, library);
    Outcome<QString> result;
    result.messages = report.messages;
    result.databaseFailed = report.databaseFailed;
    if (report.value)
        result.value = text(heading, *report.value);
    return result;
}

} // namespace tolvane
