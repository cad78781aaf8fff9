#include "naming/FixedListing.h"

#include "data/NameDatabase.h"
#include "naming/CandidateIndex.h"
#include "naming/CandidateListing.h"
#include "naming/GroupProgress.h"
#include "text/VbText.h"

namespace tolvane {

Outcome<FixedListing::Listing> FixedListing::run(const FixedTables &tables, int configNext, const NameRequest &request,
                                                 const Library &library, ListingProgress *progress)
{
    NameDatabase db = library.open({DbTable::Name});
    if (auto failure = db.failure())
        return Outcome<Listing>::failed(*failure);

    QString text = CandidateListing::heading();
    const int groups = std::clamp(configNext - 1, 0, FixedTables::kSlots);
    const std::optional<CandidateIndex> index = CandidateIndex::load(db, request.sex, request.elementWishes);
    if (!index)
        return Outcome<Listing>::failed(DatabaseFailure::unreadable());
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
    QList<Group> shown;
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
        shown.append({ tables.freeCharStrokes[g], grids, CandidateListing::characters(lists[g]) });
    }
    text += CandidateListing::countLine(printed);
    if (tables.strokes[std::max(groups, 0)][0] > 20 && printed < 20)
        text += CandidateListing::allFoundLines();
    // Whether anything was found is this run's answer alone, whatever an earlier run left in the flags.
    Outcome<Listing> result = Listing { text, printed, shown };
    if (printed == 0)
        result.messages.append(CandidateListing::nothingFound());
    return result;
}

} // namespace tolvane
