// mkdb: generates namedbs.mdb from Unihan and the sources under data/.
#include "DatabaseWriter.h"
#include "NameSoundData.h"
#include "TextSources.h"
#include "UnihanLibrary.h"

#include "data/DatabaseKey.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Generates the TolVane character library namedbs.mdb."));
    parser.addHelpOption();
    const QCommandLineOption unihan(QStringLiteral("unihan"), QStringLiteral("Folder of Unihan_*.txt.bz2."),
                                    QStringLiteral("dir"), QStringLiteral("/usr/share/unicode"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("The project's data folder."),
                                  QStringLiteral("dir"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The file to write."), QStringLiteral("file"));
    const QCommandLineOption soundOut(QStringLiteral("sound-out"),
                                      QStringLiteral("Also write the readings and homophone traps of names here."),
                                      QStringLiteral("file"));
    parser.addOptions({unihan, data, out, soundOut});
    parser.process(app);
    if (!parser.isSet(data) || !parser.isSet(out)) {
        std::fputs("mkdb: --data and --out are required\n", stderr);
        return 2;
    }

    QString error;
    tolvane::mkdb::LibraryContents contents;
    auto rows = tolvane::mkdb::UnihanLibrary::build(parser.value(unihan), parser.value(data), &error);
    if (!rows) {
        std::fprintf(stderr, "mkdb: %s\n", qPrintable(error));
        return 1;
    }
    contents.name = *rows;
    if (!tolvane::mkdb::TextSources::read(parser.value(data), contents, &error)
        || !tolvane::mkdb::DatabaseWriter::write(contents, parser.value(out), tolvane::kDatabasePassword, &error)) {
        std::fprintf(stderr, "mkdb: %s\n", qPrintable(error));
        return 1;
    }
    if (parser.isSet(soundOut)) {
        const std::optional<QByteArray> sound
            = tolvane::mkdb::NameSoundData::build(contents.name, parser.value(data), &error);
        QSaveFile file(parser.value(soundOut));
        if (!sound || !file.open(QIODevice::WriteOnly) || file.write(*sound) != sound->size() || !file.commit()) {
            std::fprintf(stderr, "mkdb: %s\n",
                         qPrintable(sound ? QStringLiteral("cannot write %1").arg(parser.value(soundOut)) : error));
            return 1;
        }
    }
    std::printf("mkdb: %lld characters, %lld company texts -> %s\n", static_cast<long long>(contents.name.size()),
                static_cast<long long>(contents.corp81.size()), qPrintable(parser.value(out)));
    return 0;
}
