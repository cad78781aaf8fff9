// Personal naming after the dialogs, on the real generated library: the search, the summary and the
// candidate listing, and the listing alone for twenty groups of a three-character given name.
#include "naming/CandidateListing.h"
#include "numerology/ConfigSearch.h"

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

const QString kDatabase = QStringLiteral(TOLVANE_BIN_DIR "/namedbs.mdb");

SearchInput request(int nameLength)
{
    SearchInput in;
    in.surnameLength = 1;
    in.surnameStrokes = {4, 0}; // 王
    in.nameLength = nameLength;
    in.sex = Sex::Male;
    in.luckLevel = LuckLevel::Half;
    in.groupLimit = 21;
    return in;
}

NameRequest nameRequest(int nameLength)
{
    NameRequest r;
    r.nameLength = qint16(nameLength);
    r.sex = Sex::Male;
    r.luckLevel = LuckLevel::Half;
    r.elementWishes = ElementSet::all();
    return r;
}

void search(benchmark::State &state)
{
    const SearchInput in = request(int(state.range(0)));
    ConfigTables tables;
    for (auto _ : state) {
        ConfigSearch::search(in, tables);
        benchmark::DoNotOptimize(ConfigSearch::summary(in, tables));
    }
}
// The search with its summary, for one, two and three given-name characters (30, 900 and 27,000
// configurations; twenty groups wanted).
BENCHMARK(search)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

void listingTwentyGroups(benchmark::State &state)
{
    const int length = int(state.range(0));
    ConfigTables tables;
    ConfigSearch::search(request(length), tables);
    const CandidateListing::Input in{QStringLiteral("王"), nameRequest(length), false, &tables};
    for (auto _ : state)
        benchmark::DoNotOptimize(CandidateListing::run(in, Library(kDatabase), nullptr));
    state.counters["groups"] = tables.groupCount();
}
BENCHMARK(listingTwentyGroups)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void wholeFlowAfterTheDialogs(benchmark::State &state)
{
    const int length = int(state.range(0));
    const SearchInput in = request(length);
    for (auto _ : state) {
        ConfigTables tables;
        ConfigSearch::search(in, tables);
        benchmark::DoNotOptimize(ConfigSearch::summary(in, tables));
        const CandidateListing::Input listing{QStringLiteral("王"), nameRequest(length), false, &tables};
        benchmark::DoNotOptimize(CandidateListing::run(listing, Library(kDatabase), nullptr));
    }
}
BENCHMARK(wholeFlowAfterTheDialogs)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
