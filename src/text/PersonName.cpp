#include "text/PersonName.h"

#include "text/Characters.h"
#include "text/VbText.h"

namespace tolvane {

PersonName::PersonName(const QString &typed)
    : m_text(trimSpaces(typed))
    , m_characters(splitCharacters(m_text))
{
}

QList<char32_t> PersonName::codePoints() const
{
    QList<char32_t> points;
    for (const uint c : m_text.toUcs4())
        points.append(char32_t(c));
    return points;
}

PersonName PersonName::withSurnameKind(SurnameKind kind) const
{
    PersonName name = *this;
    name.m_kind = kind;
    return name;
}

qsizetype PersonName::surnameLength() const
{
    return m_kind == SurnameKind::Compound && length() >= 3 ? 2 : 1;
}

QString PersonName::surname() const
{
    return m_characters.mid(0, surnameLength()).join(QString());
}

QString PersonName::givenName() const
{
    return m_characters.mid(surnameLength()).join(QString());
}

} // namespace tolvane
