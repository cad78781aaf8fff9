#pragma once

#include "text/PersonName.h"

#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// The values a naming request and the numerology speak in. Each has its Chinese text for display and for the
// library's columns; nothing else compares texts.

// The five elements in the numerology's order 木火土金水: the order of the digit classes (1-2 木, 3-4 火,
// 5-6 土, 7-8 金, 9-10 水), of the 三才 lists and of the luck tables.
enum class Element { Wood, Fire, Earth, Metal, Water };
inline constexpr std::array<Element, 5> kElementOrder { Element::Wood, Element::Fire, Element::Earth, Element::Metal,
    Element::Water };
// The elements' characters in that order.
inline constexpr char16_t kElementCharacters[] = u"木火土金水";
constexpr QChar elementChar(Element element)
{
    return QChar(kElementCharacters[int(element)]);
}
std::optional<Element> elementFromChar(QChar c);

// A set of elements: the wished-for elements of a naming request. The naming windows and the command line
// offer them in the order 金木水火土, which is also the order of the request's five wish slots.
class ElementSet final {
public:
    static constexpr std::array<Element, 5> kWishOrder { Element::Metal, Element::Wood, Element::Water, Element::Fire,
        Element::Earth };

    ElementSet() = default;
    static ElementSet all();
    // One flag per element in wish order.
    static ElementSet fromWishFlags(const std::array<bool, 5> &flags);
    // Characters of 金木水火土 in any order; nothing when another character is among them.
    static std::optional<ElementSet> fromText(QStringView text);

    bool contains(Element element) const { return m_bits & bit(element); }
    void insert(Element element) { m_bits |= bit(element); }
    bool isEmpty() const { return m_bits == 0; }
    std::array<bool, 5> wishFlags() const;
    // The wish slots as the library compares them: the element's character, or empty text for an element
    // not wished for.
    std::array<QString, 5> wishSlots() const;
    // The characters of the set in wish order, e.g. "金水".
    QString text() const;

    bool operator==(const ElementSet &) const = default;

private:
    static constexpr unsigned bit(Element element) { return 1U << unsigned(element); }
    unsigned m_bits = 0;
};

// The position of an element in the wish order: 金 0, 木 1, 水 2, 火 3, 土 4.
constexpr int wishIndex(Element element)
{
    for (int i = 0; i < int(ElementSet::kWishOrder.size()); ++i) {
        if (ElementSet::kWishOrder[std::size_t(i)] == element)
            return i;
    }
    return 0;
}

enum class Sex { Male, Female };
// "男" or "女": the option captions and the library's sex column.
QString sexText(Sex sex);
std::optional<Sex> sexFromText(QStringView text);

// The luck class of a number, and the level a naming request asks for ("this class or better"); a request
// at 凶 takes nothing.
enum class LuckLevel { Full, Half, Bad };
// "全吉", "半吉" or "凶".
QString luckLevelText(LuckLevel level);
std::optional<LuckLevel> luckLevelFromText(QStringView text);

// "单" or "复".
QString surnameKindText(SurnameKind kind);
std::optional<SurnameKind> surnameKindFromText(QStringView text);

} // namespace tolvane
