#include "naming/FavouriteNames.h"

#include "text/DurableFile.h"

#include <QFile>

namespace tolvane {

namespace {
const QByteArray kHeader = QByteArrayLiteral("# 收藏的名字：姓<TAB>名，一行一个。\n");
} // namespace

std::optional<FavouriteNames> FavouriteNames::read(const QString &path)
{
    FavouriteNames list;
    QFile file(path);
    if (!file.exists())
        return list;
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    for (QString line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        // A line not of two fields (an edit by hand) is kept out rather than guessed at.
        if (fields.size() == 2 && !fields.at(0).trimmed().isEmpty() && !fields.at(1).trimmed().isEmpty())
            list.add({ fields.at(0).trimmed(), fields.at(1).trimmed() });
    }
    return list;
}

bool FavouriteNames::contains(const QString &fullName) const
{
    for (const Name &n : m_names) {
        if (n.full() == fullName)
            return true;
    }
    return false;
}

bool FavouriteNames::add(const Name &name)
{
    if (contains(name.full()))
        return false;
    m_names.append(name);
    return true;
}

bool FavouriteNames::remove(const QString &fullName)
{
    return m_names.removeIf([&](const Name &n) { return n.full() == fullName; }) > 0;
}

bool FavouriteNames::write(const QString &path, QString *reason) const
{
    QByteArray bytes = kHeader;
    for (const Name &n : m_names)
        bytes += (n.surname + QLatin1Char('\t') + n.given + QLatin1Char('\n')).toUtf8();
    return DurableFile::write(path, bytes, reason);
}

} // namespace tolvane
