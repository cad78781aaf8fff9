#include "numerology/Vocabulary.h"

namespace tolvane {

namespace {

// The value whose text is text, among values.
template <typename T, std::size_t N>
std::optional<T> fromText(QStringView text, const std::array<T, N> &values, QString (*textOf)(T))
{
    for (T value : values) {
        if (textOf(value) == text)
            return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<Element> elementFromChar(QChar c)
{
    for (Element e : kElementOrder) {
        if (elementChar(e) == c)
            return e;
    }
    return std::nullopt;
}

ElementSet ElementSet::all()
{
    return fromWishFlags({ true, true, true, true, true });
}

ElementSet ElementSet::fromWishFlags(const std::array<bool, 5> &flags)
{
    ElementSet set;
    for (int i = 0; i < 5; ++i) {
        if (flags[i])
            set.insert(kWishOrder[i]);
    }
    return set;
}

std::optional<ElementSet> ElementSet::fromText(QStringView text)
{
    ElementSet set;
    for (QChar c : text) {
        const std::optional<Element> e = elementFromChar(c);
        if (!e)
            return std::nullopt;
        set.insert(*e);
    }
    return set;
}

std::array<bool, 5> ElementSet::wishFlags() const
{
    std::array<bool, 5> flags {};
    for (int i = 0; i < 5; ++i)
        flags[i] = contains(kWishOrder[i]);
    return flags;
}

std::array<QString, 5> ElementSet::wishSlots() const
{
    std::array<QString, 5> slots;
    for (int i = 0; i < 5; ++i) {
        if (contains(kWishOrder[i]))
            slots[i] = QString(elementChar(kWishOrder[i]));
    }
    return slots;
}

QString ElementSet::text() const
{
    QString text;
    for (Element e : kWishOrder) {
        if (contains(e))
            text += elementChar(e);
    }
    return text;
}

QString sexText(Sex sex)
{
    return sex == Sex::Female ? QStringLiteral("女") : QStringLiteral("男");
}

QString luckLevelText(LuckLevel level)
{
    switch (level) {
    case LuckLevel::Full:
        return QStringLiteral("全吉");
    case LuckLevel::Half:
        return QStringLiteral("半吉");
    case LuckLevel::Bad:
        break;
    }
    return QStringLiteral("凶");
}

QString surnameKindText(SurnameKind kind)
{
    return kind == SurnameKind::Compound ? QStringLiteral("复") : QStringLiteral("单");
}

std::optional<Sex> sexFromText(QStringView text)
{
    return fromText(text, std::array { Sex::Male, Sex::Female }, sexText);
}

std::optional<LuckLevel> luckLevelFromText(QStringView text)
{
    return fromText(text, std::array { LuckLevel::Full, LuckLevel::Half, LuckLevel::Bad }, luckLevelText);
}

std::optional<SurnameKind> surnameKindFromText(QStringView text)
{
    return fromText(text, std::array { SurnameKind::Single, SurnameKind::Compound }, surnameKindText);
}

} // namespace tolvane
