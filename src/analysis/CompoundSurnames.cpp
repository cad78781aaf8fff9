#include "analysis/CompoundSurnames.h"

#include "text/PlainTextFile.h"

namespace tolvane {

CompoundSurnames CompoundSurnames::read(const QString &path)
{
    CompoundSurnames list;
    const std::optional<QString> text = PlainTextFile::read(path);
    if (!text)
        return list;
    for (const QStringView line : QStringView(*text).split(u'\n')) {
        const QStringView surname = line.left(line.indexOf(u'\t')).trimmed();
        if (surname.isEmpty() || surname.startsWith(u'#'))
            continue;
        list.m_surnames.insert(surname.toString());
    }
    return list;
}

SurnameKind CompoundSurnames::kindOf(const PersonName &name) const
{
    const QStringList &chars = name.characters();
    if ((chars.size() == 3 || chars.size() == 4) && contains(chars.at(0) + chars.at(1)))
        return SurnameKind::Compound;
    return SurnameKind::Single;
}

} // namespace tolvane
