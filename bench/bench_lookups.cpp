// The four character lookups and the library correction on the real generated namedbs.mdb, each timed as
// the window runs it: open the library, check the table, query, build the answer, close.
#include "analysis/CharacterLookups.h"
#include "data/LibraryCorrection.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

const QString kDatabase = QStringLiteral(TOLVANE_BIN_DIR "/namedbs.mdb");
const QString kAddress = QStringLiteral("https://example.org/");

void strokesOfCharacters(benchmark::State &state)
{
    // One character, or the 50 the box takes, with spaces between.
    const QString fifty = QStringLiteral("张王李赵刘陈杨黄周吴徐孙胡朱高林何郭马罗梁宋郑谢韩唐冯于董萧程曹袁邓许傅沈曾彭吕苏卢蒋蔡贾丁魏薛叶阎");
    const QString input = state.range(0) == 1 ? QStringLiteral("龍") : fifty.split(QString(), Qt::SkipEmptyParts).join(u' ');
    for (auto _ : state)
        benchmark::DoNotOptimize(CharacterLookups::characterStrokes(input, Library(kDatabase)));
}
BENCHMARK(strokesOfCharacters)->Arg(1)->Arg(50)->Unit(benchmark::kMicrosecond);

void charactersByStrokes(benchmark::State &state)
{
    // 15 strokes is the largest group of the library.
    const QString input = QString::number(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CharacterLookups::charactersByStrokes(input, Library(kDatabase)));
}
BENCHMARK(charactersByStrokes)->Arg(15)->Arg(30)->Unit(benchmark::kMicrosecond);

void homophones(benchmark::State &state)
{
    // 一 has one common reading; 行 has five, of which four are used.
    const QString input = state.range(0) == 1 ? QStringLiteral("一") : QStringLiteral("行");
    for (auto _ : state)
        benchmark::DoNotOptimize(CharacterLookups::homophones(input, Library(kDatabase)));
}
BENCHMARK(homophones)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

void meanings(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CharacterLookups::characterMeanings(QStringLiteral("青禾起名"), Library(kDatabase), kAddress));
}
BENCHMARK(meanings)->Unit(benchmark::kMicrosecond);

// A committed write on a copy of the library, alternating between two counts so that every run changes the row.
void correction(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("namedbs.mdb"));
    QFile::copy(kDatabase, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        benchmark::DoNotOptimize(
            LibraryCorrection::apply(Library(copy), QStringLiteral("十"), odd ? QStringLiteral("12") : QStringLiteral("10")));
    }
}
BENCHMARK(correction)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
