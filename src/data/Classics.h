#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tolvane {

// The collections names from the classics are drawn from. The numbers are the ones stored in classics.db.
enum class Classic : quint8 {
    Shijing = 1,
    Lunyu = 2,
    Chuci = 3,
    Tangshi = 4,
    Songci = 5,
    Mengzi = 6,
    Daxue = 7,
    Zhongyong = 8,
    Songshi = 9
};

// Every collection in order of preference when a name stands in several: the books of the pre-Qin age first (诗经
// and 楚辞 with the Four Books), then the poems and lyrics of Tang and Song.
inline constexpr std::array<Classic, 9> kAllClassics { Classic::Shijing, Classic::Lunyu, Classic::Chuci,
    Classic::Mengzi, Classic::Daxue, Classic::Zhongyong, Classic::Tangshi, Classic::Songci, Classic::Songshi };

// 诗经, 论语, 楚辞, 孟子, 大学, 中庸, 唐诗, 宋词, 宋诗.
QString classicName(Classic classic);
// The collection's place in kAllClassics: 0 for the most preferred.
int classicPreference(Classic classic);
// The collection of a stored number; nothing for any other number.
std::optional<Classic> classicFromNumber(int number);

// A choice of collections.
class ClassicSet final {
public:
    constexpr ClassicSet() = default;
    static ClassicSet all();
    // Names separated by commas (, or ，), 、 or blanks, such as "诗经,楚辞"; 全唐诗 is read as 唐诗. Nothing
    // for an unknown name or when no name is given.
    static std::optional<ClassicSet> parse(const QString &text);

    void insert(Classic classic) { m_bits |= bit(classic); }
    bool contains(Classic classic) const { return (m_bits & bit(classic)) != 0; }
    bool isEmpty() const { return m_bits == 0; }
    bool isAll() const { return *this == all(); }
    // The chosen collections in order of preference.
    QList<Classic> members() const;
    // Their names joined by separator, in order of preference.
    QString names(const QString &separator) const;

    bool operator==(const ClassicSet &) const = default;

private:
    static constexpr quint16 bit(Classic classic) { return quint16(1U << quint8(classic)); }
    quint16 m_bits = 0;
};

} // namespace tolvane
