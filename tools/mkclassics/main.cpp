// mkclassics: generates classics.db from the chinese-poetry package, the characters of namedbs.mdb and the list
// of unfit pairs.
#include "ClassicsGenerator.h"
#include "ClassicsWriter.h"
#include "UnfitPairs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Generates classics.db, the verses of TolVane's names from the classics."));
    parser.addHelpOption();
    const QCommandLineOption poetry(
        QStringLiteral("poetry"), QStringLiteral("The chinese-poetry package folder."), QStringLiteral("dir"));
    const QCommandLineOption library(
        QStringLiteral("library"), QStringLiteral("The generated namedbs.mdb."), QStringLiteral("file"));
    const QCommandLineOption unfitPairs(QStringLiteral("unfit-pairs"),
        QStringLiteral("The pairs never to write (data/classics/unfit-pairs.tsv)."), QStringLiteral("file"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("file"));
    const QCommandLineOption opencc(QStringLiteral("opencc"), QStringLiteral("OpenCC configuration."),
        QStringLiteral("config"), QStringLiteral("t2s.json"));
    parser.addOptions({ poetry, library, unfitPairs, out, opencc });
    parser.process(app);
    if (!parser.isSet(poetry) || !parser.isSet(library) || !parser.isSet(unfitPairs) || !parser.isSet(out)) {
        std::fputs("mkclassics: --poetry, --library, --unfit-pairs and --out are required\n", stderr);
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QString error;
    using tolvane::mkclassics::ClassicsGenerator;
    const auto unfit = tolvane::mkclassics::UnfitPairs::read(parser.value(unfitPairs), &error);
    const auto fit = unfit ? ClassicsGenerator::fitCharacters(parser.value(library), &error) : std::nullopt;
    const auto contents = fit
        ? ClassicsGenerator::build(parser.value(poetry), *fit, *unfit, parser.value(opencc), &error)
        : std::nullopt;
    if (!contents || !tolvane::mkclassics::ClassicsWriter::write(*contents, parser.value(out), &error)) {
        std::fprintf(stderr, "mkclassics: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("mkclassics: %lld characters fit for names, %lld poems, %lld lines, %lld pairs (%lld left out as "
                "unfit), %lld single characters in %.1f s -> %s\n",
        static_cast<long long>(fit->size()), static_cast<long long>(contents->poems.size()),
        static_cast<long long>(contents->lines.size()), static_cast<long long>(contents->pairs.size()),
        static_cast<long long>(contents->unfitPairsLeftOut), static_cast<long long>(contents->singles.size()),
        double(timer.elapsed()) / 1000.0, qPrintable(parser.value(out)));
    return 0;
}
