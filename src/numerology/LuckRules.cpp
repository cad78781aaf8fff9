#include "numerology/LuckRules.h"

#include <array>
#include <initializer_list>

namespace tolvane {

namespace {

constexpr std::initializer_list<int> kFullNumbers{1,  3,  5,  6,  7,  11, 13, 15, 16, 21, 23, 24, 29, 31, 32,
                                                  33, 35, 37, 41, 45, 47, 48, 52, 57, 61, 63, 65, 67, 68, 81};
constexpr std::initializer_list<int> kHalfOnlyNumbers{8, 17, 18, 25, 30, 36, 38, 39, 49, 50, 51, 55, 58, 71, 72, 73, 77};

constexpr char16_t kFullSancai[] = u"木木火木木木木木土木火木木火火木火土木水木火木木火木火火木土火火木火土土土火木土火土土土火土土土土土金土金土"
                                   u"土金金金土土金土金金金土金水金水木木水木土水金土";
constexpr char16_t kHalfOnlySancai[] = u"木土火木水水火火火火土火土木木土火火土火金金土木金土火水木火水金金土木火";
constexpr char16_t kFullPairs[] = u"一二一一一三一四一五一九一十二一二三二四三一三二三三三五四一四二四五五一五三五四五五五六五七五八"
                                  u"六一六三六四六五六七七六七五七七七八七九八一八五八六八九九一九二九七九八";
constexpr char16_t kHalfOnlyPairs[] = u"一六一七二二二五二九三四三六三七三八三九四六五二六二六六六八七一八七八八九三九四九五九六九十十一"
                                      u"十二十五十七十八十九九九";

constexpr int indexIn(const char16_t *alphabet, int size, char16_t c)
{
    for (int i = 0; i < size; ++i) {
        if (alphabet[i] == c)
            return i;
    }
    return -1;
}

template <std::size_t N>
constexpr void markTriples(std::array<bool, 125> &table, const char16_t (&list)[N])
{
    for (std::size_t i = 0; i + 3 <= N - 1; i += 3) // N counts the closing NUL
        table[indexIn(kElementCharacters, 5, list[i]) * 25 + indexIn(kElementCharacters, 5, list[i + 1]) * 5
              + indexIn(kElementCharacters, 5, list[i + 2])] = true;
}

template <std::size_t N>
constexpr void markPairs(std::array<bool, 100> &table, const char16_t (&list)[N])
{
    for (std::size_t i = 0; i + 2 <= N - 1; i += 2)
        table[indexIn(kNumeralCharacters, 10, list[i]) * 10 + indexIn(kNumeralCharacters, 10, list[i + 1])] = true;
}

struct Tables {
    std::array<bool, 82> fullNumber{};
    std::array<bool, 82> halfNumber{};
    std::array<bool, 125> fullSancai{};
    std::array<bool, 125> halfSancai{};
    std::array<bool, 100> fullPair{};
    std::array<bool, 100> halfPair{};

