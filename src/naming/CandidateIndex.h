#pragma once

#include "data/DatabaseFailure.h"
#include "numerology/Vocabulary.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

class NameDatabase;

// The candidates of one listing by stroke count: each list is the characters one after another, each followed
// by two spaces, in the library's stored order. Built in one pass over the library, so a listing of twenty
// groups of three characters costs one read of the table instead of twenty.
class CandidateIndex final {
public:
    // Reads the rows from an open library; nothing when the read fails.
    static std::optional<CandidateIndex> load(NameDatabase &db, Sex sex, ElementSet elementWishes);

    QString list(int strokes) const { return m_lists.value(strokes); }

private:
    QHash<int, QString> m_lists;
};

} // namespace tolvane
