#include "data/Classics.h"

#include <QRegularExpression>
#include <QStringList>

namespace tolvane {

QString classicName(Classic classic)
{
    switch (classic) {
    case Classic::Shijing:
        return QStringLiteral("诗经");
    case Classic::Lunyu:
        return QStringLiteral("论语");
    case Classic::Chuci:
        return QStringLiteral("楚辞");
    case Classic::Tangshi:
        return QStringLiteral("唐诗");
    case Classic::Songci:
        return QStringLiteral("宋词");
    case Classic::Mengzi:
        return QStringLiteral("孟子");
    case Classic::Daxue:
        return QStringLiteral("大学");
    case Classic::Zhongyong:
        return QStringLiteral("中庸");
    case Classic::Songshi:
        return QStringLiteral("宋诗");
    }
    return {};
}

int classicPreference(Classic classic)
{
    for (std::size_t i = 0; i < kAllClassics.size(); ++i) {
        if (kAllClassics[i] == classic)
            return int(i);
    }
    return int(kAllClassics.size());
}

std::optional<Classic> classicFromNumber(int number)
{
    for (Classic c : kAllClassics) {
        if (int(c) == number)
            return c;
    }
    return std::nullopt;
}

ClassicSet ClassicSet::all()
{
    ClassicSet set;
    for (Classic c : kAllClassics)
        set.insert(c);
    return set;
}

std::optional<ClassicSet> ClassicSet::parse(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,，、\\s]+"));
    ClassicSet set;
    const QStringList names = text.split(separators, Qt::SkipEmptyParts);
    for (const QString &name : names) {
        const QString wanted = name == u"全唐诗" ? QStringLiteral("唐诗") : name;
        bool known = false;
        for (Classic c : kAllClassics) {
            if (classicName(c) == wanted) {
                set.insert(c);
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    if (set.isEmpty())
        return std::nullopt;
    return set;
}

QList<Classic> ClassicSet::members() const
{
    QList<Classic> list;
    for (Classic c : kAllClassics) {
        if (contains(c))
            list.append(c);
    }
    return list;
}

QString ClassicSet::names(const QString &separator) const
{
    QStringList list;
    for (Classic c : members())
        list.append(classicName(c));
    return list.join(separator);
}

} // namespace tolvane
