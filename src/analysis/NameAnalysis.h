#pragma once

#include "data/NameDatabase.h"
#include "data/Library.h"
#include "data/Outcome.h"
#include "numerology/DigitTables.h"
#include "numerology/FiveGrids.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// The library's meanings a name report reads: 81man by number, sancai by element triple, wrGe by pairing key.
struct ReportMeanings {
    QHash<QString, MeaningRow> numbers;
    QHash<QString, MeaningRow> sancai;
    QHash<QString, MeaningRow> pairs;

    // Reads the three tables from an open library; nothing when one of them cannot be read.
    static std::optional<ReportMeanings> read(NameDatabase &db);
};

// The parts of a name analysis report, each as the report words it.
struct NameReport {
    FiveGrids grids;
    // The number each grid's meaning is looked up by (天格 as it is, the others folded into the 81 numbers) and
    // that meaning, in the order 天格 人格 地格 总格 外格; no row when the library has none.
    std::array<int, 5> meaningNumbers {};
    std::array<std::optional<MeaningRow>, 5> gridMeanings;
    Sancai sancai;
    std::optional<MeaningRow> sancaiMeaning;
    QString pairKey;
    std::optional<MeaningRow> pairMeaning;
    // "人格数 N" and its paragraph, which begins with " 暗示性格为：".
    QString personality;
    // 成功运 (人格 with 天格) and 基础运 (人格 with 地格), and whether the report gives 成功运 first.
    QString successLuck;
    QString basisLuck;
    bool successFirst = true;
    // The sentences of the warnings, the remarks for women and the special numbers, in report order.
    QStringList warnings;
    QStringList womenRemarks;
    QStringList specialNumbers;
};

// The name analysis report: the grids of a name of two to four characters and the long report built from
// the library's texts (81man, sancai, wrGe) and the program's own.
class NameAnalysis final {
public:
    static constexpr std::array<const char16_t *, 5> kGridNames { u"天格", u"人格", u"地格", u"总格", u"外格" };

    // The length check of a name to analyse: too short or too long gives its message.
    static std::optional<UserMessage> checkLength(const PersonName &name);
    // The grids of two to four stroke counts; only three- and four-character names can have a compound surname.
    static FiveGrids gridsFor(const QList<int> &strokes, bool compoundSurname);
    // The grids of a name's strokes, its surname as long as its kind says.
    static FiveGrids gridsFor(const QList<int> &strokes, const PersonName &name)
    {
        return gridsFor(strokes, name.surnameLength() == 2);
    }
    // The heading of a name's report, and of a report from typed stroke numbers.
    static QString nameHeading(const QString &name, const QList<int> &strokes, const FiveGrids &grids);
    static QString strokeNumbersHeading(const QString &typed, const FiveGrids &grids);

    // The parts of the report from the meanings read once (a batch of names reads them once for all).
    static NameReport compose(const FiveGrids &grids, const ReportMeanings &meanings);
    // The parts from the library; without it there is no report, only its message.
    static Outcome<NameReport> read(const FiveGrids &grids, const Library &library);
    // The report: the heading, the meanings of the numbers, the 三才 and the pairing from the library, then
    // personality, success and basis luck, warnings, remarks for women and special numbers.
    static QString text(const QString &heading, const NameReport &report);
    // read() and text() in one.
    static Outcome<QString> buildReport(const QString &heading, const FiveGrids &grids, const Library &library);
};

} // namespace tolvane
