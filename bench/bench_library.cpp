// Costs of reaching the library: one open (with the per-process key), one stroke lookup, a whole
// company-name analysis and a whole name analysis, each on the real generated namedbs.mdb.
#include "analysis/CompanyAnalysis.h"
#include "analysis/NameAnalysis.h"
#include "data/NameDatabase.h"

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

const QString kDatabase = QStringLiteral(TOLVANE_BIN_DIR "/namedbs.mdb");

void openAndCheckTables(benchmark::State &state)
{
    for (auto _ : state) {
        NameDatabase db(kDatabase);
        benchmark::DoNotOptimize(db.openWith({DbTable::Name, DbTable::Corp81}));
    }
}
BENCHMARK(openAndCheckTables)->Unit(benchmark::kMicrosecond);

void openAndLookUpOneCharacter(benchmark::State &state)
{
    const QString ch = QStringLiteral("龍");
    for (auto _ : state) {
        NameDatabase db(kDatabase);
        db.openWith({DbTable::Name});
        benchmark::DoNotOptimize(db.strokesOf(ch));
    }
}
BENCHMARK(openAndLookUpOneCharacter)->Unit(benchmark::kMicrosecond);

void companyAnalysis(benchmark::State &state)
{
    const QString name = state.range(0) == 8 ? QStringLiteral("青禾科技有限公司")
                                             : QStringLiteral("青禾科技有限公司").repeated(6).left(50);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompanyAnalysis::analyze(name, kDatabase));
}
BENCHMARK(companyAnalysis)->Arg(8)->Arg(50)->Unit(benchmark::kMicrosecond);

// A whole name analysis after the surname-kind question, as the dispatcher runs it: the name's strokes
// through one connection, the grids, and the report with the library's texts.
void nameAnalysisReport(benchmark::State &state)
{
    const QString name = QStringLiteral("欧阳小明");
    for (auto _ : state) {
        QList<int> strokes;
        NameDatabase db(kDatabase);
        db.openWith({DbTable::Name});
        for (qsizetype i = 0; i < name.size(); ++i)
            strokes.append(*db.strokesOf(name.mid(i, 1)).row);
        db.close();
        const FiveGrids grids = NameAnalysis::gridsFor(strokes, true);
        benchmark::DoNotOptimize(
            NameAnalysis::buildReport(NameAnalysis::nameHeading(name, strokes, grids), grids, kDatabase));
    }
}
BENCHMARK(nameAnalysisReport)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
