#include "UnfitPairs.h"

#include <QFile>
#include <QStringList>

namespace tolvane::mkclassics {

std::optional<UnfitPairs> UnfitPairs::read(const QString &path, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(path));

    UnfitPairs pairs;
    quint64 previous = 0;
    QString previousText;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString where = QStringLiteral("%1:%2").arg(path).arg(i + 1);
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 2)
            return fail(QStringLiteral("%1: expected two characters and a reason separated by one tab").arg(where));
        const QList<uint> chars = fields.at(0).toUcs4();
        if (chars.size() != 2)
            return fail(QStringLiteral("%1: \"%2\" is not two characters").arg(where, fields.at(0)));
        if (fields.at(1).trimmed().isEmpty())
            return fail(QStringLiteral("%1: the reason is missing").arg(where));
        const quint64 k = key(char32_t(chars.at(0)), char32_t(chars.at(1)));
        if (k <= previous) {
            return fail(QStringLiteral("%1: %2 comes after %3; keep the pairs in code point order (LC_ALL=C sort), "
                                       "each once")
                            .arg(where, fields.at(0), previousText));
        }
        pairs.m_pairs.insert(k);
        previous = k;
        previousText = fields.at(0);
    }
    return pairs;
}

} // namespace tolvane::mkclassics
