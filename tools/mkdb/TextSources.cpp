#include "TextSources.h"

#include "common/DataLines.h"

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
    if (!QFile::exists(path))
        return true;
    return tools::forEachDataLine(path, error, [&](QStringList fields, const QString &where, int) {
        if (fields.size() != columns) {
            if (error)
                *error = QStringLiteral("%1: expected %2 tab-separated fields").arg(where).arg(columns);
            return false;
        }
        for (QString &f : fields)
            f = unescape(f);
        rows.append(fields);
        return true;
    });
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
