// Names from the classics on the real generated namedbs.mdb and classics.db: the search over the chosen
// collections for the configurations of a surname, with the pane's text, as the naming flow runs it after the
// configuration search.
#include "naming/ClassicNameSearch.h"
#include "naming/ClassicNameText.h"
#include "numerology/ConfigSearch.h"
#include "numerology/FixedConfigSearch.h"

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

const QString kLibrary = QStringLiteral(TOLVANE_BIN_DIR "/namedbs.mdb");
const QString kClassics = QStringLiteral(TOLVANE_BIN_DIR "/classics.db");

NameRequest girl(int nameLength, int groupLimit)
{
    NameRequest r;
    r.nameLength = qint16(nameLength);
    r.sex = Sex::Female;
    r.luckLevel = LuckLevel::Half;
    r.groupLimit = qint16(groupLimit);
    r.elementWishes = ElementSet::all();
    return r;
}

// Every good configuration of 王 for the request, as the naming flow searches them.
QList<GoodConfiguration> configsOfWang(const NameRequest &r)
{
    SearchInput in;
    in.surnameLength = 1;
    in.surnameStrokes = { 4, 0 };
    in.nameLength = r.nameLength;
    in.sex = r.sex;
    in.luckLevel = r.luckLevel;
    return ConfigSearch::everyGood(in);
}

void report(benchmark::State &state, const ClassicListing &listing)
{
    if (listing.databaseFailed)
        state.SkipWithError("the library or classics.db cannot be read");
    state.counters["groups"] = double(listing.groups.size());
    state.counters["names"] = listing.namesFound();
}

// Every collection, a girl's name for 王 over every good configuration: two characters (arg 2) or one (arg 1).
void allClassics(benchmark::State &state)
{
    const NameRequest r = girl(int(state.range(0)), 7);
    const QList<GoodConfiguration> configs = configsOfWang(r);
    ClassicListing listing;
    for (auto _ : state) {
        listing = ClassicNameSearch::run(QStringLiteral("王"), configs, r, ClassicSet::all(), Library(kLibrary), ClassicsLibrary(kClassics));
        benchmark::DoNotOptimize(ClassicNameText::listing(listing));
    }
    report(state, listing);
}
BENCHMARK(allClassics)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

// 诗经 alone, two characters, every good configuration.
void shijingOnly(benchmark::State &state)
{
    const NameRequest r = girl(2, 7);
    const QList<GoodConfiguration> configs = configsOfWang(r);
    ClassicSet shijing;
    shijing.insert(Classic::Shijing);
    ClassicListing listing;
    for (auto _ : state) {
        listing = ClassicNameSearch::run(QStringLiteral("王"), configs, r, shijing, Library(kLibrary), ClassicsLibrary(kClassics));
        benchmark::DoNotOptimize(ClassicNameText::listing(listing));
    }
    report(state, listing);
}
BENCHMARK(shijingOnly)->Unit(benchmark::kMillisecond);

// Fixed-character naming 王-华 over every collection, twenty groups.
void fixedCharacter(benchmark::State &state)
{
    const NameRequest r = girl(2, 21);
    FixedSearchInput in;
    in.firstFree = true;
    in.surnameStrokes = 4;
    in.fixedStrokes = 14; // 华 counts as 華
    in.sex = r.sex;
    in.luckLevel = r.luckLevel;
    in.groupLimit = r.groupLimit;
    FixedTables tables;
    const int next = FixedConfigSearch::search(in, tables);
    ClassicListing listing;
    for (auto _ : state) {
        listing = ClassicNameSearch::runFixed(
            QStringLiteral("王"), QStringLiteral("华"), true, tables, next, r, ClassicSet::all(), Library(kLibrary), ClassicsLibrary(kClassics));
        benchmark::DoNotOptimize(ClassicNameText::listing(listing));
    }
    report(state, listing);
}
BENCHMARK(fixedCharacter)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
