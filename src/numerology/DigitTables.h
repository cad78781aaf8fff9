#pragma once

#include "numerology/Vocabulary.h"

#include <QString>

namespace tolvane {

// The numerals of the digit classes 1..10.
inline constexpr char16_t kNumeralCharacters[] = u"一二三四五六七八九十";

// The digit class of a number is its last digit, 0 counting as 10. Classes 1..10 map to the numerals
// 一..十 and to the elements 木 木 火 火 土 土 金 金 水 水.
class DigitTables final {
public:
    static constexpr int digitClass(int n)
    {
        const int r = n % 10;
        return r == 0 ? 10 : (r < 0 ? r + 10 : r);
    }
    static constexpr Element element(int n) { return Element((digitClass(n) - 1) / 2); }

    static QChar numeral(int n);
    static QChar elementChar(int n) { return tolvane::elementChar(element(n)); }
};

// The 三才 of 天格, 人格 and 地格: their numerals and their elements, in that order.
struct Sancai {
    QString numeralTriple;
    QString elementTriple;

    static Sancai compute(int heaven, int person, int earth);
};

// The key of the 人格/外格 pairing: the numeral of 人格 followed by that of 外格.
QString computePairKey(int person, int outer);

} // namespace tolvane
