#pragma once

#include "numerology/FiveGrids.h"
#include "numerology/Vocabulary.h"

#include <QList>
#include <QString>

#include <array>
#include <initializer_list>
#include <optional>

namespace tolvane {

// The search's tables, kept from one run to the next: groups 1..20 (slot 21 is never filled), given-name
// positions 1..3. Positions beyond the run's name length keep what an earlier run left; the listing reads
// positions 1..NameLength only.
struct ConfigTables {
    static constexpr int kSlots = 21;
    qint16 configNext = 0; // one more than the groups found; 0 when no search ran
    std::array<std::array<qint16, 3>, kSlots + 1> strokes{}; // [group][position 0..2]
    std::array<FiveGrids, kSlots + 1> grids{};
    std::array<QString, kSlots + 1> triples;
    std::array<QString, kSlots + 1> pairs;

    int groupCount() const { return configNext > 0 ? configNext - 1 : 0; }
};

struct SearchInput {
    int surnameLength = 1; // the trimmed surname's length: 1 single, 2 compound
    std::array<qint16, 2> surnameStrokes{};
    int nameLength = 0;    // 1..3; anything else: no search
    Sex sex = Sex::Male;
    std::optional<LuckLevel> luckLevel; // none chosen: nothing is taken
    int firstStrokeStart = 1;
    int groupLimit = 7;    // groups wanted plus one
};

// One good configuration: the given-name strokes (positions beyond the name length are 0), its grids, 三才
// triple and 人格/外格 pairing key.
struct GoodConfiguration {
    std::array<qint16, 3> strokes {};
    FiveGrids grids;
    QString triple;
    QString pairKey;
};

// The good-configuration search: enumerates the given-name stroke counts in lexicographic order (the first
// from firstStrokeStart, every one up to 30) and keeps the first groupLimit - 1 configurations the rules
// accept. A three-character given name always goes with a single surname.
class ConfigSearch final {
public:
    static void search(const SearchInput &input, ConfigTables &tables);
    // Every configuration the rules accept, in the same lexicographic order, without the tables' group limit
    // (firstStrokeStart and groupLimit are not used): what the suggested names and the classics search over.
    static QList<GoodConfiguration> everyGood(const SearchInput &input);
    // The summary of the groups found, for the result pane before the library search.
    static QString summary(const SearchInput &input, const ConfigTables &tables);
    // One line of a summary: "姓名笔画数：", the strokes padded to width, "五格数：", the grids padded to 17,
    // "三才五行：", the triple and CR LF. Padding never cuts a longer text.
    static QString summaryLine(std::initializer_list<int> strokes, int width, const FiveGrids &grids,
                               const QString &triple);
};

} // namespace tolvane
