#include "naming/CandidateIndex.h"

#include "data/NameDatabase.h"

namespace tolvane {

std::optional<CandidateIndex> CandidateIndex::load(NameDatabase &db, const QString &sex,
                                                   const QStringList &elementWishes)
{
    const auto rows = db.candidates(sex, elementWishes);
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
