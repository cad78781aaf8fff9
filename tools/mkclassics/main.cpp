// mkclassics: generates classics.db from the chinese-poetry package and the characters of namedbs.mdb.
#include "ClassicsGenerator.h"
#include "ClassicsWriter.h"

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
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("file"));
    const QCommandLineOption opencc(QStringLiteral("opencc"), QStringLiteral("OpenCC configuration."),
        QStringLiteral("config"), QStringLiteral("t2s.json"));
    parser.addOptions({ poetry, library, out, opencc });
    parser.process(app);
    if (!parser.isSet(poetry) || !parser.isSet(library) || !parser.isSet(out)) {
        std::fputs("mkclassics: --poetry, --library and --out are required\n", stderr);
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QString error;
    const auto fit = tolvane::mkclassics::ClassicsGenerator::fitCharacters(parser.value(library), &error);
    const auto contents = fit
        ? tolvane::mkclassics::ClassicsGenerator::build(parser.value(poetry), *fit, parser.value(opencc), &error)
        : std::nullopt;
    if (!contents || !tolvane::mkclassics::ClassicsWriter::write(*contents, parser.value(out), &error)) {
        std::fprintf(stderr, "mkclassics: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("mkclassics: %lld characters fit for names, %lld poems, %lld lines, %lld pairs, %lld single "
                "characters in %.1f s -> %s\n",
        static_cast<long long>(fit->size()), static_cast<long long>(contents->poems.size()),
        static_cast<long long>(contents->lines.size()), static_cast<long long>(contents->pairs.size()),
        static_cast<long long>(contents->singles.size()), double(timer.elapsed()) / 1000.0,
        qPrintable(parser.value(out)));
    return 0;
}
