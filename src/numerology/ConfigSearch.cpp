#include "numerology/ConfigSearch.h"

#include "numerology/DigitTables.h"
#include "numerology/LuckRules.h"

#include <QStringList>

#include <algorithm>

namespace tolvane {

namespace {

constexpr int kMaxStrokes = 30;

QString spaces(int n)
{
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

} // namespace

void ConfigSearch::search(const SearchInput &input, ConfigTables &tables)
{
    const int limit = std::clamp(input.groupLimit, 1, ConfigTables::kSlots);
    for (FiveGrids &g : tables.grids)
        g = FiveGrids{};
    for (int k = 1; k <= limit; ++k) {
        tables.triples[k].clear();
        tables.pairs[k].clear();
    }

    const int nameLength = input.nameLength;
    if (nameLength < 1 || nameLength > 3 || (nameLength < 3 && input.surnameLength != 1 && input.surnameLength != 2)) {
        tables.configNext = 0;
        return;
    }
    const int surnameCount = nameLength == 3 ? 1 : input.surnameLength;
    const int surname[2] = {input.surnameStrokes[0], input.surnameStrokes[1]};

    const LuckLevel level = input.luckLevel.value_or(LuckLevel::Bad);

    int n = 1;
    // The triple and pair slots are written for every candidate, so slot n holds the last candidate tried
    // after the last one taken; they are built as text once at the end.
    FiveGrids lastTried;
    bool triedSinceTaken = false;
    int given[3] = {0, 1, 1};
    const int secondEnd = nameLength >= 2 ? kMaxStrokes : 1;
    const int thirdEnd = nameLength >= 3 ? kMaxStrokes : 1;
    for (given[0] = std::max(input.firstStrokeStart, 1); given[0] <= kMaxStrokes; ++given[0]) {
        for (given[1] = 1; given[1] <= secondEnd; ++given[1]) {
            for (given[2] = 1; given[2] <= thirdEnd; ++given[2]) {
                const FiveGrids grids = FiveGrids::compute(surnameCount, surname, nameLength, given);
                if (n < limit && LuckRules::accepts(grids, nameLength, level, input.sex)) {
                    tables.grids[n] = grids;
                    tables.triples[n] = Sancai::compute(grids.tiange, grids.renge, grids.dige).elementTriple;
                    tables.pairs[n] = computePairKey(grids.renge, grids.waige);
                    for (int p = 0; p < nameLength; ++p)
                        tables.strokes[n][p] = qint16(given[p]);
                    ++n;
                    triedSinceTaken = false;
                } else {
                    lastTried = grids;
                    triedSinceTaken = true;
                }
            }
        }
    }
    if (triedSinceTaken && n <= ConfigTables::kSlots) {
        tables.triples[n] = Sancai::compute(lastTried.tiange, lastTried.renge, lastTried.dige).elementTriple;
        tables.pairs[n] = computePairKey(lastTried.renge, lastTried.waige);
    }
    tables.configNext = qint16(n);
}

QList<GoodConfiguration> ConfigSearch::everyGood(const SearchInput &input)
{
    QList<GoodConfiguration> found;
    const int nameLength = input.nameLength;
    if (nameLength < 1 || nameLength > 3 || (nameLength < 3 && input.surnameLength != 1 && input.surnameLength != 2))
        return found;
    const int surnameCount = nameLength == 3 ? 1 : input.surnameLength;
    const int surname[2] = {input.surnameStrokes[0], input.surnameStrokes[1]};
    const LuckLevel level = input.luckLevel.value_or(LuckLevel::Bad);
    int given[3] = {1, 1, 1};
    const int secondEnd = nameLength >= 2 ? kMaxStrokes : 1;
    const int thirdEnd = nameLength >= 3 ? kMaxStrokes : 1;
    for (given[0] = 1; given[0] <= kMaxStrokes; ++given[0]) {
        for (given[1] = 1; given[1] <= secondEnd; ++given[1]) {
            for (given[2] = 1; given[2] <= thirdEnd; ++given[2]) {
                const FiveGrids grids = FiveGrids::compute(surnameCount, surname, nameLength, given);
                if (!LuckRules::accepts(grids, nameLength, level, input.sex))
                    continue;
                GoodConfiguration config;
                for (int p = 0; p < nameLength; ++p)
                    config.strokes[p] = qint16(given[p]);
                config.grids = grids;
                config.triple = Sancai::compute(grids.tiange, grids.renge, grids.dige).elementTriple;
                config.pairKey = computePairKey(grids.renge, grids.waige);
                found.append(config);
            }
        }
    }
    return found;
}

QString ConfigSearch::summaryLine(std::initializer_list<int> strokes, int width, const FiveGrids &grids,
                                  const QString &triple)
{
    QStringList strokeList;
    for (int s : strokes)
        strokeList.append(QString::number(s));
    QStringList gridList;
    for (qint16 g : grids.list())
        gridList.append(QString::number(g));
    const QString strokesText = strokeList.join(QLatin1Char(' '));
    const QString gridsText = gridList.join(QLatin1Char(' '));
    return QStringLiteral("姓名笔画数：") + strokesText + spaces(width - int(strokesText.size())) + QStringLiteral("五格数：")
        + gridsText + spaces(17 - int(gridsText.size())) + QStringLiteral("三才五行：") + triple + QStringLiteral("\r\n");
}

QString ConfigSearch::summary(const SearchInput &input, const ConfigTables &tables)
{
    QString text = QStringLiteral("以下是为您找出的良好配置数，如果要程序继续在字库找字，点击“确定”，如果不想找字，点击“退出”。")
        + QStringLiteral("\r\n\r\n");
    const int nameLength = input.nameLength;
    if (nameLength < 1 || nameLength > 3)
        return text;
    const int surnameCount = nameLength == 3 ? 1 : input.surnameLength;
    const int width = surnameCount + nameLength == 2 ? 8 : (surnameCount + nameLength == 3 ? 12 : 13);
    const int s1 = input.surnameStrokes[0];
    const int s2 = input.surnameStrokes[1];
    for (int k = 1; k < tables.configNext; ++k) {
        const auto &g = tables.strokes[k];
        const FiveGrids &grids = tables.grids[k];
        const QString &triple = tables.triples[k];
        if (surnameCount == 1 && nameLength == 1)
            text += summaryLine({s1, g[0]}, width, grids, triple);
        else if (surnameCount == 1 && nameLength == 2)
            text += summaryLine({s1, g[0], g[1]}, width, grids, triple);
        else if (surnameCount == 1)
            text += summaryLine({s1, g[0], g[1], g[2]}, width, grids, triple);
        else if (nameLength == 1)
            text += summaryLine({s1, s2, g[0]}, width, grids, triple);
        else
            text += summaryLine({s1, s2, g[0], g[1]}, width, grids, triple);
    }
    return text;
}

} // namespace tolvane
