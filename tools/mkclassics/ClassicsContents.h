#pragma once

#include "data/Classics.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace tolvane::mkclassics {

// The rows of classics.db. Poems and lines are numbered from 1 in the order they are listed.
struct ClassicsContents {
    struct Poem {
        Classic classic = Classic::Shijing;
        QString title;
        QString author;
    };
    struct Line {
        qint32 poem = 0;
        QString text;
    };
    // Two characters fit for names making a word of a line, the best line of the collection they stand in,
    // the pair's rank there (lower is better) and the one sex it is kept for as a whole (0 any, 1 男, 2 女).
    struct PairRow {
        char32_t first = 0;
        char32_t second = 0;
        Classic classic = Classic::Shijing;
        qint32 line = 0;
        int rank = 0;
        int sex = 0;
    };
    // A character fit for names and the first line of the collection that holds it.
    struct SingleRow {
        char32_t character = 0;
        Classic classic = Classic::Shijing;
        qint32 line = 0;
    };

    QList<Poem> poems;
    QList<Line> lines;
    std::vector<PairRow> pairs; // ordered by first, second, collection
    std::vector<SingleRow> singles; // ordered by character, collection
    QList<std::pair<QString, QString>> meta;
    qsizetype unfitPairsLeftOut = 0; // pairs of a collection not written because the unfit list names them
};

} // namespace tolvane::mkclassics
