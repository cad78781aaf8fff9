// Suggested names on the real generated namedbs.mdb, classics.db and namewords.tsv: a shortlist of 50 over every good
// configuration, from the library alone and from the library and all five collections, as `suggest` runs it.
#include "naming/NameSuggestions.h"
#include "naming/SuggestionText.h"

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

SuggestionSources sources()
{
    return { Library(QStringLiteral(TOLVANE_BIN_DIR "/namedbs.mdb")), ClassicsLibrary(QStringLiteral(TOLVANE_BIN_DIR "/classics.db")),
        QStringLiteral(TOLVANE_BIN_DIR "/namewords.tsv"), {} };
}

// arg 0: the surname (0 王, 1 欧阳), arg 1: the sex (0 男, 1 女), arg 2: 1 for the classics as well.
void shortlist(benchmark::State &state)
{
    SuggestionRequest r;
    r.surname = state.range(0) == 0 ? QStringLiteral("王") : QStringLiteral("欧阳");
    r.sex = state.range(1) == 0 ? Sex::Male : Sex::Female;
    if (state.range(2) == 1)
        r.classics = ClassicSet::all();
    const SuggestionSources s = sources();
    Suggestions result;
    for (auto _ : state) {
        result = NameSuggestions::run(r, s);
        benchmark::DoNotOptimize(SuggestionText::shortlist(result));
    }
    if (result.names.isEmpty())
        state.SkipWithError("no shortlist");
    state.counters["names"] = double(result.names.size());
    state.counters["candidates"] = result.candidates;
    state.counters["configurations"] = result.fullConfigurations + result.halfConfigurations;
}
BENCHMARK(shortlist)
    ->ArgNames({ "surname", "sex", "classics" })
    ->Args({ 0, 0, 0 })
    ->Args({ 0, 0, 1 })
    ->Args({ 0, 1, 1 })
    ->Args({ 1, 1, 1 })
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
