// A batch of 10,000 names analysed in one process, as `tolvane-cli analyze --batch` does it: the library opened
// and its meanings read once, then every line analysed and written as a line of text or of JSON. The goal is
// well under a second for the whole batch on the real generated namedbs.mdb.
#include "analysis/NameBatch.h"

#include <QJsonDocument>

#include <benchmark/benchmark.h>

using namespace tolvane;

namespace {

const QString kBinDir = QStringLiteral(TOLVANE_BIN_DIR);

// Names as a register would hold them: common single surnames, one in twenty compound, given names of one or
// two characters, the same list at every run.
QStringList registerOfNames(int count)
{
    const QString surnames = QStringLiteral(
        "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏吕丁任沈姚卢姜崔钟"
        "谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫孔向汤");
    const QStringList compound { QStringLiteral("欧阳"), QStringLiteral("司马"), QStringLiteral("诸葛"),
        QStringLiteral("上官"), QStringLiteral("慕容") };
    const QString given = QStringLiteral(
        "明华伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛超霞平刚桂兰玉萍红梅鹏飞宇浩然子轩欣怡梓涵雨泽思琪晨博文嘉");
    QStringList names;
    quint32 seed = 20240204;
    const auto next = [&seed](qsizetype n) {
        seed = seed * 1664525U + 1013904223U;
        return qsizetype((seed >> 8) % quint32(n));
    };
    for (int i = 0; i < count; ++i) {
        QString name = next(20) == 0 ? compound.at(next(compound.size())) : QString(surnames.at(next(surnames.size())));
        const int length = next(4) == 0 ? 1 : 2;
        for (int c = 0; c < length; ++c)
            name += given.at(next(given.size()));
        names.append(name);
    }
    return names;
}

void batchOfNames(benchmark::State &state)
{
    const bool json = state.range(0) == 1;
    const QStringList names = registerOfNames(10000);
    const CompoundSurnames surnames = CompoundSurnames::read(kBinDir + QStringLiteral("/compound-surnames.tsv"));
    for (auto _ : state) {
        Outcome<NameBatch> batch = NameBatch::open(Library(kBinDir + QStringLiteral("/namedbs.mdb")), surnames);
        QByteArray out;
        for (qsizetype i = 0; i < names.size(); ++i) {
            const NameBatch::Result result = batch.value->analyze(int(i + 1), names.at(i));
            out += json ? QJsonDocument(NameBatch::fields(result)).toJson(QJsonDocument::Compact)
                        : NameBatch::textLine(result).toUtf8();
            out += '\n';
        }
        benchmark::DoNotOptimize(out);
        state.counters["MB"] = double(out.size()) / 1e6;
    }
}
BENCHMARK(batchOfNames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
