#include "fakes/TestLibrary.h"

#include "data/DatabaseKey.h"
#include "mkdb/DatabaseWriter.h"
#include "mkdb/TextSources.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace tolvane {

QString TestLibrary::binDir()
{
    return qEnvironmentVariable("TOLVANE_BIN_DIR");
}

QString TestLibrary::realDatabasePath()
{
    return QDir(binDir()).filePath(QStringLiteral("namedbs.mdb"));
}

mkdb::LibraryContents TestLibrary::fixtureContents(const QString &folder)
{
    const QString dir = qEnvironmentVariable("TOLVANE_TEST_DATA") + QLatin1Char('/') + folder;
    mkdb::LibraryContents contents;
    QFile file(dir + QStringLiteral("/name.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the fixture library in %s", qPrintable(dir));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 7)
            qFatal("bad fixture row: %s", qPrintable(line));
        mkdb::CharacterRow row;
        row.namechr = f.at(0);
        row.strokes = f.at(1).toInt();
        row.wuxing = f.at(2);
        row.sex = f.at(3);
        row.xiong = f.at(4);
        row.pinyin = f.at(5);
        row.fantizi = f.at(6);
        row.meaning = f.value(7);
        contents.name.append(row);
    }
    QString error;
    if (!mkdb::TextSources::read(dir, contents, &error))
        qFatal("%s", qPrintable(error));
    return contents;
}

QString TestLibrary::writeDamagedCopy(const QString &dir)
{
    QFile real(realDatabasePath());
    if (!real.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(realDatabasePath()));
    QByteArray bytes = real.readAll();
    for (qsizetype page = kDatabasePageSize; page < bytes.size(); page += kDatabasePageSize)
        bytes[page + kDatabasePageSize / 2] = char(bytes.at(page + kDatabasePageSize / 2) ^ 0x5A);
    const QString path = QDir(dir).filePath(QStringLiteral("namedbs.mdb"));
    QFile damaged(path);
    if (!damaged.open(QIODevice::WriteOnly) || damaged.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString TestLibrary::write(
    const mkdb::LibraryContents &contents, const QString &dir, const QString &password, int kdfIterations)
{
    const QString path = QDir(dir).filePath(QStringLiteral("namedbs.mdb"));
    QString error;
    if (!mkdb::DatabaseWriter::write(
            contents, path, password.isEmpty() ? kDatabasePassword : password, &error, kdfIterations))
        qFatal("cannot write test library: %s", qPrintable(error));
    return path;
}

} // namespace tolvane
