// Costs of reaching the library: one open (with the per-process key), one stroke lookup, and a whole
// company-name analysis, each on the real generated namedbs.mdb.
#include "analysis/CompanyAnalysis.h"
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

} // namespace

BENCHMARK_MAIN();
