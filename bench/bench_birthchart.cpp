// One birth chart as the 生辰八字 entry computes it: read the typed text, place the Sun and find the 节 on
// either side of the birth, the pillars and the element counts, and the report text; also one solar term alone.
#include "birthchart/BirthChartReport.h"
#include "birthchart/BirthInput.h"
#include "birthchart/SolarTerms.h"

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

void chartFromText(benchmark::State &state)
{
    const bool trueSolarTime = state.range(0) != 0;
    for (auto _ : state) {
        BirthMoment m = *parseBirthMoment(QStringLiteral("2024-02-04 16:30")).value;
        if (trueSolarTime)
            m.longitude = 116.4;
        benchmark::DoNotOptimize(computeBirthChart(m));
    }
}
BENCHMARK(chartFromText)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void chartAndReport(benchmark::State &state)
{
    BirthMoment m = *parseBirthMoment(QStringLiteral("1988-07-15 09:00")).value;
    m.longitude = 121.5;
    for (auto _ : state) {
        const std::optional<BirthChart> chart = computeBirthChart(m);
        benchmark::DoNotOptimize(formatBirthChartReport(*chart));
    }
}
BENCHMARK(chartAndReport)->Unit(benchmark::kMicrosecond);

void oneSolarTerm(benchmark::State &state)
{
    int year = 1901;
    for (auto _ : state) {
        benchmark::DoNotOptimize(solar::termInstant(year, 2));
        year = year == 2099 ? 1901 : year + 1;
    }
}
BENCHMARK(oneSolarTerm)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
