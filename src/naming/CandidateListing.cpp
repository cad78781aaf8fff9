#include "naming/CandidateListing.h"

#include "data/NameDatabase.h"
#include "naming/CandidateIndex.h"
#include "naming/GroupProgress.h"
#include "numerology/DigitTables.h"
#include "text/VbText.h"

#include <algorithm>
#include <array>

namespace tolvane {

namespace {

QString gridLine(const FiveGrids &g)
{
    return QStringLiteral("其五格数是（天格、人格、地格、总格、外格）：%1 %2 %3 %4 %5")
               .arg(g.tiange)
               .arg(g.renge)
               .arg(g.dige)
               .arg(g.zongge)
               .arg(g.waige)
        + kCrLf;
}

QString groupBlock(const QString &surname, int nameLength, const std::array<qint16, 3> &strokes,
                   const std::array<QString, 3> &lists, const FiveGrids &grids)
{
    QString block;
    if (nameLength == 1) {
        block = surname + QStringLiteral("姓配") + decimal(strokes[0]) + QStringLiteral("画字，有以下字可选：") + kCrLf
            + lists[0] + kCrLf;
    } else {
        static const char16_t *const ordinals[] = {u"第一组字：", u"第二组字：", u"第三组字："};
        QStringList counts;
        for (int p = 0; p < nameLength; ++p)
            counts.append(decimal(strokes[p]));
        block = surname + QStringLiteral("姓配") + counts.join(QLatin1Char('+'))
            + (nameLength == 2 ? QStringLiteral("画字组成的双字名，有以下字可选：") : QStringLiteral("画字组成的三字名，有以下字可选："))
            + kCrLf;
        for (int p = 0; p < nameLength; ++p)
            block += QString::fromUtf16(ordinals[p]) + kCrLf + lists[p] + kCrLf;
    }
    return block + CandidateListing::gridLines(grids) + kCrLf + kCrLf;
}

} // namespace

QString CandidateListing::gridLines(const FiveGrids &grids)
{
    const Sancai sancai = Sancai::compute(grids.tiange, grids.renge, grids.dige);
    return gridLine(grids) + QStringLiteral("三才是：") + sancai.numeralTriple + QStringLiteral("（")
        + sancai.elementTriple + QStringLiteral("）") + kCrLf;
}

QStringList CandidateListing::characters(const QString &list)
{
    return list.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString CandidateListing::heading()
{
    return QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：") + kCrLf + kCrLf;
}

QString CandidateListing::countLine(int groups)
{
    return QStringLiteral("共有") + decimal(groups) + QStringLiteral("组良好配置供您选择。") + kCrLf;
}

QString CandidateListing::allFoundLines()
{
    return QStringLiteral("所有良好配置都为您找出来了。") + kCrLf + kCrLf
        + QStringLiteral("注：字的五行属性按字形、字义、五音十二律来定。") + kCrLf;
}

UserMessage CandidateListing::nothingFound()
{
    return UserMessage::warning(QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过")
                                + QStringLiteral("更改名字字数、允许半吉、或放宽其他起名条件再试试。"));
}

Outcome<CandidateListing::Listing> CandidateListing::run(const Input &input, const Library &library,
                                                        ListingProgress *progress)
{
    const ConfigTables &configs = *input.configs;
    NameDatabase db = library.open({DbTable::Name});
    if (auto failure = db.failure())
        return Outcome<Listing>::failed(*failure);

    QString report = heading();
    const int nameLength = input.request.nameLength;
    const int groups = configs.groupCount();
    int printed = 0;
    QList<Group> shown;
    if (nameLength >= 1 && nameLength <= 3) {
        // The luck level was applied by the search; a request without one scans nothing.
        const bool scan = input.request.luckLevel == LuckLevel::Full || input.request.luckLevel == LuckLevel::Half;
        std::optional<CandidateIndex> index;
        if (scan) {
            index = CandidateIndex::load(db, input.request.sex, input.request.elementWishes);
            // Rows that cannot be read to the end are a damaged library, never a listing with nothing in it.
            if (!index)
                return Outcome<Listing>::failed(DatabaseFailure::unreadable());
        }
        std::array<std::array<QString, 3>, ConfigTables::kSlots + 1> lists;
        GroupProgress steps(progress, groups);
        for (int g = 1; g <= groups; ++g) {
            steps.startGroup(g);
            if (index) {
                for (int p = 0; p < nameLength; ++p)
                    lists[g][p] = index->list(configs.strokes[g][p]);
            }
            steps.finishGroup();
        }
        steps.finish();
        db.close();

        for (int g = 1; g <= groups; ++g) {
            // A configuration offers a name only when every position has a character to choose from.
            const auto &cells = lists[g];
            if (std::any_of(cells.cbegin(), cells.cbegin() + nameLength, [](const QString &cell) { return cell.isEmpty(); }))
                continue;
            report += groupBlock(input.surname, nameLength, configs.strokes[g], lists[g], configs.grids[g]);
            ++printed;
            Group group { configs.strokes[g], configs.grids[g], {} };
            for (int p = 0; p < nameLength; ++p)
                group.candidates.append(characters(cells[p]));
            shown.append(group);
        }
        report += countLine(printed);
    }

    const int last = configs.strokes[std::max(groups, 0)][0];
    if (last < 20)
        report += QStringLiteral("您可通过更改“高级”选项里第一个字的笔画数获取其他良好配置。") + kCrLf;
    else if (last > 20 && printed < 20)
        report += allFoundLines();

    Outcome<Listing> result = Listing { report, false, printed, shown };
    if (printed == 0 && !input.namingCancelled) {
        result.messages.append(nothingFound());
        result.value->namingAborted = true;
    }
    return result;
}

} // namespace tolvane
