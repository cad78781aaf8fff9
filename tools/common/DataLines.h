#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>

namespace tolvane::tools {

// Calls `take` with the tab-separated fields of every line of a curated UTF-8 data file that is neither blank
// nor a `#` comment (a CR before the line break is dropped), with "path:line" for its messages and the line's
// number; stops at the first line `take` refuses. False, with error set, when the file cannot be read.
inline bool forEachDataLine(const QString &path, QString *error,
    const std::function<bool(const QStringList &fields, const QString &where, int lineNo)> &take)
{
    QFile file(path);
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
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNo = int(i + 1);
        if (!take(line.split(QLatin1Char('\t')), QStringLiteral("%1:%2").arg(path).arg(lineNo), lineNo))
            return false;
    }
    return true;
}

} // namespace tolvane::tools