    constexpr Tables()
    {
        for (int n : kFullNumbers)
            fullNumber[n] = halfNumber[n] = true;
        for (int n : kHalfOnlyNumbers)
            halfNumber[n] = true;
        markTriples(fullSancai, kFullSancai);
        markTriples(halfSancai, kFullSancai);
        markTriples(halfSancai, kHalfOnlySancai);
        markPairs(fullPair, kFullPairs);
        markPairs(halfPair, kFullPairs);
        markPairs(halfPair, kHalfOnlyPairs);
    }
};

constexpr Tables kTables;

constexpr int count(const auto &table)
{
    int c = 0;
    for (bool b : table)
        c += b ? 1 : 0;
    return c;
}
static_assert(count(kTables.fullNumber) == 30 && count(kTables.halfNumber) == 47);
static_assert(count(kTables.fullSancai) == 26 && count(kTables.halfSancai) == 38);
static_assert(count(kTables.fullPair) == 42 && count(kTables.halfPair) == 72);

int tripleIndex(const QString &triple)
{
    if (triple.size() != 3)
        return -1;
    int index = 0;
    for (QChar c : triple) {
        const int i = indexIn(kElementCharacters, 5, c.unicode());
        if (i < 0)
            return -1;
        index = index * 5 + i;
    }
    return index;
}

int pairIndex(const QString &pair)
{
    if (pair.size() != 2)
        return -1;
    const int a = indexIn(kNumeralCharacters, 10, pair.at(0).unicode());
    const int b = indexIn(kNumeralCharacters, 10, pair.at(1).unicode());
    return a < 0 || b < 0 ? -1 : a * 10 + b;
}

bool inRange(int n)
{
    return n >= 1 && n <= 81;
}

bool numberPasses(bool full, int n)
{
    return inRange(n) && (full ? kTables.fullNumber[n] : kTables.halfNumber[n]);
}

bool unsuitableForWomen(int n)
{
    return n == 21 || n == 23 || n == 28 || n == 33;
}

} // namespace

bool LuckRules::isFullNumber(int n)
{
    return numberPasses(true, n);
}

bool LuckRules::isHalfNumber(int n)
{
    return numberPasses(false, n);
}

bool LuckRules::isFullSancai(const QString &triple)
{
    const int i = tripleIndex(triple);
    return i >= 0 && kTables.fullSancai[i];
}

bool LuckRules::isHalfSancai(const QString &triple)
{
    const int i = tripleIndex(triple);
    return i >= 0 && kTables.halfSancai[i];
}

bool LuckRules::isFullPair(const QString &pair)
{
    const int i = pairIndex(pair);
    return i >= 0 && kTables.fullPair[i];
}

bool LuckRules::isHalfPair(const QString &pair)
{
    const int i = pairIndex(pair);
    return i >= 0 && kTables.halfPair[i];
}

LuckLevel LuckRules::luckClass(int n)
{
    if (isFullNumber(n))
        return LuckLevel::Full;
    if (isHalfNumber(n))
        return LuckLevel::Half;
    return LuckLevel::Bad;
}

bool LuckRules::sancaiPasses(LuckLevel level, int heaven, int person, int earth)
{
    const int i = int(DigitTables::element(heaven)) * 25 + int(DigitTables::element(person)) * 5
        + int(DigitTables::element(earth));
    return level == LuckLevel::Full ? kTables.fullSancai[i] : level == LuckLevel::Half && kTables.halfSancai[i];
}

bool LuckRules::pairPasses(LuckLevel level, int person, int outer)
{
    const int i = (DigitTables::digitClass(person) - 1) * 10 + DigitTables::digitClass(outer) - 1;
    return level == LuckLevel::Full ? kTables.fullPair[i] : level == LuckLevel::Half && kTables.halfPair[i];
}

bool LuckRules::accepts(const FiveGrids &grids, int givenCount, LuckLevel level, Sex sex)
{
    if (level == LuckLevel::Bad)
        return false;
    const bool full = level == LuckLevel::Full;
    const bool female = sex == Sex::Female;
    const int tested[4] = {grids.renge, grids.dige, grids.zongge, grids.waige};
    const int testedCount = givenCount >= 2 ? 4 : 3;
    for (int i = 0; i < testedCount; ++i) {
        if (!numberPasses(full, tested[i]) || (female && unsuitableForWomen(tested[i])))
            return false;
    }
    return pairPasses(level, grids.renge, grids.waige) && sancaiPasses(level, grids.tiange, grids.renge, grids.dige);
}

bool LuckRules::earthWarnsWomen(int earth)
{
    switch (earth) {
    case 21: case 23: case 26: case 28: case 29: case 30: case 39:
        return true;
    default:
        return false;
    }
}

bool LuckRules::earthPraisesWomen(int earth)
{
    switch (earth) {
    case 5: case 6: case 11: case 13: case 31: case 32: case 35:
        return true;
    default:
        return false;
    }
}

} // namespace tolvane
