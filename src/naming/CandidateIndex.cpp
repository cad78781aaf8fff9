#include "naming/CandidateIndex.h"

#include "data/NameDatabase.h"

namespace tolvane {

std::optional<CandidateIndex> CandidateIndex::load(NameDatabase &db, Sex sex, ElementSet elementWishes)
{
    // An element not wished for is an empty slot, which matches the rows without an element.
    const std::array<QString, 5> slots = elementWishes.wishSlots();
    const auto rows = db.candidates(sexText(sex), QStringList(slots.begin(), slots.end()));
    if (!rows)
        return std::nullopt;
    CandidateIndex index;
    const QString gap = QStringLiteral("  ");
    for (const NameDatabase::Candidate &row : *rows) {
        QString &list = index.m_lists[row.strokes];
        list += row.namechr;
        list += gap;
    }
    return index;
}

} // namespace tolvane
