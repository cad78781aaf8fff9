#include "naming/NameWords.h"

#include "text/PlainTextFile.h"

namespace tolvane {

std::optional<NameWords> NameWords::read(const QString &path)
{
    const std::optional<QByteArray> bytes = PlainTextFile::readBytes(path);
    return bytes ? parse(*bytes) : std::nullopt;
}

std::optional<NameWords> NameWords::parse(const QByteArray &bytes)
{
    NameWords words;
    words.m_pairs.reserve(bytes.count('\n'));
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4)
            return std::nullopt;
        const QList<uint> pair = QString::fromUtf8(fields.at(0)).toUcs4();
        const QString kind = QString::fromUtf8(fields.at(1));
        bool number = false;
        const int weight = fields.at(2).trimmed().toInt(&number);
        if (pair.size() != 2 || !number)
            return std::nullopt;
        Entry entry;
        entry.weight = weight;
        const QString sex = QString::fromUtf8(fields.at(3).trimmed());
        if (sex != QStringLiteral("0")) {
            entry.sex = sexFromText(sex);
            if (!entry.sex)
                return std::nullopt;
        }
        if (kind == QStringLiteral("名"))
            entry.kind = Kind::GivenName;
        else if (kind == QStringLiteral("词"))
            entry.kind = Kind::Word;
        else if (kind == QStringLiteral("忌"))
            entry.kind = Kind::Unfit;
        else
            return std::nullopt;
        words.m_pairs.insert((quint64(pair.at(0)) << 32) | pair.at(1), entry);
    }
    return words;
}

} // namespace tolvane
