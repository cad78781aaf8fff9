// mkclassics: generates classics.db from the chinese-poetry package, the characters of namedbs.mdb, jieba's word
// list, Unihan's variants and the lists of data/classics.
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
    const QCommandLineOption rules(QStringLiteral("rules"),
        QStringLiteral("The curated lists (data/classics: unfit pairs and contexts, particles, pair sexes, words, "
                       "variants)."),
        QStringLiteral("dir"));
    const QCommandLineOption words(QStringLiteral("words"),
        QStringLiteral("jieba's dictionary (python3-jieba: /usr/lib/python3/dist-packages/jieba/dict.txt)."),
        QStringLiteral("file"));
    const QCommandLineOption unihan(
        QStringLiteral("unihan"), QStringLiteral("The folder of Unihan_*.txt.bz2."), QStringLiteral("dir"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("file"));
    const QCommandLineOption opencc(QStringLiteral("opencc"), QStringLiteral("OpenCC configuration."),
        QStringLiteral("config"), QStringLiteral("t2s.json"));
    parser.addOptions({ poetry, library, rules, words, unihan, out, opencc });
    parser.process(app);
    if (!parser.isSet(poetry) || !parser.isSet(library) || !parser.isSet(rules) || !parser.isSet(words)
        || !parser.isSet(unihan) || !parser.isSet(out)) {
        std::fputs("mkclassics: --poetry, --library, --rules, --words, --unihan and --out are required\n", stderr);
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QString error;
    using tolvane::mkclassics::ClassicsGenerator;
    const auto read
        = ClassicsGenerator::readRules(parser.value(rules), parser.value(words), parser.value(unihan), &error);
    const auto fit = read ? ClassicsGenerator::fitCharacters(parser.value(library), &error) : std::nullopt;
    const auto contents = fit
        ? ClassicsGenerator::build(parser.value(poetry), *fit, *read, parser.value(opencc), &error)
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
