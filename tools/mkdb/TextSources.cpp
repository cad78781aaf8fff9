#include "TextSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tolvane::mkdb {

namespace {

QString unescape(QString field)
{
    field.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    return field;
}

// Rows of a tab-separated file with exactly `columns` fields; a missing file gives no rows.
bool readTsv(const QString &path, int columns, QList<QStringList> &rows, QString *error)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != columns) {
            if (error)
                *error = QStringLiteral("%1:%2: expected %3 tab-separated fields").arg(path).arg(i + 1).arg(columns);
            return false;
        }
        for (QString &f : fields)
            f = unescape(f);
        rows.append(fields);
    }
    return true;
}

bool readNumberTable(const QString &path, QList<NumberTextRow> &out, QString *error)
{
    QList<QStringList> rows;
    if (!readTsv(path, 3, rows, error))
        return false;
    for (const QStringList &r : rows) {
        bool ok = false;
        const int id = r.at(0).toInt(&ok);
        if (!ok) {
            if (error)
                *error = QStringLiteral("%1: bad ID %2").arg(path, r.at(0));
            return false;
        }
        out.append({id, r.at(2), r.at(1)});
    }
    return true;
}

bool readKeyedTable(const QString &path, QList<KeyedTextRow> &out, QString *error)
{
    QList<QStringList> rows;
    if (!readTsv(path, 3, rows, error))
        return false;
    for (const QStringList &r : rows)
        out.append({r.at(0), r.at(2), r.at(1)});
    return true;
}

} // namespace

bool TextSources::read(const QString &dataDir, LibraryContents &contents, QString *error)
{
    const QDir texts(dataDir + QStringLiteral("/texts"));
    if (!readNumberTable(texts.filePath(QStringLiteral("81man.tsv")), contents.man81, error)
        || !readNumberTable(texts.filePath(QStringLiteral("81corp.tsv")), contents.corp81, error)
        || !readKeyedTable(texts.filePath(QStringLiteral("sancai.tsv")), contents.sancai, error)
        || !readKeyedTable(texts.filePath(QStringLiteral("wrGe.tsv")), contents.wrGe, error))
        return false;

    // Reading texts: one file a row, named after the row's key, in name order.
    const QDir reading(texts.filePath(QStringLiteral("text")));
    const QFileInfoList files = reading.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("cannot read %1").arg(info.filePath());
            return false;
        }
        QString content = QString::fromUtf8(file.readAll());
        content.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        content.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        contents.text.append({info.completeBaseName(), content});
    }
    return true;
}

} // namespace tolvane::mkdb
