#include "analysis/NameAnalysis.h"

#include "analysis/NameAnalysisTexts.h"
#include "data/NameDatabase.h"
#include "numerology/DigitTables.h"
#include "numerology/Fold81.h"
#include "text/VbText.h"

#include <QSet>

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

std::optional<UserMessage> NameAnalysis::checkLength(const QString &name)
{
    if (name.size() <= 1)
        return UserMessage::warning(QStringLiteral("您选择“姓名分析”吗？请输入全名。"));
    if (name.size() >= 5)
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

Outcome<QString> NameAnalysis::buildReport(const QString &heading, const FiveGrids &grids, const QString &databasePath)
{
    NameDatabase db(databasePath);
    if (auto failure = db.openWith({DbTable::Name, DbTable::Man81, DbTable::Sancai, DbTable::WrGe}))
        return Outcome<QString>::failed(*failure);
    QString text = heading;

    // The meanings of the numbers: 天格 as it is, the others folded into the 81 numbers.
    const int tian = grids.tiange;
    const int ren = grids.renge;
    const int di = grids.dige;
    const int zong = grids.zongge;
    const int wai = grids.waige;
    int width = 2;
    if (ren < 10 && di < 10 && zong < 10 && wai < 10)
        width = 1;
    else if (ren >= 100 || di >= 100 || zong >= 100 || wai >= 100)
        width = 3;
    const struct {
        const char16_t *word;
        int number;
        int key;
    } lines[] = {{u"    天格数", tian, tian},
                 {u"    人格数", ren, fold81(ren)},
                 {u"    地格数", di, fold81(di)},
                 {u"    总格数", zong, fold81(zong)},
                 {u"    外格数", wai, fold81(wai)}};
    // A read that fails (a damaged library) ends the report: no part of it is shown.
    const auto unreadable = [] { return Outcome<QString>::failed(DatabaseFailure::unreadable()); };
    for (const auto &line : lines) {
        const RowRead<MeaningRow> read = db.numberMeaning(DbTable::Man81, line.key);
        if (read.failed)
            return unreadable();
        const std::optional<MeaningRow> &row = read.row;
        if (!row)
            continue;
        text += QString::fromUtf16(line.word) + decimal(line.number) + spaces(width - digits(line.number))
            + QStringLiteral("数理意义：") + row->meaning + QStringLiteral(" （") + row->flag + QStringLiteral("）") + kCrLf;
        if (line.word == lines[4].word)
            text += kCrLf;
    }

    const Sancai sancai = Sancai::compute(tian, ren, di);
    const RowRead<MeaningRow> sancaiRead = db.keyedMeaning(DbTable::Sancai, sancai.elementTriple);
    const QString pair = computePairKey(ren, wai);
    const RowRead<MeaningRow> pairRead = db.keyedMeaning(DbTable::WrGe, pair);
    if (sancaiRead.failed || pairRead.failed)
        return unreadable();
    if (const std::optional<MeaningRow> &row = sancaiRead.row) {
        text += QStringLiteral("    ") + sancai.numeralTriple + QStringLiteral("（") + sancai.elementTriple
            + QStringLiteral("）三才数理暗示为：") + kCrLf + QStringLiteral("    ") + row->meaning + QStringLiteral(" （")
            + row->flag + QStringLiteral("）") + kCrLf + kCrLf + kCrLf;
    }
    if (const std::optional<MeaningRow> &row = pairRead.row) {
        text += QStringLiteral("    人格与外格数理（") + pair
            + QStringLiteral("）搭配，表示个人的人际关系、社交能力、事业等暗示信息：") + kCrLf + QStringLiteral("    ")
            + row->meaning + QStringLiteral(" （") + row->flag + QStringLiteral("）") + kCrLf + kCrLf + kCrLf;
    }
    db.close();
    text += QStringLiteral("更多信息：") + kCrLf;

    text += QStringLiteral("人格数 ") + decimal(ren) + NameAnalysisTexts::personality(DigitTables::digitClass(ren))
        + kCrLf + kCrLf;

    // Success and basis luck, in the order of the luck table: by the element of 人格, then of the other grid,
    // 成功运 before 基础运 for each pair.
    const Element person = DigitTables::element(ren);
    const Element heaven = DigitTables::element(tian);
    const Element earth = DigitTables::element(di);
    for (Element other : kElementOrder) {
        if (other == heaven)
            text += QStringLiteral("人格与天格数理表示的成功运：") + NameAnalysisTexts::successLuck(person, heaven) + kCrLf + kCrLf;
        if (other == earth)
            text += QStringLiteral("人格与地格数理表示的基础运：") + NameAnalysisTexts::basisLuck(person, earth) + kCrLf + kCrLf;
    }

    for (const Warning &w : kWarnings) {
        const bool personMatches = w.personClassSix ? DigitTables::digitClass(ren) == 6 : w.person == person;
        if (personMatches && w.earth == earth && (!w.heaven || w.heaven == heaven))
            text += QString::fromUtf16(w.heading) + (w.text ? *w.text : QString()) + kCrLf + kCrLf;
    }

    static const QSet<int> unhappy{21, 23, 26, 28, 29, 30, 39};
    static const QSet<int> virtuous{5, 6, 11, 13, 31, 32, 35};
    if (unhappy.contains(di))
        text += QStringLiteral("地格数 ") + decimal(di) + QStringLiteral("，如果是女性，婚姻难得美满。 ") + kCrLf + kCrLf;
    if (virtuous.contains(di))
        text += QStringLiteral("地格数 ") + decimal(di) + QStringLiteral("，如果是女性，则德行优良，助夫爱子。 ") + kCrLf + kCrLf;

    for (const SpecialSet &set : specialSets()) {
        if (set.numbers.contains(ren) || set.numbers.contains(di))
            text += QString::fromUtf16(set.sentence) + kCrLf + kCrLf;
    }
    return text;
}

} // namespace tolvane
