// Costs of reaching the library: one open (with the per-process key), one stroke lookup, a whole
// company-name analysis and a whole name analysis, each on the real generated namedbs.mdb; the sound check of a
// name on the name-sound.tsv generated beside it.
#include "analysis/CompanyAnalysis.h"
#include "analysis/NameAnalysis.h"
#include "analysis/NameSound.h"
#include "data/Library.h"

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

const QString kDatabase = QStringLiteral(TOLVANE_BIN_DIR "/namedbs.mdb");

void openAndCheckTables(benchmark::State &state)
{
    for (auto _ : state) {
        NameDatabase db = Library(kDatabase).open({DbTable::Name, DbTable::Corp81});
        benchmark::DoNotOptimize(db.failure());
    }
}
BENCHMARK(openAndCheckTables)->Unit(benchmark::kMicrosecond);

void openAndLookUpOneCharacter(benchmark::State &state)
{
    const QString ch = QStringLiteral("龍");
    for (auto _ : state) {
        NameDatabase db = Library(kDatabase).open({DbTable::Name});
        benchmark::DoNotOptimize(db.strokesOf(ch));
    }
}
BENCHMARK(openAndLookUpOneCharacter)->Unit(benchmark::kMicrosecond);

void companyAnalysis(benchmark::State &state)
{
    const QString name = state.range(0) == 8 ? QStringLiteral("青禾科技有限公司")
                                             : QStringLiteral("青禾科技有限公司").repeated(6).left(50);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompanyAnalysis::analyze(name, Library(kDatabase)));
}
BENCHMARK(companyAnalysis)->Arg(8)->Arg(50)->Unit(benchmark::kMicrosecond);

// A whole name analysis after the surname-kind question, as the dispatcher runs it: the name's strokes
// through one connection, the grids, and the report with the library's texts.
void nameAnalysisReport(benchmark::State &state)
{
    const QString name = QStringLiteral("欧阳小明");
    for (auto _ : state) {
        QList<int> strokes;
        NameDatabase db = Library(kDatabase).open({DbTable::Name});
        for (qsizetype i = 0; i < name.size(); ++i)
            strokes.append(*db.strokesOf(name.mid(i, 1)).row);
        db.close();
        const FiveGrids grids = NameAnalysis::gridsFor(strokes, true);
        benchmark::DoNotOptimize(
            NameAnalysis::buildReport(NameAnalysis::nameHeading(name, strokes, grids), grids, Library(kDatabase)));
    }
}
BENCHMARK(nameAnalysisReport)->Unit(benchmark::kMicrosecond);

// What the sound section adds to an analysis: the check of one name (the readings file is loaded once per
// process, as the dispatcher does) and its text. Arg 0: 王子涵 (nothing to report), 1: 欧阳朝优 (a homophone, a
// character read two ways, four level tones).
void nameSoundCheck(benchmark::State &state)
{
    const std::optional<NameSoundChecker> checker
        = NameSoundChecker::load(QStringLiteral(TOLVANE_BIN_DIR "/") + NameSoundChecker::fileName());
    if (!checker) {
        state.SkipWithError("name-sound.tsv is missing");
        return;
    }
    const QString surname = state.range(0) == 0 ? QStringLiteral("王") : QStringLiteral("欧阳");
    const QString given = state.range(0) == 0 ? QStringLiteral("子涵") : QStringLiteral("朝优");
    for (auto _ : state)
        benchmark::DoNotOptimize(NameSoundChecker::reportSection(checker->check(surname, given)));
}
BENCHMARK(nameSoundCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Loading name-sound.tsv, once per process at the first analysis.
void nameSoundLoad(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            NameSoundChecker::load(QStringLiteral(TOLVANE_BIN_DIR "/") + NameSoundChecker::fileName()));
}
BENCHMARK(nameSoundLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
