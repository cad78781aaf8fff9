#include "naming/FixedListing.h"

#include "data/NameDatabase.h"
#include "naming/CandidateIndex.h"
#include "naming/GroupProgress.h"
#include "text/VbText.h"

namespace tolvane {

FixedListing::Result FixedListing::run(const FixedTables &tables, int configNext, const NameRequest &request,
                                       const QString &databasePath, ListingProgress *progress)
{
    Result result;
    NameDatabase db(databasePath);
    if (auto failure = db.openWith({DbTable::Name})) {
        result.message = failure->message();
        result.databaseFailed = true;
        return result;
    }

    QString text = QStringLiteral("以下若干组名字组合皆为良好配置，您可从中选择您喜欢的名字：") + kCrLf + kCrLf;
    const int groups = std::clamp(configNext - 1, 0, FixedTables::kSlots);
    const std::optional<CandidateIndex> index = CandidateIndex::load(db, request.sex, request.elementWishes);
    std::array<QString, FixedTables::kSlots + 1> lists;
    GroupProgress steps(progress, groups);
    for (int g = 1; g <= groups; ++g) {
        steps.startGroup(g);
        if (index)
            lists[g] = index->list(tables.freeCharStrokes[g]);
        steps.finishGroup();
    }
    steps.finish();
    db.close();

    int printed = 0;
    for (int g = 1; g <= groups; ++g) {
        if (lists[g].isEmpty())
            continue;
        const FiveGrids &grids = tables.grids[g];
        text += decimal(tables.freeCharStrokes[g]) + QStringLiteral("画的字有：") + kCrLf + lists[g] + kCrLf
            + QStringLiteral("其五格数是（天格、人格、地格、总格、外格）：%1 %2 %3 %4 %5")
                  .arg(grids.tiange)
                  .arg(grids.renge)
                  .arg(grids.dige)
                  .arg(grids.zongge)
                  .arg(grids.waige)
            + kCrLf + kCrLf + kCrLf;
        ++printed;
    }
    text += QStringLiteral("共有") + decimal(printed) + QStringLiteral("组良好配置供您选择。") + kCrLf;
    if (tables.strokes[std::max(groups, 0)][0] > 20 && printed < 20)
        text += QStringLiteral("所有良好配置都为您找出来了。") + kCrLf + kCrLf
            + QStringLiteral("注：字的五行属性按字形、字义、五音十二律来定。") + kCrLf;
    // Whether anything was found is this run's answer alone, whatever an earlier run left in the flags.
    if (printed == 0)
        result.message = UserMessage::warning(QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过")
                                              + QStringLiteral("更改名字字数、允许半吉、或放宽其他起名条件再试试。"));
    result.listingText = text;
    result.groupsPrinted = printed;
    return result;
}

} // namespace tolvane
