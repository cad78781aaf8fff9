#pragma once

#include "ClassicsContents.h"
#include "PoetryPackage.h"
#include "UnfitPairs.h"

#include <QHash>
#include <QSet>

namespace tolvane::mkclassics {

// Turns poems into the rows of classics.db: for each collection the pairs and single characters fit for names
// with the first line that holds them, and those lines with their poems. Poems are added in order of preference
// of their collections and in the package's order within one, so "first" is the line a reader meets first. A pair
// the unfit list names is never written; its characters are still listed singly.
class ClassicsBuilder final {
public:
    ClassicsBuilder(QSet<char32_t> fit, UnfitPairs unfit);

    void add(Classic classic, const SourcePoem &poem);
    // The rows, pairs and singles sorted as the file keeps them, the lines no pair or character points to
    // left out.
    ClassicsContents take();

private:
    QSet<char32_t> m_fit;
    UnfitPairs m_unfit;
    ClassicsContents m_contents;
    QHash<quint64, qint32> m_pairLines; // collection, first, second -> line
    QHash<quint64, qint32> m_singleLines; // collection, character -> line
    QSet<quint64> m_unfitMet; // collection, first, second of the unfit pairs met
};

} // namespace tolvane::mkclassics
